// A form with one check list box, and a fixture "checklistbox" element on one
// picture of flat colours: rows, the checked and the unchecked box images, so
// that a probe of a painted row tells which image landed where.
#pragma once
#include "ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinCheckListBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

namespace CheckTest {

using namespace CtlFixture;

const TColor cFrame = 0x0000C0, cClient = 0x00C000, cItem = 0xC00000, cActiveItem = 0xC0C000,
             cCheck = 0x0080FF, cUncheck = 0xFF8000, cKey = 0xFF00FF;
const TRect CheckPic(110, 0, 122, 12), UncheckPic(110, 20, 122, 32);

// Rows of 100 x 20; the check area is (2, 2, 18, 18) of a row unless given.
inline std::unique_ptr<TspSkinData> NewCheckSkin(const TRect& CheckArea = TRect(2, 2, 18, 18))
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(140, 140, 0);
    Paint(pic.get(), TRect(0, 0, 80, 80), cFrame);
    Paint(pic.get(), TRect(2, 2, 78, 78), cClient);
    Paint(pic.get(), TRect(0, 80, 100, 100), cItem);
    Paint(pic.get(), TRect(0, 100, 100, 120), cActiveItem);
    // The images' bottom rows carry the see-through colour.
    Paint(pic.get(), CheckPic, cCheck);
    Paint(pic.get(), TRect(110, 11, 122, 12), cKey);
    Paint(pic.get(), UncheckPic, cUncheck);
    Paint(pic.get(), TRect(110, 31, 122, 32), cKey);
    d->ActivePictures.push_back(std::move(pic));
    auto r = std::make_unique<TspDataSkinCheckListBox>("checklistbox");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 80, 80);
    r->LeftTopPoint = TPoint(10, 10);
    r->RightTopPoint = TPoint(70, 10);
    r->LeftBottomPoint = TPoint(10, 70);
    r->RightBottomPoint = TPoint(70, 70);
    r->ClientRect = TRect(2, 2, 78, 78);
    r->ItemRect = TRect(0, 80, 100, 100);
    r->ActiveItemRect = TRect(0, 100, 100, 120);
    r->FocusItemRect = TRect(0, 100, 100, 120);
    r->ItemTextRect = TRect(20, 0, 100, 20);
    r->ItemCheckRect = CheckArea;
    r->CheckImageRect = CheckPic;
    r->UnCheckImageRect = UncheckPic;
    d->CtrlList.push_back(std::move(r));
    d->Empty = false;
    return d;
}

struct CheckScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinCheckListBox* L;
    explicit CheckScene(int Items = 5)
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0x808080);
        Form->SetBounds(20, 20, 320, 260);
        L = new TspSkinCheckListBox(Form.get());
        L->SetParent(Form.get());
        L->SetBounds(10, 10, 150, 150);
        for (int i = 0; i < Items; ++i) L->GetItems()->Add("item " + std::to_string(i));
        Form->Show();
        PumpUntilIdle();
        L->GetListBox()->HandleNeeded();
    }
    TspCheckListBox* Inner() { return L->GetCheckListBox(); }
    void Press(int I, int X)
    {
        const TRect r = L->ItemRect(I);
        const LPARAM at = PointToLParam(r.left + X, r.top + r.Height() / 2);
        Inner()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Inner()->Perform(WM_LBUTTONUP, 0, at);
    }
    std::string Checks()
    {
        std::string s;
        for (int i = 0; i < L->GetItems()->GetCount(); ++i) s += L->GetState(i) == cbChecked ? 'x' : (L->GetState(i) == cbGrayed ? 'g' : '.');
        return s;
    }
    // The inner list as it is on the screen, in its own coordinates.
    std::unique_ptr<TBitmap> Shot()
    {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        return SkinKit::ScreenShot(Inner()->GetHandle());
    }
};

inline TColor Sys(int Index) { return static_cast<TColor>(GetSysColor(Index) & 0xFFFFFF); }

}  // namespace CheckTest
