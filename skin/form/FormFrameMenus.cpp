// TspFormFrame's system menu (built from the window commands the frame
// offers, or merged into an application's own), its tray menu and the form's
// shortcut handling. The menus are shown by the frame's skinned menu engine.
#include "FormFrame.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "Spconst.h"
#include <functional>

namespace {

const char* const WindowCommandNames[] = {"DSF_MINITEM", "DSF_MAXITEM", "DSF_CLOSE",
                                          "DSF_MINTOTRAY", "DSF_ROLLUP", "DSF_RESTORE"};

bool IsWindowCommand(const TMenuItem* Item)
{
    for (const char* n : WindowCommandNames)
        if (Item->GetName() == n) return true;
    return false;
}

// A menu item that belongs to no component: its parent item frees it.
TMenuItem* NewCommandItem(const std::string& Name, const std::string& Caption, std::function<void()> Click)
{
    auto* item = new TMenuItem(nullptr);
    item->SetName(Name);
    item->SetCaption(Caption);
    item->OnClick = [Click](TObject*) { Click(); };
    return item;
}

bool IsMDIChild(TCustomForm* Form) { return Form && Form->GetFormStyle() == fsMDIChild; }

}  // namespace

bool TspFormFrame::SystemMenuShown() const
{
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(const_cast<TspFormFrame*>(this));
    return mode && mode->GetSkinMenu() && mode->GetSkinMenu()->GetOpen();
}

void TspFormFrame::AddWindowCommands(TMenuItem* Root, bool Merge)
{
    const bool minimised = FWindowState == fwsMinimized, maximised = FWindowState == fwsMaximized;
    TMenuItem* minItem = nullptr;
    TMenuItem* maxItem = nullptr;
    TMenuItem* restoreItem = nullptr;
    TMenuItem* rollUpItem = nullptr;
    TMenuItem* trayItem = nullptr;
    if (!minimised && (FBorderIcons & biMinimize))
        minItem = NewCommandItem("DSF_MINITEM", Spconst::_SP_MI_MINCAPTION(), [this] { SM_Min(); });
    if (!maximised && (FBorderIcons & biMaximize))
        maxItem = NewCommandItem("DSF_MAXITEM", Spconst::_SP_MI_MAXCAPTION(), [this] { SM_Max(); });
    if (minimised || maximised || FRolledUp)
        restoreItem = NewCommandItem("DSF_RESTORE", Spconst::_SP_MI_RESTORECAPTION(), [this] { SM_Restore(); });
    if ((FBorderIcons & biRollUp) && !FRolledUp && !minimised && !(maximised && IsMDIChild(OwnerForm)))
        rollUpItem = NewCommandItem("DSF_ROLLUP", Spconst::_SP_MI_ROLLUPCAPTION(), [this] { SM_RollUp(); });
    if (FBorderIcons & biMinimizeToTray)
        trayItem = NewCommandItem("DSF_MINTOTRAY", Spconst::_SP_MI_MINTOTRAYCAPTION(), [this] { SM_MinToTray(); });
    TMenuItem* closeItem = NewCommandItem("DSF_CLOSE", Spconst::_SP_MI_CLOSECAPTION(), [this] { SM_Close(); });
    closeItem->SetShortCut(TextToShortCut(IsMDIChild(OwnerForm) ? "Ctrl+F4" : "Alt+F4"));
    if (Merge) {
        // Each goes to the top, so they read Minimize, Restore, Maximize,
        // RollUp, Minimize to Tray above the application's own items.
        for (TMenuItem* i : {trayItem, rollUpItem, maxItem, restoreItem, minItem})
            if (i) Root->Insert(0, i);
        Root->Add(closeItem);
        return;
    }
    bool any = false;
    for (TMenuItem* i : {minItem, maxItem, restoreItem, rollUpItem, trayItem})
        if (i) {
            Root->Add(i);
            any = true;
        }
    if (any) {
        auto* line = new TMenuItem(nullptr);
        line->SetCaption("-");
        Root->Add(line);
    }
    Root->Add(closeItem);
}

