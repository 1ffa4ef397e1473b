// The control's engine: a backend that cannot start reports the designed
// message and leaves a usable control; without channels the control paints
// its empty picture whether or not an engine runs.
#include "RenderFixture.h"

#include "CGpuFont.h"
#include "ControlMessage.h"

#include <QFontMetrics>

namespace {

const QString EngineFailedText = QStringLiteral(
    "建立Direct3D渲染设备失败!\n可能是显卡不支持硬件加速, 请点击选项并切换到别的渲染模式。");

class EngineHostTest : public RenderFixture
{
protected:
    void SetUp() override
    {
        SetControlMessageHandler([this](const QString& text) { messages.push_back(text); });
        RenderFixture::SetUp();
    }
    void TearDown() override
    {
        RenderFixture::TearDown();
        SetControlMessageHandler({});
    }

    // Pixels of the hint's colour in a band across the window's middle.
    int HintPixels(const QImage& shot, uint32_t argb) const
    {
        int count = 0;
        for (int y = shot.height() / 2 - 15; y <= shot.height() / 2 + 15; ++y)
            for (int x = shot.width() / 4; x < shot.width() * 3 / 4; ++x)
                count += IsNear(shot.pixel(x, y), argb, 60) ? 1 : 0;
        return count;
    }

    std::vector<QString> messages;
};

} // namespace

TEST_F(EngineHostTest, TheRasterEngineStartsQuietlyWithBothFonts)
{
    EXPECT_TRUE(messages.empty());
    ASSERT_NE(control->GetLargeFont(), nullptr);
    ASSERT_NE(control->GetSmallFont(), nullptr);
    // Heights count the whole text cell, so a header fits the 20 rows above
    // its column.
    const QFontMetrics large(control->GetLargeFont()->GetFont());
    const QFontMetrics small(control->GetSmallFont()->GetFont());
    EXPECT_LE(large.height(), 50);
    EXPECT_GE(large.height(), 45);
    EXPECT_TRUE(control->GetLargeFont()->GetFont().italic());
    EXPECT_LE(small.height(), 20);
    EXPECT_GE(small.height(), 17);
    EXPECT_FALSE(control->GetSmallFont()->GetFont().italic());
}

TEST_F(EngineHostTest, AnOpenGlEngineThatCannotStartShowsTheMessageAndLeavesNoEngine)
{
    control->SetPaintMode(1);
    if (control->IsEngineReady())
        GTEST_SKIP() << "OpenGL starts on this platform";

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front(), EngineFailedText);
    EXPECT_EQ(control->GetLargeFont(), nullptr);
    EXPECT_EQ(control->GetSmallFont(), nullptr);
    // Still usable: it paints its empty picture and takes the raster engine.
    EXPECT_FALSE(Grab().isNull());
    control->SetPaintMode(0);
    EXPECT_EQ(control->IsEngineReady(), 1);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(EngineHostTest, WithoutChannelsTheEmptyPictureIsPaintedAroundTheEngine)
{
    control->SetBackColor(0x00FF0000); // blue, 0x00BBGGRR
    control->SetForeColor(0x0000C000); // green hint
    const uint32_t blue = 0xFF0000FFu;
    const uint32_t green = 0xFF00C000u;

    QImage shot = Grab();
    EXPECT_TRUE(PixelIs(shot, {3, 3}, blue));
    EXPECT_TRUE(PixelIs(shot, {shot.width() - 4, shot.height() - 4}, blue));
    EXPECT_GT(HintPixels(shot, green), 50);

    // Back to empty after a task was shown.
    AddChannel(1, QStringLiteral("A"), 5, 64, 48);
    control->EndAddTracks();
    EXPECT_EQ(HintPixels(Grab(), green), 0);
    control->RemoveAll();
    shot = Grab();
    EXPECT_TRUE(PixelIs(shot, {3, 3}, blue));
    EXPECT_GT(HintPixels(shot, green), 50);
}
