#pragma once
// Six channel big files of 2048 x 2000 frames for the control's benchmarks,
// made once per process in a temporary folder: real rail frames packed when
// LUMETRA_RAIL_FRAMES_DIR holds some (each channel starts at another frame),
// otherwise a run of the simulator. Call from the thread of the application
// object; a failure ends the process with the reason.

#include <QStringList>

class SixChannelRun
{
public:
    static constexpr int Channels = 6;
    static constexpr int FramesPerChannel = 40;

    // The big files in channel order (TrackIDs 1 … 6 in the viewer).
    static const QStringList& Files();
    // "real frames" or "simulated frames", for the benchmarks' labels.
    static const char* Source();
};
