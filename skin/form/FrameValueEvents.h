// The arithmetic the frame's value objects share.
#pragma once
#include "FormFrame.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <string>

namespace Framevalues {

inline int ClampInt(long long V) { return static_cast<int>(std::clamp<long long>(V, INT_MIN, INT_MAX)); }
// Value V clamped to Lo..Hi; a range given upside down holds only Lo.
inline int ClampValue(int V, int Lo, int Hi) { return V < Lo ? Lo : (V > Hi ? std::max(Lo, Hi) : V); }
// Round to the nearest integer, halves to even.
inline long long RoundEven(double V) { return static_cast<long long>(std::nearbyint(V)); }
// The fraction of V between Lo and Hi; 0 for an empty range (every value sits at the start).
inline double Fraction(long long V, long long Lo, long long Hi)
{
    return Hi == Lo ? 0.0 : static_cast<double>(V - Lo) / static_cast<double>(Hi - Lo);
}

}  // namespace Framevalues
