// The grey raster and the JPEG helpers of the program: sizes, containment of
// damaged frames, the encoder's buffer rule and the outline rule.
#include "BigFileMaker.h"
#include "DefectImage.h"
#include "GreyRaster.h"
#include "JpegHelpers.h"
#include "RgbJpeg.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

GreyRaster filledRaster(int width, int height, uint8_t value)
{
    GreyRaster raster(width, height);
    for (int y = 0; y < height; ++y)
        std::fill_n(raster.row(y), width, value);
    return raster;
}

std::vector<uint8_t> randomBytes(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

} // namespace

TEST(GreyRaster, StrideRoundsTheWidthUpToFourBytesAndStartsBlack)
{
    const std::pair<int, int> widthToStride[] = {{1, 4}, {3, 4}, {4, 4}, {5, 8}, {2047, 2048}, {2048, 2048}, {0, 0}, {-3, 0}};
    for (auto [width, stride] : widthToStride)
        EXPECT_EQ(GreyRaster::StrideFor(width), stride) << width;
    const GreyRaster raster(5, 3, 16);
    EXPECT_EQ(raster.byteCount(), 8u * 3 + 16);
    EXPECT_TRUE(std::all_of(raster.data(), raster.data() + raster.byteCount(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(GreyRaster(0, 7).isEmpty());
}

TEST(JpegHelpers, DecodeFillsTheRasterAtTheImageSize)
{
    const auto jpeg = MakeGreyJpeg(10, 6, [](int x, int y) { return uint8_t(x * 20 + y); });
    GreyRaster raster(3, 3);
    EXPECT_EQ(DecodeJpegGray(jpeg.data(), jpeg.size(), raster), 1);
    ASSERT_EQ(raster.width(), 10);
    ASSERT_EQ(raster.height(), 6);
    EXPECT_EQ(raster.stride(), 12);
    EXPECT_NEAR(raster.row(5)[9], 9 * 20 + 5, 3);
}

TEST(JpegHelpers, DamagedFramesLeaveTheRasterUntouched)
{
    const auto good = MakeFlatJpeg(32, 32, 90);
    const std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
    const auto colour = MakeRgbJpeg(8, 8);
    const auto noise = randomBytes(500, 3);
    for (const auto* bad : {&truncated, &colour, &noise}) {
        GreyRaster raster = filledRaster(4, 4, 7);
        EXPECT_EQ(DecodeJpegGray(bad->data(), bad->size(), raster), 1);
        EXPECT_EQ(raster.width(), 4);
        EXPECT_EQ(raster.row(3)[3], 7);
    }
    GreyRaster raster = filledRaster(4, 4, 7);
    EXPECT_EQ(DecodeJpegGray(nullptr, 0, raster), 1);
    EXPECT_EQ(raster.row(0)[0], 7);
}

TEST(JpegHelpers, CheckJpegSizeComparesTheHeaderOnly)
{
    const auto jpeg = MakeGreyJpeg(48, 16, [](int x, int y) { return uint8_t(x * y * 37); });
    // Cut inside the scan data: the header is whole, the picture is not.
    const std::vector<uint8_t> headerPart(jpeg.begin(), jpeg.end() - 30);
    EXPECT_EQ(CheckJpegSize(jpeg.data(), jpeg.size(), 48, 16), 1);
    EXPECT_EQ(CheckJpegSize(headerPart.data(), headerPart.size(), 48, 16), 1);
    EXPECT_EQ(CheckJpegSize(jpeg.data(), jpeg.size(), 48, 17), 0);
    EXPECT_EQ(CheckJpegSize(jpeg.data(), jpeg.size(), 16, 48), 0);
    const auto noise = randomBytes(300, 5);
    EXPECT_EQ(CheckJpegSize(noise.data(), noise.size(), 48, 16), 0);
}

TEST(JpegHelpers, EncodeSucceedsOnlyWhenTheJpegFitsTheBuffer)
{
    const GreyRaster picture = filledRaster(40, 30, 128);
    std::vector<uint8_t> buffer(100000, 0xEE);
    int count = static_cast<int>(buffer.size());
    ASSERT_TRUE(EncodeGrayJpeg(40, 30, picture, buffer.data(), &count));
    EXPECT_EQ(CheckJpegSize(buffer.data(), count, 40, 30), 1);

    const int needed = count;
    std::vector<uint8_t> small(needed - 1, 0xEE);
    int smallCount = needed - 1;
    EXPECT_FALSE(EncodeGrayJpeg(40, 30, picture, small.data(), &smallCount));
    EXPECT_EQ(smallCount, needed - 1);
    EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](uint8_t b) { return b == 0xEE; }));

    int exact = needed;
    EXPECT_TRUE(EncodeGrayJpeg(40, 30, picture, buffer.data(), &exact));
    // A size beyond the raster is refused rather than read past its end.
    int count2 = static_cast<int>(buffer.size());
    EXPECT_FALSE(EncodeGrayJpeg(41, 30, picture, buffer.data(), &count2));
}

TEST(JpegHelpers, WriteBufferToFileTruncatesAndFailsQuietly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.jpg");
    const uint8_t longer[] = {1, 2, 3, 4, 5}, shorter[] = {9, 8};
    EXPECT_TRUE(WriteBufferToFile(path, longer, sizeof longer));
    EXPECT_TRUE(WriteBufferToFile(path, shorter, sizeof shorter));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x09\x08", 2));
    EXPECT_FALSE(WriteBufferToFile(dir.filePath("missing/out.jpg"), shorter, sizeof shorter));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/out.jpg")));
}

namespace {

// Inverted pixels of a 10 x 8 black raster after one outline.
std::vector<std::pair<int, int>> outlinePixels(int x0, int y0, int x1, int y1)
{
    GreyRaster raster(10, 8);
    InvertRectOutline(raster, x0, y0, x1, y1);
    std::vector<std::pair<int, int>> inverted;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (raster.row(y)[x] == 0xFF)
                inverted.emplace_back(x, y);
    return inverted;
}

} // namespace

TEST(InvertRectOutline, SidesSkipTheRowBelowTheTopEdge)
{
    using Pixels = std::vector<std::pair<int, int>>;
    // Box (2,1)-(4,5): top row 1, bottom row 5, sides on rows 3 and 4 only.
    EXPECT_EQ(outlinePixels(2, 1, 4, 5),
              (Pixels{{2, 1}, {3, 1}, {4, 1}, {2, 3}, {4, 3}, {2, 4}, {4, 4}, {2, 5}, {3, 5}, {4, 5}}));
    // Touching the right and bottom border: x = 10 and y = 8 are skipped.
    EXPECT_EQ(outlinePixels(7, 3, 10, 8),
              (Pixels{{7, 3}, {8, 3}, {9, 3}, {7, 5}, {7, 6}, {7, 7}}));
    // Entirely outside: nothing, and no cost for a huge box.
    EXPECT_TRUE(outlinePixels(-100000000, -100000000, -50, -60).empty());
    EXPECT_TRUE(outlinePixels(-5, -5, 2000000000, 2000000000).empty());
}
