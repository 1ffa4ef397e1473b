// Grey maps and the staging bitmap: the linear and equalisation palettes of
// the image adjustment, the bitmap's header and rows, and how a track
// re-applies palette and flip to the frames in its textures.
#include "CGpuEngine.h"
#include "CGpuTexture.h"
#include "FrameBitmap.h"
#include "JpegFrameReader.h"
#include "TrackTestSupport.h"

#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int Grey(const TrackPalette& palette, int index)
{
    const PaletteEntry& entry = palette[index];
    EXPECT_TRUE(entry.Red == entry.Blue && entry.Green == entry.Blue && entry.Reserved == 0) << index;
    return entry.Blue;
}

FrameRaster RasterOf(int width, int height, const std::function<uint8_t(int, int)>& value)
{
    FrameRaster raster;
    raster.Width = width;
    raster.Height = height;
    raster.Stride = FrameStride(width);
    raster.Bits.assign(static_cast<size_t>(raster.Stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            raster.Bits[y * raster.Stride + x] = value(x, y);
    return raster;
}

struct EngineDeleter
{
    void operator()(CGpuEngine* engine) const { GpuframeDestroyEngine(engine); }
};
using EnginePtr = std::unique_ptr<CGpuEngine, EngineDeleter>;

int TexturePixel(CFrameSlot& slot, int x, int y)
{
    std::lock_guard lock(slot.Lock);
    const QImage image = slot.Texture ? slot.Texture->GetImage() : QImage();
    return image.isNull() ? -1 : qGray(image.pixel(x, y));
}

// A horizontal ramp: column x is grey 10 + 4x.
uint8_t Ramp(int, int x, int)
{
    return static_cast<uint8_t>(10 + 4 * x);
}

} // namespace

TEST(TrackPaletteTest, LinearPaletteShiftsAndPivotsAroundMidGrey)
{
    const struct
    {
        int Brightness;
        int Contrast;
        int Index;
        int Grey;
    } cases[] = {
        {0, 10, 0, 0},     {0, 10, 77, 77},    {0, 10, 255, 255},   // identity
        {100, 10, 0, 100}, {100, 10, 155, 255}, {100, 10, 156, 255}, {100, 10, 60, 160},
        {0, 60, 105, 0},   {0, 60, 127, 127},  {0, 60, 149, 255},   {0, 60, 0, 0},
        {-200, 10, 200, 0}, {-200, 10, 255, 55},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Grey(BuildLinearPalette(c.Brightness, c.Contrast), c.Index), c.Grey)
            << "B " << c.Brightness << " C " << c.Contrast << " i " << c.Index;
}

TEST(TrackPaletteTest, EqualisationWithOneLevelMapsOnlyBlack)
{
    const FrameRaster zero = RasterOf(10, 4, [](int, int) { return uint8_t{0}; });
    const FrameRaster halfBlack = RasterOf(10, 4, [](int x, int) { return static_cast<uint8_t>(x < 5 ? 0 : 90); });
    const TrackPalette allBlack = BuildEqualisationPalette(zero, 1);
    const TrackPalette half = BuildEqualisationPalette(halfBlack, 1);
    EXPECT_EQ(Grey(allBlack, 0), 255);
    EXPECT_EQ(Grey(half, 0), 127);
    for (int i : {1, 90, 255}) {
        EXPECT_EQ(Grey(allBlack, i), i);
        EXPECT_EQ(Grey(half, i), i);
    }

    // Four levels: a quarter each of 0 … 3 climbs by a quarter of 255.
    const FrameRaster quarters = RasterOf(8, 2, [](int x, int) { return static_cast<uint8_t>(x / 2); });
    const TrackPalette spread = BuildEqualisationPalette(quarters, 4);
    EXPECT_EQ(Grey(spread, 0), 63);
    EXPECT_EQ(Grey(spread, 1), 127);
    EXPECT_EQ(Grey(spread, 3), 255);
    EXPECT_EQ(Grey(spread, 4), 4);
}

TEST(TrackPaletteTest, BitmapHasTheDesignedHeaderPaletteAndRows)
{
    const int width = 3; // rows padded to 4
    const int height = 2;
    const uint8_t rows[] = {1, 2, 3, 0, 4, 5, 6, 0};
    const TrackPalette palette = BuildLinearPalette(20, 10);
    std::vector<uint8_t> bitmap(FrameBitmapBytes(width, height), 0xEE);
    ASSERT_EQ(bitmap.size(), 40u + 1024u + 8u);
    WriteFrameBitmap(bitmap.data(), rows, width, height, palette, false);

    const auto field32 = [&](int offset) { return qFromLittleEndian<int32_t>(bitmap.data() + offset); };
    const auto field16 = [&](int offset) { return qFromLittleEndian<int16_t>(bitmap.data() + offset); };
    EXPECT_EQ(field32(0), 40);
    EXPECT_EQ(field32(4), width);
    EXPECT_EQ(field32(8), height);
    EXPECT_EQ(field16(12), 1);
    EXPECT_EQ(field16(14), 8);
    EXPECT_EQ(field32(16), 0);
    EXPECT_EQ(field32(20), 0);
    EXPECT_EQ(field32(24), 2835);
    EXPECT_EQ(field32(28), 2835);
    EXPECT_EQ(field32(32), 256);
    EXPECT_EQ(field32(36), 256);
    EXPECT_EQ(std::memcmp(bitmap.data() + 40, palette.data(), 1024), 0);
    EXPECT_EQ(std::memcmp(bitmap.data() + 1064, rows, sizeof rows), 0);

    WriteFrameBitmap(bitmap.data(), rows, width, height, palette, true);
    const uint8_t mirrored[] = {3, 2, 1, 0, 6, 5, 4, 0};
    EXPECT_EQ(std::memcmp(bitmap.data() + 1064, mirrored, sizeof mirrored), 0);
}

// The tests below read the frames back from the slot textures.

TEST(TrackPaletteTest, PaletteReachesTheTexturesOfAVisibleChannel)
{
    EnginePtr engine(GpuframeCreateEngine());
    JpegFrameReader reader(20, 32, 16);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner, engine.get());
    track->SetCurrentFrame(5);
    const int level = JpegFrameReader::FlatLevel(5);
    ASSERT_EQ(TexturePixel(track->SlotAt(0), 3, 3), level);

    track->SetPalette(BuildLinearPalette(100, 10));
    EXPECT_EQ(TexturePixel(track->SlotAt(0), 3, 3), std::min(255, level + 100));

    // A hidden channel keeps its pictures; frames loaded later use the palette.
    track->SetVisible(0);
    track->SetPalette(IdentityPalette());
    EXPECT_EQ(TexturePixel(track->SlotAt(0), 3, 3), std::min(255, level + 100));
    track->SetPalette(BuildLinearPalette(-30, 10));
    track->SetCurrentFrame(9);
    EXPECT_EQ(TexturePixel(track->SlotAt(3), 3, 3), JpegFrameReader::FlatLevel(12) - 30);
}

