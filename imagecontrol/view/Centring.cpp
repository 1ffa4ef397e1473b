#include "Centring.h"

#include "ColumnLayout.h"
#include "FrameGeometry.h"

#include <algorithm>
#include <climits>

namespace {

// The design steps a frame at a time; these give the same result in one step
// each, so a defect far outside its frame cannot keep the caller busy.
//   while row >= h: row -= h, n += 1
//   while row < 0:  row += h, and row := 0 when n < 2; n -= 1
ImagePosition StepRowIntoFrame(long long n, long long row, long long h)
{
    if (row >= h) {
        n += row / h;
        row %= h;
    } else if (row < 0) {
        const long long needed = (-row + h - 1) / h;
        if (n >= needed + 1) {
            n -= needed;
            row += needed * h;
        } else {
            // The rows run out at image 1: one more step lands on row 0.
            n = (n >= 2 ? 1 : n) - 1;
            row = 0;
        }
    }
    return ImagePosition{static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX)), static_cast<int>(row)};
}

} // namespace

ImagePosition CentreOnRow(int referenceFrameHeight, double zoom, int framesPerScreen, int clientHeight, int image,
                          int fy)
{
    const int h = referenceFrameHeight;
    if (h < 1)
        return ImagePosition{image, 0};
    const int visible = std::min(BlockHeight(h, zoom, framesPerScreen), clientHeight);
    const int half = (visible - BlockExtraHeight) / 2;
    const long long row = static_cast<long long>(fy) - TruncateToInt(half / zoom);
    return StepRowIntoFrame(image, row, h);
}

int CentredOffset(int image, int row, int totalFrames)
{
    return image > 0 && image < totalFrames ? row : 0;
}

int CentredHorzPosition(int fx, double zoom, double scale, int channelX, int page)
{
    return TruncateToInt(fx * zoom * scale) + channelX - page / 2;
}
