// A group box with a check box in its caption: the controls inside it are
// enabled only while the box is ticked. It stands in for the skinned group
// box in its checked mode with AutoEnabledControls until the skinned controls
// exist.
#pragma once
#include "StdCtrls.h"

class CCheckGroupBox : public TGroupBox {
public:
    explicit CCheckGroupBox(TComponent* AOwner);
    bool GetChecked() const { return FCheck->GetChecked(); }
    // Ticks or clears the box; the controls inside follow, and OnCheckClick runs.
    void SetChecked(bool Value) { FCheck->SetChecked(Value); }
    // The caption is the check box's.
    std::string GetCheckCaption() { return FCheck->GetCaption(); }
    void SetCheckCaption(const std::string& Value) { FCheck->SetCaption(Value); }
    TCheckBox* GetCheckBox() const { return FCheck; }
    // The box was ticked or cleared (by the user or from code).
    TNotifyEvent OnCheckClick;
    void Dispatch(TMessage& Message) override;
protected:
    void Resize() override;
private:
    void CheckClicked();
    void UpdateControls();
    TCheckBox* FCheck;
};
