// The control's window: creation and its failures, the operations that need
// it, a parent that deletes it, the repaint thread, and the empty picture.
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "FakeFrameReader.h"
#include "LumetraImageExport.h"
#include "TempProgramDir.h"
#include "WarningCapture.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    std::atomic<int> paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

CTrackImageDrawObject* NewControl()
{
    void* out = nullptr;
    EXPECT_EQ(CreateImageCoreInstance(&out), 1);
    return dynamic_cast<CTrackImageDrawObject*>(static_cast<ILumetraDrawControlCore*>(out));
}

QWidget* Viewport(CTrackImageDrawObject& control)
{
    auto* window = qobject_cast<QAbstractScrollArea*>(control.GetWindowHandle());
    return window ? window->viewport() : nullptr;
}

bool IsNear(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

class ControlWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(640, 480);
        control = NewControl();
        ASSERT_NE(control, nullptr);
    }
    void TearDown() override
    {
        if (control)
            control->Destroy();
    }

    QImage GrabClientArea()
    {
        QWidget* viewport = Viewport(*control);
        return viewport ? viewport->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    }

    TempProgramDir programDir;
    QWidget parent;
    CTrackImageDrawObject* control = nullptr;
};

} // namespace

TEST_F(ControlWindowTest, CreateMakesOneChildWindowAndASecondCallNothing)
{
    ASSERT_EQ(control->Create(QRect(10, 20, 300, 200), &parent, 106, nullptr), 1);
    QWidget* window = control->GetWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), &parent);
    EXPECT_EQ(window->objectName(), QStringLiteral("LumetraImageCore"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LumetraImageCore"));
    EXPECT_EQ(window->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(window->focusPolicy(), Qt::StrongFocus);
    EXPECT_TRUE(Viewport(*control)->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_FALSE(window->isHidden());

    EXPECT_EQ(control->Create(QRect(0, 0, 50, 50), &parent, 106, nullptr), 1);
    EXPECT_EQ(control->GetWindowHandle(), window);
    EXPECT_EQ(parent.findChildren<QWidget*>(QStringLiteral("LumetraImageCore")).size(), 1);
}

TEST_F(ControlWindowTest, CreateRefusesAnEmptyRectangle)
{
    for (const QRect& rect : {QRect(0, 0, 0, 100), QRect(0, 0, 100, 0), QRect(5, 5, -20, 30)}) {
        WarningCapture warnings;
        EXPECT_EQ(control->Create(rect, &parent, 106, nullptr), 0);
        EXPECT_EQ(control->GetWindowHandle(), nullptr);
        EXPECT_TRUE(warnings.messages().contains(QStringLiteral("###ERROR######    绘图控件宽高必须大于0")))
            << warnings.messages().join('\n').toStdString();
    }
    EXPECT_TRUE(parent.findChildren<QWidget*>(QStringLiteral("LumetraImageCore")).isEmpty());
}

TEST_F(ControlWindowTest, OperationsThatNeedTheWindowAnswerNothingBeforeCreate)
{
    EXPECT_EQ(control->Show(5), 0);
    EXPECT_EQ(control->GetWindowHandle(), nullptr);
    EXPECT_EQ(control->SetParentWnd(&parent), nullptr);
    EXPECT_EQ(control->SetFocusToControl(), nullptr);
    EXPECT_EQ(control->HasFocus(), 0);
    EXPECT_EQ(control->OnMouseWheel(0, 120, QPoint()), 0);
    control->MoveToRect(QRect(0, 0, 10, 10), 1);
    control->SignalRepaint();
    control->SetBackColor(0x123456);
    EXPECT_EQ(control->GetBackColor(), 0x123456u);
}

TEST_F(ControlWindowTest, ShowMoveAndReparentWorkOnTheWindow)
{
    ASSERT_EQ(control->Create(QRect(0, 0, 200, 100), &parent, 106, nullptr), 1);
    QWidget* window = control->GetWindowHandle();

    EXPECT_EQ(control->Show(0), 1);
    EXPECT_TRUE(window->isHidden());
    EXPECT_EQ(control->Show(5), 0);
    EXPECT_FALSE(window->isHidden());

    control->MoveToRect(QRect(5, 6, 150, 90), 1);
    EXPECT_EQ(window->geometry(), QRect(5, 6, 150, 90));
    control->Move(1, 2, 120, 80, 0);
    EXPECT_EQ(window->geometry(), QRect(1, 2, 120, 80));

    QWidget fullScreen;
    EXPECT_EQ(control->SetParentWnd(&fullScreen), &parent);
    EXPECT_EQ(window->parentWidget(), &fullScreen);
    EXPECT_FALSE(window->isHidden());
    EXPECT_EQ(control->SetParentWnd(&parent), &fullScreen);

    EXPECT_EQ(control->OnMouseWheel(0, -120, QPoint(10, 10)), 1);
}

TEST_F(ControlWindowTest, FocusGoesToTheWindow)
{
    ASSERT_EQ(control->Create(QRect(0, 0, 200, 100), &parent, 106, nullptr), 1);
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));

    control->SetFocusToControl();
    EXPECT_TRUE(QTest::qWaitFor([&] { return control->HasFocus() == 1; }, 2000));
}

TEST_F(ControlWindowTest, TextFontsAreTwentyUprightAndFiftyItalic)
{
    ASSERT_EQ(control->Create(QRect(0, 0, 200, 100), &parent, 106, nullptr), 1);
    EXPECT_EQ(control->GetSmallTextFont().pixelSize(), 20);
    EXPECT_FALSE(control->GetSmallTextFont().italic());
    EXPECT_EQ(control->GetLargeTextFont().pixelSize(), 50);
    EXPECT_TRUE(control->GetLargeTextFont().italic());
}

TEST_F(ControlWindowTest, ParentDeletingTheWindowLeavesTheControlWithoutWindow)
{
    auto* owner = new QWidget;
    ASSERT_EQ(control->Create(QRect(0, 0, 200, 100), owner, 106, nullptr), 1);
    control->SignalRepaint();
    delete owner;

    EXPECT_EQ(control->GetWindowHandle(), nullptr);
    EXPECT_FALSE(control->HasWindow());
    EXPECT_EQ(control->Show(5), 0);
    EXPECT_EQ(control->OnMouseWheel(0, 120, QPoint()), 0);
    control->SignalRepaint();
    control->SetDivLine(1);
    QTest::qWait(20);

    // The control can make a new window afterwards.
    EXPECT_EQ(control->Create(QRect(0, 0, 200, 100), &parent, 106, nullptr), 1);
    EXPECT_NE(control->GetWindowHandle(), nullptr);
}

TEST_F(ControlWindowTest, SignalFromAnotherThreadRepaintsTheWindow)
{
    ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    PaintCounter counter(Viewport(*control));
    QTest::qWait(50);
    counter.paints = 0;

    std::thread loader([this] { control->SignalRepaint(); });
    loader.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));
}

