// Frame objects drawn as one frame of a strip of frames: the base, the frame
// gauge that shows the frame of a value, and the frame regulator set by dragging.
#pragma once
#include "ActiveSkinObject.h"
#include "FrameValueEvents.h"

// One frame of a strip (activeskinrect of the active picture); never made by itself.
class TspSkinFrameObject : public TspActiveSkinObject {
public:
    void Draw(TCanvas* Cnvs, bool Forced) override;
    void SetFrame(int N);
    // Frame N (from 1, kept inside the strip) in the active picture.
    TRect FrameRect(int N) const;

    int CurrentFrame = 1;
    int FrameWidth = 0, FrameHeight = 0;
    int countframes = 0;
    TFramesPlacement framesplacement = fpHorizontal;

protected:
    using TspActiveSkinObject::TspActiveSkinObject;
    void SetStrip(int Count, TFramesPlacement Placement);
};

class TspSkinFrameGaugeObject : public TspSkinFrameObject {
public:
    TspSkinFrameGaugeObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseEnter() override;
    void MouseLeave() override;
    virtual void SetValue(int V);
    virtual void SimplySetValue(int V);
    int CalcFrame() const;

    int Value = 0;
    int MinValue = 0, MaxValue = 0;

protected:
    bool Accepts(int V) const { return V != Value && V >= MinValue && V <= MaxValue; }
};

class TspSkinFrameRegulatorObject : public TspSkinFrameGaugeObject {
public:
    TspSkinFrameRegulatorObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void SetValue(int V) override;
    void SimplySetValue(int V) override;
    // The drag coordinate of a frame point for the kind.
    int DragCoord(int X, int Y) const;
    void CalcValue();

    TRegulatorKind Kind = rkRound;
    bool Pressed = false;
    int PixelStep = 1, ValueStep = 1;
    int DragStart = 0, DragPos = 0, DragValue = 0;
};
