// TspSkinSpeedButton: the window-less skinned button for rows of tool buttons. It
// never takes the focus; its looks follow the mouse, it toggles in groups, repeats
// while held, and in the flat style shows only glyph and caption until hovered.
#pragma once
#include "ButtonFace.h"
#include "GlyphLayout.h"
#include "GraphicSkinControl.h"

class TspSkinSpeedButton : public TspGraphicSkinCustomControl {
public:
    explicit TspSkinSpeedButton(TComponent* AOwner);
    ~TspSkinSpeedButton() override;

    void GetSkinData() override;
    void ChangeSkinData() override;

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    TspButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TspButtonLayout Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    // Image of the parent tool bar's lists shown while Glyph is empty.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool MouseIn() const { return FMouseIn; }
    bool Repeating() const { return FRepeatTimer != nullptr; }

    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    int WidthWithCaption = 0, WidthWithoutCaption = 0;
    TNotifyEvent OnClick;

    virtual void ButtonClick();
    // Skin element a tool bar gives this button when the bar's own element is
    // renamed ("big" is put in front for the big tool bar).
    virtual std::string ToolButtonSkinDataName() const { return "toolbutton"; }

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLink* CreateActionLink() override;
    void ActionImageChange(int Index);

    void StartMorph();
    void StopMorph();
    void DoMorph();
    void ReDrawControl();
    void StartRepeat();
    void StopRepeat();
    void DoAllUp();
    std::string FaceCaption() { return FShowCaption ? GetText() : std::string(); }
    int GlyphCell(bool ADown, bool AMouseIn) const;
    // Glyph and caption only, on what lies under the button (the flat idle look).
    void PaintFlat();
    // Glyph (cell Cell) or, on a tool bar without a glyph of its own, the image of
    // one of the bar's lists, with Caption in R. HotLook: a look that can show
    // the hot list (not the flat idle paints); Hot: active or down in it.
    void DrawContent(TCanvas* C, const TRect& R, int Cell, bool Pressed, bool HotLook, bool Hot);

    TspButtonFace FFace;
    bool FDown = false, FMouseIn = false, FDownAtPress = false, FFlat = false, FShowCaption = true;
    int FGroupIndex = 0;
    double FMorphKf = 0;
    TspButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 1, FMargin = -1, FNumGlyphs = 1, FImageIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FGlyphFromAction = false;   // the glyph is the linked action's image, not the button's own
    std::unique_ptr<TTimer> FMorphTimer, FRepeatTimer;
};
