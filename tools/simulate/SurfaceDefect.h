#pragma once
// A defect on the running surface of one rail, in track coordinates:
// chainage in millimetres along the track and lateral position in reference
// pixels across the rail head (0 = head centre, positive towards the field
// side). The painter turns it into pixels; its key seeds its detail.

#include <cstdint>

enum class SurfaceDefectKind
{
    Squat,
    Spalling,
    Crack,
    Corrugation,
};

struct SurfaceDefect
{
    SurfaceDefectKind kind = SurfaceDefectKind::Squat;
    double fromMm = 0.0;
    double toMm = 0.0;
    double lateralFrom = 0.0;
    double lateralTo = 0.0;
    uint64_t key = 0;
};

const char* SurfaceDefectKindName(SurfaceDefectKind kind);
