#include "FrameTrackBarObject.h"
#include "SkinImage.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

using Framevalues::ClampInt;
using Framevalues::ClampValue;
using Framevalues::Fraction;
using Framevalues::RoundEven;

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
    if (SkinForm && SkinForm->OnTrackBarChangeValueEvent) SkinForm->OnTrackBarChangeValueEvent(IDName, Value);
}

void TspSkinTrackBarObject::SimplySetValue(int V)
{
    ChangeValue(V);
    if (SkinForm && SkinForm->OnTrackBarChangeValueEvent) SkinForm->OnTrackBarChangeValueEvent(IDName, Value);
}

void TspSkinTrackBarObject::SetButtonPos(const TPoint& P)
{
    if (P == ButtonPos) return;
    PrevButtonPos = ButtonPos;
    ButtonPos = P;
    Value = CalcValue();
    SkinForm->DrawSkinObject(this);
    if (SkinForm && SkinForm->OnTrackBarChangeValueEvent) SkinForm->OnTrackBarChangeValueEvent(IDName, Value);
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
