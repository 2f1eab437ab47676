// Frame objects that show or change a value on the frame itself: a track bar
// with a draggable button, an on/off switch, a gauge, and a frame gauge and a
// frame regulator drawn as one frame of a strip. The application reaches them by
// name (TspFormFrame::TrackBarSetValue, ...) and hears of changes through the
// frame's value events (TspFormFrame::OnTrackBarChangeValueEvent, ...).
#pragma once
#include "FrameGaugeObject.h"
#include "FrameStripObjects.h"
#include "FrameSwitchObject.h"
#include "FrameTrackBarObject.h"
#include "FrameValueEvents.h"
#include <string>
