#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinHeaderControl.h"

using namespace CtlFixture;

namespace {

const TColor cHot = RGB(182, 189, 210), cPressed = RGB(133, 147, 181);

TColor Sys(int Index) { return static_cast<TColor>(GetSysColor(Index) & 0xFFFFFF); }

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinHeaderControl* H;
    std::vector<int> SkinClicks, Clicks, Resizes;
    Scene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 320, 120);
        H = new TspSkinHeaderControl(Form.get());
        H->SetParent(Form.get());
        H->SetBounds(0, 0, 300, 20);
        for (const auto& s : {std::pair<const char*, int>{"Name", 100}, {"Size", 80}, {"Date", 60}}) {
            THeaderSection* sec = H->GetSections()->Add();
            sec->SetText(s.first);
            sec->SetWidth(s.second);
        }
        H->OnSkinSectionClick = [this](THeaderControl*, THeaderSection* S) { SkinClicks.push_back(S->GetIndex()); };
        H->OnSectionClick = [this](THeaderControl*, THeaderSection* S) { Clicks.push_back(S->GetIndex()); };
        H->OnSectionResize = [this](THeaderControl*, THeaderSection* S) { Resizes.push_back(S->GetIndex()); };
        Form->Show();
        H->HandleNeeded();
    }
    void Press(int X, int Y) { H->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Drag(int X, int Y) { H->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
    void Hover(int X, int Y) { H->Perform(WM_MOUSEMOVE, 0, PointToLParam(X, Y)); }
    void Release(int X, int Y) { H->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
};

TEST(SkinHeaderControl, SectionsOnThePlatformHeader)
{
    Scene s;
    const TRect expect[] = {TRect(0, 0, 100, 20), TRect(100, 0, 180, 20), TRect(180, 0, 240, 20)};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.H->GetSkinItemRect(i), expect[i]) << i;
    EXPECT_EQ(s.H->GetSections()->Items(1)->GetLeft(), 100);
    EXPECT_EQ(s.H->GetSections()->Items(3), nullptr);
    EXPECT_EQ(s.H->GetSkinItemRect(7), TRect());
    s.H->GetSections()->Items(0)->SetWidth(120);
    EXPECT_EQ(s.H->GetSkinItemRect(1), TRect(120, 0, 200, 20));
}

TEST(SkinHeaderControl, ClickOnASectionFiresBothEvents)
{
    Scene s;
    s.Hover(140, 10);
    s.Press(140, 10);
    EXPECT_TRUE(s.H->Pressed());
    auto shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 170, 3), cPressed);
    s.Release(140, 10);
    EXPECT_FALSE(s.H->Pressed());
    EXPECT_EQ(s.SkinClicks, std::vector<int>{1});
    EXPECT_EQ(s.Clicks, std::vector<int>{1});
    EXPECT_TRUE(s.Resizes.empty());
}

TEST(SkinHeaderControl, DraggingADividerResizesWithoutAClick)
{
    Scene s;
    s.Press(99, 10);
    EXPECT_FALSE(s.H->Pressed());   // on the divider: no pressed look
    s.Drag(115, 10);
    s.Drag(130, 10);
    s.Release(130, 10);
    // The divider keeps the pixel it was grabbed by: 100 + (130 - 99).
    EXPECT_EQ(s.H->GetSections()->Items(0)->GetWidth(), 131);
    EXPECT_FALSE(s.Resizes.empty());
    EXPECT_EQ(s.Resizes.back(), 0);
    EXPECT_TRUE(s.SkinClicks.empty());
    EXPECT_EQ(s.H->GetSkinItemRect(1).left, 131);
}

TEST(SkinHeaderControl, PlainLooksFollowTheMouse)
{
    Scene s;
    auto shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 170, 3), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Probe(shot.get(), 100, 10), Sys(COLOR_BTNSHADOW));   // frame of section 1
    EXPECT_EQ(Probe(shot.get(), 240, 10), Sys(COLOR_BTNSHADOW));   // frame of the rest
    EXPECT_EQ(Probe(shot.get(), 280, 10), Sys(COLOR_BTNFACE));
    s.Hover(140, 10);
    EXPECT_EQ(s.H->HotSection(), 1);
    shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 170, 3), cHot);
    EXPECT_EQ(Probe(shot.get(), 100, 10), static_cast<TColor>(clNavy));
    s.Hover(280, 10);
    EXPECT_EQ(s.H->HotSection(), -1);
    shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 170, 3), Sys(COLOR_BTNFACE));
    SaveArtefact(shot.get(), "header-plain");
}

TEST(SkinHeaderControl, FlatStyleNeverShowsThePressedLook)
{
    Scene s;
    s.H->SetStyle(hsFlat);
    s.Press(140, 10);
    EXPECT_FALSE(s.H->Pressed());
    auto shot = Snapshot(s.H);
    EXPECT_NE(Probe(shot.get(), 170, 3), cPressed);
    s.Release(140, 10);
    EXPECT_TRUE(s.SkinClicks.empty());
}

