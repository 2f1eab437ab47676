#include "SkinScrollBox.h"
#include "GdiHandles.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinImage.h"
#include <algorithm>

namespace {

// Tiles of TW x TH covering W x H from the top-left corner; none for an empty tile.
template <class F> void ForEachTile(int W, int H, int TW, int TH, F Draw)
{
    if (W <= 0 || H <= 0 || TW <= 0 || TH <= 0) return;
    for (int i = 0; i <= W / TW; ++i)
        for (int j = 0; j <= H / TH; ++j) Draw(i * TW, j * TH);
}

}  // namespace

TspSkinScrollBox::TspSkinScrollBox(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FControlStyle |= csAcceptsControls;
    SetBounds(GetLeft(), GetTop(), 150, 150);
    FSkinDataName = "scrollbox";
}

TspSkinScrollBox::~TspSkinScrollBox()
{
    // The bars outlive the box on their form: they must not call back into it.
    for (TspSkinScrollBar* b : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (b) {
            b->OnChange = nullptr;
            b->OnLastChange = nullptr;
        }
}

bool TspSkinScrollBox::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinScrollBoxControl*>(Rec) != nullptr;
}

// ---- bars

void TspSkinScrollBox::BindBar(TspComponentLink<TspSkinScrollBar>& Slot, TspSkinScrollBar* Value, bool Vertical)
{
    if (Slot && Slot != Value) {
        Slot->OnChange = nullptr;
        Slot->OnLastChange = nullptr;
    }
    Slot.Set(Value);
    if (!Value) return;
    Value->SetCanFocused(false);
    if (Vertical) {
        Value->OnChange = [this](TObject* S) { OnVScrollBarChange(S); };
        Value->OnLastChange = [this](TObject* S) { OnScrollBarLastChange(S); };
        Value->SetEnabled(true);
        Value->SetVisible(false);
    } else {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        Value->OnChange = [this](TObject* S) { OnHScrollBarChange(S); };
        Value->OnLastChange = [this](TObject* S) { OnScrollBarLastChange(S); };
    }
}

void TspSkinScrollBox::SetVScrollBar(TspSkinScrollBar* Value)
{
    BindBar(FVScrollBar, Value, true);
    if (Value) GetVRange();
}

void TspSkinScrollBox::SetHScrollBar(TspSkinScrollBar* Value)
{
    BindBar(FHScrollBar, Value, false);
    if (Value) GetHRange();
}

void TspSkinScrollBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FVScrollBar.Removed(AComponent, Operation);
    FHScrollBar.Removed(AComponent, Operation);
}

void TspSkinScrollBox::OnVScrollBarChange(TObject*)
{
    if (!FVScrollBar) return;
    VScrollControls(FVScrollBar->GetPosition() - FLastVPos);
    FLastVPos = FVScrollBar->GetPosition();
}

void TspSkinScrollBox::OnHScrollBarChange(TObject*)
{
    if (!FHScrollBar) return;
    HScrollControls(FHScrollBar->GetPosition() - FLastHPos);
    FLastHPos = FHScrollBar->GetPosition();
}

void TspSkinScrollBox::OnScrollBarLastChange(TObject*) { Invalidate(); }

void TspSkinScrollBox::ScrollControls(int DX, int DY)
{
    if (!DX && !DY) return;
    // One alignment pass after all children moved, not one per child.
    DisableAlign();
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        c->SetBounds(c->GetLeft() + DX, c->GetTop() + DY, c->GetWidth(), c->GetHeight());
    }
    EnableAlign();
    Invalidate();
}

void TspSkinScrollBox::VScrollControls(int D) { ScrollControls(0, -D); }

void TspSkinScrollBox::HScrollControls(int D) { ScrollControls(-D, 0); }

void TspSkinScrollBox::VScroll(int Pos)
{
    if (!FVScrollBar || FVScrollBar->GetPageSize() == 0) return;
    // The bar clamps the position to its range and its OnChange moves the children
    // by exactly the difference: they never get ahead of the bar.
    FVScrollBar->SetPosition(Pos);
}

void TspSkinScrollBox::HScroll(int Pos)
{
    if (!FHScrollBar || FHScrollBar->GetPageSize() == 0) return;
    FHScrollBar->SetPosition(Pos);
}

void TspSkinScrollBox::UpdateScrollRange()
{
    GetHRange();
    GetVRange();
}

