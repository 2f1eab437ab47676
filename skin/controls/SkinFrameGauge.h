// TspSkinFrameGauge shows the frame of a value in a range; TspSkinFrameRegulator
// is a knob or slider of the same frames set by dragging the mouse.
#pragma once
#include "SkinFrameControl.h"

// The frame of Value in MinValue..MaxValue on a strip of Count frames: the range
// is cut into Count - 1 steps; a step or a divisor that would be 0 counts as 1.
// The result is not clamped (SetFrame keeps it inside the strip).
int FrameOfValue(int Value, int MinValue, int MaxValue, int Count);

class TspSkinFrameGauge : public TspFrameSkinControl {
public:
    explicit TspSkinFrameGauge(TComponent* AOwner);

    void ChangeSkinData() override;
    int GetValue() const { return FValue; }
    virtual void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);

protected:
    virtual void CalcFrame();
    // Takes Value when it is new and inside the range; false otherwise.
    bool AcceptValue(int Value);

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
};

class TspSkinFrameRegulator : public TspSkinFrameGauge {
public:
    explicit TspSkinFrameRegulator(TComponent* AOwner);

    void GetSkinData() override;
    void CalcDefaultFrameSize() override;
    void SetValue(int Value) override;
    TRegulatorKind GetDefaultKind() const { return FDefaultKind; }
    void SetDefaultKind(TRegulatorKind Value);
    TRegulatorKind GetKind() const { return FKind; }
    bool Dragging() const { return FDown; }
    // The drag position of a mouse point for the kind in use.
    int DragPosition(int X, int Y) const;

    TNotifyEvent OnChange;

protected:
    void CalcFrame() override;
    void CalcValue();
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    int FPixelStep = 1, FValueStep = 1;
    bool FDown = false;
    int FOldPos = 0, FCurPos = 0, FTmpValue = 0;
    TRegulatorKind FDefaultKind = rkRound, FKind = rkRound;
};
