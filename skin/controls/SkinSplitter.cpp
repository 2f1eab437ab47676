#include "SkinSplitter.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinImage.h"

TspSkinSplitter::TspSkinSplitter(TComponent* AOwner) : TSplitter(AOwner)
{
    FControlStyle |= csOpaque;
}

void TspSkinSplitter::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    ChangeSkinData();
}

void TspSkinSplitter::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(SkinDataName) : -1;
    FPicture = nullptr;
    if (FIndex == -1) return;
    const auto* r = dynamic_cast<const TspDataSkinSplitterControl*>(FSD->ControlRecord(FIndex));
    if (!r) return;
    // A bar rectangle no control can have (or inverted) is no skin: the plain bar.
    const TRect& sr = r->SkinRect;
    if (sr.right - static_cast<long long>(sr.left) > MaxSkinControlSide ||
        sr.bottom - static_cast<long long>(sr.top) > MaxSkinControlSide || sr.IsEmpty()) {
        FIndex = -1;
        return;
    }
    FLTPoint = r->LeftTopPoint;
    FRTPoint = r->RightTopPoint;
    FLBPoint = r->LeftBottomPoint;
    FSkinRect = r->SkinRect;
    if (r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->ActivePictures.size()))
        FPicture = FSD->ActivePictures[r->PictureIndex].get();
}

void TspSkinSplitter::ChangeSkinData()
{
    GetSkinData();
    // A skin without a usable bar keeps the plain thickness; an absurd element
    // rectangle is not allowed to make the bar vanish or swallow its parent.
    const bool skinned = FIndex != -1 && FPicture;
    auto thickness = [&](int SkinSize) {
        int v = skinned ? SkinSize : DefaultSize;
        if (v < 1) v = DefaultSize > 0 ? DefaultSize : 1;
        return v > 1000 ? 1000 : v;
    };
    if (GetAlign() == alTop || GetAlign() == alBottom) {
        int v = thickness(FSkinRect.Height());
        MinSize = v;
        SetHeight(v);
    } else {
        int v = thickness(FSkinRect.Width());
        MinSize = v;
        SetWidth(v);
    }
    Repaint();
}

void TspSkinSplitter::Notification(TComponent* AComponent, TOperation Operation)
{
    TSplitter::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) {
        FIndex = -1;
        FPicture = nullptr;
    }
}

void TspSkinSplitter::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    // The bar draws over everything below it, so it is painted as not opaque
    // only for the duration of the paint, as the library's splitter expects.
    const TControlStyle style = FControlStyle;
    FControlStyle &= ~csOpaque;
    GetSkinData();
    const TAlign a = GetAlign();
    if (FIndex != -1 && FPicture && a != alNone && a != alClient && !FSkinRect.IsEmpty()) {
        TBitmap b;
        if (a == alTop || a == alBottom)
            Sputils::CreateHSkinImage(FLTPoint.x, FSkinRect.Width() - FRTPoint.x, &b, FPicture, FSkinRect, w,
                                      FSkinRect.Height());
        else
            Sputils::CreateVSkinImage(FLTPoint.y, FSkinRect.Height() - FLBPoint.y, &b, FPicture, FSkinRect,
                                      FSkinRect.Width(), h);
        GetCanvas()->Draw(0, 0, &b);
    } else {
        TSplitter::Paint();
    }
    FControlStyle = style;
}
