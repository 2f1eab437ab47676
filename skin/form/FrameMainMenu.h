// TspSkinMainMenu: a form's main menu that carries the skin its drop-downs are
// drawn with (none: the frame's menu skin is used).
#pragma once
#include "Menus.h"
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinMainMenu : public TMainMenu {
public:
    explicit TspSkinMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}
    ~TspSkinMainMenu() override;

    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TspSkinDataLink FSkinData{this};
};
