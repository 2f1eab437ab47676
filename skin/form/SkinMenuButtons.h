// The two buttons that open a skinned popup menu under themselves: the windowed
// push button TspSkinMenuButton and the window-less TspSkinMenuSpeedButton.
// Either the whole button opens the menu or, with TrackButtonMode, only the track
// part at its right end; the button stays down until the menu tells it that it
// closed (WM_CLOSESKINMENU).
#pragma once
#include "SkinButton.h"
#include "SkinSpeedButton.h"
#include "SkinDataLink.h"

class TspSkinPopupMenu;

// Unskinned, the track part is this many pixels at the right end.
constexpr int MenuTrackWidth = 15;

// What both menu buttons share, over the push button or the speed button.
template <class TButton>
class TspSkinMenuButtonBase : public TButton {
public:
    explicit TspSkinMenuButtonBase(TComponent* AOwner) : TButton(AOwner) {}
    ~TspSkinMenuButtonBase() override;

    void GetSkinData() override;

    TspSkinPopupMenu* GetSkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TspSkinPopupMenu* Value);
    bool GetTrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    // The last opening of the menu has not been followed by its close yet.
    bool MenuOpen() const { return FMenuOpen; }
    const TRect& TrackButtonRect() const { return FTrackButtonRect; }

    // Whether a press at (X, Y) opens the menu.
    bool CanMenuTrack(int X, int Y);
    // The track part at the current size (element coordinates moved by the resize mode).
    TRect GetNewTrackButtonRect();
    // Opens the menu under the button.
    void TrackMenu();

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

protected:
    void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMCloseSkinMenu(TMessage& Message);
    // Opens the menu as a press, a key or an accelerator does.
    void OpenFromInput();
    // The unskinned faces (with the track part in track mode) and the default
    // font on C; whether the track faces show the content pressed.
    bool DrawDefaultFaces(TCanvas* C, bool DownUnderMouse, bool Hot);

    TspComponentLink<TspSkinPopupMenu> FSkinPopupMenu{this};
    bool FTrackButtonMode = false;
    bool FMenuOpen = false;
    // The left press that went down opened the menu: its release belongs to
    // that opening and is no click.
    bool FMenuPress = false;
    TRect FTrackButtonRect;
};

extern template class TspSkinMenuButtonBase<TspSkinButton>;
extern template class TspSkinMenuButtonBase<TspSkinSpeedButton>;

class TspSkinMenuButton : public TspSkinMenuButtonBase<TspSkinButton> {
public:
    explicit TspSkinMenuButton(TComponent* AOwner);
    ~TspSkinMenuButton() override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void WndProc(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

    // The Space key that went down opened the menu: its release is no click.
    bool FMenuKey = false;
};

class TspSkinMenuSpeedButton : public TspSkinMenuButtonBase<TspSkinSpeedButton> {
public:
    explicit TspSkinMenuSpeedButton(TComponent* AOwner);
    ~TspSkinMenuSpeedButton() override;

    std::string ToolButtonSkinDataName() const override
    {
        return FTrackButtonMode ? "toolmenutrackbutton" : "toolmenubutton";
    }

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    // Glyph and caption on what lies under the button, then the arrow strip.
    void PaintFlatWithArrow();
};
