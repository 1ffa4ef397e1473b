#pragma once
// A raster engine drawing into a QImage: the image's painter stands for the
// painter of the control's window, so a frame's pixels can be read back.

#include "CGpuEngine.h"
#include "IProcess.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <functional>

// The control's side of the engine: Render runs whatever the test draws.
class DrawingCallback : public IProcess
{
public:
    int IsEngineReady() override { return 1; }
    void OnDeviceReset() override { ++DeviceResets; }
    void Render() override
    {
        if (Draw)
            Draw();
    }

    std::function<void()> Draw;
    int DeviceResets = 0;
};

class GpuframeTestCanvas
{
public:
    static constexpr uint32_t Background = 0xFF102030u;
    static constexpr uint32_t Untouched = 0xFF5A5A5Au;   // the canvas before a frame

    explicit GpuframeTestCanvas(QSize size = QSize(64, 48)) : size_(size)
    {
        window_.resize(size);
        Engine.Initialise(&window_, size.width(), size.height(), Background, 0);
        Engine.SetRenderCallback(&Callback);
    }

    // One frame of the engine with `draw` as the picture; the canvas after it.
    QImage Frame(std::function<void()> draw, int present = 1)
    {
        QImage canvas(size_, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Untouched);
        Callback.Draw = std::move(draw);
        QPainter painter(&canvas);
        Engine.Render(present, painter);
        painter.end();
        Callback.Draw = nullptr;
        return canvas;
    }

    CGpuEngine Engine;
    DrawingCallback Callback;

private:
    QSize size_;
    QWidget window_;
};

inline QRgb Grey(int value)
{
    return qRgb(value, value, value);
}
