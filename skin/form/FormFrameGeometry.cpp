// TspFormFrame geometry: the skin's frame picture mapped onto a window of any
// size (corners fixed, the parts between them stretched), the non-client
// rectangle, the hit test and the window region cut from the skin's mask.
#include "FormFrame.h"
#include "Application.h"
#include "GdiHandles.h"
#include "SkinDrawHelpers.h"
#include "SkinPlatform.h"
#include "SkinRegion.h"

using Sputils::IsNullRect;

namespace {

// The platform's point-in-rectangle rule: left <= x < right, top <= y < bottom.
bool PtIn(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }
bool RectWithin(const TRect& R, const TRect& Zone)
{
    return PtIn(Zone, R.left, R.top) && PtIn(Zone, R.right, R.bottom);
}
TRect Offset(TRect R, int DX, int DY)
{
    R.left += DX;
    R.right += DX;
    R.top += DY;
    R.bottom += DY;
    return R;
}
bool IsBlack(TBitmap* B, int X, int Y)
{
    if (!B || B->Empty() || X < 0 || Y < 0 || X >= B->GetWidth() || Y >= B->GetHeight()) return false;
    return (B->GetCanvas()->GetPixel(X, Y) & 0xFFFFFF) == 0;
}

}  // namespace

TBitmap* TspFormFrame::SkinPicture() const
{
    return FSkinData && FSkinData->Picture && !FSkinData->Picture->Empty() ? FSkinData->Picture.get() : nullptr;
}

bool TspFormFrame::CanScale() const
{
    if (!FSkinData) return false;
    return FSkinData->RBPoint.x != FSkinData->LTPoint.x && FSkinData->RBPoint.y != FSkinData->LTPoint.y;
}

bool TspFormFrame::CanNCSupport() const
{
    // A skin without a form picture has nothing to draw the frame from: the
    // default frame is shown instead of a black one.
    return FSupportNCArea && FSkinData && !FSkinData->Empty && !IsNullRect(FSkinData->ClientRect) && SkinPicture();
}

void TspFormFrame::SyncFrameSize()
{
    if ((FrameWidth == 0 || FrameHeight == 0) && OwnerForm) {
        FrameWidth = OwnerForm->GetWidth();
        FrameHeight = OwnerForm->GetHeight();
    }
}

void TspFormFrame::CalcRects()
{
    TBitmap* pic = SkinPicture();
    if (!FSkinData || FSkinData->Empty || !pic) return;
    SyncFrameSize();
    const TspSkinContent& s = *FSkinData;
    const int pw = pic->GetWidth(), ph = pic->GetHeight();
    const int dx = FrameWidth - pw, dy = FrameHeight - ph;
    LeftTopCorner = s.LTPoint;
    RightTopCorner = TPoint(s.RTPoint.x + dx, s.RTPoint.y);
    LeftBottomCorner = TPoint(s.LBPoint.x, s.LBPoint.y + dy);
    RightBottomCorner = TPoint(s.RBPoint.x + dx, s.RBPoint.y + dy);
    FrameClientRect = TRect(s.ClientRect.left, s.ClientRect.top, s.ClientRect.right + dx, s.ClientRect.bottom + dy);
    FrameCaptionRect = s.CaptionRect;
    if (!IsNullRect(FrameCaptionRect)) FrameCaptionRect.right += dx;
    FrameButtonsRect = s.ButtonsRect;
    ButtonsInLeft = s.ButtonsInLeft;
    if (!IsNullRect(s.ButtonsRect) && s.ButtonsRect.left > pw / 2) FrameButtonsRect = Offset(s.ButtonsRect, dx, 0);
    ButtonsOffset = s.ButtonsOffset;
    SizingLeftTop = s.HitTestLTPoint;
    SizingRightTop = TPoint(s.HitTestRTPoint.x + dx, s.HitTestRTPoint.y);
    SizingLeftBottom = TPoint(s.HitTestLBPoint.x, s.HitTestLBPoint.y + dy);
    SizingRightBottom = TPoint(s.HitTestRBPoint.x + dx, s.HitTestRBPoint.y + dy);
    FrameMaskArea = TRect(s.MaskRectArea.left, s.MaskRectArea.top, s.MaskRectArea.right + dx,
                          s.MaskRectArea.bottom + dy);
    FrameMainMenuRect = s.MainMenuRect;
    if (CanScale()) {
        FrameMainMenuRect.right += dx;
        const TRect lb(0, s.LBPoint.y, s.LBPoint.x, ph);
        if (PtIn(lb, s.MainMenuRect.left, s.MainMenuRect.top)) FrameMainMenuRect = Offset(FrameMainMenuRect, 0, dy);
    }
}

