#include "CGpuTexture.h"

#include "CGpuEngine.h"
#include "ImageScaler.h"
#include "PageImage.h"

#include <QPainter>

#include <array>
#include <cstring>
#include <vector>

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

// The rows and palette of a bitmap UploadBitmap accepted.
struct BitmapRows
{
    int Width = 0;
    int Height = 0;
    int Stride = 0;
    const uint8_t* Palette = nullptr;
    const uint8_t* Indices = nullptr;

    // Bitmap rows run bottom-up; pictures run top-down.
    const uint8_t* TopDownRow(int y) const { return Indices + size_t(Height - 1 - y) * size_t(Stride); }
};

BitmapRows RowsOf(const uint8_t* bitmap, int width, int height)
{
    BitmapRows rows;
    rows.Width = width;
    rows.Height = height;
    rows.Stride = ((width * 8 + 31) / 32) * 4;
    rows.Palette = bitmap + BitmapHeaderBytes;
    rows.Indices = rows.Palette + PaletteBytes;
    return rows;
}

std::array<uint8_t, PaletteEntries> GreyTable(const uint8_t* palette)
{
    std::array<uint8_t, PaletteEntries> grey;
    for (int i = 0; i < PaletteEntries; ++i)
        grey[i] = palette[4 * i];
    return grey;
}

std::array<uint32_t, PaletteEntries> ColourTable(const uint8_t* palette)
{
    std::array<uint32_t, PaletteEntries> colours;
    for (int i = 0; i < PaletteEntries; ++i) {
        const uint8_t* entry = palette + 4 * i;
        colours[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    return colours;
}

template <class Pixel, class Table>
void MapRow(const uint8_t* indices, int width, const Table& table, Pixel* target)
{
    for (int x = 0; x < width; ++x)
        target[x] = table[indices[x]];
}

template <class Pixel, class Table>
void MapRows(const BitmapRows& bitmap, const Table& table, QImage& picture)
{
    for (int y = 0; y < bitmap.Height; ++y)
        MapRow(bitmap.TopDownRow(y), bitmap.Width, table, reinterpret_cast<Pixel*>(picture.scanLine(y)));
}

// Scales the bitmap's rows, each mapped through the table as the scaler asks
// for it, so no full-size picture exists at any moment: the only scratch is
// one mapped row. The scaler may ask for a row twice running.
template <class Pixel, class Table>
void ScaleMappedRows(const BitmapRows& bitmap, const Table& table, QImage::Format format, QSize size, QImage& into)
{
    std::vector<Pixel> line(size_t(bitmap.Width));
    int mappedRow = -1;
    const auto rowAt = [&](int y) {
        if (y != mappedRow) {
            MapRow(bitmap.TopDownRow(y), bitmap.Width, table, line.data());
            mappedRow = y;
        }
        return reinterpret_cast<const uint8_t*>(line.data());
    };
    ScaleRows(QSize(bitmap.Width, bitmap.Height), format, rowAt, size, into);
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
    scaled_ = QImage();
    rebuildable_ = false;
    pictureSize_ = picture_.size();
    return !picture_.isNull();
}

bool CGpuTexture::UploadBitmap(int width, int height, const uint8_t* bitmap)
{
    if (!bitmap || !FitsCreatedSize(width, height) || !HeaderMatches(bitmap, width, height))
        return false;
    const BitmapRows rows = RowsOf(bitmap, width, height);
    const bool grey = PaletteIsGrey(rows.Palette);
    pictureSize_ = QSize(width, height);
    rebuildable_ = true;
    const QSize drawSize = DrawSize();
    if (StoresOnlyCopy(drawSize)) {
        // Whatever full picture an earlier frame left goes before the copy
        // is made, so the two never stand side by side.
        picture_ = QImage();
        EnsurePicture(scaled_, drawSize, QImage::Format_RGB32);
        if (!scaled_.isNull()) {
            if (grey)
                ScaleMappedRows<uint8_t>(rows, GreyTable(rows.Palette), QImage::Format_Grayscale8, drawSize, scaled_);
            else
                ScaleMappedRows<uint32_t>(rows, ColourTable(rows.Palette), QImage::Format_RGB32, drawSize, scaled_);
        }
    } else {
        scaled_ = QImage();
        EnsurePicture(picture_, pictureSize_, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (!picture_.isNull()) {
            if (grey)
                MapRows<uint8_t>(rows, GreyTable(rows.Palette), picture_);
            else
                MapRows<uint32_t>(rows, ColourTable(rows.Palette), picture_);
        }
    }
    if (IsEmpty()) {
        // The system refused the pages.
        Reset();
        return false;
    }
    return true;
}

void CGpuTexture::Reset()
{
    picture_ = QImage();
    scaled_ = QImage();
    pictureSize_ = QSize();
    rebuildable_ = false;
}

bool CGpuTexture::IsEmpty() const
{
    return picture_.isNull() && scaled_.isNull();
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

bool CGpuTexture::Draw()
{
    if (IsEmpty())
        return false;
    QPainter* painter = engine_.CurrentPainter();
    const QSize size = DrawSize();
    if (!painter || size.isEmpty())
        return true;
    const QPoint at(x_, y_);
    // The common case first: a frame drawn at the scale it was stored for.
    if (scaled_.size() == size) {
        painter->drawImage(at, scaled_);
        return true;
    }
    if (picture_.isNull())
        return false;
    if (engine_.GetBackend() == CGpuEngine::Backend::OpenGL) {
        const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter->drawImage(QRect(at, size), picture_);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        return true;
    }
    return DrawScaledFromPicture(*painter, at, size);
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
    return picture_.isNull() ? scaled_ : picture_;
}

QSize CGpuTexture::DrawSize() const
{
    return QSize(int(pictureSize_.width() * scaleX_), int(pictureSize_.height() * scaleY_));
}

bool CGpuTexture::FitsCreatedSize(int width, int height) const
{
    return width > 0 && height > 0 && width <= width_ && height <= height_;
}

// An enlarged copy could reach hundreds of megabytes at the highest zoom.
bool CGpuTexture::KeepsScaledCopy(QSize size) const
{
    return int64_t(size.width()) * size.height() <= int64_t(pictureSize_.width()) * pictureSize_.height();
}

// The raster backend draws only from the copy, so a frame whose owner can
// upload it again keeps nothing else.
bool CGpuTexture::StoresOnlyCopy(QSize drawSize) const
{
    return engine_.GetBackend() == CGpuEngine::Backend::Raster && rebuildable_ && !drawSize.isEmpty()
        && drawSize != pictureSize_ && KeepsScaledCopy(drawSize);
}

// Raster backend, the picture kept whole: drawn as it is, through a copy
// made now (on the user-interface thread, once per scale), or enlarged on the
// fly.
bool CGpuTexture::DrawScaledFromPicture(QPainter& painter, QPoint at, QSize size)
{
    if (size == picture_.size()) {
        scaled_ = QImage();
        painter.drawImage(at, picture_);
        return true;
    }
    if (!KeepsScaledCopy(size)) {
        scaled_ = QImage();
        painter.drawImage(QRect(at, size), picture_);
        return true;
    }
    EnsurePicture(scaled_, size, ScaledImageFormat(picture_.format()));
    ScaleImage(picture_, size, scaled_);
    if (scaled_.isNull())
        return false;
    if (rebuildable_)
        picture_ = QImage();
    painter.drawImage(at, scaled_);
    return true;
}
