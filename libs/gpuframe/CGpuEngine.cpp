#include "CGpuEngine.h"

#include "CGpuFont.h"
#include "CGpuPrimitive.h"
#include "CGpuSurface.h"
#include "CGpuTexture.h"
#include "IProcess.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <mutex>

namespace {

// Empty when an OpenGL context can be created and made current here.
QString ProbeOpenGl()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread())
        return QStringLiteral("OpenGL can only start on the user-interface thread of a running application");
    QOpenGLContext context;
    if (!context.create())
        return QStringLiteral("no OpenGL context can be created on this display");
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid())
        return QStringLiteral("no OpenGL surface can be created on this display");
    if (!context.makeCurrent(&surface))
        return QStringLiteral("the OpenGL context cannot be made current");
    context.doneCurrent();
    return {};
}

// The widget the picture covers: a scroll area's viewport, else the window.
QWidget* ClientAreaOf(QWidget* window)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window))
        return area->viewport();
    return window;
}

// Objects handed out by the engine. Tracks open (and create their textures)
// on the task loader's worker while the user-interface thread may release
// others, so the lists are guarded.
template <class T>
class OwnedObjects
{
public:
    T* Add(std::unique_ptr<T> object)
    {
        std::lock_guard lock(lock_);
        objects_.push_back(std::move(object));
        return objects_.back().get();
    }

    // Objects the engine did not hand out are left alone.
    void Release(T* object)
    {
        std::unique_ptr<T> released;
        {
            std::lock_guard lock(lock_);
            auto found = std::find_if(objects_.begin(), objects_.end(), [object](const auto& owned) { return owned.get() == object; });
            if (found == objects_.end())
                return;
            released = std::move(*found);
            objects_.erase(found);
        }
    }

private:
    std::mutex lock_;
    std::vector<std::unique_ptr<T>> objects_;
};

} // namespace

struct CGpuEngine::Impl
{
    ~Impl() { delete surface.data(); }

    QRect SurfaceRect() const { return QRect(QPoint(0, 0), size); }
    int DrawFrame(int present, QPainter& target);
    void PaintSurface(QPainter& target);
    void ScheduleSurfaceFrame(int present);
    void OnContextRecreated();

    bool ready = false;
    Backend backend = Backend::Raster;
    QPointer<QWidget> window;
    QPointer<CGpuSurface> surface;
    QSize size;
    uint32_t background = 0xFF000000u;
    QString lastError;
    IProcess* callback = nullptr;
    QPainter* painter = nullptr;
    int surfacePresent = 1;
    OwnedObjects<CGpuFont> fonts;
    OwnedObjects<CGpuTexture> textures;
    OwnedObjects<CGpuPrimitive> primitives;
};

int CGpuEngine::Impl::DrawFrame(int present, QPainter& target)
{
    // A frame inside a frame (the callback asking for another) is refused.
    if (painter || !target.isActive())
        return 1;
    painter = &target;
    target.save();
    target.setRenderHint(QPainter::Antialiasing, false);
    if (present != 0)
        target.fillRect(SurfaceRect(), QColor::fromRgb(background)); // the clear is always opaque
    if (callback)
        callback->Render();
    target.restore();
    painter = nullptr;
    return 0;
}

void CGpuEngine::Impl::PaintSurface(QPainter& target)
{
    DrawFrame(surfacePresent, target);
}

// The surface lies over the client area without hiding it from the window
// system's point of view, so a repaint of the client area reaches Render and
// is passed on here; the surface's own repaint does not come back this way.
void CGpuEngine::Impl::ScheduleSurfaceFrame(int present)
{
    surfacePresent = present;
    if (surface)
        surface->update();
}

void CGpuEngine::Impl::OnContextRecreated()
{
    if (callback)
        callback->OnDeviceReset();
}

CGpuEngine::CGpuEngine() : impl_(std::make_unique<Impl>())
{
}

CGpuEngine::~CGpuEngine() = default;

