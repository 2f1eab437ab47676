#include "Panel.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable;
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(FColor);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.Style |= WS_BORDER;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TPanel";
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    int bevel = 0;
    if (FBevelOuter != bvNone) bevel += FBevelWidth;
    if (FBevelInner != bvNone) bevel += FBevelWidth;
    Rect.Inflate(-bevel, -bevel);
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED) CMTextChangedPanel(Message);
    else TCustomControl::Dispatch(Message);
}

void TCustomPanel::CMTextChangedPanel(TMessage&) { Invalidate(); }

void TCustomPanel::Paint()
{
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    auto colors = [](TPanelBevel b, TColor& top, TColor& bottom) {
        top = b == bvLowered ? clBtnShadow : clBtnHighlight;
        bottom = b == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        colors(FBevelOuter, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    Frame3D(c, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        colors(FBevelInner, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    c->GetBrush()->SetColor(FColor);
    c->FillRect(r);
    std::string text = GetText();
    if (text.empty()) return;
    c->GetBrush()->SetStyle(bsClear);
    c->SetFont(FFont.get());
    int h = c->TextHeight("W");
    r.top = (r.bottom + r.top - h) / 2;
    r.bottom = r.top + h;
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    c->DrawText(text, r, DT_EXPANDTABS | DT_VCENTER | align[FAlignment]);
}
