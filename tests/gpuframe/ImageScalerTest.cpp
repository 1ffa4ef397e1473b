// The raster backend's scaler: exact area averages with partial overlaps,
// flat areas kept exactly at uneven ratios, nearest pixels when enlarging,
// and four-channel pictures.
#include "ImageScaler.h"

#include <gtest/gtest.h>

namespace {

QImage GreyImage(int width, int height, const std::function<int(int, int)>& valueAt)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = uchar(valueAt(x, y));
    }
    return image;
}

QImage Scaled(const QImage& source, QSize size)
{
    QImage scaled;
    ScaleImage(source, size, scaled);
    return scaled;
}

TEST(ImageScaler, ShrinkingAveragesTheCoveredArea)
{
    // Three pixels into two: each target pixel takes one and a half sources.
    const QImage row = GreyImage(3, 1, [](int x, int) { return 90 * x; });
    const QImage two = Scaled(row, QSize(2, 1));
    ASSERT_EQ(two.format(), QImage::Format_RGB32);
    EXPECT_EQ(two.pixel(0, 0), qRgb(30, 30, 30));
    EXPECT_EQ(two.pixel(1, 0), qRgb(150, 150, 150));

    const QImage column = GreyImage(1, 3, [](int, int y) { return 90 * y; });
    EXPECT_EQ(Scaled(column, QSize(1, 2)).pixel(0, 1), qRgb(150, 150, 150));
}

TEST(ImageScaler, FlatAreasKeepTheirValueAtAnyRatio)
{
    const QImage flat = GreyImage(2048, 20, [](int, int) { return 77; });
    for (const QSize size : {QSize(819, 8), QSize(7, 3), QSize(2048, 20), QSize(3000, 7), QSize(1, 1)}) {
        const QImage scaled = Scaled(flat, size);
        ASSERT_EQ(scaled.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                ASSERT_EQ(scaled.pixel(x, y), qRgb(77, 77, 77)) << size.width() << "x" << size.height() << " at " << x << "," << y;
        }
    }
}

TEST(ImageScaler, EnlargingRepeatsTheNearestPixel)
{
    const QImage source = GreyImage(2, 2, [](int x, int y) { return 10 + 100 * x + 50 * y; });
    const QImage scaled = Scaled(source, QSize(6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(qRed(scaled.pixel(x, y)), 10 + 100 * (x / 3) + 50 * (y / 2)) << x << "," << y;
    }
}

TEST(ImageScaler, FourChannelPicturesAverageEachChannel)
{
    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(200, 0, 10));
    colour.setPixel(1, 0, qRgb(100, 50, 30));
    const QImage mixed = Scaled(colour, QSize(1, 1));
    EXPECT_EQ(mixed.format(), QImage::Format_RGB32);
    EXPECT_EQ(mixed.pixel(0, 0), qRgb(150, 25, 20));

    QImage icon(2, 1, QImage::Format_ARGB32_Premultiplied);
    icon.setPixel(0, 0, 0xFF804020u);
    icon.setPixel(1, 0, 0x00000000u);
    const QImage faded = Scaled(icon, QSize(1, 1));
    EXPECT_EQ(faded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(reinterpret_cast<const QRgb*>(faded.constScanLine(0))[0], 0x80402010u) << "premultiplied halves";

    EXPECT_TRUE(Scaled(QImage(), QSize(4, 4)).isNull());
    EXPECT_TRUE(Scaled(colour, QSize(0, 4)).isNull());
}

} // namespace
