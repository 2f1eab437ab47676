#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "TabFixture.h"
#include "SkinChangeWalk.h"
#include "SkinTabControl.h"
#include "SkinUpDown.h"
#include "WaitUntil.h"

using namespace CtlFixture;
using TabFixture::cActiveTab;
using TabFixture::cBackPicture;
using TabFixture::cClient;
using TabFixture::cFrame;
using TabFixture::cHotTab;
using TabFixture::cImage;
using TabFixture::cTab;
using TabFixture::cTabsBG;
using TabFixture::TabRecord;

namespace {

// The shared element, its text a colour apart from black.
std::unique_ptr<TspSkinData> NewTabSkin()
{
    auto d = TabFixture::NewTabSkin();
    TabRecord(d.get())->Font.Color = 0x010101;
    return d;
}

// A shown form with a 300 x 200 tab control of N tabs.
struct Scene {
    std::unique_ptr<TForm> Form;
    TspSkinTabControl* Tc;
    int Changes = 0;
    explicit Scene(TspSkinData* Skin, int Tabs = 3, int Width = 300)
    {
        SetCursorPos(600, 500);
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(10, 10, 400, 300);
        Tc = new TspSkinTabControl(Form.get());
        Tc->SetParent(Form.get());
        Tc->SetBounds(0, 0, Width, 200);
        for (int i = 0; i < Tabs; ++i) Tc->GetTabs()->Add("T" + std::to_string(i));
        Tc->SetSkinData(Skin);
        Tc->SetDefaultItemHeight(20);
        Tc->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        PumpUntilIdle();
    }
    TPoint Inside(int I, int Dx = 2, int Dy = 2)
    {
        TRect r = Tc->GetItemRect(I);
        return TPoint(r.left + Dx, r.top + Dy);
    }
    TPoint Middle(int I)
    {
        TRect r = Tc->GetItemRect(I);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // The real cursor goes there too, so that the control keeps the mouse.
    void MouseMove(const TPoint& P)
    {
        POINT sp = {P.x, P.y};
        ClientToScreen(Tc->GetHandle(), &sp);
        SetCursorPos(sp.x, sp.y);
        SendMessageA(Tc->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
    }
    void ClickAt(const TPoint& P)
    {
        SendMessageA(Tc->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y));
        SendMessageA(Tc->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y));
    }
    // What the screen shows of the control.
    std::unique_ptr<TBitmap> Shot()
    {
        RedrawWindow(Tc->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpUntilIdle();   // the window's pixels reach the screen
        return ScreenShot(Form.get());
    }
};

// No sheet covers the middle, so the control tiles it itself; drawn by our code
// alone, the screen shows every piece where the snapshot does (the pieces
// themselves are checked on the page control too: test_tabs_twins.cpp).
TEST(SkinTabControl, SkinnedFaceOnTheScreenToo)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    ASSERT_TRUE(s.Tc->Skinned());
    const TRect d = s.Tc->GetDisplayRect();
    EXPECT_EQ(d, TRect(6, 24, 294, 194));
    auto screen = s.Shot();
    struct Case {
        const char* What;
        TPoint At;
        TColor Expect;
    } cases[] = {
        {"tabs background right of the tabs", TPoint(297, 2), cTabsBG},
        {"frame top right of the tabs", TPoint(297, 20), cFrame},
        {"left frame edge", TPoint(2, 100), cFrame},
        {"right frame edge", TPoint(297, 100), cFrame},
        {"bottom frame edge", TPoint(150, 197), cFrame},
        {"middle tiled", TPoint(150, 100), cClient},
        {"middle's corner", TPoint(d.left, d.top + 2), cClient},
        {"active tab", s.Inside(0), cActiveTab},
        {"active tab overhangs the frame", TPoint(s.Inside(0).x, 22), cActiveTab},
        {"normal tab", s.Inside(1), cTab},
        {"frame below a normal tab", TPoint(s.Inside(1).x, 22), cFrame},
    };
    for (const auto& c : cases) EXPECT_EQ(Probe(screen.get(), c.At.x, c.At.y), c.Expect) << c.What << " on the screen";
    EXPECT_EQ(Probe(Snapshot(s.Tc).get(), d.left, d.top + 2), cClient) << "middle's corner";
}

TEST(SkinTabControl, BackgroundPictureGivesAPlainTiledFaceReachingTheEdges)
{
    auto skin = NewTabSkin();
    TabRecord(skin.get())->BGPictureIndex = 1;
    Scene s(skin.get());
    ASSERT_TRUE(s.Tc->Skinned());
    const TRect d = s.Tc->GetDisplayRect();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.right, 300);
    EXPECT_EQ(d.bottom, 200);
    EXPECT_EQ(d.top, 24 - 6);
    auto shot = Snapshot(s.Tc);
    for (TPoint at : {TPoint(297, 2), TPoint(297, 20), TPoint(2, 100), TPoint(150, 199), TPoint(150, 100)})
        EXPECT_EQ(Probe(shot.get(), at.x, at.y), cBackPicture) << at.x << "," << at.y;
    EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), cTab);
}