void TspFormFrame::CalcRealObjectRect(const TRect& R, TRect& Result) const
{
    Result = R;
    TBitmap* pic = SkinPicture();
    if (!pic) return;
    const TspSkinContent& s = *FSkinData;
    const int pw = pic->GetWidth(), ph = pic->GetHeight();
    const TRect lt(0, 0, s.LTPoint.x, s.LTPoint.y), rt(s.RTPoint.x, 0, pw, s.RTPoint.y),
        lb(0, s.LBPoint.y, s.LBPoint.x, ph), rb(s.RBPoint.x, s.RBPoint.y, pw, ph);
    const int dx = RightBottomCorner.x - s.RBPoint.x, dy = RightBottomCorner.y - s.RBPoint.y;
    if (RectWithin(R, lt)) return;
    if (RectWithin(R, rt)) { Result = Offset(R, dx, 0); return; }
    if (RectWithin(R, lb)) { Result = Offset(R, 0, dy); return; }
    if (RectWithin(R, rb)) { Result = Offset(R, dx, dy); return; }
    auto in = [](const TRect& Z, int X, int Y) { return PtIn(Z, X, Y); };
    const bool tlLT = in(lt, R.left, R.top), tlLB = in(lb, R.left, R.top), tlRT = in(rt, R.left, R.top);
    const bool brRB = in(rb, R.right, R.bottom), brRT = in(rt, R.right, R.bottom), brLB = in(lb, R.right, R.bottom);
    if (tlLT && brRB) {
        Result.right += dx;
        Result.bottom += dy;
    } else if (tlLT && brRT) {
        Result.right += dx;
    } else if (tlLB && brRB) {
        Result.right += dx;
        Result = Offset(Result, 0, dy);
    } else if (tlLT && brLB) {
        Result.bottom += dy;
    } else if (tlRT && brRB) {
        Result = Offset(Result, dx, 0);
        Result.bottom += dy;
    }
}

void TspFormFrame::CalcNCClientRect(TRect& R)
{
    if (CanNCSupport()) {
        CalcRects();
        const TRect& c = FSkinData->ClientRect;
        TBitmap* pic = SkinPicture();
        R.left += c.left;
        R.top += c.top;
        R.right -= pic->GetWidth() - c.right;
        R.bottom -= pic->GetHeight() - c.bottom;
    } else {
        R.left += 3;
        R.top += GetDefCaptionHeight() + 3;
        R.right -= 3;
        R.bottom -= 3;
    }
    if (R.right < R.left) R.right = R.left;
    if (R.bottom < R.top) R.bottom = R.top;
}

TRect TspFormFrame::FormBounds() const
{
    if (!OwnerForm) return TRect();
    if (OwnerForm->HandleAllocated()) {
        RECT r;
        if (GetWindowRect(OwnerForm->GetWindowHandle(), &r)) return TRect(r.left, r.top, r.right, r.bottom);
    }
    return OwnerForm->GetBoundsRect();
}

TPoint TspFormFrame::PointToNCPoint(TPoint P) const
{
    const TRect b = FormBounds();
    return TPoint(P.x - b.left, P.y - b.top);
}

