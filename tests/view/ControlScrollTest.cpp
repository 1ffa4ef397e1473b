// Moving the view on the control: GoToImage's redraw, the wheel, both scroll
// bars' actions, centring on a defect and the double-click zoom.
#include "ViewFixture.h"

#include <QApplication>
#include <QWheelEvent>
#include <atomic>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class ControlScrollTest : public ViewFixture
{
protected:
    // One channel of `frames` frames 640 x 480, two per screen at zoom 0.5.
    CTrack* LoadChannel(int frames)
    {
        CTrack* track = AddFakeChannel(1, frames, 640, 480);
        control->SetFramesPerScreen(2);
        control->SetZoom(0.5);
        control->EndAddTracks();
        notify.imageChanges.clear();
        notify.zooms.clear();
        return track;
    }

    // A wheel turn over the client area, or over `widget` (a scroll bar).
    void Wheel(int delta, QWidget* widget = nullptr) { Turn(QPoint(0, delta), widget); }
    void Turn(QPoint angleDelta, QWidget* widget = nullptr)
    {
        QWidget* over = widget ? widget : Viewport();
        const QPointF at(5, 5);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }

    // The keyboard's Ctrl key as the control reads it from the keyboard state.
    void PressCtrl() { QTest::keyPress(Window(), Qt::Key_Control, Qt::ControlModifier); }
    void ReleaseCtrl() { QTest::keyRelease(Window(), Qt::Key_Control, Qt::NoModifier); }

    void DoubleClick(QPoint at)
    {
        QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST_F(ControlScrollTest, GoToImageRedrawsAtOnceUnlessLoaderThreadsWillSignal)
{
    LoadChannel(500);
    QApplication::processEvents();
    PaintCounter counter(Viewport());

    control->GoToImage(5, 1);
    EXPECT_EQ(counter.paints, 1) << "without loader threads the picture is drawn before GoToImage returns";

    control->SetThreadLoad(1);
    counter.paints = 0;
    control->GoToImage(9, 1);
    EXPECT_EQ(counter.paints, 0);
    QTRY_COMPARE(counter.paints, 1);
    EXPECT_EQ(CurrentImage(), 9);
}

TEST_F(ControlScrollTest, WheelTurnsImagesByWholeNotches)
{
    LoadChannel(500);
    const struct { int delta; int image; } cases[] = {{60, 100}, {240, 98}, {-120, 101}, {120, 99}, {-600, 105}};
    for (const auto& c : cases) {
        control->GoToImage(100, 1);
        Wheel(c.delta);
        EXPECT_EQ(CurrentImage(), c.image) << "delta " << c.delta;
        EXPECT_EQ(VerticalBar()->value(), c.image) << "delta " << c.delta;
    }
    control->GoToImage(1, 1);
    Wheel(240);
    EXPECT_EQ(CurrentImage(), 1);
}

TEST_F(ControlScrollTest, WheelOverTheScrollBarsActsAsOverTheClientArea)
{
    LoadChannel(500);
    SetClientSize({300, 300}); // a 320-pixel column: both bars show
    control->GoToImage(100, 1);

    Wheel(-120, VerticalBar());
    EXPECT_EQ(CurrentImage(), 101) << "one image a notch, not the bar's lines";
    Wheel(240, HorizontalBar());
    EXPECT_EQ(CurrentImage(), 99);
    EXPECT_EQ(control->GetHorzScrollPosition(), 0);

    PressCtrl();
    Wheel(120, VerticalBar());
    ReleaseCtrl();
    EXPECT_EQ(notify.zooms, (std::vector<double>{0.52}));
    EXPECT_EQ(CurrentImage(), 99);
}

TEST_F(ControlScrollTest, CtrlWheelZoomsInStepsAndAlwaysReports)
{
    CTrack* track = LoadChannel(50);
    SetClientSize({800, 600});
    control->SetZoom(0.01);
    notify.zooms.clear();

    PressCtrl();
    Wheel(-120);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.01);
    Wheel(120);
    Wheel(120);
    ReleaseCtrl();
    ASSERT_EQ(notify.zooms.size(), 3u);
    EXPECT_DOUBLE_EQ(notify.zooms[0], 0.01);
    EXPECT_DOUBLE_EQ(notify.zooms[2], 0.05);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.05);
    // Laid out again at the new zoom: a 32-pixel column centred in 800.
    EXPECT_EQ(track->GetX(), (800 - 32 - 40) / 2 + 20);
    EXPECT_EQ(CurrentImage(), 1);

    Wheel(-120); // Ctrl is up again: the wheel pages
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.05);
    EXPECT_EQ(CurrentImage(), 2);

    // A sideways turn is not this wheel: no zoom, no paging.
    PressCtrl();
    Turn(QPoint(120, 0));
    ReleaseCtrl();
    Turn(QPoint(-120, 0));
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.05);
    EXPECT_EQ(notify.zooms.size(), 3u);
    EXPECT_EQ(CurrentImage(), 2);
}

