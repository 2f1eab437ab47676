// The pictures of the viewer control's three image lists, drawn when the form
// is made: the five picture buttons (released and pressed looks), the four
// lamps and the on-line indicator.
#pragma once
#include "GraphicsObjects.h"

class TCustomImageList;

namespace ViewerPictures {

const int ButtonWidth = 69, ButtonHeight = 19;
const int LampSize = 39;
const int OnlineWidth = 71, OnlineHeight = 23;

// The form's colour, behind the lamps' discs.
const TColor FormColor = RGBToColor(212, 216, 228);
// The lamps' discs: a switch that is on, the raised alarm, the open pop-out
// window, and anything that is off.
const TColor LampOn = RGBToColor(40, 190, 60);
const TColor LampAlarm = RGBToColor(220, 40, 40);
const TColor LampPopup = RGBToColor(60, 120, 230);
const TColor LampOff = RGBToColor(120, 120, 120);

// Button k (Send 0, Video 1, Audio 2, Call 3, pop-out 4): picture 2k released, 2k + 1 pressed.
void FillButtons(TCustomImageList* List);
// 0 video on, 1 video off, 2 sound on, 3 sound off, 4 Call on, 5 Call off, 6 pop-out off, 7 pop-out on.
void FillLamps(TCustomImageList* List);
// 0 on line, 1 off line.
void FillOnline(TCustomImageList* List);

// The disc colour of lamp picture Index (for checks of what is on screen).
TColor LampColor(int Index);

} // namespace ViewerPictures
