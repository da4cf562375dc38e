#pragma once
// How much of a range a value covers, as gauges and track bars draw it.

#include <algorithm>

// 0..1; 0 for an empty or reversed range, so a bar never runs past its area.
inline double RangeFraction(int Value, int Min, int Max) {
    if (Max <= Min) return 0.0;
    return std::clamp(double(Value - Min) / double(Max - Min), 0.0, 1.0);
}
