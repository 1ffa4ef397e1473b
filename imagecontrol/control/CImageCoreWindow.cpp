#include "CImageCoreWindow.h"

#include "CTrackImageDrawObject.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <limits>

namespace {

// The key-state flags of a Windows wheel message (MK_LBUTTON, MK_RBUTTON,
// MK_SHIFT, MK_CONTROL, MK_MBUTTON), which OnMouseWheel takes.
unsigned MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= 0x0001;
    if (buttons & Qt::RightButton)
        flags |= 0x0002;
    if (modifiers & Qt::ShiftModifier)
        flags |= 0x0004;
    if (modifiers & Qt::ControlModifier)
        flags |= 0x0008;
    if (buttons & Qt::MiddleButton)
        flags |= 0x0010;
    return flags;
}

short WheelDelta(const QWheelEvent& event)
{
    const int delta = event.angleDelta().y();
    const int lowest = std::numeric_limits<short>::min();
    const int highest = std::numeric_limits<short>::max();
    return static_cast<short>(qBound(lowest, delta, highest));
}

} // namespace

CImageCoreWindow::CImageCoreWindow(CTrackImageDrawObject& owner, QWidget* parent)
    : QAbstractScrollArea(parent)
    , owner_(owner)
    , toolTips_(viewport())
{
    // The control answers each action with the position it wants before the
    // bar takes one of its own (the bar then applies what the control set).
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { owner_.OnVerticalScrollAction(action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { owner_.OnHorizontalScrollAction(action); });
    // A bar would scroll itself by several lines per notch; the wheel is the
    // control's over its whole window.
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
}

CToolTipControl& CImageCoreWindow::ToolTips()
{
    return toolTips_;
}

void CImageCoreWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    owner_.PaintWindow(painter, viewport()->rect());
}

void CImageCoreWindow::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    owner_.OnWindowResized();
}

void CImageCoreWindow::mousePressEvent(QMouseEvent* event)
{
    toolTips_.Pop();
    ForwardMouse(event);
}

void CImageCoreWindow::mouseReleaseEvent(QMouseEvent* event)
{
    ForwardMouse(event);
}

void CImageCoreWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    toolTips_.Pop();
    ForwardMouse(event);
}

void CImageCoreWindow::mouseMoveEvent(QMouseEvent* event)
{
    toolTips_.RelayMouseMove(event->position().toPoint());
    ForwardMouse(event);
}

void CImageCoreWindow::wheelEvent(QWheelEvent* event)
{
    ForwardWheel(event, event->position().toPoint());
}

void CImageCoreWindow::keyPressEvent(QKeyEvent* event)
{
    ForwardKey(event);
}

void CImageCoreWindow::keyReleaseEvent(QKeyEvent* event)
{
    ForwardKey(event);
}

bool CImageCoreWindow::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        toolTips_.Pop();
    return QAbstractScrollArea::viewportEvent(event);
}

bool CImageCoreWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool onBar = watched == verticalScrollBar() || watched == horizontalScrollBar();
    if (onBar && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        ForwardWheel(wheel, viewport()->mapFromGlobal(wheel->globalPosition().toPoint()));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void CImageCoreWindow::scrollContentsBy(int, int)
{
    // The control draws its view from its own scroll state, which it changes
    // on the bars' actions; moving the viewport's pixels as the base class
    // does would tear the picture.
}

void CImageCoreWindow::ForwardWheel(QWheelEvent* event, QPoint clientPoint)
{
    // A sideways turn (a tilting wheel, a touchpad swipe) is another wheel,
    // not a turn of no notches: with Ctrl held it would zoom out.
    if (event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    toolTips_.Pop();
    owner_.OnMouseWheel(MouseKeyFlags(event->buttons(), event->modifiers()), WheelDelta(*event), clientPoint);
    event->accept();
}

void CImageCoreWindow::ForwardMouse(QMouseEvent* event)
{
    // The pointer's area belongs to the control: presses never fall through
    // to the view behind it.
    owner_.OnWindowMouseEvent(event);
    event->accept();
}

void CImageCoreWindow::ForwardKey(QKeyEvent* event)
{
    // Keys the control does not use travel on to the program's key table
    // instead of scrolling the bars as a scroll area would.
    if (owner_.OnWindowKeyEvent(event))
        event->accept();
    else
        event->ignore();
}
