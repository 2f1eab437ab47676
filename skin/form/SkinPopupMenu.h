// The popup menu component: a class library popup menu whose items are shown by
// the skinned menu engine of its form's frame, as context menu, as the menu of
// menu buttons and frame buttons, and as the built-in menu of skinned edits.
#pragma once
#include "Menus.h"
#include "SkinDataLink.h"

class TspSkinData;
class TspFormFrame;
class TControl;

class TspSkinPopupMenu : public TPopupMenu {
public:
    explicit TspSkinPopupMenu(TComponent* AOwner);
    ~TspSkinPopupMenu() override;

    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    TComponent* GetLookupForm() const { return FLookupForm; }
    void SetLookupForm(TComponent* Value);

    // The menu with its top-left corner at the screen point; no opener.
    void Popup(int X, int Y) override;
    // Below the screen rectangle (above it with PopupUp); no opener.
    void PopupFromRect(const TRect& R, bool PopupUp);
    // As PopupFromRect; Opener hears WM_CLOSESKINMENU and WM_AFTERDISPATCH.
    void PopupFromRect2(TControl* Opener, const TRect& R, bool PopupUp);
    // As Popup with an opener; shows nothing when no skin is found at all.
    void Popup2(TControl* Opener, int X, int Y);

    // The frame component whose engine shows this menu, or null.
    TspFormFrame* FindFrame() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ShowMenu(TControl* Opener, const TRect& R, bool PopupUp, bool NeedSkin);

    TspSkinDataLink FSkinData{this};
    TspComponentLink<TComponent> FLookupForm{this};
};
