#include "SkinPanel.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include <algorithm>

TspSkinPanel::TspSkinPanel(TComponent* AOwner) : TspSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks |
                    csReplicatable);
    FSkinDataName = "panel";
    SetBounds(GetLeft(), GetTop(), 150, 150);
}

bool TspSkinPanel::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinPanelControl*>(Rec) != nullptr;
}

void TspSkinPanel::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    FBGPictureIndex = -1;
    if (!Skinned()) return;
    const auto* r = static_cast<const TspDataSkinPanelControl*>(CurrentRecord());
    FCaptionRect = r->CaptionRect;
    FSkinAlignment = r->Alignment;
    FSkinFont = r->Font;
    FBGPictureIndex = r->BGPictureIndex;
    FCheckImageRect = r->CheckImageRect;
    FUnCheckImageRect = r->UnCheckImageRect;
}

TBitmap* TspSkinPanel::BackgroundPicture() const
{
    return Skinned() ? SkinPicture(FSD, FBGPictureIndex) : nullptr;
}

void TspSkinPanel::Paint()
{
    GetSkinData();
    TBitmap* bg = BackgroundPicture();
    if (!bg) {
        TspSkinCustomControl::Paint();
        return;
    }
    if (GetWidth() < 1 || GetHeight() < 1) return;
    // A tiny picture would cost one draw per pixel of a large panel: tile it into
    // a block of at least 64 x 64 first (same picture, same placement).
    const int pw = bg->GetWidth(), ph = bg->GetHeight();
    const int bw = ((63 / pw) + 1) * pw, bh = ((63 / ph) + 1) * ph;
    TBitmap block(bw, bh, pf24bit);
    for (int x = 0; x < bw; x += pw)
        for (int y = 0; y < bh; y += ph) block.GetCanvas()->Draw(x, y, bg);
    for (int i = 0; i <= GetWidth() / bw; ++i)
        for (int j = 0; j <= GetHeight() / bh; ++j) GetCanvas()->Draw(i * bw, j * bh, &block);
}

void TspSkinPanel::CreateControlSkinImage(TBitmap* B)
{
    const int w = GetWidth(), h = GetHeight();
    const TspSkinElement& e = FElement;
    if (FBorderStyle == TspSkinBorderStyle::bvNone && e.ResizeMode == rmEightPoint && !FCaptionMode) {
        // Borderless: the element's middle tiled over the whole panel.
        TRect cl = e.ClRect;
        cl.Offset(e.SkinRect.left, e.SkinRect.top);
        cl = ClipToPicture(cl, e.Picture);
        if (cl.IsEmpty()) {
            CreateControlDefaultImage(B);
            return;
        }
        const int cw = cl.Width(), ch = cl.Height();
        for (int i = 0; i <= w / cw; ++i)
            for (int j = 0; j <= h / ch; ++j) {
                const int dw = std::min(cw, w - i * cw), dh = std::min(ch, h - j * ch);
                if (dw <= 0 || dh <= 0) continue;
                B->GetCanvas()->CopyRect(Bounds(i * cw, j * ch, dw, dh), e.Picture->GetCanvas(),
                                         Bounds(cl.left, cl.top, dw, dh));
            }
        return;
    }
    TspSkinCustomControl::CreateControlSkinImage(B);
    FNewCaptionRect = (e.ResizeMode >= rmEightPoint) ? GetNewRect(FCaptionRect) : FCaptionRect;
    if (GetText().empty() || FCaptionRect.IsEmpty()) return;
    TRect r = FNewCaptionRect;
    if (FRollUpMode) r.right -= 12;
    TCanvas* c = B->GetCanvas();
    if (FCheckedMode) {
        const TRect src = ClipToPicture(FChecked ? FCheckImageRect : FUnCheckImageRect, e.Picture);
        if (!src.IsEmpty()) {
            TBitmap img(src.Width(), src.Height(), pf24bit);
            img.GetCanvas()->CopyRect(TRect(0, 0, src.Width(), src.Height()), e.Picture->GetCanvas(), src);
            img.SetTransparent(true);
            c->Draw(r.left, r.top + r.Height() / 2 - src.Height() / 2, &img);
            r.left += src.Width() + 2;
        }
    }
    ApplySkinFont(c, FSkinFont, FSkinFont.Color);
    if (FRollUpMode)
        Sputils::DrawArrowImage(c, TRect(r.right, r.top, r.right + 10, r.bottom), FSkinFont.Color, FRollUpState ? adDown : adUp);
    DrawCaptionContent(c, r, FSkinAlignment);
}

