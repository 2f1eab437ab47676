// The labels that take their text look from the skin: TspSkinStdLabel, the
// library's transparent label with the font and colour of the "stdlabel" element,
// and TspSkinLabel, a framed label on the resizable element "label".
#pragma once
#include "Label.h"
#include "SkinControl.h"
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinStdLabel : public TCustomLabel {
public:
    explicit TspSkinStdLabel(TComponent* AOwner);
    ~TspSkinStdLabel() override;

    TspSkinData* GetSkinDataComponent() const { return FSD; }
    void SetSkinData(TspSkinData* Value);
    void GetSkinData();
    // Called by name by the re-skin walk.
    void ChangeSkinData();
    int GetSkinIndex() const { return FIndex; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;

protected:
    void DoDrawText(TRect& R, UINT Flags) override;
    void AdjustBounds() override;
    // The text step on any canvas: measuring (DT_CALCRECT) or drawing.
    void DrawTextOn(TCanvas* C, TRect& R, UINT Flags);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TspSkinDataLink FSD{this};
    int FIndex = 0;
    std::unique_ptr<TFont> FDefaultFont;
    TspSkinFontFields FSkinFont{"", 0};
};

class TspSkinLabel : public TspSkinCustomControl {
public:
    explicit TspSkinLabel(TComponent* AOwner);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TspSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TspSkinBorderStyle Value);
    // How much wider the label must be to hold its caption.
    virtual int CalcWidthOffset();
    void DrawLabelText(TCanvas* C, const TRect& R);

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void AdjustBounds();
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CMTextChanged(TMessage& Message) override;
    void SetTextFont(TCanvas* C);

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
    TspSkinFontFields FSkinFont;
};
