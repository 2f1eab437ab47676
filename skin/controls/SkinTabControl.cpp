#include "SkinTabControl.h"
#include "Bitmap.h"
#include "ImgList.h"
#include "SkinElement.h"
#include "SkinImage.h"

TspSkinTabControl::TspSkinTabControl(TComponent* AOwner) : TspSkinTabbedControl<TTabControl>(AOwner)
{
    // Without the skin's font the default font's colour stays.
    FSkinColourOnOwnFont = false;
    // At design time too: the native arrows never show.
    FFollowRowWhileDesigning = true;
}

TspSkinTabControl::~TspSkinTabControl() = default;

TBitmap* TspSkinTabControl::BackgroundPicture() const
{
    if (!Skinned() || FSkin.BGPictureIndex == -1) return nullptr;
    TBitmap* b = SkinPicture(FSD, FSkin.BGPictureIndex);
    return b && !b->Empty() ? b : nullptr;
}

TSize TspSkinTabControl::ScrollerSize() const
{
    // Whatever the default item height.
    return TSize(36, 18);
}

TRect TspSkinTabControl::FrameBorders() const
{
    // With a background picture there is no frame: the display rectangle
    // reaches the control's edges.
    if (Skinned() && BackgroundPicture()) return TRect(0, 0, 0, 0);
    return TspSkinTabbedControl<TTabControl>::FrameBorders();
}

void TspSkinTabControl::NativeChange()
{
    // Without a window there is no selection to read back: the tab index kept
    // for the window stays.
    if (HandleAllocated()) TTabControl::Change();
    else TCustomTabControl::Change();
}

void TspSkinTabControl::SkinApplied()
{
    Invalidate();
    RebuildSkinUpDown();
}

// The whole face is ours, with child controls or without.
void TspSkinTabControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TspSkinTabControl::PaintSkinWindow(TCanvas* C)
{
    const TTabSkin& s = FSkin;
    const int w = GetWidth(), h = GetHeight();
    FillFace(C);
    if (TBitmap* bg = BackgroundPicture()) {
        // A plain tiled picture: no frame, no tabs background.
        if (w < 1 || h < 1) return;
        Skintabs::TilePiece(C, TRect(0, 0, w, h), bg, TRect(0, 0, bg->GetWidth(), bg->GetHeight()));
        return;
    }
    const TRect f = Skintabs::FrameAround(s, GetDisplayRect());
    // No sheet covers the middle: the frame's client part is tiled over F first,
    // and the ring drawn after it leaves it.
    TRect middle = s.ClientRect;
    middle.Offset(s.SkinRect.left, s.SkinRect.top);
    Skintabs::TilePiece(C, f, FPicture, middle);
    PaintStripAndFrame(C, f);
}

bool TspSkinTabControl::DescribeTab(int V, Skintabs::TTabLook& L)
{
    if (V < 0 || V >= GetTabs()->GetCount()) return false;
    L.Text = GetTabs()->Get(V);
    TCustomImageList* il = GetImages();
    if (il && V < il->GetCount()) {
        L.Images = il;
        L.ImageIndex = V;
    }
    return true;
}
