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
