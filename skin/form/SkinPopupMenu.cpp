// The popup menu component: finds its frame and hands the items to its engine.
#include "SkinPopupMenu.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinMenuMode.h"

namespace {

TspFormFrame* FirstFrameOf(TComponent* Owner)
{
    if (!Owner) return nullptr;
    for (int i = 0; i < Owner->GetComponentCount(); ++i)
        if (auto* f = dynamic_cast<TspFormFrame*>(Owner->GetComponent(i))) return f;
    return nullptr;
}

}  // namespace

TspSkinPopupMenu::TspSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

TspSkinPopupMenu::~TspSkinPopupMenu()
{
    SetSkinData(nullptr);
    SetLookupForm(nullptr);
}

void TspSkinPopupMenu::SetSkinData(TspSkinData* Value)
{
    FSkinData.Set(Value);
}

void TspSkinPopupMenu::SetLookupForm(TComponent* Value)
{
    FLookupForm.Set(Value);
}

void TspSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FSkinData.Removed(AComponent, Operation);
    // A lookup form that goes away is forgotten too: searching a freed form's
    // components would read freed memory.
    FLookupForm.Removed(AComponent, Operation);
}

TspFormFrame* TspSkinPopupMenu::FindFrame() const
{
    if (FLookupForm) return FirstFrameOf(FLookupForm);
    TComponent* owner = GetOwner();
    if (dynamic_cast<TCustomForm*>(owner)) return FirstFrameOf(owner);
    TComponent* ownersOwner = owner ? owner->GetOwner() : nullptr;
    if (dynamic_cast<TCustomForm*>(ownersOwner)) return FirstFrameOf(ownersOwner);
    return nullptr;
}

void TspSkinPopupMenu::ShowMenu(TControl* Opener, const TRect& R, bool PopupUp, bool NeedSkin)
{
    DoPopup(this);
    TspFormFrame* frame = FindFrame();
    if (!frame) return;
    if (!FSkinData) SetSkinData(frame->GetMenusSkinData() ? frame->GetMenusSkinData() : frame->GetSkinData());
    if (NeedSkin && !FSkinData) return;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(frame);
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(Opener, FSkinData, 0, R, GetItems(), PopupUp);
    // Menu mode stays only while a level is really shown.
    mode->CheckOpened();
}

void TspSkinPopupMenu::Popup(int X, int Y)
{
    ShowMenu(nullptr, TRect(X, Y, X, Y), false, false);
}

void TspSkinPopupMenu::PopupFromRect(const TRect& R, bool PopupUp)
{
    ShowMenu(nullptr, R, PopupUp, false);
}

void TspSkinPopupMenu::PopupFromRect2(TControl* Opener, const TRect& R, bool PopupUp)
{
    ShowMenu(Opener, R, PopupUp, false);
}

void TspSkinPopupMenu::Popup2(TControl* Opener, int X, int Y)
{
    ShowMenu(Opener, TRect(X, Y, X, Y), false, true);
}
