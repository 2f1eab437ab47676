// TspSkinTabControl: the system tab control (a row of tabs from its Tabs list,
// without pages) drawn from a "tab" skin element like the skinned page control,
// with the same hot tab and skinned scroller (see SkinTabbedControl.h). Having
// no sheets, it paints the area under its tabs itself. It carries the skin
// protocol (SkinData, SkinDataName, ChangeSkinData) itself.
#pragma once
#include "SkinChangeWalk.h"
#include "SkinTabbedControl.h"

// It takes part in the form's re-skin walk through the skin-data client interface.
class TspSkinTabControl : public TspSkinTabbedControl<TTabControl>, public TspSkinDataClient {
public:
    explicit TspSkinTabControl(TComponent* AOwner);
    ~TspSkinTabControl() override;

    void ChangeSkinData() override { TspSkinTabbedControl<TTabControl>::ChangeSkinData(); }
    TspSkinData* GetSkinDataComponent() const override { return FSD; }

protected:
    int VisibleTabCount() const override { return GetTabs()->GetCount(); }
    bool DescribeTab(int V, Skintabs::TTabLook& L) override;
    TSize ScrollerSize() const override;
    TRect FrameBorders() const override;
    void NativeChange() override;
    void SkinApplied() override;
    void PaintSkinWindow(TCanvas* C) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    // The background picture the element names, or null.
    TBitmap* BackgroundPicture() const;
};
