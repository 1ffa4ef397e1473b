// The capture loops on the control, driven by real key and mouse events:
// automatic paging, arrow-key scrolling down / up / across, and dragging;
// each ended by what ends it and giving back the grab and the pointer. Times
// are only waited for with wide margins; the tests check direction and
// progress, never exact speeds.
#include "ViewFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <QWindow>

namespace {

class CaptureLoopTest : public ViewFixture
{
protected:
    // Frames 100 rows tall and 2000 wide at zoom 1, two per screen, in a
    // client narrower than the column, so both directions can scroll.
    CTrack* LoadChannel(int frames = 400)
    {
        CTrack* track = AddFakeChannel(1, frames, 2000, 100);
        control->SetFramesPerScreen(2);
        control->SetZoom(1.0);
        control->EndAddTracks();
        SetClientSize({600, 400});
        notify.imageChanges.clear();
        return track;
    }

    bool Captured() const { return QWidget::mouseGrabber() == Viewport(); }
    Qt::CursorShape PointerShape() const { return Viewport()->cursor().shape(); }

    void PointerTo(QPoint at) { QTest::mouseMove(Viewport(), at); }

    // True when the control used the key (the program's key table never
    // sees it).
    bool SendKey(QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(Window(), &event);
        return event.isAccepted();
    }

    void Wheel(int delta)
    {
        const QPointF at(50, 50);
        QWheelEvent wheel(at, Viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Viewport(), &wheel);
    }

    void StartPaging()
    {
        PointerTo(QPoint(100, 100));
        control->AutoScroll();
        ASSERT_TRUE(control->IsCaptureLoopRunning());
        ASSERT_TRUE(Captured());
        ASSERT_EQ(PointerShape(), Qt::SizeVerCursor);
    }

    void ExpectEnded()
    {
        EXPECT_FALSE(control->IsCaptureLoopRunning());
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
        EXPECT_EQ(PointerShape(), Qt::ArrowCursor);
        EXPECT_FALSE(Viewport()->testAttribute(Qt::WA_SetCursor)) << "the pointer's own shape is given back";
    }
};

} // namespace

TEST_F(CaptureLoopTest, AutoScrollTurnsAPageEveryPeriodUntilAKeyIsPressed)
{
    LoadChannel();
    control->SetVScrollSpeed(9); // a page a second
    StartPaging();

    QTRY_COMPARE_WITH_TIMEOUT(CurrentImage(), 3, 5000);
    EXPECT_EQ(VerticalBar()->value(), 3);
    EXPECT_EQ(notify.imageChanges.front(), (std::pair<unsigned, int>{3u, 0}));

    QTest::keyPress(Window(), Qt::Key_A);
    ExpectEnded();
    const int stoppedAt = CurrentImage();
    QTest::qWait(1300);
    EXPECT_EQ(CurrentImage(), stoppedAt);
}

