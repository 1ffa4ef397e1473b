#include "CAutoPager.h"

#include "ScrollSpeeds.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

CAutoPager::CAutoPager(std::function<void()> pageForward)
    : pageForward_(std::move(pageForward))
{
}

void CAutoPager::Start(QWidget* viewport, QPoint pointerGlobal, int vScrollSpeed, const QCursor& cursor)
{
    if (!Begin(viewport, cursor))
        return;
    start_ = pointerGlobal;
    period_ = AutoPagePeriodSeconds(vScrollSpeed);
    sinceLastPage_ = 0;
}

bool CAutoPager::OnMouseEvent(const QMouseEvent& event)
{
    const bool pagingButton = event.button() == Qt::LeftButton || event.button() == Qt::RightButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (!pagingButton)
            return false;
        Stop();
        return true;
    case QEvent::MouseMove:
        if (!HasLeftStart(event.globalPosition().toPoint()))
            return false;
        Stop();
        return true;
    default:
        return false;
    }
}

bool CAutoPager::OnKeyEvent(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    Stop();
    return true;
}

bool CAutoPager::OnWheel()
{
    Stop();
    return true;
}

void CAutoPager::Step(double seconds)
{
    sinceLastPage_ += seconds;
    if (sinceLastPage_ <= period_)
        return;
    sinceLastPage_ = 0;
    if (pageForward_)
        pageForward_();
}

bool CAutoPager::HasLeftStart(QPoint pointerGlobal) const
{
    const QPoint moved = pointerGlobal - start_;
    return std::hypot(moved.x(), moved.y()) > LeaveDistance;
}
