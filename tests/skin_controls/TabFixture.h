// The "tab" element the page and tab control tests share: a 60 x 60 framed
// element (6-pixel ring, its middle another colour) and three tab looks beside
// it, 40 wide: normal 20 high, active 24 high (taller, so it overhangs the
// frame), mouse-in 20 high; a strip under the frame for the tabs background and
// a second picture for the background picture (the sheets' or the control's).
#pragma once
#include "ControlFixture.h"

namespace TabFixture {

const TColor cFrame = 0x0000C0, cClient = 0x00C000, cTab = 0xC00000, cActiveTab = 0x808000, cHotTab = 0x008080,
             cTabsBG = 0x800080, cBackPicture = 0x404080, cImage = 0x0000FF;

inline TspDataSkinTabControl* TabRecord(TspSkinData* D)
{
    return static_cast<TspDataSkinTabControl*>(D->CtrlList[0].get());
}

inline std::unique_ptr<TspSkinData> NewTabSkin()
{
    using CtlFixture::NewPicture;
    using CtlFixture::Paint;
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(100, 90, 0);
    Paint(pic.get(), TRect(0, 0, 60, 60), cFrame);
    Paint(pic.get(), TRect(6, 6, 54, 54), cClient);
    Paint(pic.get(), TRect(60, 0, 100, 20), cTab);
    Paint(pic.get(), TRect(60, 20, 100, 44), cActiveTab);
    Paint(pic.get(), TRect(60, 44, 100, 64), cHotTab);
    Paint(pic.get(), TRect(0, 60, 10, 70), cTabsBG);
    d->ActivePictures.push_back(std::move(pic));
    d->ActivePictures.push_back(NewPicture(8, 8, cBackPicture));
    d->Empty = false;
    auto r = std::make_unique<TspDataSkinTabControl>("tab");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 60, 60);
    r->ClientRect = TRect(6, 6, 54, 54);
    r->LeftTopPoint = TPoint(6, 6);
    r->RightTopPoint = TPoint(54, 6);
    r->LeftBottomPoint = TPoint(6, 54);
    r->RightBottomPoint = TPoint(54, 54);
    r->TabLooks[tabNormal] = TRect(60, 0, 100, 20);
    r->TabLooks[tabActive] = TRect(60, 20, 100, 44);
    r->TabLooks[tabMouseIn] = TRect(60, 44, 100, 64);
    r->TabsBGRect = TRect(0, 60, 10, 70);
    r->TabLeftOffset = r->TabRightOffset = 4;
    r->UpDown = "hupdown";
    d->CtrlList.push_back(std::move(r));
    return d;
}

}  // namespace TabFixture
