#pragma once
// The rendering engine of the image display control. It draws one picture of
// the view per Render call through a painter on the control's window and
// hands out the objects the control draws with: fonts, textures and
// primitives. Two backends stand behind the same operations:
//   mode flag 0  raster: QPainter on the window's own backing store; textures
//                keep a copy scaled to the last drawing scale, so drawing a
//                frame is a plain blit. Works everywhere, headless included.
//   mode flag 1  OpenGL: the window's viewport becomes a QOpenGLWidget and the
//                painter is its OpenGL paint engine; textures are scaled by
//                the graphics hardware.
// Created by GpuframeCreateEngine, destroyed by GpuframeDestroyEngine.
//
// Threads: the user-interface thread, except CGpuTexture::UploadBitmap and
// Fill, which loader threads call (each texture is guarded by its owner's
// lock, the engine itself is not touched). Errors: Initialise answers non-zero
// with LastError() set; drawing without a frame in progress does nothing.

#include "GpuframeApi.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CGpuFont;
class CGpuPrimitive;
class CGpuTexture;
class IProcess;
class QPainter;
class QWidget;

class GPUFRAME_API CGpuEngine
{
public:
    enum class Backend { Raster = 0, OpenGL = 1 };

    CGpuEngine();
    ~CGpuEngine();
    CGpuEngine(const CGpuEngine&) = delete;
    CGpuEngine& operator=(const CGpuEngine&) = delete;

    // 0 = ready. `window` is the control's window (a QAbstractScrollArea whose
    // viewport is the client area, or any widget for the raster backend).
    // modeFlag 1 asks for OpenGL; a context that cannot be created fails
    // without touching the window.
    int Initialise(QWidget* window, int width, int height, uint32_t backgroundArgb, int modeFlag);
    Backend GetBackend() const;
    QString LastError() const;

    // The callback's Render draws the picture; OnDeviceReset follows Resize
    // of an OpenGL surface (its textures are gone). Not owned; null clears it.
    void SetRenderCallback(IProcess* callback);

    // Draws one frame now through `windowPainter` (a painter open on the
    // window's viewport, inside its paint event): clears to the background
    // colour, calls the callback's Render, and leaves the picture in the
    // window. `present` is kept for the callers' sake; 0 skips the clear.
    int Render(int present, QPainter& windowPainter);
    void Resize(int width, int height);
    QSize GetSize() const;
    void SetBackgroundColor(uint32_t argb);
    uint32_t GetBackgroundColor() const;

    // Objects belong to the engine until ReleaseObject or the engine's end.
    CGpuFont* CreateFont();
    CGpuTexture* CreateTexture();
    CGpuPrimitive* CreatePrimitive();
    void ReleaseObject(CGpuFont* font);
    void ReleaseObject(CGpuTexture* texture);
    void ReleaseObject(CGpuPrimitive* primitive);

    // The clip of the frame being drawn (the whole surface outside Render).
    QRect GetScissorRect() const;
    void SetScissorRect(const QRect& rect);

    // The painter of the frame in progress, or null outside Render. Fonts,
    // textures and primitives draw through it.
    QPainter* CurrentPainter() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The library's two entry points (ordinals 1 and 2 of the original design).
extern "C" GPUFRAME_API CGpuEngine* GpuframeCreateEngine();
extern "C" GPUFRAME_API void GpuframeDestroyEngine(CGpuEngine* engine);
