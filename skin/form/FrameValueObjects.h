// Frame objects that show or change a value on the frame itself: a track bar
// with a draggable button, an on/off switch, a gauge, and a frame gauge and a
// frame regulator drawn as one frame of a strip. The application reaches them by
// name (Framevalues::TrackBarSetValue, ...) and hears of changes through the
// frame's value events (Framevalues::Events).
#pragma once
#include "ActiveSkinObject.h"
#include <functional>
#include <string>

enum TTrackKind { tkHorizontal, tkVertical };
enum TSwitchState { swsOn, swsOff };

// The frame's value events. They live in a small component the frame owns, so
// they go with the frame.
class TspFrameValueEvents : public TComponent {
public:
    using TComponent::TComponent;
    std::function<void(const std::string& IDName, int Value)> OnTrackBarChangeValueEvent;
    std::function<void(const std::string& IDName, TSwitchState State)> OnSwitchChangeStateEvent;
    std::function<void(const std::string& IDName, int Value)> OnFrameRegulatorChangeValueEvent;
};

class TspSkinTrackBarObject : public TspActiveSkinObject {
public:
    TspSkinTrackBarObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;

    void SetValue(int V);
    void SimplySetValue(int V);
    void SetButtonPos(const TPoint& P);
    TRect CalcButtonRect(const TPoint& P) const;
    TPoint CalcButtonPos() const;
    int CalcValue() const;

    TPoint ButtonPos, PrevButtonPos;
    int Value = 0;
    bool Dragging = false;
    TPoint TrackDragPoint;
    TTrackKind Orientation = tkHorizontal;
    TRect buttonrect, activebuttonrect;
    TPoint beginpoint, endpoint;
    int MinValue = 0, MaxValue = 0;
    bool mousedownchangevalue = false;

private:
    void ChangeValue(int V);
    TPoint ToObject(int X, int Y) const { return TPoint(X - ObjectRect.left, Y - ObjectRect.top); }
};

class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetState(TSwitchState S);
    void SimpleSetState(TSwitchState S);

    TSwitchState State = swsOff;
};

class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetValue(int V);
    void SimplySetValue(int V);
    TPoint CalcProgressPos() const;

    TPoint ProgressPos, PrevProgressPos;
    int Value = 0;
    int MinValue = 0, MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;
};

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

namespace Framevalues {

// The frame's value events, made on first use (owned by the frame).
TspFrameValueEvents* Events(TspFormFrame* Frame);
// The value objects by name: each does nothing when no object of that name and
// kind exists. While the skin changes, they only store the value.
void TrackBarSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void SwitchSetState(TspFormFrame* Frame, const std::string& IDName, TSwitchState State);
void GaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void FrameGaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);
void FrameRegulatorSetValue(TspFormFrame* Frame, const std::string& IDName, int Value);

}  // namespace Framevalues
