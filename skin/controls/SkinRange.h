#pragma once
// How much of a range a value covers, and back, as gauges, track bars and
// sliders draw and move it. A range may span more than an int holds (Min
// -2,000,000,000, Max 2,000,000,000), so differences are taken in 64 bits.

#include <algorithm>
#include <cmath>
#include <cstdint>

// Max - Min, never overflowing.
inline int64_t RangeSpan(int Min, int Max) { return int64_t(Max) - int64_t(Min); }

// 0..1; 0 for an empty or reversed range, so a bar never runs past its area.
inline double RangeFraction(int Value, int Min, int Max) {
    if (Max <= Min) return 0.0;
    return std::clamp(double(int64_t(Value) - Min) / double(RangeSpan(Min, Max)), 0.0, 1.0);
}

// The value Fraction (clamped to 0..1) of the way from Min to Max, rounded to
// the nearest, halves to even; Min for an empty or reversed range.
inline int RangeValueAt(double Fraction, int Min, int Max) {
    if (Max <= Min) return Min;
    const double f = std::clamp(Fraction, 0.0, 1.0);
    const int64_t v = int64_t(Min) + int64_t(std::nearbyint(double(RangeSpan(Min, Max)) * f));
    return int(std::clamp<int64_t>(v, Min, Max));
}

// Value moved by Delta, stopping at the ends of int rather than wrapping
// round: a step from near the top of a wide range must not land at its bottom.
inline int SaturatedAdd(int Value, int64_t Delta) {
    return int(std::clamp<int64_t>(int64_t(Value) + Delta, INT32_MIN, INT32_MAX));
}
