// A frame's menu mode and the one application hook all frames share.
#include "SkinMenuMode.h"
#include "ActiveSkinObject.h"
#include "Application.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinHint.h"
#include "SkinMenuBar.h"
#include "SkinPopupWindow.h"
#include <algorithm>
#include <vector>

namespace {

// Frames in menu mode, the latest last; it gets the keys.
std::vector<TspSkinMenuMode*> ActiveModes;
TMessageEvent SavedAppOnMessage;
bool AppHookInstalled = false;

void MenuModeAppMessage(MSG& Msg, bool& Handled)
{
    if (ActiveModes.empty()) {
        if (SavedAppOnMessage) SavedAppOnMessage(Msg, Handled);
        return;
    }
    ActiveModes.back()->NewAppMessage(Msg, Handled);
}

// A named functor so that the hook can tell whether the application still
// holds it before giving the saved one back.
struct TAppHook {
    void operator()(MSG& Msg, bool& Handled) const { MenuModeAppMessage(Msg, Handled); }
};

void EnterMode(TspSkinMenuMode* Mode)
{
    if (std::find(ActiveModes.begin(), ActiveModes.end(), Mode) == ActiveModes.end()) ActiveModes.push_back(Mode);
    if (AppHookInstalled) return;
    SavedAppOnMessage = Application->OnMessage;
    Application->OnMessage = TAppHook();
    AppHookInstalled = true;
}

void LeaveMode(TspSkinMenuMode* Mode)
{
    ActiveModes.erase(std::remove(ActiveModes.begin(), ActiveModes.end(), Mode), ActiveModes.end());
    if (!ActiveModes.empty() || !AppHookInstalled) return;
    // Someone who replaced our hook meanwhile keeps theirs; ours then only passes on.
    if (Application->OnMessage.target<TAppHook>()) Application->OnMessage = SavedAppOnMessage;
    SavedAppOnMessage = nullptr;
    AppHookInstalled = false;
}

// Wraps the form's window procedure. It keeps the procedure it replaced, so when
// its menu mode is gone it still passes every message on, whoever installed what
// after it.
struct TFormHook {
    std::weak_ptr<bool> Alive;
    TspSkinMenuMode* Mode;
    TWndMethod Previous;
    void operator()(TMessage& Message) const
    {
        if (auto alive = Alive.lock())
            if (*alive) Mode->FormMessage(Message);
        if (Previous) Previous(Message);
    }
};

}  // namespace

TspSkinMenuMode::TspSkinMenuMode(TspFormFrame* AFrame)
    : TComponent(AFrame), FFrame(AFrame), FAlive(std::make_shared<bool>(true))
{
    FForm.Set(AFrame ? AFrame->GetOwnerForm() : nullptr);
    FSkinMenu = new TspSkinMenu(this, FForm);
    HookForm();
}

TspSkinMenuMode::~TspSkinMenuMode()
{
    *FAlive = false;
    LeaveMode(this);
    UnhookForm();
}

TspSkinMenuMode* TspSkinMenuMode::ForFrame(TspFormFrame* Frame)
{
    if (!Frame) return nullptr;
    for (int i = 0; i < Frame->GetComponentCount(); ++i)
        if (auto* m = dynamic_cast<TspSkinMenuMode*>(Frame->GetComponent(i))) return m;
    return new TspSkinMenuMode(Frame);
}

int TspSkinMenuMode::ActiveCount()
{
    return static_cast<int>(ActiveModes.size());
}

bool TspSkinMenuMode::AppHooked()
{
    return AppHookInstalled;
}

void TspSkinMenuMode::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FForm.Get()) {
        UnhookForm();
        FForm.Set(nullptr);
    }
}

void TspSkinMenuMode::HookForm()
{
    if (!FForm || FFormHooked) return;
    TFormHook hook{FAlive, this, FForm->WindowProc};
    FForm->WindowProc = hook;
    FFormHooked = true;
}

void TspSkinMenuMode::UnhookForm()
{
    if (!FFormHooked || !FForm) return;
    FFormHooked = false;
    // Only while ours is the outermost; otherwise the wrapper stays and passes on.
    if (auto* h = FForm->WindowProc.target<TFormHook>())
        if (h->Mode == this) FForm->WindowProc = h->Previous;
}

void TspSkinMenuMode::SkinMenuOpen()
{
    if (FFrame) {
        FSkinMenu->UseSkinFont = FFrame->UseSkinFontInMenu;
        FSkinMenu->ItemHeight = FFrame->GetDefMenuItemHeight();
        FSkinMenu->SetDefaultMenuItemFont(FFrame->GetDefMenuItemFont());
        FSkinMenu->AlphaBlend = FFrame->MenusAlphaBlend;
        FSkinMenu->AlphaBlendValue = FFrame->MenusAlphaBlendValue;
        FSkinMenu->AlphaBlendAnimation = FFrame->MenusAlphaBlendAnimation;
    }
    EnterMode(this);
    if (FMenuOpened) return;
    FMenuOpened = true;
    if (FFrame && FFrame->OnSkinMenuOpen) FFrame->OnSkinMenuOpen(FFrame);
}

void TspSkinMenuMode::CheckOpened()
{
    if (!FSkinMenu->GetOpen() && FMenuOpened) SkinMenuClose();
    if (!FSkinMenu->GetOpen()) LeaveIfIdle();
}

bool TspSkinMenuMode::MainMenuActive() const { return FFrame && FFrame->GetMainMenuActive(); }

void TspSkinMenuMode::EnterMainMenu() { EnterMode(this); }

