// Actions at their simplest: a component that executes and updates, and the
// link through which a client (a control or a menu item) follows an action.
// TCustomAction, TAction and TActionList build on these (ActnList.h).
#pragma once
#include "Classes.h"
#include <vector>

class TBasicAction;
typedef WORD TShortCut;

class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient);
    ~TBasicActionLink() override;
    TBasicAction* GetAction() const { return FAction; }
    virtual void SetAction(TBasicAction* Value);
    // Runs the action on behalf of the client; false when no one handled it.
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();
    TNotifyEvent OnChange;

    // The action's properties pushed to the client (each link follows those the client shows).
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}

protected:
    friend class TBasicAction;
    virtual void Change();
    TObject* FClient;
    TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;
    // OnExecute; true when it ran (or a list or the application handled the action).
    virtual bool Execute();
    // OnUpdate; true when a handler ran.
    virtual bool Update();
    TComponent* ActionComponent = nullptr;
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    TNotifyEvent OnChange;
    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);
    int ClientCount() const { return static_cast<int>(FClients.size()); }
protected:
    virtual void Change();
    std::vector<TBasicActionLink*> FClients;
};
