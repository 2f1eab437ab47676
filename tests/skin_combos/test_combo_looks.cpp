// The combo's looks by pixel probes: unskinned, and on a fixture skin whose every
// piece is one flat colour (face, text item, focused item, the button's states,
// and the drop-down's rows from the list element the combo element names); and
// damaged skin values that must neither crash nor escape the control.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "ComboScene.h"
#include "SkinBoxControls.h"
#include "SkinPopupList.h"

using namespace CtlFixture;
using namespace ComboTest;

namespace {

const TColor cFace = 0x404080, cBtn = 0x008000, cActiveBtn = 0x00C0C0, cDownBtn = 0xC00000, cDisBtn = 0x808000,
             cItem = 0xC0C000, cFocusItem = 0xC000C0, cListItem = 0x0080FF, cListFocus = 0xFF8000,
             cListClient = 0x204020;

struct FixtureSkin {
    std::unique_ptr<TspSkinData> D = std::make_unique<TspSkinData>(nullptr);
    TspDataSkinComboBox* Combo;
    TspDataSkinListBox* List;
    FixtureSkin()
    {
        auto pic = NewPicture(200, 80, 0);
        Paint(pic.get(), TRect(120, 0, 200, 40), cListClient);
        Paint(pic.get(), TRect(0, 0, 100, 20), cFace);
        Paint(pic.get(), TRect(80, 2, 98, 18), cBtn);
        Paint(pic.get(), TRect(0, 20, 18, 36), cActiveBtn);
        Paint(pic.get(), TRect(20, 20, 38, 36), cDownBtn);
        Paint(pic.get(), TRect(40, 20, 58, 36), cDisBtn);
        Paint(pic.get(), TRect(0, 40, 60, 56), cItem);
        Paint(pic.get(), TRect(0, 60, 60, 76), cFocusItem);
        Paint(pic.get(), TRect(60, 40, 120, 56), cListItem);
        Paint(pic.get(), TRect(60, 60, 120, 76), cListFocus);
        D->ActivePictures.push_back(std::move(pic));
        D->Empty = false;
        auto c = std::make_unique<TspDataSkinComboBox>("combobox");
        c->PictureIndex = 0;
        c->SkinRect = TRect(0, 0, 100, 20);
        c->LeftTopPoint = TPoint(10, 0);
        c->RightTopPoint = TPoint(80, 0);
        c->ClientRect = TRect(2, 2, 78, 18);
        c->ItemRect = TRect(0, 40, 60, 56);
        c->FocusItemRect = TRect(0, 60, 60, 76);
        c->ItemTextRect = TRect(2, 0, 58, 16);
        c->ButtonRect = TRect(80, 2, 98, 18);
        c->ActiveButtonRect = TRect(0, 20, 18, 36);
        c->DownButtonRect = TRect(20, 20, 38, 36);
        c->UnEnabledButtonRect = TRect(40, 20, 58, 36);
        c->Font.Color = 0x000000;
        c->FocusFontColor = 0xFFFFFF;
        c->ListBoxName = "comboboxlist";
        Combo = c.get();
        D->CtrlList.push_back(std::move(c));
        auto l = std::make_unique<TspDataSkinListBox>("comboboxlist");
        l->PictureIndex = 0;
        l->SkinRect = TRect(120, 0, 200, 40);
        l->LeftTopPoint = TPoint(10, 10);
        l->RightTopPoint = TPoint(70, 10);
        l->LeftBottomPoint = TPoint(10, 30);
        l->RightBottomPoint = TPoint(70, 30);
        l->ClientRect = TRect(2, 2, 78, 38);
        l->ItemRect = TRect(60, 40, 120, 56);
        // The list never has the focus: its selected row is the active piece.
        l->ActiveItemRect = TRect(60, 60, 120, 76);
        l->FocusItemRect = TRect(60, 60, 120, 76);
        l->ItemTextRect = TRect(2, 0, 58, 16);
        List = l.get();
        D->CtrlList.push_back(std::move(l));
    }
};

TColor Sys(int Index) { return static_cast<TColor>(GetSysColor(Index) & 0xFFFFFF); }

TEST(ComboLooks, UnskinnedFrameButtonAndItem)
{
    Scene s;
    s.C->SetItemIndex(1);
    s.Unfocus();
    ASSERT_FALSE(s.C->Focused());
    const int w = s.C->GetWidth();
    auto b = Snapshot(s.C);
    EXPECT_EQ(Probe(b.get(), 0, 10), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(b.get(), w - 17, 3), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Probe(b.get(), w - 19, 10), Sys(COLOR_BTNSHADOW));
    const TRect a = s.C->GetItemArea().R;
    EXPECT_EQ(Probe(b.get(), a.right - 3, a.top + 3), Sys(COLOR_WINDOW));
    s.C->SetFocus();
    ASSERT_TRUE(s.C->Focused());
    b = Snapshot(s.C);
    EXPECT_EQ(Probe(b.get(), a.right - 3, a.top + 3), Sys(COLOR_HIGHLIGHT));
    // The pointer on the button lights it.
    s.C->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(w - 10, 10));
    b = Snapshot(s.C);
    EXPECT_EQ(Probe(b.get(), w - 17, 3), static_cast<TColor>(RGB(182, 189, 210)));
    EXPECT_EQ(Probe(b.get(), w - 19, 10), static_cast<TColor>(clNavy));
}

