// TComboBox on the system COMBOBOX class: drop-down, simple or drop-down list,
// with its items, item index and text.
#pragma once
#include "ItemStrings.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int GetItemIndex();
    // Selects an item (-1 or an index outside the items selects none); raises no event.
    void SetItemIndex(int Value);
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    int DropDownCount = 8;
    bool GetDroppedDown();
    void SetDroppedDown(bool Value);
    void Clear();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // OnChange: the text was edited, or the user picked an item (then OnSelect
    // when set, else OnChange, after OnClick).
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();
    virtual void Select();
    virtual void CNCommand(TMessage& Message);
private:
    int ListHeight() const;
    std::unique_ptr<TItemStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
    int FMaxLength = 0;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
