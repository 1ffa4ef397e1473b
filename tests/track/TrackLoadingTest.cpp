// Synchronous frame loading: the window's frames with their grey values,
// frames that never load, refused frames, memory given back outside the
// window, and the full-frame grey image.
#include "JpegFrameReader.h"
#include "RgbJpeg.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int Width = 30; // rows padded to 32 bytes
constexpr int Height = 40;

// A vertical gradient whose base tells the frames apart.
uint8_t Gradient(int frame, int, int y)
{
    return static_cast<uint8_t>(20 + (frame % 5) * 10 + 3 * y);
}

// Frame `colourFrame` answers a three-component JPEG of the channel's size.
class ColourFrameReader : public JpegFrameReader
{
public:
    ColourFrameReader(int frameCount, int width, int height, int colourFrame)
        : JpegFrameReader(frameCount, width, height), colourFrame_(colourFrame),
          colour_(MakeRgbJpeg(width, height))
    {
    }

    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override
    {
        if (frame != colourFrame_)
            return JpegFrameReader::ReadFrame(frame, buffer, capacity, byteCount, km, m);
        std::copy(colour_.begin(), colour_.end(), buffer);
        *byteCount = static_cast<int>(colour_.size());
        return 1;
    }

private:
    int colourFrame_;
    std::vector<uint8_t> colour_;
};

bool AllZero(const CPageBuffer& buffer)
{
    return std::all_of(buffer.Data(), buffer.Data() + buffer.Size(), [](uint8_t byte) { return byte == 0; });
}

} // namespace

TEST(TrackLoadingTest, FillsTheWindowBottomUpWithTheRightFrames)
{
    JpegFrameReader reader(30, Width, Height, Gradient);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(10);

    for (int i = -2; i <= 3; ++i) {
        const int frame = 10 + i;
        CFrameSlot& slot = track->SlotAt(i);
        ASSERT_EQ(ReadSlot(*track, i).Valid, 1) << "frame " << frame;
        EXPECT_EQ(slot.FrameNo, frame);
        EXPECT_EQ(slot.DecodedWidth, Width);
        EXPECT_EQ(slot.DecodedHeight, Height);
        EXPECT_EQ(slot.FrameKm, JpegFrameReader::KmOf(frame));
        EXPECT_EQ(slot.FrameM, JpegFrameReader::MOf(frame));
        for (int y : {0, Height / 2, Height - 1})
            for (int x : {0, Width - 1})
                EXPECT_NEAR(PixelOf(slot, x, y), Gradient(frame, x, y), 2) << "frame " << frame << " y " << y;
    }
    EXPECT_EQ(track->GetCurrentKm(), JpegFrameReader::KmOf(10));
    EXPECT_EQ(track->GetCurrentM(), JpegFrameReader::MOf(10));
}

TEST(TrackLoadingTest, FramesOutsideTheFileNeverLoad)
{
    JpegFrameReader reader(30, Width, Height);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(1);
    EXPECT_EQ(ReadSlot(*track, -2).Valid, 0);
    EXPECT_EQ(ReadSlot(*track, -1).Valid, 0);
    EXPECT_EQ(ReadSlot(*track, 0).Valid, 1);

    track->SetCurrentFrame(29);
    EXPECT_EQ(ReadSlot(*track, 1).Valid, 1); // frame 30, the last
    EXPECT_EQ(ReadSlot(*track, 2).Valid, 0);
    EXPECT_EQ(ReadSlot(*track, 3).Valid, 0);
}

TEST(TrackLoadingTest, BrokenFrameIsReadAgainOnlyAfterTheWindowLeftIt)
{
    JpegFrameReader reader(60, Width, Height);
    reader.BreakFrame(3);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(1);
    EXPECT_EQ(ReadSlot(*track, 2).Valid, 0);
    EXPECT_EQ(ReadSlot(*track, 1).Valid, 1);
    EXPECT_EQ(reader.ReadCount(3), 1);

    track->RefreshFrames();
    EXPECT_EQ(reader.ReadCount(3), 1);

    reader.MendFrame(3);
    reader.ResizeFrame(3, Width, Height); // MendFrame keeps the broken bytes cached
    track->SetCurrentFrame(40);
    track->SetCurrentFrame(1);
    EXPECT_EQ(reader.ReadCount(3), 2);
    EXPECT_EQ(ReadSlot(*track, 2).Valid, 1);
}

