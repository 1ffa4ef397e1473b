// Loading on the track's own loader thread: it fills the window and signals
// the control, retries what failed on every request, follows a growing ring,
// gives back what a moving window left behind, and stops cleanly whenever the
// track closes, even in the middle of a pass.
#include "CGpuEngine.h"
#include "JpegFrameReader.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>
#include <condition_variable>
#include <random>
#include <set>

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

// Holds the loader inside ReadFrame of chosen frames until the test lets it
// go, so a test decides when a pass ends.
class GatedReader : public JpegFrameReader
{
public:
    using JpegFrameReader::JpegFrameReader;

    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override
    {
        {
            std::unique_lock lock(gateMutex_);
            if (held_.count(frame)) {
                waitingAt_ = frame;
                changed_.notify_all();
                changed_.wait(lock, [&] { return !held_.count(frame); });
                waitingAt_ = 0;
            }
        }
        return JpegFrameReader::ReadFrame(frame, buffer, capacity, byteCount, km, m);
    }

    void Hold(int frame)
    {
        std::lock_guard lock(gateMutex_);
        held_.insert(frame);
    }
    void Let(int frame)
    {
        std::lock_guard lock(gateMutex_);
        held_.erase(frame);
        changed_.notify_all();
    }
    void LetAll()
    {
        std::lock_guard lock(gateMutex_);
        held_.clear();
        changed_.notify_all();
    }
    bool WaitUntilHeldAt(int frame)
    {
        std::unique_lock lock(gateMutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return waitingAt_ == frame; });
    }

private:
    std::mutex gateMutex_;
    std::condition_variable changed_;
    std::set<int> held_;
    int waitingAt_ = 0;
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
    // With an engine the loader also uploads into slot textures meanwhile.
    std::unique_ptr<CGpuEngine, void (*)(CGpuEngine*)> engine(GpuframeCreateEngine(), GpuframeDestroyEngine);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        StubImageWnd owner(6, 1);
        TrackPtr track = OpenedTrack(reader, owner, engine.get());
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

// While the view keeps moving every pass ends after the next move; the slots
// the window left behind must still give their frames back.
TEST(TrackThreadedLoadingTest, SlotsLeftBehindByAMovingWindowGiveTheirMemoryBack)
{
    constexpr int Frames = 2;
    GatedReader reader(100, Width, Height);
    StubImageWnd owner(Frames, 1);
    TrackPtr track = OpenedTrack(reader, owner);
    ASSERT_TRUE(WaitFor([&] { return WindowLoaded(*track, Frames, 100) && owner.RepaintSignals() >= 1; }));
    struct LetGoFirst
    {
        GatedReader& reader;
        ~LetGoFirst() { reader.LetAll(); }
    } letGo{reader};

    // Each pass is held at the frame entering its window until the next move.
    const int entering = Frames + 1;
    reader.Hold(2 + entering);
    track->SetCurrentFrame(2);
    ASSERT_TRUE(reader.WaitUntilHeldAt(2 + entering));
    for (int frame = 3; frame <= 6; ++frame) {
        reader.Hold(frame + entering);
        track->SetCurrentFrame(frame);
        reader.Let(frame - 1 + entering);
        ASSERT_TRUE(reader.WaitUntilHeldAt(frame + entering)) << frame;
    }

    for (int i = Frames + 2; i < track->GetRingSize() - 2; ++i) {
        const SlotState outside = ReadSlot(*track, i);
        EXPECT_EQ(outside.Valid, 0) << "slot " << i << " still holds frame " << outside.FrameNo;
    }
}
