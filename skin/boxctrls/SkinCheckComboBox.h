// The skinned check combo box: a combo whose drop-down is a check list. Any
// number of items may be ticked; the control's text is the ticked items joined by
// commas and follows every tick at once. The button, the text area, the skin
// element ("combobox") and the drop-down's placement are the combo box's.
#pragma once
#include "SkinPopupCheckList.h"
#include "SkinComboBox.h"
#include <string>

class TspSkinCustomCheckComboBox : public TspSkinCustomControl {
public:
    explicit TspSkinCustomCheckComboBox(TComponent* AOwner);
    ~TspSkinCustomCheckComboBox() override;

    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    bool GetChecked(int Index);
    // Ticks or clears an item in the list, then the text follows and the control repaints.
    void SetChecked(int Index, bool Checked);
    // Text := the checked items in item order joined by "," (no blank).
    void CheckText();
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void SetListBoxDrawItem(TspDrawSkinItemEvent Value);

    std::string GetListBoxCaption() const { return FListBox->GetCaption(); }
    void SetListBoxCaption(const std::string& Value) { FListBox->SetCaption(Value); }
    bool GetListBoxCaptionMode() const { return FListBox->GetCaptionMode(); }
    void SetListBoxCaptionMode(bool Value);
    TAlignment GetListBoxCaptionAlignment() const { return FListBox->GetAlignment(); }
    void SetListBoxCaptionAlignment(TAlignment Value) { FListBox->SetAlignment(Value); }
    TFont* GetListBoxDefaultFont() const { return FListBox->GetDefaultFont(); }
    void SetListBoxDefaultFont(TFont* Value) { FListBox->SetDefaultFont(Value); }
    TFont* GetListBoxDefaultCaptionFont() const { return FListBox->GetDefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(TFont* Value) { FListBox->SetDefaultCaptionFont(Value); }
    int GetListBoxDefaultItemHeight() const { return FListBox->GetDefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int Value) { FListBox->SetDefaultItemHeight(Value); }
    bool GetListBoxUseSkinItemHeight() const { return FListBox->GetUseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool Value) { FListBox->SetUseSkinItemHeight(Value); }
    bool GetListBoxUseSkinFont() const { return FListBox->UseSkinFont; }
    void SetListBoxUseSkinFont(bool Value) { FListBox->UseSkinFont = Value; }

    // Stored only: the drop-down shows opaque.
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 0;

    virtual void DropDown();
    void CloseUp(bool AcceptChanges);
    bool IsPopupVisible() const;
    bool CanCancelDropDown() const;
    TspPopupCheckListBox* GetListBox() const { return FListBox; }
    int GetListItemIndex() const { return FListBox->GetItemIndex(); }
    const TspCBItem& GetItemArea() const { return FItem; }
    const TspCBButtonX& GetButton() const { return FButton; }
    void CalcRects();

    void Invalidate() override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    // Unbinding the skin data component brings the plain look back at once, the drop-down's too.
    void SetSkinData(TspSkinData* Value) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TspDrawSkinItemEvent OnListBoxDrawItem;

protected:
    virtual void Change();
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    void WMMouseWheel(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void DrawDefaultButton(TCanvas* C);
    void DrawSkinButton(TCanvas* C);
    void DrawDefaultItem(TCanvas* C);
    void DrawSkinItem(TCanvas* C);
    void MoveListIndex(int Index);
    void ToggleCurrent();
    bool ListShown() const;
    bool IsListPart(const TControl* C) const;

    TspPopupCheckListBox* FListBox = nullptr;   // owned through the component tree, freed first
    TspCBItem FItem;
    TspCBButtonX FButton;
    int FDropDownCount = 8;
    bool FPointerInside = false;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;

    TRect FItemRect, FFocusItemRect, FItemTextRect;
    int FItemLeftOffset = 0, FItemRightOffset = 0;
    std::string FFontName = "Arial";
    TFontStyles FFontStyle = 0;
    int FFontHeight = 14;
    TColor FFontColor = 0, FFocusFontColor = 0;
    TRect FButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;
};

class TspSkinCheckComboBox : public TspSkinCustomCheckComboBox {
public:
    explicit TspSkinCheckComboBox(TComponent* AOwner) : TspSkinCustomCheckComboBox(AOwner) {}
};
