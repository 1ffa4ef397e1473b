#include "CDragScroller.h"

#include <QMouseEvent>

void CDragScroller::Start(QWidget* viewport, Follow follow)
{
    if (Begin(viewport, std::nullopt))
        follow_ = std::move(follow);
}

bool CDragScroller::OnMouseEvent(const QMouseEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseMove:
        if (follow_)
            follow_(event.position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (event.button() != Qt::LeftButton)
            return false;
        Stop();
        return true;
    default:
        return false;
    }
}
