// Forms and the application object.
#pragma once
#include "Application.h"
