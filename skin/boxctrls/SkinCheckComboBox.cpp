#include "SkinCheckComboBox.h"
#include <algorithm>

TspSkinCustomCheckComboBox::TspSkinCustomCheckComboBox(TComponent* AOwner)
    : TspSkinComboFrame(AOwner, csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable)
{
    FListBox = new TspPopupCheckListBox(this);
    FListBox->SetParent(this);
    FListBox->OnToggleItem = [this](int Index) { SetChecked(Index, !GetChecked(Index)); };
    FListBox->OnHotItem = [this](int Index) { MoveListIndex(Index); };
    CalcRects();
}

TspSkinCustomCheckComboBox::~TspSkinCustomCheckComboBox()
{
    TspPopupCheckListBox* list = FListBox;
    FListBox = nullptr;
    delete list;
}

void TspSkinCustomCheckComboBox::SetItems(TStrings* Value)
{
    FListBox->SetItems(Value);
    CheckText();
}

bool TspSkinCustomCheckComboBox::GetChecked(int Index) { return FListBox->GetChecked(Index); }

void TspSkinCustomCheckComboBox::SetChecked(int Index, bool Checked)
{
    FListBox->SetChecked(Index, Checked);
    CheckText();
    Repaint();
}

void TspSkinCustomCheckComboBox::CheckText()
{
    std::string s;
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        if (!FListBox->GetChecked(i)) continue;
        if (!s.empty()) s += ",";
        s += items->Get(i);
    }
    if (s != GetText()) SetText(s);
}

void TspSkinCustomCheckComboBox::SetSorted(bool Value)
{
    FListBox->SetSorted(Value);
    CheckText();
}

void TspSkinCustomCheckComboBox::SetListBoxCaptionMode(bool Value)
{
    FListBox->SetCaptionMode(Value);
    ChangeSkinData();
}

void TspSkinCustomCheckComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinComboFrame::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FListBox) FListBox = nullptr;
}

void TspSkinCustomCheckComboBox::Change()
{
    if (OnChange) OnChange(this);
}

// ---- skin ----

void TspSkinCustomCheckComboBox::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    CalcRects();
    Repaint();
    if (!FListBox) return;
    std::string name;
    if (Skinned()) name = FListBox->GetCaptionMode() ? "captionchecklistbox" : "checklistbox";
    FListBox->SetSkinDataName(name);
    FListBox->SetSkinData(FSD);
    FListBox->UpDateScrollBar();
}

void TspSkinCustomCheckComboBox::SetSkinData(TspSkinData* Value)
{
    const bool unbind = !Value && FSD;
    TspSkinCustomControl::SetSkinData(Value);
    if (unbind && !IsDestroying()) ChangeSkinData();
}

// ---- drop-down ----

void TspSkinCustomCheckComboBox::DropDown()
{
    const int count = GetItems()->GetCount();
    if (count == 0 || ListShown()) return;
    if (OnDropDown) OnDropDown(this);
    FListBox->SetWidth(GetWidth());
    FListBox->SetRowCount(std::min(count, FDropDownCount));
    const TPoint p = DropListPoint(FListBox->GetHeight());
    ReadyDropList(count);
    FListBox->Show(p);
}

void TspSkinCustomCheckComboBox::CloseUp(bool AcceptChanges)
{
    if (!ListShown()) return;
    FListBox->Hide();
    if (!AcceptChanges) return;
    Repaint();
    if (OnCloseUp) OnCloseUp(this);
    if (OnClick) OnClick(this);
}

void TspSkinCustomCheckComboBox::MoveListIndex(int Index)
{
    const int count = GetItems()->GetCount();
    if (Index < 0 || Index >= count || Index == FListBox->GetItemIndex()) return;
    FListBox->SetItemIndex(Index);
}

void TspSkinCustomCheckComboBox::ToggleCurrent()
{
    const int i = FListBox->GetItemIndex();
    if (i < 0 || i >= GetItems()->GetCount()) return;
    SetChecked(i, !GetChecked(i));
}

// ---- messages ----

void TspSkinCustomCheckComboBox::WMMouseWheel(TMessage& Message)
{
    Message.Result = 0;
    if (!FListBox) return;
    const int delta = static_cast<int>(static_cast<LONG>(Message.WParam));
    const int i = FListBox->GetItemIndex();
    MoveListIndex(delta > 0 ? i - 1 : i + 1);
}

void TspSkinCustomCheckComboBox::CMEnabledChanged(TMessage& Message)
{
    TspSkinComboFrame::CMEnabledChanged(Message);
    Change();
}

void TspSkinCustomCheckComboBox::OtherKey(WORD Key)
{
    if (Key == VK_SPACE) ToggleCurrent();
}
