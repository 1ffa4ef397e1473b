// LumetraJpeg: greyscale round trips, refusals before any write, and damaged
// streams contained as failures.
#include "JpegCodec.h"
#include "RgbJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <thread>

namespace {

std::vector<uint8_t> gradient(int width, int height, int stride)
{
    std::vector<uint8_t> raster(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            raster[static_cast<size_t>(y) * stride + x] = static_cast<uint8_t>((x * 3 + y * 5) & 0xFF);
    return raster;
}

std::vector<uint8_t> encodeGradient(int width, int height)
{
    std::vector<uint8_t> jpeg;
    std::string error;
    const auto raster = gradient(width, height, width);
    EXPECT_TRUE(EncodeJpegGray(raster.data(), width, height, width, 100, &jpeg, &error)) << error;
    return jpeg;
}

} // namespace

TEST(JpegCodec, GreyRoundTripKeepsSizeAndPixelsAtQuality100)
{
    const int width = 37, height = 23, stride = 40;
    const auto source = gradient(width, height, stride);
    std::vector<uint8_t> jpeg;
    std::string error;
    ASSERT_TRUE(EncodeJpegGray(source.data(), width, height, stride, 100, &jpeg, &error)) << error;

    JpegImageInfo header;
    ASSERT_TRUE(ReadJpegHeader(jpeg.data(), jpeg.size(), &header, &error)) << error;
    EXPECT_EQ(header.width, width);
    EXPECT_EQ(header.height, height);
    EXPECT_EQ(header.components, 1);

    std::vector<uint8_t> decoded(static_cast<size_t>(stride) * height, 0);
    JpegImageInfo info;
    ASSERT_TRUE(DecodeJpegGray(jpeg.data(), jpeg.size(), decoded.data(), stride, width, height,
                               &info, &error)) << error;
    EXPECT_EQ(info.width, width);
    int worst = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * stride + x;
            worst = std::max(worst, std::abs(int(decoded[at]) - int(source[at])));
        }
    EXPECT_LE(worst, 3);
    // The padding after each row is not the decoder's to touch.
    EXPECT_EQ(decoded[width], 0);
}

TEST(JpegCodec, RefusesBeforeWritingAnything)
{
    const auto grey = encodeGradient(16, 8);
    const auto colour = MakeRgbJpeg(16, 8);
    struct Case
    {
        const char* name;
        const std::vector<uint8_t>* jpeg;
        int stride, maxWidth, maxHeight;
    } cases[] = {
        {"three components", &colour, 64, 64, 64},
        {"wider than the limit", &grey, 64, 15, 64},
        {"taller than the limit", &grey, 64, 64, 7},
        {"stride below the width", &grey, 15, 64, 64},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> dest(64 * 16, 0xAB);
        std::string error;
        EXPECT_FALSE(DecodeJpegGray(c.jpeg->data(), c.jpeg->size(), dest.data(), c.stride,
                                    c.maxWidth, c.maxHeight, nullptr, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(std::count(dest.begin(), dest.end(), 0xAB), long(dest.size())) << c.name;
    }
}

TEST(JpegCodec, DamagedStreamsFailWithAReason)
{
    const auto good = encodeGradient(64, 64);
    std::mt19937 random(7);
    std::vector<uint8_t> noise(2000);
    for (auto& byte : noise)
        byte = static_cast<uint8_t>(random());
    std::vector<uint8_t> noiseAfterMarker = noise;
    noiseAfterMarker[0] = 0xFF;
    noiseAfterMarker[1] = 0xD8;
    const std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
    const std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 20);
    std::vector<uint8_t> scrambledScan = good;
    for (size_t i = good.size() / 2; i < good.size() - 2; i += 7)
        scrambledScan[i] = 0xFF;

    const std::vector<uint8_t>* streams[] = {&noise, &noiseAfterMarker, &truncated, &headerOnly,
                                             &scrambledScan};
    for (const auto* stream : streams) {
        std::vector<uint8_t> dest(64 * 64);
        std::string error;
        EXPECT_FALSE(DecodeJpegGray(stream->data(), stream->size(), dest.data(), 64, 64, 64,
                                    nullptr, &error));
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(ReadJpegHeader(noise.data(), noise.size(), nullptr, &error));
    EXPECT_FALSE(ReadJpegHeader(nullptr, 0, nullptr, &error));
    EXPECT_EQ(error, "no JPEG data");
    // The header of a truncated stream is still readable: only decoding fails.
    JpegImageInfo info;
    EXPECT_TRUE(ReadJpegHeader(truncated.data(), truncated.size(), &info, &error));
    EXPECT_EQ(info.width, 64);
}

TEST(JpegCodec, EncoderRejectsBadArguments)
{
    std::vector<uint8_t> raster(16, 0);
    std::vector<uint8_t> out = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(EncodeJpegGray(raster.data(), 0, 4, 4, 100, &out, &error));
    EXPECT_FALSE(EncodeJpegGray(raster.data(), 4, 4, 3, 100, &out, &error));
    EXPECT_FALSE(EncodeJpegGray(raster.data(), 4, 4, 4, 0, &out, &error));
    EXPECT_FALSE(EncodeJpegGray(nullptr, 4, 4, 4, 100, &out, &error));
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(JpegCodec, ThreadsDecodeAndEncodeAtOnce)
{
    const auto good = encodeGradient(128, 64);
    std::vector<uint8_t> bad(good.begin(), good.begin() + good.size() / 3);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            std::vector<uint8_t> dest(128 * 64);
            for (int i = 0; i < 50; ++i) {
                const auto& stream = (i + t) % 2 ? good : bad;
                const bool ok = DecodeJpegGray(stream.data(), stream.size(), dest.data(), 128, 128,
                                               64, nullptr, nullptr);
                if (ok != (&stream == &good))
                    ++failures;
                std::vector<uint8_t> out;
                if (!EncodeJpegGray(dest.data(), 128, 64, 128, 90, &out, nullptr))
                    ++failures;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}
