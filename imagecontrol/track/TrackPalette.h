#pragma once
// The grey map of a channel: entry i is the colour shown for decoded value i,
// stored as a bitmap palette entry (blue, green, red, 0). Builders are pure
// and cheap; any thread.

#include "LumetraImageApi.h"

#include <array>
#include <cstdint>
#include <vector>

struct PaletteEntry
{
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
};
static_assert(sizeof(PaletteEntry) == 4, "a bitmap palette entry is 4 bytes");

using TrackPalette = std::array<PaletteEntry, 256>;

// A full frame as grey values, top row first (GetFrameGray's result).
struct FrameRaster
{
    int Width = 0;
    int Height = 0;
    int Stride = 0;             // ((Width * 8 + 31) / 32) * 4
    std::vector<uint8_t> Bits;  // Height * Stride bytes
};

// Bytes per row of an 8-bit bitmap `width` pixels wide.
LUMETRAIMAGE_API int FrameStride(int width);
LUMETRAIMAGE_API TrackPalette IdentityPalette();
// Brightness -200 … 200 and contrast 10 … 60 as the adjustment dialog sends
// them; the contrast pivots around grey 127.
LUMETRAIMAGE_API TrackPalette BuildLinearPalette(int brightness, int contrast);
// Histogram equalisation of the values below `levels` (1 … 256); entries
// from `levels` up stay the identity.
LUMETRAIMAGE_API TrackPalette BuildEqualisationPalette(const FrameRaster& raster, int levels);
