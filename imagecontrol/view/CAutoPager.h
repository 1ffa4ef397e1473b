#pragma once
// Automatic paging (the Space key): while the pointer rests, the view turns a
// page every 10 / (VScrollSpeed + 1) seconds. It ends on a press or release
// of the left or right button, the wheel, a key press, or the pointer moving
// more than 50 pixels from where it was at the start; the event that ends it
// is used up. A left double-click goes on to the control. User-interface
// thread only.

#include "CCaptureLoop.h"

#include <QPoint>

class LUMETRAIMAGE_API CAutoPager : public CCaptureLoop
{
public:
    static constexpr int LeaveDistance = 50;

    // pageForward turns one page (the control goes F images on).
    explicit CAutoPager(std::function<void()> pageForward);

    // pointerGlobal: where the pointer is now, in screen coordinates.
    void Start(QWidget* viewport, QPoint pointerGlobal, int vScrollSpeed, const QCursor& cursor);

    bool OnMouseEvent(const QMouseEvent& event) override;
    bool OnKeyEvent(const QKeyEvent& event) override;
    bool OnWheel() override;

protected:
    void Step(double seconds) override;

private:
    bool HasLeftStart(QPoint pointerGlobal) const;

    std::function<void()> pageForward_;
    QPoint start_;
    double period_ = 0;
    double sinceLastPage_ = 0;
};
