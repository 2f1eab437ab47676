// TspSkinGauge: a progress bar drawn from a gauge element of the skin (a picture
// part tiled over the filled share of the progress area, with fixed caps) or in a
// plain look, with an optional fixed text and percentage.
#pragma once
#include "SkinControl.h"
#include <string>

class TspSkinGauge : public TspSkinCustomControl {
public:
    explicit TspSkinGauge(TComponent* AOwner);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int GetValue() const { return FValue; }
    void SetValue(int Value);
    bool GetVertical() const { return FVertical; }
    void SetVertical(bool Value);
    bool GetShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool Value);
    const std::string& GetProgressText() const { return FProgressText; }
    void SetProgressText(const std::string& Value);
    bool GetShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value);
    bool GetTextAlphaBlend() const { return FTextAlphaBlend; }
    void SetTextAlphaBlend(bool Value);
    BYTE GetTextAlphaBlendValue() const { return FTextAlphaBlendValue; }
    void SetTextAlphaBlendValue(BYTE Value);
    bool GetUseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);

    // The filled part of Area for the current value.
    TRect CalcProgressRect(const TRect& Area) const;
    // The progress area moved to the control's size (element coordinates when skinned).
    TRect ProgressArea() const { return FProgressArea; }
    // Percentage shown, 0 for a range of one value.
    int Percent() const;
    // The text drawn over the bar (empty: none).
    std::string ProgressTextToShow() const;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DrawProgressText(TCanvas* C, int W, int H);
    void DrawProgress(TCanvas* C, const TRect& P, int W, int H);
    bool HasText() const { return !ProgressTextToShow().empty(); }

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false, FShowProgressText = false, FShowPercent = false;
    std::string FProgressText;
    bool FTextAlphaBlend = false;
    BYTE FTextAlphaBlendValue = 200;
    bool FUseSkinSize = true;

    TRect FSkinProgressArea, FProgressRect, FProgressArea;
    int FBeginOffset = 0, FEndOffset = 0;
    TspSkinFontFields FSkinFont;
};
