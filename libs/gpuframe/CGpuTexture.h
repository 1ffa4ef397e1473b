#pragma once
// A picture of the rendering engine: a frame of a channel, or an icon.
// Filled from 32-bit ARGB pixels (Fill) or from an 8-bit palette bitmap
// (UploadBitmap, the layout below), then drawn scaled (Prepare, SetScale,
// SetPosition, Draw) or a part of it unscaled (DrawPart).
//
// Bitmap layout taken by UploadBitmap: a 40-byte header (biSize 40, biWidth,
// biHeight > 0, biPlanes 1, biBitCount 8, ...), 256 palette entries of 4
// bytes (blue, green, red, 0), then biHeight rows of biWidth indices, bottom
// row first, each row padded to a multiple of 4 bytes.
//
// Threads: Fill and UploadBitmap may run on a loader thread while the user-
// interface thread draws other textures; one texture is never used by two
// threads at once (its owner guards it with a lock). Memory: the picture is
// kept once (8 bits per pixel while the palette is grey), plus, with the
// raster backend, one copy scaled for drawing; Reset hands both back to the
// system at once (they live in pages of their own, see PageImage.h).
// Errors: a bitmap that does not match (width, height) or a picture larger
// than the size given to Create is refused (false; the old picture stays).
// Cost: an upload touches every pixel once, plus the rescale of the drawing
// copy; drawing at an unchanged scale is one blit. A scaled copy is only kept
// while it is no larger than the picture: a picture drawn enlarged is scaled
// by the painter on the fly, which touches only the pixels in view.

#include "GpuframeApi.h"

#include <QImage>
#include <QRect>
#include <cstdint>

class CGpuEngine;

class GPUFRAME_API CGpuTexture
{
public:
    explicit CGpuTexture(CGpuEngine& engine);

    // Declares the texture's size; the picture starts empty. 0 = done, 1 for
    // a size below 1 x 1.
    int Create(int width, int height);
    bool Fill(int width, int height, const uint32_t* argbPixels);
    bool UploadBitmap(int width, int height, const uint8_t* bitmap);
    // Drops the picture and its scaled copy (before a refill, or to give the
    // memory back while the texture is not needed).
    void Reset();
    bool IsEmpty() const;
    int GetWidth() const;
    int GetHeight() const;

    void Prepare();
    void SetScale(double sx, double sy);
    void SetPosition(int x, int y);
    // Draws the picture at the position, int(width × sx) by int(height × sy)
    // pixels, so that pictures drawn in a row or column tile without gaps.
    void Draw();
    // Draws `source` of the picture unscaled with its top-left at (x, y).
    void DrawPart(int x, int y, const QRect& source);

    // The picture as uploaded (top row first), for tests and tools.
    QImage GetImage() const;

private:
    QSize DrawSize() const;
    bool FitsCreatedSize(int width, int height) const;
    bool KeepsScaledCopy(QSize size) const;
    void RefreshScaledCopy();
    void ScaleToCopy(QSize size);

    CGpuEngine& engine_;
    int width_ = 0;
    int height_ = 0;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    int x_ = 0;
    int y_ = 0;
    QImage picture_;
    QImage scaled_;
    // The size the picture was last drawn at (raster backend), so that a new
    // upload rebuilds the scaled copy on the loader's thread.
    QSize drawnSize_;
};
