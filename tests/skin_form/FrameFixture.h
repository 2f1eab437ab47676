// A frame skin built in code: a 100 x 80 form picture whose nine pieces (four
// corners, four edges, the client) are each one flat colour, a mask with a
// 3 x 3 notch at every corner, and a test form carrying a frame bound to it.
// Pixel probes of the real window then tell which piece landed where.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinTestKit.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

namespace FrameFixture {

// Pictures, probes, shots and artefacts (SkinTestKit.h).
using namespace SkinKit;

// Picture 100 x 80; corner points (20, 24) (80, 24) (20, 76) (80, 76); client
// (4, 24, 96, 76): frame widths left 4, top 24, right 4, bottom 4.
const int PicW = 100, PicH = 80;
const TColor cTopLeft = 0x0000C0, cTop = 0x00C000, cTopRight = 0xC00000;
const TColor cLeft = 0x00C0C0, cRight = 0xC0C000, cBottomLeft = 0xC000C0;
const TColor cBottom = 0x404040, cBottomRight = 0x008080, cClient = 0xF0F0F0;

inline TColor Invert(TColor C) { return (~C) & 0xFFFFFF; }

// Fills the skin data component's content with the fixture skin (no objects).
inline void FillSkin(TspSkinData* D)
{
    auto pic = NewPicture(PicW, PicH, cClient);
    Paint(pic.get(), TRect(0, 0, 20, 24), cTopLeft);
    Paint(pic.get(), TRect(20, 0, 80, 24), cTop);
    Paint(pic.get(), TRect(80, 0, 100, 24), cTopRight);
    Paint(pic.get(), TRect(0, 24, 4, 76), cLeft);
    Paint(pic.get(), TRect(96, 24, 100, 76), cRight);
    Paint(pic.get(), TRect(0, 76, 20, 80), cBottomLeft);
    Paint(pic.get(), TRect(20, 76, 80, 80), cBottom);
    Paint(pic.get(), TRect(80, 76, 100, 80), cBottomRight);
    D->Picture = std::move(pic);
    auto mask = NewPicture(PicW, PicH, 0);
    for (const TRect& r : {TRect(0, 0, 3, 3), TRect(97, 0, 100, 3), TRect(0, 77, 3, 80), TRect(97, 77, 100, 80)})
        Paint(mask.get(), r, 0xFFFFFF);
    D->Mask = std::move(mask);
    D->LTPoint = TPoint(20, 24);
    D->RTPoint = TPoint(80, 24);
    D->LBPoint = TPoint(20, 76);
    D->RBPoint = TPoint(80, 76);
    D->ClientRect = TRect(4, 24, 96, 76);
    D->CaptionRect = TRect(24, 4, 76, 20);
    D->ButtonsRect = TRect();
    D->MaskRectArea = TRect(4, 4, 96, 76);
    D->HitTestLTPoint = TPoint(10, 10);
    D->HitTestRTPoint = TPoint(90, 10);
    D->HitTestLBPoint = TPoint(10, 70);
    D->HitTestRBPoint = TPoint(90, 70);
    D->BorderWidth = 3;
    D->AutoRenderingInActiveImage = true;
    D->InActiveEffect = ieInvert;
    // The caption object spans the caption rectangle (its text area).
    auto caption = std::make_unique<TspDataSkinCaption>("caption");
    caption->SkinRect = D->CaptionRect;
    caption->TextRect = TRect(0, 0, 52, 16);
    caption->DefaultCaption = true;
    D->ObjectList.push_back(std::move(caption));
    D->Empty = false;
}

inline std::unique_ptr<TspSkinData> NewSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    FillSkin(d.get());
    return d;
}

// A shown test form with a frame; the frame is the form's own component.
struct FramedForm {
    std::unique_ptr<TForm> Form;
    TspFormFrame* Frame = nullptr;

    FramedForm(TspSkinData* Skin, int X, int Y, int W, int H, const std::string& Caption = "Framed")
    {
        Form.reset(new TForm(nullptr));
        Form->SetBounds(X, Y, W, H);
        Form->SetCaption(Caption);
        Frame = new TspFormFrame(Form.get());
        Frame->SetSkinData(Skin);
        Form->Show();
        PumpUntilIdle();
    }
    HWND Wnd() { return Form->GetHandle(); }
    // The client rectangle in window coordinates.
    TRect ClientInWindow()
    {
        RECT w, c;
        GetWindowRect(Wnd(), &w);
        GetClientRect(Wnd(), &c);
        POINT o = {0, 0};
        ClientToScreen(Wnd(), &o);
        return TRect(o.x - w.left, o.y - w.top, o.x - w.left + c.right, o.y - w.top + c.bottom);
    }
    LRESULT HitTest(int X, int Y)
    {
        RECT w;
        GetWindowRect(Wnd(), &w);
        return SendMessageA(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(w.left + X, w.top + Y));
    }
    // What the window shows, frame included, read back from its own surface.
    std::unique_ptr<TBitmap> Shot() { return SkinKit::WindowShot(Wnd()); }
};

}  // namespace FrameFixture
