// What the page control and the tab control share, checked on both with the
// shared "tab" element (TabFixture.h): every piece of the element where it
// belongs, the system colours without a skin, and the skinned scroller of tabs
// that overflow one row.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinPageControl.h"
#include "SkinTabControl.h"
#include "SkinTabSheet.h"
#include "SkinUpDown.h"
#include "TabFixture.h"
#include "WaitUntil.h"
#include <type_traits>

using namespace CtlFixture;
using namespace TabFixture;

namespace {

// How each kind is made: the page control with sheets, bound while no window
// exists and then given its windows (as a form being loaded); the tab control
// with tabs 20 high on a shown form, its text a colour apart from black.
template <class C> struct Kind;
template <> struct Kind<TspSkinPageControl> {
    static std::unique_ptr<TspSkinData> Skin() { return NewTabSkin(); }
    static TspSkinPageControl* Make(TForm* Form, TspSkinData* Skin, int Tabs, int Width)
    {
        auto* pc = new TspSkinPageControl(Form);
        pc->SetParent(Form);
        pc->SetBounds(0, 0, Width, 200);
        for (int i = 0; i < Tabs; ++i) {
            auto* t = new TspSkinTabSheet(Form);
            t->SetPageControl(pc);
            t->SetText("P" + std::to_string(i));
        }
        pc->SetSkinData(Skin);
        Form->HandleNeeded();
        return pc;
    }
    static constexpr int ScrollerWidth = 40, ScrollerHeight = 20;
};
template <> struct Kind<TspSkinTabControl> {
    static std::unique_ptr<TspSkinData> Skin()
    {
        auto d = NewTabSkin();
        TabRecord(d.get())->Font.Color = 0x010101;
        return d;
    }
    static TspSkinTabControl* Make(TForm* Form, TspSkinData* Skin, int Tabs, int Width)
    {
        SetCursorPos(600, 500);
        Form->SetLeft(10);
        Form->SetTop(10);
        auto* tc = new TspSkinTabControl(Form);
        tc->SetParent(Form);
        tc->SetBounds(0, 0, Width, 200);
        for (int i = 0; i < Tabs; ++i) tc->GetTabs()->Add("T" + std::to_string(i));
        tc->SetSkinData(Skin);
        tc->SetDefaultItemHeight(20);
        Form->Show();
        PumpUntilIdle();
        return tc;
    }
    static constexpr int ScrollerWidth = 36, ScrollerHeight = 18;
};

template <class C> struct TabsScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    C* Ctl;
    TabsScene(TspSkinData* Skin, int Tabs = 3, int Width = 300)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Ctl = Kind<C>::Make(Form.get(), Skin, Tabs, Width);
    }
    TPoint Inside(int I)
    {
        TRect r = Ctl->GetItemRect(I);
        return TPoint(r.left + 2, r.top + 2);
    }
};

template <class C> class TabsTwins : public ::testing::Test {};
typedef ::testing::Types<TspSkinPageControl, TspSkinTabControl> TabsKinds;
struct TabsNames {
    template <class C> static std::string GetName(int)
    {
        return std::is_same<C, TspSkinPageControl>::value ? "PageControl" : "TabControl";
    }
};
TYPED_TEST_SUITE(TabsTwins, TabsKinds, TabsNames);

