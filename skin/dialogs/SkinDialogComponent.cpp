#include "SkinDialogComponent.h"
#include "SkinData.h"

TspSkinDialogComponent::TspSkinDialogComponent(TComponent* AOwner, const std::string& Title, BYTE AlphaBlendValue)
    : TComponent(AOwner), AlphaBlendValue(AlphaBlendValue), FTitle(Title), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

TspSkinDialogComponent::~TspSkinDialogComponent() = default;

void TspSkinDialogComponent::SetSkinData(TspSkinData* Value)
{
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (FSkinData) FSkinData->FreeNotification(this);
}

void TspSkinDialogComponent::SetCtrlSkinData(TspSkinData* Value)
{
    if (FCtrlSkinData) FCtrlSkinData->RemoveFreeNotification(this);
    FCtrlSkinData = Value;
    if (FCtrlSkinData) FCtrlSkinData->FreeNotification(this);
}

void TspSkinDialogComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TspSkinDialogComponent::Change()
{
    if (OnChange) OnChange(this);
}
