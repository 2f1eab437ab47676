#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include <cstdlib>
#include "ImgList.h"
#include "TabFixture.h"
#include "SkinPageControl.h"
#include "SkinTabs.h"
#include "SkinTabSheet.h"
#include "SkinUpDown.h"

using namespace CtlFixture;
using namespace TabFixture;

namespace {

// A form with a 300 x 200 page control of N sheets, bound to Skin while no window
// exists (as a form being loaded), then given its windows (as a form shown).
struct Scene {
    std::unique_ptr<TForm> Form;
    TspSkinPageControl* Pc;
    explicit Scene(TspSkinData* Skin, int Pages = 3, int Width = 300, bool Windows = true, TTabPosition Side = tpTop)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Pc = new TspSkinPageControl(Form.get());
        Pc->SetParent(Form.get());
        Pc->SetBounds(0, 0, Width, 200);
        Pc->SetTabPosition(Side);
        for (int i = 0; i < Pages; ++i) {
            auto* t = new TspSkinTabSheet(Form.get());
            t->SetPageControl(Pc);
            t->SetText("P" + std::to_string(i));
        }
        Pc->SetSkinData(Skin);
        if (Windows) Form->HandleNeeded();
    }
    TPoint Inside(int V, int Dx = 2, int Dy = 2)
    {
        TRect r = Pc->GetItemRect(V);
        return TPoint(r.left + Dx, r.top + Dy);
    }
    TPoint Middle(int V)
    {
        TRect r = Pc->GetItemRect(V);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void MouseMove(const TPoint& P) { SendMessageA(Pc->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y)); }
};

TEST(SkinPageControl, SheetsAddedMakeTheFirstCurrentBeforeAndAfterTheWindowExists)
{
    auto skin = NewTabSkin();
    for (bool windows : {false, true}) {
        Scene s(skin.get(), 3, 300, windows);
        EXPECT_EQ(s.Pc->GetActivePageIndex(), 0) << windows;
        EXPECT_TRUE(s.Pc->GetPage(0)->GetVisible()) << windows;
        s.Form->HandleNeeded();
        EXPECT_EQ(s.Pc->GetActivePageIndex(), 0) << windows;
        EXPECT_EQ(SendMessageA(s.Pc->GetHandle(), TCM_GETCURSEL, 0, 0), 0) << windows;
    }
}

// The display rectangle is the native answer rewritten by the skin's borders; the
// tab height set while the form loads reaches the native control with its window.
TEST(SkinPageControl, DisplayRectangleAndTabsFollowTheSkin)
{
    auto skin = NewTabSkin();
    struct Case {
        const char* What;
        bool Skinned;
        TRect Display;   // native top for tabs 20 high is 24
    } cases[] = {
        {"skinned: borders of 6, top + 6 - 6", true, TRect(6, 24, 294, 194)},
        {"unskinned: 1-pixel frame, top - 5", false, TRect(1, 19, 299, 199)},
    };
    for (const auto& c : cases) {
        Scene s(c.Skinned ? skin.get() : nullptr);
        s.Pc->SetDefaultItemHeight(20);   // what loading does for an unskinned control
        EXPECT_EQ(s.Pc->Skinned(), c.Skinned) << c.What;
        const TRect d = s.Pc->GetDisplayRect();
        EXPECT_EQ(d.left, c.Display.left) << c.What;
        EXPECT_EQ(d.top, c.Display.top) << c.What;
        EXPECT_EQ(d.right, c.Display.right) << c.What;
        EXPECT_EQ(d.bottom, c.Display.bottom) << c.What;
        // Tabs from the control's corner, as high as the skin's tab look (or the default 20).
        const TRect t0 = s.Pc->GetItemRect(0), t1 = s.Pc->GetItemRect(1);
        EXPECT_EQ(t0.left, 0) << c.What;
        EXPECT_EQ(t0.top, 0) << c.What;
        EXPECT_EQ(t0.Height(), 20) << c.What;
        EXPECT_EQ(t1.left, t0.right) << c.What;
        // The current sheet fills the display rectangle.
        TTabSheet* p = s.Pc->GetActivePage();
        ASSERT_TRUE(p) << c.What;
        EXPECT_EQ(p->GetLeft(), d.left) << c.What;
        EXPECT_EQ(p->GetTop(), d.top) << c.What;
        EXPECT_EQ(p->GetWidth(), d.Width()) << c.What;
        EXPECT_EQ(p->GetHeight(), d.Height()) << c.What;
    }
}

