#include "FrameValueObjects.h"
#include "SkinImage.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

int ClampInt(long long V) { return static_cast<int>(std::clamp<long long>(V, INT_MIN, INT_MAX)); }

// Value V clamped to Lo..Hi; a range given upside down holds only Lo.
int ClampValue(int V, int Lo, int Hi) { return V < Lo ? Lo : (V > Hi ? std::max(Lo, Hi) : V); }

// Round to the nearest integer, halves to even.
long long RoundEven(double V) { return static_cast<long long>(std::nearbyint(V)); }

// The fraction of V between Lo and Hi; 0 for an empty range (every value sits at the start).
double Fraction(long long V, long long Lo, long long Hi)
{
    return Hi == Lo ? 0.0 : static_cast<double>(V - Lo) / static_cast<double>(Hi - Lo);
}

template <class T>
T* ObjectAs(const TspFormFrame* Frame, const std::string& IDName)
{
    return Frame ? dynamic_cast<T*>(Frame->GetObject(Frame->GetIndex(IDName))) : nullptr;
}

}  // namespace

namespace Framevalues {

TspFrameValueEvents* Events(TspFormFrame* Frame)
{
    if (!Frame) return nullptr;
    for (int i = 0; i < Frame->GetComponentCount(); ++i)
        if (auto* e = dynamic_cast<TspFrameValueEvents*>(Frame->GetComponent(i))) return e;
    return new TspFrameValueEvents(Frame);
}

void TrackBarSetValue(TspFormFrame* Frame, const std::string& IDName, int Value)
{
    auto* t = ObjectAs<TspSkinTrackBarObject>(Frame, IDName);
    if (!t) return;
    if (Frame->IsSkinChanging())
        t->SimplySetValue(Value);
    else
        t->SetValue(Value);
}

void SwitchSetState(TspFormFrame* Frame, const std::string& IDName, TSwitchState State)
{
    auto* s = ObjectAs<TspSkinSwitchObject>(Frame, IDName);
    if (!s) return;
    if (Frame->IsSkinChanging())
        s->SimpleSetState(State);
    else
        s->SetState(State);
}

void GaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value)
{
    auto* g = ObjectAs<TspSkinGaugeObject>(Frame, IDName);
    if (!g) return;
    if (Frame->IsSkinChanging())
        g->SimplySetValue(Value);
    else
        g->SetValue(Value);
}

void FrameGaugeSetValue(TspFormFrame* Frame, const std::string& IDName, int Value)
{
    auto* g = ObjectAs<TspSkinFrameGaugeObject>(Frame, IDName);
    // The regulator is a frame gauge too, but has its own setter.
    if (!g || dynamic_cast<TspSkinFrameRegulatorObject*>(g)) return;
    if (Frame->IsSkinChanging())
        g->SimplySetValue(Value);
    else
        g->SetValue(Value);
}

void FrameRegulatorSetValue(TspFormFrame* Frame, const std::string& IDName, int Value)
{
    auto* r = ObjectAs<TspSkinFrameRegulatorObject>(Frame, IDName);
    if (!r) return;
    if (Frame->IsSkinChanging())
        r->SimplySetValue(Value);
    else
        r->SetValue(Value);
}

}  // namespace Framevalues

// ---- TspSkinTrackBarObject ----

TspSkinTrackBarObject::TspSkinTrackBarObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    morphing = false;
    if (auto* r = dynamic_cast<TspDataSkinTrackBar*>(AData)) {
        buttonrect = r->ButtonRect;
        activebuttonrect = r->ActiveButtonRect;
        beginpoint = r->BeginPoint;
        endpoint = r->EndPoint;
        MinValue = r->MinValue;
        MaxValue = r->MaxValue;
        mousedownchangevalue = r->MouseDownChangeValue;
    }
    const long long dy = std::llabs(static_cast<long long>(beginpoint.y) - endpoint.y);
    const long long dx = std::llabs(static_cast<long long>(endpoint.x) - beginpoint.x);
    Orientation = dy >= dx ? tkVertical : tkHorizontal;
    Value = MinValue;
    ButtonPos = PrevButtonPos = CalcButtonPos();
}

TPoint TspSkinTrackBarObject::CalcButtonPos() const
{
    const double f = Fraction(Value, MinValue, MaxValue);
    if (Orientation == tkHorizontal)
        return TPoint(ClampInt(beginpoint.x + RoundEven(f * (static_cast<double>(endpoint.x) - beginpoint.x))),
                      beginpoint.y);
    return TPoint(beginpoint.x,
                  ClampInt(endpoint.y + RoundEven((1 - f) * (static_cast<double>(beginpoint.y) - endpoint.y))));
}

