// The window-less kind of the skinned-control contract (SkinControlBase.h): the
// same lookup, paint pipeline and resizable element as TspSkinControl /
// TspSkinCustomControl, on a graphic control (no window, so no region and no
// mask; the image behind comes from the parent and the earlier window-less
// siblings only).
#pragma once
#include "GraphicControl.h"
#include "SkinControlBase.h"

class TspGraphicSkinControl : public TspSkinControlOf<TGraphicControl> {
public:
    explicit TspGraphicSkinControl(TComponent* AOwner);
    ~TspGraphicSkinControl() override;

protected:
    void Dispatch(TMessage& Message) override;
};

class TspGraphicSkinCustomControl : public TspSkinCustomControlOf<TspGraphicSkinControl> {
public:
    explicit TspGraphicSkinCustomControl(TComponent* AOwner);
    ~TspGraphicSkinCustomControl() override;
};
