#include "FrameBitmap.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

// Field offsets of BITMAPINFOHEADER.
enum HeaderOffset {
    BiSize = 0,
    BiWidth = 4,
    BiHeight = 8,
    BiPlanes = 12,
    BiBitCount = 14,
    BiCompression = 16,
    BiSizeImage = 20,
    BiXPelsPerMeter = 24,
    BiYPelsPerMeter = 28,
    BiClrUsed = 32,
    BiClrImportant = 36,
};

constexpr int32_t PixelsPerMeterAt72Dpi = 2835;

void WriteHeader(uint8_t* dest, int width, int height)
{
    std::memset(dest, 0, BitmapHeaderBytes);
    qToLittleEndian<uint32_t>(BitmapHeaderBytes, dest + BiSize);
    qToLittleEndian<int32_t>(width, dest + BiWidth);
    qToLittleEndian<int32_t>(height, dest + BiHeight);
    qToLittleEndian<uint16_t>(1, dest + BiPlanes);
    qToLittleEndian<uint16_t>(8, dest + BiBitCount);
    qToLittleEndian<uint32_t>(0, dest + BiCompression);
    qToLittleEndian<uint32_t>(0, dest + BiSizeImage);
    qToLittleEndian<int32_t>(PixelsPerMeterAt72Dpi, dest + BiXPelsPerMeter);
    qToLittleEndian<int32_t>(PixelsPerMeterAt72Dpi, dest + BiYPelsPerMeter);
    qToLittleEndian<uint32_t>(256, dest + BiClrUsed);
    qToLittleEndian<uint32_t>(256, dest + BiClrImportant);
}

} // namespace

size_t FrameBitmapBytes(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    return BitmapHeaderBytes + BitmapPaletteBytes + static_cast<size_t>(FrameStride(width)) * height;
}

void WriteFrameBitmap(uint8_t* dest, const uint8_t* bottomUpRows, int width, int height,
                      const TrackPalette& palette, bool flipped)
{
    if (width <= 0 || height <= 0)
        return;
    WriteHeader(dest, width, height);
    std::memcpy(dest + BitmapHeaderBytes, palette.data(), BitmapPaletteBytes);
    uint8_t* rows = dest + BitmapHeaderBytes + BitmapPaletteBytes;
    const size_t stride = static_cast<size_t>(FrameStride(width));
    if (!flipped) {
        std::memcpy(rows, bottomUpRows, stride * height);
        return;
    }
    for (int row = 0; row < height; ++row) {
        const uint8_t* source = bottomUpRows + row * stride;
        uint8_t* target = rows + row * stride;
        std::reverse_copy(source, source + width, target);
        std::fill(target + width, target + stride, uint8_t{0});
    }
}