void TspSkinScrollBox::GetVRange() { UpdateRange(true); }

void TspSkinScrollBox::GetHRange() { UpdateRange(false); }

void TspSkinScrollBox::UpdateRange(bool Vertical)
{
    TspSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
    if (!bar || FUpdatingBars || !GetParent()) return;
    int& growth = Vertical ? FHeightGrowth : FWidthGrowth;
    int& last = Vertical ? FLastVPos : FLastHPos;
    auto scroll = [&](int D) { Vertical ? VScrollControls(D) : HScrollControls(D); };
    // L: the client extent; B: how far the visible children reach where the
    // current scroll put them; P + B: the extent of the whole content.
    const int L = Vertical ? GetClientHeight() : GetClientWidth();
    int B = 0;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (c->GetVisible())
            B = std::max(B, Vertical ? c->GetTop() + c->GetHeight() : c->GetLeft() + c->GetWidth());
    }
    const int P = bar->GetPosition();
    const int T = P + B;
    bool visible = bar->GetVisible();
    if (L < T) {
        visible = true;
        int offset = P;   // where the children stand after this branch
        if (P > 0 && B < L && growth > 0) {
            // The box grew while scrolled: the gap at the end is filled from before.
            const int G = std::min(growth, P);
            bar->SetRange(0, T - 1, P - G, L);
            scroll(-G);
            offset = P - G;
        } else if (growth == 0 && T - 1 < bar->GetMax() && P > 0 && B < L) {
            // The content shrank while scrolled.
            const long long d = static_cast<long long>(bar->GetMax()) - bar->GetPageSize() + 1 +
                                (static_cast<long long>(bar->GetMax()) - (T - 1)) + P;
            const int D = static_cast<int>(std::clamp<long long>(d, 0, P));
            scroll(-D);
            bar->SetRange(0, T - 1, P - D, L);
            offset = P - D;
        } else {
            bar->SetRange(0, T - 1, P, L);
        }
        // Where the bar clamped the position the children follow it: their offset
        // always equals the bar's position.
        if (bar->GetPosition() != offset) scroll(bar->GetPosition() - offset);
        growth = 0;
        last = bar->GetPosition();
    } else {
        if (P > 0) scroll(-P);
        growth = 0;
        last = 0;
        bar->SetRange(0, 0, 0, 0);
        visible = false;
    }
    // The horizontal bar leaves the corner free while the vertical one shows.
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->GetVisible());
    if (visible == bar->GetVisible()) return;
    FUpdatingBars = true;
    bar->SetVisible(visible);
    if (!Vertical) FUpdatingBars = false;
    if (GetAlign() != alNone && GetParent()) GetParent()->Realign();
    FUpdatingBars = false;
}

// ---- size and layout

void TspSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldW = GetWidth(), oldH = GetHeight();
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FWidthGrowth = oldW > 0 && GetWidth() > oldW ? GetWidth() - oldW : 0;
    FHeightGrowth = oldH > 0 && GetHeight() > oldH ? GetHeight() - oldH : 0;
    if (GetAlign() != alNone) {
        GetVRange();
        GetHRange();
    }
}

void TspSkinScrollBox::AdjustClientRect(TRect& Rect)
{
    const TRect client = GetClientRect();
    if (FHScrollBar && FHScrollBar->GetVisible()) {
        Rect.left = -FHScrollBar->GetPosition();
        Rect.right = Rect.left + std::max(FHScrollBar->GetMax(), client.Width());
    } else {
        Rect.left = 0;
        Rect.right = client.Width();
    }
    if (FVScrollBar && FVScrollBar->GetVisible()) {
        Rect.top = -FVScrollBar->GetPosition();
        Rect.bottom = Rect.top + std::max(FVScrollBar->GetMax(), client.Height());
    } else {
        Rect.top = 0;
        Rect.bottom = client.Height();
    }
    TspSkinCustomControl::AdjustClientRect(Rect);
}

void TspSkinScrollBox::CMVisibleChanged(TMessage& Message)
{
    TspSkinCustomControl::CMVisibleChanged(Message);
    if (FVScrollBar) FVScrollBar->SetVisible(GetVisible());
    if (FHScrollBar) FHScrollBar->SetVisible(GetVisible());
}

void TspSkinScrollBox::WMWindowPosChanging(TMessage& Message)
{
    TspSkinCustomControl::WndProc(Message);
    if (HandleAllocated() && GetAlign() == alNone) {
        GetVRange();
        GetHRange();
    }
}

