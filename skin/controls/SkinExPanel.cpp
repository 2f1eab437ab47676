#include "SkinExPanel.h"
#include "GdiHandles.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include <algorithm>

namespace {

enum { btClose = 0, btRoll = 1 };
enum { lkNormal = 0, lkActive = 1, lkDown = 2 };

void Frame(TCanvas* C, TRect& R, TColor TopLeft, TColor BottomRight)
{
    Sputils::Frm3D(C, R, TopLeft, BottomRight);
    R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
}

// Normal, active and down looks of a roll button: a missing active look is the
// normal one, a missing down look the (resolved) active one.
// A rectangle no control can have is read as none.
TRect Bounded(const TRect& R)
{
    const bool huge = R.right - static_cast<long long>(R.left) > MaxSkinControlSide ||
                      R.bottom - static_cast<long long>(R.top) > MaxSkinControlSide;
    return huge ? TRect() : R;
}

int BoundedOffset(int V) { return std::max(0, std::min(V, MaxSkinControlSide)); }

void ResolveLooks(TRect* L)
{
    if (L[lkActive].IsEmpty()) L[lkActive] = L[lkNormal];
    if (L[lkDown].IsEmpty()) L[lkDown] = L[lkActive];
}

}  // namespace

TspSkinExPanel::TspSkinExPanel(TComponent* AOwner) : TspSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable;
    FWidth = 150;
    FHeight = 100;
    FSkinDataName = "expanel";
}

TspSkinExPanel::~TspSkinExPanel() = default;

bool TspSkinExPanel::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinExPanelControl*>(Rec) != nullptr;
}

void TspSkinExPanel::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TspDataSkinExPanelControl*>(CurrentRecord());
    if (!Skinned() || !r) return;
    FRollHSkinRect = Bounded(r->RollHSkinRect);
    FRollVSkinRect = Bounded(r->RollVSkinRect);
    FRollLeftOffset = BoundedOffset(r->RollLeftOffset);
    FRollRightOffset = BoundedOffset(r->RollRightOffset);
    FRollTopOffset = BoundedOffset(r->RollTopOffset);
    FRollBottomOffset = BoundedOffset(r->RollBottomOffset);
    FRollVCaptionRect = Bounded(r->RollVCaptionRect);
    FRollHCaptionRect = Bounded(r->RollHCaptionRect);
    FClose[lkNormal] = Bounded(r->CloseButtonRect);
    FClose[lkActive] = Bounded(r->CloseButtonActiveRect);
    FClose[lkDown] = Bounded(r->CloseButtonDownRect);
    const TRect hr[3] = {r->HRollButtonRect, r->HRollButtonActiveRect, r->HRollButtonDownRect};
    const TRect hs[3] = {r->HRestoreButtonRect, r->HRestoreButtonActiveRect, r->HRestoreButtonDownRect};
    const TRect vr[3] = {r->VRollButtonRect, r->VRollButtonActiveRect, r->VRollButtonDownRect};
    const TRect vs[3] = {r->VRestoreButtonRect, r->VRestoreButtonActiveRect, r->VRestoreButtonDownRect};
    for (int i = 0; i < 3; ++i) {
        FHRoll[i] = Bounded(hr[i]);
        FHRestore[i] = Bounded(hs[i]);
        FVRoll[i] = Bounded(vr[i]);
        FVRestore[i] = Bounded(vs[i]);
    }
    ResolveLooks(FHRoll);
    ResolveLooks(FHRestore);
    ResolveLooks(FVRoll);
    ResolveLooks(FVRestore);
    FCaptionRect = Bounded(r->CaptionRect);
    FSkinFont = r->Font;
}

void TspSkinExPanel::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    if (!FRollState)
        Realign();
    else if (FRollKind == rkRollVertical)
        SetHeight(GetRollHeight());
    else
        SetWidth(GetRollWidth());
}

int TspSkinExPanel::GetRollWidth() const
{
    // A skin whose strip has no width would roll the panel to nothing: the plain
    // caption size stands in.
    int w = Skinned() ? FRollHSkinRect.Width() : FDefaultCaptionHeight;
    if (Skinned() && w <= 0) w = FDefaultCaptionHeight;
    return ClampSide(w);
}

