#include "ColumnLayout.h"

#include "FrameGeometry.h"

#include <algorithm>

int ColumnWidth(int frameWidth, double zoom, double scale)
{
    return TruncateToInt(frameWidth * zoom * scale);
}

ColumnSpan PlaceColumns(const std::vector<int>& widths)
{
    ColumnSpan span;
    int x = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (i > 0)
            x += ColumnGap;
        span.lefts.push_back(x);
        x += widths[i];
    }
    span.blockWidth = x + BlockExtraWidth;
    return span;
}

int BlockHeight(int referenceFrameHeight, double zoom, int framesPerScreen)
{
    return TruncateToInt(referenceFrameHeight * zoom) * framesPerScreen + BlockExtraHeight;
}

int AlignmentOffset(int clientExtent, int blockExtent, int align)
{
    if (align != 0)
        return 0;
    return std::max(0, (clientExtent - blockExtent) / 2);
}
