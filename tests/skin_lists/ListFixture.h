// A fixture "listbox" element on one picture of flat colours: the frame, its
// client tile, and the normal, selected and focused item pictures, each its own
// colour, so that a probe of the painted list tells which piece landed where.
#pragma once
#include "ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinListBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

namespace ListFixture {

using namespace CtlFixture;

const TColor cFrame = 0x0000C0, cClient = 0x00C000, cItem = 0xC00000, cActiveItem = 0xC0C000,
             cFocusItem = 0x00C0C0, cCaptionBtn = 0xC000C0;
const TRect ItemPic(0, 80, 60, 96), ActivePic(0, 96, 60, 112), FocusPic(0, 112, 60, 128);

inline std::unique_ptr<TspSkinData> NewListSkin(bool Caption = false)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(100, 140, 0);
    Paint(pic.get(), TRect(0, 0, 80, 80), cFrame);
    Paint(pic.get(), TRect(2, Caption ? 20 : 2, 78, 78), cClient);
    Paint(pic.get(), ItemPic, cItem);
    Paint(pic.get(), ActivePic, cActiveItem);
    Paint(pic.get(), FocusPic, cFocusItem);
    Paint(pic.get(), TRect(80, 0, 94, 14), cCaptionBtn);
    d->ActivePictures.push_back(std::move(pic));
    auto r = std::make_unique<TspDataSkinListBox>("listbox");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 80, 80);
    r->LeftTopPoint = TPoint(10, 30);
    r->RightTopPoint = TPoint(70, 30);
    r->LeftBottomPoint = TPoint(10, 70);
    r->RightBottomPoint = TPoint(70, 70);
    r->ClientRect = TRect(2, Caption ? 20 : 2, 78, 78);
    r->ItemRect = ItemPic;
    r->ActiveItemRect = ActivePic;
    r->FocusItemRect = FocusPic;
    r->ItemTextRect = TRect(3, 0, 57, 16);
    r->Font.Color = 0x000000;
    r->ActiveFontColor = 0xFFFFFF;
    r->FocusFontColor = 0xFFFFFF;
    if (Caption) {
        r->CaptionRect = TRect(2, 2, 40, 18);
        r->ButtonLooks[lbbUp] = {TRect(62, 3, 76, 17), TRect(80, 0, 94, 14), TRect()};
        r->ButtonLooks[lbbDown] = {TRect(46, 3, 60, 17), TRect(80, 0, 94, 14), TRect()};
    }
    d->CtrlList.push_back(std::move(r));
    d->Empty = false;
    return d;
}

inline TspDataSkinListBox* ListRecord(TspSkinData* D) { return static_cast<TspDataSkinListBox*>(D->CtrlList[0].get()); }

struct ListScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinListBox* L;
    explicit ListScene(int Items = 0, bool Show = true)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0x808080);
        Form->SetBounds(20, 20, 320, 260);
        L = new TspSkinListBox(Form.get());
        L->SetParent(Form.get());
        L->SetBounds(10, 10, 120, 120);
        for (int i = 0; i < Items; ++i) L->GetItems()->Add("item " + std::to_string(i));
        if (Show) {
            Form->Show();
            PumpUntilIdle();
        }
        L->GetListBox()->HandleNeeded();
    }
    TspListBox* Inner() { return L->GetListBox(); }
    void Press(TWinControl* C, int X, int Y, WPARAM Keys = 0)
    {
        C->Perform(WM_LBUTTONDOWN, MK_LBUTTON | Keys, PointToLParam(X, Y));
        C->Perform(WM_LBUTTONUP, Keys, PointToLParam(X, Y));
    }
    void ClickItem(int I, WPARAM Keys = 0)
    {
        TRect r = L->ItemRect(I);
        Press(Inner(), r.left + 5, r.top + r.Height() / 2, Keys);
    }
    void Key(WORD K) { Inner()->Perform(WM_KEYDOWN, K, 1); }
    // The window as it is on the screen, in its own coordinates.
    std::unique_ptr<TBitmap> Shot(TWinControl* C)
    {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        return SkinKit::ScreenShot(C->GetHandle());
    }
};

inline TColor Sys(int Index) { return static_cast<TColor>(GetSysColor(Index) & 0xFFFFFF); }

}  // namespace ListFixture
