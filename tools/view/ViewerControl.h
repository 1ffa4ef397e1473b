#pragma once
// The image display control as lumetra-view sets it up: made through the
// library's factory, given the viewer's drawing settings and its tracks, and
// dropped in the order the tracks demand (RemoveAll, which joins the loader
// threads, before Destroy). The tracks' readers belong to a
// ChannelTrackLoader that must outlive this object.
//
// Threads: the user-interface thread. Cost: Create builds the window and the
// rendering engine; ShowTracks loads the first screen of frames (on the
// calling thread unless ThreadLoad is set). Errors: Create answers false with
// a line of text when the window cannot be made.

#include "ViewOptions.h"

#include <QRect>
#include <QSize>
#include <QString>

class ChannelTrackLoader;
class CTrackImageDrawObject;
class ILumetraDrawControlCore;
class QWidget;

class ViewerControl
{
public:
    // Control id the program gives its image control.
    static constexpr unsigned ControlId = 106;

    ViewerControl();
    ~ViewerControl();
    ViewerControl(const ViewerControl&) = delete;
    ViewerControl& operator=(const ViewerControl&) = delete;

    // Creates the window at `rect` in `parent` and applies the settings of
    // `options`: ThreadLoad, frames per screen, boxes, dividers, the start-up
    // image adjustment, the paint mode (engine) and the zoom.
    bool Create(const ViewOptions& options, QWidget* parent, const QRect& rect, QString* error);
    // Whether the paint mode's rendering engine started; without it no frame
    // is drawn (the control has shown its message already).
    bool EngineReady() const;
    // Adds the loader's tracks and goes to `image` (clamped by the control).
    void ShowTracks(const ChannelTrackLoader& loader, int image);
    // Resizes `host`, the widget whose layout holds the control's window,
    // until the control's client area is `size` (scroll bars come and go with
    // the size); false when it does not settle.
    bool FitClientArea(QWidget& host, const QSize& size) const;

    ILumetraDrawControlCore& Core() const;
    // The same object, for the view state the tool and its benchmarks read.
    CTrackImageDrawObject& Object() const;
    QWidget* Window() const;
    QWidget* ClientArea() const;

private:
    ILumetraDrawControlCore* core_ = nullptr;
    CTrackImageDrawObject* object_ = nullptr;
};
