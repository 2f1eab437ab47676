// The windowed skinned-control contract: TspSkinControl is TspSkinControlOf on a
// window (no background erase, a move repaints a blended control);
// TspSkinCustomControl adds the resizable element (size fitting, composition by
// resize mode, window region from the mask).
#pragma once
#include "CustomControl.h"
#include "SkinControlBase.h"

// Scoped: the class library's panel bevels (TPanelBevel) use the same three names.
enum class TspSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TspSkinControl : public TspSkinControlOf<TCustomControl> {
public:
    explicit TspSkinControl(TComponent* AOwner);
    ~TspSkinControl() override;

protected:
    void WMEraseBkgnd(TMessage& Message) override;
    void WMMove(TMessage& Message) override;

    // The region handed to the window: the window owns it, this only says one is set.
    HRGN FRgn = nullptr;
};

class TspSkinCustomControl : public TspSkinCustomControlOf<TspSkinControl> {
public:
    explicit TspSkinCustomControl(TComponent* AOwner);
    ~TspSkinCustomControl() override;

    bool HasWindowRegion() const { return FRgn != nullptr; }
    void SetControlRegion() override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
};
