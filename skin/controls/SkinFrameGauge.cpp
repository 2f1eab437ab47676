#include "SkinFrameGauge.h"
#include "SkinControls.h"
#include "SkinData.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

int ClampInt(long long V) { return static_cast<int>(std::clamp<long long>(V, INT_MIN, INT_MAX)); }

}  // namespace

// ---- TspSkinFrameGauge ----

int FrameOfValue(int Value, int MinValue, int MaxValue, int Count)
{
    const long long divisor = Count > 1 ? Count - 1 : 1;
    long long step = (static_cast<long long>(MaxValue) - MinValue) / divisor;
    if (step <= 0) step = 1;
    const long long d = std::llabs(static_cast<long long>(Value) - MinValue);
    return ClampInt(d / step + 1);
}

TspSkinFrameGauge::TspSkinFrameGauge(TComponent* AOwner) : TspFrameSkinControl(AOwner)
{
    FSkinDataName = "framegauge";
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

void TspSkinFrameGauge::CalcFrame() { SetFrame(FrameOfValue(FValue, FMinValue, FMaxValue, FFrameCount)); }

bool TspSkinFrameGauge::AcceptValue(int Value)
{
    if (Value == FValue || Value < FMinValue || Value > FMaxValue) return false;
    FValue = Value;
    if (HasFrames()) CalcFrame();
    return true;
}

void TspSkinFrameGauge::SetValue(int Value) { AcceptValue(Value); }

void TspSkinFrameGauge::SetMinValue(int Value)
{
    FMinValue = Value;
    // The value never stays outside its range, with frames or without.
    if (FValue < Value) FValue = Value;
    if (HasFrames()) CalcFrame();
}

void TspSkinFrameGauge::SetMaxValue(int Value)
{
    FMaxValue = Value;
    if (FValue > Value) FValue = Value;
    if (HasFrames()) CalcFrame();
}

void TspSkinFrameGauge::ChangeSkinData()
{
    TspFrameSkinControl::ChangeSkinData();
    if (HasFrames()) CalcFrame();
}

// ---- TspSkinFrameRegulator ----

TspSkinFrameRegulator::TspSkinFrameRegulator(TComponent* AOwner) : TspSkinFrameGauge(AOwner)
{
    FSkinDataName = "frameregulator";
}

void TspSkinFrameRegulator::GetSkinData()
{
    TspSkinFrameGauge::GetSkinData();
    if (const auto* r = dynamic_cast<const TspDataSkinFrameRegulator*>(Skinned() ? CurrentRecord() : nullptr))
        FKind = r->Kind <= rkVertical ? r->Kind : rkRound;
}

void TspSkinFrameRegulator::CalcDefaultFrameSize()
{
    TspSkinFrameGauge::CalcDefaultFrameSize();
    if (!Skinned()) FKind = FDefaultKind;
}

void TspSkinFrameRegulator::SetDefaultKind(TRegulatorKind Value)
{
    FDefaultKind = Value;
    FKind = Value;
}

void TspSkinFrameRegulator::SetValue(int Value)
{
    if (AcceptValue(Value) && OnChange) OnChange(this);
}

void TspSkinFrameRegulator::CalcFrame()
{
    if (!Skinned() && !FDefaultImage->Empty()) CalcDefaultFrameSize();
    TspSkinFrameGauge::CalcFrame();
}

int TspSkinFrameRegulator::DragPosition(int X, int Y) const
{
    switch (FKind) {
    case rkHorizontal: return X;
    case rkVertical: return -Y;
    default: return X - Y;
    }
}

void TspSkinFrameRegulator::CalcValue()
{
    if (!Skinned() && !FDefaultImage->Empty()) CalcDefaultFrameSize();
    const int divisor = FFrameCount - 1 > 0 ? FFrameCount - 1 : 1;
    const int pixels = FKind == rkHorizontal ? FFrameWidth
                       : FKind == rkVertical ? FFrameHeight
                                             : std::min(FFrameWidth, FFrameHeight);
    FPixelStep = std::max(pixels / divisor, 1);
    FValueStep = std::max(ClampInt((static_cast<long long>(FMaxValue) - FMinValue) / divisor), 1);
    if (std::llabs(static_cast<long long>(FCurPos) - FOldPos) < FPixelStep) return;
    const bool up = FCurPos >= FOldPos;
    FOldPos = FCurPos;
    const long long v = static_cast<long long>(FTmpValue) + (up ? FValueStep : -FValueStep);
    FTmpValue = ClampInt(std::clamp<long long>(v, FMinValue, std::max(FMinValue, FMaxValue)));
    SetValue(FTmpValue);
}

void TspSkinFrameRegulator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDown = true;
    FTmpValue = FValue;
    FOldPos = DragPosition(X, Y);
    TspSkinFrameGauge::MouseDown(Button, Shift, X, Y);
}

void TspSkinFrameRegulator::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDown && HasFrames()) {
        FCurPos = DragPosition(X, Y);
        CalcValue();
    }
    TspSkinFrameGauge::MouseMove(Shift, X, Y);
}

void TspSkinFrameRegulator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDown = false;
    TspSkinFrameGauge::MouseUp(Button, Shift, X, Y);
}