int TspSkinExPanel::GetRollHeight() const
{
    int h = Skinned() ? FRollVSkinRect.Height() : FDefaultCaptionHeight;
    if (Skinned() && h <= 0) h = FDefaultCaptionHeight;
    return ClampSide(h);
}

void TspSkinExPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FRollState && !FRolling) {
        GetSkinData();
        if (FRollKind == rkRollHorizontal)
            AWidth = GetRollWidth();
        else
            AHeight = GetRollHeight();
    }
    if (FRollState) {
        // The rolled dimension is the roll strip's, not the element's fitted size.
        TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TspSkinExPanel::AdjustClientRect(TRect& Rect)
{
    TspSkinCustomControl::AdjustClientRect(Rect);
    GetSkinData();
    if (!Skinned() || IsDesigning()) {
        Rect.top += FDefaultCaptionHeight;
        Rect.left += 1;
        Rect.right -= 1;
        Rect.bottom -= 1;
    } else {
        Rect = FElement.NewClRect;
    }
}

void TspSkinExPanel::Close()
{
    auto alive = FAlive.Watch();
    SetVisible(false);
    if (*alive && !IsDesigning() && OnClose) OnClose(this);
}

void TspSkinExPanel::SetRollState(bool Value)
{
    if (Value == FRollState) return;
    auto alive = FAlive.Watch();
    GetSkinData();
    FRollState = Value;
    FRolling = true;
    if (Value) {
        HideControls();
        if (FRollKind == rkRollVertical) {
            if (FRealHeight == 0) {
                FRealHeight = GetHeight();
                SetHeight(GetRollHeight());
            }
        } else if (FRealWidth == 0) {
            FRealWidth = GetWidth();
            SetWidth(GetRollWidth());
        }
    } else {
        // Changing RollKind while rolled leaves no saved size for the new kind:
        // the panel then keeps its size instead of collapsing to nothing.
        if (FRollKind == rkRollHorizontal) {
            if (FRealWidth > 0) SetWidth(FRealWidth);
            FRealWidth = 0;
        } else {
            if (FRealHeight > 0) SetHeight(FRealHeight);
            FRealHeight = 0;
        }
        ShowControls();
    }
    FRolling = false;
    Repaint();
    if (*alive && !IsDesigning() && OnChangeRollState) OnChangeRollState(this);
}

void TspSkinExPanel::HideControls()
{
    FHiddenControls.clear();
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (c->GetVisible()) FHiddenControls.push_back(c);
    }
    for (TControl* c : FHiddenControls) c->SetVisible(false);
}

void TspSkinExPanel::ShowControls()
{
    std::vector<TControl*> hidden;
    hidden.swap(FHiddenControls);
    for (TControl* c : hidden) c->SetVisible(true);
}

void TspSkinExPanel::WndProc(TMessage& Message)
{
    // A child that leaves the panel (or is freed) while rolled is never touched again.
    if (Message.Msg == CM_CONTROLCHANGE && Message.LParam == 0) {
        auto* gone = reinterpret_cast<TControl*>(Message.WParam);
        FHiddenControls.erase(std::remove(FHiddenControls.begin(), FHiddenControls.end(), gone),
                              FHiddenControls.end());
    }
    TspSkinCustomControl::WndProc(Message);
}

void TspSkinExPanel::SetRollKind(TspExPanelRollKind Value)
{
    FRollKind = Value;
    Repaint();
}

void TspSkinExPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = std::max(0, std::min(Value, MaxSkinControlSide));
    GetSkinData();
    if (!Skinned()) {
        Repaint();
        Realign();
    }
}

void TspSkinExPanel::SetShowRollButton(bool Value)
{
    FShowRollButton = Value;
    Repaint();
}

void TspSkinExPanel::SetShowCloseButton(bool Value)
{
    FShowCloseButton = Value;
    Repaint();
}

void TspSkinExPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinExPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value == 2 ? 2 : 1;
    Repaint();
}

void TspSkinExPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TspSkinExPanel::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    Repaint();
}

// ---- layout and looks ----