TEST(SkinPageControl, DisplayRectangleBeforeTheWindowMatchesTheWindowsOwn)
{
    auto skin = NewTabSkin();
    for (TspSkinData* d : {skin.get(), static_cast<TspSkinData*>(nullptr)}) {
        Scene s(d, 3, 300, false);
        ASSERT_FALSE(s.Pc->HandleAllocated());
        const TRect before = s.Pc->GetDisplayRect();
        s.Form->HandleNeeded();
        const TRect after = s.Pc->GetDisplayRect();
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        EXPECT_EQ(before.right, after.right);
        EXPECT_EQ(before.bottom, after.bottom);
    }
}

TEST(SkinPageControl, FixedTabHeightStretchesEveryLookToTheTab)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    s.Pc->SetTabHeight(16);
    s.Pc->UpDateTabs();
    const TRect t0 = s.Pc->GetItemRect(0);
    EXPECT_EQ(t0.Height(), 16);
    auto shot = Snapshot(s.Pc);
    EXPECT_EQ(Probe(shot.get(), t0.left + 2, t0.bottom - 1), cActiveTab);
    EXPECT_NE(Probe(shot.get(), t0.left + 2, t0.bottom + 1), cActiveTab);
}

// Hot tracking through the window's own mouse messages: the tab under the mouse
// takes the mouse-in look, except the active tab; leaving the control clears it.
TEST(SkinPageControl, HotTabFollowsTheMouseButNeverTheActiveTab)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    struct Step {
        const char* What;
        TPoint At;
        int HotTab, HotPage;
        TColor Tab0, Tab1;
    } steps[] = {
        {"over tab 1", s.Middle(1), 1, 1, cActiveTab, cHotTab},
        {"over the active tab", s.Middle(0), 0, 0, cActiveTab, cTab},
        {"over tab 1 again", s.Middle(1), 1, 1, cActiveTab, cHotTab},
        {"over the sheet", TPoint(150, 150), -1, 3, cActiveTab, cTab},
    };
    for (const auto& st : steps) {
        s.MouseMove(st.At);
        EXPECT_EQ(s.Pc->HotTab(), st.HotTab) << st.What;
        EXPECT_EQ(s.Pc->HotPage(), st.HotPage) << st.What;
        auto shot = Snapshot(s.Pc);
        EXPECT_EQ(Probe(shot.get(), s.Inside(0).x, s.Inside(0).y), st.Tab0) << st.What;
        EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), st.Tab1) << st.What;
    }
    s.MouseMove(s.Middle(2));
    EXPECT_EQ(s.Pc->HotTab(), 2);
    s.Pc->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.Pc->HotTab(), -1);
    auto shot = Snapshot(s.Pc);
    EXPECT_EQ(Probe(shot.get(), s.Inside(2).x, s.Inside(2).y), cTab);
}

TEST(SkinPageControl, NullMouseInLookFallsBackToTheNormalLook)
{
    auto skin = NewTabSkin();
    TabRecord(skin.get())->TabLooks[tabMouseIn] = TRect();
    Scene s(skin.get());
    s.MouseMove(s.Middle(1));
    EXPECT_EQ(s.Pc->HotTab(), 1);
    auto shot = Snapshot(s.Pc);
    EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), cTab);
}

TEST(SkinPageControl, HiddenTabTakesNoVisiblePosition)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 4);
    s.Pc->GetPage(1)->SetTabVisible(false);
    EXPECT_EQ(SendMessageA(s.Pc->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 3);
    s.MouseMove(s.Middle(1));
    EXPECT_EQ(s.Pc->HotTab(), 1);
    EXPECT_EQ(s.Pc->HotPage(), 2);
    s.MouseMove(s.Middle(2));
    EXPECT_EQ(s.Pc->HotTab(), 2);
    EXPECT_EQ(s.Pc->HotPage(), 3);
}

