#include "FrameStripObjects.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

using Framevalues::ClampInt;
using Framevalues::ClampValue;

// ---- TspSkinFrameObject ----

void TspSkinFrameObject::SetStrip(int Count, TFramesPlacement Placement)
{
    countframes = Count;
    framesplacement = Placement == fpVertical ? fpVertical : fpHorizontal;
    const int w = std::max<LONG>(activeskinrect.Width(), 0), h = std::max<LONG>(activeskinrect.Height(), 0);
    FrameWidth = w;
    FrameHeight = h;
    if (Count <= 0) return;
    // Every frame keeps at least one pixel of the strip.
    const int n = std::min(Count, std::max(framesplacement == fpHorizontal ? w : h, 1));
    countframes = n;
    if (framesplacement == fpHorizontal)
        FrameWidth = w / n;
    else
        FrameHeight = h / n;
}

TRect TspSkinFrameObject::FrameRect(int N) const
{
    const int n = std::clamp(N, 1, std::max(countframes, 1));
    const TPoint o(activeskinrect.left, activeskinrect.top);
    if (framesplacement == fpHorizontal)
        return Bounds(ClampInt(o.x + static_cast<long long>(n - 1) * FrameWidth), o.y, FrameWidth, FrameHeight);
    return Bounds(o.x, ClampInt(o.y + static_cast<long long>(n - 1) * FrameHeight), FrameWidth, FrameHeight);
}

void TspSkinFrameObject::SetFrame(int N)
{
    if (N >= 1 && N <= countframes) CurrentFrame = N;
    SkinForm->DrawSkinObject(this);
}

void TspSkinFrameObject::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    if (!ActivePictureBitmap || FrameWidth <= 0 || FrameHeight <= 0) return;
    DrawPiece(Cnvs, ActivePictureBitmap, FrameRect(CurrentFrame));
}

// ---- TspSkinFrameGaugeObject ----

TspSkinFrameGaugeObject::TspSkinFrameGaugeObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspSkinFrameObject(AForm, AData)
{
    if (auto* r = dynamic_cast<TspDataSkinFrameGaugeObject*>(AData)) {
        MinValue = r->MinValue;
        MaxValue = r->MaxValue;
        SetStrip(r->CountFrames, r->FramesPlacement);
    }
}

int TspSkinFrameGaugeObject::CalcFrame() const
{
    if (countframes < 2) return 1;
    const long long step = (static_cast<long long>(MaxValue) - MinValue) / (countframes - 1);
    if (step <= 0) return 1;
    // A range that is no multiple of the steps would reach past the strip: the
    // last frame shows the rest.
    const long long f = std::llabs(static_cast<long long>(Value) - MinValue) / step + 1;
    return static_cast<int>(std::min<long long>(f, countframes));
}

void TspSkinFrameGaugeObject::Draw(TCanvas* Cnvs, bool Forced)
{
    CurrentFrame = CalcFrame();
    TspSkinFrameObject::Draw(Cnvs, Forced);
}

void TspSkinFrameGaugeObject::SetValue(int V)
{
    if (!Accepts(V)) return;
    Value = V;
    SkinForm->DrawSkinObject(this);
}

void TspSkinFrameGaugeObject::SimplySetValue(int V)
{
    if (Accepts(V)) Value = V;
}

void TspSkinFrameGaugeObject::MouseEnter()
{
    Hovered = Active = true;
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinFrameGaugeObject::MouseLeave()
{
    Hovered = Active = false;
    SkinForm->MouseLeaveEvent(IDName);
}

// ---- TspSkinFrameRegulatorObject ----

TspSkinFrameRegulatorObject::TspSkinFrameRegulatorObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspSkinFrameGaugeObject(AForm, AData)
{
    if (auto* r = dynamic_cast<TspDataSkinFrameRegulatorObject*>(AData)) {
        MinValue = r->MinValue;
        MaxValue = r->MaxValue;
        SetStrip(r->CountFrames, r->FramesPlacement);
        Kind = r->Kind <= rkVertical ? r->Kind : rkRound;
    }
    Value = ClampValue(0, MinValue, MaxValue);
}

void TspSkinFrameRegulatorObject::SetValue(int V)
{
    if (!Accepts(V)) return;
    Value = V;
    SkinForm->DrawSkinObject(this);
    if (SkinForm && SkinForm->OnFrameRegulatorChangeValueEvent) SkinForm->OnFrameRegulatorChangeValueEvent(IDName, Value);
}

void TspSkinFrameRegulatorObject::SimplySetValue(int V)
{
    if (!Accepts(V)) return;
    Value = V;
    if (SkinForm && SkinForm->OnFrameRegulatorChangeValueEvent) SkinForm->OnFrameRegulatorChangeValueEvent(IDName, Value);
}

int TspSkinFrameRegulatorObject::DragCoord(int X, int Y) const
{
    const int x = ClampInt(static_cast<long long>(X) - ObjectRect.left);
    const int y = ClampInt(static_cast<long long>(Y) - ObjectRect.top);
    switch (Kind) {
    case rkHorizontal: return x;
    case rkVertical: return ClampInt(-static_cast<long long>(y));
    default: return ClampInt(static_cast<long long>(x) - y);
    }
}

void TspSkinFrameRegulatorObject::CalcValue()
{
    // A strip of fewer than two frames steps as one of two.
    const int divisor = countframes > 1 ? countframes - 1 : 1;
    const int pixels = Kind == rkHorizontal ? FrameWidth : Kind == rkVertical ? FrameHeight : std::min(FrameWidth, FrameHeight);
    PixelStep = std::max(pixels / divisor, 1);
    ValueStep = std::max(ClampInt((static_cast<long long>(MaxValue) - MinValue) / divisor), 1);
    if (std::llabs(static_cast<long long>(DragPos) - DragStart) < PixelStep) return;
    const long long v = static_cast<long long>(DragValue) + (DragPos >= DragStart ? ValueStep : -ValueStep);
    DragStart = DragPos;
    DragValue = ClampValue(ClampInt(v), MinValue, MaxValue);
    SetValue(DragValue);
}

void TspSkinFrameRegulatorObject::MouseDown(int X, int Y, TMouseButton Button)
{
    Pressed = true;
    DragValue = Value;
    DragStart = DragCoord(X, Y);
    TspSkinFrameGaugeObject::MouseDown(X, Y, Button);
}

void TspSkinFrameRegulatorObject::MouseMove(int X, int Y)
{
    if (Pressed) {
        DragPos = DragCoord(X, Y);
        CalcValue();
    }
    TspSkinFrameGaugeObject::MouseMove(X, Y);
}

void TspSkinFrameRegulatorObject::MouseUp(int X, int Y, TMouseButton Button)
{
    Pressed = false;
    TspSkinFrameGaugeObject::MouseUp(X, Y, Button);
}
