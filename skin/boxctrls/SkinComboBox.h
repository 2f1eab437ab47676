// The skinned combo box: a text area and a drop-down button drawn from the skin
// element "combobox", and a drop-down list that opens below the control (above
// it where the work area ends) without ever taking the focus. In the fixed style
// the control shows the selected item and searches the items as keys are typed;
// in the edit style an inner edit covers the text area and the list follows and
// completes what is typed.
#pragma once
#include "ListBox.h"
#include "SkinControl.h"
#include "SkinPopupList.h"
#include <functional>
#include <memory>
#include <string>

class TCustomImageList;
class TStringList;
class TStrings;
class TspCustomEdit;

enum TspSkinCustomComboBoxStyle { spcbEditStyle, spcbFixedStyle };

// The text area of the control and the owner-draw state handed to OnComboBoxDrawItem.
struct TspCBItem {
    TRect R;
    TOwnerDrawState State = 0;
};

// The drop-down button: its rectangle, pointer-inside and down flags.
struct TspCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

class TspSkinCustomComboBox : public TspSkinCustomControl, public TspPopupListHost {
public:
    explicit TspSkinCustomComboBox(TComponent* AOwner);
    ~TspSkinCustomComboBox() override;

    TspSkinCustomComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TspSkinCustomComboBoxStyle Value);
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetItemIndex() const;
    void SetItemIndex(int Index);
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void SetListBoxDrawItem(TspDrawSkinItemEvent Value);
    bool GetHorizontalExtent() const { return FListBox->GetHorizontalExtent(); }
    void SetHorizontalExtent(bool Value) { FListBox->SetHorizontalExtent(Value); }

    // The drop-down list's own settings, as the list box has them.
    std::string GetListBoxCaption() const { return FListBox->GetCaption(); }
    void SetListBoxCaption(const std::string& Value) { FListBox->SetCaption(Value); }
    bool GetListBoxCaptionMode() const { return FListBox->GetCaptionMode(); }
    void SetListBoxCaptionMode(bool Value) { FListBox->SetCaptionMode(Value); }
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
    bool AutoComplete = true;

    void DropDown();
    void CloseUp(bool AcceptChanges);
    bool IsPopupVisible() const;
    bool CanCancelDropDown() const;
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    void FindLBItem(const std::string& S);
    void FindLBItemFromEdit();

    // What the drop-down shows: its window, screen bounds, index and top row.
    HWND GetPopupHandle() const;
    TRect GetPopupBounds() const;
    int GetListItemIndex() const;
    int GetListTopIndex() const;
    TspPopupListBox* GetListBox() const { return FListBox; }
    bool GetListBoxAlphaBlend() const override { return ListBoxAlphaBlend; }
    bool GetListBoxAlphaBlendAnimation() const override { return ListBoxAlphaBlendAnimation; }
    int GetListBoxAlphaBlendValue() const override { return ListBoxAlphaBlendValue; }
    bool ListBoxAlphaBlend = false;
    bool ListBoxAlphaBlendAnimation = false;
    BYTE ListBoxAlphaBlendValue = 200;
    TspCustomEdit* GetEdit() const { return FEdit; }
    const TspCBItem& GetItemArea() const { return FItem; }
    const TspCBButtonX& GetButton() const { return FButton; }
    // The rectangles of the text area, the button and the editor, for the current size and skin.
    void CalcRects();

    void Invalidate() override;
    void GetSkinData() override;
    void ChangeSkinData() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TspDrawSkinItemEvent OnListBoxDrawItem;
    TspDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    // Called after every accepted selection change and every text change from the editor.
    virtual void Change() {}
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
    void KeyPress(char& Key) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    void WMMouseWheel(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);

    void DrawDefaultButton(TCanvas* C);
    void DrawSkinButton(TCanvas* C);
    void DrawDefaultItem(TCanvas* C);
    void DrawSkinItem(TCanvas* C);
    // The item text (and image, or the owner's drawing) on an item bitmap.
    void DrawItemContent(TBitmap* B, TRect TextRect, TOwnerDrawState State);
    // Selects an item and shows its text; OnChange only when the user picked it.
    void SelectItem(int Index, bool ByUser);
    int ShownIndex() const;
    int FindPrefix(const std::string& S, int After) const;

    void CreateEditor();
    void FreeEditor();
    void ApplyEditorFont();
    void EditWindowProc(TMessage& Message);
    void EditChange(TObject* Sender);
    void SetEditText(const std::string& S);
    void EditPrevItem(bool WithText);
    void EditNextItem(bool WithText);
    void ListMouseMove(int X, int Y);
    void ListMouseDown();
    void ListMouseUp();

    bool ListShown() const;
    // The combo itself, its list, the list's inner list or one of its bars.
    bool IsListPart(const TControl* C) const;

    TspPopupListBox* FListBox = nullptr;   // owned through the component tree, freed first
    TspCustomEdit* FEdit = nullptr;   // owned through the component tree, freed with the style
    TWndMethod FEditOldProc;
    TspSkinCustomComboBoxStyle FStyle = spcbFixedStyle;
    TspCBItem FItem;
    TspCBButtonX FButton;
    int FDropDownCount = 8;
    int FOldItemIndex = -1;
    bool FPointerInside = false;
    bool FLBDown = false;
    bool FEditChange = false;
    bool FQuietText = false;
    bool FHideSelection = true;
    std::string FSearchString;
    DWORD FLastSearchTime = 0;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;

    // Copies of the skin element.
    TRect FItemRect, FFocusItemRect, FItemTextRect;
    int FItemLeftOffset = 0, FItemRightOffset = 0;
    std::string FFontName = "Arial";
    TFontStyles FFontStyle = 0;
    int FFontHeight = 14;
    TColor FFontColor = 0, FFocusFontColor = 0;
    TRect FButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;
    std::string FListBoxName;
};

class TspSkinComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner) {}
};
