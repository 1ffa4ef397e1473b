#pragma once
// The rendering engine of the image display control. It draws one picture of
// the view per Render call through a painter on the control's window and
// hands out the objects the control draws with: fonts, textures and
// primitives. Two backends stand behind the same operations:
//   mode flag 0  raster: QPainter on the window's own backing store; textures
//                keep frames at the size they are drawn at (see
//                CGpuTexture.h), so drawing a frame is a plain blit. Works
//                everywhere, headless included.
//   mode flag 1  OpenGL: a QOpenGLWidget laid over the window's client area
//                (it takes no input) draws each frame through its OpenGL
//                paint engine; textures are scaled by the graphics hardware.
//                A repaint of the client area asks the surface for a frame.
// Created by GpuframeCreateEngine, destroyed by GpuframeDestroyEngine.
//
// Threads: the user-interface thread, except CGpuTexture::UploadBitmap and
// Fill, which loader threads call (each texture is guarded by its owner's
// lock, the engine itself is not touched). Creating and releasing objects is
// also safe from the task loader's worker (a track opens there). Errors:
// Initialise answers non-zero with LastError() set; drawing without a frame
// in progress does nothing.

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

    // The callback's Render draws the picture; OnDeviceReset follows a new
    // context of the OpenGL surface (after it moved to another top-level
    // window; a resize keeps it). Not owned; null clears it.
    void SetRenderCallback(IProcess* callback);

    // Draws one frame now through `windowPainter` (a painter open on the
    // window's viewport, inside its paint event): clears to the background
    // colour, calls the callback's Render, and leaves the picture in the
    // window. `present` is kept for the callers' sake; 0 skips the clear.
    // The OpenGL backend only asks its surface for a frame and leaves
    // `windowPainter` alone. 0 = drawn (or asked for); 1 before Initialise or
    // while a frame is in progress. Cost: whatever the callback draws.
    int Render(int present, QPainter& windowPainter);
    void Resize(int width, int height);
    QSize GetSize() const;
    void SetBackgroundColor(uint32_t argb);
    uint32_t GetBackgroundColor() const;
    // Shows or hides the OpenGL surface, so that the window can paint its own
    // picture (without channels) beneath it. Nothing for the raster backend.
    void SetSurfaceVisible(bool visible);

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
