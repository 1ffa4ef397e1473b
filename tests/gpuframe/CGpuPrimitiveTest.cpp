// Outlines and lines: where a mapped box lands and stays, the pen's width,
// the divider drawn as it is and the ruler's line mapped onto its rectangle.
#include "CGpuPrimitive.h"
#include "GpuframeTestCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Red = 0xFFFF0000u;

class CGpuPrimitiveTest : public ::testing::Test
{
protected:
    CGpuPrimitiveTest() : primitive_(*canvas_.Engine.CreatePrimitive()) { primitive_.SetWidth(5); }

    QImage Mapped(QPoint position, const QRect& rect, double sx, double sy)
    {
        return canvas_.Frame([&] {
            primitive_.SetPosition(position.x(), position.y());
            primitive_.DrawMapped(rect, sx, sy);
        });
    }

    static bool Inked(const QImage& frame, int x, int y) { return frame.pixel(x, y) == Red; }

    GpuframeTestCanvas canvas_;
    CGpuPrimitive& primitive_;
};

// `outer` is the box's outermost pixels; the 2-pixel outline lies inside it.
void ExpectOutline(const QImage& frame, const QRect& outer, const char* name)
{
    const auto inked = [&](int x, int y) { return frame.pixel(x, y) == Red; };
    EXPECT_TRUE(inked(outer.left(), outer.top())) << name;
    EXPECT_TRUE(inked(outer.left() + 1, outer.top() + 1)) << name;
    EXPECT_TRUE(inked(outer.right(), outer.bottom())) << name;
    EXPECT_TRUE(inked(outer.right() - 1, outer.bottom() - 1)) << name;
    EXPECT_FALSE(inked(outer.left() + 2, outer.top() + 2)) << name << ": the inside stays clear";
    EXPECT_FALSE(inked(outer.right() - 2, outer.bottom() - 2)) << name << ": the inside stays clear";
    EXPECT_FALSE(inked(outer.left() - 1, outer.top())) << name;
    EXPECT_FALSE(inked(outer.left(), outer.top() - 1)) << name;
    EXPECT_FALSE(inked(outer.right() + 1, outer.bottom())) << name;
    EXPECT_FALSE(inked(outer.right(), outer.bottom() + 1)) << name;
}

TEST_F(CGpuPrimitiveTest, UnitRectOutlineStaysInsideItsMappedRect)
{
    primitive_.SetUnitRect(0, 0, 1, 1, Red);
    struct Case { const char* name; QPoint position; QRect rect; double sx; double sy; QRect outer; };
    const Case cases[] = {
        {"unscaled", {10, 5}, QRect(QPoint(0, 0), QPoint(20, 10)), 1.0, 1.0, QRect(QPoint(10, 5), QPoint(30, 15))},
        {"a whole frame at zoom 0.01", {3, 4}, QRect(QPoint(0, 0), QPoint(2047, 1999)), 0.01, 0.01,
         QRect(QPoint(3, 4), QPoint(23, 23))},
        {"a defect box, channel scale 0.5 at zoom 2", {1, 2}, QRect(QPoint(10, 4), QPoint(40, 12)), 1.0, 2.0,
         QRect(QPoint(11, 10), QPoint(41, 26))},
        {"a box above the first row", {5, -20}, QRect(QPoint(0, 10), QPoint(30, 40)), 1.0, 1.0,
         QRect(QPoint(5, -10), QPoint(35, 20))},
    };
    for (const Case& c : cases) {
        const QImage frame = Mapped(c.position, c.rect, c.sx, c.sy);
        QRect visible = c.outer;
        if (visible.top() < 0) {
            EXPECT_FALSE(Inked(frame, visible.left() + 5, 0)) << c.name << ": the top edge is out of view";
            EXPECT_TRUE(Inked(frame, visible.left(), 0)) << c.name;
            EXPECT_TRUE(Inked(frame, visible.right(), visible.bottom())) << c.name;
            EXPECT_FALSE(Inked(frame, visible.right(), visible.bottom() + 1)) << c.name;
            continue;
        }
        ExpectOutline(frame, visible, c.name);
    }
}

// A damaged defect record can map far beyond any pixel: the box still runs
// off to the right of its left edge instead of wrapping round.
TEST_F(CGpuPrimitiveTest, BoxReachingFarBeyondThePixelRangeStillStartsAtItsLeftEdge)
{
    primitive_.SetUnitRect(0, 0, 1, 1, Red);
    const QImage frame = Mapped(QPoint(0, 0), QRect(QPoint(2, 10), QPoint(500000000, 20)), 8.0, 1.0);
    EXPECT_TRUE(Inked(frame, 16, 15)) << "left edge";
    EXPECT_TRUE(Inked(frame, 40, 10)) << "top edge";
    EXPECT_FALSE(Inked(frame, 15, 15)) << "nothing left of the box";
}

TEST_F(CGpuPrimitiveTest, DividerCoversItsLengthAndGrowsDownByThePen)
{
    primitive_.SetLine(0, 0, 4, 0, 0xFF00FF00u);
    struct Case { int widthValue; int pen; };
    for (const Case& c : {Case{5, 2}, Case{1, 1}, Case{8, 4}}) {
        primitive_.SetWidth(c.widthValue);
        const QImage frame = canvas_.Frame([&] { primitive_.DrawAt(7, 9); });
        const auto green = [&](int x, int y) { return frame.pixel(x, y) == 0xFF00FF00u; };
        EXPECT_TRUE(green(7, 9) && green(11, 9) && green(11, 9 + c.pen - 1)) << c.widthValue;
        EXPECT_FALSE(green(6, 9) || green(12, 9) || green(7, 8) || green(7, 9 + c.pen)) << c.widthValue;
    }
}

TEST_F(CGpuPrimitiveTest, RulerRunsFromTheRectsSecondCornerToItsFirst)
{
    primitive_.SetLine(1, 1, 0, 0, Red);
    // Straight rulers are exact: the line covers both ends, the pen grows right.
    const QImage upright = Mapped(QPoint(2, 3), QRect(QPoint(20, 30), QPoint(20, 5)), 1.0, 1.0);
    EXPECT_TRUE(Inked(upright, 22, 8) && Inked(upright, 22, 33) && Inked(upright, 23, 20));
    EXPECT_FALSE(Inked(upright, 22, 7) || Inked(upright, 22, 34) || Inked(upright, 24, 20) || Inked(upright, 21, 20));

    // A slanted ruler covers both clicked points, grows right and down like
    // the straight ones, and stays near its line.
    const QImage slanted = Mapped(QPoint(0, 0), QRect(QPoint(5, 5), QPoint(45, 35)), 1.0, 1.0);
    EXPECT_TRUE(Inked(slanted, 5, 5) && Inked(slanted, 45, 35));
    EXPECT_FALSE(Inked(slanted, 4, 5) || Inked(slanted, 5, 4) || Inked(slanted, 4, 4));
    const auto inkNear = [&](int x, int y) {
        return Inked(slanted, x, y) || Inked(slanted, x + 1, y) || Inked(slanted, x, y + 1) || Inked(slanted, x + 1, y + 1);
    };
    EXPECT_TRUE(inkNear(25, 20));
    EXPECT_FALSE(inkNear(45, 5) || inkNear(5, 35) || inkNear(25, 30));
}

} // namespace
