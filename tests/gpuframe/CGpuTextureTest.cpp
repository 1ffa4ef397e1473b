// Frames and icons as textures: the bitmap upload (flip, palette, checks),
// drawing at a scale with its exact size and position, and parts of icons.
#include "CGpuTexture.h"
#include "GpuframeTestCanvas.h"
#include "PaletteBitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr int Width = 8;
constexpr int Height = 4;

// Each 2 x 2 block holds base, base+2, base+4, base+6 (mean base+3), and no
// two blocks share a base, so halving, doubling and flipping all show.
uint8_t BlockPattern(int x, int y)
{
    return uint8_t(40 + 20 * (x / 2) + 60 * (y / 2) + 2 * ((x % 2) + 2 * (y % 2)));
}

class CGpuTextureTest : public ::testing::Test
{
protected:
    CGpuTextureTest()
    {
        texture_ = canvas_.Engine.CreateTexture();
        texture_->Create(Width, Height);
    }

    // Draws as a frame's owner does: a texture that no longer holds the
    // picture for this scale gets the last bitmap again.
    QImage DrawAt(QPoint at, double sx, double sy)
    {
        return canvas_.Frame([&] {
            texture_->Prepare();
            texture_->SetScale(sx, sy);
            texture_->SetPosition(at.x(), at.y());
            if (!texture_->Draw() && Upload(lastBitmap_, lastSize_.width(), lastSize_.height())) {
                ++reuploads_;
                texture_->Draw();
            }
        });
    }

    // Draw alone, and what it answered.
    QImage DrawOnly(double sx, double sy, bool& drawn)
    {
        return canvas_.Frame([&] {
            texture_->SetScale(sx, sy);
            texture_->SetPosition(0, 0);
            drawn = texture_->Draw();
        });
    }

    bool Upload(const std::vector<uint8_t>& bitmap, int width = Width, int height = Height)
    {
        if (!texture_->UploadBitmap(width, height, bitmap.data()))
            return false;
        lastBitmap_ = bitmap;
        lastSize_ = QSize(width, height);
        return true;
    }

    GpuframeTestCanvas canvas_;
    CGpuTexture* texture_ = nullptr;
    std::vector<uint8_t> lastBitmap_;
    QSize lastSize_;
    int reuploads_ = 0;
};

TEST_F(CGpuTextureTest, UploadedBitmapShowsTopRowFirstAtScaleOne)
{
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, BlockPattern)));
    EXPECT_EQ(texture_->GetImage().format(), QImage::Format_Grayscale8);
    const QImage frame = DrawAt(QPoint(3, 5), 1.0, 1.0);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            ASSERT_EQ(frame.pixel(3 + x, 5 + y), Grey(BlockPattern(x, y))) << x << "," << y;
    }
    EXPECT_EQ(frame.pixel(2, 5), GpuframeTestCanvas::Background);
    EXPECT_EQ(frame.pixel(3 + Width, 5), GpuframeTestCanvas::Background);
    EXPECT_EQ(frame.pixel(3, 5 + Height), GpuframeTestCanvas::Background);
}

TEST_F(CGpuTextureTest, HalfScaleAveragesAndDoubleScaleRepeats)
{
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, BlockPattern)));
    const QImage half = DrawAt(QPoint(3, 5), 0.5, 0.5);
    for (int y = 0; y < Height / 2; ++y) {
        for (int x = 0; x < Width / 2; ++x)
            EXPECT_EQ(half.pixel(3 + x, 5 + y), Grey(BlockPattern(2 * x, 2 * y) + 3)) << x << "," << y;
    }
    const QImage twice = DrawAt(QPoint(3, 5), 2.0, 2.0);
    for (int y = 0; y < 2 * Height; ++y) {
        for (int x = 0; x < 2 * Width; ++x)
            ASSERT_EQ(twice.pixel(3 + x, 5 + y), Grey(BlockPattern(x / 2, y / 2))) << x << "," << y;
    }
}

