#pragma once
// The OpenGL backend's drawing surface: a QOpenGLWidget laid over the control's
// client area. It takes no input (mouse and wheel fall through to the client
// area, it never has focus) and paints each frame through a QPainter on its
// OpenGL paint engine, using the engine's frame drawing. User-interface
// thread only.

#include <QOpenGLWidget>

#include <functional>

class CGpuSurface : public QOpenGLWidget
{
public:
    using FramePainter = std::function<void(QPainter&)>;
    using ContextLost = std::function<void()>;

    // `onContextRecreated` runs when the surface's context was made anew
    // after the first (it moved to another top-level window).
    CGpuSurface(QWidget* host, FramePainter paintFrame, ContextLost onContextRecreated);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    FramePainter paintFrame_;
    ContextLost onContextRecreated_;
    bool initialisedOnce_ = false;
};
