// TspSkinButton: the skinned push button. Four looks (normal, active, down,
// disabled) from the "button" element with an animated transition between normal
// and active, a glyph and caption, toggle groups, auto-repeat while held, and the
// default and cancel keys of dialogs.
#pragma once
#include "SkinButtonBase.h"

class TspSkinButton : public TspSkinButtonBase<TspSkinCustomControl> {
public:
    explicit TspSkinButton(TComponent* AOwner);
    ~TspSkinButton() override;

    void SetGroupIndex(int Value);
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool IsFocused();
    double MorphFactor() const { return FMorphKf; }
    bool ActingDefault() const { return FActive; }

    bool Cancel = false;
    int ModalResult = 0;

    void ButtonClick() override;

protected:
    bool MorphGoal() override { return FMouseIn || IsFocused(); }
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
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

    // The look Paint shows now (the rectangle in the picture and its two flags).
    bool DownLook();

    bool FMousePressed = false;
    bool FCanFocused = true, FDefault = false, FActive = false, FFocusing = false;
};
