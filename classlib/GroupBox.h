// Group boxes: a captioned frame that holds controls, and the radio group,
// which makes one radio button per item of its Items.
#pragma once
#include "Button.h"
#include "CustomControl.h"
#include <vector>

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    // Below the caption, inside the frame.
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    virtual void CMTextChangedBox(TMessage& Message);
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int GetItemIndex() const { return FItemIndex; }
    // Checks that item's button (which raises OnClick, as a click does); -1 checks none.
    void SetItemIndex(int Value);
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
    TRadioButton* GetButton(int Index) const { return FButtons.at(Index); }
protected:
    void Resize() override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
private:
    friend class TGroupButton;
    void ItemsChanged();
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* Button);
    std::unique_ptr<TStringList> FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