// A click on a tab selects it (the native control decides) and the look follows;
// the arrow keys move the selection while the control has the focus.
TEST(SkinTabControl, SelectionByMouseAndKeys)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 4);
    EXPECT_EQ(s.Tc->GetTabIndex(), 0);
    struct Step {
        const char* What;
        int Click;   // tab to click, or -1
        WORD Key;    // key to press, or 0
        int Index;
    } steps[] = {
        {"click tab 2", 2, 0, 2},
        {"right key", -1, VK_RIGHT, 3},
        {"right key at the end", -1, VK_RIGHT, 3},
        {"left key", -1, VK_LEFT, 2},
        {"click tab 0", 0, 0, 0},
        {"click the active tab", 0, 0, 0},
    };
    int changes = 0;
    for (const auto& st : steps) {
        const int before = s.Tc->GetTabIndex();
        if (st.Click >= 0) s.ClickAt(s.Middle(st.Click));
        else {
            s.Tc->SetFocus();
            SendMessageA(s.Tc->GetHandle(), WM_KEYDOWN, st.Key, 0);
            SendMessageA(s.Tc->GetHandle(), WM_KEYUP, st.Key, 0xC0000000);
        }
        if (st.Index != before) ++changes;
        EXPECT_EQ(s.Tc->GetTabIndex(), st.Index) << st.What;
        EXPECT_EQ(s.Changes, changes) << st.What;
        s.Tc->Perform(CM_MOUSELEAVE, 0, 0);
        auto shot = Snapshot(s.Tc);
        for (int i = 0; i < 4; ++i) {
            // The focused look falls back to the active one (the record has none).
            EXPECT_EQ(Probe(shot.get(), s.Inside(i).x, s.Inside(i).y), i == st.Index ? cActiveTab : cTab)
                << st.What << " tab " << i;
        }
    }
}

// No tab is hot before the mouse comes; then the tab under it, never the active one.
TEST(SkinTabControl, HotTabFollowsTheMouseButNeverTheActiveTab)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    EXPECT_EQ(s.Tc->HotTab(), -1);
    auto first = Snapshot(s.Tc);
    for (int i = 1; i < 3; ++i) EXPECT_EQ(Probe(first.get(), s.Inside(i).x, s.Inside(i).y), cTab) << i;
    struct Step {
        const char* What;
        TPoint At;
        int Hot;
        TColor Tab0, Tab1;
    } steps[] = {
        {"over tab 1", s.Middle(1), 1, cActiveTab, cHotTab},
        {"over the active tab", s.Middle(0), 0, cActiveTab, cTab},
        {"over tab 1 again", s.Middle(1), 1, cActiveTab, cHotTab},
        {"over the middle", TPoint(150, 150), -1, cActiveTab, cTab},
    };
    for (const auto& st : steps) {
        s.MouseMove(st.At);
        EXPECT_EQ(s.Tc->HotTab(), st.Hot) << st.What;
        // Straight onto the screen, as the hot tab is redrawn.
        PumpUntilIdle();
        EXPECT_EQ(s.Tc->HotTab(), st.Hot) << st.What;
        auto screen = ScreenShot(s.Form.get());
        EXPECT_EQ(Probe(screen.get(), s.Inside(0).x, s.Inside(0).y), st.Tab0) << st.What;
        EXPECT_EQ(Probe(screen.get(), s.Inside(1).x, s.Inside(1).y), st.Tab1) << st.What;
    }
    s.MouseMove(s.Middle(2));
    s.Tc->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.Tc->HotTab(), -1);
    auto shot = Snapshot(s.Tc);
    EXPECT_EQ(Probe(shot.get(), s.Inside(2).x, s.Inside(2).y), cTab);
}

