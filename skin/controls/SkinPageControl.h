// TspSkinPageControl: the system page control whose tab strip, frame and page
// background come from a "tab" skin element, with a hot tab that follows the
// mouse and a skinned scroller in place of the native one (all of it shared
// with the tab control, see SkinTabbedControl.h). It is not built on the
// skinned-control base, so it carries the skin protocol (SkinData, SkinDataName,
// a non-virtual ChangeSkinData) itself. Its pages are TspSkinTabSheet objects.
#pragma once
#include "SkinTabbedControl.h"

class TspSkinPageControl : public TspSkinTabbedControl<TPageControl> {
public:
    explicit TspSkinPageControl(TComponent* AOwner);
    ~TspSkinPageControl() override;

    // The page of the hot tab: the page count when the mouse is over no tab,
    // -1 before any hot tracking and after the mouse left.
    int HotPage() const { return FHotPage; }
    void TestActive(int X, int Y) override;

protected:
    int VisibleTabCount() const override;
    bool DescribeTab(int V, Skintabs::TTabLook& L) override;
    TSize ScrollerSize() const override;
    void SkinApplied() override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    friend class TspSkinCustomTabSheet;
    // The page of the visible tab V, -1 for none.
    int PageOfTab(int V) const;

    int FHotPage = -1;
};
