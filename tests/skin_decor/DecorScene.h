// A borderless form to place the controls on, a fixture skin whose pieces are one
// flat colour each, and small input helpers.
#pragma once
#include "ControlFixture.h"
#include "Form.h"
#include "Messages.h"

namespace Decor {

using namespace CtlFixture;

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = std::make_unique<TspSkinData>(nullptr);
    explicit Scene(int W = 300, int H = 200, int PicW = 200, int PicH = 200)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, W, H);
        Form->SetColor(0xFFFFFF);
        Skin->ActivePictures.push_back(NewPicture(PicW, PicH, 0));
        Skin->Empty = false;
    }
    ~Scene() { Form.reset(); }
    TBitmap* Picture() { return Skin->ActivePictures[0].get(); }
    template <class R> R* Add(std::unique_ptr<R> Rec)
    {
        R* p = Rec.get();
        Skin->CtrlList.push_back(std::move(Rec));
        return p;
    }
    template <class C> C* Place(int X, int Y, int W, int H, TWinControl* Parent = nullptr)
    {
        auto* c = new C(Form.get());
        c->SetParent(Parent ? Parent : Form.get());
        c->SetBounds(X, Y, W, H);
        return c;
    }
};

inline void Press(TControl* C, int X, int Y, UINT Msg = WM_LBUTTONDOWN)
{
    C->Perform(Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, PointToLParam(X, Y));
}
inline void Move(TControl* C, int X, int Y) { C->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
inline void Release(TControl* C, int X, int Y, UINT Msg = WM_LBUTTONUP) { C->Perform(Msg, 0, PointToLParam(X, Y)); }
inline void Click(TControl* C, int X, int Y)
{
    Press(C, X, Y);
    Release(C, X, Y);
}
inline TColor Sys(int Index) { return static_cast<TColor>(GetSysColor(Index)); }

}  // namespace Decor
