// The skinned combo box: a text area and a drop-down button drawn from the skin
// element "combobox", and a drop-down list that opens below the control (above
// it where the work area ends) without ever taking the focus. In the fixed style
// the control shows the selected item and searches the items as keys are typed;
// in the edit style an inner edit covers the text area and the list follows and
// completes what is typed.
#pragma once
#include "ListBox.h"
#include "SkinComboFrame.h"
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

class TspSkinCustomComboBox : public TspSkinComboFrame, public TspPopupListHost {
public:
    explicit TspSkinCustomComboBox(TComponent* AOwner);
    ~TspSkinCustomComboBox() override;

    TspSkinCustomComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TspSkinCustomComboBoxStyle Value);
    void SetItems(TStrings* Value);
    int GetItemIndex() const;
    void SetItemIndex(int Index);
    void SetSorted(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool GetHorizontalExtent() const { return FListBox->GetHorizontalExtent(); }
    void SetHorizontalExtent(bool Value) { FListBox->SetHorizontalExtent(Value); }
    // The drop-down list's caption bar (its other settings are the frame's).
    void SetListBoxCaptionMode(bool Value) { FListBox->SetCaptionMode(Value); }
    bool AutoComplete = true;

    void DropDown() override;
    void CloseUp(bool AcceptChanges) override;
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    void FindLBItem(const std::string& S);
    void FindLBItemFromEdit();

    // What the drop-down shows: its window, screen bounds, index and top row.
    HWND GetPopupHandle() const;
    TRect GetPopupBounds() const;
    int GetListTopIndex() const;
    TspPopupListBox* GetListBox() const { return FListBox; }
    bool GetListBoxAlphaBlend() const override { return ListBoxAlphaBlend; }
    bool GetListBoxAlphaBlendAnimation() const override { return ListBoxAlphaBlendAnimation; }
    int GetListBoxAlphaBlendValue() const override { return ListBoxAlphaBlendValue; }
    bool ListBoxAlphaBlend = false;
    bool ListBoxAlphaBlendAnimation = false;
    BYTE ListBoxAlphaBlendValue = 200;
    TspCustomEdit* GetEdit() const { return FEdit; }
    // The rectangles of the text area, the button and the editor, for the current size and skin.
    void CalcRects() override;

    void Invalidate() override;
    void GetSkinData() override;
    void ChangeSkinData() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TspDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    // Called after every accepted selection change and every text change from the editor.
    virtual void Change() {}
    TspSkinCustomListBox* DropList() const override { return FListBox; }
    // In the edit style the editor covers the text area.
    bool OwnsItemArea() const override { return FStyle == spcbFixedStyle; }
    bool IsListPart(const TControl* C) const override;
    void KeyStep(int Index) override { SelectItem(Index, true); }
    void OtherKey(WORD Key) override;
    void WMMouseWheel(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    // The item text (and image, or the owner's drawing) on an item bitmap.
    void DrawItemContent(TBitmap* B, TRect TextRect, TOwnerDrawState State) override;
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

    TspPopupListBox* FListBox = nullptr;   // owned through the component tree, freed first
    TspCustomEdit* FEdit = nullptr;   // owned through the component tree, freed with the style
    TWndMethod FEditOldProc;
    TspSkinCustomComboBoxStyle FStyle = spcbFixedStyle;
    int FOldItemIndex = -1;
    bool FLBDown = false;
    bool FEditChange = false;
    bool FQuietText = false;
    bool FHideSelection = true;
    std::string FSearchString;
    DWORD FLastSearchTime = 0;
    std::string FListBoxName;   // the list element the combo's element names
};

class TspSkinComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner) {}
};