int TspSkinTrackBarObject::CalcValue() const
{
    // A track of no length holds only its first value.
    const double f = Orientation == tkHorizontal
                         ? Fraction(ButtonPos.x, beginpoint.x, endpoint.x)
                         : (beginpoint.y == endpoint.y ? 0.0 : 1 - Fraction(ButtonPos.y, endpoint.y, beginpoint.y));
    return ClampInt(RoundEven((static_cast<double>(MaxValue) - MinValue) * f) + MinValue);
}

TRect TspSkinTrackBarObject::CalcButtonRect(const TPoint& P) const
{
    const int w = buttonrect.Width(), h = buttonrect.Height();
    return Bounds(P.x - w / 2, P.y - h / 2, w, h);
}

void TspSkinTrackBarObject::ChangeValue(int V)
{
    Value = ClampValue(V, MinValue, MaxValue);
    PrevButtonPos = ButtonPos;
    ButtonPos = CalcButtonPos();
}

void TspSkinTrackBarObject::SetValue(int V)
{
    if (V == Value) return;
    ChangeValue(V);
    SkinForm->DrawSkinObject(this);
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnTrackBarChangeValueEvent) e->OnTrackBarChangeValueEvent(IDName, Value);
}

void TspSkinTrackBarObject::SimplySetValue(int V)
{
    ChangeValue(V);
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnTrackBarChangeValueEvent) e->OnTrackBarChangeValueEvent(IDName, Value);
}

void TspSkinTrackBarObject::SetButtonPos(const TPoint& P)
{
    if (P == ButtonPos) return;
    PrevButtonPos = ButtonPos;
    ButtonPos = P;
    Value = CalcValue();
    SkinForm->DrawSkinObject(this);
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnTrackBarChangeValueEvent) e->OnTrackBarChangeValueEvent(IDName, Value);
}

void TspSkinTrackBarObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) {
        const TPoint p = ToObject(X, Y);
        if (CalcButtonRect(ButtonPos).Contains(p)) {
            Dragging = true;
            TrackDragPoint = p;
            if (!activebuttonrect.IsEmpty()) SkinForm->DrawSkinObject(this);
        } else if (mousedownchangevalue) {
            if (Orientation == tkHorizontal)
                SetButtonPos(TPoint(std::clamp<LONG>(p.x, std::min(beginpoint.x, endpoint.x),
                                                     std::max(beginpoint.x, endpoint.x)),
                                    beginpoint.y));
            else
                SetButtonPos(TPoint(beginpoint.x, std::clamp<LONG>(p.y, std::min(endpoint.y, beginpoint.y),
                                                                   std::max(endpoint.y, beginpoint.y))));
        }
    }
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinTrackBarObject::MouseMove(int X, int Y)
{
    const TPoint p = ToObject(X, Y);
    if (Dragging) {
        // The button follows the pointer's travel since the last move seen; a
        // move that would leave the track is ignored.
        if (Orientation == tkHorizontal) {
            const long long c = static_cast<long long>(p.x) + ButtonPos.x - TrackDragPoint.x;
            if (c >= beginpoint.x && c <= endpoint.x) SetButtonPos(TPoint(int(c), ButtonPos.y));
        } else {
            const long long c = static_cast<long long>(p.y) + ButtonPos.y - TrackDragPoint.y;
            if (c >= endpoint.y && c <= beginpoint.y) SetButtonPos(TPoint(ButtonPos.x, int(c)));
        }
    }
    TrackDragPoint = p;
    TspActiveSkinObject::MouseMove(X, Y);
}

void TspSkinTrackBarObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft && Dragging) {
        Dragging = false;
        if (!activebuttonrect.IsEmpty()) SkinForm->DrawSkinObject(this);
    }
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

void TspSkinTrackBarObject::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    if (!Cnvs || !Picture) return;
    auto b = Frameobjects::NewImage(skinrect.Width(), skinrect.Height());
    if (!b) return;
    const int w = b->GetWidth(), h = b->GetHeight();
    TCanvas* c = b->GetCanvas();
    Sputils::CopyPiece(c, TRect(0, 0, w, h), Picture, skinrect);
    if (ActivePictureBitmap && !activeskinrect.IsEmpty()) {
        if (Orientation == tkHorizontal) {
            const int p = std::clamp<LONG>(ButtonPos.x, 0, w);
            Sputils::CopyPiece(c, TRect(0, 0, p, h), ActivePictureBitmap,
                               TRect(activeskinrect.left, activeskinrect.top, activeskinrect.left + p,
                                     activeskinrect.top + h));
        } else {
            const int p = std::clamp<LONG>(ButtonPos.y, 0, h);
            Sputils::CopyPiece(c, TRect(0, p, w, h), ActivePictureBitmap,
                               TRect(activeskinrect.left, activeskinrect.top + p, activeskinrect.left + w,
                                     activeskinrect.top + h));
        }
    }
    if (ActivePictureBitmap) {
        const TRect& look = Dragging && !activebuttonrect.IsEmpty() ? activebuttonrect : buttonrect;
        const TRect d = CalcButtonRect(ButtonPos);
        if (!look.IsEmpty()) Sputils::CopyPiece(c, d, ActivePictureBitmap, look);
    }
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, b.get());
}