int CGpuEngine::Initialise(QWidget* window, int width, int height, uint32_t backgroundArgb, int modeFlag)
{
    if (!window) {
        impl_->lastError = QStringLiteral("no window to draw on");
        return 1;
    }
    if (width < 0 || height < 0) {
        impl_->lastError = QStringLiteral("negative surface size %1 x %2").arg(width).arg(height);
        return 1;
    }
    const Backend backend = modeFlag == 1 ? Backend::OpenGL : Backend::Raster;
    if (backend == Backend::OpenGL) {
        const QString problem = ProbeOpenGl();
        if (!problem.isEmpty()) {
            impl_->lastError = problem;
            return 1;
        }
    }
    delete impl_->surface.data();
    impl_->window = window;
    impl_->backend = backend;
    impl_->size = QSize(width, height);
    impl_->background = backgroundArgb;
    if (backend == Backend::OpenGL) {
        Impl* impl = impl_.get();
        auto* surface = new CGpuSurface(
            ClientAreaOf(window), [impl](QPainter& painter) { impl->PaintSurface(painter); },
            [impl] { impl->OnContextRecreated(); });
        surface->setGeometry(impl_->SurfaceRect());
        surface->show();
        impl_->surface = surface;
    }
    impl_->lastError.clear();
    impl_->ready = true;
    return 0;
}

CGpuEngine::Backend CGpuEngine::GetBackend() const
{
    return impl_->backend;
}

QString CGpuEngine::LastError() const
{
    return impl_->lastError;
}

void CGpuEngine::SetRenderCallback(IProcess* callback)
{
    impl_->callback = callback;
}

int CGpuEngine::Render(int present, QPainter& windowPainter)
{
    if (!impl_->ready)
        return 1;
    if (impl_->backend == Backend::OpenGL) {
        impl_->ScheduleSurfaceFrame(present);
        return 0;
    }
    return impl_->DrawFrame(present, windowPainter);
}

void CGpuEngine::Resize(int width, int height)
{
    impl_->size = QSize(std::max(0, width), std::max(0, height));
    if (impl_->surface)
        impl_->surface->setGeometry(impl_->SurfaceRect());
}

QSize CGpuEngine::GetSize() const
{
    return impl_->size;
}

void CGpuEngine::SetBackgroundColor(uint32_t argb)
{
    impl_->background = argb;
}

uint32_t CGpuEngine::GetBackgroundColor() const
{
    return impl_->background;
}

void CGpuEngine::SetSurfaceVisible(bool visible)
{
    if (!impl_->surface)
        return;
    impl_->surface->setVisible(visible);
}

CGpuFont* CGpuEngine::CreateFont()
{
    return impl_->fonts.Add(std::make_unique<CGpuFont>(*this));
}

CGpuTexture* CGpuEngine::CreateTexture()
{
    return impl_->textures.Add(std::make_unique<CGpuTexture>(*this));
}

CGpuPrimitive* CGpuEngine::CreatePrimitive()
{
    return impl_->primitives.Add(std::make_unique<CGpuPrimitive>(*this));
}

void CGpuEngine::ReleaseObject(CGpuFont* font)
{
    impl_->fonts.Release(font);
}

void CGpuEngine::ReleaseObject(CGpuTexture* texture)
{
    impl_->textures.Release(texture);
}

void CGpuEngine::ReleaseObject(CGpuPrimitive* primitive)
{
    impl_->primitives.Release(primitive);
}

QRect CGpuEngine::GetScissorRect() const
{
    QPainter* painter = impl_->painter;
    if (!painter || !painter->hasClipping())
        return impl_->SurfaceRect();
    return painter->clipBoundingRect().toAlignedRect();
}

void CGpuEngine::SetScissorRect(const QRect& rect)
{
    if (impl_->painter)
        impl_->painter->setClipRect(rect);
}

QPainter* CGpuEngine::CurrentPainter() const
{
    return impl_->painter;
}

CGpuEngine* GpuframeCreateEngine()
{
    return new CGpuEngine;
}

void GpuframeDestroyEngine(CGpuEngine* engine)
{
    delete engine;
}
