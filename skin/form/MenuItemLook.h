// What the frame's main-menu items and the menu bar's items do alike: the
// caption centred in the text rectangle of a three-part image, its width, and
// the rule that an item the menu area has no room for is disabled until there
// is room again.
#pragma once
#include "Bitmap.h"
#include "SkinImage.h"
#include <algorithm>
#include <string>

namespace Menuitemlook {

// Source of Picture fitted to Width in B at the source's height; the two end
// parts are never wider than the source.
inline void ItemStrip(TBitmap* B, TBitmap* Picture, const TRect& Source, int LeftOffset, int RightOffset, int Width)
{
    const int lo = std::min(LeftOffset, Source.Width()), ro = std::min(RightOffset, Source.Width() - lo);
    Sputils::CreateHSkinImage(lo, ro, B, Picture, Source, Width, Source.Height());
}

// Caption on one line, centred in TextRect of C, in C's font and colour.
inline void DrawCaption(TCanvas* C, const std::string& Caption, const TRect& TextRect)
{
    C->GetBrush()->SetStyle(bsClear);
    TRect t = TextRect;
    C->DrawText(Caption, t, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    t.right += 2;
    C->DrawText(Caption, t, DT_CENTER | DT_SINGLELINE);
}

// Width of Caption on one line in the font SetFont gives a canvas.
template <class TSetFont>
int CaptionWidth(const std::string& Caption, TSetFont SetFont)
{
    TBitmap probe(1, 1, pf24bit);
    TCanvas* c = probe.GetCanvas();
    SetFont(c);
    TRect r(0, 0, 0, 0);
    c->DrawText(Caption, r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    return r.Width();
}

// An item that does not fit leaves the menu area disabled, its own Enabled kept
// in SavedEnabled, and gets that back once it fits again. Answers Fits.
inline bool FollowRoom(bool Fits, bool& InMenuRect, bool& Enabled, bool& SavedEnabled)
{
    if (!Fits) {
        if (InMenuRect) {
            SavedEnabled = Enabled;
            Enabled = false;
            InMenuRect = false;
        }
    } else if (!InMenuRect) {
        InMenuRect = true;
        Enabled = SavedEnabled;
    }
    return Fits;
}

}  // namespace Menuitemlook
