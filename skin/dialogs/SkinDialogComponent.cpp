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
    FSkinData.Set(Value);
}

void TspSkinDialogComponent::SetCtrlSkinData(TspSkinData* Value)
{
    FCtrlSkinData.Set(Value);
}

void TspSkinDialogComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FSkinData.Removed(AComponent, Operation);
    FCtrlSkinData.Removed(AComponent, Operation);
}

void TspSkinDialogComponent::Change()
{
    if (OnChange) OnChange(this);
}
