#pragma once
// Owns the control's rendering engine and its two fonts (height 50 italic and
// height 20 upright, face "微软雅黑"). Creating it for a paint mode either
// succeeds or shows the designed failure message and leaves no engine.
// User-interface thread. Create costs what the backend's start costs (an
// OpenGL context for mode 1, next to nothing for the raster backend).

#include <QSize>
#include <cstdint>

class CGpuEngine;
class CGpuFont;
class IProcess;
class QWidget;

class CRenderEngineHost
{
public:
    CRenderEngineHost() = default;
    ~CRenderEngineHost();
    CRenderEngineHost(const CRenderEngineHost&) = delete;
    CRenderEngineHost& operator=(const CRenderEngineHost&) = delete;

    // Creates and initialises an engine for `window` (mode flag paintMode ==
    // 1) with both fonts. On failure shows "建立Direct3D渲染设备失败!…" through
    // ShowControlMessage, keeps no engine and answers false.
    bool Create(QWidget* window, QSize clientSize, uint32_t backgroundArgb, int paintMode);
    // Fonts first, then the engine. The caller has taken the engine away from
    // the tracks and cleared the render callback before.
    void Release();
    CGpuEngine* Engine() const;
    CGpuFont* LargeFont() const;
    CGpuFont* SmallFont() const;

private:
    CGpuFont* CreateFont(int height, bool italic);

    CGpuEngine* engine_ = nullptr;
    CGpuFont* largeFont_ = nullptr;
    CGpuFont* smallFont_ = nullptr;
};
