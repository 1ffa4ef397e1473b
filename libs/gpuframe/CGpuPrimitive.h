#pragma once
// A shape of the rendering engine: the outline of the unit rectangle or a
// line, in one colour, drawn mapped onto a rectangle (DrawMapped) or as it is
// (DrawAt). User-interface thread. Draws nothing outside a frame.
// Cost: at most four rectangle fills or one line per draw.

#include "GpuframeApi.h"

#include <QLineF>
#include <QRect>
#include <cstdint>

class CGpuEngine;
class QPainter;

class GPUFRAME_API CGpuPrimitive
{
public:
    explicit CGpuPrimitive(CGpuEngine& engine);

    // The width value counts half pixels: 5 draws lines 2 pixels wide.
    void SetWidth(int width);
    // The outline of (x1, y1)-(x2, y2); the control always passes 0, 0, 1, 1.
    void SetUnitRect(double x1, double y1, double x2, double y2, uint32_t argb);
    void SetLine(double x1, double y1, double x2, double y2, uint32_t argb);
    void SetPosition(int x, int y);
    // The shape with its unit coordinates spread over `rect` (a line from
    // (x1, y1) to (x2, y2) of the rect's corners: left, top, right, bottom),
    // scaled by (sx, sy) and offset by the position: unit x runs from
    // position.x + left × sx to position.x + right × sx (right() of a QRect
    // made from two points is the second point's x), each end falling on the
    // pixel it lies in. An outline is drawn inside those pixels, a line
    // covers its end points; both grow right and down by the pen.
    void DrawMapped(const QRect& rect, double sx, double sy);
    // The shape unscaled at (x, y); the position is not used.
    void DrawAt(int x, int y);
    void Reset();

private:
    int PenWidth() const;
    void Draw(QPoint from, QPoint to);
    void DrawOutline(QPainter& painter, QPoint corner, QPoint opposite) const;
    void DrawLine(QPainter& painter, QPoint from, QPoint to) const;

    CGpuEngine& engine_;
    int width_ = 5;
    bool isLine_ = false;
    QLineF shape_;
    uint32_t argb_ = 0xFF000000u;
    int x_ = 0;
    int y_ = 0;
};
