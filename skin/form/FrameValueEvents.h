// The frame's value events and the arithmetic its value objects share.
#pragma once
#include "FormFrame.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <string>

enum TSwitchState { swsOn, swsOff };

// The frame's value events. They live in a small component the frame owns, so
// they go with the frame.
class TspFrameValueEvents : public TComponent {
public:
    using TComponent::TComponent;
    std::function<void(const std::string& IDName, int Value)> OnTrackBarChangeValueEvent;
    std::function<void(const std::string& IDName, TSwitchState State)> OnSwitchChangeStateEvent;
    std::function<void(const std::string& IDName, int Value)> OnFrameRegulatorChangeValueEvent;
};

namespace Framevalues {

// The frame's value events, made on first use (owned by the frame).
TspFrameValueEvents* Events(TspFormFrame* Frame);

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
