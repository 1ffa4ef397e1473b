// The view's geometry as free functions: one table of cases per topic.
#include "Centring.h"
#include "ColumnLayout.h"
#include "FrameGeometry.h"
#include "RowScroll.h"
#include "ScrollInfo.h"
#include "ScrollSpeeds.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

// Found by argument lookup next to ImagePosition, so failures print positions.
static std::ostream& operator<<(std::ostream& out, const ImagePosition& p)
{
    return out << "(image " << p.image << ", offset " << p.offset << ")";
}

namespace {

// The centring steps exactly as designed, a frame at a time, to hold the
// one-step arithmetic against.
ImagePosition CentreStepByStep(int h, double zoom, int frames, int clientHeight, int n, int fy)
{
    const int v = std::min(static_cast<int>(h * zoom) * frames + 50, clientHeight);
    const int half = (v - 50) / 2;
    int row = fy - static_cast<int>(half / zoom);
    while (row >= h) {
        row -= h;
        n += 1;
    }
    while (row < 0) {
        row += h;
        if (n < 2)
            row = 0;
        n -= 1;
    }
    return ImagePosition{n, row};
}

} // namespace

TEST(ViewGeometryTest, ImageNumbersStayWithinTheFrames)
{
    const struct { int image; int total; int shown; } cases[] = {
        {600, 500, 500}, {-3, 500, 1}, {0, 500, 1}, {250, 500, 250}, {500, 500, 500},
        {7, 1, 1}, {-7, 1, 1}, {3, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ClampImageNumber(c.image, c.total), c.shown) << c.image << " of " << c.total;
}

TEST(ViewGeometryTest, ColumnsArePlacedFiveApartInABlockWithMargins)
{
    // Three columns of frames 1000, 1000 and 500 wide at zoom 0.5.
    const std::vector<int> widths{ColumnWidth(1000, 0.5, 1.0), ColumnWidth(1000, 0.5, 1.0), ColumnWidth(500, 0.5, 1.0)};
    EXPECT_EQ(widths, (std::vector<int>{500, 500, 250}));
    const ColumnSpan span = PlaceColumns(widths);
    EXPECT_EQ(span.lefts, (std::vector<int>{0, 505, 1010}));
    EXPECT_EQ(span.blockWidth, 1300);

    EXPECT_EQ(PlaceColumns({}).blockWidth, 40);
    EXPECT_EQ(ColumnWidth(1000, 0.5, 1.5), 750);
    EXPECT_EQ(ColumnWidth(999, 0.5, 1.0), 499); // truncated, not rounded
    EXPECT_EQ(BlockHeight(2000, 0.25, 3), 500 * 3 + 50);
    EXPECT_EQ(BlockHeight(999, 0.5, 2), 499 * 2 + 50);
}

TEST(ViewGeometryTest, BlockIsCentredOnlyWhileAlignedToTheMiddleAndSmaller)
{
    const struct { int client; int block; int align; int offset; } cases[] = {
        {1000, 1300, 0, 0}, {2000, 1300, 0, 350}, {1301, 1300, 0, 0}, {1303, 1300, 0, 1},
        {2000, 1300, 1, 0}, {2000, 1300, -1, 0}, {0, 1300, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(AlignmentOffset(c.client, c.block, c.align), c.offset)
            << "client " << c.client << ", block " << c.block << ", align " << c.align;
}

TEST(ViewGeometryTest, HorizontalBarScrollsOnlyWhileTheBlockIsWider)
{
    const struct { int client; int block; int horz; int position; bool scrolls; } cases[] = {
        {1000, 1300, 120, 120, true},
        {2000, 1300, 120, 0, false},
        {1300, 1300, 50, 0, false}, // the page covers the block
        {1299, 1300, 7, 7, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "client " << c.client << ", block " << c.block);
        const ScrollInfo info = HorizontalScrollInfo(c.client, c.block, c.horz);
        EXPECT_EQ(info.minimum, 0);
        EXPECT_EQ(info.maximum, c.block);
        EXPECT_EQ(info.page, c.client);
        EXPECT_EQ(info.position, c.position);
        EXPECT_EQ(CanScroll(info), c.scrolls);
    }
}

TEST(ViewGeometryTest, ScrollingByRowsStopsAtBothEnds)
{
    const int h = 100;
    const int total = 50;
    const struct { ImagePosition start; int delta; ImagePosition end; } cases[] = {
        {{1, 10}, -50, {1, 0}},      // above the first image: stops at its top
        {{3, 10}, -250, {1, 0}},
        {{5, 10}, -20, {4, 90}},
        {{5, 10}, -10, {5, 0}},
        {{5, 10}, 0, {5, 10}},
        {{5, 10}, 100, {6, 10}},
        {{5, 10}, 295, {8, 5}},
        {{49, 50}, 60, {50, 0}},     // runs into the last image: its top
        {{50, 0}, 1, {50, 0}},       // from the last image any step down stays
        {{50, 0}, 100000, {50, 0}},
        {{60, 30}, 5, {50, 0}},
        {{50, 0}, -1, {49, 99}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollRows(h, c.start, c.delta, total), c.end) << c.start << " by " << c.delta;

    // Frames without rows cannot be scrolled through; huge deltas do not wrap.
    EXPECT_EQ(ScrollRows(0, {5, 10}, 300, total), (ImagePosition{5, 0}));
    EXPECT_EQ(ScrollRows(h, {5, 10}, std::numeric_limits<int>::max(), total), (ImagePosition{50, 0}));
    EXPECT_EQ(ScrollRows(h, {5, -10}, std::numeric_limits<int>::min(), total), (ImagePosition{1, 0}));
}

TEST(ViewGeometryTest, WheelTurnsImagesByWholeNotchesAndZoomsInSteps)
{
    const struct { int delta; int images; } steps[] = {{60, 0}, {-60, 0}, {120, -1}, {240, -2}, {-120, 1}, {-359, 2}};
    for (const auto& c : steps)
        EXPECT_EQ(WheelImageStep(c.delta), c.images) << "delta " << c.delta;

    const struct { double zoom; int delta; double result; } zooms[] = {
        {1.0, 120, 1.02}, {1.0, -120, 0.98}, {1.0, 0, 0.98}, {1.0, 1, 1.02},
        {0.01, -120, 0.01}, {0.02, -120, 0.01}, {8.0, 120, 8.0}, {7.99, 120, 8.0}};
    for (const auto& c : zooms)
        EXPECT_DOUBLE_EQ(WheelZoom(c.zoom, c.delta), c.result) << c.zoom << " by " << c.delta;
}

TEST(ViewGeometryTest, ScrollBarActionsAskForLinesPagesThumbAndEnds)
{
    using A = QAbstractSlider;
    const struct { A::SliderAction action; int target; } cases[] = {
        {A::SliderSingleStepAdd, 101}, {A::SliderSingleStepSub, 99}, {A::SliderPageStepAdd, 110},
        {A::SliderPageStepSub, 90}, {A::SliderMove, 333}, {A::SliderToMinimum, 0},
        {A::SliderToMaximum, 510}, {A::SliderNoAction, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(ScrollActionTarget(c.action, 100, 333, 10, 510), c.target) << "action " << c.action;
}

TEST(ViewGeometryTest, CentringPutsThePointHalfWayDownTheVisibleRows)
{
    // Frames 300 rows tall at zoom 1, two per screen: 650 pixels of block in a
    // 500-pixel client, so the point goes (500 − 50) / 2 = 225 rows down.
    const struct { int image; int fy; int client; ImagePosition expected; } cases[] = {
        {5, 40, 500, {4, 115}},
        {5, 225, 500, {5, 0}},
        {5, 700, 500, {6, 175}},   // a point below its frame's end counts on into the next
        {1, 40, 500, {0, 0}},      // the rows run out above image 1
        {2, 40, 500, {1, 115}},
        {2, -400, 500, {0, 0}},
        {5, 40, 2000, {4, 40}},    // a tall client: the block's own height counts (v = 650)
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentreOnRow(300, 1.0, 2, c.client, c.image, c.fy), c.expected)
            << "image " << c.image << ", fy " << c.fy << ", client " << c.client;

    EXPECT_EQ(CentreOnRow(0, 1.0, 2, 500, 7, 40), (ImagePosition{7, 0}));
}

TEST(ViewGeometryTest, CentringInOneStepMatchesTheFrameByFrameSteps)
{
    for (int image = -1; image <= 6; ++image) {
        for (int fy = -1300; fy <= 1300; fy += 37) {
            for (double zoom : {0.3, 1.0, 2.5}) {
                EXPECT_EQ(CentreOnRow(200, zoom, 3, 700, image, fy), CentreStepByStep(200, zoom, 3, 700, image, fy))
                    << "image " << image << ", fy " << fy << ", zoom " << zoom;
            }
        }
    }
}

TEST(ViewGeometryTest, CentredOffsetAndBarPosition)
{
    EXPECT_EQ(CentredOffset(4, 115, 50), 115);
    EXPECT_EQ(CentredOffset(50, 115, 50), 0); // the last image shows from its top
    EXPECT_EQ(CentredOffset(0, 115, 50), 0);
    EXPECT_EQ(CentredOffset(1, 115, 1), 0);

    EXPECT_EQ(CentredHorzPosition(1500, 1.0, 1.0, 20, 600), 1500 + 20 - 300);
    EXPECT_EQ(CentredHorzPosition(1500, 0.5, 2.0, 525, 1001), 1500 + 525 - 500);
    EXPECT_EQ(CentredHorzPosition(999, 0.5, 1.0, 20, 600), 499 + 20 - 300);
}

TEST(ViewGeometryTest, RowsAndFramePointsOfAColumn)
{
    EXPECT_EQ(VisibleRowCount(3, 0), 3);
    EXPECT_EQ(VisibleRowCount(3, 1), 4);
    // Zoom 0.5, 101 rows scrolled out, frames 301 rows: rows 150 pixels apart
    // starting 50 above the column's top.
    EXPECT_EQ(RowTop(125, 0.5, 101, 0, 301), 125 - 50);
    EXPECT_EQ(RowTop(125, 0.5, 101, 2, 301), 125 - 50 + 300);
    // Those rows under window rows y, 4 of them (75 … 674).
    const struct { int y; int row; } hits[] = {{74, -1}, {75, 0}, {224, 0}, {225, 1}, {674, 3}, {675, -1}};
    for (const auto& c : hits)
        EXPECT_EQ(RowAt(c.y, 125, 0.5, 101, 301, 4), c.row) << "y " << c.y;
    EXPECT_EQ(FramePointAt(QPoint(251, 290), QPoint(200, 275), 0.5, 1.0), QPoint(102, 30));
    EXPECT_EQ(FramePointAt(QPoint(251, 290), QPoint(200, 275), 0.5, 2.0), QPoint(51, 30));
}

TEST(ViewGeometryTest, IntCastsAreTruncatedAndStayDefined)
{
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(std::nan("")), 0);
    EXPECT_EQ(TruncateToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncateToInt(-std::numeric_limits<double>::infinity()), std::numeric_limits<int>::min());
}

TEST(ViewGeometryTest, LoopSpeedsFollowTheirSettings)
{
    EXPECT_DOUBLE_EQ(AutoPagePeriodSeconds(4), 2.0);
    EXPECT_DOUBLE_EQ(AutoPagePeriodSeconds(9), 1.0);
    EXPECT_DOUBLE_EQ(AutoPagePeriodSeconds(0), 10.0);

    EXPECT_DOUBLE_EQ(VerticalScrollRate(2000, 1, false, false), 1000.0);
    EXPECT_DOUBLE_EQ(VerticalScrollRate(2000, 1, true, false), 1000.0 / 3);
    EXPECT_DOUBLE_EQ(VerticalScrollRate(2000, 1, false, true), 3000.0);
    EXPECT_DOUBLE_EQ(VerticalScrollRate(2000, 1, true, true), 1000.0 / 3); // Ctrl wins
    EXPECT_DOUBLE_EQ(VerticalScrollRate(101, 0, false, false), 25.25);

    EXPECT_DOUBLE_EQ(HorizontalScrollRate(0), 20.0);
    EXPECT_DOUBLE_EQ(HorizontalScrollRate(9), 200.0);
}
