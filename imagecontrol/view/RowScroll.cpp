#include "RowScroll.h"

#include <algorithm>
#include <limits>

namespace {

int SaturatingAdd(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

ImagePosition ScrollUp(int frameHeight, ImagePosition at)
{
    while (at.offset < 0) {
        if (at.image >= 2) {
            at.image -= 1;
            at.offset += frameHeight;
        } else {
            at = ImagePosition{1, 0};
        }
    }
    return at;
}

ImagePosition ScrollDown(int frameHeight, ImagePosition at, int totalFrames)
{
    if (at.image >= totalFrames)
        return ImagePosition{totalFrames, 0};
    while (at.offset >= frameHeight) {
        at.image += 1;
        if (at.image < totalFrames)
            at.offset -= frameHeight;
        else
            at = ImagePosition{totalFrames, 0};
    }
    return at;
}

} // namespace

ImagePosition ScrollRows(int frameHeight, ImagePosition start, int deltaRows, int totalFrames)
{
    if (frameHeight < 1)
        return ImagePosition{start.image, 0};
    ImagePosition at{start.image, SaturatingAdd(start.offset, deltaRows)};
    if (at.offset < 0)
        return ScrollUp(frameHeight, at);
    return ScrollDown(frameHeight, at, totalFrames);
}
