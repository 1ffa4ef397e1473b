#include "CGpuPrimitive.h"

#include "CGpuEngine.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any screen, yet spans between two such pixels still fit an int:
// a damaged defect record mapped at a high zoom must not wrap round.
constexpr double FarthestPixel = double(1 << 24);

int PixelOf(double coordinate)
{
    return int(std::floor(std::clamp(coordinate, -FarthestPixel, FarthestPixel)));
}

// A pixel span first … last along one axis, inclusive, in either order.
struct Span
{
    int First;
    int Last;
};

Span Ordered(int a, int b)
{
    return a <= b ? Span{a, b} : Span{b, a};
}

// Qt's aliased pens are centred on the line; this moves a slanted line by
// half a pen so that it grows right and down like the straight ones.
QPointF LineShift(int pen)
{
    return QPointF(pen / 2.0, pen / 2.0);
}

} // namespace

CGpuPrimitive::CGpuPrimitive(CGpuEngine& engine) : engine_(engine)
{
}

void CGpuPrimitive::SetWidth(int width)
{
    width_ = width;
}

void CGpuPrimitive::SetUnitRect(double x1, double y1, double x2, double y2, uint32_t argb)
{
    isLine_ = false;
    shape_ = QLineF(x1, y1, x2, y2);
    argb_ = argb;
}

void CGpuPrimitive::SetLine(double x1, double y1, double x2, double y2, uint32_t argb)
{
    isLine_ = true;
    shape_ = QLineF(x1, y1, x2, y2);
    argb_ = argb;
}

void CGpuPrimitive::SetPosition(int x, int y)
{
    x_ = x;
    y_ = y;
}

void CGpuPrimitive::DrawMapped(const QRect& rect, double sx, double sy)
{
    // The rect's own corners (not normalised): a line from (1, 1) to (0, 0)
    // runs from right/bottom to left/top whichever way the rect was made.
    const double left = x_ + rect.left() * sx;
    const double top = y_ + rect.top() * sy;
    const double right = x_ + rect.right() * sx;
    const double bottom = y_ + rect.bottom() * sy;
    const auto mapX = [&](double u) { return PixelOf(left + u * (right - left)); };
    const auto mapY = [&](double v) { return PixelOf(top + v * (bottom - top)); };
    Draw(QPoint(mapX(shape_.x1()), mapY(shape_.y1())), QPoint(mapX(shape_.x2()), mapY(shape_.y2())));
}

void CGpuPrimitive::DrawAt(int x, int y)
{
    Draw(QPoint(x + PixelOf(shape_.x1()), y + PixelOf(shape_.y1())),
         QPoint(x + PixelOf(shape_.x2()), y + PixelOf(shape_.y2())));
}

void CGpuPrimitive::Reset()
{
    // Nothing is kept on the device side: a primitive is its shape and colour.
}

int CGpuPrimitive::PenWidth() const
{
    return std::max(1, width_ / 2);
}

void CGpuPrimitive::Draw(QPoint from, QPoint to)
{
    QPainter* painter = engine_.CurrentPainter();
    if (!painter)
        return;
    if (isLine_)
        DrawLine(*painter, from, to);
    else
        DrawOutline(*painter, from, to);
}

// The outline lies inside the pixels first … last on both axes, so a box
// never reaches past the area it marks; a box thinner than two pens is solid.
void CGpuPrimitive::DrawOutline(QPainter& painter, QPoint corner, QPoint opposite) const
{
    const Span xs = Ordered(corner.x(), opposite.x());
    const Span ys = Ordered(corner.y(), opposite.y());
    const int width = xs.Last - xs.First + 1;
    const int height = ys.Last - ys.First + 1;
    const int across = std::min(PenWidth(), width);
    const int down = std::min(PenWidth(), height);
    const QColor colour = QColor::fromRgba(argb_);
    painter.fillRect(QRect(xs.First, ys.First, width, down), colour);
    painter.fillRect(QRect(xs.First, ys.Last - down + 1, width, down), colour);
    painter.fillRect(QRect(xs.First, ys.First, across, height), colour);
    painter.fillRect(QRect(xs.Last - across + 1, ys.First, across, height), colour);
}

// A line covers its end points and grows by the pen's width to the right of
// a vertical line and downwards otherwise, so the divider (0, 0)-(4, 0) at
// (x, y) covers x … x + 4 on rows y … y + pen − 1.
void CGpuPrimitive::DrawLine(QPainter& painter, QPoint from, QPoint to) const
{
    const int pen = PenWidth();
    const QColor colour = QColor::fromRgba(argb_);
    if (from.y() == to.y()) {
        const Span xs = Ordered(from.x(), to.x());
        painter.fillRect(QRect(xs.First, from.y(), xs.Last - xs.First + 1, pen), colour);
        return;
    }
    if (from.x() == to.x()) {
        const Span ys = Ordered(from.y(), to.y());
        painter.fillRect(QRect(from.x(), ys.First, pen, ys.Last - ys.First + 1), colour);
        return;
    }
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const QPointF shift = LineShift(pen);
    painter.drawLine(QPointF(from) + shift, QPointF(to) + shift);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
}