// Tab i shows image i of the list while the list holds it, always enabled.
TEST(SkinTabControl, ImagesByTabPosition)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    TImageList images(16, 16);
    auto pic = NewPicture(16, 16, cImage);
    images.Add(pic.get(), nullptr);
    images.Add(pic.get(), nullptr);
    s.Tc->SetImages(&images);
    auto shot = Snapshot(s.Tc);
    for (int i = 0; i < 3; ++i) {
        const TRect t = s.Tc->GetItemRect(i);
        int found = 0;
        for (int y = t.top; y < t.bottom; ++y)
            for (int x = t.left; x < t.right; ++x)
                if (Probe(shot.get(), x, y) == cImage) ++found;
        EXPECT_EQ(found > 0, i < 2) << i;
    }
    s.Tc->SetImages(nullptr);
}

// The font: the colour first, then the skin's font or the default font (whose
// colour then stays).
TEST(SkinTabControl, FontFollowsTheSkinOrTheDefaultFont)
{
    auto skin = NewTabSkin();
    auto* rec = TabRecord(skin.get());
    rec->Font.Name = "Courier New";
    rec->Font.Height = 17;
    rec->Font.Color = 0x123456;
    struct Case {
        const char* What;
        bool UseSkinFont;
        const char* Name;
        int Height;
        TColor Color;
    } cases[] = {
        {"skin font in the skin's colour", true, "Courier New", 17, 0x123456},
        {"default font in its own colour", false, "Tahoma", 12, 0x0000FF},
    };
    for (const auto& c : cases) {
        Scene s(nullptr);
        s.Tc->GetDefaultFont()->SetName("Tahoma");
        s.Tc->GetDefaultFont()->SetHeight(12);
        s.Tc->GetDefaultFont()->SetColor(0x0000FF);
        s.Tc->UseSkinFont = c.UseSkinFont;
        s.Tc->SetSkinData(skin.get());
        EXPECT_EQ(s.Tc->GetFont()->GetName(), c.Name) << c.What;
        EXPECT_EQ(s.Tc->GetFont()->GetHeight(), c.Height) << c.What;
        EXPECT_EQ(s.Tc->GetFont()->GetColor(), c.Color) << c.What;
    }
}

// Damaged records leave the control unskinned or paint without a fault.
TEST(SkinTabControl, SurvivesDamagedRecords)
{
    struct Case {
        const char* What;
        void (*Spoil)(TspDataSkinTabControl*);
        bool Skinned;
    } cases[] = {
        {"no picture", [](TspDataSkinTabControl* R) { R->PictureIndex = -1; }, false},
        {"null tab look", [](TspDataSkinTabControl* R) { R->TabLooks[tabNormal] = TRect(); }, false},
        {"coinciding points", [](TspDataSkinTabControl* R) {
             R->LeftTopPoint = R->RightTopPoint = R->LeftBottomPoint = R->RightBottomPoint = TPoint(30, 30);
         }, true},
        {"client rectangle of no size", [](TspDataSkinTabControl* R) { R->ClientRect = TRect(30, 30, 30, 30); }, true},
        {"huge offsets", [](TspDataSkinTabControl* R) { R->TabLeftOffset = R->TabRightOffset = 100000; }, true},
        {"background picture past the list", [](TspDataSkinTabControl* R) { R->BGPictureIndex = 99; }, true},
        {"huge font", [](TspDataSkinTabControl* R) { R->Font.Height = 40000; }, true},
    };
    for (const auto& c : cases) {
        auto skin = NewTabSkin();
        c.Spoil(TabRecord(skin.get()));
        Scene s(skin.get());
        EXPECT_EQ(s.Tc->Skinned(), c.Skinned) << c.What;
        auto shot = Snapshot(s.Tc);
        EXPECT_EQ(s.Tc->GetWidth(), 300) << c.What;
        // (Text of the largest height allowed covers the tab.)
        if (c.Skinned && std::string(c.What) != "huge font") {
            EXPECT_EQ(Probe(shot.get(), s.Inside(1).x, s.Inside(1).y), cTab) << c.What;
        }
    }
}

}  // namespace

