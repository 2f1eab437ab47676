// Actions: commands with a caption, hint, image, shortcut, enabled, checked and
// visible state that buttons and menu items follow, kept in action lists.
#pragma once
#include "BasicAction.h"
#include "Messages.h"
#include <vector>

class TCustomActionList;
class TCustomImageList;

class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;
    TCustomActionList* GetActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    int GetIndex() const;
    std::string Category;
    // The list's OnExecute first (it may handle the action), then the action's own.
    bool Execute() override;
    bool Update() override;
private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    std::string GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AutoCheck = false;
    int HelpContext = 0;
    // Updates the action, then runs it when it is enabled (toggling AutoCheck).
    bool Execute() override;
private:
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    std::string FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    bool FVisible = true;
    int FGroupIndex = 0;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

typedef std::function<void(TBasicAction* Action, bool& Handled)> TActionEvent;

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;
    int GetActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* GetAction(int Index) const { return FActions.at(Index); }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Runs the enabled action whose shortcut the key message is.
    bool IsShortCut(TMessage& Message);
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnChange;
protected:
    friend class TContainedAction;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);
private:
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
public:
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};
