#include "FrameGaugeObject.h"
#include "SkinImage.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

using Framevalues::ClampInt;
using Framevalues::ClampValue;
using Framevalues::Fraction;
using Framevalues::RoundEven;

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
