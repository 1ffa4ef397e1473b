#include "GreyRaster.h"

GreyRaster::GreyRaster(int width, int height, size_t slack)
{
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    stride_ = StrideFor(width);
    bytes_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(height) + slack, 0);
}

int GreyRaster::StrideFor(int width)
{
    if (width <= 0)
        return 0;
    // 64-bit so that widths near INT_MAX / 8 do not overflow on the way.
    return static_cast<int>(((static_cast<int64_t>(width) * 8 + 31) / 32) * 4);
}