void TspFormFrame::CreateSysMenu()
{
    // The items of a menu on screen are in use by its levels.
    if (SystemMenuShown()) return;
    TMenuItem* root = FSystemPopupMenu->GetItems();
    root->Clear();
    AddWindowCommands(root, false);
}

void TspFormFrame::CreateUserSysMenu()
{
    if (!FSystemMenu || !UseDefaultSysMenu || SystemMenuShown()) return;
    TMenuItem* root = FSystemMenu->GetItems();
    // The commands of an earlier merge go first, so each is there once.
    for (int i = root->GetCount() - 1; i >= 0; --i) {
        TMenuItem* item = root->GetItem(i);
        if (IsWindowCommand(item)) {
            root->Delete(i);
            item->Free();
        }
    }
    AddWindowCommands(root, true);
}

TPopupMenu* TspFormFrame::GetSystemMenu()
{
    if (FSystemMenu) {
        CreateUserSysMenu();
        return FSystemMenu;
    }
    CreateSysMenu();
    return FSystemPopupMenu.get();
}

void TspFormFrame::TrackSystemMenu(int X, int Y)
{
    if (SystemMenuShown()) return;
    TPopupMenu* menu = GetSystemMenu();
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(this);
    if (!menu || !mode || !mode->GetSkinMenu()) return;
    TspSkinData* skin = FMenusSkinData ? FMenusSkinData : FSkinData;
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(nullptr, skin, 0, TRect(X, Y, X, Y), menu->GetItems(), false);
    // Menu mode stays only while a level is really shown.
    mode->CheckOpened();
}

void TspFormFrame::PopupSkinMenu(TMenu* Menu, const TPoint& P)
{
    PopupSkinMenu1(Menu, TRect(P.x, P.y, P.x, P.y), false);
}

void TspFormFrame::PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp)
{
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(this);
    if (!Menu || !mode || !mode->GetSkinMenu()) return;
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(nullptr, FMenusSkinData ? FMenusSkinData : FSkinData, 0, R, Menu->GetItems(),
                               PopupUp);
    mode->CheckOpened();
}

void TspFormFrame::CreateSysTrayMenu()
{
    FTrayPopupMenu = std::make_unique<TspSkinPopupMenu>(nullptr);
    // Not owned by the form (the frame frees it), yet shown through its frame.
    FTrayPopupMenu->SetLookupForm(OwnerForm);
    TMenuItem* root = FTrayPopupMenu->GetItems();
    root->Add(NewCommandItem("TRAY_DSF_RESTORE", Spconst::_SP_MI_RESTORECAPTION(), [this] { RestoreFromTray(); }));
    auto* line = new TMenuItem(nullptr);
    line->SetCaption("-");
    root->Add(line);
    TMenuItem* closeItem = NewCommandItem("TRAY_DSF_CLOSE", Spconst::_SP_MI_CLOSECAPTION(), [this] { SM_Close(); });
    closeItem->SetShortCut(TextToShortCut(IsMDIChild(OwnerForm) ? "Ctrl+F4" : "Alt+F4"));
    root->Add(closeItem);
}

void TspFormFrame::SM_Min()
{
    if (AlwaysMinimizeToTray)
        MinimizeToTray();
    else
        SetWindowState(fwsMinimized);
}

void TspFormFrame::SM_Max() { SetWindowState(fwsMaximized); }

void TspFormFrame::SM_Restore()
{
    if (FRolledUpMaximized || (FRolledUp && FWindowState == fwsNormal))
        SetRollUpState(false);
    else
        SetWindowState(fwsNormal);
}

void TspFormFrame::SM_RollUp() { SetRollUpState(true); }
void TspFormFrame::SM_MinToTray() { MinimizeToTray(); }
void TspFormFrame::SM_Close() { CloseForm(); }

void TspFormFrame::FormShortCut(TMessage& Msg, bool& Handled)
{
    // The class library asks once per key, so every call answers on its own
    // (no flag carried from one call to the next would skip a key).
    if (!FMainMenu) return;
    Handled = FMainMenu->IsShortCut(Msg);
}
