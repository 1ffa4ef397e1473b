#pragma once
// Free functions of the view's geometry: how image numbers, rows and columns
// map onto the window. Pure and cheap; any thread.

// The image number GoToImage shows for a request of `image`: at least 1, and
// at most totalFrames (always 1 while there are fewer than two frames).
int ClampImageNumber(int image, int totalFrames);