// The frame's top is 6 above the display rectangle (y 18); the active look, 24
// high, overhangs it while the normal 20-high tab leaves it showing.
TYPED_TEST(TabsTwins, SkinnedFaceTakesEachPieceFromTheElement)
{
    auto skin = Kind<TypeParam>::Skin();
    TabsScene<TypeParam> s(skin.get());
    ASSERT_TRUE(s.Ctl->Skinned());
    const TRect d = s.Ctl->GetDisplayRect();
    auto shot = Snapshot(s.Ctl);
    const int belowTabs = 22, middle = (d.top + d.bottom) / 2;
    struct Case {
        const char* What;
        TPoint At;
        TColor Expect;
    } cases[] = {
        {"tabs background right of the tabs", TPoint(297, 2), cTabsBG},
        {"frame top right of the tabs", TPoint(297, 20), cFrame},
        {"left frame edge", TPoint(2, middle), cFrame},
        {"right frame edge", TPoint(297, middle), cFrame},
        {"bottom frame edge", TPoint(150, 197), cFrame},
        {"the middle", TPoint(150, middle), cClient},
        {"active tab", s.Inside(0), cActiveTab},
        {"active tab overhangs the frame", TPoint(s.Inside(0).x, belowTabs), cActiveTab},
        {"normal tab", s.Inside(1), cTab},
        {"frame below a normal tab", TPoint(s.Inside(1).x, belowTabs), cFrame},
    };
    for (const auto& c : cases) EXPECT_EQ(Probe(shot.get(), c.At.x, c.At.y), c.Expect) << c.What;
}

TYPED_TEST(TabsTwins, UnskinnedFaceInSystemColours)
{
    TabsScene<TypeParam> s(nullptr);
    ASSERT_FALSE(s.Ctl->Skinned());
    const TRect d = s.Ctl->GetDisplayRect();
    auto shot = Snapshot(s.Ctl);
    const TColor face = SystemColour(clBtnFace), shadow = SystemColour(clBtnShadow);
    const int middle = (d.top + d.bottom) / 2;
    EXPECT_EQ(Probe(shot.get(), d.left - 1, middle), shadow);
    EXPECT_EQ(Probe(shot.get(), 150, d.bottom), shadow);
    EXPECT_EQ(Probe(shot.get(), 150, middle), face);
    const TRect t0 = s.Ctl->GetItemRect(0);
    if (std::is_same<TypeParam, TspSkinTabControl>::value) {
        EXPECT_EQ(t0.Height(), 20);   // as the scene made them
    }
    EXPECT_EQ(Probe(shot.get(), t0.left, t0.top), SystemColour(clNavy));   // the active tab's frame
    // The active tab, darker while the control has the focus.
    EXPECT_EQ(Probe(shot.get(), t0.left + 2, t0.top + 2), static_cast<TColor>(s.Ctl->Focused() ? 0xB59385 : 0xD2BDB6));
    EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), face);
}

// Tabs that overflow one row get the skin's scroller at the top right (no native
// up-down); stepping it scrolls the tabs; once all fit it goes.
TYPED_TEST(TabsTwins, OverflowingTabsGetTheSkinnedScroller)
{
    auto skin = Kind<TypeParam>::Skin();
    TabsScene<TypeParam> s(skin.get(), 8, 200);
    TspSkinUpDown* u = s.Ctl->Scroller();
    ASSERT_TRUE(u);
    EXPECT_EQ(FindWindowExA(s.Ctl->GetHandle(), nullptr, UPDOWN_CLASSA, nullptr), nullptr);
    EXPECT_EQ(u->GetWidth(), Kind<TypeParam>::ScrollerWidth);
    EXPECT_EQ(u->GetHeight(), Kind<TypeParam>::ScrollerHeight);
    EXPECT_EQ(u->GetLeft() + u->GetWidth(), 200);
    EXPECT_EQ(u->GetTop(), 0);
    EXPECT_EQ(u->GetSkinDataName(), "hupdown");
    EXPECT_GT(s.Ctl->GetInVisibleItemCount(), 0);
    EXPECT_EQ(u->GetMax(), s.Ctl->GetInVisibleItemCount());
    EXPECT_EQ(s.Ctl->GetPosition(), 0);
    u->SetPosition(2);
    EXPECT_EQ(s.Ctl->GetPosition(), 2);
    EXPECT_EQ(s.Ctl->GetItemRect(2).left, 0);
    s.Ctl->SetBounds(0, 0, 480, 200);   // 8 tabs fit beside the scroller
    EXPECT_EQ(s.Ctl->Scroller(), nullptr);
}

}  // namespace