LRESULT TspFormFrame::NewNCHitTest(TPoint P)
{
    const bool caption = OverCaption(P);
    if (FRolledUp || FWindowState == fwsMinimized) return caption ? HTCAPTION : HTOBJECT_FRAME;
    const bool inClient = PtIn(FrameClientRect, P.x, P.y);
    if (ActiveObject != -1 && !caption && !inClient && !InSizeMove) return HTOBJECT_FRAME;
    auto step3 = [&]() -> LRESULT {
        if (inClient) return HTCLIENT;
        return caption ? HTCAPTION : HTOBJECT_FRAME;
    };
    if (FWindowState == fwsMaximized || !Sizeable) return step3();
    const int b = FSkinData ? FSkinData->BorderWidth : 0;
    const TPoint probes[4] = {TPoint(P.x - b, P.y), TPoint(P.x, P.y - b), TPoint(P.x + b, P.y), TPoint(P.x, P.y + b)};
    bool edge = false;
    const bool hasMask = FSkinData && FSkinData->Mask && !FSkinData->Mask->Empty();
    if (!hasMask) {
        const TRect w(0, 0, FrameWidth, FrameHeight);
        for (const TPoint& q : probes)
            if (!PtIn(w, q.x, q.y)) edge = true;
    } else if (!PtIn(FrameMaskArea, P.x, P.y)) {
        for (const TPoint& q : probes)
            if (!PtInMask(q)) edge = true;
    }
    if (!edge) return step3();
    const TPoint &lt = SizingLeftTop, &rt = SizingRightTop, &lb = SizingLeftBottom, &rb = SizingRightBottom;
    if (P.x <= lt.x && P.y <= lt.y) return HTTOPLEFT;
    if (P.x >= rt.x && P.y <= rt.y) return HTTOPRIGHT;
    if (P.x <= lb.x && P.y >= lb.y) return HTBOTTOMLEFT;
    if (P.x >= rb.x && P.y >= rb.y) return HTBOTTOMRIGHT;
    if (PtIn(TRect(lt.x, 0, rt.x, FrameClientRect.top), P.x, P.y)) return HTTOP;
    if (PtIn(TRect(lb.x, FrameClientRect.bottom, rb.x, FrameHeight), P.x, P.y)) return HTBOTTOM;
    if (PtIn(TRect(0, lt.y, FrameClientRect.left, lb.y), P.x, P.y)) return HTLEFT;
    if (PtIn(TRect(FrameClientRect.right, rt.y, FrameWidth, rb.y), P.x, P.y)) return HTRIGHT;
    return step3();
}

LRESULT TspFormFrame::NewDefNCHitTest(TPoint P)
{
    const int w = FrameWidth, h = FrameHeight, ch = GetDefCaptionHeight();
    auto captionOrClient = [&]() -> LRESULT {
        if (PtIn(DefaultCaptionRect, P.x, P.y)) return HTCAPTION;
        if (PtIn(TRect(3, ch + 3, w - 3, h - 3), P.x, P.y)) return HTCLIENT;
        return HTOBJECT_FRAME;
    };
    if (FWindowState != fwsNormal || FRolledUp || !Sizeable) return captionOrClient();
    if (ActiveObject != -1) return HTOBJECT_FRAME;
    const int x = P.x, y = P.y;
    if (x <= 2 && y <= 2) return HTTOPLEFT;
    if (x >= w - 2 && y <= 2) return HTTOPRIGHT;
    if (x <= 2 && y >= h - 2) return HTBOTTOMLEFT;
    if (x >= w - 2 && y >= h - 2) return HTBOTTOMRIGHT;
    if (x <= 2) return HTLEFT;
    if (y <= 2) return HTTOP;
    if (x >= w - 2) return HTRIGHT;
    if (y >= h - 2) return HTBOTTOM;
    return captionOrClient();
}

bool TspFormFrame::PtInMask(TPoint P) const
{
    const TRect& a = FrameMaskArea;
    if (PtIn(a, P.x, P.y)) return true;
    if (P.y <= a.top) return IsBlack(FTopMaskStrip.get(), P.x, P.y);
    if (P.y >= a.bottom) return IsBlack(FBottomMaskStrip.get(), P.x, P.y - a.bottom);
    if (P.x <= a.left) return IsBlack(FLeftMaskStrip.get(), P.x, P.y - a.top);
    return IsBlack(FRightMaskStrip.get(), P.x - a.right, P.y - a.top);
}

void TspFormFrame::GiveRegion(HRGN Rgn)
{
    // The window owns the region it is given; we keep a copy of our own for
    // comparisons, never the handle the window will delete.
    FWindowRegion.Reset();
    if (Rgn) {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, Rgn, nullptr, RGN_COPY);
        FWindowRegion.Reset(copy);
    }
    if (OwnerForm && OwnerForm->HandleAllocated())
        GiveWindowRegion(OwnerForm->GetWindowHandle(), Rgn);
    else if (Rgn)
        DeleteObject(Rgn);
}

void TspFormFrame::RemoveRegion()
{
    if (FWindowRegion) GiveRegion(nullptr);
}

