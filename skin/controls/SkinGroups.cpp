#include "SkinGroups.h"
#include <algorithm>

TspSkinCustomRadioGroup::TspSkinCustomRadioGroup(TComponent* AOwner)
    : TspSkinGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    FItems->OnChange = [this](TObject*) { ItemsChange(); };
}

TspSkinCustomRadioGroup::~TspSkinCustomRadioGroup()
{
    FItems->OnChange = nullptr;
    SetButtonCount(0);
}

void TspSkinCustomRadioGroup::SetButtonCount(int N)
{
    while (static_cast<int>(FButtons.size()) < N) {
        auto* b = new TspSkinCheckRadioBox(this);
        b->SetFlat(true);
        b->SetDefaultWidth(0);
        b->SetDefaultHeight(0);
        b->SetVisible(false);
        b->SetEnabled(GetEnabled());
        b->SetRadio(RadioButtons());
        b->SetCanFocused(RadioButtons());
        b->GroupIndex = RadioButtons() ? 1 : 0;
        b->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        b->SetParent(this);
        FButtons.push_back(b);
    }
    while (static_cast<int>(FButtons.size()) > N) {
        TspSkinCheckRadioBox* last = FButtons.back();
        FButtons.pop_back();
        delete last;
    }
    for (TspSkinCheckRadioBox* b : FButtons) {
        b->SetSkinDataName(FButtonSkinDataName);
        b->SetSkinData(GetSkinDataComponent());
        b->UseSkinFont = UseSkinFont;
    }
}

void TspSkinCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || IsLoading()) return;
    TRect r(0, 0, GetWidth(), GetHeight());
    AdjustClientRect(r);
    const int count = static_cast<int>(FButtons.size());
    const int perColumn = (count + FColumns - 1) / FColumns;   // at least 1: count and FColumns are
    const int bw = r.Width() / FColumns - 2, bh = r.Height() / perColumn;
    for (int i = 0; i < count; ++i) {
        TspSkinCheckRadioBox* b = FButtons[i];
        b->SetBounds((i / perColumn) * bw + r.left + 1, (i % perColumn) * bh + r.top, std::max(bw, 0),
                     std::max(bh, 0));
        b->SetVisible(true);
    }
}

void TspSkinCustomRadioGroup::UpdateButtons()
{
    SetButtonCount(FItems->GetCount());
    for (int i = 0; i < ButtonCount(); ++i) FButtons[i]->SetCaption(FItems->Get(i));
    // An index from a form file may name no button: only a button that exists is touched.
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
        FUpdating = true;
        FButtons[FItemIndex]->SetChecked(true);
        FUpdating = false;
    }
    ArrangeButtons();
    Invalidate();
}

void TspSkinCustomRadioGroup::ItemsChange()
{
    if (IsLoading()) return;
    if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
    UpdateButtons();
}

void TspSkinCustomRadioGroup::SetItemIndex(int Value)
{
    if (IsLoading()) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == FItemIndex) return;
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[FItemIndex]->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0) FButtons[FItemIndex]->SetChecked(true);
}

void TspSkinCustomRadioGroup::ButtonClick(TObject* Sender)
{
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (it == FButtons.end()) return;
    FItemIndex = static_cast<int>(it - FButtons.begin());
    Changed();
    if (OnClick) OnClick(this);
}

void TspSkinCustomRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TspSkinCustomRadioGroup::SetButtonSkinDataName(const std::string& Value)
{
    FButtonSkinDataName = Value;
    for (TspSkinCheckRadioBox* b : FButtons) b->SetSkinDataName(Value);
}

void TspSkinCustomRadioGroup::SetSkinData(TspSkinData* Value)
{
    TspSkinGroupBox::SetSkinData(Value);
    for (TspSkinCheckRadioBox* b : FButtons) b->SetSkinData(Value);
}

void TspSkinCustomRadioGroup::ChangeSkinData()
{
    TspSkinGroupBox::ChangeSkinData();
    ArrangeButtons();
}

void TspSkinCustomRadioGroup::Loaded()
{
    TspSkinGroupBox::Loaded();
    UpdateButtons();
}

void TspSkinCustomRadioGroup::CMEnabledChanged(TMessage& Message)
{
    TspSkinGroupBox::CMEnabledChanged(Message);
    for (TspSkinCheckRadioBox* b : FButtons) b->SetEnabled(GetEnabled());
}

void TspSkinCustomRadioGroup::WMSize(TMessage& Message)
{
    TspSkinGroupBox::WMSize(Message);
    ArrangeButtons();
}

void TspSkinCustomRadioGroup::WndProc(TMessage& Message)
{
    // A button freed from outside leaves the list at once.
    if (Message.Msg == CM_CONTROLCHANGE && Message.LParam == 0) {
        auto* gone = reinterpret_cast<TControl*>(Message.WParam);
        FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), gone), FButtons.end());
    }
    TspSkinGroupBox::WndProc(Message);
}

// ---- check group ----

TspSkinCustomCheckGroup::TspSkinCustomCheckGroup(TComponent* AOwner) : TspSkinCustomRadioGroup(AOwner)
{
    FButtonSkinDataName = "checkbox";
}

bool TspSkinCustomCheckGroup::GetCheckedStatus(int I) const
{
    return I >= 0 && I < ButtonCount() && FButtons[I]->GetChecked();
}

void TspSkinCustomCheckGroup::SetCheckedStatus(int I, bool Value)
{
    if (I >= 0 && I < ButtonCount()) FButtons[I]->SetChecked(Value);
}

void TspSkinCustomCheckGroup::UpdateButtons()
{
    SetButtonCount(FItems->GetCount());
    for (int i = 0; i < ButtonCount(); ++i) FButtons[i]->SetCaption(FItems->Get(i));
    ArrangeButtons();
    Invalidate();
}

void TspSkinCustomCheckGroup::ItemsChange()
{
    if (!IsLoading()) UpdateButtons();
}
