// Panels, bevels, images, splitters, the timer and the radio group.
#pragma once
#include "Bevel.h"
#include "GroupBox.h"
#include "Image.h"
#include "Panel.h"
#include "Splitter.h"
#include "Timer.h"
