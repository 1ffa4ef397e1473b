#pragma once
// Free functions of the view's geometry: how image numbers, zoom, rows and
// frame pixels map onto the window. Pure and cheap; any thread; every input
// has a defined answer (no errors). Casts to int truncate toward zero, as the
// view's arithmetic is defined.

#include "LumetraImageApi.h"

#include <QPoint>

constexpr double MinimumZoom = 0.01;
constexpr double MaximumZoom = 8.0;
// One notch of Ctrl + wheel changes the zoom by this much.
constexpr double WheelZoomStep = 0.02;
// A wheel notch as the platform counts it.
constexpr int WheelNotch = 120;

// The image number GoToImage shows for a request of `image`: at least 1, and
// at most totalFrames (always 1 while there are fewer than two frames).
LUMETRAIMAGE_API int ClampImageNumber(int image, int totalFrames);

// The zoom kept within MinimumZoom … MaximumZoom (NaN gives the minimum).
LUMETRAIMAGE_API double ClampZoom(double zoom);

// The zoom after Ctrl + wheel: one step smaller for a delta below 1, one step
// larger otherwise, clamped.
LUMETRAIMAGE_API double WheelZoom(double zoom, int delta);

// Images the vertical bar moves for a wheel delta: −delta / 120, so a notch
// away from the user (120) goes one image back and less than a notch nothing.
LUMETRAIMAGE_API int WheelImageStep(int delta);

// int(value) without undefined behaviour: truncated toward zero and held in
// int's range; NaN gives 0. Zoom 0 or huge drags therefore stay defined.
LUMETRAIMAGE_API int TruncateToInt(double value);

// Rows a column shows: F, or F + 1 while the first frame is partly scrolled
// out (offset not 0).
LUMETRAIMAGE_API int VisibleRowCount(int framesPerScreen, int currentOffset);

// Top of row k of a column whose top is columnY:
// columnY + int(zoom × −offset) + k × int(zoom × frameHeight).
LUMETRAIMAGE_API int RowTop(int columnY, double zoom, int currentOffset, int row, int frameHeight);

// The row (0 … rows − 1) of such a column that holds window row y, each row
// int(zoom × frameHeight) pixels tall; −1 above, below or between none.
LUMETRAIMAGE_API int RowAt(int y, int columnY, double zoom, int currentOffset, int frameHeight, int rows);

// A window point in pixels of the frame drawn with its top-left corner at
// frameOrigin, scaled by zoom × scale across and zoom down:
// (int((px − x) / (zoom × scale)), int((py − y) / zoom)).
LUMETRAIMAGE_API QPoint FramePointAt(QPoint windowPoint, QPoint frameOrigin, double zoom, double scale);
