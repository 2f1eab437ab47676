// Frame-strip controls: a control that shows one frame of a strip of equal
// frames (from a skin "frame" record, or from DefaultImage while unskinned) and
// is always exactly one frame in size; a switch and an animation that step
// through the frames on a timer, a gauge that shows the frame of a value, and a
// regulator set by dragging the mouse.
#pragma once
#include "SkinControl.h"
#include "SkinIniValues.h"
#include "Timer.h"
#include <memory>

class TspFrameSkinControl : public TspSkinControl {
public:
    explicit TspFrameSkinControl(TComponent* AOwner);
    ~TspFrameSkinControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    virtual void CalcDefaultFrameSize();

    // The frame shown, from 1; kept inside the strip.
    int GetFrame() const { return FCurrentFrame; }
    void SetFrame(int N);
    int GetFrameCount() const { return FFrameCount; }
    int GetFrameWidth() const { return FFrameWidth; }
    int GetFrameHeight() const { return FFrameHeight; }
    TFramesPlacement GetFramesPlacement() const { return FFramesPlacement; }
    // Skinned, or unskinned with a DefaultImage, and a strip of a drawable size.
    bool HasFrames() const;
    // Frame N (from 1) of a strip of the frame size whose top left is Origin.
    TRect FrameRect(const TPoint& Origin, int N) const;

    TBitmap* GetDefaultImage() const { return FDefaultImage.get(); }
    void SetDefaultImage(TBitmap* Value);
    TBitmap* GetDefaultMask() const { return FDefaultMask.get(); }
    void SetDefaultMask(TBitmap* Value);
    int GetDefaultFramesCount() const { return FDefaultFramesCount; }
    void SetDefaultFramesCount(int Value);
    TFramesPlacement GetDefaultFramesPlacement() const { return FDefaultFramesPlacement; }
    void SetDefaultFramesPlacement(TFramesPlacement Value);
    bool HasWindowRegion() const { return FRgn != nullptr; }

    virtual void SetControlRegion();

protected:
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Frame count, placement and size from a strip of W x H pixels.
    void SetStrip(int W, int H, int Count, TFramesPlacement Placement);
    void ClearStrip();

    int FCurrentFrame = 1;
    int FFrameWidth = 0, FFrameHeight = 0;
    TBitmap* FStripPicture = nullptr;   // not owned: the skin's
    TBitmap* FStripMask = nullptr;
    std::unique_ptr<TBitmap> FDefaultImage, FDefaultMask;
    int FDefaultFramesCount = 1;
    TFramesPlacement FDefaultFramesPlacement = fpHorizontal;
    TRect FStripRect;
    int FFrameCount = 0;
    TFramesPlacement FFramesPlacement = fpHorizontal;
};

enum TspSkinSwitchState { swOff, swOn };

class TspSkinSwitch : public TspFrameSkinControl {
public:
    explicit TspSkinSwitch(TComponent* AOwner);
    ~TspSkinSwitch() override;

    void ChangeSkinData() override;
    TspSkinSwitchState GetState() const { return FState; }
    void SetState(TspSkinSwitchState Value);
    UINT GetTimerInterval() const { return FTimer->GetInterval(); }
    void SetTimerInterval(UINT Value) { FTimer->SetInterval(Value); }
    bool Running() const { return FTimer->GetEnabled(); }
    void Start() { FTimer->SetEnabled(true); }
    void Stop() { FTimer->SetEnabled(false); }
    // One step of the animation towards the state's end frame.
    void Step();

    TNotifyEvent OnChange;

protected:
    void ChangeState();
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    std::unique_ptr<TTimer> FTimer;
    TspSkinSwitchState FState = swOff;
    bool FMouseOver = false;
};

class TspSkinAnimate : public TspFrameSkinControl {
public:
    explicit TspSkinAnimate(TComponent* AOwner);
    ~TspSkinAnimate() override;

    bool GetActive() const { return FActive; }
    void SetActive(bool Value);
    UINT GetTimerInterval() const { return FTimer->GetInterval(); }
    void SetTimerInterval(UINT Value) { FTimer->SetInterval(Value); }
    bool Running() const { return FTimer->GetEnabled(); }
    void Start();
    void Stop();
    void Step();

    bool CycleMode = false;
    bool ButtonMode = false;
    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

protected:
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    std::unique_ptr<TTimer> FTimer;
    bool FActive = false;
    bool FMouseOver = false;
};

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
