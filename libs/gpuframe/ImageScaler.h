#pragma once
// Scales a picture to an exact size for the raster backend's drawing copy:
// area average on an axis that shrinks, nearest pixel on one that grows,
// in fixed point, one destination row at a time. Grayscale8 and RGB32
// pictures give RGB32, ARGB32_Premultiplied gives ARGB32_Premultiplied (other
// formats are converted to that first).
//
// Cost: about one multiply-add per source pixel plus a few per destination
// pixel (2048 x 2000 grey to 819 x 800 takes a few milliseconds). Any thread;
// the two images must not be used elsewhere meanwhile. An empty source or
// size gives a null image.

#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>

// The format ScaleImage gives for a source of `format`.
QImage::Format ScaledImageFormat(QImage::Format format);

// Writes into `into`, reusing its buffer when it already has the size and
// ScaledImageFormat, so that rescaling frame after frame does not churn the
// heap (and a caller may hand in a buffer of its own making).
void ScaleImage(const QImage& source, QSize size, QImage& into);

// Answers row y of a source, top row first: its samples as the source's
// format lays them out. The row must stay readable until the next call. Rows
// are asked for in rising order, and a row may be asked for again right
// after itself (two destination rows share the source row on their border).
using SourceRowReader = std::function<const uint8_t*(int y)>;

// The same for a Grayscale8 or RGB32 source handed out row by row (into
// RGB32), so that a caller can scale a picture it never holds whole; any
// other format, an empty size or no reader gives a null image.
void ScaleRows(QSize sourceSize, QImage::Format sourceFormat, const SourceRowReader& rowAt, QSize size, QImage& into);
