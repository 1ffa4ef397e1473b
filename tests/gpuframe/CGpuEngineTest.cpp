// The engine's frame: clearing, the callback, the scissor rectangle, the
// surface size, and the OpenGL mode starting or refusing cleanly.
#include "CGpuPrimitive.h"
#include "GpuframeTestCanvas.h"

#include <QOpenGLWidget>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Paints the whole surface through the engine, so clipping shows.
void FillEverything(CGpuEngine& engine, uint32_t argb)
{
    engine.CurrentPainter()->fillRect(QRect(0, 0, 1000, 1000), QColor::fromRgba(argb));
}

TEST(CGpuEngine, FrameClearsToTheBackgroundAndCallsTheCallback)
{
    GpuframeTestCanvas canvas;
    int renders = 0;
    const QImage cleared = canvas.Frame([&] { ++renders; });
    EXPECT_EQ(cleared.pixel(0, 0), GpuframeTestCanvas::Background);
    EXPECT_EQ(cleared.pixel(63, 47), GpuframeTestCanvas::Background);

    const QImage kept = canvas.Frame([&] { ++renders; }, 0);
    EXPECT_EQ(kept.pixel(0, 0), GpuframeTestCanvas::Untouched);
    EXPECT_EQ(renders, 2);
    EXPECT_EQ(canvas.Engine.CurrentPainter(), nullptr);
}

TEST(CGpuEngine, BackgroundAndSizeApplyToLaterFrames)
{
    GpuframeTestCanvas canvas;
    canvas.Engine.SetBackgroundColor(0x00C08040u);   // alpha is ignored: the clear is opaque
    canvas.Engine.Resize(32, 24);
    EXPECT_EQ(canvas.Engine.GetSize(), QSize(32, 24));
    const QImage frame = canvas.Frame({});
    EXPECT_EQ(frame.pixel(31, 23), qRgb(0xC0, 0x80, 0x40));
    EXPECT_EQ(frame.pixel(32, 23), GpuframeTestCanvas::Untouched);
    EXPECT_EQ(frame.pixel(31, 24), GpuframeTestCanvas::Untouched);
}

TEST(CGpuEngine, RefusesToDrawWithoutWindowOrInsideAFrame)
{
    CGpuEngine engine;
    EXPECT_NE(engine.Initialise(nullptr, 10, 10, 0xFF000000u, 0), 0);
    EXPECT_FALSE(engine.LastError().isEmpty());
    DrawingCallback callback;
    int renders = 0;
    callback.Draw = [&] { ++renders; };
    engine.SetRenderCallback(&callback);
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    EXPECT_NE(engine.Render(1, painter), 0);
    EXPECT_EQ(renders, 0);

    GpuframeTestCanvas canvas;
    int nestedResult = 0;
    canvas.Frame([&] {
        ++renders;
        nestedResult = canvas.Engine.Render(1, *canvas.Engine.CurrentPainter());
    });
    EXPECT_NE(nestedResult, 0);
    EXPECT_EQ(renders, 1);
}

TEST(CGpuEngine, ScissorClipsTheFrameAndEndsWithIt)
{
    GpuframeTestCanvas canvas;
    EXPECT_EQ(canvas.Engine.GetScissorRect(), QRect(0, 0, 64, 48));
    QRect before;
    QRect after;
    const QImage clipped = canvas.Frame([&] {
        before = canvas.Engine.GetScissorRect();
        canvas.Engine.SetScissorRect(QRect(10, 12, 20, 8));
        after = canvas.Engine.GetScissorRect();
        FillEverything(canvas.Engine, 0xFFFF0000u);
    });
    EXPECT_EQ(before, QRect(0, 0, 64, 48));
    EXPECT_EQ(after, QRect(10, 12, 20, 8));
    EXPECT_EQ(clipped.pixel(10, 12), qRgb(255, 0, 0));
    EXPECT_EQ(clipped.pixel(29, 19), qRgb(255, 0, 0));
    EXPECT_EQ(clipped.pixel(9, 12), GpuframeTestCanvas::Background);
    EXPECT_EQ(clipped.pixel(30, 19), GpuframeTestCanvas::Background);
    EXPECT_EQ(clipped.pixel(29, 20), GpuframeTestCanvas::Background);

    const QImage next = canvas.Frame([&] { FillEverything(canvas.Engine, 0xFFFF0000u); });
    EXPECT_EQ(next.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.Engine.GetScissorRect(), QRect(0, 0, 64, 48));
}

TEST(CGpuEngine, ObjectsBelongToTheEngineUntilReleased)
{
    GpuframeTestCanvas canvas;
    CGpuPrimitive* box = canvas.Engine.CreatePrimitive();
    ASSERT_NE(box, nullptr);
    canvas.Engine.ReleaseObject(box);
    canvas.Engine.ReleaseObject(static_cast<CGpuPrimitive*>(nullptr));
    // Whatever is left is freed with the engine (the address sanitizer build
    // reports it otherwise).
    canvas.Engine.CreateTexture();
    canvas.Engine.CreateFont();
}

// The control's window in short: its client area's paint event renders.
class RenderingClientArea : public QObject
{
public:
    RenderingClientArea(QScrollArea& window, CGpuEngine& engine) : window_(window), engine_(engine)
    {
        window.viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_.viewport() || event->type() != QEvent::Paint)
            return false;
        QPainter painter(window_.viewport());
        engine_.Render(1, painter);
        return true;
    }

private:
    QScrollArea& window_;
    CGpuEngine& engine_;
};

// With OpenGL the engine either covers the client area with its surface, or
// says why it cannot and leaves the window as it was.
TEST(CGpuEngine, OpenGlModeStartsOrFailsWithAReasonAndNoTrace)
{
    QScrollArea window;
    window.resize(120, 90);
    const int childrenBefore = int(window.viewport()->findChildren<QWidget*>().size());
    CGpuEngine engine;
    const QSize client = window.viewport()->size();
    const int result = engine.Initialise(&window, client.width(), client.height(), 0xFF000000u, 1);
    const QList<QOpenGLWidget*> surfaces = window.viewport()->findChildren<QOpenGLWidget*>();
    if (result != 0) {
        EXPECT_FALSE(engine.LastError().isEmpty());
        EXPECT_EQ(window.viewport()->findChildren<QWidget*>().size(), childrenBefore);
        return;
    }
    EXPECT_EQ(engine.GetBackend(), CGpuEngine::Backend::OpenGL);
    ASSERT_EQ(surfaces.size(), 1);
    EXPECT_EQ(surfaces[0]->geometry(), window.viewport()->rect());
    EXPECT_TRUE(surfaces[0]->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(surfaces[0]->focusPolicy(), Qt::NoFocus);

    // The window's own painter is left alone: the surface draws the frame.
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(GpuframeTestCanvas::Untouched);
    QPainter painter(&image);
    EXPECT_EQ(engine.Render(1, painter), 0);
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), GpuframeTestCanvas::Untouched);

    // A repaint asked of the client area (as the control asks for one) must
    // reach the surface: a surface hiding the client area would swallow it.
    DrawingCallback callback;
    int renders = 0;
    callback.Draw = [&] { ++renders; };
    engine.SetRenderCallback(&callback);
    RenderingClientArea paintsThrough(window, engine);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const int before = renders;
    window.viewport()->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return renders > before; }, 2000));
    engine.SetRenderCallback(nullptr);
}

} // namespace
