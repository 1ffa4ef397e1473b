#pragma once
// JPEG decoding and encoding over libjpeg, with its fatal errors contained: a
// corrupt stream fails the call with a reason and never ends the process.
// Each call builds and destroys its own codec, so any thread may call them.
// Cost: one pass over the stream; nothing is cached between calls. libjpeg's
// warnings are never printed; they become the error text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct JpegImageInfo
{
    int width = 0;
    int height = 0;
    int components = 0;
};

// Reads only the header. false with `error` set when it cannot be read.
bool ReadJpegHeader(const uint8_t* data, size_t size, JpegImageInfo* info, std::string* error);

// Decodes a single-component image into `dest` (rows `destStride` apart; a
// negative stride writes the rows upwards from `dest`, as a bottom-up bitmap
// stores them).
// Refuses (false) an image with more than one component or larger than
// maxWidth x maxHeight, before writing anything. `info` may be null.
// A truncated or damaged stream (libjpeg pads it and only warns) also fails;
// `dest` may then hold partly decoded rows.
bool DecodeJpegGray(const uint8_t* data, size_t size, uint8_t* dest, int destStride,
                    int maxWidth, int maxHeight, JpegImageInfo* info, std::string* error);

// Encodes a grey raster (rows `stride` apart) as a baseline greyscale JPEG.
// `quality` is 1 to 100; `out` is replaced only on success.
bool EncodeJpegGray(const uint8_t* source, int width, int height, int stride, int quality,
                    std::vector<uint8_t>* out, std::string* error);