TEST(SkinHeaderControl, ACutRightAlignedCaptionStartsAtTheLeft)
{
    Scene s;
    THeaderSection* sec = s.H->GetSections()->Items(2);
    sec->SetAlignment(taRightJustify);
    sec->SetText("Date");
    auto dark = [&](int From, int To) {
        auto shot = Snapshot(s.H);
        int n = 0;
        for (int x = From; x < To; ++x)
            for (int y = 4; y < 16; ++y)
                if (Probe(shot.get(), x, y) == 0) ++n;
        return n;
    };
    EXPECT_EQ(dark(182, 192), 0);   // short: drawn at the right
    EXPECT_GT(dark(200, 230), 0);
    sec->SetText("A caption far too long for sixty pixels");
    EXPECT_GT(dark(182, 192), 0);   // cut with "...": from the left edge
}

TEST(SkinHeaderControl, SkinnedSectionsAndFixedHeight)
{
    Scene s;
    s.H->SetBounds(0, 0, 300, 30);
    auto skin = NewSkin();
    AddButton(skin.get(), "resizebutton");
    s.H->SetSkinData(skin.get());
    ASSERT_TRUE(s.H->Skinned());
    EXPECT_EQ(s.H->GetHeight(), 20);   // the element has no bottom points: its own height
    s.H->SetBounds(0, 0, 300, 40);
    EXPECT_EQ(s.H->GetHeight(), 20);
    auto shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 3, 3), cEdge);
    EXPECT_EQ(Probe(shot.get(), 50, 3), cNormal);
    EXPECT_EQ(Probe(shot.get(), 95, 3), cEdge);
    EXPECT_EQ(Probe(shot.get(), 243, 3), cEdge);     // the rest: the left end, then the middle
    EXPECT_EQ(Probe(shot.get(), 280, 3), cNormal);
    s.Hover(140, 10);
    shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 140, 3), cActive);
    s.Press(140, 10);
    shot = Snapshot(s.H);
    EXPECT_EQ(Probe(shot.get(), 140, 3), cDown);
    SaveArtefact(shot.get(), "header-fixture-pressed");
    s.Release(140, 10);
    EXPECT_EQ(s.SkinClicks, std::vector<int>{1});
    s.H->SetSkinData(nullptr);
    EXPECT_FALSE(s.H->Skinned());
}

TEST(SkinHeaderControl, UnusableElementsLeaveThePlainLook)
{
    struct Case {
        const char* What;
        int PictureIndex;
        TRect SkinRect;
        bool Button;
    };
    const Case cases[] = {
        {"another kind", 0, LookRect(0), false},
        {"picture out of range", 9, LookRect(0), true},
        {"look outside the picture", 0, TRect(500, 500, 560, 520), true},
    };
    for (const auto& c : cases) {
        Scene s;
        auto skin = NewSkin();
        if (c.Button) {
            auto* r = AddButton(skin.get(), "resizebutton");
            r->PictureIndex = c.PictureIndex;
            r->SkinRect = c.SkinRect;
        } else {
            auto r = std::make_unique<TspDataSkinGaugeControl>("resizebutton");
            r->PictureIndex = 0;
            r->SkinRect = LookRect(0);
            skin->CtrlList.push_back(std::move(r));
        }
        s.H->SetSkinData(skin.get());
        EXPECT_FALSE(s.H->Skinned()) << c.What;
        auto shot = Snapshot(s.H);
        EXPECT_EQ(Probe(shot.get(), 170, 3), Sys(COLOR_BTNFACE)) << c.What;
        s.H->SetSkinData(nullptr);
    }
}

}  // namespace

namespace {

TEST(SkinHeaderControl, ADragToReorderFiresNoClick)
{
    Scene s;
    s.H->SetDragReorder(true);
    s.Hover(140, 10);
    s.Press(140, 10);
    s.Drag(120, 10);
    s.Drag(40, 10);
    s.Release(40, 10);
    EXPECT_TRUE(s.SkinClicks.empty());
    // Without moving, a press and release is still a click.
    s.Hover(140, 10);
    s.Press(140, 10);
    s.Release(140, 10);
    EXPECT_EQ(s.SkinClicks.size(), 1u);
}

}  // namespace

namespace {

TEST(SkinHeaderControl, DefaultHeightHoldsWhileUnskinned)
{
    Scene s;
    s.H->SetDefaultHeight(24);
    EXPECT_EQ(s.H->GetHeight(), 24);
    s.H->SetBounds(0, 0, 300, 30);
    EXPECT_EQ(s.H->GetHeight(), 24);
    auto skin = NewSkin();
    AddButton(skin.get(), "resizebutton");
    s.H->SetSkinData(skin.get());   // a fixed-height element wins
    EXPECT_EQ(s.H->GetHeight(), 20);
    s.H->SetSkinData(nullptr);
    EXPECT_EQ(s.H->GetHeight(), 24);
}

}  // namespace
