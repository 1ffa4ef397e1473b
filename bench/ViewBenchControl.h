#pragma once
// The image control as the benchmarks drive it: the six benchmark channels
// in a control whose client area has the asked size, in a host widget that
// is never shown on screen, with the first screen of frames loaded. The
// members go in the order the tracks demand: control first, then the
// readers, then the host. User-interface thread.

#include "ChannelTrackLoader.h"
#include "ViewOptions.h"
#include "ViewerControl.h"

#include <QSize>
#include <QWidget>

class CTrackImageDrawObject;

class ViewBenchControl
{
public:
    ViewBenchControl(const ViewOptions& options, QSize clientSize);

    CTrackImageDrawObject& Object() const { return control_.Object(); }
    ViewerControl& Control() { return control_; }
    // Spins (events and a short sleep) until every row on screen is loaded;
    // ends the process when that takes over a minute.
    void WaitUntilLoaded();

private:
    QWidget host_;
    ChannelTrackLoader loader_;
    ViewerControl control_;
};