void TspSkinMenuMode::CloseQuietly()
{
    // The engine tells no opener (its menus here have none), so no close message
    // reaches the form and the pressed item is not looked for.
    if (FSkinMenu->GetOpen()) FSkinMenu->CloseMenu(0);
    const bool was = FMenuOpened;
    FMenuOpened = false;
    LeaveIfIdle();
    if (was && FFrame && FFrame->OnSkinMenuClose) FFrame->OnSkinMenuClose(FFrame);
}

void TspSkinMenuMode::LeaveIfIdle()
{
    if (!FMenuOpened && !MainMenuActive()) LeaveMode(this);
}

void TspSkinMenuMode::SkinMenuClose()
{
    const bool was = FMenuOpened;
    FMenuOpened = false;
    // The pressed menu button or main-menu item whose menu this was goes up,
    // and the main menu's keyboard mode ends with its menu.
    if (FFrame) {
        if (was) Frameobjects::ReleaseMenuButtons(FFrame);
        FFrame->MainMenuClosed();
    }
    LeaveIfIdle();
    if (was && FFrame && FFrame->OnSkinMenuClose) FFrame->OnSkinMenuClose(FFrame);
}

void TspSkinMenuMode::SkinMenuClose2()
{
    const bool was = FMenuOpened;
    FMenuOpened = false;
    if (FFrame) FFrame->MainMenuEscaped();
    LeaveIfIdle();
    if (was && FFrame && FFrame->OnSkinMenuClose) FFrame->OnSkinMenuClose(FFrame);
}

void TspSkinMenuMode::NewAppMessage(MSG& Msg, bool& Handled)
{
    // A menu that closed without telling the form (its window was gone) must not
    // leave the keyboard swallowed.
    if (!FSkinMenu->GetOpen()) {
        if (FMenuOpened) SkinMenuClose();
        if (!MainMenuActive()) {
            LeaveIfIdle();
            return;
        }
    }
    if (Msg.message == WM_KEYDOWN) {
        const WORD key = static_cast<WORD>(Msg.wParam);
        Msg.message = WM_NULL;
        Handled = true;
        FormKeyDown(key);
        return;
    }
    if (Msg.message == WM_MOUSEWHEEL) {
        Msg.message = WM_NULL;
        Handled = true;
    }
}

void TspSkinMenuMode::FormKeyDown(WORD Key)
{
    if (MainMenuActive()) {
        FFrame->MainMenuKeyDown(Key);
        return;
    }
    TspSkinPopupWindow* last = FSkinMenu->GetLastLevel();
    if (!last) return;
    last->PopupKeyDown(Key);
    // Escape on the first level tells only the opener: the mode ends here.
    if (Key == VK_ESCAPE && FSkinMenu->GetLevelCount() == 0) SkinMenuClose();
}

void TspSkinMenuMode::FormMessage(TMessage& Message)
{
    if (Message.Msg == WM_CLOSESKINMENU) {
        SkinMenuClose();
        return;
    }
    // Every form hears of a skin load before it happens: the open levels draw
    // from that skin's records and pictures, which the load frees, so they close.
    if (Message.Msg == WM_BEFORECHANGESKINDATA) {
        if (FSkinMenu->GetOpen() && reinterpret_cast<TspSkinData*>(Message.WParam) == FSkinMenu->GetSkinData())
            FSkinMenu->Hide();
        return;
    }
    CheckMenuVisible(Message);
}

namespace {

// Whether the press that produced the message being handled landed on the bar
// itself (its own items handle it) rather than elsewhere on the form.
bool PressOnBar(TspSkinMainMenuBar* Bar)
{
    if (!Bar->HandleAllocated()) return false;
    const DWORD pos = GetMessagePos();
    POINT p = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    HWND at = WindowFromPoint(p);
    return at && (at == Bar->GetHandle() || IsChild(Bar->GetHandle(), at));
}

bool MouseMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
    case WM_PARENTNOTIFY:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

void TspSkinMenuMode::CheckMenuVisible(TMessage& Message)
{
    if (!Skinmenus::CanMenuClose(Message.Msg)) return;
    if (FFrame && FFrame->ShowObjectHint && FFrame->GetSkinHint()) FFrame->GetSkinHint()->HideHint();
    if (MainMenuActive() && !FMenuOpened) {
        // Only highlighted by the keyboard: any press or move of the form ends the mode.
        FFrame->SkinMainMenuClose();
        return;
    }
    if (FSkinMenu->GetOpen()) {
        // A left press reaches the form as WM_MOUSEACTIVATE first, then as the press.
        const bool leftPress = Message.Msg == WM_NCLBUTTONDOWN ||
                               (Message.Msg == WM_MOUSEACTIVATE && HIWORD(Message.LParam) == WM_NCLBUTTONDOWN);
        if (leftPress && FFrame) FFrame->NoteMenuClosingPress();
        FSkinMenu->Hide();
        return;
    }
    if (FMenuOpened) {
        SkinMenuClose();
        return;
    }
    // The menu bar's keyboard mode (Alt, F10, or an item whose drop-down Escape
    // closed) holds every key of the thread: a click anywhere else on the form,
    // the form losing the activation (a dialog, another program) ends it.
    TspSkinMainMenuBar* bar = FFrame ? FFrame->GetMainMenuBar() : nullptr;
    if (bar && bar->GetMenuActive()) {
        if (!(MouseMessage(Message) && PressOnBar(bar))) bar->MenuExit();
        return;
    }
    // An MDI main form checks for its active child's frame too.
    if (FForm && FForm->GetFormStyle() == fsMDIForm && FForm->GetVisible())
        if (TCustomForm* child = FForm->GetActiveMDIChild())
            if (TspFormFrame* cf = Formframe::GetFormFrameComponent(child))
                if (cf != FFrame) ForFrame(cf)->CheckMenuVisible(Message);
}
