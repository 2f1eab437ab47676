#include "FrameObjects.h"
#include "FrameValueObjects.h"

namespace Formframe {

TspActiveSkinObject* CreateSkinObject(TspFormFrame* Frame, TspDataSkinObject* Record)
{
    if (!Frame || !Record) return nullptr;
    // Tested most derived first: the caption-button record is a button record,
    // the menu bar's button record a caption-button record.
    if (dynamic_cast<TspDataSkinMainMenuItem*>(Record) || dynamic_cast<TspDataSkinMenuItem*>(Record) ||
        dynamic_cast<TspDataSkinMainMenuBarButton*>(Record))
        return nullptr;   // the menus and the menu bar read these
    if (auto* r = dynamic_cast<TspDataSkinStdButton*>(Record)) return new TspSkinStdButtonObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinButton*>(Record)) return new TspSkinButtonObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinCaption*>(Record)) return new TspSkinCaptionObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataUserObject*>(Record)) return new TspUserObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinLabel*>(Record)) return new TspSkinLabelObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinAnimate*>(Record)) return new TspSkinAnimateObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinBitLabel*>(Record)) return new TspSkinBitLabelObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinTrackBar*>(Record)) return new TspSkinTrackBarObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinSwitch*>(Record)) return new TspSkinSwitchObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinGauge*>(Record)) return new TspSkinGaugeObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinFrameGaugeObject*>(Record)) return new TspSkinFrameGaugeObject(Frame, r);
    if (auto* r = dynamic_cast<TspDataSkinFrameRegulatorObject*>(Record))
        return new TspSkinFrameRegulatorObject(Frame, r);
    return nullptr;
}

TspActiveSkinObject* CreateDefaultCaptionButton(TspFormFrame* Frame, const std::string& IDName, TStdCommand Command)
{
    if (!Frame) return nullptr;
    auto* b = new TspSkinStdButtonObject(Frame, nullptr);
    b->IDName = IDName;
    b->Command = Command;
    b->skinrectinapicture = true;
    b->skinrect = b->activeskinrect = b->downrect = TRect(0, 0, 1, 1);
    b->ObjectRect = b->skinrect;
    return b;
}

}  // namespace Formframe
