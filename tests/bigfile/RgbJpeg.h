#pragma once
// A three-component JPEG made with libjpeg directly: the codec under test only
// writes greyscale, and the decoder must refuse colour frames.

#include <cstdint>
#include <vector>

std::vector<uint8_t> MakeRgbJpeg(int width, int height);
