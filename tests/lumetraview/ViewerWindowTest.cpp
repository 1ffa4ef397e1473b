// The viewer's window driven by real key presses on the control: the keys
// the control leaves to its host move the view and zoom, and the status
// line follows what the control reports.

#include "ChannelFiles.h"
#include "ChannelTrackLoader.h"
#include "CTrackImageDrawObject.h"
#include "ILumetraDrawControlCore.h"
#include "ViewerWindow.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace
{
class ViewerWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        options.files = {files.write("a", 20), files.write("b", 12)};
        options.framesPerScreen = 3;
        options.image = 5;
        QString error;
        ASSERT_TRUE(loader.Open(options.files, &error)) << error.toStdString();
        window = std::make_unique<ViewerWindow>(options, loader);
        ASSERT_TRUE(window->Start(&error)) << error.toStdString();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    int currentImage() const { return window->Control().Object().GetCurrentImage(); }
    void press(int key) { QTest::keyClick(window->Control().Window(), Qt::Key(key)); }

    ChannelFiles files;
    ViewOptions options;
    ChannelTrackLoader loader;
    std::unique_ptr<ViewerWindow> window;
};
}

TEST_F(ViewerWindowTest, StartsAtTheAskedImageWithTheControlAsCentralWidget)
{
    EXPECT_EQ(window->centralWidget(), window->Control().Window());
    EXPECT_EQ(currentImage(), 5);
    EXPECT_EQ(window->StatusText(), "image 5 of 20   offset 0 rows   zoom 0.40");
}

TEST_F(ViewerWindowTest, PageAndEndKeysMoveByScreensAndToTheEnds)
{
    const std::pair<int, int> steps[] = {
        {Qt::Key_PageDown, 8}, {Qt::Key_PageDown, 11}, {Qt::Key_PageUp, 8},
        {Qt::Key_End, 20},     {Qt::Key_PageDown, 20}, {Qt::Key_Home, 1},
        {Qt::Key_PageUp, 1},
    };
    for (const auto& [key, image] : steps) {
        press(key);
        EXPECT_EQ(currentImage(), image) << "key " << key;
        EXPECT_TRUE(window->StatusText().startsWith(QStringLiteral("image %1 of 20").arg(image)))
            << window->StatusText().toStdString();
    }
}

TEST_F(ViewerWindowTest, ArrowsAndSpaceRunTheControlsLoopsUntilTheirKeysEndThem)
{
    // Through the window system, as a user's keys come: to the focus, or to
    // the control while one of its loops runs.
    QWindow* handle = window->windowHandle();
    CTrackImageDrawObject& control = window->Control().Object();
    QTest::keyPress(handle, Qt::Key_Down);
    EXPECT_TRUE(control.IsCaptureLoopRunning());
    QTRY_VERIFY(control.GetCurrentOffset() > 0 || control.GetCurrentImage() > 5);
    QTest::keyRelease(handle, Qt::Key_Down);
    EXPECT_FALSE(control.IsCaptureLoopRunning());

    QTest::keyPress(handle, Qt::Key_Space);
    QTest::keyRelease(handle, Qt::Key_Space);
    EXPECT_TRUE(control.IsCaptureLoopRunning()) << "paging goes on after Space is let go";
    QTest::keyPress(handle, Qt::Key_A);
    EXPECT_FALSE(control.IsCaptureLoopRunning());
}

TEST_F(ViewerWindowTest, PlusAndMinusZoomInTenths)
{
    press(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(window->Control().Core().GetZoom(), 0.5);
    press(Qt::Key_Equal);
    press(Qt::Key_Minus);
    press(Qt::Key_Minus);
    EXPECT_NEAR(window->Control().Core().GetZoom(), 0.4, 1e-9);
    EXPECT_TRUE(window->StatusText().endsWith("zoom 0.40")) << window->StatusText().toStdString();
}
