// The frame-strip controls: the base, the switch, the animation, and the frame
// gauge and regulator.
#pragma once
#include "SkinAnimate.h"
#include "SkinFrameControl.h"
#include "SkinFrameGauge.h"
#include "SkinSwitch.h"
