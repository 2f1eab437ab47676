// TspSkinSpeedButton: the window-less skinned button for rows of tool buttons. It
// never takes the focus; its looks follow the mouse, it toggles in groups, repeats
// while held, and in the flat style shows only glyph and caption until hovered.
#pragma once
#include "SkinButtonBase.h"

class TspSkinSpeedButton : public TspSkinButtonBase<TspGraphicSkinCustomControl> {
public:
    explicit TspSkinSpeedButton(TComponent* AOwner);
    ~TspSkinSpeedButton() override;

    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    // Image of the parent tool bar's lists shown while Glyph is empty.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    int WidthWithCaption = 0, WidthWithoutCaption = 0;

    void ButtonClick() override;
    // Skin element a tool bar gives this button when the bar's own element is
    // renamed ("big" is put in front for the big tool bar).
    virtual std::string ToolButtonSkinDataName() const { return "toolbutton"; }

protected:
    bool MorphGoal() override { return FMouseIn; }
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    void ReDrawControl() override;
    std::string FaceCaption() { return FShowCaption ? GetText() : std::string(); }
    // Glyph and caption only, on what lies under the button (the flat idle look).
    void PaintFlat();
    // Glyph (cell Cell) or, on a tool bar without a glyph of its own, the image of
    // one of the bar's lists, with Caption in R. HotLook: a look that can show
    // the hot list (not the flat idle paints); Hot: active or down in it.
    void DrawContent(TCanvas* C, const TRect& R, int Cell, bool Pressed, bool HotLook, bool Hot);

    bool FFlat = false, FShowCaption = true;
    int FImageIndex = 0;
};
