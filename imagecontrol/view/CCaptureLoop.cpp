#include "CCaptureLoop.h"

#include <QWidget>

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

void CCaptureLoop::Finish(bool callEndHook)
{
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    if (QWidget* viewport = viewport_.data()) {
        if (QWidget::mouseGrabber() == viewport)
            viewport->releaseMouse();
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
