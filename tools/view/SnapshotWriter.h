#pragma once
// Draws the control once, without a window on screen, and writes the picture
// of its client area as a PNG: the control lives in a host widget that is
// never shown on screen (so it works on the offscreen platform too), sized so
// that the client area is exactly the asked size; the picture is taken once
// every frame row on screen is loaded (loader threads get LoadTimeoutMs).
//
// Threads: the user-interface thread, with a QApplication. Cost: one load of
// the first screen and one paint. Errors: false with one line of text when
// the engine does not start or the PNG cannot be written. Frames still
// loading at the time limit are drawn as not loaded, with a warning.

#include <QString>

class ChannelTrackLoader;
struct ViewOptions;

class SnapshotWriter
{
public:
    static constexpr int LoadTimeoutMs = 10000;

    static bool Write(const ViewOptions& options, const ChannelTrackLoader& loader, QString* error);
};
