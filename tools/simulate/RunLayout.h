#pragma once
// Where and when each frame of a run was taken: frame n (1-based) starts at
// the start position plus (n - 1) x step along the direction of travel, at the
// time the vehicle needs at its speed to get there. Frames that a lost-frames
// injection removes are left out, so numbers, positions and times jump over
// them. Pure arithmetic: any thread, no errors (the options are validated).

#include "SimulatorOptions.h"

#include <cstdint>
#include <vector>

struct FramePlacement
{
    int runFrame = 0;       // 1-based number in the complete run (the record's frame number)
    double chainageMm = 0;  // position of the frame's first row, millimetres
    int km = 0;
    int m = 0;
    int64_t captureTime = 0;  // seconds since 1970-01-01 UTC
};

class RunLayout
{
public:
    explicit RunLayout(const SimulatorOptions& options);

    // Frames written for a channel (1-based), lost ranges of that channel left out.
    std::vector<FramePlacement> framesOfChannel(int channel) const;
    FramePlacement placement(int runFrame) const;
    // Signed millimetres of track between two rows of a frame.
    double mmPerRow(int height) const;

private:
    const SimulatorOptions& options_;
};