TEST(TrackLoadingTest, FramesThatDoNotFitTheSlotAreRefusedUntouched)
{
    const struct
    {
        const char* Name;
        int Width;
        int Height;
        bool Loads;
    } sizes[] = {
        {"wider", Width + 8, Height, false},
        {"taller", Width, Height + 1, false},
        {"smaller", Width - 10, Height - 20, true},
    };
    for (const auto& size : sizes) {
        JpegFrameReader reader(20, Width, Height);
        reader.ResizeFrame(5, size.Width, size.Height);
        StubImageWnd owner(2, 0);
        TrackPtr track = OpenedTrack(reader, owner);
        track->SetCurrentFrame(5);
        CFrameSlot& slot = track->SlotAt(0);
        EXPECT_EQ(ReadSlot(*track, 0).Valid, size.Loads ? 1 : 0) << size.Name;
        EXPECT_EQ(AllZero(slot.Pixels), !size.Loads) << size.Name;
        if (size.Loads) {
            EXPECT_EQ(slot.DecodedWidth, size.Width);
            EXPECT_EQ(PixelOf(slot, size.Width - 1, 0), JpegFrameReader::FlatLevel(5));
        }
        EXPECT_EQ(ReadSlot(*track, 1).Valid, 1) << size.Name;
    }

    ColourFrameReader colour(20, Width, Height, 5);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(colour, owner);
    track->SetCurrentFrame(5);
    EXPECT_EQ(ReadSlot(*track, 0).Valid, 0);
    EXPECT_TRUE(AllZero(track->SlotAt(0).Pixels));
    EXPECT_EQ(ReadSlot(*track, 1).Valid, 1);
}

TEST(TrackLoadingTest, SlotsLeavingTheWindowGiveTheirMemoryBack)
{
    JpegFrameReader reader(100, Width, Height);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(10);
    CFrameSlot& frame8 = track->SlotAt(-2);
    CFrameSlot& frame9 = track->SlotAt(-1);
    ASSERT_EQ(frame8.FrameNo, 8);
    ASSERT_FALSE(AllZero(frame8.Pixels));

    // Frames 8 and 9 fall four and three places above the window of six.
    track->SetCurrentFrame(14);
    for (CFrameSlot* slot : {&frame8, &frame9}) {
        EXPECT_EQ(slot->Valid, 0);
        EXPECT_EQ(slot->FrameNo, 0);
        EXPECT_TRUE(AllZero(slot->Pixels));
        EXPECT_TRUE(AllZero(slot->Jpeg));
    }
    EXPECT_TRUE(WindowLoaded(*track, 2, 100));

    // Far away, nothing of the old window stays.
    track->SetCurrentFrame(90);
    int holding = 0;
    for (int i = -2; i < track->GetRingSize() - 2; ++i)
        holding += ReadSlot(*track, i).FrameNo != 0 ? 1 : 0;
    EXPECT_EQ(holding, 6);
    EXPECT_TRUE(WindowLoaded(*track, 2, 100));
}

TEST(TrackLoadingTest, OpenWithoutEngineAnswersZeroButLoads)
{
    JpegFrameReader reader(10, Width, Height);
    StubImageWnd owner(2, 0);
    TrackPtr track(new CTrack);
    track->SetOwner(&owner);
    track->SetReader(&reader);
    EXPECT_EQ(track->OpenTrack(), 0);
    EXPECT_EQ(track->GetRingSize(), 10);
    EXPECT_EQ(ReadSlot(*track, 0).Valid, 1);
}

