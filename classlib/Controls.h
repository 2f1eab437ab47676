// The controls unit of the class library: the control classes and their messages.
#pragma once
#include "Messages.h"
#include "Control.h"
#include "WinControl.h"
#include "ControlCanvas.h"
#include "GraphicControl.h"
#include "CustomControl.h"
