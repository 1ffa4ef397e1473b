#pragma once
// How fast the capture loops move the view, from the speed settings 0 … 9.
// Pure and cheap; any thread; no errors.

#include "LumetraImageApi.h"

// Automatic paging turns a page every 10 / (VScrollSpeed + 1) seconds.
LUMETRAIMAGE_API double AutoPagePeriodSeconds(int vScrollSpeed);

// Arrow-key scrolling, rows per second: V = frameHeight × (VScrollSpeed + 1)
// / 4; a third of it while Ctrl is held, three times it while Shift (and not
// Ctrl) is held.
LUMETRAIMAGE_API double VerticalScrollRate(int frameHeight, int vScrollSpeed, bool ctrl, bool shift);

// Arrow-key scrolling across, pixels per second: 2000 × (HScrollSpeed + 1)
// / 100.
LUMETRAIMAGE_API double HorizontalScrollRate(int hScrollSpeed);