TEST(TrackPaletteTest, FlipMirrorsEveryHeldFrameAndTwiceRestoresIt)
{
    EnginePtr engine(GpuframeCreateEngine());
    JpegFrameReader reader(20, 32, 16, Ramp);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner, engine.get());
    track->SetCurrentFrame(4);
    const auto rampAt = [&](int index, int x) { return TexturePixel(track->SlotAt(index), x, 7); };
    ASSERT_NEAR(rampAt(0, 0), 10, 2);
    ASSERT_NEAR(rampAt(0, 31), 134, 2);

    track->ToggleFlip();
    EXPECT_EQ(track->GetFlipped(), 1);
    for (int i = -2; i <= 3; ++i) {
        EXPECT_NEAR(rampAt(i, 0), 134, 2) << i;
        EXPECT_NEAR(rampAt(i, 31), 10, 2) << i;
    }
    // Frames loaded while flipped come in mirrored too.
    track->SetCurrentFrame(10);
    EXPECT_NEAR(rampAt(3, 0), 134, 2);

    track->ToggleFlip();
    EXPECT_EQ(track->GetFlipped(), 0);
    for (int i = -2; i <= 3; ++i) {
        EXPECT_NEAR(rampAt(i, 0), 10, 2) << i;
        EXPECT_NEAR(rampAt(i, 31), 134, 2) << i;
    }
}