// ---- TspSkinSwitchObject ----

TspSkinSwitchObject::TspSkinSwitchObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    Active = false;
}

void TspSkinSwitchObject::Draw(TCanvas* Cnvs, bool Forced)
{
    // The frame's reset of its objects' pointer state clears every Active flag;
    // a switch's look follows its state alone, so the state puts it back.
    const bool on = State == swsOn;
    if (Active != on) {
        Active = on;
        SetMorphKf(on ? 1 : 0);
    }
    TspActiveSkinObject::Draw(Cnvs, Forced);
}

void TspSkinSwitchObject::SetState(TSwitchState S)
{
    State = S;
    Active = S == swsOn;
    Redraw();
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnSwitchChangeStateEvent) e->OnSwitchChangeStateEvent(IDName, State);
}

void TspSkinSwitchObject::SimpleSetState(TSwitchState S)
{
    State = S;
    Active = S == swsOn;
    if (S == swsOn) MorphKf = 1;
}

void TspSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Button == mbLeft) SetState(State == swsOn ? swsOff : swsOn);
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinSwitchObject::MouseEnter()
{
    Hovered = true;
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinSwitchObject::MouseLeave()
{
    Hovered = false;
    SkinForm->MouseLeaveEvent(IDName);
}

// ---- TspSkinGaugeObject ----

TspSkinGaugeObject::TspSkinGaugeObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    if (auto* r = dynamic_cast<TspDataSkinGauge*>(AData)) {
        MinValue = r->MinValue;
        MaxValue = r->MaxValue;
        Kind = r->Kind == gkVertical ? gkVertical : gkHorizontal;
    }
    Value = MinValue;
    ProgressPos = PrevProgressPos = CalcProgressPos();
}

TPoint TspSkinGaugeObject::CalcProgressPos() const
{
    const double f = Fraction(Value, MinValue, MaxValue);
    if (Kind == gkHorizontal) return TPoint(ClampInt(RoundEven(f * skinrect.Width())), 0);
    return TPoint(0, ClampInt(RoundEven(skinrect.Height() * (1 - f))));
}

void TspSkinGaugeObject::SimplySetValue(int V)
{
    if (V == Value) return;
    Value = ClampValue(V, MinValue, MaxValue);
    PrevProgressPos = ProgressPos;
    ProgressPos = CalcProgressPos();
}

void TspSkinGaugeObject::SetValue(int V)
{
    SimplySetValue(V);
    SkinForm->DrawSkinObject(this);
}

void TspSkinGaugeObject::Draw(TCanvas* Cnvs, bool Forced)
{
    if (!Cnvs || (Value == MinValue && !Forced)) return;   // the form picture shows the empty gauge
    auto b = Frameobjects::NewImage(ObjectRect.Width(), ObjectRect.Height());
    if (!b) return;
    const int w = b->GetWidth(), h = b->GetHeight();
    TCanvas* c = b->GetCanvas();
    if (Kind == gkHorizontal) {
        const int p = std::clamp<LONG>(ProgressPos.x, 0, w);
        if (Picture)
            Sputils::CopyPiece(c, TRect(p, 0, w, h), Picture,
                               TRect(skinrect.left + p, skinrect.top, skinrect.right, skinrect.bottom));
        if (ActivePictureBitmap)
            Sputils::CopyPiece(c, TRect(0, 0, p, h), ActivePictureBitmap,
                               TRect(activeskinrect.left, activeskinrect.top, activeskinrect.left + p,
                                     activeskinrect.bottom));
    } else {
        const int p = std::clamp<LONG>(ProgressPos.y, 0, h);
        if (Picture)
            Sputils::CopyPiece(c, TRect(0, 0, w, p), Picture,
                               TRect(skinrect.left, skinrect.top, skinrect.right, skinrect.top + p));
        if (ActivePictureBitmap)
            Sputils::CopyPiece(c, TRect(0, p, w, h), ActivePictureBitmap,
                               TRect(activeskinrect.left, activeskinrect.top + p, activeskinrect.right,
                                     activeskinrect.bottom));
    }
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, b.get());
}

void TspSkinGaugeObject::MouseEnter()
{
    Hovered = Active = true;
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinGaugeObject::MouseLeave()
{
    Hovered = Active = false;
    SkinForm->MouseLeaveEvent(IDName);
}

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
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnFrameRegulatorChangeValueEvent) e->OnFrameRegulatorChangeValueEvent(IDName, Value);
}

void TspSkinFrameRegulatorObject::SimplySetValue(int V)
{
    if (!Accepts(V)) return;
    Value = V;
    auto* e = Framevalues::Events(SkinForm);
    if (e && e->OnFrameRegulatorChangeValueEvent) e->OnFrameRegulatorChangeValueEvent(IDName, Value);
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