// Records that cannot skin the control leave it unskinned at its own size,
// painted in system colours.
TEST(SkinPageControl, UnusableRecordLeavesTheControlUnskinned)
{
    struct Case {
        const char* What;
        void (*Spoil)(TspSkinData*);
    } cases[] = {
        {"record of another kind", [](TspSkinData* D) {
             D->CtrlList.clear();
             AddButton(D, "tab");
         }},
        {"picture index outside the list", [](TspSkinData* D) { TabRecord(D)->PictureIndex = 7; }},
        {"no picture", [](TspSkinData* D) { TabRecord(D)->PictureIndex = -1; }},
        {"null skin rectangle", [](TspSkinData* D) { TabRecord(D)->SkinRect = TRect(); }},
        {"skin rectangle outside the picture", [](TspSkinData* D) { TabRecord(D)->SkinRect = TRect(200, 0, 260, 60); }},
        {"null tab look", [](TspSkinData* D) { TabRecord(D)->TabLooks[tabNormal] = TRect(); }},
    };
    for (const auto& c : cases) {
        auto skin = NewTabSkin();
        c.Spoil(skin.get());
        Scene s(skin.get());
        EXPECT_FALSE(s.Pc->Skinned()) << c.What;
        EXPECT_EQ(s.Pc->GetWidth(), 300) << c.What;
        EXPECT_EQ(s.Pc->GetHeight(), 200) << c.What;
        EXPECT_EQ(s.Pc->GetItemRect(0).Height(), 20) << c.What;
        auto shot = Snapshot(s.Pc);
        const TRect d = s.Pc->GetDisplayRect();
        EXPECT_EQ(Probe(shot.get(), 150, (d.top + d.bottom) / 2), SystemColour(clBtnFace)) << c.What;
    }
}

// Degenerate elements (borders of nothing, a middle of no size) still paint the
// control without a fault, and never outside it.
TEST(SkinPageControl, DegenerateFramesPaintWithoutFault)
{
    struct Case {
        const char* What;
        void (*Spoil)(TspDataSkinTabControl*);
    } cases[] = {
        {"coinciding points", [](TspDataSkinTabControl* R) {
             R->LeftTopPoint = R->RightTopPoint = R->LeftBottomPoint = R->RightBottomPoint = TPoint(30, 30);
         }},
        {"client rectangle of no size", [](TspDataSkinTabControl* R) { R->ClientRect = TRect(30, 30, 30, 30); }},
        {"client rectangle outside the skin", [](TspDataSkinTabControl* R) { R->ClientRect = TRect(-50, -50, 500, 500); }},
        {"inverted client rectangle", [](TspDataSkinTabControl* R) { R->ClientRect = TRect(54, 54, 6, 6); }},
        {"huge tab offsets", [](TspDataSkinTabControl* R) { R->TabLeftOffset = R->TabRightOffset = 100000; }},
        {"negative tab offsets", [](TspDataSkinTabControl* R) { R->TabLeftOffset = R->TabRightOffset = -9; }},
        {"background picture outside the list", [](TspDataSkinTabControl* R) { R->BGPictureIndex = 99; }},
        {"tabs background outside the picture", [](TspDataSkinTabControl* R) { R->TabsBGRect = TRect(500, 500, 510, 510); }},
    };
    for (const auto& c : cases) {
        auto skin = NewTabSkin();
        c.Spoil(TabRecord(skin.get()));
        Scene s(skin.get());
        EXPECT_TRUE(s.Pc->Skinned()) << c.What;
        const TRect d = s.Pc->GetDisplayRect();
        EXPECT_GE(d.left, 0) << c.What;
        EXPECT_LE(d.right, 300) << c.What;
        EXPECT_LE(d.bottom, 200) << c.What;
        EXPECT_LE(d.top, d.bottom) << c.What;
        auto shot = Snapshot(s.Pc);
        EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), cTab) << c.What;
    }
}

