#include "RailSurfaceModel.h"

#include "DeterministicRandom.h"
#include "SmoothStep.h"

#include <algorithm>
#include <cmath>

namespace
{
// Rail ends (joints, welds) are drawn at most once per cell, defects likewise.
constexpr double RailEndCellMm = 30000.0;
constexpr double DefectCellMm = 6000.0;

enum Stream : uint64_t
{
    SleeperStream = 11,
    RailEndStream,
    DefectStream,
    BandCentreStream,
    BandSigmaStream,
    GainStream,
    StreakStream,
};
}

const char* SurfaceDefectKindName(SurfaceDefectKind kind)
{
    switch (kind) {
    case SurfaceDefectKind::Squat: return "squat";
    case SurfaceDefectKind::Spalling: return "spalling";
    case SurfaceDefectKind::Crack: return "crack";
    case SurfaceDefectKind::Corrugation: return "corrugation";
    }
    return "defect";
}

RailSurfaceModel::RailSurfaceModel(uint64_t seed, int railIndex) : seed_(HashKey(seed, 0x5241494Cull, uint64_t(railIndex))) {}

SleeperSpan RailSurfaceModel::sleeper(int64_t index) const
{
    const uint64_t hash = HashKey(seed_, SleeperStream, uint64_t(index));
    SleeperSpan span;
    span.index = index;
    span.centreMm = double(index) * SleeperSpacingMm + (UnitFromHash(hash) - 0.5) * 30.0;
    span.halfLengthMm = 128.0 + UnitFromHash(MixBits(hash)) * 10.0;
    return span;
}

SleeperSpan RailSurfaceModel::nearestSleeper(double mm) const
{
    return sleeper(int64_t(std::llround(mm / SleeperSpacingMm)));
}

SleeperSpan RailSurfaceModel::sleeperAtOrBefore(double mm) const
{
    int64_t index = int64_t(std::floor(mm / SleeperSpacingMm)) + 1;
    while (sleeper(index).centreMm > mm)
        --index;
    return sleeper(index);
}

std::vector<RailEnd> RailSurfaceModel::railEndsBetween(double fromMm, double toMm) const
{
    std::vector<RailEnd> ends;
    const int64_t first = int64_t(std::floor(fromMm / RailEndCellMm));
    const int64_t last = int64_t(std::floor(toMm / RailEndCellMm));
    for (int64_t cell = first; cell <= last; ++cell) {
        SeededRandom random(HashKey(seed_, RailEndStream, uint64_t(cell)));
        if (!random.chance(0.7))
            continue;
        RailEnd end;
        end.atMm = (double(cell) + random.range(0.05, 0.95)) * RailEndCellMm;
        end.isJoint = random.chance(0.35);
        end.key = random.next();
        if (end.atMm >= fromMm && end.atMm <= toMm)
            ends.push_back(end);
    }
    return ends;
}

bool RailSurfaceModel::defectInCell(int64_t cell, SurfaceDefect* defect) const
{
    SeededRandom random(HashKey(seed_, DefectStream, uint64_t(cell)));
    if (!random.chance(0.6))
        return false;
    const double pick = random.unit();
    double length = 0.0, width = 0.0;
    if (pick < 0.32) {
        defect->kind = SurfaceDefectKind::Squat;
        length = random.range(35, 80);
        width = random.range(60, 150);
    } else if (pick < 0.62) {
        defect->kind = SurfaceDefectKind::Spalling;
        length = random.range(60, 240);
        width = random.range(60, 150);
    } else if (pick < 0.86) {
        defect->kind = SurfaceDefectKind::Crack;
        length = random.range(80, 300);
        width = random.range(90, 200);
    } else {
        defect->kind = SurfaceDefectKind::Corrugation;
        length = random.range(350, 900);
        width = random.range(150, 220);
    }
    const double start = (double(cell) + random.range(0.0, 0.85)) * DefectCellMm;
    const double centre = runningBandCentre(start) + random.range(-35, 35);
    const double limit = HeadHalfWidth - 12.0;
    defect->fromMm = start;
    defect->toMm = start + length;
    defect->lateralFrom = std::max(-limit, centre - width / 2);
    defect->lateralTo = std::min(limit, centre + width / 2);
    defect->key = random.next();
    return true;
}

std::vector<SurfaceDefect> RailSurfaceModel::defectsBetween(double fromMm, double toMm) const
{
    std::vector<SurfaceDefect> defects;
    // A defect starts inside its cell and is at most 900 mm long.
    const int64_t first = int64_t(std::floor((fromMm - 1000.0) / DefectCellMm));
    const int64_t last = int64_t(std::floor(toMm / DefectCellMm));
    for (int64_t cell = first; cell <= last; ++cell) {
        SurfaceDefect defect;
        if (defectInCell(cell, &defect) && defect.toMm >= fromMm && defect.fromMm <= toMm)
            defects.push_back(defect);
    }
    return defects;
}

double RailSurfaceModel::smoothNoise(double mm, double knotSpacingMm, uint64_t stream) const
{
    const double position = mm / knotSpacingMm;
    const double base = std::floor(position);
    const double t = SmoothStep(0.0, 1.0, position - base);
    const double a = UnitFromHash(HashKey(seed_, stream, uint64_t(int64_t(base))));
    const double b = UnitFromHash(HashKey(seed_, stream, uint64_t(int64_t(base) + 1)));
    return (a * (1.0 - t) + b * t) * 2.0 - 1.0;
}

double RailSurfaceModel::runningBandCentre(double mm) const
{
    // Worn towards the gauge side, wandering slowly with the wheel set's hunting.
    return -30.0 + 28.0 * smoothNoise(mm, 7000.0, BandCentreStream);
}

double RailSurfaceModel::runningBandSigma(double mm) const
{
    return 80.0 + 18.0 * smoothNoise(mm, 11000.0, BandSigmaStream);
}

double RailSurfaceModel::headGain(double mm) const
{
    return 1.0 + 0.10 * smoothNoise(mm, 3500.0, GainStream) + 0.05 * smoothNoise(mm, 700.0, GainStream + 100);
}

void RailSurfaceModel::streakBlend(double mm, int* first, int* second, int* weight) const
{
    constexpr double SegmentMm = 900.0;
    const double position = mm / SegmentMm;
    const double base = std::floor(position);
    *first = int(HashKey(seed_, StreakStream, uint64_t(int64_t(base))) % 16);
    *second = int(HashKey(seed_, StreakStream, uint64_t(int64_t(base) + 1)) % 16);
    *weight = int(SmoothStep(0.0, 1.0, position - base) * 256.0);
}
