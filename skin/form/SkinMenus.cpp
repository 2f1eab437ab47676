// The popup menu engine: opening, levels, choosing and closing.
#include "SkinMenus.h"
#include "Application.h"
#include "SkinData.h"
#include "SkinPlatform.h"
#include "SkinPopupWindow.h"
#include "Trace.h"
#include "UtilWindow.h"
#include "WinControl.h"
#include <algorithm>

namespace Skinmenus {

bool CanMenuClose(UINT Msg)
{
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

TPoint CalcShowPosition(const TRect& R, const TRect& WA, int W, int H, int ItemsTop, bool IsSubMenu, bool PopupUp,
                        bool Scrollable)
{
    const int mid = WA.top + (WA.bottom - WA.top) / 2;
    bool flipped = false;
    int y;
    if (Scrollable) {
        y = WA.top;
    } else if (IsSubMenu) {
        if (R.top + H - ItemsTop > WA.bottom) {
            if (mid > R.top) {
                y = WA.bottom - H;
            } else {
                y = R.bottom - H + ItemsTop;
                if (y < WA.top) y = WA.top;
            }
        } else {
            y = R.top - ItemsTop;
        }
    } else if (PopupUp) {
        if (R.top - H < WA.top) {
            if (mid > R.top) {
                y = R.bottom;
                if (y + H > WA.bottom) {
                    y -= y + H - WA.bottom;
                    flipped = true;
                }
            } else {
                y = WA.top;
                flipped = true;
            }
        } else {
            y = R.top - H;
        }
    } else {
        if (R.bottom + H > WA.bottom) {
            if (mid > R.top) {
                y = WA.bottom - H;
                flipped = true;
            } else if (R.top - H < WA.top) {
                y = WA.top;
                flipped = true;
            } else {
                y = R.top - H;
            }
        } else {
            y = R.bottom;
        }
    }
    int x;
    if (IsSubMenu || Scrollable || flipped) {
        x = R.right + 1;
        if (R.right + W + 1 > WA.right) x = R.left - W - 1;
    } else if (R.left + W > WA.right) {
        x = WA.right - W;
    } else if (R.left < WA.left) {
        x = WA.left;
    } else {
        x = R.left;
    }
    return TPoint(x, y);
}

}  // namespace Skinmenus

namespace {

// A press anywhere outside the levels closes the menu, also when no form of ours
// is active (the tray menu while the main window is hidden): levels never take
// activation, so nothing else would tell us. One low-level mouse hook serves every
// open engine; it is installed with the first and removed with the last.
const UINT WM_SKINMENU_OUTSIDEPRESS = WM_USER + 0x4C0;
HHOOK PressHook = nullptr;
std::vector<TspSkinMenu*> PressWatchers;
std::vector<HWND> PressWatcherWindows;

bool IsPressMessage(WPARAM Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK MenuPressHookProc(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HC_ACTION && IsPressMessage(WParam)) {
        // Only post: the hook runs inside some message retrieval, where freeing
        // windows would pull them from under whoever is retrieving.
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(LParam);
        for (HWND w : PressWatcherWindows)
            PostMessageA(w, WM_SKINMENU_OUTSIDEPRESS, static_cast<WPARAM>(info->pt.x), static_cast<LPARAM>(info->pt.y));
    }
    return CallNextHookEx(PressHook, Code, WParam, LParam);
}

// Levels of an engine freed while one of their own handlers runs (a parent
// item's click that frees the form): hidden at once, freed from the message loop.
std::vector<std::unique_ptr<TspSkinPopupWindow>> OrphanLevels;
UINT_PTR OrphanTimer = 0;

void CALLBACK FreeOrphanLevels(HWND, UINT, UINT_PTR Id, DWORD)
{
    KillTimer(nullptr, Id);
    OrphanTimer = 0;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> orphans;
    orphans.swap(OrphanLevels);
    try {
        orphans.clear();
    } catch (...) {
        Application->HandleException(nullptr);
    }
}

}  // namespace

TspSkinMenu::THandlerScope::THandlerScope(TspSkinMenu* AEngine) : FEngine(AEngine), FAlive(AEngine->AliveWatch())
{
    ++FEngine->FHandlerDepth;
}

TspSkinMenu::THandlerScope::~THandlerScope()
{
    if (!*FAlive) return;
    if (--FEngine->FHandlerDepth > 0) return;
    try {
        // The command may free the engine; it runs last, on locals.
        FEngine->FlushRetired();
        FEngine->RunPendingCommand();
    } catch (...) {
        Application->HandleException(nullptr);
    }
}

TspSkinMenu::TspSkinMenu(TComponent* AOwner, TWinControl* AOwnerForm)
    : TComponent(AOwner), FOwnerForm(AOwnerForm), FDefaultMenuItemFont(std::make_unique<TFont>())
{
    FDefaultMenuItemFont->SetName("Arial");
    FDefaultMenuItemFont->SetHeight(14);
    FDefaultMenuItemFont->SetStyle(0);
    FSubMenuTimer = new TTimer(this);
    FSubMenuTimer->SetEnabled(false);
    FSubMenuTimer->SetInterval(500);
    FSubMenuTimer->OnTimer = [this](TObject* Sender) { WaitItem(Sender); };
    if (FOwnerForm) FOwnerForm->FreeNotification(this);
}

TspSkinMenu::~TspSkinMenu()
{
    const bool inHandler = FHandlerDepth > 0;
    ++FHandlerDepth;   // nothing runs from here on
    try {
        CloseMenu(0);
    } catch (...) {
        Application->HandleException(this);
    }
    StopWatchingPresses();
    if (inHandler) {
        // A level's own handler is on the stack: its object must outlive it.
        for (auto& l : FRetired) OrphanLevels.push_back(std::move(l));
        for (auto& l : FLevels) {
            l->Hide();
            OrphanLevels.push_back(std::move(l));
        }
        if (!OrphanTimer) OrphanTimer = SetTimer(nullptr, 0, 1, FreeOrphanLevels);
    }
    FRetired.clear();
    FLevels.clear();
    FHasPending = false;
    SetOpener(nullptr);
    SetLastOpener(nullptr);
    WatchMenu(nullptr);
    SetShownMenu(nullptr);
    if (FUtilWnd) DeallocateHWnd(FUtilWnd);
}

void TspSkinMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FOpener) FOpener = nullptr;
    if (AComponent == FLastOpener) FLastOpener = nullptr;
    if (AComponent == FPendingMenu) {
        FPendingMenu = nullptr;
        FHasPending = false;
    }
    if (AComponent == FOwnerForm) FOwnerForm = nullptr;
    // Compared as components: a menu item being freed is no longer a menu item here.
    if (FOpen) {
        for (auto& level : FLevels)
            for (int i = 0; i < level->GetItemCount(); ++i)
                if (static_cast<TComponent*>(level->GetItem(i)->MenuItem) == AComponent) {
                    CloseMenu(0);
                    return;
                }
    }
    if (AComponent == FShownMenu) {
        // The items on screen are going: the levels go first.
        FShownMenu = nullptr;
        if (FOpen || !FLevels.empty()) CloseMenu(0);
    }
}

