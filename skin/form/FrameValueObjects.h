// Frame objects that show or change a value on the frame itself: a track bar
// with a draggable button, an on/off switch, a gauge, and a frame gauge and a
// frame regulator drawn as one frame of a strip. The application reaches them by
// name (Framevalues::TrackBarSetValue, ...) and hears of changes through the
// frame's value events (Framevalues::Events).
#pragma once
#include "FrameGaugeObject.h"
#include "FrameStripObjects.h"
#include "FrameSwitchObject.h"
#include "FrameTrackBarObject.h"
#include "FrameValueEvents.h"
#include <string>

namespace Framevalues {

// The value objects by name: each does nothing when no object of that name and
// kind exists. While the skin changes, they only store the value.
void TrackBarSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void SwitchSetState(TspFormFrame* Frame, const std::string& IDName, TSwitchState State);
void GaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void FrameGaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void FrameRegulatorSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);

}  // namespace Framevalues
