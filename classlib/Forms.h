// Forms, the screen and the application object.
#pragma once
#include "Application.h"
#include "Controls.h"
#include "Form.h"
#include "Screen.h"
#include "ScrollingWinControl.h"