// The removal link goes both ways and is one per pair: it is dropped only when
// no field refers to the component any more.
void TspSkinMenu::Unwatch(TComponent* C)
{
    if (!C || C == FOpener || C == FLastOpener || C == FPendingMenu || C == FShownMenu || C == FOwnerForm) return;
    C->RemoveFreeNotification(this);
}

void TspSkinMenu::SetOpener(TControl* Value)
{
    if (FOpener == Value) return;
    TControl* old = FOpener;
    FOpener = Value;
    Unwatch(old);
    if (FOpener) FOpener->FreeNotification(this);
}

void TspSkinMenu::SetLastOpener(TControl* Value)
{
    if (FLastOpener == Value) return;
    TControl* old = FLastOpener;
    FLastOpener = Value;
    Unwatch(old);
    if (FLastOpener) FLastOpener->FreeNotification(this);
}

void TspSkinMenu::WatchMenu(TMenu* Value)
{
    if (FPendingMenu == Value) return;
    TMenu* old = FPendingMenu;
    FPendingMenu = Value;
    Unwatch(old);
    if (FPendingMenu) FPendingMenu->FreeNotification(this);
}

void TspSkinMenu::WatchShownItem(TMenuItem* Item)
{
    // The link stays until the item or the engine goes; FreeNotification keeps one.
    if (Item) Item->FreeNotification(this);
}

