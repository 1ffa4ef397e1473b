#include "DefectPainter.h"

#include "DeterministicRandom.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int Unchanged = 256;

// Per-position roughness in [0, 1): the same at a position whichever frame asks.
double Roughness(uint64_t key, double mm, double lateral)
{
    return UnitFromHash(HashKey(key, uint64_t(int64_t(std::floor(mm))), uint64_t(int64_t(std::floor(lateral)))));
}

int Factor(double value) { return int(std::lround(std::clamp(value, 0.0, 3.0) * 256.0)); }

int ShadeSquat(const SurfaceDefect& defect, double a, double b, double roughness)
{
    // A dark, kidney-shaped depression with a bright, battered rim.
    SeededRandom random(defect.key);
    const double ca1 = random.range(0.35, 0.45), cb1 = random.range(0.4, 0.6);
    const double ca2 = random.range(0.55, 0.65), cb2 = random.range(0.35, 0.65);
    const double r1 = std::hypot((a - ca1) / 0.36, (b - cb1) / 0.42);
    const double r2 = std::hypot((a - ca2) / 0.30, (b - cb2) / 0.36);
    const double r = std::min(r1, r2) * (1.0 + 0.25 * (roughness - 0.5));
    if (r < 1.0)
        return Factor(0.12 + 0.28 * roughness + 0.2 * r * r);
    if (r < 1.22)
        return Factor(1.25 + 0.2 * roughness);
    return Unchanged;
}

int ShadeSpalling(const SurfaceDefect& defect, double a, double b, double roughness)
{
    // Flakes broken out of the surface, scattered along the band.
    SeededRandom random(defect.key);
    const int flakes = 6 + random.below(11);
    for (int i = 0; i < flakes; ++i) {
        const double ca = random.range(0.08, 0.92), cb = random.range(0.15, 0.85);
        const double ra = random.range(0.03, 0.09), rb = random.range(0.06, 0.2);
        const double r = std::hypot((a - ca) / ra, (b - cb) / rb) * (1.0 + 0.4 * (roughness - 0.5));
        if (r < 1.0)
            return Factor(0.1 + 0.3 * roughness);
        if (r < 1.3)
            return Factor(0.75);
    }
    return Unchanged;
}

int ShadeCrack(const SurfaceDefect& defect, double mm, double lateral, double rowMm, double roughness)
{
    // Head checks: fine dark lines running obliquely across the band.
    SeededRandom random(defect.key);
    const int lines = 4 + random.below(6);
    const double slope = random.range(0.18, 0.45) * (random.chance(0.5) ? 1.0 : -1.0);  // mm per lateral pixel
    const double middle = (defect.lateralFrom + defect.lateralTo) / 2.0;
    const double length = defect.toMm - defect.fromMm;
    const double halfThickness = std::max(0.9, 0.6 * rowMm);
    for (int i = 0; i < lines; ++i) {
        const double at = defect.fromMm + length * ((i + 0.5) / lines + random.range(-0.06, 0.06));
        const double from = random.range(0.0, 0.3), to = random.range(0.7, 1.0);
        const double b = (lateral - defect.lateralFrom) / (defect.lateralTo - defect.lateralFrom);
        if (b < from || b > to)
            continue;
        const double centreMm = at + slope * (lateral - middle) * 0.5;
        if (std::abs(mm - centreMm) < halfThickness * (0.7 + 0.6 * roughness))
            return Factor(0.18 + 0.2 * roughness);
    }
    return Unchanged;
}

int ShadeCorrugation(const SurfaceDefect& defect, double mm, double a, double b)
{
    // Short-pitch waves: alternating polished crests and dull troughs.
    SeededRandom random(defect.key);
    const double wavelength = random.range(35.0, 75.0);
    const double envelope = std::sin(M_PI * std::clamp(a, 0.0, 1.0)) * std::sin(M_PI * std::clamp(b, 0.0, 1.0));
    return Factor(1.0 + 0.38 * envelope * std::sin(2.0 * M_PI * (mm - defect.fromMm) / wavelength));
}
}

std::vector<PaintedDefect> DefectPainter::paintFrame(const FrameSpan& span, uint8_t* pixels, int stride) const
{
    const double lastMm = span.firstRowMm + span.mmPerRow * (camera_.height() - 1);
    std::vector<PaintedDefect> painted;
    for (const SurfaceDefect& defect :
         camera_.rail().defectsBetween(std::min(span.firstRowMm, lastMm), std::max(span.firstRowMm, lastMm))) {
        PaintedDefect box;
        if (!boxInFrame(defect, span, &box))
            continue;
        paint(box, span, pixels, stride);
        painted.push_back(box);
    }
    return painted;
}

bool DefectPainter::boxInFrame(const SurfaceDefect& defect, const FrameSpan& span, PaintedDefect* box) const
{
    const double rowA = (defect.fromMm - span.firstRowMm) / span.mmPerRow;
    const double rowB = (defect.toMm - span.firstRowMm) / span.mmPerRow;
    const double columnA = camera_.columnOfLateral(defect.lateralFrom);
    const double columnB = camera_.columnOfLateral(defect.lateralTo);
    const int top = std::max(0, int(std::floor(std::min(rowA, rowB))));
    const int bottom = std::min(camera_.height(), int(std::ceil(std::max(rowA, rowB))) + 1);
    const int left = std::max(0, int(std::floor(std::min(columnA, columnB))));
    const int right = std::min(camera_.width(), int(std::ceil(std::max(columnA, columnB))) + 1);
    if (top >= bottom || left >= right)
        return false;
    box->defect = defect;
    box->x = left;
    box->y = top;
    box->width = right - left;
    box->height = bottom - top;
    return true;
}

void DefectPainter::paint(const PaintedDefect& box, const FrameSpan& span, uint8_t* pixels, int stride) const
{
    for (int y = box.y; y < box.y + box.height; ++y) {
        const double mm = span.firstRowMm + span.mmPerRow * y;
        uint8_t* row = pixels + size_t(y) * size_t(stride);
        for (int x = box.x; x < box.x + box.width; ++x) {
            const int factor = shade(box.defect, mm, camera_.lateralOfColumn(x), std::abs(span.mmPerRow));
            if (factor != Unchanged)
                row[x] = uint8_t(std::min(255, (row[x] * factor) >> 8));
        }
    }
}

int DefectPainter::shade(const SurfaceDefect& defect, double mm, double lateral, double rowMm) const
{
    const double a = (mm - defect.fromMm) / (defect.toMm - defect.fromMm);
    const double b = (lateral - defect.lateralFrom) / (defect.lateralTo - defect.lateralFrom);
    if (a < -0.05 || a > 1.05 || b < -0.05 || b > 1.05)
        return Unchanged;
    const double roughness = Roughness(defect.key, mm, lateral);
    switch (defect.kind) {
    case SurfaceDefectKind::Squat: return ShadeSquat(defect, a, b, roughness);
    case SurfaceDefectKind::Spalling: return ShadeSpalling(defect, a, b, roughness);
    case SurfaceDefectKind::Crack: return ShadeCrack(defect, mm, lateral, rowMm, roughness);
    case SurfaceDefectKind::Corrugation: return ShadeCorrugation(defect, mm, a, b);
    }
    return Unchanged;
}
