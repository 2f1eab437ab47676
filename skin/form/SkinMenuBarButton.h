// TspSkinMainMenuBarButton: one of the four buttons (system menu, close,
// restore, minimise) that the skinned menu bar shows while an MDI child of the
// main form is maximised. They act on that child's frame, since the child has
// no frame of its own on the screen then.
#pragma once
#include "SkinMenuBarObjects.h"

class TspDataSkinMainMenuBarButton;

class TspSkinMainMenuBarButton : public TspMenuBarObject {
public:
    // AData: a "mainmenubarbutton" record, or null for the plain look.
    TspSkinMainMenuBarButton(TspSkinMainMenuBar* ABar, TspDataSkinMainMenuBarButton* AData);

    void Draw(TCanvas* Cnvs) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    // Runs the button's command on the maximised child's frame.
    void DoCommand();

    bool HasSkin = false;
    TStdCommand Command = cmDefault;

private:
    void DefaultDraw(TCanvas* Cnvs);
};
