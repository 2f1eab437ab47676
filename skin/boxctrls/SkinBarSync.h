// What the controls that stand in for their own scroll bars with external
// skinned ones (views, memos, rich edit) share: reading the control's native
// scroll state, and laying a bound bar out again.
#pragma once
#include "SkinScrollBar.h"
#include <windows.h>

namespace Skinbars {

struct TNativeScroll {
    int Min = 0, Max = 0, Pos = 0;
};

// The range and position the control keeps for its (hidden) native bar.
inline TNativeScroll NativeScroll(HWND Wnd, int Bar)
{
    TNativeScroll s;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS;
    if (Wnd && GetScrollInfo(Wnd, Bar, &si)) {
        s.Min = si.nMin;
        s.Max = si.nMax;
        s.Pos = si.nPos;
    }
    return s;
}

// The bar takes its place beside the control anew (after a skin change).
inline void ReapplyAlign(TspSkinScrollBar* Bar)
{
    if (!Bar) return;
    const TAlign a = Bar->GetAlign();
    Bar->SetAlign(alNone);
    Bar->SetAlign(a);
}

}  // namespace Skinbars
