// Radio and check groups: skinned group boxes showing one flat item box per line
// of Items, arranged in columns; the radio group keeps one selected item
// (ItemIndex), the check group a checked state per item (CheckedStatus).
#pragma once
#include "SkinCheckRadioBox.h"
#include "SkinPanel.h"
#include <vector>

class TspSkinCustomRadioGroup : public TspSkinGroupBox {
public:
    explicit TspSkinCustomRadioGroup(TComponent* AOwner);
    ~TspSkinCustomRadioGroup() override;

    void SetSkinData(TspSkinData* Value) override;
    void ChangeSkinData() override;
    void Loaded() override;

    TStringList* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    int GetItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(int Value);
    const std::string& GetButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const std::string& Value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TspSkinCheckRadioBox* Button(int I) const { return FButtons.at(I); }
    void ArrangeButtons();

    TNotifyEvent OnClick;

protected:
    // Radio groups select, check groups toggle.
    virtual bool RadioButtons() const { return true; }
    virtual void UpdateButtons();
    virtual void ItemsChange();
    void ButtonClick(TObject* Sender);
    void SetButtonCount(int N);
    void CMEnabledChanged(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    std::vector<TspSkinCheckRadioBox*> FButtons;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1, FColumns = 1;
    bool FUpdating = false;
    std::string FButtonSkinDataName = "radiobox";
};

class TspSkinCustomCheckGroup : public TspSkinCustomRadioGroup {
public:
    explicit TspSkinCustomCheckGroup(TComponent* AOwner);
    // The item whose state changed last; not set from outside.
    void SetItemIndex(int) override {}
    bool GetCheckedStatus(int I) const;
    void SetCheckedStatus(int I, bool Value);

protected:
    bool RadioButtons() const override { return false; }
    void UpdateButtons() override;
    void ItemsChange() override;
};

class TspSkinRadioGroup : public TspSkinCustomRadioGroup {
public:
    using TspSkinCustomRadioGroup::TspSkinCustomRadioGroup;
};

class TspSkinCheckGroup : public TspSkinCustomCheckGroup {
public:
    using TspSkinCustomCheckGroup::TspSkinCustomCheckGroup;
};
