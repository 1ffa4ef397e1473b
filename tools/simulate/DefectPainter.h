#pragma once
// Paints the surface defects of a rail into a rendered frame and reports the
// box each one occupies in that frame. A defect is a function of track
// position like the rest of the picture, so one that straddles two frames
// continues across the join and is reported in both. Const; any thread.
// Cost: proportional to the defects' areas.

#include "ChannelCamera.h"
#include "SurfaceDefect.h"

#include <vector>

// A defect as seen in one frame: its box in frame pixels, clipped to the frame.
struct PaintedDefect
{
    SurfaceDefect defect;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class DefectPainter
{
public:
    explicit DefectPainter(const ChannelCamera& camera) : camera_(camera) {}

    std::vector<PaintedDefect> paintFrame(const FrameSpan& span, uint8_t* pixels, int stride) const;

    // The defect's box in this frame; false when it does not show in it.
    bool boxInFrame(const SurfaceDefect& defect, const FrameSpan& span, PaintedDefect* box) const;

private:
    void paint(const PaintedDefect& box, const FrameSpan& span, uint8_t* pixels, int stride) const;
    // Brightness factor x 256 of a defect at chainage mm, lateral position `lateral`.
    int shade(const SurfaceDefect& defect, double mm, double lateral, double rowMm) const;

    const ChannelCamera& camera_;
};