TEST_F(CaptureLoopTest, AutoScrollEndsOnButtonsWheelAndLeavingThePointer)
{
    LoadChannel();
    const struct { const char* name; std::function<void()> event; bool ends; } cases[] = {
        {"left press", [&] { QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(100, 100)); }, true},
        {"right press", [&] { QTest::mousePress(Viewport(), Qt::RightButton, {}, QPoint(100, 100)); }, true},
        {"right release", [&] { QTest::mouseRelease(Viewport(), Qt::RightButton, {}, QPoint(100, 100)); }, true},
        {"wheel", [&] { Wheel(-120); }, true},
        {"pointer 60 pixels away", [&] { PointerTo(QPoint(100, 160)); }, true},
        {"pointer 30 pixels away", [&] { PointerTo(QPoint(100, 130)); }, false},
        {"key release", [&] { QTest::keyRelease(Window(), Qt::Key_Space); }, false},
        {"middle press", [&] { QTest::mousePress(Viewport(), Qt::MiddleButton, {}, QPoint(100, 100)); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartPaging();
        c.event();
        EXPECT_EQ(control->IsCaptureLoopRunning(), !c.ends);
        if (c.ends)
            ExpectEnded();
        // What ends paging is used up: no drag starts, the wheel turns nothing.
        EXPECT_EQ(CurrentImage(), 1);
        control->SetRulerMode(0); // any operation; then end whatever still runs
        QTest::keyPress(Window(), Qt::Key_Escape);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(Viewport(), Qt::MiddleButton, {}, QPoint(100, 100));
        ASSERT_FALSE(control->IsCaptureLoopRunning());
    }
}

TEST_F(CaptureLoopTest, ArrowScrollingMovesSmoothlyUntilTheArrowIsReleased)
{
    LoadChannel();
    control->SetVScrollSpeed(9); // 250 rows a second
    control->GoToImage(100, 1);
    const long long start = RowPosition(100);

    control->ScrollVertLoop(1);
    ASSERT_TRUE(control->IsCaptureLoopRunning());
    EXPECT_TRUE(Captured());
    EXPECT_EQ(PointerShape(), Qt::ArrowCursor);
    QTRY_VERIFY_WITH_TIMEOUT(RowPosition(100) > start + 20, 3000);
    EXPECT_EQ(VerticalBar()->value(), CurrentImage());

    // Ctrl, Shift and the platform's auto-repeat do not end it; repeats are
    // used up, other presses go on to the program.
    EXPECT_FALSE(SendKey(QEvent::KeyRelease, Qt::Key_Control));
    EXPECT_FALSE(SendKey(QEvent::KeyRelease, Qt::Key_Shift));
    EXPECT_TRUE(SendKey(QEvent::KeyRelease, Qt::Key_Down, true));
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_Down, true));
    EXPECT_FALSE(SendKey(QEvent::KeyPress, Qt::Key_PageDown));
    EXPECT_TRUE(control->IsCaptureLoopRunning());

    QTest::keyRelease(Window(), Qt::Key_Down);
    ExpectEnded();
    const long long stoppedAt = RowPosition(100);
    QTest::qWait(200);
    EXPECT_EQ(RowPosition(100), stoppedAt);
    EXPECT_EQ(notify.imageChanges.back(), (std::pair<unsigned, int>{unsigned(CurrentImage()), CurrentOffset()}));
}

TEST_F(CaptureLoopTest, ArrowScrollingEndsWhereverTheFocusIsAndWhenTheWindowIsLeft)
{
    LoadChannel();
    // The release comes from the window system to a window whose focus is
    // elsewhere: the loop still sees it, and the other widget does not.
    QLineEdit edit(&parent);
    edit.show();
    edit.setFocus();
    control->ScrollVertLoop(1);
    QTest::keyRelease(parent.windowHandle(), Qt::Key_Down);
    ExpectEnded();

    // Another window becomes the active one: its keys are not the loop's.
    control->ScrollVertLoop(1);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ExpectEnded();
}

TEST_F(CaptureLoopTest, ArrowScrollingUpStopsAtTheFirstImage)
{
    LoadChannel();
    control->SetVScrollSpeed(9);
    control->GoToImage(2, 1);

    control->ScrollVertLoop(0);
    QTRY_VERIFY_WITH_TIMEOUT(CurrentImage() == 1 && CurrentOffset() == 0, 5000);
    QTest::qWait(100);
    EXPECT_EQ(RowPosition(100), 0);
    QTest::keyRelease(Window(), Qt::Key_Up);
    ExpectEnded();
}

TEST_F(CaptureLoopTest, ArrowScrollingAcrossMovesTheBarAndDropsClicks)
{
    LoadChannel();
    control->SetHScrollSpeed(9); // 200 pixels a second

    control->ScrollHorzLoop(1);
    ASSERT_TRUE(control->IsCaptureLoopRunning());
    QTRY_VERIFY_WITH_TIMEOUT(control->GetHorzScrollPosition() > 10, 3000);
    EXPECT_EQ(HorizontalBar()->value(), control->GetHorzScrollPosition());

    // A click or a key press while scrolling across is dropped: no drag
    // takes over, the program does not see the key.
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(SendKey(QEvent::KeyPress, Qt::Key_PageDown));
    EXPECT_EQ(CurrentImage(), 1);
    EXPECT_TRUE(control->IsCaptureLoopRunning());

    QTest::keyRelease(Window(), Qt::Key_Right);
    ExpectEnded();
    const int right = control->GetHorzScrollPosition();

    control->ScrollHorzLoop(0);
    QTRY_VERIFY_WITH_TIMEOUT(control->GetHorzScrollPosition() < right - 10, 3000);
    QTest::keyRelease(Window(), Qt::Key_Left);
    ExpectEnded();
}