namespace {

// Tabs on every side: side tabs are turned, the tabs background fills the band
// beside the frame, and side or multi-line rows never get a scroller.
TEST(SkinTabControl, TabsOnEverySide)
{
    auto skin = NewTabSkin();
    struct Case {
        TTabPosition Side;
        TPoint TabsBG;   // a point of the band beside the frame, past the tabs
    } cases[] = {{tpTop, TPoint(297, 2)}, {tpBottom, TPoint(297, 197)}, {tpLeft, TPoint(2, 197)}, {tpRight, TPoint(297, 197)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Side);
        Scene s(skin.get());
        s.Tc->SetTabPosition(c.Side);
        s.Tc->UpDateTabs();
        ASSERT_TRUE(s.Tc->Skinned());
        const TRect t0 = s.Tc->GetItemRect(0), t1 = s.Tc->GetItemRect(1);
        auto shot = Snapshot(s.Tc);
        EXPECT_EQ(Probe(shot.get(), c.TabsBG.x, c.TabsBG.y), cTabsBG);
        EXPECT_EQ(Probe(shot.get(), t0.left + 2, t0.top + 2), cActiveTab);
        EXPECT_EQ(Probe(shot.get(), t1.left + 2, t1.top + 2), cTab);
        const TRect d = s.Tc->GetDisplayRect();
        EXPECT_EQ(Probe(shot.get(), (d.left + d.right) / 2, (d.top + d.bottom) / 2), cClient);
    }
    Scene s(skin.get(), 8, 200);
    ASSERT_TRUE(s.Tc->Scroller());
    s.Tc->SetMultiLine(true);
    s.Tc->UpDateTabs();
    EXPECT_EQ(s.Tc->Scroller(), nullptr);
    s.Tc->SetMultiLine(false);
    s.Tc->SetTabPosition(tpLeft);
    s.Tc->UpDateTabs();
    EXPECT_EQ(s.Tc->Scroller(), nullptr);
}

// A skin change rebuilds the scroller with the new skin's element; a removed skin
// is forgotten and the control is drawn in system colours.
TEST(SkinTabControl, SkinChangesAndRemoval)
{
    auto skin = NewTabSkin();
    Scene s(skin.get(), 8, 200);
    ASSERT_TRUE(s.Tc->Scroller());
    TabRecord(skin.get())->UpDown = "otherupdown";
    s.Tc->ChangeSkinData();
    ASSERT_TRUE(s.Tc->Scroller());
    EXPECT_EQ(s.Tc->Scroller()->GetSkinDataName(), "otherupdown");
    EXPECT_EQ(s.Tc->Scroller()->GetLeft() + s.Tc->Scroller()->GetWidth(), 200);
    skin.reset();
    EXPECT_EQ(s.Tc->GetSkinDataComponent(), nullptr);
    s.Tc->ChangeSkinData();
    EXPECT_FALSE(s.Tc->Skinned());
    auto shot = Snapshot(s.Tc);
    EXPECT_EQ(Probe(shot.get(), 100, 120), SystemColour(clBtnFace));
}

}  // namespace

namespace {

// The form's re-skin walk reaches the tab control bound to the skin that changed,
// and only that one.
TEST(SkinTabControl, ReskinWalkAppliesTheChangedSkin)
{
    auto skin = NewTabSkin();
    auto other = NewTabSkin();
    Scene s(skin.get());
    auto* second = new TspSkinTabControl(s.Form.get());
    second->SetParent(s.Form.get());
    second->SetBounds(0, 210, 300, 80);
    second->GetTabs()->Add("A");
    second->SetSkinData(other.get());
    TabRecord(skin.get())->Font.Name = "Courier New";
    TabRecord(other.get())->Font.Name = "Courier New";
    Skinctrls::ReskinControls(s.Form.get(), skin.get(), false);
    EXPECT_EQ(s.Tc->GetFont()->GetName(), "Courier New");
    EXPECT_NE(second->GetFont()->GetName(), "Courier New");
}

}  // namespace