TEST(ComboLooks, FixtureSkinPieces)
{
    FixtureSkin f;
    Scene s;
    s.C->SetItemIndex(1);
    s.C->SetSkinData(f.D.get());
    ASSERT_TRUE(s.C->Skinned());
    s.Unfocus();
    const int w = s.C->GetWidth();
    // The button's right-end piece moved with the width; the text area grew with it.
    EXPECT_EQ(s.C->GetButton().R.left, 80 + w - 100);
    EXPECT_EQ(s.C->GetItemArea().R, TRect(2, 2, 78 + w - 100, 18));
    struct Case { const char* What; int X, Y; TColor Expected; };
    auto check = [&](std::initializer_list<Case> cases) {
        auto b = Snapshot(s.C);
        for (const Case& c : cases) EXPECT_EQ(Probe(b.get(), c.X, c.Y), c.Expected) << c.What;
    };
    check({{"face", 40, 1, cFace}, {"item", 60, 4, cItem}, {"button", w - 10, 4, cBtn}});
    s.C->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(w - 10, 10));
    check({{"hot button", w - 10, 4, cActiveBtn}});
    s.C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w - 10, 10));
    check({{"pressed button", w - 10, 4, cDownBtn}});
    ASSERT_TRUE(s.C->IsPopupVisible());
    // The drop-down wears the list element the combo element names.
    PumpUntilIdle();
    TspListBox* inner = s.C->GetListBox()->GetListBox();
    const TPoint o = inner->ClientToScreen(TPoint(0, 0));
    const TRect r0 = s.C->GetListBox()->ItemRect(0), r1 = s.C->GetListBox()->ItemRect(1);
    auto shot = ScreenShot(TRect(o.x, o.y, o.x + inner->GetWidth(), o.y + inner->GetHeight()));
    EXPECT_EQ(Probe(shot.get(), r1.right - 5, r1.top + 2), cListFocus);   // the selected item
    EXPECT_EQ(Probe(shot.get(), r0.right - 5, r0.top + 2), cListItem);
    s.C->Perform(WM_LBUTTONUP, 0, MAKELPARAM(w - 10, 10));
    s.C->CloseUp(false);
    s.C->SetEnabled(false);
    check({{"disabled button", w - 10, 4, cDisBtn}});
    s.C->SetEnabled(true);
    // Focused, the item takes the focused piece; a skin without one keeps the plain item.
    s.C->SetFocus();
    ASSERT_TRUE(s.C->Focused());
    check({{"focused item", 60, 4, cFocusItem}});
    f.Combo->FocusItemRect = TRect();
    s.C->Repaint();
    check({{"focused without focusitemrect", 60, 4, cItem}});
}

TEST(ComboLooks, DamagedSkinStaysInsideTheControl)
{
    FixtureSkin f;
    f.Combo->ButtonRect = TRect(-5000, -5000, 90000, 90000);
    f.Combo->ActiveButtonRect = TRect(0, 0, 100000, 100000);
    f.Combo->ClientRect = TRect(-100, -100, 100000, 100000);
    f.Combo->ItemRect = TRect(50, 70, 100000, 100000);
    f.Combo->FocusItemRect = TRect(-10, -10, -5, -5);
    f.Combo->ItemTextRect = TRect(100000, 0, -100000, 5);
    f.Combo->ItemLeftOffset = 70000;
    f.Combo->ItemRightOffset = -300;
    f.Combo->Font.Height = 100000;
    f.List->ItemRect = TRect(0, 0, 10, 100000);
    Scene s;
    s.C->SetItemIndex(2);
    s.C->SetSkinData(f.D.get());
    const TRect a = s.C->GetItemArea().R;
    EXPECT_GE(a.left, 0);
    EXPECT_GE(a.top, 0);
    EXPECT_LE(a.right, s.C->GetWidth());
    EXPECT_LE(a.bottom, s.C->GetHeight());
    s.C->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Snapshot(s.C);
    s.C->SetStyle(spcbEditStyle);
    Snapshot(s.C);
    s.C->DropDown();
    ASSERT_TRUE(s.C->IsPopupVisible());
    UpdateWindow(s.C->GetPopupHandle());
    s.C->CloseUp(true);
    EXPECT_EQ(s.C->GetText(), "Blueberry");
}

}  // namespace
