#pragma once
// Row-wise scrolling: the arithmetic every smooth movement of the view shares
// (arrow keys, dragging). A position is an image number and the rows of it
// scrolled out at the top. Pure; costs one step per frame crossed, at most
// totalFrames steps; any thread; no errors (bad heights and huge deltas give
// defined positions).

#include "LumetraImageApi.h"

struct ImagePosition
{
    int image = 1;  // 1-based number of the first visible frame
    int offset = 0; // rows of it scrolled out at the top, 0 … frame height − 1

    bool operator==(const ImagePosition&) const = default;
};

// `start` moved by deltaRows rows of frames frameHeight rows tall. Going up it
// stops at image 1, offset 0; going down it stops at the last image with
// offset 0, and a start at or past the last image goes there whatever the
// delta. A frame height below 1 has no rows to scroll: the image stays and
// the offset becomes 0.
LUMETRAIMAGE_API ImagePosition ScrollRows(int frameHeight, ImagePosition start, int deltaRows, int totalFrames);