// Frames tile without gaps only if every one covers int(size x scale).
TEST_F(CGpuTextureTest, DrawnSizeIsTheTruncatedScaledSize)
{
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, BlockPattern)));
    struct Case { double sx; double sy; QSize size; };
    for (const Case& c : {Case{0.45, 0.45, QSize(3, 1)}, Case{1.3, 1.3, QSize(10, 5)}, Case{0.5, 2.0, QSize(4, 8)},
                          Case{2.9, 0.26, QSize(23, 1)}}) {
        const QImage frame = DrawAt(QPoint(2, 3), c.sx, c.sy);
        const QPoint last(2 + c.size.width() - 1, 3 + c.size.height() - 1);
        EXPECT_NE(frame.pixel(last), GpuframeTestCanvas::Background) << c.sx << "," << c.sy;
        EXPECT_EQ(frame.pixel(last.x() + 1, last.y()), GpuframeTestCanvas::Background) << c.sx << "," << c.sy;
        EXPECT_EQ(frame.pixel(last.x(), last.y() + 1), GpuframeTestCanvas::Background) << c.sx << "," << c.sy;
    }
}

// The raster backend stores a frame uploaded at a smaller scale only at its
// drawing size; at any other size Draw asks for the bitmap again.
TEST_F(CGpuTextureTest, UploadAtASmallerScaleKeepsOnlyTheDrawingCopy)
{
    texture_->SetScale(0.5, 0.5);
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, BlockPattern)));
    EXPECT_EQ(texture_->GetImage().size(), QSize(Width / 2, Height / 2)) << "no full picture kept";
    EXPECT_FALSE(texture_->IsEmpty());

    bool drawn = false;
    QImage frame = DrawOnly(0.5, 0.5, drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(frame.pixel(1, 1), Grey(BlockPattern(2, 2) + 3));

    frame = DrawOnly(1.0, 1.0, drawn);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(frame.pixel(1, 1), GpuframeTestCanvas::Background) << "nothing drawn at the wrong size";

    // The owner uploads again at the new scale: the full picture, no copy.
    ASSERT_TRUE(Upload(lastBitmap_));
    frame = DrawOnly(1.0, 1.0, drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(frame.pixel(7, 3), Grey(BlockPattern(7, 3)));
    EXPECT_EQ(texture_->GetImage().size(), QSize(Width, Height));

    // A full picture drawn smaller turns into the copy once.
    frame = DrawOnly(0.5, 0.5, drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(frame.pixel(3, 1), Grey(BlockPattern(6, 2) + 3));
    EXPECT_EQ(texture_->GetImage().size(), QSize(Width / 2, Height / 2));

    texture_->Reset();
    DrawOnly(0.5, 0.5, drawn);
    EXPECT_FALSE(drawn) << "an empty texture must be filled first";
}

// The second upload comes at the scale drawn last, straight into the copy's
// buffer: it must not show the old frame.
TEST_F(CGpuTextureTest, NewUploadReplacesTheScaledCopy)
{
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, [](int, int) { return uint8_t(50); })));
    EXPECT_EQ(DrawAt(QPoint(0, 0), 0.5, 0.5).pixel(1, 1), Grey(50));
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, [](int, int) { return uint8_t(200); })));
    EXPECT_EQ(DrawAt(QPoint(0, 0), 0.5, 0.5).pixel(1, 1), Grey(200));

    EXPECT_EQ(reuploads_, 0);

    texture_->Reset();
    EXPECT_TRUE(texture_->IsEmpty());
    bool drawn = true;
    EXPECT_EQ(DrawOnly(0.5, 0.5, drawn).pixel(1, 1), GpuframeTestCanvas::Background);
    EXPECT_FALSE(drawn);
}