void TspSkinScrollBox::WMSizeBox(TMessage& Message)
{
    TspSkinCustomControl::WndProc(Message);
    // The frame follows the new size at once, not at the next non-client paint.
    if (HandleAllocated()) SendMessageA(GetWindowHandle(), WM_NCPAINT, 1, 0);
}

void TspSkinScrollBox::SetBorderStyle(TspSkinBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

// ---- skin

void TspSkinScrollBox::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    FBGPictureIndex = -1;
    if (!Skinned()) return;
    const auto* r = dynamic_cast<const TspDataSkinScrollBoxControl*>(CurrentRecord());
    // An index that names no picture of this skin is no background picture: the
    // element's own tile and frame are used instead.
    if (r && SkinPicture(FSD, r->BGPictureIndex)) FBGPictureIndex = r->BGPictureIndex;
}

void TspSkinScrollBox::SetSkinData(TspSkinData* Value)
{
    const bool wasSkinned = Skinned();
    TspSkinCustomControl::SetSkinData(Value);
    // Without a skin no skin change follows: the plain frame is measured here.
    if ((!Value || Value->Empty) && wasSkinned) {
        GetSkinData();
        RecreateWnd();
        Repaint();
    }
}

void TspSkinScrollBox::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    RecreateWnd();
    // The bars' parent lays them out anew next to the box's new frame.
    for (TspSkinScrollBar* b : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (b) {
            const TAlign a = b->GetAlign();
            b->SetAlign(alNone);
            b->SetAlign(a);
        }
}

void TspSkinScrollBox::CreateParams(TCreateParams& Params)
{
    TspSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TspSkinScrollBox";
}

TRect TspSkinScrollBox::SafeClientRect() const
{
    const int sw = std::max<int>(FElement.SkinRect.Width(), 0), sh = std::max<int>(FElement.SkinRect.Height(), 0);
    const TRect& c = FElement.ClRect;
    const int l = std::clamp<int>(c.left, 0, sw), t = std::clamp<int>(c.top, 0, sh);
    const int r = std::clamp<int>(c.right, l, sw), b = std::clamp<int>(c.bottom, t, sh);
    return TRect(l, t, r, b);
}

TRect TspSkinScrollBox::FrameWidths()
{
    GetSkinData();
    if (FBorderStyle == TspSkinBorderStyle::bvNone) return TRect();
    if (!Skinned()) return TRect(1, 1, 1, 1);
    if (FBGPictureIndex != -1) return TRect();
    const TRect c = SafeClientRect();
    return TRect(c.left, c.top, FElement.SkinRect.Width() - c.right, FElement.SkinRect.Height() - c.bottom);
}

// ---- frame

void TspSkinScrollBox::WMNCCalcSize(TMessage& Message)
{
    const TRect f = FrameWidths();
    RECT* r = reinterpret_cast<RECT*>(Message.LParam);
    if (Message.WParam) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
    r->left += f.left;
    r->top += f.top;
    r->right -= f.right;
    r->bottom -= f.bottom;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    Message.Result = 0;
}

void TspSkinScrollBox::WMNCPaint(TMessage& Message)
{
    Message.Result = 0;
    GetSkinData();
    if (FBGPictureIndex != -1 || FBorderStyle == TspSkinBorderStyle::bvNone || !HandleAllocated()) return;
    TWholeWindowDC dc(GetWindowHandle());
    if (!dc.Get()) return;
    TSaveDCGuard save(dc.Get());
    // The client area is painted by Paint; only the frame is drawn here.
    const TRect f = FrameWidths();
    const int W = GetWidth(), H = GetHeight();
    if (W - f.right > f.left && H - f.bottom > f.top)
        ExcludeClipRect(dc.Get(), f.left, f.top, W - f.right, H - f.bottom);
    TBorrowedCanvas c(dc.Get());
    PaintFrame(c.Get());
}