TEST(SkinPageControl, SheetBackgroundFromTheBackgroundPictureOrTheFramesMiddle)
{
    struct Case {
        const char* What;
        int BGPictureIndex;
        TColor Expect;
    } cases[] = {
        {"background picture", 1, cBackPicture},
        {"no background picture", -1, cClient},
        {"index past the pictures", 2, cClient},
        {"negative index", -7, cClient},
    };
    for (const auto& c : cases) {
        auto skin = NewTabSkin();
        TabRecord(skin.get())->BGPictureIndex = c.BGPictureIndex;
        Scene s(skin.get());
        TTabSheet* p = s.Pc->GetActivePage();
        ASSERT_TRUE(p);
        auto shot = Snapshot(p);
        for (TPoint at : {TPoint(0, 0), TPoint(p->GetWidth() - 1, p->GetHeight() - 1), TPoint(37, 41)})
            EXPECT_EQ(Probe(shot.get(), at.x, at.y), c.Expect) << c.What << " at " << at.x << "," << at.y;
    }
}

// The image of a tab shows only while the page's image index names one of the list.
TEST(SkinPageControl, ImageIndexOutsideTheListDrawsNoImage)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    TImageList images(16, 16);
    auto pic = NewPicture(16, 16, cImage);
    images.Add(pic.get(), nullptr);
    images.Add(pic.get(), nullptr);
    s.Pc->SetImages(&images);
    struct Case {
        int Index;
        bool Shown;
    } cases[] = {{0, true}, {1, true}, {-1, false}, {2, false}, {99, false}, {-100, false}};
    for (const auto& c : cases) {
        s.Pc->GetPage(1)->SetImageIndex(c.Index);
        auto shot = Snapshot(s.Pc);
        const TRect t = s.Pc->GetItemRect(1);
        int found = 0;
        for (int y = t.top; y < t.bottom; ++y)
            for (int x = t.left; x < t.right; ++x)
                if (Probe(shot.get(), x, y) == cImage) ++found;
        EXPECT_EQ(found > 0, c.Shown) << c.Index;
        EXPECT_EQ(Probe(shot.get(), t.left + 2, t.top + 2), cTab) << c.Index;
    }
    s.Pc->SetImages(nullptr);
}

TEST(SkinPageControl, RemovedSkinDataIsForgotten)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    ASSERT_TRUE(s.Pc->Skinned());
    skin.reset();
    EXPECT_EQ(s.Pc->GetSkinDataComponent(), nullptr);
    s.Pc->ChangeSkinData();
    EXPECT_FALSE(s.Pc->Skinned());
    auto shot = Snapshot(s.Pc);
    const TRect d = s.Pc->GetDisplayRect();
    EXPECT_EQ(Probe(shot.get(), 150, (d.top + d.bottom) / 2), SystemColour(clBtnFace));
}

// The scroller the tab control shares (test_tabs_twins.cpp) scrolls the tabs
// off the left and comes back when the control narrows again.
TEST(SkinPageControl, ScrollerScrollsTabsOffAndComesBackWhenNarrowed)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 8, 200);
    HWND wnd = s.Pc->GetHandle();
    TspSkinUpDown* u = s.Pc->Scroller();
    ASSERT_TRUE(u);
    u->SetPosition(2);
    EXPECT_LE(s.Pc->GetItemRect(1).right, 0);
    s.Pc->SetBounds(0, 0, 480, 200);   // 8 tabs of 54 fit beside the scroller
    EXPECT_EQ(s.Pc->Scroller(), nullptr);
    EXPECT_EQ(s.Pc->GetInVisibleItemCount(), 0);
    EXPECT_EQ(FindWindowExA(wnd, nullptr, UPDOWN_CLASSA, nullptr), nullptr);
    s.Pc->SetBounds(0, 0, 150, 200);
    ASSERT_TRUE(s.Pc->Scroller());
    EXPECT_EQ(s.Pc->Scroller()->GetLeft() + s.Pc->Scroller()->GetWidth(), 150);
}

