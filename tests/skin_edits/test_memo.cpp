// The chat memo: its external scroll bar in step with the text as lines are
// added and the memo resized, the bar scrolling the memo, the wheel, the
// disabled state, and its skinned colours.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinMemo2* M;
    TspSkinScrollBar* Bar;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        M = new TspSkinMemo2(Form.get());
        M->SetParent(Form.get());
        M->SetBounds(0, 0, 200, 100);
        M->SetScrollBars(ssVertical);
        M->SetReadOnly(true);
        Bar = new TspSkinScrollBar(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetParent(Form.get());
        Bar->SetBounds(200, 0, 19, 100);
        M->HandleNeeded();
        M->SetVScrollBar(Bar);
    }
    int MaxScroll()
    {
        int lo = 0, hi = 0;
        GetScrollRange(M->GetHandle(), SB_VERT, &lo, &hi);
        return hi;
    }
    int VisibleLines()
    {
        RECT r;
        GetClientRect(M->GetHandle(), &r);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, M->GetFont()->GetHandle());
        SIZE sz;
        GetTextExtentPoint32A(dc, "Wq", 2, &sz);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return (r.bottom - r.top) / sz.cy;
    }
    int FirstLine() { return static_cast<int>(M->Perform(EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

TEST(SkinMemo, BarFollowsLinesAndSize)
{
    Scene s;
    s.M->GetLines()->Add("one");
    EXPECT_FALSE(s.Bar->GetEnabled());
    EXPECT_EQ(s.Bar->GetMax(), 0);
    for (int i = 0; i < 40; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    ASSERT_GT(s.MaxScroll(), s.VisibleLines());
    EXPECT_TRUE(s.Bar->GetEnabled());
    EXPECT_EQ(s.Bar->GetMax(), s.MaxScroll());
    EXPECT_EQ(s.Bar->GetPageSize(), s.VisibleLines());
    // Taller: more lines fit, the page follows.
    const int before = s.Bar->GetPageSize();
    s.M->SetBounds(0, 0, 200, 180);
    EXPECT_GT(s.Bar->GetPageSize(), before);
    EXPECT_EQ(s.Bar->GetPageSize(), s.VisibleLines());
    EXPECT_EQ(s.Bar->GetMax(), s.MaxScroll());
}

// The bar's far end is the memo's last scroll position, both ways (with 41
// lines and 7 visible, top line 34 for both).
TEST(SkinMemo, BarEndAndMemoEndAreTheSameLine)
{
    Scene s;
    for (int i = 0; i < 41; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    s.M->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    const int last = s.FirstLine();
    ASSERT_GT(last, 0);
    EXPECT_EQ(s.Bar->GetPosition(), last);
    EXPECT_EQ(s.Bar->GetMax() - s.Bar->GetPageSize() + 1, last);
    s.M->Perform(WM_VSCROLL, SB_TOP, 0);
    s.Bar->SetPosition(1000);   // dragged to the end
    EXPECT_EQ(s.Bar->GetPosition(), last);
    EXPECT_EQ(s.FirstLine(), last);
}

TEST(SkinMemo, BarScrollsTheMemoAndTheWheelByOneLine)
{
    Scene s;
    for (int i = 0; i < 60; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    s.M->Perform(WM_VSCROLL, SB_TOP, 0);
    s.Bar->SetPosition(10);   // as the user's drag leaves it
    EXPECT_EQ(s.FirstLine(), 10);
    EXPECT_EQ(s.Bar->GetPosition(), 10);
    s.M->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(s.FirstLine(), 11);
    EXPECT_EQ(s.Bar->GetPosition(), 11);
    s.M->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(s.FirstLine(), 10);
    EXPECT_EQ(s.Bar->GetPosition(), 10);
}

TEST(SkinMemo, DisabledMemoDisablesItsBarAndEnablingRederivesIt)
{
    Scene s;
    for (int i = 0; i < 60; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    ASSERT_TRUE(s.Bar->GetEnabled());
    s.M->SetEnabled(false);
    EXPECT_FALSE(s.Bar->GetEnabled());
    s.M->SetEnabled(true);
    EXPECT_TRUE(s.Bar->GetEnabled());
    EXPECT_EQ(s.Bar->GetMax(), s.MaxScroll());
}

TEST(SkinMemo, SkinColoursAndHotLookOnlyFromAMemoRecord)
{
    Scene s;
    auto d = NewSkin();
    AddButton(d.get(), "memo");   // another kind: unskinned
    s.M->SetSkinData(d.get());
    EXPECT_FALSE(s.M->Skinned());
    auto e = NewSkin();
    auto r = std::make_unique<TspDataSkinMemoControl>("memo");
    r->Font.Color = 0x0000FF;
    r->ActiveFontColor = 0x00FF00;
    r->BGColor = 0x202020;
    r->ActiveBGColor = 0x404040;
    e->CtrlList.push_back(std::move(r));
    s.M->SetSkinData(e.get());
    ASSERT_TRUE(s.M->Skinned());
    EXPECT_EQ(s.M->GetColor(), 0x202020);
    EXPECT_EQ(s.M->GetFont()->GetColor(), 0x0000FF);
    s.M->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(s.M->GetColor(), 0x404040);
    EXPECT_EQ(s.M->GetFont()->GetColor(), 0x00FF00);
    s.M->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.M->GetColor(), 0x202020);
    // The bar is still bound after the re-skin recreated the window.
    for (int i = 0; i < 60; ++i) s.M->GetLines()->Add("line " + std::to_string(i));
    EXPECT_TRUE(s.Bar->GetEnabled());
}

}  // namespace
