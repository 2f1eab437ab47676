// TspSkinBevel: the platform bevel whose light and dark line colours come from
// the skin's "bevel" element, with a divider mode drawing a short two-line
// divider across the middle.
#pragma once
#include "Bevel.h"
#include "SkinChangeWalk.h"
#include <string>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinBevel : public TBevel, public TspSkinDataClient {
public:
    explicit TspSkinBevel(TComponent* AOwner);

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    // Called by name by the re-skin walk.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }
    bool GetDividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);
    TColor LightColor() const { return FLightColor; }
    TColor DarkColor() const { return FDarkColor; }

    std::string SkinDataName = "bevel";

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TspSkinDataLink FSD{this};
    int FIndex = -1;
    bool FDividerMode = false;
    TColor FLightColor = clBtnHighlight;
    TColor FDarkColor = clBtnShadow;
};
