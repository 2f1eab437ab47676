// The skinned check combo box: a combo whose drop-down is a check list. Any
// number of items may be ticked; the control's text is the ticked items joined by
// commas and follows every tick at once. The button, the text area, the skin
// element ("combobox") and the drop-down's placement are the combo box's.
#pragma once
#include "SkinComboFrame.h"
#include "SkinPopupCheckList.h"
#include <string>

class TspSkinCustomCheckComboBox : public TspSkinComboFrame {
public:
    explicit TspSkinCustomCheckComboBox(TComponent* AOwner);
    ~TspSkinCustomCheckComboBox() override;

    void SetItems(TStrings* Value);
    bool GetChecked(int Index);
    // Ticks or clears an item in the list, then the text follows and the control repaints.
    void SetChecked(int Index, bool Checked);
    // Text := the checked items in item order joined by "," (no blank).
    void CheckText();
    void SetSorted(bool Value);

    void SetListBoxCaptionMode(bool Value);
    bool GetListBoxUseSkinFont() const { return FListBox->UseSkinFont; }
    void SetListBoxUseSkinFont(bool Value) { FListBox->UseSkinFont = Value; }

    // Stored only: the drop-down shows opaque.
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 0;

    void DropDown() override;
    void CloseUp(bool AcceptChanges) override;
    TspPopupCheckListBox* GetListBox() const { return FListBox; }

    void ChangeSkinData() override;
    // Unbinding the skin data component brings the plain look back at once, the drop-down's too.
    void SetSkinData(TspSkinData* Value) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;

protected:
    virtual void Change();
    TspSkinCustomListBox* DropList() const override { return FListBox; }
    void KeyStep(int Index) override { MoveListIndex(Index); }
    // Space ticks or clears the current item.
    void OtherKey(WORD Key) override;
    void WMMouseWheel(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    void MoveListIndex(int Index);
    void ToggleCurrent();

    TspPopupCheckListBox* FListBox = nullptr;   // owned through the component tree, freed first
};

class TspSkinCheckComboBox : public TspSkinCustomCheckComboBox {
public:
    explicit TspSkinCheckComboBox(TComponent* AOwner) : TspSkinCustomCheckComboBox(AOwner) {}
};
