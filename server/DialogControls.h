// The skinned controls the dialogs are built of.
//
// The class library's panel header (ExtCtrls.h, which the main window's header
// includes) names its bevels bvNone, bvLowered and bvRaised, as the skin names
// its border styles; both in one file would clash. The skin's three names are
// spelled apart while its headers are read here, so a file may see the main
// window and the dialogs together. The values and the type are the skin's own.
#pragma once
#define bvRaised spbvRaised
#define bvLowered spbvLowered
#define bvNone spbvNone
#include "FormFrame.h"
#include "SkinButton.h"
#include "SkinCheckRadioBox.h"
#include "SkinControl.h"
#include "SkinEdits.h"
#include "SkinLabels.h"
#include "SkinMemo.h"
#include "SkinPageControl.h"
#include "SkinPanel.h"
#include "SkinPasswordEdit.h"
#include "SkinScrollBar.h"
#include "SkinTabSheet.h"
#undef bvRaised
#undef bvLowered
#undef bvNone
