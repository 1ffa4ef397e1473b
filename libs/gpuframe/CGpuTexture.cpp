#include "CGpuTexture.h"

#include "CGpuEngine.h"
#include "ImageScaler.h"
#include "PageImage.h"

#include <QPainter>

#include <array>
#include <cstring>

namespace {

constexpr int BitmapHeaderBytes = 40;
constexpr int PaletteEntries = 256;
constexpr int PaletteBytes = PaletteEntries * 4;

template <class T>
T ReadLittleEndian(const uint8_t* at)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= T(T(at[i]) << (8 * i));
    return value;
}

bool HeaderMatches(const uint8_t* bitmap, int width, int height)
{
    return ReadLittleEndian<uint32_t>(bitmap) == BitmapHeaderBytes
        && int32_t(ReadLittleEndian<uint32_t>(bitmap + 4)) == width
        && int32_t(ReadLittleEndian<uint32_t>(bitmap + 8)) == height
        && ReadLittleEndian<uint16_t>(bitmap + 12) == 1     // planes
        && ReadLittleEndian<uint16_t>(bitmap + 14) == 8     // bits per pixel
        && ReadLittleEndian<uint32_t>(bitmap + 16) == 0;    // uncompressed
}

bool PaletteIsGrey(const uint8_t* palette)
{
    for (int i = 0; i < PaletteEntries; ++i) {
        const uint8_t* entry = palette + 4 * i;
        if (entry[0] != entry[1] || entry[1] != entry[2])
            return false;
    }
    return true;
}

// Bitmap rows run bottom-up; the picture's run top-down.
template <class Pixel, class Table>
void MapRows(const uint8_t* indices, int stride, const Table& table, QImage& picture)
{
    const int width = picture.width();
    const int height = picture.height();
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = indices + size_t(height - 1 - y) * size_t(stride);
        Pixel* target = reinterpret_cast<Pixel*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            target[x] = table[source[x]];
    }
}

// Reuses the picture's buffer when size and format stay (frame after frame
// of one channel); a shared picture is copied on write by QImage.
void EnsurePicture(QImage& picture, QSize size, QImage::Format format)
{
    if (picture.size() != size || picture.format() != format)
        picture = NewPageImage(size, format);
}

} // namespace

CGpuTexture::CGpuTexture(CGpuEngine& engine) : engine_(engine)
{
}

int CGpuTexture::Create(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 1;
    width_ = width;
    height_ = height;
    Reset();
    return 0;
}

bool CGpuTexture::Fill(int width, int height, const uint32_t* argbPixels)
{
    if (!argbPixels || !FitsCreatedSize(width, height))
        return false;
    QImage picture(reinterpret_cast<const uchar*>(argbPixels), width, height, width * 4, QImage::Format_ARGB32);
    picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture_.isNull())
        return false;
    RefreshScaledCopy();
    return true;
}

bool CGpuTexture::UploadBitmap(int width, int height, const uint8_t* bitmap)
{
    if (!bitmap || !FitsCreatedSize(width, height) || !HeaderMatches(bitmap, width, height))
        return false;
    const uint8_t* palette = bitmap + BitmapHeaderBytes;
    const uint8_t* indices = palette + PaletteBytes;
    const int stride = ((width * 8 + 31) / 32) * 4;
    if (PaletteIsGrey(palette)) {
        EnsurePicture(picture_, QSize(width, height), QImage::Format_Grayscale8);
        if (picture_.isNull())
            return false;
        std::array<uint8_t, PaletteEntries> grey;
        for (int i = 0; i < PaletteEntries; ++i)
            grey[i] = palette[4 * i];
        MapRows<uint8_t>(indices, stride, grey, picture_);
    } else {
        EnsurePicture(picture_, QSize(width, height), QImage::Format_RGB32);
        if (picture_.isNull())
            return false;
        std::array<uint32_t, PaletteEntries> colours;
        for (int i = 0; i < PaletteEntries; ++i) {
            const uint8_t* entry = palette + 4 * i;
            colours[i] = qRgb(entry[2], entry[1], entry[0]);
        }
        MapRows<uint32_t>(indices, stride, colours, picture_);
    }
    RefreshScaledCopy();
    return true;
}

void CGpuTexture::Reset()
{
    picture_ = QImage();
    scaled_ = QImage();
}

bool CGpuTexture::IsEmpty() const
{
    return picture_.isNull();
}

int CGpuTexture::GetWidth() const
{
    return width_;
}

int CGpuTexture::GetHeight() const
{
    return height_;
}

void CGpuTexture::Prepare()
{
    // Nothing to set up: each Draw is complete in itself.
}

void CGpuTexture::SetScale(double sx, double sy)
{
    scaleX_ = sx;
    scaleY_ = sy;
}

void CGpuTexture::SetPosition(int x, int y)
{
    x_ = x;
    y_ = y;
}

void CGpuTexture::Draw()
{
    QPainter* painter = engine_.CurrentPainter();
    if (!painter || picture_.isNull())
        return;
    const QSize size = DrawSize();
    if (size.isEmpty())
        return;
    const QPoint at(x_, y_);
    if (engine_.GetBackend() == CGpuEngine::Backend::OpenGL) {
        const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter->drawImage(QRect(at, size), picture_);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        return;
    }
    drawnSize_ = size;
    if (size == picture_.size()) {
        scaled_ = QImage();
        painter->drawImage(at, picture_);
    } else if (KeepsScaledCopy(size)) {
        if (scaled_.size() != size)
            ScaleToCopy(size);
        painter->drawImage(at, scaled_);
    } else {
        scaled_ = QImage();
        painter->drawImage(QRect(at, size), picture_);
    }
}

void CGpuTexture::DrawPart(int x, int y, const QRect& source)
{
    QPainter* painter = engine_.CurrentPainter();
    if (!painter || picture_.isNull())
        return;
    const QRect part = source.intersected(picture_.rect());
    if (part.isEmpty())
        return;
    painter->drawImage(QPoint(x, y) + (part.topLeft() - source.topLeft()), picture_, part);
}

QImage CGpuTexture::GetImage() const
{
    return picture_;
}

QSize CGpuTexture::DrawSize() const
{
    return QSize(int(picture_.width() * scaleX_), int(picture_.height() * scaleY_));
}

bool CGpuTexture::FitsCreatedSize(int width, int height) const
{
    return width > 0 && height > 0 && width <= width_ && height <= height_;
}

// An enlarged copy could reach hundreds of megabytes at the highest zoom.
bool CGpuTexture::KeepsScaledCopy(QSize size) const
{
    return int64_t(size.width()) * size.height() <= int64_t(picture_.width()) * picture_.height();
}

// Runs where the picture changed (a loader thread for frames), so the
// user-interface thread finds the copy ready for the scale it draws at.
void CGpuTexture::RefreshScaledCopy()
{
    const bool wanted = engine_.GetBackend() == CGpuEngine::Backend::Raster && drawnSize_.isValid()
        && !drawnSize_.isEmpty() && drawnSize_ != picture_.size() && KeepsScaledCopy(drawnSize_);
    if (wanted)
        ScaleToCopy(drawnSize_);
    else
        scaled_ = QImage();
}

void CGpuTexture::ScaleToCopy(QSize size)
{
    EnsurePicture(scaled_, size, ScaledImageFormat(picture_.format()));
    ScaleImage(picture_, size, scaled_);
}
