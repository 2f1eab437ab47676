#include "FrameValueObjects.h"

namespace {

template <class T>
T* ObjectAs(const TspFormFrame* Frame, const std::string& IDName)
{
    return Frame ? dynamic_cast<T*>(Frame->GetObject(Frame->GetIndex(IDName))) : nullptr;
}

}  // namespace

void TspFormFrame::TrackBarSetValue(const std::string& IDName, int Value)
{
    auto* t = ObjectAs<TspSkinTrackBarObject>(this, IDName);
    if (!t) return;
    if (IsSkinChanging())
        t->SimplySetValue(Value);
    else
        t->SetValue(Value);
}

void TspFormFrame::SwitchSetState(const std::string& IDName, TSwitchState State)
{
    auto* s = ObjectAs<TspSkinSwitchObject>(this, IDName);
    if (!s) return;
    if (IsSkinChanging())
        s->SimpleSetState(State);
    else
        s->SetState(State);
}

void TspFormFrame::GaugeSetValue(const std::string& IDName, int Value)
{
    auto* g = ObjectAs<TspSkinGaugeObject>(this, IDName);
    if (!g) return;
    if (IsSkinChanging())
        g->SimplySetValue(Value);
    else
        g->SetValue(Value);
}

void TspFormFrame::FrameGaugeSetValue(const std::string& IDName, int Value)
{
    auto* g = ObjectAs<TspSkinFrameGaugeObject>(this, IDName);
    // The regulator is a frame gauge too, but has its own setter.
    if (!g || dynamic_cast<TspSkinFrameRegulatorObject*>(g)) return;
    if (IsSkinChanging())
        g->SimplySetValue(Value);
    else
        g->SetValue(Value);
}

void TspFormFrame::FrameRegulatorSetValue(const std::string& IDName, int Value)
{
    auto* r = ObjectAs<TspSkinFrameRegulatorObject>(this, IDName);
    if (!r) return;
    if (IsSkinChanging())
        r->SimplySetValue(Value);
    else
        r->SetValue(Value);
}


int TspFormFrame::TrackBarGetValue(const std::string& IDName) const
{
    auto* t = ObjectAs<TspSkinTrackBarObject>(this, IDName);
    return t ? t->Value : 0;
}

int TspFormFrame::FrameRegulatorGetValue(const std::string& IDName) const
{
    auto* r = ObjectAs<TspSkinFrameRegulatorObject>(this, IDName);
    return r ? r->Value : 0;
}

TSwitchState TspFormFrame::SwitchGetState(const std::string& IDName) const
{
    auto* s = ObjectAs<TspSkinSwitchObject>(this, IDName);
    return s ? s->State : swsOff;
}
