// Fixture skins built in code: one picture whose pieces are painted one flat
// colour each, and records pointing at them, so that a pixel probe of a painted
// control tells which piece (and so which look) landed where.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "CustomControl.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinTestKit.h"
#include <memory>
#include <string>

namespace CtlFixture {

// Pictures, probes, shots and artefacts (SkinTestKit.h).
using namespace SkinKit;

// The four looks of a 60 x 20 button, stacked: normal at y 0, active 20, down 40, disabled 60.
const TColor cNormal = 0x0000C0, cActive = 0x00C000, cDown = 0xC00000, cDisabled = 0x808000;
const TColor cEdge = 0x00C0C0;   // the left and right 10-pixel ends of every look

inline TRect LookRect(int I) { return TRect(0, I * 20, 60, I * 20 + 20); }

// A skin data component holding the picture (index 0), a mask (index 1) and no records yet.
inline std::unique_ptr<TspSkinData> NewSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(60, 80, 0);
    const TColor looks[] = {cNormal, cActive, cDown, cDisabled};
    for (int i = 0; i < 4; ++i) {
        Paint(pic.get(), LookRect(i), looks[i]);
        Paint(pic.get(), TRect(0, i * 20, 10, i * 20 + 20), cEdge);
        Paint(pic.get(), TRect(50, i * 20, 60, i * 20 + 20), cEdge);
    }
    d->ActivePictures.push_back(std::move(pic));
    // Mask of the 60 x 20 element: black (kept) except its 4 x 4 top-left corner.
    auto mask = NewPicture(60, 20, 0);
    Paint(mask.get(), TRect(0, 0, 4, 4), 0xFFFFFF);
    d->ActivePictures.push_back(std::move(mask));
    d->Empty = false;
    return d;
}

// A horizontal three-part button record "button" (ends of 10 pixels, face text area 10..50).
inline TspDataSkinButtonControl* AddButton(TspSkinData* D, const std::string& Name = "button")
{
    auto r = std::make_unique<TspDataSkinButtonControl>(Name);
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->DownSkinRect = LookRect(2);
    r->DisabledSkinRect = LookRect(3);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 2, 50, 18);
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

// Pixels of a control's rectangle, columns from X0 on, that differ between two shots.
inline int Differ(TBitmap* A, TBitmap* B, TControl* C, int X0 = 0)
{
    int n = 0;
    for (int y = 0; y < C->GetHeight(); ++y)
        for (int x = X0; x < C->GetWidth(); ++x)
            if (Probe(A, C->GetLeft() + x, C->GetTop() + y) != Probe(B, C->GetLeft() + x, C->GetTop() + y)) ++n;
    return n;
}

// A plain parent that paints one colour.
class TPlainParent : public TCustomControl {
public:
    explicit TPlainParent(TColor C = 0x404040) : TCustomControl(nullptr) { SetColor(C); }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetStyle(bsSolid);
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
};

}  // namespace CtlFixture
