#include "FrameGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

int ClampImageNumber(int image, int totalFrames)
{
    if (image <= 0 || totalFrames < 2)
        return 1;
    return image > totalFrames ? totalFrames : image;
}

double ClampZoom(double zoom)
{
    if (!(zoom >= MinimumZoom)) // also catches NaN
        return MinimumZoom;
    return std::min(zoom, MaximumZoom);
}

double WheelZoom(double zoom, int delta)
{
    return ClampZoom(delta < 1 ? zoom - WheelZoomStep : zoom + WheelZoomStep);
}

int WheelImageStep(int delta)
{
    return -delta / WheelNotch;
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), lowest, highest));
}

int VisibleRowCount(int framesPerScreen, int currentOffset)
{
    return currentOffset != 0 ? framesPerScreen + 1 : framesPerScreen;
}

int RowTop(int columnY, double zoom, int currentOffset, int row, int frameHeight)
{
    return columnY + TruncateToInt(zoom * -currentOffset) + row * TruncateToInt(zoom * frameHeight);
}

int RowAt(int y, int columnY, double zoom, int currentOffset, int frameHeight, int rows)
{
    const int rowHeight = TruncateToInt(zoom * frameHeight);
    for (int row = 0; row < rows; ++row) {
        const int top = RowTop(columnY, zoom, currentOffset, row, frameHeight);
        if (y >= top && y < top + rowHeight)
            return row;
    }
    return -1;
}

QPoint FramePointAt(QPoint windowPoint, QPoint frameOrigin, double zoom, double scale)
{
    return QPoint(TruncateToInt((windowPoint.x() - frameOrigin.x()) / (zoom * scale)),
                  TruncateToInt((windowPoint.y() - frameOrigin.y()) / zoom));
}
