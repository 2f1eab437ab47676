#include "FrameValueObjects.h"

namespace {

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
