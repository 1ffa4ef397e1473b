#pragma once
// The staging bitmap a frame is uploaded from: a 40-byte BITMAPINFOHEADER
// (little-endian), the channel's 256 palette entries and the grey rows,
// bottom row first, each padded to FrameStride(width). The texture maps the
// rows through the palette. Pure functions, any thread; the cost is one copy
// of the rows.

#include "LumetraImageApi.h"
#include "TrackPalette.h"

#include <cstddef>
#include <cstdint>

constexpr int BitmapHeaderBytes = 40;
constexpr int BitmapPaletteBytes = 256 * 4;

// Bytes of the bitmap for a frame of width x height (0 for an empty size).
LUMETRAIMAGE_API size_t FrameBitmapBytes(int width, int height);

// Writes the bitmap into `dest` (FrameBitmapBytes(width, height) bytes) from
// `bottomUpRows` (rows FrameStride(width) apart, bottom row first). Flipped
// mirrors every row left-right; the row order stays.
LUMETRAIMAGE_API void WriteFrameBitmap(uint8_t* dest, const uint8_t* bottomUpRows, int width, int height,
                                       const TrackPalette& palette, bool flipped);
