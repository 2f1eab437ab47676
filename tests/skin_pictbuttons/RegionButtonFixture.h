// Region buttons on a plain form: flat-colour pictures with the key colour in
// chosen places, and probes of the button's window region.
#pragma once
#include "ControlFixture.h"
#include "EzRgnBtn.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinElement.h"
#include "WaitUntil.h"
#include <memory>

namespace RgnFixture {

const TColor cKey = 0xFF00FF, cIdle = 0x0000C0, cHot = 0x00C000, cDown = 0xC00000, cDsbld = 0x808080;
const TColor cForm = 0x404040;

// W x H in Fill, with Corner x Corner squares of the key colour in the four
// corners and, when Hole > 0, a Hole x Hole square of it in the middle.
inline std::unique_ptr<TBitmap> ShapedBitmap(int W, int H, TColor Fill, int Corner, int Hole = 0)
{
    auto b = CtlFixture::NewPicture(W, H, Fill);
    if (Corner > 0) {
        CtlFixture::Paint(b.get(), TRect(0, 0, Corner, Corner), cKey);
        CtlFixture::Paint(b.get(), TRect(W - Corner, 0, W, Corner), cKey);
        CtlFixture::Paint(b.get(), TRect(0, H - Corner, Corner, H), cKey);
        CtlFixture::Paint(b.get(), TRect(W - Corner, H - Corner, W, H), cKey);
    }
    if (Hole > 0) CtlFixture::Paint(b.get(), Bounds((W - Hole) / 2, (H - Hole) / 2, Hole, Hole), cKey);
    return b;
}

inline std::unique_ptr<TPicture> PictureOf(TBitmap* B)
{
    auto p = std::make_unique<TPicture>();
    p->SetBitmap(B);
    return p;
}

inline std::unique_ptr<TPicture> Flat(int W, int H, TColor C)
{
    auto b = CtlFixture::NewPicture(W, H, C);
    return PictureOf(b.get());
}

inline std::unique_ptr<TPicture> Shaped(int W, int H, TColor Fill, int Corner, int Hole = 0)
{
    auto b = ShapedBitmap(W, H, Fill, Corner, Hole);
    return PictureOf(b.get());
}

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TEzRgnBtn* Button;
    int Clicks = 0;
    explicit Scene(bool Show = false)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(cForm);
        Form->SetBounds(60, 60, 260, 160);
        Button = new TEzRgnBtn(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(20, 20, 15, 15);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Button->GetHandle();
        if (Show) {
            Form->Show();
            PumpUntilIdle();
        }
    }
};

// The window's region, or null when the window has none (the whole window shows).
inline TRegionHandle WindowRegion(TWinControl* C)
{
    TRegionHandle r(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(C->GetHandle(), r.Get()) == ERROR) r.Reset();
    return r;
}

// Whether (X, Y) of the window shows: inside its region, or inside it when it has none.
inline bool Shows(TWinControl* C, int X, int Y)
{
    TRegionHandle r = WindowRegion(C);
    if (!r.Valid()) return X >= 0 && Y >= 0 && X < C->GetWidth() && Y < C->GetHeight();
    return PtInRegion(r.Get(), X, Y) != 0;
}

// Pixels of the picture whose showing disagrees with their colour (key hidden, others shown).
inline int RegionMismatches(TWinControl* C, TBitmap* Pic)
{
    TRegionHandle r = WindowRegion(C);
    int n = 0;
    for (int y = 0; y < Pic->GetHeight(); ++y)
        for (int x = 0; x < Pic->GetWidth(); ++x) {
            const bool key = CtlFixture::Probe(Pic, x, y) == cKey;
            const bool shows = r.Valid() ? PtInRegion(r.Get(), x, y) != 0 : true;
            if (key == shows) ++n;
        }
    return n;
}

inline TColor Face(TWinControl* C, int X = 10, int Y = 10) { return CtlFixture::Probe(CtlFixture::Snapshot(C).get(), X, Y); }

inline void MouseClickAt(const TPoint& P, int Times = 1)
{
    SetCursorPos(P.x, P.y);
    PumpUntilIdle();
    for (int i = 0; i < Times; ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
    }
}

}  // namespace RgnFixture
