#pragma once
// Where Layout puts the channel columns: their widths, their left edges in
// display order, the block they form (W × H) and how that block is centred
// in the client area. Pure and cheap; any thread; no errors (a zero zoom
// gives empty columns).
//
// The block leaves 20 pixels on the left and 50 on top for the column
// headers and the status line; columns are 5 pixels apart.

#include "LumetraImageApi.h"

#include <vector>

constexpr int ColumnGap = 5;
constexpr int BlockExtraWidth = 40;
constexpr int BlockExtraHeight = 50;
constexpr int ColumnsLeftMargin = 20;
constexpr int ColumnsTopMargin = 50;

// Width of a column on screen: int(frameWidth × zoom × scale).
LUMETRAIMAGE_API int ColumnWidth(int frameWidth, double zoom, double scale);

struct ColumnSpan
{
    std::vector<int> lefts; // left edge of each column, the first at 0
    int blockWidth = 0;     // W: right edge of the last column + 40
};

// Columns of these widths placed side by side from x 0, 5 pixels apart.
LUMETRAIMAGE_API ColumnSpan PlaceColumns(const std::vector<int>& widths);

// H: int(referenceFrameHeight × zoom) × F + 50.
LUMETRAIMAGE_API int BlockHeight(int referenceFrameHeight, double zoom, int framesPerScreen);

// dx (or dy): (client − block) / 2 while align is 0 (centred), else 0; never
// below 0, so a block larger than the client starts at its edge.
LUMETRAIMAGE_API int AlignmentOffset(int clientExtent, int blockExtent, int align);
