#include "RunLayout.h"

#include <cmath>

RunLayout::RunLayout(const SimulatorOptions& options) : options_(options) {}

double RunLayout::mmPerRow(int height) const
{
    const double along = double(options_.stepMm) / height;
    return options_.descending ? -along : along;
}

FramePlacement RunLayout::placement(int runFrame) const
{
    const int64_t travelled = int64_t(options_.stepMm) * (runFrame - 1);
    const int64_t startMm = int64_t(options_.startKm) * 1000000 + int64_t(options_.startM) * 1000;
    const int64_t positionMm = options_.descending ? startMm - travelled : startMm + travelled;
    FramePlacement frame;
    frame.runFrame = runFrame;
    frame.chainageMm = double(positionMm);
    frame.km = int(positionMm / 1000000);
    frame.m = int((positionMm % 1000000) / 1000);
    const double mmPerSecond = options_.speedKmh * 1000000.0 / 3600.0;
    frame.captureTime = options_.start.toSecsSinceEpoch() + int64_t(std::floor(double(travelled) / mmPerSecond));
    return frame;
}

std::vector<FramePlacement> RunLayout::framesOfChannel(int channel) const
{
    std::vector<bool> lost(size_t(options_.frames) + 1, false);
    for (const FaultInjection& injection : options_.injections) {
        if (injection.kind != FaultInjectionKind::LostFrames || injection.channel != channel)
            continue;
        for (int frame = injection.firstFrame; frame <= injection.lastFrame; ++frame)
            lost[size_t(frame)] = true;
    }
    std::vector<FramePlacement> frames;
    frames.reserve(size_t(options_.frames));
    for (int frame = 1; frame <= options_.frames; ++frame)
        if (!lost[size_t(frame)])
            frames.push_back(placement(frame));
    return frames;
}
