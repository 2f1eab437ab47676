// TspSkinPanel: the skinned container, with an optional caption bar carrying a
// glyph, a check box that enables its children (CheckedMode) and a roll-up arrow
// (RollUpMode). TspSkinGroupBox is a panel with its caption shown; TspSkinStatusBar
// a bottom-aligned borderless panel that passes its skin on to its children.
#pragma once
#include "SkinControl.h"
#include <vector>

class TspSkinPanel : public TspSkinCustomControl {
public:
    explicit TspSkinPanel(TComponent* AOwner);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;

    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    bool GetCheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool GetCaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TspSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TspSkinBorderStyle Value);
    bool GetRollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool GetRollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    int GetRealHeight() const { return FRealHeight; }
    TRect NewCaptionRect() const { return FNewCaptionRect; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    void SetNumGlyphs(int Value);
    void SetSpacing(int Value);

    bool AutoEnabledControls = true;
    TAlignment DefaultAlignment = taLeftJustify;
    TNotifyEvent OnChecked;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void Paint() override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMTextChanged(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void DoRollUp(bool Up);
    // Glyph and caption laid out in R by the given alignment.
    void DrawCaptionContent(TCanvas* C, TRect R, TAlignment Align);
    TBitmap* BackgroundPicture() const;

    bool FChecked = false, FCheckedMode = false, FCaptionMode = false, FRollUpMode = false, FRollUpState = false;
    TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
    int FDefaultCaptionHeight = 22, FRealHeight = -1, FSpacing = 2, FNumGlyphs = 1;
    std::unique_ptr<TBitmap> FGlyph;
    // The children hidden by rolling up; a child that goes is dropped at once.
    std::vector<TControl*> FHiddenControls;
    bool FHasHiddenList = false;
    // From a panel record.
    TRect FCaptionRect, FNewCaptionRect, FCheckImageRect, FUnCheckImageRect;
    TAlignment FSkinAlignment = taLeftJustify;
    TspSkinFontFields FSkinFont;
    int FBGPictureIndex = -1;
};

class TspSkinGroupBox : public TspSkinPanel {
public:
    explicit TspSkinGroupBox(TComponent* AOwner);
};

class TspSkinStatusBar : public TspSkinPanel {
public:
    explicit TspSkinStatusBar(TComponent* AOwner);
    void SetSkinData(TspSkinData* Value) override;
};
