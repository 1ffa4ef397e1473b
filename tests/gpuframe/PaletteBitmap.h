#pragma once
// 8-bit palette bitmaps as the loaders build them: a 40-byte header, 256
// palette entries (blue, green, red, 0), rows bottom-up padded to 4 bytes.

#include <QColor>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

struct PaletteBitmap
{
    // `indexAt(x, y)` gives the index of the pixel in row y counted from the
    // top; `colourOf(i)` the palette entry (identity grey by default).
    static std::vector<uint8_t> Make(int width, int height, const std::function<uint8_t(int, int)>& indexAt,
                                     const std::function<QRgb(int)>& colourOf = [](int i) { return qRgb(i, i, i); })
    {
        const int stride = ((width * 8 + 31) / 32) * 4;
        std::vector<uint8_t> bitmap(40 + 1024 + size_t(stride) * height, 0);
        PutLittleEndian(bitmap, 0, 40, 4);
        PutLittleEndian(bitmap, 4, uint32_t(width), 4);
        PutLittleEndian(bitmap, 8, uint32_t(height), 4);
        PutLittleEndian(bitmap, 12, 1, 2);
        PutLittleEndian(bitmap, 14, 8, 2);
        PutLittleEndian(bitmap, 32, 256, 4);
        for (int i = 0; i < 256; ++i) {
            const QRgb colour = colourOf(i);
            bitmap[40 + 4 * i] = uint8_t(qBlue(colour));
            bitmap[40 + 4 * i + 1] = uint8_t(qGreen(colour));
            bitmap[40 + 4 * i + 2] = uint8_t(qRed(colour));
        }
        for (int y = 0; y < height; ++y) {
            uint8_t* row = bitmap.data() + 40 + 1024 + size_t(height - 1 - y) * stride;
            for (int x = 0; x < width; ++x)
                row[x] = indexAt(x, y);
        }
        return bitmap;
    }

    static void PutLittleEndian(std::vector<uint8_t>& bitmap, size_t at, uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            bitmap[at + i] = uint8_t(value >> (8 * i));
    }
};
