// The live frame objects a skinned frame is decorated with, and the one place
// that decides which object a [SKINOBJECTS] record becomes
// (Formframe::CreateSkinObject, declared with the frame).
#pragma once
#include "ActiveSkinObject.h"
#include "FrameAnimateObject.h"
#include "FrameButtonObjects.h"
#include "FrameCaptionObject.h"
#include "FrameLabelObjects.h"
