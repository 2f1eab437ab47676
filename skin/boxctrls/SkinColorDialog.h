// The skinned colour dialog: Execute builds a framed modal "Set color" window in
// code with the basic and custom colour grids, the hue ring palette, six track
// edits (R, G, B; H, S, L where the last three are hue, saturation and value),
// each with a drop-down track bar, and a preview, keeps them in step, and returns
// the chosen colour on OK.
#pragma once
#include "ColorModel.h"
#include "Classes.h"
#include "Controls.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TFont;
class TForm;
class TImage;
class TspColorPalette;
class TspColorViewer;
class TspEmptyControl;
class TspFormFrame;
class TspSkinButton;
class TspSkinColorGrid;
class TspSkinCustomColorGrid;
class TspSkinData;
class TspSkinStdLabel;
class TspSkinTrackEdit;

class TspSkinColorDialog : public TComponent {
public:
    static const int CustomColorCount = 12;

    explicit TspSkinColorDialog(TComponent* AOwner);
    ~TspSkinColorDialog() override;

    // True when the window closed with OK; Color and the custom colours then hold the choice.
    bool Execute();

    TColor Color = 0;
    std::string Caption = "Set color";
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    std::string ButtonSkinDataName = "button";
    std::string LabelSkinDataName = "stdlabel";
    std::string EditSkinDataName = "edit";
    bool UseSkinFont = true;

    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    TspSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TspSkinData* Value);
    TFont* GetDefaultLabelFont() const { return FDefaultLabelFont.get(); }
    void SetDefaultLabelFont(TFont* Value);
    TFont* GetDefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(TFont* Value);
    TFont* GetDefaultEditFont() const { return FDefaultEditFont.get(); }
    void SetDefaultEditFont(TFont* Value);

    TColor GetCustomColor(int Index) const;   // 1..12
    int GetCustomFillCount() const { return FCustomFillCount; }

    // Handlers of the window.
    void ColorGridChange(TObject* Sender);
    void CustomColorGridChange(TObject* Sender);
    void RGBEditChange(TObject* Sender);
    void HSLEditChange(TObject* Sender);
    void AddCustomColorButtonClick(TObject* Sender);
    void PalettePSPMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PalettePSPMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PalettePSPMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ChangeEdits();

    // The palette colour (lives as long as the component).
    TPSPColor* GetPaletteColor() const { return FPaletteColor.get(); }

    // The window and its controls, only while Execute runs (null otherwise).
    TForm* Window = nullptr;
    TspFormFrame* Frame = nullptr;
    TspSkinColorGrid* ColorGrid = nullptr;
    TspSkinCustomColorGrid* CustomColorGrid = nullptr;
    TspEmptyControl* PaletteContainer = nullptr;
    TImage* PaletteImage = nullptr;
    TspColorPalette* Palette = nullptr;
    TspSkinTrackEdit *REdit = nullptr, *GEdit = nullptr, *BEdit = nullptr;
    TspSkinTrackEdit *HEdit = nullptr, *SEdit = nullptr, *LEdit = nullptr;
    TspSkinStdLabel *RLabel = nullptr, *GLabel = nullptr, *BLabel = nullptr;
    TspSkinStdLabel *HLabel = nullptr, *SLabel = nullptr, *LLabel = nullptr;
    TspColorViewer* ColorViewer = nullptr;
    TspSkinButton *OKButton = nullptr, *CancelButton = nullptr, *AddCustomColorButton = nullptr;
    // Called once the window is built, before it is shown (tests drive it from here).
    TNotifyEvent OnShowWindow;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Build(TForm* W);
    void ForgetWindow();
    // The three edits of a row set in one go, each raising its change handler.
    void SetEdits(TspSkinTrackEdit* A, TspSkinTrackEdit* B, TspSkinTrackEdit* C, int VA, int VB, int VC);
    // Spreads RGB to the palette unless the palette itself is the source.
    void PaletteFollow(BYTE R, BYTE G, BYTE B);
    void ShowHSV(BYTE R, BYTE G, BYTE B);
    // The colour the H, S and L fields chose, into preview, R, G, B and palette.
    void ApplyHSVColor(BYTE R, BYTE G, BYTE B);

    TspSkinDataLink FSkinData{this};
    TspSkinDataLink FCtrlSkinData{this};
    std::unique_ptr<TFont> FDefaultLabelFont, FDefaultButtonFont, FDefaultEditFont;
    TColor FCustomColors[CustomColorCount];
    int FCustomFillCount = 0;
    std::unique_ptr<TPSPColor> FPaletteColor;
    std::unique_ptr<TspColorPalette> FPalette;
    bool FRGBGuard = false, FHSLGuard = false, FPaletteFlag = false;
    // The numbers last shown in the H, S and L fields and the colour they came from.
    bool FAnchorValid = false;
    int FAnchorH = 0, FAnchorS = 0, FAnchorV = 0;
    TColor FAnchorColor = 0;
};
