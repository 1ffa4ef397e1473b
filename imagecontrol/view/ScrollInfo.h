#pragma once
// Scroll bars are given their range the Windows way: minimum … maximum
// includes the page, so the last reachable position is maximum − page + 1
// (maximum itself when the page is 0). A bar whose page covers the whole range
// has nothing to scroll and hides. Cheap; user-interface thread for the bar,
// any thread for the pure functions; no errors (the bar clamps positions).

#include "LumetraImageApi.h"

#include <QAbstractSlider>

class QScrollBar;

struct ScrollInfo
{
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
};

// Sets range, page and position (clamped into the range) of the bar.
LUMETRAIMAGE_API void ApplyScrollInfo(QScrollBar& bar, const ScrollInfo& info);

// True when the bar has something to scroll: its page is smaller than
// maximum − minimum.
LUMETRAIMAGE_API bool CanScroll(const ScrollInfo& info);

// The horizontal bar for a block `blockWidth` wide: range 0 … W with the
// client width as page; the position stays at horzScroll while the client is
// narrower than the block, and goes to 0 when the block fits.
LUMETRAIMAGE_API ScrollInfo HorizontalScrollInfo(int clientWidth, int blockWidth, int horzScroll);

// The position a scroll bar action asks for, before the bar clamps it: a line
// (1) or a page from `position`, the thumb's tracking position, 0 for the
// top / left end, `maximum` for the bottom / right end.
LUMETRAIMAGE_API int ScrollActionTarget(QAbstractSlider::SliderAction action, int position, int tracking, int page,
                                        int maximum);
