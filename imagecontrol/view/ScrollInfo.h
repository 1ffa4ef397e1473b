#pragma once
// Scroll bars are given their range the Windows way: minimum … maximum
// includes the page, so the last reachable position is maximum − page + 1
// (maximum itself when the page is 0). A bar whose page covers the whole range
// has nothing to scroll and hides. Cheap; user-interface thread.

class QScrollBar;

struct ScrollInfo
{
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
};

// Sets range, page and position (clamped into the range) of the bar.
void ApplyScrollInfo(QScrollBar& bar, const ScrollInfo& info);