TEST_F(ControlScrollTest, VerticalBarActionsGoByLinesPagesAndEnds)
{
    CTrack* track = LoadChannel(500);
    using A = QAbstractSlider;
    const struct { A::SliderAction action; bool ctrl; int image; int barPosition; } cases[] = {
        {A::SliderSingleStepAdd, false, 101, 101},
        {A::SliderSingleStepSub, false, 99, 99},
        {A::SliderPageStepAdd, false, 110, 110},
        {A::SliderPageStepSub, false, 90, 90},
        {A::SliderPageStepAdd, true, 200, 200},
        {A::SliderPageStepSub, true, 1, 1},     // 0 is below the bar's range
        {A::SliderToMinimum, false, 1, 1},
        {A::SliderToMaximum, false, 500, 501}, // the bar reaches one past the last image
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << (c.ctrl ? " with Ctrl" : ""));
        control->GoToImage(100, 1);
        control->SetRulerText(1, QStringLiteral(" x=1 y=2 距离=3.0毫米"));
        track->SetRulerLine(QLine(1, 2, 3, 4));
        notify.imageChanges.clear();
        if (c.ctrl)
            PressCtrl();
        VerticalBar()->triggerAction(c.action);
        if (c.ctrl)
            ReleaseCtrl();
        EXPECT_EQ(CurrentImage(), c.image);
        EXPECT_EQ(VerticalBar()->value(), c.barPosition);
        ASSERT_EQ(notify.imageChanges.size(), 1u);
        EXPECT_EQ(notify.imageChanges[0], (std::pair<unsigned, int>{unsigned(c.image), 0}));
        // Using a bar ends a measurement.
        EXPECT_EQ(control->GetRulerState(), 0);
        EXPECT_TRUE(control->GetRulerText().isEmpty());
        EXPECT_TRUE(track->GetRulerLine().isNull());
    }

    // Dragging the thumb takes its tracking position.
    VerticalBar()->setSliderPosition(250);
    EXPECT_EQ(CurrentImage(), 250);
    EXPECT_EQ(CurrentOffset(), 0);
}

TEST_F(ControlScrollTest, HorizontalBarActionsMoveTheColumns)
{
    AddFakeChannel(1, 20, 2000, 300);
    control->SetFramesPerScreen(2);
    control->SetZoom(1.0);
    control->EndAddTracks();
    SetClientSize({600, 500});
    // W = 2040 with a page of 600: the last position is 1441.
    using A = QAbstractSlider;
    const struct { A::SliderAction action; int horz; } cases[] = {
        {A::SliderSingleStepAdd, 101}, {A::SliderSingleStepSub, 99}, {A::SliderPageStepAdd, 700},
        {A::SliderPageStepSub, 0}, {A::SliderToMaximum, 1441}, {A::SliderToMinimum, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action);
        HorizontalBar()->setValue(100);
        HorizontalBar()->triggerAction(A::SliderNoAction); // nothing moves
        HorizontalBar()->triggerAction(c.action);
        EXPECT_EQ(control->GetHorzScrollPosition(), c.horz);
        EXPECT_EQ(HorizontalBar()->value(), c.horz);
    }
    HorizontalBar()->setSliderPosition(640);
    EXPECT_EQ(control->GetHorzScrollPosition(), 640);
    EXPECT_EQ(CurrentImage(), 1);
}

TEST_F(ControlScrollTest, VerticalBarIsIgnoredWithoutChannels)
{
    const int before = VerticalBar()->value();
    VerticalBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(VerticalBar()->value(), before);
    EXPECT_EQ(CurrentImage(), 1);
    EXPECT_TRUE(notify.imageChanges.empty());
}