TEST_F(ControlWindowTest, ChangingATracksDefectsRepaintsTheWindow)
{
    ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    ITrackInterface* track = nullptr;
    control->NewTrack(&track);
    control->AddTrack(track);
    PaintCounter counter(Viewport(*control));
    QTest::qWait(50);
    counter.paints = 0;

    track->ClearFaults();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));
}

TEST(ControlLifetimeTest, ManyCreateDestroyCyclesWithSignalsInFlight)
{
    TempProgramDir programDir;
    QWidget parent;
    parent.resize(320, 240);
    parent.show();
    for (int cycle = 0; cycle < 40; ++cycle) {
        CTrackImageDrawObject* control = NewControl();
        ASSERT_NE(control, nullptr);
        ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
        std::thread loader([control] {
            for (int i = 0; i < 50; ++i)
                control->SignalRepaint();
        });
        loader.join();
        if (cycle % 2 == 0)
            QCoreApplication::processEvents();
        control->Destroy();
        // Repaints queued for the destroyed control must not run.
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(parent.findChildren<QWidget*>(QStringLiteral("LumetraImageCore")).isEmpty());
}

TEST_F(ControlWindowTest, EmptyControlShowsTheBackgroundPictureAndTheHint)
{
    programDir.copyResources();
    const QImage picture(programDir.filePath(QStringLiteral("resource/IMAGECONTROL/taskbg.bmp")));
    ASSERT_FALSE(picture.isNull());
    control->SetForeColor(0x0000C000); // green text, far from the picture's colours
    ASSERT_EQ(control->Create(QRect(0, 0, 500, 400), &parent, 106, nullptr), 1);

    const QImage shot = GrabClientArea();
    ASSERT_FALSE(shot.isNull());
    const QImage expected = picture.scaled(shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    const int w = shot.width();
    const int h = shot.height();
    for (const QPoint& p : {QPoint(2, 2), QPoint(w - 3, 2), QPoint(2, h - 3), QPoint(w - 3, h - 3),
                            QPoint(w / 2, h - 10), QPoint(w / 2, 10), QPoint(w / 4, h * 3 / 4)}) {
        EXPECT_TRUE(IsNear(shot.pixel(p), expected.pixel(p), 3))
            << "at " << p.x() << "," << p.y() << ": " << std::hex << shot.pixel(p) << " vs " << expected.pixel(p);
    }

    int textPixels = 0;
    for (int y = h / 2 - 15; y <= h / 2 + 15; ++y) {
        for (int x = w / 4; x < w * 3 / 4; ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (qGreen(pixel) > 120 && qRed(pixel) < 90 && qBlue(pixel) < 90)
                ++textPixels;
        }
    }
    EXPECT_GT(textPixels, 50);
}

TEST_F(ControlWindowTest, WithoutPictureTheEmptyControlShowsTheBackColor)
{
    control->SetBackColor(0x00FF0000); // blue as 0x00BBGGRR
    ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
    EXPECT_FALSE(control->GetMoveCursor().has_value());

    const QImage shot = GrabClientArea();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(shot.width() - 4, shot.height() - 4), qRgb(0, 0, 255));
}

TEST_F(ControlWindowTest, WithChannelsButNoEngineTheWindowShowsTheBackColor)
{
    programDir.copyResources();
    control->SetBackColor(0x000000FF); // red
    ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
    FakeFrameReader reader(10, 64, 48);
    ITrackInterface* track = nullptr;
    control->NewTrack(&track);
    track->SetReader(&reader);
    control->AddTrack(track);
    control->EndAddTracks();

    const QImage shot = GrabClientArea();
    EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() / 2), qRgb(255, 0, 0));
    control->RemoveAll();
}

TEST_F(ControlWindowTest, MoveCursorHasItsHotspotInTheCentre)
{
    programDir.copyResources();
    ASSERT_EQ(control->Create(QRect(0, 0, 300, 200), &parent, 106, nullptr), 1);
    const std::optional<QCursor> cursor = control->GetMoveCursor();
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor->hotSpot(), QPoint(16, 16));
}