void TspSkinScrollBox::PaintFrame(TCanvas* C)
{
    GetSkinData();
    const int W = GetWidth(), H = GetHeight();
    if (W <= 0 || H <= 0 || FBorderStyle == TspSkinBorderStyle::bvNone) return;
    if (!Skinned()) {
        TColor topLeft = clBtnShadow, bottomRight = clBtnShadow;
        if (FBorderStyle == TspSkinBorderStyle::bvRaised) bottomRight = clBtnHighlight;
        if (FBorderStyle == TspSkinBorderStyle::bvLowered) topLeft = clBtnHighlight;
        C->GetBrush()->SetStyle(bsClear);
        C->GetPen()->SetWidth(1);
        C->GetPen()->SetColor(topLeft);
        C->MoveTo(0, H - 1);
        C->LineTo(0, 0);
        C->LineTo(W - 1, 0);
        C->GetPen()->SetColor(bottomRight);
        C->MoveTo(W - 1, 0);
        C->LineTo(W - 1, H - 1);
        C->LineTo(-1, H - 1);
        return;
    }
    if (FBGPictureIndex != -1 || !FElement.Picture) return;
    const TRect& sr = FElement.SkinRect;
    const int sw = sr.Width(), sh = sr.Height();
    if (sw <= 0 || sh <= 0) return;
    auto inside = [&](const TPoint& P) { return TPoint(std::clamp<int>(P.x, 0, sw), std::clamp<int>(P.y, 0, sh)); };
    const TPoint lt = inside(FElement.LTPoint), rt = inside(FElement.RTPoint), lb = inside(FElement.LBPoint),
                 rb = inside(FElement.RBPoint);
    Sputils::TSkinImageArgs a;
    a.Skin = {lt, rt, lb, rb, SafeClientRect()};
    a.Target = a.Skin.Grown(W - sw, H - sh);
    a.Source = FElement.Picture;
    a.SourceRect = sr;
    a.Width = W;
    a.Height = H;
    TBitmap left, top, right, bottom;
    Sputils::CreateSkinBorderImages({&left, &top, &right, &bottom}, a);
    C->Draw(0, 0, &top);
    C->Draw(0, top.GetHeight(), &left);
    C->Draw(W - right.GetWidth(), top.GetHeight(), &right);
    C->Draw(0, H - bottom.GetHeight(), &bottom);
}

// ---- background

void TspSkinScrollBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, B->GetWidth(), B->GetHeight()));
}

void TspSkinScrollBox::Paint()
{
    GetSkinData();
    if (!Skinned()) {
        TspSkinCustomControl::Paint();
        return;
    }
    const int cw = GetClientWidth(), ch = GetClientHeight();
    if (cw <= 0 || ch <= 0) return;
    TCanvas* canvas = GetCanvas();
    if (FBGPictureIndex != -1) {
        TBitmap* bg = SkinPicture(FSD, FBGPictureIndex);
        const int pw = bg ? bg->GetWidth() : 0, ph = bg ? bg->GetHeight() : 0;
        if (pw <= 0 || ph <= 0) {
            canvas->GetBrush()->SetStyle(bsSolid);
            canvas->GetBrush()->SetColor(clBtnFace);
            canvas->FillRect(TRect(0, 0, cw, ch));
            return;
        }
        ForEachTile(GetWidth(), GetHeight(), pw, ph, [&](int X, int Y) { canvas->Draw(X, Y, bg); });
        return;
    }
    TBitmap b(cw, ch, pf24bit);
    TCanvas* c = b.GetCanvas();
    const TRect cl = SafeClientRect();
    const TRect tile(FElement.SkinRect.left + cl.left, FElement.SkinRect.top + cl.top,
                     FElement.SkinRect.left + cl.right, FElement.SkinRect.top + cl.bottom);
    const TRect src = FElement.Picture ? ClipToPicture(tile, FElement.Picture) : TRect();
    if (src.IsEmpty() || src.Width() != tile.Width() || src.Height() != tile.Height()) {
        // No tile to repeat (an empty client rectangle, or one outside the picture).
        CreateControlDefaultImage(&b);
    } else {
        const int tw = src.Width(), th = src.Height();
        ForEachTile(cw, ch, tw, th, [&](int X, int Y) {
            const int w = std::min(tw, cw - X), h = std::min(th, ch - Y);
            if (w > 0 && h > 0)
                Sputils::CopyPiece(c, TRect(X, Y, X + w, Y + h), FElement.Picture,
                                   TRect(src.left, src.top, src.left + w, src.top + h));
        });
    }
    canvas->Draw(0, 0, &b);
}

void TspSkinScrollBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); break;
    case WM_SIZE: WMSizeBox(Message); break;
    default: TspSkinCustomControl::WndProc(Message);
    }
}