void TspSkinMenu::SetShownMenu(TMenu* Value)
{
    if (FShownMenu == Value) return;
    TMenu* old = FShownMenu;
    FShownMenu = Value;
    Unwatch(old);
    if (FShownMenu) FShownMenu->FreeNotification(this);
}

TspSkinPopupWindow* TspSkinMenu::GetLevel(int Index) const
{
    if (Index < 0 || Index >= GetLevelCount()) return nullptr;
    return FLevels[Index].get();
}

TMenuItem* TspSkinMenu::GetWaitingItem() const
{
    return FWaitingItem ? FWaitingItem->MenuItem : nullptr;
}

TRect TspSkinMenu::GetWorkArea()
{
    HWND w = nullptr;
    if (FOwnerForm && FOwnerForm->HandleAllocated()) w = FOwnerForm->GetWindowHandle();
    return Sputils::GetMonitorWorkArea(w, true);
}

void TspSkinMenu::SetDefaultMenuItemFont(TFont* Value)
{
    if (Value) FDefaultMenuItemFont->Assign(Value);
}

void TspSkinMenu::Popup(TControl* AOpener, TspSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* Item,
                        bool PopupUp)
{
    Popup2(AOpener, ASkinData, StartIndex, R, Item, nullptr, PopupUp);
}

void TspSkinMenu::Popup2(TControl* AOpener, TspSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* Item1, TMenuItem* Item2, bool PopupUp)
{
    THandlerScope scope(this);
    FreshPopup = !FOpen;
    if (!FLevels.empty()) CloseMenu(0);
    SetOpener(AOpener);
    FWorkArea = GetWorkArea();
    FSkinData = ASkinData;
    const int count = (Item1 ? Item1->GetCount() : 0) + (Item2 ? Item2->GetCount() : 0);
    if (!Item1 || Item1->GetCount() == 0 || StartIndex < 0 || StartIndex >= count) {
        FreshPopup = false;
        return;
    }
    FOpen = true;
    ++FGeneration;
    SetShownMenu(Item1->GetParentMenu());
    if (Item2)
        PopupSub2(R, Item1, Item2, StartIndex, false, PopupUp);
    else
        PopupSub(R, Item1, StartIndex, false, PopupUp);
    FreshPopup = false;
    if (FOpen) StartWatchingPresses();
}

namespace {
TspDataSkinPopupWindow* PopupRecord(TspSkinData* D)
{
    if (!D || D->Empty) return nullptr;
    return D->PopupWindow.get();
}
}  // namespace

void TspSkinMenu::PopupSub(const TRect& R, TMenuItem* Item, int StartIndex, bool IsSubMenu, bool PopupUp)
{
    THandlerScope scope(this);
    auto level = std::make_unique<TspSkinPopupWindow>(nullptr, this, PopupRecord(FSkinData));
    TspSkinPopupWindow* p = level.get();
    FLevels.push_back(std::move(level));
    p->Show(R, Item, StartIndex, IsSubMenu, PopupUp);
}

void TspSkinMenu::PopupSub2(const TRect& R, TMenuItem* Item1, TMenuItem* Item2, int StartIndex, bool IsSubMenu,
                            bool PopupUp)
{
    THandlerScope scope(this);
    auto level = std::make_unique<TspSkinPopupWindow>(nullptr, this, PopupRecord(FSkinData));
    TspSkinPopupWindow* p = level.get();
    FLevels.push_back(std::move(level));
    p->Show2(R, Item1, Item2, StartIndex, IsSubMenu, PopupUp);
}

void TspSkinMenu::StopWaiting()
{
    FSubMenuTimer->SetEnabled(false);
    FWaitingItem = nullptr;
}