// With the raster engine a frame is kept only at the size it is drawn at;
// the renderer rebuilds it at another zoom from the decoded rows.
TEST(TrackPaletteTest, FramesAreStoredAtTheDrawScaleAndReuploadedWithoutReading)
{
    EnginePtr engine(GpuframeCreateEngine());
    JpegFrameReader reader(20, 32, 16, Ramp);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner, engine.get());
    track->SetDrawScale(0.5, 0.5);
    track->SetCurrentFrame(10);
    const auto imageOf = [&](int index) {
        CFrameSlot& slot = track->SlotAt(index);
        std::lock_guard lock(slot.Lock);
        return slot.Texture->GetImage();
    };
    for (int i = -2; i <= 3; ++i)
        ASSERT_EQ(imageOf(i).size(), QSize(16, 8)) << i;
    // Columns 0 and 1 (10 and 14) averaged; the mirror keeps the size.
    EXPECT_NEAR(qGray(imageOf(0).pixel(0, 3)), 12, 2);
    track->ToggleFlip();
    EXPECT_EQ(imageOf(0).size(), QSize(16, 8));
    EXPECT_NEAR(qGray(imageOf(0).pixel(15, 3)), 12, 2);

    const int reads = reader.TotalReads();
    track->SetDrawScale(1.0, 1.0);
    {
        CFrameSlot& slot = track->SlotAt(1);
        std::lock_guard lock(slot.Lock);
        ASSERT_TRUE(track->ReuploadSlot(1));
    }
    EXPECT_EQ(imageOf(1).size(), QSize(32, 16));
    EXPECT_NEAR(qGray(imageOf(1).pixel(31, 7)), 10, 2);
    EXPECT_EQ(reader.TotalReads(), reads);
}

TEST(TrackPaletteTest, EngineGivenLaterGetsTheHeldFramesAndTakingItAwayEmptiesTheTrack)
{
    EnginePtr engine(GpuframeCreateEngine());
    JpegFrameReader reader(20, 32, 16);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(7);
    EXPECT_EQ(track->GetResources(), nullptr);

    track->SetEngine(engine.get());
    EXPECT_NE(track->GetResources(), nullptr);
    EXPECT_EQ(TexturePixel(track->SlotAt(1), 0, 0), JpegFrameReader::FlatLevel(8));

    track->ResetDevice();
    EXPECT_EQ(TexturePixel(track->SlotAt(1), 0, 0), JpegFrameReader::FlatLevel(8));

    track->SetFaults({_FAULT_{}});
    track->SetEngine(nullptr);
    EXPECT_FALSE(track->HasReader());
    EXPECT_TRUE(track->GetFaults().empty());
    EXPECT_EQ(track->GetRingSize(), 0);
    EXPECT_EQ(track->GetResources(), nullptr);
}

TEST(TrackPaletteTest, LoaderThreadUploadsIntoTheTextures)
{
    EnginePtr engine(GpuframeCreateEngine());
    JpegFrameReader reader(40, 32, 16);
    StubImageWnd owner(4, 1);
    TrackPtr track = OpenedTrack(reader, owner, engine.get());
    for (int frame : {1, 17, 18, 30}) {
        track->SetCurrentFrame(frame);
        ASSERT_TRUE(WaitFor([&] { return WindowLoaded(*track, 4, 40); })) << frame;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(TexturePixel(track->SlotAt(i), 1, 1), JpegFrameReader::FlatLevel(frame + i)) << frame + i;
    }
    track->ToggleFlip();
    track->SetPalette(BuildLinearPalette(0, 20));
    track->CloseTrack();
}
