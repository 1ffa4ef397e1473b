#include "CCaptureLoop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

CCaptureLoop::CCaptureLoop()
{
    timer_.setInterval(StepMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { OnTimer(); });
}

CCaptureLoop::~CCaptureLoop()
{
    Finish(false);
}

bool CCaptureLoop::IsRunning() const
{
    return running_;
}

void CCaptureLoop::Stop()
{
    Finish(true);
}

void CCaptureLoop::SetEndHook(std::function<void()> hook)
{
    endHook_ = std::move(hook);
}

bool CCaptureLoop::OnMouseEvent(const QMouseEvent&)
{
    return false;
}

bool CCaptureLoop::OnKeyEvent(const QKeyEvent&)
{
    return false;
}

bool CCaptureLoop::OnWheel()
{
    return false;
}

bool CCaptureLoop::Begin(QWidget* viewport, const std::optional<QCursor>& cursor)
{
    Finish(true);
    if (!viewport)
        return false;
    viewport_ = viewport;
    running_ = true;
    cursorChanged_ = cursor.has_value();
    if (cursorChanged_) {
        hadOwnCursor_ = viewport->testAttribute(Qt::WA_SetCursor);
        previousCursor_ = viewport->cursor();
        viewport->setCursor(*cursor);
    }
    viewport->grabMouse();
    viewport->grabKeyboard();
    // The activation may change without a key or button reaching the
    // program (another application takes over); the loop must not outlive it.
    focusWatch_ = QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &timer_,
                                   [this] { OnFocusWindowChanged(); });
    clock_.start();
    timer_.start();
    return true;
}

void CCaptureLoop::Step(double)
{
}

void CCaptureLoop::OnTimer()
{
    if (!running_)
        return;
    if (!viewport_ || QWidget::mouseGrabber() != viewport_) {
        Stop();
        return;
    }
    const double seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
    clock_.restart();
    Step(seconds);
}

void CCaptureLoop::OnFocusWindowChanged()
{
    const QWidget* viewport = viewport_.data();
    if (!viewport || QGuiApplication::focusWindow() != viewport->window()->windowHandle())
        Stop();
}

void CCaptureLoop::Finish(bool callEndHook)
{
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    QObject::disconnect(focusWatch_);
    if (QWidget* viewport = viewport_.data()) {
        if (QWidget::mouseGrabber() == viewport)
            viewport->releaseMouse();
        if (QWidget::keyboardGrabber() == viewport)
            viewport->releaseKeyboard();
        if (cursorChanged_) {
            if (hadOwnCursor_)
                viewport->setCursor(previousCursor_);
            else
                viewport->unsetCursor();
        }
    }
    viewport_.clear();
    if (callEndHook && endHook_)
        endHook_();
}
