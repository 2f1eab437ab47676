// TspFormFrame's main menu drawn in the frame: its items (made from the skin's
// "MAINMENUITEM" record), and the keyboard mode that Alt, F10 or a press on an
// item begins: the arrows walk the items and wrap, Down and Enter open, access
// keys open or run, Escape steps back. While the mode is on, the frame's menu
// mode holds the application's message hook, so the keys reach the items and
// not the focused control; it lets go as soon as the mode ends.
#include "FormFrame.h"
#include "Button.h"
#include "FrameMainMenuItem.h"
#include "SkinMenuBar.h"
#include "SkinMenuMode.h"
#include "SkinPopupWindow.h"

namespace {

TspSkinMainMenuItem* AsMainMenuItem(TspActiveSkinObject* O) { return dynamic_cast<TspSkinMainMenuItem*>(O); }

TspSkinMenu* EngineOf(const TspFormFrame* Frame)
{
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(const_cast<TspFormFrame*>(Frame));
    return mode ? mode->GetSkinMenu() : nullptr;
}

bool EngineOpen(const TspFormFrame* Frame)
{
    TspSkinMenu* e = EngineOf(Frame);
    return e && e->GetOpen();
}

// Keys that can be access keys of a caption (virtual keys of letters and digits).
bool CharacterKey(WORD Key) { return (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'); }

}  // namespace

// ---- items ----

void TspFormFrame::CreateMainMenu()
{
    if (!FMainMenu || FMainMenuBar || !FSkinData || FSkinData->Empty) return;
    const int index = FSkinData->GetIndex("MAINMENUITEM");
    if (index < 0) return;
    auto* record = dynamic_cast<TspDataSkinMainMenuItem*>(FSkinData->ObjectList[index].get());
    // A record the items cannot be drawn from gives no items (as no record does).
    if (!TspSkinMainMenuItem::Usable(FSkinData, record)) return;
    TMenuItem* items = FMainMenu->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        TMenuItem* mi = items->GetItem(i);
        if (!mi->GetVisible()) continue;
        auto* it = new TspSkinMainMenuItem(this, record);
        it->IDName = mi->GetName();
        it->Enabled = it->SavedEnabled = mi->GetEnabled();
        it->LinkedMenuItem = mi;
        mi->FreeNotification(this);
        FObjectList.emplace_back(it);
    }
    LayoutMainMenuItems();
}

void TspFormFrame::UpdateMainMenu(bool Repaint)
{
    if (FMainMenuActive) SkinMainMenuClose();
    FPressClosedItem = nullptr;
    for (size_t i = FObjectList.size(); i-- > 0;)
        if (AsMainMenuItem(FObjectList[i].get())) FObjectList.erase(FObjectList.begin() + static_cast<long>(i));
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    if (FSkinLoaded) CreateMainMenu();
    if (!Repaint) return;
    if (FSupportNCArea)
        SendNCPaint();
    else if (HWND wnd = FormHandle()) {
        RECT r{FrameMainMenuRect.left, FrameMainMenuRect.top, FrameMainMenuRect.right, FrameMainMenuRect.bottom};
        InvalidateRect(wnd, &r, TRUE);
    }
}

void TspFormFrame::LayoutMainMenuItems()
{
    int left = 0;
    for (auto& o : FObjectList)
        if (auto* it = AsMainMenuItem(o.get())) {
            it->Layout(left);
            left = it->ObjectRect.right;
        }
}

int TspFormFrame::MainMenuItemCount() const
{
    int n = 0;
    for (auto& o : FObjectList)
        if (AsMainMenuItem(o.get())) ++n;
    return n;
}

TspSkinMainMenuItem* TspFormFrame::GetMainMenuItem(int Index) const
{
    for (auto& o : FObjectList)
        if (auto* it = AsMainMenuItem(o.get()))
            if (Index-- == 0) return it;
    return nullptr;
}

void TspFormFrame::ForgetMainMenuItem(TComponent* AComponent)
{
    for (auto& o : FObjectList)
        if (auto* it = AsMainMenuItem(o.get()))
            if (static_cast<TComponent*>(it->LinkedMenuItem) == AComponent) {
                // Gone from the menu: the item neither draws nor takes the pointer
                // until the frame rebuilds its items.
                it->LinkedMenuItem = nullptr;
                it->Visible = it->Enabled = it->SavedEnabled = false;
                it->Down = it->Active = false;
            }
}

std::vector<TspSkinMainMenuItem*> TspFormFrame::UsableMainMenuItems() const
{
    std::vector<TspSkinMainMenuItem*> r;
    for (auto& o : FObjectList)
        if (auto* it = AsMainMenuItem(o.get()))
            if (it->Enabled && it->Visible && it->InMenuRect && it->LinkedMenuItem) r.push_back(it);
    return r;
}

// ---- the keyboard mode ----

bool TspFormFrame::GetMenuOpened() const
{
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(const_cast<TspFormFrame*>(this));
    return mode && mode->GetMenuOpened();
}

void TspFormFrame::SetMainMenuActive(bool Value)
{
    if (!Value) {
        if (FMainMenuActive) SkinMainMenuClose();
        return;
    }
    if (FMainMenuActive) return;
    FMainMenuActive = true;
    TspSkinMenuMode::ForFrame(this)->EnterMainMenu();
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

void TspFormFrame::ActivateMenu()
{
    TspSkinMainMenuItem* target = nullptr;
    const auto items = UsableMainMenuItems();
    for (auto* it : items)
        if (it->Active) {
            target = it;
            break;
        }
    if (!target && !items.empty()) target = items.front();
    // Nothing to highlight: no mode, so no key is held back.
    if (!target) return;
    target->MouseEnter();
    SetMainMenuActive(true);
}

void TspFormFrame::SkinMainMenuClose()
{
    const bool was = FMainMenuActive;
    FMainMenuActive = false;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(this);
    if (mode->GetSkinMenu()->GetOpen()) mode->GetSkinMenu()->Hide();
    if (FMainMenuBar)
        FMainMenuBar->MenuExit();
    for (int i = 0; i < MainMenuItemCount(); ++i) {
        TspSkinMainMenuItem* it = GetMainMenuItem(i);
        if (it->Down) it->SetDown(false);
        if (it->Active) it->MouseLeave();
    }
    mode->LeaveIfIdle();
    if (was && OnMainMenuExit) OnMainMenuExit(this);
}

void TspFormFrame::MainMenuClosed()
{
    for (int i = 0; i < MainMenuItemCount(); ++i) {
        TspSkinMainMenuItem* it = GetMainMenuItem(i);
        if (!it->Down) continue;
        it->Active = false;
        it->SetDown(false);
        break;
    }
    if (!FMainMenuActive) return;
    FMainMenuActive = false;
    // Items only highlighted by the keyboard lose their highlight too.
    for (int i = 0; i < MainMenuItemCount(); ++i) {
        TspSkinMainMenuItem* it = GetMainMenuItem(i);
        if (it->Active && !it->Hovered) it->MouseLeave();
    }
    if (FMainMenuBar) FMainMenuBar->MenuExit();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TspFormFrame::MainMenuEscaped()
{
    if (FMainMenuBar) {
        FMainMenuBar->MenuClose();
        return;
    }
    for (int i = 0; i < MainMenuItemCount(); ++i) {
        TspSkinMainMenuItem* it = GetMainMenuItem(i);
        if (!it->Down) continue;
        it->SetDown(false);
        it->MouseEnter();
        return;
    }
}

bool TspFormFrame::CanPriorMainMenuItem() const
{
    TspSkinMenu* e = EngineOf(this);
    return !e || !e->GetOpen() || e->GetLevelCount() < 2;
}

bool TspFormFrame::CanNextMainMenuItem() const
{
    TspSkinMenu* e = EngineOf(this);
    if (!e || !e->GetOpen() || e->GetLevelCount() == 0) return true;
    TspSkinPopupWindow* last = e->GetLastLevel();
    TspSkinMenuItem* hot = last ? last->GetHotItem() : nullptr;
    return !hot || !hot->MenuItem || hot->MenuItem->GetCount() == 0;
}

void TspFormFrame::NextMainMenuItem()
{
    const auto c = UsableMainMenuItems();
    if (c.empty()) return;
    for (size_t i = 0; i < c.size(); ++i) {
        if (!c[i]->Active && !c[i]->Down) continue;
        TspSkinMainMenuItem* next = c[(i + 1) % c.size()];
        if (next == c[i]) return;
        // A pressed item stays down until the next one opens its own drop-down.
        c[i]->MouseLeave();
        next->MouseEnter();
        return;
    }
    c.front()->MouseEnter();
}

void TspFormFrame::PriorMainMenuItem()
{
    const auto c = UsableMainMenuItems();
    if (c.empty()) return;
    for (size_t k = c.size(); k-- > 0;) {
        if (!c[k]->Active && !c[k]->Down) continue;
        TspSkinMainMenuItem* prior = c[(k + c.size() - 1) % c.size()];
        if (prior == c[k]) return;
        c[k]->MouseLeave();
        prior->MouseEnter();
        return;
    }
    c.back()->MouseEnter();
}

bool TspFormFrame::FindHotKeyItem(WORD Key)
{
    if (FMainMenuBar) return FMainMenuBar->FindHotKeyItem(Key);
    for (TspSkinMainMenuItem* it : UsableMainMenuItems()) {
        if (!IsAccel(Key, it->LinkedMenuItem->GetCaption())) continue;
        const bool opened = EngineOpen(this);
        const bool subs = it->HasSubItems();
        it->MouseEnter();
        // Entering with a drop-down open already opened this item's own.
        if (!opened || !subs) it->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

bool TspFormFrame::CheckReturnKey()
{
    if (FMainMenuBar) return FMainMenuBar->CheckReturnKey();
    const bool opened = EngineOpen(this);
    for (TspSkinMainMenuItem* it : UsableMainMenuItems()) {
        if ((it->Down && !it->HasSubItems()) || (it->Active && !opened && !it->Down)) {
            it->Active = false;
            it->MouseDown(0, 0, mbLeft);
            return true;
        }
    }
    return false;
}

void TspFormFrame::MainMenuKeyDown(WORD Key)
{
    TspSkinMenu* engine = EngineOf(this);
    const bool open = engine && engine->GetOpen() && engine->GetLevelCount() > 0;
    if (FMainMenuActive && CharacterKey(Key) && FindHotKeyItem(Key)) return;
    if (Key == VK_ESCAPE && FMainMenuActive && !open) {
        SkinMainMenuClose();
        return;
    }
    if (Key == VK_LEFT && FMainMenuActive && CanPriorMainMenuItem()) {
        if (FMainMenuBar)
            FMainMenuBar->PriorMainMenuItem();
        else
            PriorMainMenuItem();
        return;
    }
    if (Key == VK_RIGHT && FMainMenuActive && CanNextMainMenuItem()) {
        if (FMainMenuBar)
            FMainMenuBar->NextMainMenuItem();
        else
            NextMainMenuItem();
        return;
    }
    if (Key == VK_DOWN && FMainMenuActive && !open) {
        // Down on a highlighted item opens its drop-down (a command item stays).
        for (TspSkinMainMenuItem* it : UsableMainMenuItems())
            if (it->Active && it->HasSubItems()) {
                CheckReturnKey();
                break;
            }
        return;
    }
    if (Key != VK_RETURN) {
        if (open) engine->GetLastLevel()->PopupKeyDown(Key);
        if (Key == VK_ESCAPE && engine && engine->GetLevelCount() == 0) {
            TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(this);
            if (FMainMenuActive)
                mode->SkinMenuClose2();
            else
                mode->SkinMenuClose();
        }
        return;
    }
    if (!CheckReturnKey() && open) engine->GetLastLevel()->PopupKeyDown(Key);
}

void TspFormFrame::NoteMenuClosingPress()
{
    FPressClosedItem = nullptr;
    auto* it = AsMainMenuItem(GetObject(ActiveObject));
    if (it && it->Down) FPressClosedItem = it;
}

bool TspFormFrame::TakeMenuClosingPress(TspActiveSkinObject* AObject)
{
    const bool r = AObject && AObject == FPressClosedItem;
    FPressClosedItem = nullptr;
    return r;
}

// The system key-menu command: Alt pressed and released or F10 (no character),
// or Alt with a character.
bool TspFormFrame::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) != SC_KEYMENU) return true;
    const WORD ch = static_cast<WORD>(Message.LParam & 0xFFFF);
    // The command never reaches the system's handling: with no menu of its own
    // on the window, that would track the unskinned system menu from the
    // keyboard and hold every key until Escape.
    Message.Result = 0;
    if (FMainMenuBar) {
        // A bar linked to this frame wraps the form's procedure itself and has
        // had the command already; only a bar of another frame is served here.
        if (FMainMenuBar->GetFormFrame() != this) FMainMenuBar->KeyMenu(ch);
        return false;
    }
    if (MainMenuItemCount() == 0) return false;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(this);
    if (ch == 0) {
        if (FMainMenuActive) {
            SkinMainMenuClose();
        } else {
            if (mode->GetSkinMenu()->GetOpen()) mode->GetSkinMenu()->Hide();
            ActivateMenu();
        }
        Message.Result = 0;
        return false;
    }
    const WORD key =
        static_cast<WORD>(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(ch & 0xFF)))));
    bool found = false;
    for (TspSkinMainMenuItem* it : UsableMainMenuItems())
        found = found || IsAccel(key, it->LinkedMenuItem->GetCaption());
    // No item has that access key: nothing happens.
    if (!found) return false;
    if (!FMainMenuActive && mode->GetSkinMenu()->GetOpen()) mode->GetSkinMenu()->Hide();
    SetMainMenuActive(true);
    FindHotKeyItem(key);
    // A command item ran and ended the mode; an opened drop-down keeps it.
    Message.Result = 0;
    return false;
}
