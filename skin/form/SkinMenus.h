// The skinned popup menu engine: shows a menu item tree as a chain of borderless,
// non-activating popup levels on the owner form's monitor, follows the mouse by
// polling, takes the keys its frame routes to it, and runs the chosen command
// only once every level is gone.
#pragma once
#include "AliveToken.h"
#include "Classes.h"
#include "Control.h"
#include "GraphicsObjects.h"
#include "Menus.h"
#include "Timer.h"
#include "Types.h"
#include <memory>
#include <vector>

class TspSkinData;
class TspSkinPopupWindow;
class TspSkinMenuItem;
class TWinControl;

namespace Skinmenus {

// True for the messages that close an open menu when its owner form gets them.
bool CanMenuClose(UINT Msg);

// Where a level of size W x H opens for the anchor rectangle R inside the work
// area WA; ItemsTop is the level's items-area top (a submenu's first item lines
// up with its parent item).
TPoint CalcShowPosition(const TRect& R, const TRect& WA, int W, int H, int ItemsTop, bool IsSubMenu,
                        bool PopupUp, bool Scrollable);

}  // namespace Skinmenus

class TspSkinMenu : public TComponent {
public:
    TspSkinMenu(TComponent* AOwner, TWinControl* AOwnerForm);
    ~TspSkinMenu() override;

    void Popup(TControl* AOpener, TspSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* Item,
               bool PopupUp);
    void Popup2(TControl* AOpener, TspSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* Item1,
                TMenuItem* Item2, bool PopupUp);
    void PopupSub(const TRect& R, TMenuItem* Item, int StartIndex, bool IsSubMenu, bool PopupUp);
    void PopupSub2(const TRect& R, TMenuItem* Item1, TMenuItem* Item2, int StartIndex, bool IsSubMenu,
                   bool PopupUp);
    void CheckItem(TspSkinPopupWindow* Level, TspSkinMenuItem* Item, bool Clicked, bool ByKeyboard);
    void CloseMenu(int Index);
    void Hide();
    void WaitItem(TObject* Sender);
    // An item the submenu timer waits for is left: the wait ends.
    void CancelWaiting(TspSkinMenuItem* Item);
    int GetPWIndex(TspSkinPopupWindow* Level) const;
    TRect GetWorkArea();
    void SetDefaultMenuItemFont(TFont* Value);

    bool GetOpen() const { return FOpen; }
    int GetLevelCount() const { return static_cast<int>(FLevels.size()); }
    TspSkinPopupWindow* GetLevel(int Index) const;
    TspSkinPopupWindow* GetLastLevel() const { return FLevels.empty() ? nullptr : FLevels.back().get(); }
    TspSkinData* GetSkinData() const { return FSkinData; }
    TControl* GetOpener() const { return FOpener; }
    TControl* GetLastOpener() const { return FLastOpener; }
    TWinControl* GetOwnerForm() const { return FOwnerForm; }
    TFont* GetDefaultMenuItemFont() const { return FDefaultMenuItemFont.get(); }
    TMenuItem* GetWaitingItem() const;
    bool SubMenuTimerRunning() const { return FSubMenuTimer->GetEnabled(); }
    const TRect& GetCachedWorkArea() const { return FWorkArea; }

    bool UseSkinFont = true;
    bool FreshPopup = false;
    int ItemHeight = 20;
    bool AlphaBlend = false;
    int AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;

    // Every entry into a level from outside (its window procedure, its timers, the
    // keys the frame routes) holds one of these: levels closed meanwhile are only
    // hidden, and are freed, followed by a chosen command, once the outermost scope
    // ends. So no level is freed under its own handler and the command runs with
    // no level left.
    class THandlerScope {
    public:
        explicit THandlerScope(TspSkinMenu* AEngine);
        ~THandlerScope();
        THandlerScope(const THandlerScope&) = delete;
        THandlerScope& operator=(const THandlerScope&) = delete;
    private:
        TspSkinMenu* FEngine;
        std::shared_ptr<const bool> FAlive;   // a command may free the engine
    };
    std::shared_ptr<const bool> AliveWatch() const { return FAlive.Watch(); }

    // The level shows Item: if it is freed meanwhile, the menu closes first.
    void WatchShownItem(TMenuItem* Item);

    // The low-level mouse hook's report of a press outside every level.
    void OutsidePress(const TPoint& ScreenPoint);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class THandlerScope;
    void SetOpener(TControl* Value);
    void SetLastOpener(TControl* Value);
    void WatchMenu(TMenu* Value);
    void SetShownMenu(TMenu* Value);
    void Unwatch(TComponent* C);
    void SendToControl(TControl* C, UINT Msg);
    void Retire(int Index);
    void FlushRetired();
    void RunPendingCommand();
    void StopWaiting();
    void StartWatchingPresses();
    void StopWatchingPresses();
    void UtilWndProc(TMessage& Message);

    TWinControl* FOwnerForm;
    std::unique_ptr<TFont> FDefaultMenuItemFont;
    TControl* FOpener = nullptr;
    TControl* FLastOpener = nullptr;
    TTimer* FSubMenuTimer;
    TspSkinMenuItem* FWaitingItem = nullptr;
    TRect FWorkArea;
    bool FOpen = false;
    TspSkinData* FSkinData = nullptr;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> FLevels;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> FRetired;
    int FHandlerDepth = 0;
    bool FFlushing = false;
    // The command chosen inside a handler, run when the outermost scope ends.
    TMenu* FPendingMenu = nullptr;
    // The menu whose items the levels show.
    TMenu* FShownMenu = nullptr;
    UINT FPendingCommand = 0;
    bool FHasPending = false;
    bool FWatchingPresses = false;
    unsigned FGeneration = 0;
    HWND FUtilWnd = nullptr;
    TAliveToken FAlive;
};
