// What lies behind a control: its parent's background and painting and the earlier
// siblings that overlap it, painted into a canvas the size of the control. The
// skinned controls use it for transparency and alpha blending.
#pragma once
#include "Canvas.h"
#include "Control.h"

namespace Sputils {

// For a windowed control: the parent's erase and paint, then the earlier
// window-less and self-painted siblings (and their self-painted children).
void GetParentImage(TControl* Control, TCanvas* Dest);
// For a window-less control: the parent's own painting and erase, then the
// earlier window-less siblings.
void GetParentImage2(TControl* Control, TCanvas* Dest);

}  // namespace Sputils
