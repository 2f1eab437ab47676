// TListBox on the system LISTBOX class: items, single or multiple selection,
// and owner-drawn items on the list's Canvas.
#pragma once
#include "ControlCanvas.h"
#include "ItemStrings.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag : unsigned {
    odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16, odDefault = 32, odHotLight = 64,
    odNoAccel = 256, odNoFocusRect = 512, odComboBoxEdit = 4096
};
typedef unsigned TOwnerDrawState;
TOwnerDrawState OwnerDrawState(UINT ItemState);
// The canvas of an owner-drawn item before its OnDrawItem: the control's font
// and colour, or the selection's colours.
void PrepareItemCanvas(TCanvas* Canvas, TFont* Font, TColor Color, TOwnerDrawState State);

class TCustomListBox;
typedef std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)> TDrawItemEvent;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int GetItemIndex();
    void SetItemIndex(int Value);
    bool GetSelected(int Index);
    void SetSelected(int Index, bool Value);
    int GetSelCount();
    int GetTopIndex();
    void SetTopIndex(int Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: Shift and Ctrl clicks extend the selection (true), or
    // every click toggles its item (false).
    bool GetExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    int GetItemHeight();
    void SetItemHeight(int Value);
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    int ItemAtPos(const TPoint& Pos, bool Existing);
    TRect ItemRect(int Index);
    void Clear() { FItems->Clear(); }

    TDrawItemEvent OnDrawItem;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void CNCommand(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
private:
    std::unique_ptr<TItemStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    int FColumns = 0;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
