#pragma once
// Centring the view on a point of a frame (GoToFault and the double-click
// zoom): which image and row go to the top so that the point sits half-way
// down the visible rows, and where the horizontal bar goes so that it sits in
// the middle across. Pure and cheap (constant time); any thread; no errors.

#include "LumetraImageApi.h"
#include "RowScroll.h"

// The image and row for point row fy of frame `image`: the visible height v
// is int(referenceFrameHeight × zoom) × F + 50, at most the client height;
// the point goes (v − 50) / 2 pixels below the top. The image may come out
// as 0 or beyond the last frame (GoToImage clamps it); the row is the offset
// within it. A frame height below 1 leaves the image with row 0.
LUMETRAIMAGE_API ImagePosition CentreOnRow(int referenceFrameHeight, double zoom, int framesPerScreen,
                                           int clientHeight, int image, int fy);

// The offset the view keeps after going to the centred image: the row while
// the image lies strictly between 0 and the last frame, else 0.
LUMETRAIMAGE_API int CentredOffset(int image, int row, int totalFrames);

// The horizontal bar's position that centres frame pixel fx of a column at
// channelX: int(fx × zoom × scale) + channelX − page / 2.
LUMETRAIMAGE_API int CentredHorzPosition(int fx, double zoom, double scale, int channelX, int page);
