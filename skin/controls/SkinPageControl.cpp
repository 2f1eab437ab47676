#include "SkinPageControl.h"
#include "ImgList.h"
#include "SkinUpDown.h"
#include <algorithm>

TspSkinPageControl::TspSkinPageControl(TComponent* AOwner) : TspSkinTabbedControl<TPageControl>(AOwner) {}

TspSkinPageControl::~TspSkinPageControl() = default;

void TspSkinPageControl::SkinApplied()
{
    RebuildSkinUpDown();
    if (GetActivePage()) GetActivePage()->Invalidate();
}

void TspSkinPageControl::WMEraseBkgnd(TMessage& Message)
{
    if (GetPageCount() > 0) Message.Result = 1;
    else TPageControl::WMEraseBkgnd(Message);
}

void TspSkinPageControl::WMSize(TMessage& Message)
{
    GetSkinData();
    TPageControl::WMSize(Message);
}

TSize TspSkinPageControl::ScrollerSize() const
{
    const int h = std::max(1, std::min(FDefaultItemHeight, MaxSkinControlSide / 2));
    return TSize(2 * h, h);
}

// ---- tabs of visible pages ----
int TspSkinPageControl::VisibleTabCount() const
{
    int v = 0;
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->GetTabVisible()) ++v;
    return v;
}

int TspSkinPageControl::PageOfTab(int V) const
{
    int v = 0;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->GetTabVisible()) continue;
        if (v++ == V) return i;
    }
    return -1;
}

bool TspSkinPageControl::DescribeTab(int V, Skintabs::TTabLook& L)
{
    const int p = PageOfTab(V);
    if (p < 0) return false;
    TTabSheet* page = GetPage(p);
    L.Text = page->GetText();
    TCustomImageList* il = GetImages();
    // An image only while the page's index names one of the list.
    const int ii = page->GetImageIndex();
    if (il && p < il->GetCount() && ii >= 0 && ii < il->GetCount()) {
        L.Images = il;
        L.ImageIndex = ii;
        L.Enabled = page->GetEnabled();
    }
    return true;
}

// ---- hot tab ----
void TspSkinPageControl::TestActive(int X, int Y)
{
    TspSkinTabbedControl<TPageControl>::TestActive(X, Y);
    FHotPage = FHotTab == -1 ? GetPageCount() : PageOfTab(FHotTab);
}

void TspSkinPageControl::CMMouseLeave(TMessage& Message)
{
    TspSkinTabbedControl<TPageControl>::CMMouseLeave(Message);
    FHotPage = -1;
}
