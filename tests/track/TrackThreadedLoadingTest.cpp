// Loading on the track's own loader thread: it fills the window and signals
// the control, retries what failed on every request, follows a growing ring,
// and stops cleanly whenever the track closes, even in the middle of a pass.
#include "JpegFrameReader.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int Width = 64;
constexpr int Height = 48;

// Reads take a while, so that closing finds the loader mid-pass.
class SlowReader : public JpegFrameReader
{
public:
    using JpegFrameReader::JpegFrameReader;

    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override
    {
        std::this_thread::sleep_for(std::chrono::microseconds(700));
        return JpegFrameReader::ReadFrame(frame, buffer, capacity, byteCount, km, m);
    }
};

} // namespace

TEST(TrackThreadedLoadingTest, LoaderFillsTheWindowAndSignalsTheControl)
{
    JpegFrameReader reader(50, Width, Height);
    StubImageWnd owner(3, 1);
    TrackPtr track = OpenedTrack(reader, owner);
    EXPECT_TRUE(WaitFor([&] { return WindowLoaded(*track, 3, 50); }));
    EXPECT_TRUE(WaitFor([&] { return owner.RepaintSignals() >= 1; }));

    for (int frame : {20, 21, 47, 2}) {
        track->SetCurrentFrame(frame);
        EXPECT_TRUE(WaitFor([&] { return WindowLoaded(*track, 3, 50); })) << frame;
        EXPECT_EQ(PixelOf(track->SlotAt(1), 5, 5), JpegFrameReader::FlatLevel(frame + 1)) << frame;
    }
}

TEST(TrackThreadedLoadingTest, BrokenFrameIsReadAgainOnEveryRequest)
{
    JpegFrameReader reader(50, Width, Height);
    reader.BreakFrame(3);
    StubImageWnd owner(2, 1);
    TrackPtr track = OpenedTrack(reader, owner);
    ASSERT_TRUE(WaitFor([&] { return reader.ReadCount(3) >= 1 && owner.RepaintSignals() >= 1; }));
    EXPECT_EQ(ReadSlot(*track, 2).Valid, 0);

    const int reads = reader.ReadCount(3);
    track->RefreshFrames();
    EXPECT_TRUE(WaitFor([&] { return reader.ReadCount(3) > reads; }));

    reader.MendFrame(3);
    reader.ResizeFrame(3, Width, Height); // MendFrame keeps the broken bytes cached
    track->RefreshFrames();
    EXPECT_TRUE(WaitFor([&] { return ReadSlot(*track, 2).Valid == 1; }));
    EXPECT_EQ(ReadSlot(*track, 2).FrameNo, 3);
}

TEST(TrackThreadedLoadingTest, RingGrowsWhileTheLoaderRuns)
{
    JpegFrameReader reader(50, Width, Height);
    StubImageWnd owner(2, 1);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(30);
    ASSERT_TRUE(WaitFor([&] { return WindowLoaded(*track, 2, 50); }));

    owner.SetFramesPerScreen(8);
    track->RefreshFrames();
    EXPECT_EQ(track->GetRingSize(), 12);
    EXPECT_TRUE(WaitFor([&] { return WindowLoaded(*track, 8, 50); }));
}

TEST(TrackThreadedLoadingTest, ClosingMidPassJoinsTheLoader)
{
    SlowReader reader(500, Width, Height);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        StubImageWnd owner(6, 1);
        TrackPtr track = OpenedTrack(reader, owner);
        track->SetCurrentFrame(1 + static_cast<int>(random() % 490));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        switch (round % 3) {
        case 0:
            track->CloseTrack();
            EXPECT_EQ(track->GetRingSize(), 0);
            break;
        case 1:
            track->SetEngine(nullptr);
            EXPECT_FALSE(track->HasReader());
            break;
        default:
            track.reset(); // Release
            break;
        }
        // Nothing reads once the track has let go.
        const int reads = reader.TotalReads();
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        EXPECT_EQ(reader.TotalReads(), reads) << "round " << round;
    }
}

TEST(TrackThreadedLoadingTest, ReaderSwapWaitsForTheLoader)
{
    SlowReader first(100, Width, Height);
    JpegFrameReader second(100, Width, Height, [](int, int, int) { return uint8_t{200}; });
    StubImageWnd owner(2, 1);
    TrackPtr track = OpenedTrack(first, owner);
    track->SetReader(&second);
    const int reads = first.TotalReads();
    EXPECT_TRUE(WaitFor([&] { return WindowLoaded(*track, 2, 100) && PixelOf(track->SlotAt(0), 0, 0) == 200; }));
    EXPECT_EQ(first.TotalReads(), reads);
}
