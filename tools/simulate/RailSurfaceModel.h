#pragma once
// What one rail and the track bed under it look like along the line: where
// sleepers, rail joints and welds lie, which surface defects the head carries
// and how its worn running band wanders. Every answer is a pure function of
// the seed, the rail and the chainage (millimetres), so a picture sampled at a
// position is the same whichever frame asks. Const and thread-safe; each query
// costs a few hash evaluations.

#include "SurfaceDefect.h"

#include <cstdint>
#include <vector>

struct SleeperSpan
{
    int64_t index = 0;
    double centreMm = 0.0;
    double halfLengthMm = 0.0;  // half the sleeper's width along the track
};

struct RailEnd
{
    double atMm = 0.0;
    bool isJoint = false;  // a bolted joint with a gap; otherwise a weld
    uint64_t key = 0;
};

class RailSurfaceModel
{
public:
    static constexpr double SleeperSpacingMm = 600.0;
    static constexpr int HeadHalfWidth = 150;  // reference pixels

    RailSurfaceModel(uint64_t seed, int railIndex);

    // The sleeper whose centre is nearest to `mm`.
    SleeperSpan nearestSleeper(double mm) const;
    // The sleeper at or before `mm` (the start of the ballast bay holding mm).
    SleeperSpan sleeperAtOrBefore(double mm) const;
    std::vector<RailEnd> railEndsBetween(double fromMm, double toMm) const;
    // Defects whose extent overlaps [fromMm, toMm], in chainage order.
    std::vector<SurfaceDefect> defectsBetween(double fromMm, double toMm) const;

    // Lateral centre and half-width of the bright running band at `mm`.
    double runningBandCentre(double mm) const;
    double runningBandSigma(double mm) const;
    // Overall brightness of the head (dirt, lubrication, lighting), about 1.
    double headGain(double mm) const;
    // Lengthwise streaks: two pattern indexes and the blend (0..256) between them.
    void streakBlend(double mm, int* first, int* second, int* weight) const;

    uint64_t seed() const { return seed_; }

private:
    SleeperSpan sleeper(int64_t index) const;
    double smoothNoise(double mm, double knotSpacingMm, uint64_t stream) const;
    bool defectInCell(int64_t cell, SurfaceDefect* defect) const;

    uint64_t seed_;
};