TEST(SkinPageControl, MultiLineTabsNeedNoScroller)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 8, 200);
    ASSERT_TRUE(s.Pc->Scroller());
    s.Pc->SetMultiLine(true);
    s.Pc->UpDateTabs();
    EXPECT_EQ(s.Pc->Scroller(), nullptr);
    s.Pc->SetBounds(0, 0, 180, 200);
    EXPECT_EQ(s.Pc->Scroller(), nullptr);
}

// A quarter turn counter-clockwise puts a bitmap's left end at the bottom (its
// text reads upwards); clockwise puts it at the top (reads downwards).
TEST(SkinTabsRoutines, QuarterTurnsEitherWay)
{
    const TColor cLeft = 0x0000C0, cRight = 0x00C000;
    auto b = NewPicture(20, 10, cRight);
    Paint(b.get(), TRect(0, 0, 10, 10), cLeft);
    struct Case {
        const char* What;
        void (*Turn)(TCanvas*, TBitmap*, int, int);
        TColor Top, Bottom;
    } cases[] = {
        {"counter-clockwise", Skintabs::DrawRotate90_1, cRight, cLeft},
        {"clockwise", Skintabs::DrawRotate90_2, cLeft, cRight},
    };
    for (const auto& c : cases) {
        auto out = NewPicture(30, 30, 0xFFFFFF);
        c.Turn(out->GetCanvas(), b.get(), 5, 3);
        EXPECT_EQ(Probe(out.get(), 10, 5), c.Top) << c.What;
        EXPECT_EQ(Probe(out.get(), 10, 20), c.Bottom) << c.What;
        EXPECT_EQ(Probe(out.get(), 4, 10), static_cast<TColor>(0xFFFFFF)) << c.What;    // left of the 10 x 20 result
        EXPECT_EQ(Probe(out.get(), 15, 10), static_cast<TColor>(0xFFFFFF)) << c.What;   // right of it
        EXPECT_EQ(Probe(out.get(), 10, 23), static_cast<TColor>(0xFFFFFF)) << c.What;   // below it
    }
}

// Tabs on each side: the display rectangle keeps the native side next to the tabs,
// the tabs background fills the band beside the frame, side tabs are turned.
TEST(SkinPageControl, TabsOnEverySide)
{
    auto skin = NewTabSkin();
    struct Case {
        TTabPosition Side;
        TRect Display;     // native: tabs 20 wide, a 4-pixel frame
        TPoint Tab0;       // corner of the first tab
        TPoint TabsBG;     // a point of the band beside the frame, past the tabs
        TPoint Overhang;   // just past the normal tab 1, inside the taller active look's reach
    } cases[] = {
        {tpTop, TRect(6, 24, 294, 194), TPoint(0, 0), TPoint(297, 2), TPoint(0, 22)},
        {tpBottom, TRect(6, 4, 294, 174), TPoint(0, 180), TPoint(297, 197), TPoint(0, 177)},
        {tpLeft, TRect(26, 4, 294, 194), TPoint(0, 2), TPoint(2, 197), TPoint(22, 0)},
        {tpRight, TRect(6, 4, 274, 194), TPoint(280, 2), TPoint(297, 197), TPoint(277, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Side);
        Scene s(skin.get(), 3, 300, true, c.Side);
        ASSERT_TRUE(s.Pc->Skinned());
        const TRect d = s.Pc->GetDisplayRect();
        EXPECT_EQ(d, c.Display);
        const TRect t0 = s.Pc->GetItemRect(0), t1 = s.Pc->GetItemRect(1);
        EXPECT_EQ(t0.TopLeft(), c.Tab0);
        auto shot = Snapshot(s.Pc);
        EXPECT_EQ(Probe(shot.get(), c.TabsBG.x, c.TabsBG.y), cTabsBG);
        EXPECT_EQ(Probe(shot.get(), t0.left + 2, t0.top + 2), cActiveTab);
        EXPECT_EQ(Probe(shot.get(), t1.left + 2, t1.top + 2), cTab);
        EXPECT_EQ(s.Pc->Scroller(), nullptr);
    }
}

TEST(SkinPageControl, ScrollerSitsAtTheBottomForBottomTabs)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 8, 200, true, tpBottom);
    ASSERT_TRUE(s.Pc->Scroller());
    EXPECT_EQ(s.Pc->Scroller()->GetTop() + s.Pc->Scroller()->GetHeight(), 200);
    EXPECT_EQ(s.Pc->Scroller()->GetLeft() + s.Pc->Scroller()->GetWidth(), 200);
    s.Pc->SetTabPosition(tpLeft);
    EXPECT_EQ(s.Pc->Scroller(), nullptr);
}

