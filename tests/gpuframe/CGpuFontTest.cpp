// Text through the engine: where it lands, centring and clipping in a
// rectangle, and its measured extent.
#include "CGpuFont.h"
#include "GpuframeTestCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Ink = 0xFFFFFFFFu;

// The bounding box of every pixel that is not the background.
QRect InkBounds(const QImage& frame)
{
    QRect bounds;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.pixel(x, y) != GpuframeTestCanvas::Background)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

class CGpuFontTest : public ::testing::Test
{
protected:
    CGpuFontTest() : canvas_(QSize(200, 80)), font_(*canvas_.Engine.CreateFont())
    {
        font_.Create(20, QStringLiteral("微软雅黑"), 0, 0);
    }

    GpuframeTestCanvas canvas_;
    CGpuFont& font_;
};

TEST_F(CGpuFontTest, TextHangsFromItsTopLeftCorner)
{
    const QImage frame = canvas_.Frame([&] { font_.DrawText(30, 40, QStringLiteral("第 12 号图"), Ink, 0); });
    const QRect ink = InkBounds(frame);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 30);
    EXPECT_LE(ink.left(), 33);
    EXPECT_GE(ink.top(), 40);
    EXPECT_LE(ink.bottom(), 40 + 20 + 6);
}

TEST_F(CGpuFontTest, CentredTextInARectangleIsCentredOrCut)
{
    const unsigned centred = CGpuFont::CenterFormat | CGpuFont::VCenterFormat | CGpuFont::SingleLineFormat;
    const QRect area(0, 0, 200, 80);
    const QImage frame = canvas_.Frame(
        [&] { font_.DrawTextInRect(area, QStringLiteral("当前未载入数据文件"), Ink, centred | CGpuFont::NoClipFormat); });
    const QRect ink = InkBounds(frame);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), area.center().x(), 3);
    EXPECT_NEAR(ink.center().y(), area.center().y(), 4);

    const QRect narrow(90, 30, 20, 20);
    const QRect cut = InkBounds(canvas_.Frame([&] { font_.DrawTextInRect(narrow, QStringLiteral("正在载入大文件..."), Ink, centred); }));
    EXPECT_TRUE(narrow.contains(cut)) << "without NoClipFormat the text stays in its rectangle";
    const QRect spilled = InkBounds(canvas_.Frame(
        [&] { font_.DrawTextInRect(narrow, QStringLiteral("正在载入大文件..."), Ink, centred | CGpuFont::NoClipFormat); }));
    EXPECT_FALSE(narrow.contains(spilled));
}

TEST_F(CGpuFontTest, MeasureGrowsWithTheTextAndTheHeight)
{
    QRect shortText;
    QRect longText;
    font_.Measure(QStringLiteral("添加"), &shortText);
    font_.Measure(QStringLiteral("添加缺陷 x=1 y=2"), &longText);
    EXPECT_EQ(shortText.topLeft(), QPoint(0, 0));
    EXPECT_GT(shortText.width(), 20);
    EXPECT_GT(longText.width(), shortText.width());
    EXPECT_GE(shortText.height(), 20);

    CGpuFont& large = *canvas_.Engine.CreateFont();
    ASSERT_EQ(large.Create(50, QStringLiteral("微软雅黑"), 0, 1), 0);
    EXPECT_TRUE(large.GetFont().italic());
    QRect largeText;
    large.Measure(QStringLiteral("添加"), &largeText);
    EXPECT_GT(largeText.width(), 2 * shortText.width());
    EXPECT_NE(large.Create(0, QStringLiteral("微软雅黑"), 0, 0), 0);
}

} // namespace
