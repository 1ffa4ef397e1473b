#pragma once
// Hermite easing between two edges, the simulator's one way of blending
// between knots so that no seam or kink shows. Pure; any thread.

#include <algorithm>

// 0 at or before edge0, 1 at or after edge1, smooth in between.
inline double SmoothStep(double edge0, double edge1, double value)
{
    const double t = std::clamp((value - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}