// The control's font: the skin's name, height and style with the default font's
// character set (or the default font itself), coloured with the skin's font colour.
TEST(SkinPageControl, FontFollowsTheSkinOrTheDefaultFont)
{
    auto skin = NewTabSkin();
    auto* rec = TabRecord(skin.get());
    rec->Font.Name = "Courier New";
    rec->Font.Height = 17;
    rec->Font.Style = fsBold;
    rec->Font.Color = 0x123456;
    struct Case {
        const char* What;
        bool Skinned, UseSkinFont;
        const char* Name;
        int Height;
        TColor Color;
    } cases[] = {
        {"skin font", true, true, "Courier New", 17, 0x123456},
        {"default font, skin colour", true, false, "Tahoma", 12, 0x123456},
        {"unskinned: the default font", false, true, "Tahoma", 12, 0x0000FF},
    };
    for (const auto& c : cases) {
        Scene s(nullptr);
        s.Pc->GetDefaultFont()->SetName("Tahoma");
        s.Pc->GetDefaultFont()->SetHeight(12);
        s.Pc->GetDefaultFont()->SetColor(0x0000FF);
        s.Pc->UseSkinFont = c.UseSkinFont;
        s.Pc->SetSkinData(c.Skinned ? skin.get() : nullptr);
        s.Pc->ChangeSkinData();
        EXPECT_EQ(s.Pc->GetFont()->GetName(), c.Name) << c.What;
        EXPECT_EQ(s.Pc->GetFont()->GetHeight(), c.Height) << c.What;
        EXPECT_EQ(s.Pc->GetFont()->GetColor(), c.Color) << c.What;
    }
}

