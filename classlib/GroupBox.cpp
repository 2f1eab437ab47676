#include "GroupBox.h"
#include <algorithm>

// ---- TCustomGroupBox ----
TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TGroupBox";
}

int TCustomGroupBox::CaptionHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FFont->GetHandle());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.top += CaptionHeight();
    Rect.Inflate(-2, -2);
}

void TCustomGroupBox::Paint()
{
    TCanvas* c = GetCanvas();
    c->SetFont(FFont.get());
    int h = c->TextHeight("0");
    TRect r(0, h / 2 - 1, FWidth, FHeight);
    // An etched frame: highlight one pixel right and below the shadow.
    ++r.left;
    ++r.top;
    c->GetBrush()->SetColor(clBtnHighlight);
    c->FrameRect(r);
    r.Offset(-1, -1);
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(r);
    std::string text = GetText();
    if (text.empty()) return;
    TRect t(8, 0, 0, h);
    c->DrawText(text, t, DT_SINGLELINE | DT_CALCRECT);
    c->GetBrush()->SetColor(FColor);
    if (!IsEnabled()) c->GetFont()->SetColor(clGrayText);
    c->DrawText(text, t, DT_SINGLELINE);
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED) CMTextChangedBox(Message);
    else TCustomControl::Dispatch(Message);
}

void TCustomGroupBox::CMTextChangedBox(TMessage&)
{
    Invalidate();
    Realign();
}

void TCustomGroupBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus()) {
        SelectFirst();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

// ---- TCustomRadioGroup ----
// The buttons of a radio group tell the group when the user checks them.
class TGroupButton : public TRadioButton {
public:
    TGroupButton(TCustomRadioGroup* Group) : TRadioButton(nullptr), FGroup(Group) {}
    void Click() override
    {
        if (GetChecked()) FGroup->ButtonClicked(this);
    }
private:
    TCustomRadioGroup* FGroup;
};

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(new TStringList)
{
    FControlStyle = csSetCaption | csDoubleClicks;
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    FItems->OnChange = nullptr;
    // The buttons are children: the window control frees them with the group.
}

void TCustomRadioGroup::ItemsChanged()
{
    if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons()
{
    FUpdating = true;
    while (static_cast<int>(FButtons.size()) < FItems->GetCount()) {
        auto* b = new TGroupButton(this);
        b->SetParent(this);
        FButtons.push_back(b);
    }
    while (static_cast<int>(FButtons.size()) > FItems->GetCount()) {
        TRadioButton* b = FButtons.back();
        FButtons.pop_back();
        delete b;
    }
    for (size_t i = 0; i < FButtons.size(); ++i) {
        TRadioButton* b = FButtons[i];
        b->SetCaption(FItems->Get(static_cast<int>(i)));
        b->SetEnabled(FEnabled);
        b->FClicksDisabled = true;
        b->SetChecked(static_cast<int>(i) == FItemIndex);
        b->FClicksDisabled = false;
    }
    FUpdating = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty()) return;
    TRect r = GetClientRect();
    AdjustClientRect(r);
    int cols = FColumns < 1 ? 1 : FColumns;
    int rows = (static_cast<int>(FButtons.size()) + cols - 1) / cols;
    int colWidth = (r.Width() - 8) / cols;
    int rowHeight = rows ? (r.Height() - 2) / rows : 0;
    int h = FFont->GetHeight() < 0 ? -FFont->GetHeight() + 6 : 17;
    for (size_t i = 0; i < FButtons.size(); ++i) {
        int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
        int top = r.top + row * rowHeight + (rowHeight - h) / 2;
        FButtons[i]->SetBounds(r.left + 8 + col * colWidth, top, colWidth - 8, h);
    }
}

void TCustomRadioGroup::SetItemIndex(int Value)
{
    if (Value < -1) Value = -1;
    if (Value >= static_cast<int>(FButtons.size())) Value = static_cast<int>(FButtons.size()) - 1;
    if (Value == FItemIndex) return;
    if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size())) FButtons[FItemIndex]->SetChecked(false);
    FItemIndex = Value;
    if (Value >= 0) FButtons[Value]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* Button)
{
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Button);
    if (it == FButtons.end()) return;
    FItemIndex = static_cast<int>(it - FButtons.begin());
    Click();
}

void TCustomRadioGroup::SetColumns(int Value)
{
    if (Value < 1) Value = 1;
    if (Value > 16) Value = 16;
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeButtons();
}

void TCustomRadioGroup::Resize()
{
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message)
{
    TCustomGroupBox::CMFontChanged(Message);
    ArrangeButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message)
{
    TCustomGroupBox::CMEnabledChanged(Message);
    for (TRadioButton* b : FButtons) b->SetEnabled(FEnabled);
}