void TspSkinMenu::CheckItem(TspSkinPopupWindow* Level, TspSkinMenuItem* Item, bool Clicked, bool ByKeyboard)
{
    if (!Level || !Item) return;
    THandlerScope scope(this);
    const bool children = Item->MenuItem->GetCount() > 0;
    const int index = GetPWIndex(Level);
    if (!children) {
        StopWaiting();
        if (!Clicked) {
            CloseMenu(index + 1);
            return;
        }
        // The command waits for the end of the outermost handler scope (this one
        // at least): every level, the chosen one's included, is freed first.
        TMenuItem* chosen = Item->MenuItem;
        WatchMenu(chosen->GetParentMenu());
        FPendingCommand = chosen->GetCommand();
        FHasPending = FPendingMenu != nullptr;
        Hide();
        return;
    }
    if (Clicked) {
        // The parent's own click runs before its submenu opens.
        TMenu* menu = Item->MenuItem->GetParentMenu();
        const unsigned generation = FGeneration;
        std::shared_ptr<const bool> alive = FAlive.Watch();
        if (menu) menu->DispatchCommand(static_cast<WORD>(Item->MenuItem->GetCommand()));
        if (!*alive) return;
        StopWaiting();
        // The click may have closed the menu (or opened another one).
        if (!FOpen || generation != FGeneration || GetPWIndex(Level) >= GetLevelCount()) return;
        CloseMenu(GetPWIndex(Level) + 1);
        Item->Down = true;
        TRect r = Item->ObjectRect;
        const int left = Level->GetLeft(), top = Level->GetTop();
        r.left += left;
        r.right += left;
        r.top += top;
        r.bottom += top;
        Level->DrawItemOnWindow(Item);
        PopupSub(r, Item->MenuItem, 0, true, false);
        return;
    }
    StopWaiting();
    if (ByKeyboard) return;
    CloseMenu(index + 1);
    FWaitingItem = Item;
    FSubMenuTimer->SetEnabled(true);
}

void TspSkinMenu::CancelWaiting(TspSkinMenuItem* Item)
{
    if (Item && FWaitingItem == Item) StopWaiting();
}

void TspSkinMenu::WaitItem(TObject*)
{
    THandlerScope scope(this);
    TspSkinMenuItem* item = FWaitingItem;
    FSubMenuTimer->SetEnabled(false);
    if (!item) return;
    std::shared_ptr<const bool> alive = FAlive.Watch();
    CheckItem(item->Parent, item, true, false);
    if (*alive) FSubMenuTimer->SetEnabled(false);
}

int TspSkinMenu::GetPWIndex(TspSkinPopupWindow* Level) const
{
    for (size_t i = 0; i < FLevels.size(); ++i)
        if (FLevels[i].get() == Level) return static_cast<int>(i);
    return GetLevelCount();
}

void TspSkinMenu::Retire(int Index)
{
    std::unique_ptr<TspSkinPopupWindow> level = std::move(FLevels[Index]);
    FLevels.erase(FLevels.begin() + Index);
    if (FWaitingItem && FWaitingItem->Parent == level.get()) StopWaiting();
    level->Hide();
    FRetired.push_back(std::move(level));
}

void TspSkinMenu::CloseMenu(int Index)
{
    if (Index < 0) Index = 0;
    THandlerScope scope(this);
    for (int i = GetLevelCount() - 1; i >= Index; --i) Retire(i);
    if (Index != 0) return;
    FSubMenuTimer->SetEnabled(false);
    FOpen = false;
    StopWatchingPresses();
    SetShownMenu(nullptr);
    TControl* opener = FOpener;
    SetLastOpener(opener);
    if (opener) {
        SetOpener(nullptr);
        SendToControl(opener, WM_CLOSESKINMENU);
    }
}

void TspSkinMenu::Hide()
{
    THandlerScope scope(this);
    CloseMenu(0);
    StopWaiting();
    if (FOwnerForm && FOwnerForm->HandleAllocated())
        SendMessageA(FOwnerForm->GetWindowHandle(), WM_CLOSESKINMENU, 0, 0);
    if (FOpener) {
        TControl* opener = FOpener;
        SetOpener(nullptr);
        SendToControl(opener, WM_CLOSESKINMENU);
    }
}

