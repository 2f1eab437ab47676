#include "SkinControl.h"
#include "GdiHandles.h"

// ---- TspSkinControl ----

TspSkinControl::TspSkinControl(TComponent* AOwner) : TspSkinControlOf<TCustomControl>(AOwner) {}

TspSkinControl::~TspSkinControl() = default;

void TspSkinControl::WMEraseBkgnd(TMessage& Message)
{
    // Every pixel is painted by Paint: erasing first would only flicker.
    Message.Result = 1;
}

void TspSkinControl::WMMove(TMessage& Message)
{
    TCustomControl::WMMove(Message);
    if (FAlphaBlend) Repaint();   // the parent image under the control changed
}

// ---- TspSkinCustomControl ----

TspSkinCustomControl::TspSkinCustomControl(TComponent* AOwner) : TspSkinCustomControlOf<TspSkinControl>(AOwner) {}

TspSkinCustomControl::~TspSkinCustomControl() = default;

void TspSkinCustomControl::SetControlRegion()
{
    if (!FElement.Mask || !Skinned()) {
        if (FRgn) {
            // Removing the region releases it: the window owned it.
            if (HandleAllocated()) SetWindowRgn(GetWindowHandle(), nullptr, TRUE);
            FRgn = nullptr;
        }
        return;
    }
    if (!HandleAllocated()) return;   // CreateWnd sets it once the window exists
    HRGN rgn = FElement.CreateRegion(GetWidth(), GetHeight());
    if (!rgn) return;
    // The window owns it from now on and frees the one it replaced.
    if (GiveWindowRegion(GetWindowHandle(), rgn)) FRgn = rgn;
}

void TspSkinCustomControl::CreateWnd()
{
    TspSkinControl::CreateWnd();
    FRgn = nullptr;
    GetSkinData();
    if (Skinned()) SetControlRegion();
}

void TspSkinCustomControl::DestroyWnd()
{
    FRgn = nullptr;   // it goes with the window
    TspSkinControl::DestroyWnd();
}
