// A frame's menu mode: the skinned menu engine of one form frame and what runs
// while one of its menus is open (keys to the open level, the wheel swallowed,
// the menu closed by the form's own messages). One lives per frame, owned by it.
//
// The application's message hook is shared by every frame: it is taken once,
// when the first frame enters menu mode, and given back when the last one
// leaves, whatever order frames enter and leave in; a frame that goes away
// leaves first. So the saved hook is never saved twice, nothing points at a
// freed frame, and no key is swallowed once no menu is open.
//
// The frame's engine is ForFrame(Frame)->GetSkinMenu(); the frame's own menu
// mode operations (SkinMenuOpen, SkinMenuClose) come down to the ones here. The
// mode wraps the form's window procedure itself, so the frame's procedure needs
// no forwarding for the close messages.
#pragma once
#include "Classes.h"
#include "SkinMenus.h"
#include <memory>
#include "SkinDataLink.h"

class TspFormFrame;

class TspSkinMenuMode : public TComponent {
public:
    explicit TspSkinMenuMode(TspFormFrame* AFrame);
    ~TspSkinMenuMode() override;

    // The frame's menu mode, made on first use.
    static TspSkinMenuMode* ForFrame(TspFormFrame* Frame);

    TspFormFrame* GetFrame() const { return FFrame; }
    TspSkinMenu* GetSkinMenu() const { return FSkinMenu; }
    // Before a menu of this frame opens: copies the frame's menu properties into
    // the engine and enters menu mode.
    void SkinMenuOpen();
    // A menu of this frame closed (WM_CLOSESKINMENU, or Escape left no level).
    void SkinMenuClose();
    // Escape closed the last level while the frame's main menu is in its
    // keyboard mode: the mode (and the application hook) stays.
    void SkinMenuClose2();
    // Leaves menu mode again when the engine showed nothing.
    void CheckOpened();
    // The frame's main-menu keyboard mode began: the application is hooked
    // even with no menu open. LeaveIfIdle gives the hook back once neither a
    // menu is open nor the keyboard mode is on.
    void EnterMainMenu();
    // Closes the open menu without ending the main menu's keyboard mode (the
    // highlight moved onto an item without a drop-down).
    void CloseQuietly();
    void LeaveIfIdle();
    bool GetMenuOpened() const { return FMenuOpened; }

    // How many frames are in menu mode, and whether the application is hooked.
    static int ActiveCount();
    static bool AppHooked();

    // The application hook's work for this frame (a key or wheel message).
    void NewAppMessage(MSG& Msg, bool& Handled);
    // A message of the owner form, before the form's own handling.
    void FormMessage(TMessage& Message);
    // A message that closes menus (a press, a move, the activation): hides the
    // frame's object hint and ends whichever menu state the frame is in, the
    // menu bar's keyboard mode included; an MDI main form passes it to its
    // active child's frame.
    void CheckMenuVisible(TMessage& Message);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void HookForm();
    void UnhookForm();
    void FormKeyDown(WORD Key);
    bool MainMenuActive() const;

    TspFormFrame* FFrame;
    TspSkinMenu* FSkinMenu;
    TspComponentLink<TCustomForm> FForm{this};
    bool FMenuOpened = false;
    bool FFormHooked = false;
    // Shared with the form procedure wrapper: false once this object is gone.
    std::shared_ptr<bool> FAlive;
};