int TspSkinExPanel::LayoutButtons()
{
    const int W = GetWidth(), H = GetHeight();
    TRect& cl = FButtons[btClose].R;
    TRect& rl = FButtons[btRoll].R;
    const bool sideways = FRollState && FRollKind == rkRollHorizontal;
    int off = 0;
    if (!Skinned()) {
        const int bh = FDefaultCaptionHeight - 6;
        if (bh <= 0) {
            // Too low a caption bar for buttons: they draw nothing.
            cl = rl = TRect();
            return 0;
        }
        if (!sideways) {
            cl = FShowCloseButton ? TRect(W - bh - 2, 3, W - 2, bh + 3) : TRect(W - 2, 0, 0, 0);
            rl = FShowRollButton ? TRect(cl.left - bh, 3, cl.left, bh + 3) : TRect();
            if (FShowCloseButton) off += cl.Width();
            if (FShowRollButton) off += rl.Width();
        } else {
            cl = FShowCloseButton ? TRect(3, 3, bh + 3, bh + 3) : TRect(0, 0, 0, 3);
            rl = FShowRollButton ? TRect(3, cl.bottom, bh + 3, cl.bottom + bh) : TRect();
            if (FShowCloseButton) off += cl.Height();
            if (FShowRollButton) off += rl.Height();
        }
        return off;
    }
    const int gap = FShowCloseButton ? 2 : 0;
    const int cw = FClose[lkNormal].Width(), ch = FClose[lkNormal].Height();
    if (!sideways) {
        TRect cr = FRollState ? FRollVCaptionRect : FCaptionRect;
        cr.right += W - (FRollState ? FRollVSkinRect.Width() : FElement.SkinRect.Width());
        const int rw = FVRoll[lkNormal].Width(), rh = FVRoll[lkNormal].Height();
        cl = FShowCloseButton ? TRect(cr.right - cw, cr.top, cr.right, cr.top + ch) : TRect(cr.right, 0, 0, 0);
        rl = FShowRollButton ? TRect(cl.left - gap - rw, cr.top, cl.left - gap, cr.top + rh) : TRect();
        if (FShowCloseButton) off += cw;
        if (FShowRollButton) off += rw + gap;
    } else {
        TRect cr = FRollHCaptionRect;
        cr.bottom += H - FRollHSkinRect.Height();
        const int rw = FHRoll[lkNormal].Width(), rh = FHRoll[lkNormal].Height();
        cl = FShowCloseButton ? TRect(cr.left, cr.top, cr.left + cw, cr.top + ch) : TRect(0, 0, 0, cr.top);
        rl = FShowRollButton ? TRect(cr.left, cl.bottom + gap, cr.left + rw, cl.bottom + gap + rh) : TRect();
        if (FShowCloseButton) off += ch;
        if (FShowRollButton) off += rh + gap;
    }
    return off;
}

int TspSkinExPanel::GlyphCell() const { return (!IsEnabled() && FNumGlyphs == 2) ? 2 : 1; }

void TspSkinExPanel::DrawGlyphAt(TCanvas* C, int X, int Y)
{
    Sputils::DrawGlyph(C, X, Y, FGlyph.get(), FNumGlyphs, GlyphCell());
}

