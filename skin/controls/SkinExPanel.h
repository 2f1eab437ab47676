// TspSkinExPanel: a skinned container with a caption bar carrying a glyph, the
// caption, a close button (hides the panel) and a roll button that rolls the
// panel up to its caption bar, vertically or sideways to a caption strip.
#pragma once
#include "SkinControl.h"
#include <vector>

enum TspExPanelRollKind { rkRollHorizontal, rkRollVertical };

class TspSkinExPanel : public TspSkinCustomControl {
public:
    explicit TspSkinExPanel(TComponent* AOwner);
    ~TspSkinExPanel() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;

    void Close();
    bool GetRollState() const { return FRollState; }
    void SetRollState(bool Value);
    TspExPanelRollKind GetRollKind() const { return FRollKind; }
    void SetRollKind(TspExPanelRollKind Value);
    int GetRollWidth() const;
    int GetRollHeight() const;
    int GetRealWidth() const { return FRealWidth; }
    int GetRealHeight() const { return FRealHeight; }
    // Stored as read from a form, before RollState: the size to unroll to.
    void SetRealWidth(int Value) { FRealWidth = ClampSide(Value); }
    void SetRealHeight(int Value) { FRealHeight = ClampSide(Value); }
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    bool GetShowRollButton() const { return FShowRollButton; }
    void SetShowRollButton(bool Value);
    bool GetShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    void SetNumGlyphs(int Value);
    void SetSpacing(int Value);

    // The caption buttons (0 close, 1 roll) as the last paint laid them out.
    struct TCaptionButton {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    const TCaptionButton& Button(int I) const { return FButtons[I & 1]; }
    // Recomputes the button rectangles at the current size and look; returns
    // the room they take from the caption.
    int LayoutButtons();

    TNotifyEvent OnChangeRollState;
    TNotifyEvent OnClose;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DrawButton(TCanvas* C, int I);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

private:
    void HideControls();
    void ShowControls();
    void TestActive(int X, int Y);
    void ButtonUp(int I, int X, int Y);
    void RedrawButton(int I);
    int GlyphCell() const;
    // The caption drawn rotated (reading upwards) from (X, Y), clipped to R.
    void DrawRotatedCaption(TCanvas* C, const TRect& R, int X, int Y);
    void DrawGlyphAt(TCanvas* C, int X, int Y);
    TBitmap* Picture() const { return FElement.Picture; }

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1, FSpacing = 2;
    bool FRolling = false, FRollState = false;
    TspExPanelRollKind FRollKind = rkRollVertical;
    int FDefaultCaptionHeight = 21;
    std::vector<TControl*> FHiddenControls;
    int FRealWidth = 0, FRealHeight = 0;
    bool FShowRollButton = true, FShowCloseButton = true;
    TCaptionButton FButtons[2];
    int FOldActive = -1, FActive = -1, FCaptured = -1;
    // From an ex-panel record.
    TRect FRollHSkinRect, FRollVSkinRect;
    int FRollLeftOffset = 0, FRollRightOffset = 0, FRollTopOffset = 0, FRollBottomOffset = 0;
    TRect FRollVCaptionRect, FRollHCaptionRect;
    TRect FClose[3], FHRoll[3], FHRestore[3], FVRoll[3], FVRestore[3];
    TRect FCaptionRect;
    TspSkinFontFields FSkinFont;
};
