#include "Label.h"
#include "Button.h"
#include "WinControl.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csOpaque | csReplicatable;
    FWidth = 65;
    FHeight = 17;
}

UINT TCustomLabel::DrawTextFlags() const
{
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT f = DT_EXPANDTABS | align[FAlignment];
    if (FWordWrap) f |= DT_WORDBREAK;
    if (!FShowAccelChar) f |= DT_NOPREFIX;
    return f;
}

void TCustomLabel::DoDrawText(TRect& R, UINT Flags)
{
    TCanvas* c = GetCanvas();
    std::string text = GetText();
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += " ";
    c->SetFont(FFont.get());
    if (!IsEnabled()) {
        // The disabled look: highlight text offset under shadow text.
        TRect r = R;
        r.Offset(1, 1);
        c->GetFont()->SetColor(clBtnHighlight);
        c->DrawText(text, r, Flags);
        c->GetFont()->SetColor(clBtnShadow);
        c->DrawText(text, R, Flags);
        return;
    }
    c->DrawText(text, R, Flags);
}

void TCustomLabel::Paint()
{
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    if (FControlStyle & csOpaque) {
        c->GetBrush()->SetColor(FColor);
        c->GetBrush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->GetBrush()->SetStyle(bsClear);
    UINT flags = DrawTextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        int h = calc.Height();
        if (FLayout == tlBottom) r.top = r.bottom - h;
        else r.top = (r.top + r.bottom - h) / 2;
        r.bottom = r.top + h;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading()) return;
    TRect r = GetClientRect();
    r.bottom = r.top;
    if (!FWordWrap) r.right = r.left;
    // Measuring needs a DC: the parent's, or the screen's when there is none yet.
    HDC dc = GetDC(nullptr);
    {
        TCanvas measure;
        measure.SetHandle(dc);
        measure.SetFont(FFont.get());
        std::string text = GetText();
        if (text.empty()) text = " ";
        measure.DrawText(text, r, DrawTextFlags() | DT_CALCRECT);
        measure.SetHandle(nullptr);
    }
    ReleaseDC(nullptr, dc);
    int x = FLeft;
    if (FAlignment == taRightJustify) x += FWidth - r.Width();
    else if (FAlignment == taCenter) x += (FWidth - r.Width()) / 2;
    SetBounds(x, FTop, r.Width(), r.Height());
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Value) FControlStyle &= ~csOpaque;
    else FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (Value == FShowAccelChar) return;
    FShowAccelChar = Value;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl) RemoveFreeNotification(FFocusControl);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR) CMDialogChar(Message);
    else TGraphicControl::Dispatch(Message);
}

void TCustomLabel::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<WORD>(Message.WParam), GetText()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}
