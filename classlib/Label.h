// TLabel: window-less text, drawn with DrawText (alignment, layout, word wrap,
// accelerator marks); it may size itself to its text and hand the focus to a
// control when its accelerator is pressed.
#pragma once
#include "GraphicControl.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool GetTransparent() const { return !(FControlStyle & csOpaque); }
    void SetTransparent(bool Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    // The DT_ flags the label draws with.
    UINT DrawTextFlags() const;
    void Dispatch(TMessage& Message) override;
protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void AdjustBounds();
    // Draws the caption into R with Flags (DT_CALCRECT measures only).
    virtual void DoDrawText(TRect& R, UINT Flags);
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void CMDialogChar(TMessage& Message);
private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
