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
// raster backend, one copy scaled for drawing; Reset frees both.
// Errors: a bitmap that does not match (width, height) is refused (false).

#include "GpuframeApi.h"

#include <QImage>
#include <QRect>
#include <cstdint>

class CGpuEngine;

class GPUFRAME_API CGpuTexture
{
public:
    explicit CGpuTexture(CGpuEngine& engine);

    // Declares the texture's size; the picture starts empty.
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
    CGpuEngine& engine_;
    int width_ = 0;
    int height_ = 0;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    int x_ = 0;
    int y_ = 0;
    QImage picture_;
    QImage scaled_;
};
