#pragma once
// The window of the image display control: a scroll area whose viewport is
// the client area. It paints nothing of its own and keeps no state but its
// tooltips; paint, resize, mouse, wheel, key and scroll-bar events go to the
// control object. The wheel does the same over the scroll bars as over the
// client area. The object holds the window through a QPointer, so a parent
// that deletes the window leaves the object without a window, not with a
// dangling one. User-interface thread only.

#include "CToolTipControl.h"

#include <QAbstractScrollArea>

class CTrackImageDrawObject;

class CImageCoreWindow : public QAbstractScrollArea
{
    Q_OBJECT

public:
    CImageCoreWindow(CTrackImageDrawObject& owner, QWidget* parent);

    CToolTipControl& ToolTips();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ForwardWheel(QWheelEvent* event, QPoint clientPoint);
    void ForwardMouse(QMouseEvent* event);
    void ForwardKey(QKeyEvent* event);

    CTrackImageDrawObject& owner_;
    CToolTipControl toolTips_;
};