void TspFormFrame::CreateNewRegion(bool Scale)
{
    if (FSupportNCArea && OwnerForm && OwnerForm->GetBorderStyle() == bsNone) {
        RemoveRegion();
        return;
    }
    TBitmap* mask = FSkinData && !FSkinData->Empty ? FSkinData->Mask.get() : nullptr;
    if (!mask || mask->Empty()) {
        RemoveRegion();
        for (auto* s : {&FTopMaskStrip, &FBottomMaskStrip, &FLeftMaskStrip, &FRightMaskStrip}) s->reset(new TBitmap);
        return;
    }
    if (!Scale) {
        // The region is made in bounded steps: a mask of many runs in one
        // ExtCreateRegion call takes seconds on Wine.
        // A mask past the bound of a window region gives none: the frame shows whole.
        HRGN rgn = Sputils::CreateMaskRegion(mask, 0, 0);
        if (rgn) GiveRegion(rgn);
        else RemoveRegion();
        return;
    }
    const TspSkinContent& s = *FSkinData;
    for (auto* st : {&FTopMaskStrip, &FBottomMaskStrip, &FLeftMaskStrip, &FRightMaskStrip}) st->reset(new TBitmap);
    Sputils::CreateSkinMask(s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.MaskRectArea, LeftTopCorner, RightTopCorner,
                            LeftBottomCorner, RightBottomCorner, FrameMaskArea, mask, FTopMaskStrip.get(),
                            FLeftMaskStrip.get(), FRightMaskStrip.get(), FBottomMaskStrip.get(), FrameWidth,
                            FrameHeight);
    const TRect& a = FrameMaskArea;
    HRGN rgn = CreateRectRgn(a.left, a.top, std::max(a.left, a.right), std::max(a.top, a.bottom));
    struct Piece {
        TBitmap* B;
        int X, Y;
    } pieces[4] = {{FTopMaskStrip.get(), 0, 0},
                   {FBottomMaskStrip.get(), 0, a.bottom},
                   {FLeftMaskStrip.get(), 0, a.top},
                   {FRightMaskStrip.get(), a.right, a.top}};
    // The strips' runs together within the bound of one window region.
    std::vector<RECT> runs;
    for (const Piece& p : pieces) {
        if (!p.B || p.B->Empty()) continue;
        if (!Sputils::CollectMaskRuns(p.B, p.X, p.Y, -1, -1, runs)) {
            DeleteObject(rgn);
            RemoveRegion();
            return;
        }
    }
    if (!runs.empty()) {
        if (HRGN part = Sputils::CreateRegionFromRuns(runs, RECT{0, 0, FrameWidth, FrameHeight})) {
            CombineRgn(rgn, rgn, part, RGN_OR);
            DeleteObject(part);
        }
    }
    GiveRegion(rgn);
}

int TspFormFrame::GetMinWidth() const
{
    if (FSupportNCArea) {
        if (FSkinLoaded && SkinPicture()) {
            const int pw = SkinPicture()->GetWidth();
            return pw < MinWidth && FWindowState != fwsMinimized ? MinWidth : pw;
        }
        return MinWidth > 0 ? MinWidth : 130;
    }
    if (FSkinLoaded && SkinPicture()) {
        const int pw = SkinPicture()->GetWidth();
        return MinWidth == 0 ? pw : std::min(pw, MinWidth);
    }
    return 0;
}

int TspFormFrame::GetMinHeight() const
{
    const bool free = !FRolledUp && FWindowState != fwsMinimized;
    if (FSupportNCArea) {
        int b;
        if (FSkinLoaded && SkinPicture())
            b = SkinPicture()->GetHeight() - FSkinData->ClientRect.Height();
        else
            b = GetDefCaptionHeight() + 6;
        return b < MinHeight && free ? MinHeight : b;
    }
    if (FSkinLoaded && SkinPicture()) {
        const int ph = SkinPicture()->GetHeight();
        return MinHeight == 0 ? ph : std::min(ph, MinHeight);
    }
    return 0;
}

int TspFormFrame::GetMaxWidth() const { return MaxArea().Width(); }
int TspFormFrame::GetMaxHeight() const { return MaxArea().Height(); }

TRect TspFormFrame::MaxArea() const
{
    HWND w = OwnerForm && OwnerForm->HandleAllocated() ? OwnerForm->GetWindowHandle() : nullptr;
    return w ? Sputils::GetMonitorWorkArea(w, !MaximizeOnFullScreen) : Sputils::GetPrimaryMonitorWorkArea(!MaximizeOnFullScreen);
}