void TspSkinPanel::DrawCaptionContent(TCanvas* C, TRect R, TAlignment Align)
{
    const std::string text = GetText();
    const int th = C->TextHeight(text.empty() ? std::string("Wq") : text);
    const bool glyph = !FGlyph->Empty();
    const int cells = std::clamp(FNumGlyphs, 1, 2);
    const int gw = glyph ? FGlyph->GetWidth() / cells : 0;
    const int w = C->TextWidth(text) + (glyph ? gw + FSpacing : 0);
    int x = R.left;
    if (Align == taRightJustify)
        x = R.right - w;
    else if (Align == taCenter)
        x = R.left + R.Width() / 2 - w / 2;
    const int y = R.top + R.Height() / 2 - th / 2;
    C->GetBrush()->SetStyle(bsClear);
    int gx = x;
    if (glyph) x += gw + FSpacing;
    C->TextRect(R, x, y, text);
    if (glyph)
        Sputils::DrawGlyph(C, gx, R.top + R.Height() / 2 - FGlyph->GetHeight() / 2, FGlyph.get(), cells,
                           (!IsEnabled() && cells == 2) ? 2 : 1);
}

void TspSkinPanel::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    TRect all(0, 0, w, h);
    switch (FBorderStyle) {
    case TspSkinBorderStyle::bvFrame:
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(all);
        break;
    case TspSkinBorderStyle::bvRaised: Sputils::Frm3D(c, all, clBtnHighlight, clBtnShadow); break;
    case TspSkinBorderStyle::bvLowered: Sputils::Frm3D(c, all, clBtnShadow, clBtnHighlight); break;
    default: break;
    }
    if (!FCaptionMode) return;
    TRect r;
    if (FBorderStyle == TspSkinBorderStyle::bvFrame) {
        r = TRect(0, 0, w, FDefaultCaptionHeight);
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        r.Inflate(-1, -1);
        Sputils::Frm3D(c, r, clBtnHighlight, clBtnFace);
    } else {
        r = TRect(1, 1, w - 1, FDefaultCaptionHeight);
        Sputils::Frm3D(c, r, clBtnShadow, clBtnHighlight);
        r.Inflate(-1, -1);
        Sputils::Frm3D(c, r, clBtnHighlight, clBtnShadow);
    }
    r.Inflate(-1, -1);
    if (FCheckedMode) r.left += 20;
    if (FRollUpMode) r.right -= 10;
    c->GetFont()->Assign(FDefaultFont.get());
    if (FCheckedMode) {
        const int y = r.top + r.Height() / 2 - 7;
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(Bounds(5, y, 14, 14));
        if (FChecked) Sputils::DrawCheckImage(c, 9, y + 3, clBtnText);
    }
    if (FRollUpMode)
        Sputils::DrawArrowImage(c, TRect(r.right, r.top, r.right + 10, r.bottom), clBtnText, FRollUpState ? adDown : adUp);
    TRect t = r;
    t.left += 2;
    DrawCaptionContent(c, t, DefaultAlignment);
}

void TspSkinPanel::AdjustClientRect(TRect& Rect)
{
    TspSkinCustomControl::AdjustClientRect(Rect);
    if (!Skinned() || IsDesigning()) {
        if (FBorderStyle != TspSkinBorderStyle::bvNone) Rect.Inflate(-1, -1);
        if (FCaptionMode) Rect.top += FDefaultCaptionHeight;
        if (Rect.top > Rect.bottom) Rect.top = Rect.bottom;
        return;
    }
    if (!BackgroundPicture()) Rect = FElement.NewClRect;
}

void TspSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Skinned()) Repaint();
}

void TspSkinPanel::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    if (FRealHeight == -1) {
        Realign();
    } else {
        // Rolled up: fold again to the new skin's caption, keeping the unrolled height.
        const int real = FRealHeight;
        FRealHeight = -1;
        DoRollUp(true);
        FRealHeight = real;
    }
}

void TspSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode) Repaint();
    if (AutoEnabledControls && FCheckedMode)
        for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->SetEnabled(Value);
    if (OnChecked) OnChecked(this);
}

void TspSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Repaint();
}

void TspSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TspSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (!Skinned() && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TspSkinPanel::SetBorderStyle(TspSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (!Skinned()) {
        Repaint();
        Realign();
    }
}

void TspSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (!Skinned() && FCaptionMode) Repaint();
}

void TspSkinPanel::SetRollUpState(bool Value)
{
    if (Value == FRollUpState || !FRollUpMode) return;
    FRollUpState = Value;
    DoRollUp(Value);
}

void TspSkinPanel::DoRollUp(bool Up)
{
    if (Up && FRealHeight == -1) {
        FRealHeight = GetHeight();
        if (!FHasHiddenList) {
            FHasHiddenList = true;
            FHiddenControls.clear();
            for (int i = 0; i < GetControlCount(); ++i) {
                TControl* c = GetControl(i);
                if (c->GetVisible()) FHiddenControls.push_back(c);
            }
            for (TControl* c : FHiddenControls) c->SetVisible(false);
        }
        const int h = Skinned() ? GetHeight() - FElement.NewClRect.Height() : FDefaultCaptionHeight + 1;
        SetHeight(std::max(h, 0));
    } else if (!Up && FRealHeight != -1) {
        SetHeight(FRealHeight);
        FRealHeight = -1;
        std::vector<TControl*> hidden;
        hidden.swap(FHiddenControls);
        FHasHiddenList = false;
        for (TControl* c : hidden) c->SetVisible(true);
    }
}

void TspSkinPanel::WndProc(TMessage& Message)
{
    // A child that leaves the panel (or is freed) while rolled up is never touched again.
    if (Message.Msg == CM_CONTROLCHANGE && Message.LParam == 0) {
        auto* gone = reinterpret_cast<TControl*>(Message.WParam);
        FHiddenControls.erase(std::remove(FHiddenControls.begin(), FHiddenControls.end(), gone),
                              FHiddenControls.end());
    }
    TspSkinCustomControl::WndProc(Message);
}

void TspSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    if (Button == mbLeft && FCaptionMode && (FRollUpMode || FCheckedMode)) {
        const TRect r = Skinned() ? FNewCaptionRect : TRect(1, 1, GetWidth() - 1, FDefaultCaptionHeight);
        if (X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom) {
            if (FCheckedMode) SetChecked(!FChecked);
            if (!*alive) return;
            if (FRollUpMode) SetRollUpState(!FRollUpState);
        }
    }
    if (*alive) TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinPanel::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FCaptionMode) Repaint();
}

void TspSkinPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TspSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

TspSkinGroupBox::TspSkinGroupBox(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    FSkinDataName = "groupbox";
    FCaptionMode = true;
}

TspSkinStatusBar::TspSkinStatusBar(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    FSkinDataName = "statusbar";
    SetAlign(alBottom);
    SetDefaultHeight(21);
    FBorderStyle = TspSkinBorderStyle::bvNone;
}

void TspSkinStatusBar::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    for (int i = 0; i < GetControlCount(); ++i) {
        if (auto* c = dynamic_cast<TspSkinControl*>(GetControl(i))) c->SetSkinData(Value);
    }
}
