#include "TrackPalette.h"

#include <algorithm>

namespace {

PaletteEntry Grey(int value)
{
    const auto v = static_cast<uint8_t>(std::clamp(value, 0, 255));
    return PaletteEntry{v, v, v, 0};
}

} // namespace

int FrameStride(int width)
{
    return ((width * 8 + 31) / 32) * 4;
}

TrackPalette IdentityPalette()
{
    TrackPalette palette;
    for (int i = 0; i < 256; ++i)
        palette[i] = Grey(i);
    return palette;
}

TrackPalette BuildLinearPalette(int brightness, int contrast)
{
    const int offset = brightness - (contrast - 10) * 127 / 10;
    TrackPalette palette;
    for (int i = 0; i < 256; ++i)
        palette[i] = Grey(offset + contrast * i / 10);
    return palette;
}

TrackPalette BuildEqualisationPalette(const FrameRaster& raster, int levels)
{
    levels = std::clamp(levels, 1, 256);
    TrackPalette palette = IdentityPalette();
    const double pixelCount = static_cast<double>(raster.Width) * raster.Height;
    if (pixelCount <= 0)
        return palette;
    std::vector<double> histogram(levels, 0.0);
    for (int row = 0; row < raster.Height; ++row) {
        const uint8_t* line = raster.Bits.data() + static_cast<size_t>(row) * raster.Stride;
        for (int column = 0; column < raster.Width; ++column) {
            if (line[column] < levels)
                histogram[line[column]] += 1.0;
        }
    }
    double cumulative = 0.0;
    for (int i = 0; i < levels; ++i) {
        cumulative += histogram[i];
        palette[i] = Grey(static_cast<int>(cumulative * 255.0 / pixelCount));
    }
    return palette;
}
