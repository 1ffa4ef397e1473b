#pragma once
// JPEG helpers over grey rasters, on LumetraJpeg. Each call builds its own
// codec and buffers; nothing is cached, so any thread may call them. Cost:
// one decode or encode of the picture. A damaged JPEG never ends the process:
// what each helper then does is stated with it.

#include "GreyRaster.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// The largest frame side the decoding helpers accept; a header claiming more
// is treated as damaged rather than allocated.
constexpr int kMaxDecodedSide = 16384;

// Creates or truncates `path` and writes `count` bytes in one write. false
// (nothing reported) when the file cannot be created or written.
bool WriteBufferToFile(const QString& path, const uint8_t* bytes, size_t count);

// Decodes the whole greyscale image into `raster`, which is replaced by a
// raster of the image's size. Always 1; when the header cannot be read or the
// data is damaged, colour or larger than kMaxDecodedSide, `raster` is left untouched.
int DecodeJpegGray(const uint8_t* bytes, size_t count, GreyRaster& raster);

// The same, answering whether `raster` was replaced.
bool TryDecodeJpegGray(const uint8_t* bytes, size_t count, GreyRaster& raster);

// 1 when the header reads and declares exactly expectedWidth x expectedHeight,
// else 0. Reads only the header.
int CheckJpegSize(const uint8_t* bytes, size_t count, int expectedWidth, int expectedHeight);

// Encodes the top-left width x height of `source` as a baseline greyscale JPEG
// at quality 100. Succeeds only when the encoding is not empty and fits
// *byteCount bytes: then it is copied to `output` and *byteCount set. Otherwise
// (also when the size does not fit `source`) false, and `output` and
// *byteCount stay unchanged.
bool EncodeGrayJpeg(int width, int height, const GreyRaster& source, uint8_t* output,
                    int* byteCount);
