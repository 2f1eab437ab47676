// The graphics unit of the class library: colours, font, pen, brush, canvas,
// and the pictures (bitmap, icon, picture holder).
#pragma once
#include "GraphicsObjects.h"
#include "Canvas.h"
#include "Graphic.h"
#include "Bitmap.h"
#include "Icon.h"
#include "Picture.h"
