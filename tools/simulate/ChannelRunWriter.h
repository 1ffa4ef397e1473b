#pragma once
// Writes the big file and index of one channel: renders every frame of the
// run, paints its defects, encodes it and appends it; then applies the
// channel's injections. Runs on any thread; the shared textures and rail
// models are only read. Failures come back in the result's error text.
// Cost: one render and one JPEG encoding per frame.

#include "ChannelPlan.h"
#include "ChannelRunResult.h"
#include "RunLayout.h"
#include "SimulatorOptions.h"

class ChannelRunWriter
{
public:
    ChannelRunWriter(const SimulatorOptions& options, const RunLayout& layout, const ChannelPlan& plan,
                     const RailSurfaceModel& rail, const SurfaceTextures& textures);

    ChannelRunResult write() const;

    // The header of this channel's big file (frame count and end time are the writer's).
    UniversalTrackInfo_Ex makeHeader(const std::vector<FramePlacement>& frames) const;

private:
    bool writeFrames(const std::vector<FramePlacement>& frames, ChannelRunResult* result) const;
    bool applyFileInjections(ChannelRunResult* result) const;
    const FaultInjection* frameInjection(FaultInjectionKind kind, int runFrame) const;

    const SimulatorOptions& options_;
    const RunLayout& layout_;
    const ChannelPlan& plan_;
    const RailSurfaceModel& rail_;
    const SurfaceTextures& textures_;
};
