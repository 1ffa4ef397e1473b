#include "ScrollInfo.h"

#include <QScrollBar>
#include <algorithm>

namespace
{
// The largest position a bar with this range and page can take.
int LastScrollPosition(int minimum, int maximum, int page)
{
    const int last = page > 0 ? maximum - page + 1 : maximum;
    return std::max(minimum, last);
}
}

void ApplyScrollInfo(QScrollBar& bar, const ScrollInfo& info)
{
    const int page = std::max(0, info.page);
    bar.setRange(info.minimum, LastScrollPosition(info.minimum, info.maximum, page));
    bar.setPageStep(std::max(1, page));
    bar.setValue(info.position);
}

bool CanScroll(const ScrollInfo& info)
{
    return info.page < info.maximum - info.minimum;
}

ScrollInfo HorizontalScrollInfo(int clientWidth, int blockWidth, int horzScroll)
{
    const bool blockIsWider = clientWidth < blockWidth;
    return ScrollInfo{0, blockWidth, clientWidth, blockIsWider ? horzScroll : 0};
}

int ScrollActionTarget(QAbstractSlider::SliderAction action, int position, int tracking, int page, int maximum)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return position - 1;
    case QAbstractSlider::SliderSingleStepAdd:
        return position + 1;
    case QAbstractSlider::SliderPageStepSub:
        return position - page;
    case QAbstractSlider::SliderPageStepAdd:
        return position + page;
    case QAbstractSlider::SliderMove:
        return tracking;
    case QAbstractSlider::SliderToMinimum:
        return 0;
    case QAbstractSlider::SliderToMaximum:
        return maximum;
    case QAbstractSlider::SliderNoAction:
        break;
    }
    return position;
}
