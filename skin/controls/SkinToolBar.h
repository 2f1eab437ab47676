// TspSkinToolBar: a skinned panel that holds a row of speed buttons and the image
// lists they draw from when they have no glyph of their own: Images, HotImages
// (hovered or pressed) and DisabledImages (drawn as they are, undimmed). It passes
// its skin and its flat look on to its buttons.
#pragma once
#include "ImgList.h"
#include "SkinPanel.h"

class TspSkinToolBar : public TspSkinPanel {
public:
    explicit TspSkinToolBar(TComponent* AOwner);
    ~TspSkinToolBar() override;

    void SetSkinData(TspSkinData* Value) override;

    TCustomImageList* GetImages() const { return FImages; }
    // Repaints the buttons, which show the new list at once.
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetHotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Keeps one non-owning reference to a list, with removal notification.
    void Hold(TCustomImageList*& Field, TCustomImageList* Value);
    void RepaintButtons();

    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    bool FFlat = false;
};
