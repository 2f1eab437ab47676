#include "SkinTrackBar.h"
#include "EffectBmp.h"
#include "SkinControls.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinTakeFocus.h"
#include "SkinRangeMath.h"

TspSkinTrackBar::TspSkinTrackBar(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "htrackbar";
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

bool TspSkinTrackBar::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinTrackBarControl*>(Rec) != nullptr;
}

void TspSkinTrackBar::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) return;
    const auto* r = static_cast<const TspDataSkinTrackBarControl*>(CurrentRecord());
    const auto a = SkinRange::BoundCoords(r->TrackArea.left, r->TrackArea.top, r->TrackArea.right, r->TrackArea.bottom);
    FSkinTrackArea = TRect(a.left, a.top, a.right, a.bottom);
    FButtonRect = ClipToPicture(r->ButtonRect, FElement.Picture);
    FActiveButtonRect = r->ActiveButtonRect.IsEmpty() ? FButtonRect
                                                            : ClipToPicture(r->ActiveButtonRect, FElement.Picture);
    FVertical = r->Vertical;
    int w = GetWidth(), h = GetHeight();
    CalcSize(w, h);
}

void TspSkinTrackBar::CalcSize(int& W, int& H)
{
    TspSkinCustomControl::CalcSize(W, H);
    if (!Skinned()) return;
    FTrackArea = FSkinTrackArea;
    if (FElement.GetResizeMode() != rmFixed) {
        if (FVertical) FTrackArea.bottom += H - FElement.SkinRect.Height();
        else FTrackArea.right += W - FElement.SkinRect.Width();
    }
}

TRect TspSkinTrackBar::TrackArea() const
{
    return Skinned() ? FTrackArea : TRect(2, 2, GetWidth() - 2, GetHeight() - 2);
}

TRect TspSkinTrackBar::CalcButtonRect(const TRect& A)
{
    int w, h;
    if (Skinned()) {
        w = FButtonRect.Width();
        h = FButtonRect.Height();
    } else if (!FVertical) {
        h = GetHeight() - 4;
        w = h / 2;
    } else {
        w = GetWidth() - 4;
        h = w / 2;
    }
    const double f = SkinRange::Fraction(FValue, FMinValue, FMaxValue);
    if (!FVertical) {
        FFirst = A.left + w / 2;
        FLast = A.right - w / 2;
        FOffset = SkinRange::RoundEven(f * (FLast - FFirst));
        const int x = FFirst + FOffset - w / 2, y = A.top + A.Height() / 2 - h / 2;
        return TRect(x, y, x + w, y + h);
    }
    FFirst = A.top + h / 2;
    FLast = A.bottom - h / 2;
    FOffset = SkinRange::RoundEven(f * (FLast - FFirst));
    const int x = A.left + A.Width() / 2 - w / 2, y = FLast - FOffset - h / 2;
    return TRect(x, y, x + w, y + h);
}

int TspSkinTrackBar::CalcValue(int V) const
{
    return SkinRange::ValueAt(V, FLast - FFirst, FMinValue, FMaxValue);
}

bool TspSkinTrackBar::IsFocused()
{
    return FCanFocused && HandleAllocated() && Focused();
}

// ---- values

void TspSkinTrackBar::SetValue(int Value)
{
    const int v = SkinRange::ClampValue(Value, FMinValue, FMaxValue);
    if (v == FValue) return;
    FValue = v;
    Repaint();
    if (OnChange) OnChange(this);
}

void TspSkinTrackBar::SetMinValue(int Value)
{
    FMinValue = Value;
    if (FValue < FMinValue) FValue = FMinValue;
    Repaint();
}

void TspSkinTrackBar::SetMaxValue(int Value)
{
    FMaxValue = Value;
    if (FValue > FMaxValue) FValue = FMaxValue;
    Repaint();
}

void TspSkinTrackBar::SetVertical(bool Value)
{
    FVertical = Value;
    if (IsDesigning() && !IsLoading()) FSkinDataName = Value ? "trackbar" : "htrackbar";
    Repaint();
}

void TspSkinTrackBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

