#include "CLumetraView.h"

#include "CMessageEvent.h"

#include <QCoreApplication>
#include <QResizeEvent>

CLumetraView::CLumetraView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLumetraView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (frame_)
        QCoreApplication::postEvent(frame_, new CMessageEvent(Messages::ViewResized, event->size().width(),
                                                              event->size().height()));
}

void CLumetraView::paintEvent(QPaintEvent*)
{
    // The control covers the whole view.
}
