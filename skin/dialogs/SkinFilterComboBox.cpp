#include "SkinFilterComboBox.h"
#include "SkinFileListBox.h"
#include <windows.h>

const char* const TspSkinFilterComboBox::DefaultFilter = "All files (*.*)|*.*";

TspSkinFilterComboBox::TspSkinFilterComboBox(TComponent* AOwner) : TspSkinComboBox(AOwner) { BuildList(); }

TspSkinFilterComboBox::~TspSkinFilterComboBox() { SetFileList(nullptr); }

void TspSkinFilterComboBox::SetFilter(const std::string& Value)
{
    if (lstrcmpiA(Value.c_str(), FFilter.c_str()) == 0) return;
    FFilter = Value;
    BuildList();
    Change();
}

std::string TspSkinFilterComboBox::GetMask()
{
    if (GetItemIndex() < 0 && !FMasks.empty()) SetItemIndex(static_cast<int>(FMasks.size()) - 1);
    int i = GetItemIndex();
    if (i < 0 || i >= static_cast<int>(FMasks.size())) return "*.*";
    return FMasks[i];
}

void TspSkinFilterComboBox::SetFileList(TspSkinFileListBox* Value)
{
    if (Value == FFileList) return;
    if (FFileList && FFileList->FFilterCombo == this) FFileList->FFilterCombo = nullptr;
    FFileList.Set(Value);
    if (FFileList) FFileList->FFilterCombo = this;
}

void TspSkinFilterComboBox::BuildList()
{
    std::vector<Spfilectrl::TFileFilterEntry> entries = Spfilectrl::ParseFileFilter(FFilter);
    FMasks.clear();
    TStrings* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const auto& e : entries) {
        items->Add(e.Description);
        FMasks.push_back(e.Mask);
    }
    items->EndUpdate();
    SetItemIndex(FMasks.empty() ? -1 : 0);
}

void TspSkinFilterComboBox::Change()
{
    if (FFileList) FFileList->SetMask(GetMask());
    TspSkinComboBox::Change();
}

void TspSkinFilterComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinComboBox::Notification(AComponent, Operation);
    FFileList.Removed(AComponent, Operation);
}
