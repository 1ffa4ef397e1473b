#pragma once
// Scrolling by dragging with the left button: every mouse move hands the
// pointer (viewport coordinates) to the owner, who moves the view so the
// content follows it; the left button's release ends the drag. Both are used
// up; other events go on to the control. The pointer keeps its shape.
// User-interface thread only.

#include "CCaptureLoop.h"

#include <QPoint>

class LUMETRAIMAGE_API CDragScroller : public CCaptureLoop
{
public:
    using Follow = std::function<void(QPoint pointer)>;

    void Start(QWidget* viewport, Follow follow);

    bool OnMouseEvent(const QMouseEvent& event) override;

private:
    Follow follow_;
};