TEST_F(ControlScrollTest, GoToFaultCentresTheDefectBothWays)
{
    CTrack* track = AddFakeChannel(1, 50, 2000, 300);
    _FAULT_ fault;
    fault.FaultID = 77;
    fault.FaultImage = 5;
    fault.FaultX = 1500;
    fault.FaultY = 40;
    track->SetFaults({fault});
    control->SetFramesPerScreen(2);
    control->SetZoom(1.0);
    control->EndAddTracks();
    SetClientSize({600, 500});
    notify.imageChanges.clear();

    // Visible height min(300 × 2 + 50, 500) = 500: the point goes 225 rows
    // down, so the view starts 185 rows above it, in image 4 at row 115.
    // Across: 1500 + X 20 − page 600 / 2.
    EXPECT_EQ(control->GoToFault(1, 77), 1);
    EXPECT_EQ(CurrentImage(), 4);
    EXPECT_EQ(CurrentOffset(), 115);
    EXPECT_EQ(VerticalBar()->value(), 4);
    EXPECT_EQ(control->GetHorzScrollPosition(), 1220);
    EXPECT_EQ(HorizontalBar()->value(), 1220);
    EXPECT_EQ(notify.imageChanges, (std::vector<std::pair<unsigned, int>>{{4u, 0}, {4u, 115}}));
    EXPECT_EQ(control->GetSelectedFaultId(), 77);

    // The last image always shows from its top.
    fault.FaultID = 78;
    fault.FaultImage = 51;
    track->AppendFault(fault);
    control->GoToFault(1, 78);
    EXPECT_EQ(CurrentImage(), 50);
    EXPECT_EQ(CurrentOffset(), 0);
}

TEST_F(ControlScrollTest, DoubleClickZoomsOntoThePointAndBack)
{
    AddJpegChannel(1, 20, 400, 300);
    control->SetFramesPerScreen(2);
    control->SetZoom(0.5);
    control->EndAddTracks();
    SetClientSize({600, 500});
    notify.imageChanges.clear();
    notify.zooms.clear();

    // The column: 200 x 150 per frame, at (200, 125). The pointer is 50
    // pixels right and 140 down in the second row: frame 2, point (100, 280).
    DoubleClick(QPoint(250, 415));
    EXPECT_EQ(control->GetZoomToggle(), 1);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 1.0);
    // At zoom 1 the point goes 225 rows down (client 500): image 2, row 55.
    EXPECT_EQ(CurrentImage(), 2);
    EXPECT_EQ(CurrentOffset(), 55);
    EXPECT_EQ(notify.zooms, (std::vector<double>{1.0}));
    EXPECT_EQ(notify.imageChanges, (std::vector<std::pair<unsigned, int>>{{2u, 0}, {2u, 55}}));
    EXPECT_FALSE(control->IsCaptureLoopRunning());

    notify.imageChanges.clear();
    DoubleClick(QPoint(5, 5)); // anywhere: back to the saved zoom and offset
    EXPECT_EQ(control->GetZoomToggle(), 0);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.5);
    EXPECT_EQ(CurrentImage(), 2);
    EXPECT_EQ(CurrentOffset(), 0);
    EXPECT_EQ(notify.zooms, (std::vector<double>{1.0, 0.5}));
    EXPECT_EQ(notify.imageChanges, (std::vector<std::pair<unsigned, int>>{{2u, 0}}));
}

TEST_F(ControlScrollTest, DoubleClickBesideTheFramesDoesNotZoom)
{
    AddJpegChannel(1, 20, 400, 300);
    control->SetFramesPerScreen(2);
    control->SetZoom(0.5);
    control->EndAddTracks();
    SetClientSize({600, 500});

    for (const QPoint at : {QPoint(199, 200), QPoint(400, 200), QPoint(250, 124), QPoint(250, 425)}) {
        DoubleClick(at);
        EXPECT_EQ(control->GetZoomToggle(), 0) << at.x() << ", " << at.y();
        EXPECT_DOUBLE_EQ(control->GetZoom(), 0.5);
    }

    DoubleClick(QPoint(201, 126));
    EXPECT_EQ(control->GetZoomToggle(), 1);
    control->RemoveAll();
    EXPECT_EQ(control->GetZoomToggle(), 0);
}
