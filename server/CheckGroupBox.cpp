#include "CheckGroupBox.h"

namespace {
const int kCheckLeft = 8;
const int kCheckHeight = 17;
} // namespace

CCheckGroupBox::CCheckGroupBox(TComponent* AOwner) : TGroupBox(AOwner)
{
    FCheck = new TCheckBox(this);
    FCheck->SetParent(this);
    FCheck->SetBounds(kCheckLeft, 0, GetWidth() - 2 * kCheckLeft, kCheckHeight);
    // Designed ticked: everything inside starts enabled.
    FCheck->SetChecked(true);
    FCheck->OnClick = [this](TObject*) { CheckClicked(); };
}

void CCheckGroupBox::CheckClicked()
{
    UpdateControls();
    if (OnCheckClick) OnCheckClick(this);
}

void CCheckGroupBox::UpdateControls()
{
    bool on = FCheck->GetChecked();
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (c != FCheck) c->SetEnabled(on);
    }
}

void CCheckGroupBox::Resize()
{
    TGroupBox::Resize();
    if (FCheck) FCheck->SetBounds(kCheckLeft, 0, GetWidth() - 2 * kCheckLeft, kCheckHeight);
}

void CCheckGroupBox::Dispatch(TMessage& Message)
{
    TGroupBox::Dispatch(Message);
    // A control put into the box follows the check from the start.
    if (Message.Msg == CM_CONTROLCHANGE && Message.LParam != 0 && FCheck) {
        auto* c = reinterpret_cast<TControl*>(Message.WParam);
        if (c && c != FCheck) c->SetEnabled(FCheck->GetChecked());
    }
}
