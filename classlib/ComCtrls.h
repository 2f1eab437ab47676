// The common controls: list view, tab control, page control and tab sheets, up-down.
#pragma once
#include "ListView.h"
#include "TabControl.h"
#include "UpDown.h"
