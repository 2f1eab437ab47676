#include "FrameMainMenu.h"
#include "SkinData.h"

TspSkinMainMenu::~TspSkinMainMenu() = default;

void TspSkinMainMenu::SetSkinData(TspSkinData* Value)
{
    // Told when the skin component goes, so no drop-down reads a freed skin.
    FSkinData.Set(Value);
}

void TspSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMainMenu::Notification(AComponent, Operation);
    FSkinData.Removed(AComponent, Operation);
}
