// The skinned colour combo box: the class library's named colours, each drawn
// as a swatch with its name, and an optional "Custom..." entry at the top whose
// colour is picked in the skinned colour dialog.
#pragma once
#include "SkinComboBox.h"
#include <functional>
#include <string>

class TspSkinColorDialog;

enum TspColorBoxStyleFlag : unsigned {
    spcbStandardColors = 1,
    spcbExtendedColors = 2,
    spcbSystemColors = 4,
    spcbIncludeNone = 8,
    spcbIncludeDefault = 16,
    spcbCustomColor = 32,
    spcbPrettyNames = 64
};
typedef unsigned TspColorBoxStyle;

// The named colours of the class library, in its order: 16 standard colours,
// 4 extended ones, then the system colours with clDefault and clNone.
namespace SpColorIdents {
const TColor clMoneyGreen = 0xC0DCC0;
const TColor clSkyBlue = 0xF0CAA6;
const TColor clCream = 0xF0FBFF;
const TColor clMedGray = 0xA4A0A0;
struct TIdentEntry {
    TColor Value;
    const char* Name;
};
int Count();
const TIdentEntry& Entry(int Index);
// "clMoneyGreen" -> "Money Green".
std::string PrettyName(const std::string& Name);
}  // namespace SpColorIdents

class TspSkinColorComboBox : public TspSkinCustomComboBox {
public:
    explicit TspSkinColorComboBox(TComponent* AOwner);

    TspColorBoxStyle GetExStyle() const { return FExStyle; }
    void SetExStyle(TspColorBoxStyle Value);
    TColor GetSelected();
    void SetSelected(TColor Color);
    bool GetShowNames() const { return FShowNames; }
    void SetShowNames(bool Value);
    TColor GetDefaultColorColor() const { return FDefaultColorColor; }
    void SetDefaultColorColor(TColor Value);
    TColor GetNoneColorColor() const { return FNoneColorColor; }
    void SetNoneColorColor(TColor Value);

    void PopulateList();
    TColor GetColor(int Index) const;
    std::string GetColorName(int Index) const;
    void ColorCallBack(const std::string& Name);
    void DrawColorItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State);
    void OnLBCloseUp(TObject* Sender);
    // Opens the colour dialog for the "Custom..." entry; true when a colour was chosen.
    virtual bool PickCustomColor();

    // Called with the dialog before it opens (to set a caption or drive it).
    std::function<void(TspSkinColorDialog*)> OnColorDialog;

protected:
    void CreateWnd() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    void SetItemColor(int Index, TColor Color);
    bool CustomPickable();
    TspColorBoxStyle FExStyle = spcbStandardColors | spcbExtendedColors | spcbSystemColors;
    TColor FSelected = 0;
    bool FShowNames = true;
    TColor FDefaultColorColor = 0, FNoneColorColor = 0;
    TColor FNextColor = 0;   // the value ColorCallBack gives the next item
};
