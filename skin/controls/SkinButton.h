// TspSkinButton: the skinned push button. Four looks (normal, active, down,
// disabled) from the "button" element with an animated transition between normal
// and active, a glyph and caption, toggle groups, auto-repeat while held, and the
// default and cancel keys of dialogs.
#pragma once
#include "ButtonFace.h"
#include "GlyphLayout.h"
#include "SkinControl.h"

class TspSkinButton : public TspSkinCustomControl {
public:
    explicit TspSkinButton(TComponent* AOwner);
    ~TspSkinButton() override;

    void GetSkinData() override;
    void ChangeSkinData() override;

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
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
    bool IsFocused();
    bool MouseIn() const { return FMouseIn; }
    double MorphFactor() const { return FMorphKf; }
    bool Repeating() const { return FRepeatTimer != nullptr; }
    bool ActingDefault() const { return FActive; }

    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool Cancel = false;
    int ModalResult = 0;
    TNotifyEvent OnClick;

    virtual void ButtonClick();

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn);
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLink* CreateActionLink() override;
    void ActionImageChange(int Index);
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

    void StartMorph();
    void StopMorph();
    void DoMorph();
    void ReDrawControl();
    void StartRepeat();
    void StopRepeat();
    void RepeatTimerProc();
    void DoAllUp();
    // The look Paint shows now (the rectangle in the picture and its two flags).
    bool DownLook();

    TspButtonFace FFace;
    bool FDown = false, FMouseIn = false, FMousePressed = false, FDownAtPress = false;
    bool FCanFocused = true, FDefault = false, FActive = false, FFocusing = false;
    int FGroupIndex = 0;
    double FMorphKf = 0;
    TspButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 1, FMargin = -1, FNumGlyphs = 1;
    std::unique_ptr<TBitmap> FGlyph;
    bool FGlyphFromAction = false;   // the glyph is the linked action's image, not the button's own
    std::unique_ptr<TTimer> FMorphTimer, FRepeatTimer;
};
