// TspSkinButtonBase: what the windowed push button and the window-less speed
// button share, over either skinned-control base: the button record's looks and
// the transition between normal and active, the glyph and its layout, the down
// state with toggle groups, auto-repeat while held, and the action's image as
// glyph. The two buttons add their own paint, keys, focus and mouse rules.
#pragma once
#include "ButtonFace.h"
#include "GlyphLayout.h"
#include "GraphicSkinControl.h"
#include "SkinControl.h"

template <class TBase>
class TspSkinButtonBase : public TBase {
public:
    explicit TspSkinButtonBase(TComponent* AOwner);
    ~TspSkinButtonBase() override;

    void GetSkinData() override;
    void ChangeSkinData() override;

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
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
    bool MouseIn() const { return FMouseIn; }
    bool Repeating() const { return FRepeatTimer != nullptr; }

    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    TNotifyEvent OnClick;

    virtual void ButtonClick() = 0;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    // Whether the transition heads for the active look.
    virtual bool MorphGoal() = 0;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLink* CreateActionLink() override;
    void ActionImageChange(int Index);

    // The look of R with the skin's font in the colour of the state given.
    TCanvas* PaintSkinLook(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    // The unskinned face (down, hot or plain) with the default font.
    TCanvas* PaintDefaultLook(TBitmap* B, bool Down, bool Hot);
    int GlyphCell(bool ADown, bool AMouseIn) const;
    // A left press: the button goes down (a group button clicks at once), or
    // notes that it was down already.
    void PressDown();
    // A left release: the press ends in a click while the mouse is on the
    // button, or a group button goes up. Released off the button, a repeat
    // stops in RepeatMode, or whatever the mode with AnyRepeat.
    void ReleaseUp(bool AnyRepeat);

    // Repaints towards the current look, through the transition where the skin has one.
    virtual void ReDrawControl();
    // The mouse came in: a down button shows its look at once, another heads for the active look.
    void ShowMouseIn();
    void StartMorph();
    void StopMorph();
    void DoMorph();
    void StartRepeat();
    void StopRepeat();
    void DoAllUp();

    TspButtonFace FFace;
    bool FDown = false, FMouseIn = false, FDownAtPress = false;
    int FGroupIndex = 0;
    double FMorphKf = 0;
    TspButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 1, FMargin = -1, FNumGlyphs = 1;
    std::unique_ptr<TBitmap> FGlyph;
    bool FGlyphFromAction = false;   // the glyph is the linked action's image, not the button's own
    std::unique_ptr<TTimer> FMorphTimer, FRepeatTimer;
};

extern template class TspSkinButtonBase<TspSkinCustomControl>;
extern template class TspSkinButtonBase<TspGraphicSkinCustomControl>;