TEST(TrackLoadingTest, FrameGrayResamplesOtherSizesToTheTrackSize)
{
    // Pixels as 2x + y, so a resampled pixel tells where it came from.
    const auto ramp = [](int, int x, int y) { return static_cast<uint8_t>(2 * x + y); };
    JpegFrameReader reader(10, 40, 30, ramp);
    reader.ResizeFrame(4, 20, 15);
    reader.ResizeFrame(6, 80, 60);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);

    const struct
    {
        int Frame;
        int SourceWidth;
        int SourceHeight;
    } frames[] = {{3, 40, 30}, {4, 20, 15}, {6, 80, 60}};
    for (const auto& f : frames) {
        FrameRaster raster;
        ASSERT_TRUE(track->GetFrameGray(f.Frame, raster)) << f.Frame;
        ASSERT_EQ(raster.Width, 40);
        ASSERT_EQ(raster.Height, 30);
        ASSERT_EQ(raster.Stride, 40);
        for (int r : {0, 7, 29})
            for (int k : {0, 13, 39}) {
                const int sx = k * f.SourceWidth / 40;
                const int sy = r * f.SourceHeight / 30;
                EXPECT_NEAR(raster.Bits[r * raster.Stride + k], 2 * sx + sy, 2)
                    << "frame " << f.Frame << " at " << k << "," << r;
            }
    }
}

// The clarity adjustment asks for the current frame on the user-interface
// thread: a frame the ring holds is copied from its decoded rows instead of
// read and decoded again, and must give exactly what the decode gives (the
// mirror only changes what is drawn).
TEST(TrackLoadingTest, FrameGrayOfACachedFrameIsCopiedAndMatchesTheDecode)
{
    // An odd width pads the rows; values that tell every row and column apart.
    const auto ramp = [](int, int x, int y) { return static_cast<uint8_t>(2 * x + 3 * y); };
    JpegFrameReader cachedReader(10, 42, 30, ramp);
    JpegFrameReader decodingReader(10, 42, 30, ramp);
    StubImageWnd owner(2, 0);
    TrackPtr cached = OpenedTrack(cachedReader, owner);
    TrackPtr decoding = OpenedTrack(decodingReader, owner);
    decoding->SetCurrentFrame(8); // its window, 6 … 11, leaves frame 2 out
    cached->ToggleFlip();
    ASSERT_EQ(ReadSlot(*cached, 1).FrameNo, 2);

    const int cachedReads = cachedReader.ReadCount(2);
    FrameRaster copied;
    ASSERT_TRUE(cached->GetFrameGray(2, copied));
    EXPECT_EQ(cachedReader.ReadCount(2), cachedReads) << "a cached frame was read again";

    const int decodingReads = decodingReader.ReadCount(2);
    FrameRaster decoded;
    ASSERT_TRUE(decoding->GetFrameGray(2, decoded));
    EXPECT_EQ(decodingReader.ReadCount(2), decodingReads + 1);

    EXPECT_EQ(copied.Width, 42);
    EXPECT_EQ(copied.Stride, 44);
    EXPECT_EQ(copied.Bits, decoded.Bits);
    EXPECT_NEAR(copied.Bits[29 * copied.Stride + 1], 2 * 1 + 3 * 29, 2) << "top row first";
}

TEST(TrackLoadingTest, FrameGrayThatFailsLeavesAZeroRasterOfTheTrackSize)
{
    JpegFrameReader reader(10, Width, Height);
    reader.BreakFrame(2);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    for (int frame : {2, 11, 0}) {
        FrameRaster raster;
        raster.Bits.assign(5, 7);
        EXPECT_FALSE(track->GetFrameGray(frame, raster)) << frame;
        EXPECT_EQ(raster.Width, Width);
        EXPECT_EQ(raster.Height, Height);
        EXPECT_EQ(raster.Stride, 32);
        ASSERT_EQ(raster.Bits.size(), size_t{32} * Height);
        EXPECT_TRUE(std::all_of(raster.Bits.begin(), raster.Bits.end(), [](uint8_t v) { return v == 0; }));
    }
}