// ---- drawing

void TspSkinTrackBar::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    TBitmap* pic = FElement.Picture;
    const TRect th = CalcButtonRect(FTrackArea);
    const TRect src = (FDown || IsFocused()) ? FActiveButtonRect : FButtonRect;
    if (!pic || src.IsEmpty() || th.IsEmpty()) return;
    TCanvas* C = B->GetCanvas();
    if (!FAlphaBlend) {
        Sputils::CopyPiece(C, th, pic, src);
        return;
    }
    TBitmap thumb(th.Width(), th.Height(), pf24bit), under(th.Width(), th.Height(), pf24bit);
    Sputils::CopyPiece(thumb.GetCanvas(), TRect(0, 0, th.Width(), th.Height()), pic, src);
    under.GetCanvas()->CopyRect(TRect(0, 0, th.Width(), th.Height()), C, th);
    TspEffectBmp top(&thumb), back(&under);
    top.Morph(&back, 1.0 - FAlphaBlendValue / 255.0);
    top.Draw(C->GetHandle(), th.left, th.top);
}

void TspSkinTrackBar::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* C = B->GetCanvas();
    const int w = B->GetWidth(), h = B->GetHeight();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(TRect(0, 0, w, h));
    const TRect groove = FVertical ? TRect(w / 2 - 1, 4, w / 2 + 1, h - 4) : TRect(4, h / 2 - 1, w - 4, h / 2 + 1);
    if (!groove.IsEmpty()) Sputils::Frm3D(C, groove, clBtnShadow, clBtnHighlight);
    const TRect th = CalcButtonRect(TRect(2, 2, w - 2, h - 2));
    if (th.IsEmpty()) return;
    Sputils::DrawPlainFace(C, th, LookState(FDown, IsFocused()));
}

// ---- mouse, keys, focus

void TspSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || !MouseSupport) return;
    const TRect th = ThumbRect();
    // The thumb's right and bottom edges take the press too.
    if (X < th.left || X > th.right || Y < th.top || Y > th.bottom) return;
    FDragStart = FVertical ? Y : X;
    FDragOffset = FOffset;
    FDown = true;
    Repaint();
}

void TspSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    if (!*alive || !MouseSupport || !FDown) return;
    ThumbRect();   // the travel at the current size
    // The drag runs from the point and offset saved at the press, not from
    // wherever the thumb has been drawn since.
    const int v = FVertical ? FDragStart + FDragOffset - Y : X + FDragOffset - FDragStart;
    SetValue(CalcValue(v));
}

void TspSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive || !MouseSupport) return;
    if (FDown) {
        FDown = false;
        Repaint();
        return;
    }
    if (!JumpWhenClick) return;
    const TRect th = ThumbRect();
    const TRect area = TrackArea();
    const int d = Skinned() ? (FVertical ? area.top : area.left) : 2;
    const int v = FVertical ? GetHeight() - Y - th.Height() / 2 - d : X - th.Width() / 2 - d;
    SetValue(CalcValue(v));
}

void TspSkinTrackBar::KeyDown(WORD& Key, TShiftState Shift)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || !FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_DOWN) SetValue(FValue - 1);
    else if (Key == VK_UP || Key == VK_RIGHT) SetValue(FValue + 1);
}

void TspSkinTrackBar::WMMouseWheel(TMessage& Message)
{
    if (!IsFocused()) return;
    const bool away = static_cast<int>(static_cast<DWORD>(Message.WParam)) > 0;
    if (FVertical) SetValue(away ? FValue + 1 : FValue - 1);
    else SetValue(away ? FValue - 1 : FValue + 1);
}

void TspSkinTrackBar::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    if (FCanFocused) Repaint();
}

void TspSkinTrackBar::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (FCanFocused) Repaint();
}

void TspSkinTrackBar::WndProc(TMessage& Message)
{
    if (Skinbars::FocusableBarMessage(this, Message, FCanFocused, FTakingFocus)) return;
    switch (Message.Msg) {
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    default: break;
    }
    TspSkinCustomControl::WndProc(Message);
}
