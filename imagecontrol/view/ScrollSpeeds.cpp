#include "ScrollSpeeds.h"

double AutoPagePeriodSeconds(int vScrollSpeed)
{
    return 10.0 / (vScrollSpeed + 1);
}

double VerticalScrollRate(int frameHeight, int vScrollSpeed, bool ctrl, bool shift)
{
    const double base = frameHeight * (vScrollSpeed + 1) / 4.0;
    if (ctrl)
        return base / 3;
    if (shift)
        return base * 3;
    return base;
}

double HorizontalScrollRate(int hScrollSpeed)
{
    return 2000.0 * (hScrollSpeed + 1) / 100;
}