void TspSkinMenu::SendToControl(TControl* C, UINT Msg)
{
    if (!C) return;
    if (auto* w = dynamic_cast<TWinControl*>(C)) {
        if (w->HandleAllocated()) {
            SendMessageA(w->GetWindowHandle(), Msg, 0, 0);
            return;
        }
    }
    C->Perform(Msg, 0, 0);
}

void TspSkinMenu::FlushRetired()
{
    if (FFlushing) return;
    FFlushing = true;
    // Destroying a level runs its window procedure, which opens (and closes) a
    // handler scope of its own: the flag keeps that from flushing again.
    ++FHandlerDepth;
    std::vector<std::unique_ptr<TspSkinPopupWindow>> retired;
    retired.swap(FRetired);
    retired.clear();
    --FHandlerDepth;
    FFlushing = false;
}

void TspSkinMenu::RunPendingCommand()
{
    if (!FHasPending || !FPendingMenu || FHandlerDepth > 0) return;
    TMenu* menu = FPendingMenu;
    const UINT command = FPendingCommand;
    FHasPending = false;
    WatchMenu(nullptr);
    TControl* lastOpener = FLastOpener;
    // The command may free this engine, the menu or the opener: after it we only
    // touch what a removal notification would have cleared.
    std::shared_ptr<const bool> alive = FAlive.Watch();
    menu->DispatchCommand(static_cast<WORD>(command));
    if (!*alive) return;
    if (lastOpener && lastOpener == FLastOpener) SendToControl(lastOpener, WM_AFTERDISPATCH);
}

void TspSkinMenu::StartWatchingPresses()
{
    if (FWatchingPresses) return;
    if (!FUtilWnd) FUtilWnd = AllocateHWnd([this](TMessage& M) { UtilWndProc(M); });
    FWatchingPresses = true;
    PressWatchers.push_back(this);
    PressWatcherWindows.push_back(FUtilWnd);
    if (!PressHook) PressHook = SetWindowsHookExA(WH_MOUSE_LL, MenuPressHookProc, GetModuleHandleA(nullptr), 0);
}

void TspSkinMenu::StopWatchingPresses()
{
    if (!FWatchingPresses) return;
    FWatchingPresses = false;
    PressWatchers.erase(std::remove(PressWatchers.begin(), PressWatchers.end(), this), PressWatchers.end());
    PressWatcherWindows.erase(std::remove(PressWatcherWindows.begin(), PressWatcherWindows.end(), FUtilWnd),
                              PressWatcherWindows.end());
    if (PressWatchers.empty() && PressHook) {
        UnhookWindowsHookEx(PressHook);
        PressHook = nullptr;
    }
}

void TspSkinMenu::UtilWndProc(TMessage& Message)
{
    if (Message.Msg == WM_SKINMENU_OUTSIDEPRESS) {
        OutsidePress(TPoint(static_cast<int>(static_cast<INT_PTR>(Message.WParam)),
                            static_cast<int>(Message.LParam)));
        return;
    }
    Message.Result = DefWindowProcA(FUtilWnd, Message.Msg, Message.WParam, Message.LParam);
}

void TspSkinMenu::OutsidePress(const TPoint& ScreenPoint)
{
    if (!FOpen) return;
    for (auto& level : FLevels)
        if (level->InWindow(ScreenPoint)) return;
    // A press on the owner form reaches the form itself, whose frame closes the
    // menu in the order of the form's own messages; closing here first would let
    // the button that opened the menu open it again instead of closing it.
    if (FOwnerForm && FOwnerForm->HandleAllocated() && IsWindowVisible(FOwnerForm->GetWindowHandle())) {
        HWND form = FOwnerForm->GetWindowHandle();
        HWND under = WindowFromPoint(POINT{ScreenPoint.x, ScreenPoint.y});
        if (under == form || IsChild(form, under)) return;
    }
    Hide();
}
