// TspSkinTrackBar: one thumb dragged along a track to choose a value, drawn from a
// track-bar element of the skin or in a plain look. The track edit's drop-down
// shows a descendant of it.
#pragma once
#include "SkinControl.h"

class TspSkinTrackBar : public TspSkinCustomControl {
public:
    explicit TspSkinTrackBar(TComponent* AOwner);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void WndProc(TMessage& Message) override;

    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int GetValue() const { return FValue; }
    void SetValue(int Value);
    bool GetVertical() const { return FVertical; }
    void SetVertical(bool Value);
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool IsFocused();

    bool MouseSupport = true;
    bool JumpWhenClick = false;
    TNotifyEvent OnChange;

    // The thumb within track area A for the current value; also sets the travel.
    TRect CalcButtonRect(const TRect& A);
    // The value at offset V along the travel.
    int CalcValue(int V) const;
    // The track area at the control's size: the element's moved, or the plain one.
    TRect TrackArea() const;
    TRect ThumbRect() { return CalcButtonRect(TrackArea()); }
    bool Dragging() const { return FDown; }

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMMouseWheel(TMessage& Message);

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false, FCanFocused = false;
    TRect FSkinTrackArea, FTrackArea, FButtonRect, FActiveButtonRect;
    int FFirst = 0, FLast = 0, FOffset = 0;
    bool FDown = false;
    int FDragStart = 0, FDragOffset = 0;
    bool FTakingFocus = false;
};
