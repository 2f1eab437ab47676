// TspPopupCheckListBox: the check list that the check combo box drops down.
#pragma once
#include "SkinCheckListBox.h"
#include <functional>

// The check combo box's drop-down: a hidden tool window that never takes the
// activation; a release of the left button on a row asks the owner to toggle it.
class TspPopupCheckListBox : public TspSkinCheckListBox {
public:
    explicit TspPopupCheckListBox(TComponent* AOwner);
    void Show(const TPoint& Pt);
    void Hide();
    // Raised with the row under a left-button release; the list stays open.
    std::function<void(int Index)> OnToggleItem;
    // Raised with the row under the pointer as it moves over the list.
    std::function<void(int Index)> OnHotItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void ListBoxWProc(TMessage& Message, bool& CallDefault) override;
};
