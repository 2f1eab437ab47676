#include "BasicAction.h"
#include "ScopeGuard.h"
#include <algorithm>

TBasicActionLink::TBasicActionLink(TObject* AClient) : FClient(AClient) {}

TBasicActionLink::~TBasicActionLink()
{
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
    if (!FAction) return false;
    FAction->ActionComponent = AComponent;
    // The action may be freed (and this link cleared) while it executes.
    TScopeExit forget([this] {
        if (FAction) FAction->ActionComponent = nullptr;
    });
    return FAction->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TBasicActionLink::Change()
{
    if (OnChange) OnChange(this);
}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    // Clients lose their action; their removal notification clears their link.
    std::vector<TBasicActionLink*> links = FClients;
    FClients.clear();
    for (TBasicActionLink* l : links) l->FAction = nullptr;
}

bool TBasicAction::Execute()
{
    if (OnExecute) {
        OnExecute(this);
        return true;
    }
    return false;
}

bool TBasicAction::Update()
{
    if (OnUpdate) {
        OnUpdate(this);
        return true;
    }
    return false;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link)
{
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change()
{
    // Clients already followed through their links' setters.
    if (OnChange) OnChange(this);
}
