#include "CSmoothScroller.h"

#include <QKeyEvent>

namespace {

bool IsSpeedModifier(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Shift;
}

} // namespace

void CSmoothScroller::Start(QWidget* viewport, int direction, OtherInput otherInput, Rate rate, Advance advance)
{
    if (!Begin(viewport, QCursor(Qt::ArrowCursor)))
        return;
    sign_ = direction == 1 ? 1.0 : -1.0;
    otherInput_ = otherInput;
    rate_ = std::move(rate);
    advance_ = std::move(advance);
    travelled_ = 0;
}

bool CSmoothScroller::OnMouseEvent(const QMouseEvent&)
{
    return otherInput_ == OtherInput::Drop;
}

bool CSmoothScroller::OnKeyEvent(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return true;
    if (event.type() == QEvent::KeyRelease && !IsSpeedModifier(event.key())) {
        Stop();
        return true;
    }
    return otherInput_ == OtherInput::Drop;
}

bool CSmoothScroller::OnWheel()
{
    return otherInput_ == OtherInput::Drop;
}

void CSmoothScroller::Step(double seconds)
{
    const double rate = rate_ ? rate_() : 0.0;
    travelled_ += sign_ * seconds * rate;
    if (advance_)
        advance_(travelled_);
}
