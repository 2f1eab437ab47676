// Painting a parent into a control-sized canvas: the origin moves to minus the
// control's position, so every painter draws in its own coordinates.
#include "SkinParentImage.h"
#include "CustomControl.h"
#include "Form.h"
#include "GdiHandles.h"
#include "GraphicControl.h"
#include "WinControl.h"

namespace Sputils {

namespace {

// The parent's own paint routine, without its window-less children (which would
// include the control whose background is being captured).
struct TPaintWindowAccess : TWinControl {
    using TWinControl::PaintWindow;
};

void PaintWindowOf(TWinControl* W, HDC DC)
{
    void (TWinControl::*paint)(HDC) = &TPaintWindowAccess::PaintWindow;
    (W->*paint)(DC);
}

bool Overlaps(const TRect& A, const TRect& B)
{
    RECT r;
    return IntersectRect(&r, &A, &B) != 0;
}

void PaintSibling(TControl* Sibling, HDC DC, int DX, int DY)
{
    TSaveDCGuard save(DC);
    OffsetViewportOrgEx(DC, DX, DY, nullptr);
    IntersectClipRect(DC, 0, 0, Sibling->GetWidth(), Sibling->GetHeight());
    Sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

// The self-painted children of a self-painted sibling that overlap Area (given in
// the sibling's coordinates), at Offset from the control, and theirs in turn.
void PaintCustomChildren(TCustomControl* Sibling, HDC DC, const TRect& Area, int DX, int DY)
{
    for (int i = 0; i < Sibling->GetControlCount(); ++i) {
        auto* child = dynamic_cast<TCustomControl*>(Sibling->GetControl(i));
        if (!child || !child->GetVisible() || !Overlaps(child->GetBoundsRect(), Area)) continue;
        const int cx = DX + child->GetLeft(), cy = DY + child->GetTop();
        PaintSibling(child, DC, cx, cy);
        TRect inner = Area;
        inner.Offset(-child->GetLeft(), -child->GetTop());
        PaintCustomChildren(child, DC, inner, cx, cy);
    }
}

enum TParentImageKind { piWindowed, piWindowless };

void ParentImage(TControl* Control, TCanvas* Dest, TParentImageKind Kind)
{
    if (!Control || !Dest) return;
    TWinControl* parent = Control->GetParent();
    if (!parent) return;
    HDC dc = Dest->GetHandle();
    const TRect bounds = Control->GetBoundsRect();
    {
        TSaveDCGuard save(dc);
        OffsetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
        const TRect client = parent->GetClientRect();
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        const WPARAM w = reinterpret_cast<WPARAM>(dc);
        if (dynamic_cast<TCustomForm*>(parent)) {
            parent->Perform(WM_ERASEBKGND, w, static_cast<LPARAM>(w));
        } else if (Kind == piWindowed) {
            parent->Perform(WM_ERASEBKGND, w, static_cast<LPARAM>(w));
            parent->Perform(WM_PAINT, w, 0);
        } else {
            PaintWindowOf(parent, dc);
            parent->Perform(WM_ERASEBKGND, w, static_cast<LPARAM>(w));
        }
    }
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* sibling = parent->GetControl(i);
        if (sibling == Control) break;
        if (!sibling->GetVisible() || !Overlaps(sibling->GetBoundsRect(), bounds)) continue;
        const int dx = sibling->GetLeft() - bounds.left, dy = sibling->GetTop() - bounds.top;
        if (dynamic_cast<TGraphicControl*>(sibling)) {
            PaintSibling(sibling, dc, dx, dy);
        } else if (Kind == piWindowed) {
            if (auto* custom = dynamic_cast<TCustomControl*>(sibling)) {
                PaintSibling(custom, dc, dx, dy);
                TRect area = bounds;
                area.Offset(-sibling->GetLeft(), -sibling->GetTop());
                PaintCustomChildren(custom, dc, area, dx, dy);
            }
        }
    }
}

}  // namespace

void GetParentImage(TControl* Control, TCanvas* Dest)
{
    ParentImage(Control, Dest, piWindowed);
}

void GetParentImage2(TControl* Control, TCanvas* Dest)
{
    ParentImage(Control, Dest, piWindowless);
}

}  // namespace Sputils
