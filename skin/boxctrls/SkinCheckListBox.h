// The skinned check list box: the skinned list box with a check box in front of
// every row. The check states live in the inner list beside its items, in a list
// of their own that follows every insert, delete, move, clear and sort of the
// items; an item's data word stays the program's alone.
#pragma once
#include "Button.h"
#include "SkinListBox.h"
#include <functional>
#include <string>
#include <vector>

class TspSkinCheckListBox;

class TspCheckListBox : public TspListBox {
    friend class TspSkinCheckListBox;

public:
    explicit TspCheckListBox(TComponent* AOwner);

    // Reading an index the list does not have raises "List index out of bounds (%d)".
    bool GetChecked(int Index);
    void SetChecked(int Index, bool Checked);
    TCheckBoxState GetState(int Index);
    void SetState(int Index, TCheckBoxState State);
    // Unchecked becomes checked and back; grayed stays grayed. Then OnInnerClickCheck.
    void ToggleClickCheck(int Index);
    void InvalidateCheck(int Index);
    // The owner-draw state of a row (selection and focus).
    TOwnerDrawState GetState1(int Index) { return TspListBox::GetState(Index); }
    // The check area of a row of ItemWidth x ItemHeight, in row coordinates.
    TRect CheckRect(int ItemWidth, int ItemHeight, bool Stretch);
    // The check image R of the skin picture centred in K on Cnvs, its corner colour see-through.
    void SkinDrawCheckImage(TCanvas* Cnvs, const TRect& K, const TRect& R);

    TNotifyEvent OnInnerClickCheck;

protected:
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawDefaultItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State) override;
    void DrawSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State) override;
    void DrawStretchSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State) override;

private:
    // One item as it was before the window went or came back.
    struct TKeptItem {
        std::string Text;
        LPARAM Data;
        TCheckBoxState State;
    };
    TspSkinCheckListBox* CheckOwner() const;
    void CheckIndex(int Index);
    // The states padded or cut to the item count (items added while no window existed).
    void FitStates();
    std::vector<TKeptItem> KeepItems();
    // Gives each current item the state of the first unused kept item with its text
    // and data: the states follow their items whatever order the items came back in.
    void RestoreStates(const std::vector<TKeptItem>& Kept);
    void ItemAdded(const std::string& Text, LRESULT At, bool Insert);
    void ItemDeleting(int Index);
    void DrawTextPart(TCanvas* C, int Index, int W, int H, TRect T, TOwnerDrawState State, bool Inset);

    std::vector<TCheckBoxState> FStates;
    // A deleted item's state, taken up by the insert right after it when that inserts the
    // same text again: that is how a move of the items reaches the list.
    bool FCarryValid = false;
    std::string FCarryText;
    TCheckBoxState FCarryState = cbUnchecked;
};

class TspSkinCheckListBox : public TspSkinCustomListBox {
    friend class TspCheckListBox;

public:
    explicit TspSkinCheckListBox(TComponent* AOwner);

    void GetSkinData() override;
    TspCheckListBox* GetCheckListBox() const { return static_cast<TspCheckListBox*>(FInnerListBox); }
    bool GetChecked(int Index) { return GetCheckListBox()->GetChecked(Index); }
    void SetChecked(int Index, bool Value) { GetCheckListBox()->SetChecked(Index, Value); }
    TCheckBoxState GetState(int Index) { return GetCheckListBox()->GetState(Index); }
    void SetState(int Index, TCheckBoxState Value) { GetCheckListBox()->SetState(Index, Value); }
    bool GetAutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    void ListBoxOnClickCheck(TObject* Sender);

    TNotifyEvent OnClickCheck;

protected:
    void ButtonUp(int I, int X, int Y) override;

    bool FAutoComplete = true;
    TRect SCheckImageRect, SUnCheckImageRect, SItemCheckRect;
};
