#include "CGpuSurface.h"

#include <QPainter>

CGpuSurface::CGpuSurface(QWidget* host, FramePainter paintFrame, ContextLost onContextRecreated)
    : QOpenGLWidget(host)
    , paintFrame_(std::move(paintFrame))
    , onContextRecreated_(std::move(onContextRecreated))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Left non-opaque on purpose: an opaque child covering the client area
    // would swallow the client area's repaints, and with them every request
    // for a new frame.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CGpuSurface::initializeGL()
{
    if (initialisedOnce_ && onContextRecreated_)
        onContextRecreated_();
    initialisedOnce_ = true;
}

void CGpuSurface::paintGL()
{
    QPainter painter(this);
    if (paintFrame_)
        paintFrame_(painter);
}
