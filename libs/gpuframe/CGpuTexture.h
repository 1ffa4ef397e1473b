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
// threads at once (its owner guards it with a lock).
//
// Memory: with the OpenGL backend the picture is kept once (8 bits per pixel
// while the palette is grey). With the raster backend a texture keeps what it
// draws: an upload made while SetScale asks for a smaller drawing size is
// scaled straight from the bitmap, row by row, into a copy of that size, and
// no full-size picture is kept at all; a picture kept at full size (uploaded
// at scale 1 or enlarged, or filled) becomes a copy the first time it is
// drawn smaller, and an uploaded one is then dropped. Only pictures from Fill
// stay whole beside their copy (icons are drawn part by part from them). The
// owner of an uploaded frame rebuilds it when Draw says so (see Draw). Reset
// hands everything back to the system at once (pictures live in pages of
// their own, see PageImage.h).
// Errors: a bitmap that does not match (width, height) or a picture larger
// than the size given to Create is refused (false; the old picture stays).
// Cost: an upload touches every pixel once, plus the rescale when it stores a
// copy; drawing at the stored size is one blit. A scaled copy is only kept
// while it is no larger than the picture: a picture drawn enlarged is scaled
// by the painter on the fly, which touches only the pixels in view.

#include "GpuframeApi.h"

#include <QImage>
#include <QRect>
#include <cstdint>

class CGpuEngine;
class QPainter;

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
    // True when it holds neither a picture nor a copy.
    bool IsEmpty() const;
    int GetWidth() const;
    int GetHeight() const;

    void Prepare();
    // Also the drawing size the next upload stores (raster backend).
    void SetScale(double sx, double sy);
    void SetPosition(int x, int y);
    // Draws the picture at the position, int(width × sx) by int(height × sy)
    // pixels, so that pictures drawn in a row or column tile without gaps.
    // False when the texture holds neither a copy of that size nor the full
    // picture (never uploaded, reset, or uploaded for another scale): upload
    // again, with this scale set, and draw again. True otherwise, also when
    // there is nothing to draw (an empty size, no frame in progress).
    bool Draw();
    // Draws `source` of the full picture unscaled with its top-left at (x, y);
    // nothing when only a scaled copy is kept.
    void DrawPart(int x, int y, const QRect& source);

    // The full picture when kept, else the drawing copy (top row first), for
    // tests and tools.
    QImage GetImage() const;

private:
    QSize DrawSize() const;
    bool FitsCreatedSize(int width, int height) const;
    bool KeepsScaledCopy(QSize size) const;
    bool StoresOnlyCopy(QSize drawSize) const;
    bool DrawScaledFromPicture(QPainter& painter, QPoint at, QSize size);

    CGpuEngine& engine_;
    int width_ = 0;
    int height_ = 0;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    int x_ = 0;
    int y_ = 0;
    // The size of what was last uploaded or filled, whether or not its
    // picture is kept.
    QSize pictureSize_;
    QImage picture_;
    QImage scaled_;
    // The picture came from UploadBitmap, so its owner can rebuild it and it
    // need not be kept beside a smaller copy.
    bool rebuildable_ = false;
};