void TspSkinExPanel::DrawRotatedCaption(TCanvas* C, const TRect& R, int X, int Y)
{
    const std::string text = GetText();
    if (text.empty() || R.IsEmpty()) return;
    HDC dc = C->GetHandle();
    LOGFONTA lf{};
    if (!GetObjectA(C->GetFont()->GetHandle(), sizeof(lf), &lf)) return;
    lf.lfEscapement = lf.lfOrientation = 900;
    TFontHandle font(CreateFontIndirectA(&lf));
    if (!font) return;
    TSelectGuard sel(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(C->GetFont()->GetColor()));
    RECT clip = {R.left, R.top, R.right, R.bottom};
    ExtTextOutA(dc, X, Y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TspSkinExPanel::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    const int W = GetWidth(), H = GetHeight();
    TFont* f = c->GetFont();
    f->Assign(FDefaultFont.get());
    const bool sideways = FRollState && FRollKind == rkRollHorizontal;
    TRect r(0, 0, W, H);
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    if (!sideways) {
        Frame(c, r, clBtnShadow, clBtnShadow);
        c->FillRect(r);
        TRect r2(0, 0, W, FDefaultCaptionHeight);
        Frame(c, r2, clBtnShadow, clBtnShadow);
        Frame(c, r2, clBtnHighlight, clBtnFace);
        r2 = TRect(0, 0, W, FDefaultCaptionHeight);
        const int off = LayoutButtons();
        r2.left += 2;
        r2.right -= off + 2;
        c->GetBrush()->SetStyle(bsClear);
        if (!FGlyph->Empty()) {
            DrawGlyphAt(c, r2.left, r2.top + r2.Height() / 2 - FGlyph->GetHeight() / 2);
            r2.left += FGlyph->GetWidth() + FSpacing;
        }
        Sputils::SPDrawText2(c, GetText(), r2);
    } else {
        c->FillRect(r);
        TRect fr = r;
        Frame(c, fr, clBtnShadow, clBtnShadow);
        Frame(c, fr, clBtnHighlight, clBtnFace);
        TRect r2 = r;
        const int off = LayoutButtons();
        r2.top += off + 2;
        const int th = c->TextHeight("Wg");
        const int x = r2.left + r2.Width() / 2 - th / 2;
        int y = r2.bottom - 2;
        c->GetBrush()->SetStyle(bsClear);
        if (!FGlyph->Empty()) {
            DrawGlyphAt(c, r2.left + r2.Width() / 2 - FGlyph->GetWidth() / 2, r2.bottom - FGlyph->GetHeight() - 2);
            y -= FGlyph->GetHeight() + FSpacing + 2;
        }
        DrawRotatedCaption(c, r2, x, y);
    }
    if (FShowCloseButton) DrawButton(c, btClose);
    if (FShowRollButton) DrawButton(c, btRoll);
}

void TspSkinExPanel::CreateControlSkinImage(TBitmap* B)
{
    TBitmap* pic = Picture();
    const bool noStrip = FRollState && (FRollKind == rkRollVertical ? FRollVSkinRect : FRollHSkinRect).IsEmpty();
    if (!pic || noStrip) {
        CreateControlDefaultImage(B);
        return;
    }
    const int W = GetWidth(), H = GetHeight();
    TCanvas* c = B->GetCanvas();
    const bool sideways = FRollState && FRollKind == rkRollHorizontal;
    if (!sideways) {
        TRect cr;
        if (!FRollState) {
            TspSkinCustomControl::CreateControlSkinImage(B);
            cr = FCaptionRect;
            cr.right += W - FElement.SkinRect.Width();
        } else {
            Sputils::CreateHSkinImage(FRollLeftOffset, FRollRightOffset, B, pic, FRollVSkinRect, W, GetRollHeight());
            cr = FRollVCaptionRect;
            cr.right += W - FRollVSkinRect.Width();
        }
        c = B->GetCanvas();
        ApplySkinFont(c, FSkinFont, FSkinFont.Color);
        c->GetBrush()->SetStyle(bsClear);
        cr.right -= LayoutButtons();
        if (!FGlyph->Empty()) {
            DrawGlyphAt(c, cr.left, cr.top + cr.Height() / 2 - FGlyph->GetHeight() / 2);
            cr.left += FGlyph->GetWidth() + FSpacing;
        }
        Sputils::SPDrawText2(c, GetText(), cr);
    } else {
        Sputils::CreateVSkinImage(FRollTopOffset, FRollBottomOffset, B, pic, FRollHSkinRect, GetRollWidth(), H);
        c = B->GetCanvas();
        ApplySkinFont(c, FSkinFont, FSkinFont.Color);
        c->GetBrush()->SetStyle(bsClear);
        TRect cr = FRollHCaptionRect;
        cr.bottom += H - FRollHSkinRect.Height();
        cr.top += LayoutButtons();
        const int th = c->TextHeight("Wg");
        const int x = cr.left + cr.Width() / 2 - th / 2;
        int y = cr.bottom;
        if (!FGlyph->Empty()) {
            DrawGlyphAt(c, cr.left + cr.Width() / 2 - FGlyph->GetWidth() / 2, cr.bottom - FGlyph->GetHeight());
            y -= FGlyph->GetHeight() + FSpacing;
        }
        DrawRotatedCaption(c, cr, x, y);
    }
    if (FShowCloseButton) DrawButton(c, btClose);
    if (FShowRollButton) DrawButton(c, btRoll);
}

void TspSkinExPanel::DrawButton(TCanvas* C, int I)
{
    const TCaptionButton& b = FButtons[I];
    if (b.R.IsEmpty()) return;
    if (Skinned() && Picture()) {
        const TRect* looks = FClose;
        if (I == btRoll) {
            if (FRollKind == rkRollHorizontal)
                looks = FRollState ? FHRestore : FHRoll;
            else
                looks = FRollState ? FVRestore : FVRoll;
        }
        const int look = (b.Down && b.MouseIn) ? lkDown : (b.MouseIn ? lkActive : lkNormal);
        Sputils::CopyPiece(C, b.R, Picture(), looks[look]);
        return;
    }
    TRect r = b.R;
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(r);
    TRect gr = r;
    if (b.MouseIn) {
        TRect in = r;
        Frame(C, in, clPlainHotFrame, clPlainHotFrame);
        C->GetBrush()->SetColor(b.Down ? clPlainDownFill : clPlainHotFill);
        C->FillRect(in);
        if (b.Down) {
            gr.left += 2;
            gr.top += 2;
        }
    }
    if (I == btClose) {
        Sputils::DrawRCloseImage(C, gr, clBlack);
    } else {
        // By the roll kind, then the roll state.
        static const TspArrowDirection Arrows[2][2] = {
            {adUp, adDown},      // rolls vertically: open, rolled up
            {adLeft, adRight},   // rolls horizontally
        };
        Sputils::DrawArrowImage(C, gr, clBlack, Arrows[FRollKind == rkRollHorizontal][FRollState]);
    }
}

// ---- caption buttons under the mouse ----

void TspSkinExPanel::RedrawButton(int I)
{
    (void)I;
    // The button's look is part of the control image: one repaint shows it.
    Repaint();
}

void TspSkinExPanel::TestActive(int X, int Y)
{
    if (!FShowCloseButton && !FShowRollButton) return;
    FOldActive = FActive;
    FActive = -1;
    const bool shown[2] = {FShowCloseButton, FShowRollButton};
    for (int i = 0; i < 2; ++i)
        if (shown[i] && FButtons[i].R.Contains(TPoint(X, Y))) {
            FActive = i;
            break;
        }
    if (FCaptured != -1 && FActive != FCaptured) FActive = -1;
    if (FActive == FOldActive) return;
    if (FOldActive != -1) {
        FButtons[FOldActive].MouseIn = false;
        RedrawButton(FOldActive);
    }
    if (FActive != -1) {
        FButtons[FActive].MouseIn = true;
        RedrawButton(FActive);
    }
}

void TspSkinExPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TestActive(X, Y);
    if (FActive != -1) {
        FCaptured = FActive;
        FButtons[FActive].MouseIn = true;
        FButtons[FActive].Down = true;
        RedrawButton(FActive);
    }
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinExPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TspSkinExPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive || FCaptured == -1) return;
    const int i = FCaptured;
    FCaptured = -1;
    ButtonUp(i, X, Y);
}

void TspSkinExPanel::ButtonUp(int I, int X, int Y)
{
    TCaptionButton& b = FButtons[I];
    b.Down = false;
    if (I != FActive) b.MouseIn = false;
    RedrawButton(I);
    if (!b.MouseIn) return;
    auto alive = FAlive.Watch();
    if (I == btClose) {
        Close();
    } else {
        SetRollState(!FRollState);
        if (!*alive) return;
        TestActive(X, Y);
        Repaint();
    }
}

void TspSkinExPanel::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    if (!IsDesigning()) TestActive(-1, -1);
}

void TspSkinExPanel::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    for (int i = 0; i < 2; ++i)
        if (FButtons[i].MouseIn) {
            FButtons[i].MouseIn = false;
            RedrawButton(i);
        }
    FActive = -1;
}
