// The colours of the plain looks, which a control draws where no skin (or no
// element of it) covers it: one table, so every plain button, tab, header and
// menu item shows the same frame and the same hot and pressed fills.
#pragma once
#include "GraphicsObjects.h"
#include "SkinLooks.h"

const TColor clPlainFace = clBtnFace;            // a part at rest
const TColor clPlainFrame = clBtnShadow;         // its frame
const TColor clPlainHotFrame = clNavy;           // the frame of a hot or pressed part
const TColor clPlainHotFill = RGB(182, 189, 210);
const TColor clPlainDownFill = RGB(133, 147, 181);

struct TspPlainLook {
    TColor Frame;
    TColor Fill;
};

// A button-like part's plain look in each state.
const TspPlainLook PlainLooks[LookStateCount] = {
    {clPlainFrame, clPlainFace},         // lsNormal
    {clPlainHotFrame, clPlainHotFill},   // lsHot
    {clPlainHotFrame, clPlainDownFill},  // lsDown
};

// A tab's plain fill in each state: the focused selected tab shows pressed.
const TColor PlainTabFills[TabStateCount] = {
    clPlainFace,       // tabNormal
    clPlainHotFill,    // tabActive
    clPlainDownFill,   // tabFocused
    clPlainHotFill,    // tabMouseIn
};