TEST_F(CGpuTextureTest, ColouredPaletteKeepsItsColours)
{
    const auto warm = [](int i) { return qRgb(255 - i, i, 7); };
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, BlockPattern, warm)));
    EXPECT_EQ(texture_->GetImage().format(), QImage::Format_RGB32);
    const QImage frame = DrawAt(QPoint(0, 0), 1.0, 1.0);
    EXPECT_EQ(frame.pixel(0, 0), warm(BlockPattern(0, 0)));
    EXPECT_EQ(frame.pixel(7, 3), warm(BlockPattern(7, 3)));
    const QImage half = DrawAt(QPoint(0, 0), 0.5, 0.5);
    EXPECT_EQ(half.pixel(0, 0), warm(BlockPattern(0, 0) + 3));
    // Uploaded at that scale, the colours are scaled straight from the bitmap.
    ASSERT_TRUE(Upload(lastBitmap_));
    bool drawn = false;
    const QImage direct = DrawOnly(0.5, 0.5, drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(direct.pixel(0, 0), warm(BlockPattern(0, 0) + 3));
    EXPECT_EQ(direct.pixel(3, 1), warm(BlockPattern(6, 2) + 3));
}

TEST_F(CGpuTextureTest, BitmapNotMatchingIsRefusedAndTheOldPictureStays)
{
    ASSERT_TRUE(Upload(PaletteBitmap::Make(Width, Height, [](int, int) { return uint8_t(90); })));
    struct Damage { const char* name; size_t offset; uint32_t value; int bytes; };
    for (const Damage& d : {Damage{"header size", 0, 41, 4}, Damage{"width", 4, Width - 1, 4},
                            Damage{"height", 8, Height + 1, 4}, Damage{"negative height", 8, uint32_t(-Height), 4},
                            Damage{"planes", 12, 2, 2}, Damage{"bit count", 14, 24, 2},
                            Damage{"compression", 16, 1, 4}}) {
        std::vector<uint8_t> bitmap = PaletteBitmap::Make(Width, Height, BlockPattern);
        PaletteBitmap::PutLittleEndian(bitmap, d.offset, d.value, d.bytes);
        EXPECT_FALSE(Upload(bitmap)) << d.name;
    }
    const std::vector<uint8_t> larger = PaletteBitmap::Make(Width + 4, Height, BlockPattern);
    EXPECT_FALSE(Upload(larger, Width + 4, Height)) << "larger than the texture";
    EXPECT_FALSE(texture_->UploadBitmap(Width, Height, nullptr));
    EXPECT_EQ(texture_->GetImage().pixel(0, 0), Grey(90));

    const std::vector<uint8_t> smaller = PaletteBitmap::Make(Width - 3, Height - 1, BlockPattern);
    EXPECT_TRUE(Upload(smaller, Width - 3, Height - 1));
    EXPECT_EQ(texture_->GetImage().size(), QSize(Width - 3, Height - 1));
}

TEST_F(CGpuTextureTest, FilledIconDrawsPartsWithTransparency)
{
    const uint32_t clear = 0x00FFFFFFu;
    const uint32_t icon[2 * 3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, clear, 0xFFFFFF00u, 0xFF00FFFFu};
    texture_->Create(2, 3);
    ASSERT_TRUE(texture_->Fill(2, 3, icon));
    EXPECT_FALSE(texture_->Fill(3, 3, icon)) << "larger than the texture";
    const QImage frame = canvas_.Frame([&] { texture_->DrawPart(10, 20, QRect(0, 1, 2, 2)); });
    EXPECT_EQ(frame.pixel(10, 20), 0xFF0000FFu);
    EXPECT_EQ(frame.pixel(11, 20), GpuframeTestCanvas::Background);
    EXPECT_EQ(frame.pixel(10, 21), 0xFFFFFF00u);
    EXPECT_EQ(frame.pixel(11, 21), 0xFF00FFFFu);
    EXPECT_EQ(frame.pixel(10, 22), GpuframeTestCanvas::Background);
    EXPECT_EQ(frame.pixel(10, 19), GpuframeTestCanvas::Background);
}

} // namespace