// A handler that frees the control while it reports a change of sheet: nothing
// touches the control afterwards.
TEST(SkinPageControl, FreedInsideItsOwnChange)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    TspSkinPageControl* pc = s.Pc;
    bool freed = false;
    pc->OnChange = [&](TObject*) {
        delete pc;
        freed = true;
    };
    HWND wnd = pc->GetHandle();
    TabCtrl_SetCurSel(wnd, 1);
    NMHDR hdr = {wnd, static_cast<UINT_PTR>(GetDlgCtrlID(wnd)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(s.Form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_TRUE(freed);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(s.Form->GetControlCount(), 0);
}

// Seeded damage to every value of the tab element: the control paints, hovers and
// scrolls without a fault, and never grows.
TEST(SkinPageControl, SurvivesSeededDamageToItsRecord)
{
    struct TRandom {
        uint32_t State;
        uint32_t Next() { return State = State * 1664525u + 1013904223u; }
        int Any()
        {
            switch (Next() % 6) {
            case 0: return 0;
            case 1: return -1;
            case 2: return static_cast<int>(Next() % 100);
            case 3: return -static_cast<int>(Next() % 100000);
            case 4: return static_cast<int>(Next());
            default: return static_cast<int>(Next() % 70);
            }
        }
        TRect Rect() { return TRect(Any(), Any(), Any(), Any()); }
        TPoint Point() { return TPoint(Any(), Any()); }
    } rnd{20261211u};
    auto skin = NewTabSkin();
    const TTabPosition sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    Scene s(skin.get(), 6);
    for (int round = 0; round < 60; ++round) {
        auto* r = TabRecord(skin.get());
        r->PictureIndex = rnd.Next() % 3 ? static_cast<int>(rnd.Next() % 3) - 1 : rnd.Any();
        r->SkinRect = rnd.Next() % 2 ? TRect(0, 0, rnd.Next() % 70, rnd.Next() % 70) : rnd.Rect();
        r->ClientRect = rnd.Rect();
        r->LeftTopPoint = rnd.Point();
        r->RightTopPoint = rnd.Point();
        r->LeftBottomPoint = rnd.Point();
        r->RightBottomPoint = rnd.Point();
        for (TRect* t : {&r->TabLooks[tabNormal], &r->TabLooks[tabActive], &r->TabLooks[tabFocused],
                          &r->TabLooks[tabMouseIn], &r->TabsBGRect})
            *t = rnd.Next() % 2 ? TRect(60, 0, 60 + rnd.Next() % 50, rnd.Next() % 90) : rnd.Rect();
        r->TabLeftOffset = rnd.Any();
        r->TabRightOffset = rnd.Any();
        r->Font.Height = rnd.Any() % 200;
        r->BGPictureIndex = rnd.Any();
        const int w = static_cast<int>(rnd.Next() % 400), h = static_cast<int>(rnd.Next() % 300);
        s.Pc->SetBounds(0, 0, w, h);
        if (round % 7 == 0) s.Pc->SetTabPosition(sides[rnd.Next() % 4]);
        s.Pc->SetTabHeight(rnd.Next() % 3 ? 0 : static_cast<int>(rnd.Next() % 40));
        s.Pc->ChangeSkinData();
        ASSERT_EQ(s.Pc->GetWidth(), w) << round;
        ASSERT_EQ(s.Pc->GetHeight(), h) << round;
        s.MouseMove(s.Middle(1));
        if (s.Pc->Scroller()) s.Pc->Scroller()->SetPosition(s.Pc->Scroller()->GetMax());
        auto shot = NewPicture(400, 300, 0);
        s.Form->PaintTo(shot->GetCanvas()->GetHandle(), 0, 0);
        s.Pc->Perform(CM_MOUSELEAVE, 0, 0);
    }
}

// The sheets paint the area under the tabs: with pages the control never erases
// its background (no flicker under them); without pages the platform erases it.
TEST(SkinPageControl, BackgroundErasedOnlyWithoutPages)
{
    auto skin = NewTabSkin();
    for (int pages : {0, 2}) {
        Scene s(skin.get(), pages);
        auto b = NewPicture(300, 200, 0xFFFFFF);
        s.Pc->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(b->GetCanvas()->GetHandle()), 0);
        EXPECT_EQ(Probe(b.get(), 150, 100) == 0xFFFFFF, pages > 0) << pages;
    }
}

// A skin change rebuilds the scroller so that it wears the new skin's element.
TEST(SkinPageControl, SkinChangeRebuildsTheScroller)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 8, 200);
    ASSERT_TRUE(s.Pc->Scroller());
    EXPECT_EQ(s.Pc->Scroller()->GetSkinDataName(), "hupdown");
    TabRecord(skin.get())->UpDown = "otherupdown";
    s.Pc->ChangeSkinData();
    ASSERT_TRUE(s.Pc->Scroller());
    EXPECT_EQ(s.Pc->Scroller()->GetSkinDataName(), "otherupdown");
    EXPECT_EQ(s.Pc->Scroller()->GetLeft() + s.Pc->Scroller()->GetWidth(), 200);
}

}  // namespace

namespace {

// A skin's giant font height reaches the page control's font and its tabs
// clamped, as everywhere a skin font is used: painting stays quick.
TEST(SkinPageControl, GiantSkinFontHeightIsClamped)
{
    for (int height : {40000, -40000, 2147483647}) {
        SCOPED_TRACE(height);
        auto skin = NewTabSkin();
        TabRecord(skin.get())->Font.Height = height;
        Scene s(skin.get());
        s.Pc->UseSkinFont = true;
        s.Pc->ChangeSkinData();
        ASSERT_TRUE(s.Pc->Skinned());
        EXPECT_LE(std::abs(s.Pc->GetFont()->GetHeight()), MaxSkinFontHeight);
        auto shot = Snapshot(s.Pc);
        EXPECT_EQ(shot->GetWidth(), 300);
    }
}

}  // namespace
