// The pages of the skinned page control: each paints its background from its
// page control's "tab" element (a background picture, else the frame's middle).
#pragma once
#include "TabControl.h"

class TspSkinCustomTabSheet : public TTabSheet {
public:
    explicit TspSkinCustomTabSheet(TComponent* AOwner);
    // Paints the sheet's background from its page control's skin.
    void PaintBG(HDC DC);

protected:
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
};

class TspSkinTabSheet : public TspSkinCustomTabSheet {
public:
    using TspSkinCustomTabSheet::TspSkinCustomTabSheet;
};
