#include "SkinToolBar.h"
#include "SkinSpeedButton.h"

TspSkinToolBar::TspSkinToolBar(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    FSkinDataName = "toolpanel";
    SetBorderStyle(TspSkinBorderStyle::bvNone);
    SetBounds(GetLeft(), GetTop(), GetWidth(), 25);
}

TspSkinToolBar::~TspSkinToolBar()
{
    for (TCustomImageList* l : {FImages, FHotImages, FDisabledImages})
        if (l) l->RemoveFreeNotification(this);
}

void TspSkinToolBar::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TspSkinSpeedButton*>(GetControl(i))) b->SetSkinData(Value);
}

void TspSkinToolBar::Hold(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (Field == Value) return;
    TCustomImageList* old = Field;
    Field = Value;
    // The same list may stand in another slot: it keeps its notification there.
    if (old && old != FImages && old != FHotImages && old != FDisabledImages) old->RemoveFreeNotification(this);
    if (Value) Value->FreeNotification(this);
}

void TspSkinToolBar::SetImages(TCustomImageList* Value)
{
    Hold(FImages, Value);
    RepaintButtons();
}

void TspSkinToolBar::SetHotImages(TCustomImageList* Value) { Hold(FHotImages, Value); }

void TspSkinToolBar::SetDisabledImages(TCustomImageList* Value) { Hold(FDisabledImages, Value); }

void TspSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TspSkinSpeedButton*>(GetControl(i))) b->SetFlat(Value);
}

void TspSkinToolBar::RepaintButtons()
{
    for (int i = 0; i < GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TspSkinSpeedButton*>(GetControl(i))) b->Repaint();
}

void TspSkinToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // A freed list is forgotten before anything can draw from it again.
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
    if (AComponent == FImages) {
        FImages = nullptr;
        RepaintButtons();
    }
}