TEST_F(CaptureLoopTest, ArrowScrollingAcrossNeedsSomethingToScroll)
{
    LoadChannel();
    SetClientSize({2100, 400});
    control->ScrollHorzLoop(1);
    EXPECT_FALSE(control->IsCaptureLoopRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CaptureLoopTest, DraggingMakesTheContentFollowThePointer)
{
    LoadChannel();
    control->SetZoom(0.5);
    SetClientSize({600, 400});
    control->GoToImage(10, 1);
    HorizontalBar()->setSliderPosition(100);
    ASSERT_EQ(control->GetHorzScrollPosition(), 100);

    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    ASSERT_TRUE(control->IsCaptureLoopRunning());
    EXPECT_TRUE(Captured());
    EXPECT_TRUE(control->HasFocus());

    // 60 pixels up at zoom 0.5: 120 rows further down; 40 left: bar + 40.
    QTest::mouseMove(Viewport(), QPoint(260, 140));
    EXPECT_EQ(CurrentImage(), 11);
    EXPECT_EQ(CurrentOffset(), 20);
    EXPECT_EQ(control->GetHorzScrollPosition(), 140);
    EXPECT_EQ(VerticalBar()->value(), 11);

    // Back below the press point: measured from the start, not the last move.
    QTest::mouseMove(Viewport(), QPoint(350, 230));
    EXPECT_EQ(CurrentImage(), 9);
    EXPECT_EQ(CurrentOffset(), 40);
    EXPECT_EQ(control->GetHorzScrollPosition(), 50);

    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(350, 230));
    EXPECT_FALSE(control->IsCaptureLoopRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CaptureLoopTest, DraggingNeedsChannelsTheMouseAndNoRuler)
{
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_FALSE(control->IsCaptureLoopRunning()) << "no channels";
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));

    LoadChannel();
    control->SetRulerMode(1);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_FALSE(control->IsCaptureLoopRunning()) << "ruler mode measures instead";
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    control->SetRulerMode(0);

    QWidget other(&parent);
    other.grabMouse();
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_FALSE(control->IsCaptureLoopRunning()) << "another widget holds the mouse";
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    other.releaseMouse();
}

TEST_F(CaptureLoopTest, StartingALoopEndsTheRunningOneAndLosingTheGrabEndsIt)
{
    LoadChannel();
    StartPaging();
    control->ScrollVertLoop(1);
    ASSERT_TRUE(control->IsCaptureLoopRunning());
    EXPECT_EQ(PointerShape(), Qt::ArrowCursor);

    // A key press no longer ends anything: paging is over.
    QTest::keyPress(Window(), Qt::Key_A);
    EXPECT_TRUE(control->IsCaptureLoopRunning());
    QTest::keyRelease(Window(), Qt::Key_Down);
    ExpectEnded();

    control->ScrollVertLoop(1);
    QWidget other(&parent);
    other.grabMouse();
    QTRY_VERIFY_WITH_TIMEOUT(!control->IsCaptureLoopRunning(), 2000);
    EXPECT_EQ(QWidget::mouseGrabber(), &other) << "another widget's grab is left alone";
    other.releaseMouse();

    // Removing the channels ends a loop too.
    control->ScrollVertLoop(1);
    control->RemoveAll();
    ExpectEnded();
}

TEST_F(CaptureLoopTest, WindowDestroyedMidLoopEndsItAndLeavesTheControlUsable)
{
    LoadChannel();
    control->ScrollVertLoop(1);
    delete control->GetWindowHandle();
    QTRY_VERIFY_WITH_TIMEOUT(!control->IsCaptureLoopRunning(), 2000);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    control->GoToImage(5, 1);
    EXPECT_EQ(CurrentImage(), 5);
}
