// The frame objects that behave as buttons: TspSkinButtonObject (a free button,
// optionally a member of a group that stays pressed, optionally dropping down a
// menu) and TspSkinStdButtonObject (the caption buttons: close, maximize,
// minimize, system menu, roll-up, minimize to tray), which also has a default
// look for frames without a skin record.
#pragma once
#include "ActiveSkinObject.h"
#include "Timer.h"

class TspSkinButtonObject : public TspActiveSkinObject {
public:
    TspSkinButtonObject(TspFormFrame* AForm, TspDataSkinObject* AData);
    ~TspSkinButtonObject() override;

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Also called by the frame (ButtonSetDown, and when a linked menu closes).
    virtual void SetDown(bool Value);
    // Drops down the linked menu under (or above) the button.
    void TrackMenu();
    // Where the linked menu opens from: the object's rectangle on the screen.
    TRect ScreenRect() const;

    bool Down = false;
    bool PopupToUp = false;
    TRect downrect;
    TRect disableskinrsect;   // so spelled in the skin
    int GroupIndex = -1;
    TMenuItem* LinkedMenuItem = nullptr;   // not owned

protected:
    // Releases the one other pressed member of this button's group.
    void ReleaseGroup();

private:
    // While the dropped-down menu is open the button stays pressed; it goes up
    // once the frame's menu engine shows no level any more, however the menu
    // closed (a choice, Escape, a click elsewhere, a closed form).
    void MenuWatchTick();
    std::unique_ptr<TTimer> FMenuWatch;
};

class TspSkinStdButtonObject : public TspSkinButtonObject {
public:
    TspSkinStdButtonObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    bool CanMorphing() override;

    void DoCommand();
    void DoClose();
    void DoMax();
    void DoMin();
    void DoRollUp();
    void DoMinimizeToTray();
    // The window is in the state the command leads to (maximized for the
    // maximize button, ...): the button then shows its restore images.
    bool CommandInForce() const;

    bool HasSkin = false;
    TStdCommand Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;

private:
    // The look of a caption button without a skin record.
    void DrawDefault(TCanvas* Cnvs);
    void DrawRestoreImages(TCanvas* Cnvs);
    bool ShowsFormIcon() const;
};
