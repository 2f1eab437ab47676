#include "ActnList.h"
#include "ImgList.h"
#include "Menus.h"
#include <algorithm>

// ---- TContainedAction ----
TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction()
{
    if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value)
{
    if (Value == FActionList) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (Value) Value->AddAction(this);
}

int TContainedAction::GetIndex() const
{
    if (!FActionList) return -1;
    auto& v = FActionList->FActions;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

bool TContainedAction::Execute()
{
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
    if (FActionList && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

// ---- TCustomAction ----
// Each setter pushes the new value to the clients before keeping it: a link
// compares its client with the old value to see whether the client follows.
void TCustomAction::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetCaption(Value);
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetChecked(Value);
    FChecked = Value;
    // One checked action per group of the list.
    if (Value && FGroupIndex > 0 && GetActionList()) {
        for (int i = 0; i < GetActionList()->GetActionCount(); ++i) {
            auto* a = dynamic_cast<TCustomAction*>(GetActionList()->GetAction(i));
            if (a && a != this && a->FGroupIndex == FGroupIndex) a->SetChecked(false);
        }
    }
    Change();
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetEnabled(Value);
    FEnabled = Value;
    Change();
}

void TCustomAction::SetHint(const std::string& Value)
{
    if (Value == FHint) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetHint(Value);
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetImageIndex(Value);
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetShortCut(Value);
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links) l->SetVisible(Value);
    FVisible = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FChecked && Value > 0) {
        FChecked = false;
        SetChecked(true);
    }
}

bool TCustomAction::Execute()
{
    Update();
    if (!FEnabled) return false;
    if (AutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

// ---- TCustomActionList ----
TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList()
{
    Destroying();
    // The list frees its actions, as the library does.
    while (!FActions.empty()) FActions.back()->Free();
    if (FImages) FImages->UnRegisterChanges(this);
}

void TCustomActionList::AddAction(TContainedAction* Action)
{
    FActions.push_back(Action);
    Action->FActionList = this;
    Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action)
{
    auto it = std::find(FActions.begin(), FActions.end(), Action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    Action->FActionList = nullptr;
    RemoveFreeNotification(Action);
}

void TCustomActionList::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->UnRegisterChanges(this);
    FImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) {
            if (OnChange) OnChange(this);
        });
    }
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (auto* a = dynamic_cast<TContainedAction*>(AComponent)) RemoveAction(a);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action)
{
    bool handled = false;
    if (OnExecute) OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action)
{
    bool handled = false;
    if (OnUpdate) OnUpdate(Action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TMessage& Message)
{
    TShortCut key = ShortCutFromMessage(Message);
    if (!(key & 0xFF)) return false;
    std::vector<TContainedAction*> list = FActions;
    for (TContainedAction* c : list) {
        auto* a = dynamic_cast<TCustomAction*>(c);
        if (!a || a->GetShortCut() != key) continue;
        a->Update();
        if (!a->GetEnabled()) return false;
        a->Execute();
        return true;
    }
    return false;
}
