#pragma once
// An 8-bit grey picture, rows top to bottom, each row padded to a multiple of
// 4 bytes. Allocation zero-fills, so a raster nothing was drawn into is black.
// A value type: cheap to move, a copy duplicates the pixels. One thread at a time.

#include <cstddef>
#include <cstdint>
#include <vector>

class GreyRaster
{
public:
    GreyRaster() = default;
    // `width` x `height` pixels (negative sizes give an empty raster) plus
    // `slack` spare zero bytes after the last row.
    GreyRaster(int width, int height, size_t slack = 0);

    // Bytes per row for a width: ((width * 8 + 31) / 32) * 4.
    static int StrideFor(int width);

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    // Every byte, padding and slack included.
    size_t byteCount() const { return bytes_.size(); }

    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* row(int y) { return bytes_.data() + static_cast<size_t>(y) * stride_; }
    const uint8_t* row(int y) const { return bytes_.data() + static_cast<size_t>(y) * stride_; }
    bool contains(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y < height_; }

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<uint8_t> bytes_;
};
