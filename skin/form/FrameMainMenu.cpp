#include "FrameMainMenu.h"
#include "SkinData.h"

TspSkinMainMenu::~TspSkinMainMenu()
{
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TspSkinMainMenu::SetSkinData(TspSkinData* Value)
{
    if (FSkinData == Value) return;
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    // Told when the skin component goes, so no drop-down reads a freed skin.
    if (FSkinData) FSkinData->FreeNotification(this);
}

void TspSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMainMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == static_cast<TComponent*>(FSkinData)) FSkinData = nullptr;
}
