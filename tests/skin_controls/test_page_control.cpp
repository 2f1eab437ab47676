#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinTabs.h"

using namespace CtlFixture;

namespace {

// A 60 x 60 framed element (6-pixel ring, its middle another colour) and three
// 40 x 20 tab looks beside it; a strip under it for the tabs background.
const TColor cFrame = 0x0000C0, cClient = 0x00C000, cTab = 0xC00000, cActiveTab = 0x808000, cHotTab = 0x008080,
             cTabsBG = 0x800080;

std::unique_ptr<TspSkinData> NewTabSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(100, 80, 0);
    Paint(pic.get(), TRect(0, 0, 60, 60), cFrame);
    Paint(pic.get(), TRect(6, 6, 54, 54), cClient);
    Paint(pic.get(), TRect(60, 0, 100, 20), cTab);
    Paint(pic.get(), TRect(60, 20, 100, 40), cActiveTab);
    Paint(pic.get(), TRect(60, 40, 100, 60), cHotTab);
    Paint(pic.get(), TRect(0, 60, 10, 70), cTabsBG);
    d->ActivePictures.push_back(std::move(pic));
    d->Empty = false;
    auto r = std::make_unique<TspDataSkinTabControl>("tab");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 60, 60);
    r->ClientRect = TRect(6, 6, 54, 54);
    r->LeftTopPoint = TPoint(6, 6);
    r->RightTopPoint = TPoint(54, 6);
    r->LeftBottomPoint = TPoint(6, 54);
    r->RightBottomPoint = TPoint(54, 54);
    r->TabRect = TRect(60, 0, 100, 20);
    r->ActiveTabRect = TRect(60, 20, 100, 40);
    r->MouseInTabRect = TRect(60, 40, 100, 60);
    r->TabsBGRect = TRect(0, 60, 10, 70);
    d->CtrlList.push_back(std::move(r));
    return d;
}

struct Scene {
    std::unique_ptr<TForm> Form;
    TspSkinPageControl* Pc;
    Scene(TspSkinData* Skin, int Pages = 3)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Pc = new TspSkinPageControl(Form.get());
        Pc->SetParent(Form.get());
        Pc->SetBounds(0, 0, 300, 200);
        for (int i = 0; i < Pages; ++i) {
            auto* t = new TspSkinTabSheet(Form.get());
            t->SetPageControl(Pc);
            t->SetText("P" + std::to_string(i));
        }
        Pc->SetSkinData(Skin);
    }
    // A point just inside the top-left corner of visible tab V.
    TPoint TabCorner(int V)
    {
        TRect r = Pc->GetItemRect(V);
        return TPoint(r.left + 2, r.top + 2);
    }
};

// Disabled until the frame rewrite of the display rectangle and the native
// current tab reach the skinned control under the test form (see report).
TEST(SkinPageControl, DISABLED_SkinnedFaceTakesEachPieceFromTheElement)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    ASSERT_TRUE(s.Pc->Skinned());
    const TRect d = s.Pc->GetDisplayRect();
    // Frame ring placed around the display rectangle by the element's borders.
    EXPECT_EQ(d.left, 6);
    EXPECT_EQ(d.right, 300 - 6);
    EXPECT_EQ(d.bottom, 200 - 6);
    auto shot = Snapshot(s.Pc);
    struct Case {
        const char* What;
        int X, Y;
        TColor Expect;
    } cases[] = {
        {"tabs background right of the tabs", 297, 2, cTabsBG},
        {"left frame edge", 2, (d.top + d.bottom) / 2, cFrame},
        {"bottom frame edge", 150, 197, cFrame},
        {"sheet over the middle", 150, (d.top + d.bottom) / 2, cClient},
        {"active tab", s.TabCorner(0).x, s.TabCorner(0).y, cActiveTab},
        {"normal tab", s.TabCorner(1).x, s.TabCorner(1).y, cTab},
    };
    for (const auto& c : cases) EXPECT_EQ(Probe(shot.get(), c.X, c.Y), c.Expect) << c.What;
}

TEST(SkinPageControl, DISABLED_HotTabFollowsTheMouseButNeverTheActiveTab)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    TRect r1 = s.Pc->GetItemRect(1), r0 = s.Pc->GetItemRect(0);
    s.Pc->TestActive((r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2);
    EXPECT_EQ(s.Pc->HotTab(), 1);
    auto shot = Snapshot(s.Pc);
    EXPECT_EQ(Probe(shot.get(), r1.left + 2, r1.top + 2), cHotTab);
    s.Pc->TestActive((r0.left + r0.right) / 2, (r0.top + r0.bottom) / 2);
    EXPECT_EQ(s.Pc->HotTab(), 0);
    shot = Snapshot(s.Pc);
    EXPECT_EQ(Probe(shot.get(), r0.left + 2, r0.top + 2), cActiveTab);
    EXPECT_EQ(Probe(shot.get(), r1.left + 2, r1.top + 2), cTab);
    s.Pc->TestActive(299, 199);
    EXPECT_EQ(s.Pc->HotTab(), -1);
    EXPECT_EQ(s.Pc->HotPage(), 3);
}

TEST(SkinPageControl, DISABLED_HiddenTabTakesNoVisiblePosition)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    s.Pc->GetPage(0)->SetTabVisible(false);
    TRect r0 = s.Pc->GetItemRect(0);
    s.Pc->TestActive((r0.left + r0.right) / 2, (r0.top + r0.bottom) / 2);
    EXPECT_EQ(s.Pc->HotTab(), 0);
    EXPECT_EQ(s.Pc->HotPage(), 1);
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
        {"picture index outside the list",
         [](TspSkinData* D) { static_cast<TspDataSkinTabControl*>(D->CtrlList[0].get())->PictureIndex = 7; }},
        {"null skin rectangle",
         [](TspSkinData* D) { static_cast<TspDataSkinTabControl*>(D->CtrlList[0].get())->SkinRect = TRect(); }},
    };
    for (const auto& c : cases) {
        auto skin = NewTabSkin();
        c.Spoil(skin.get());
        Scene s(skin.get());
        EXPECT_FALSE(s.Pc->Skinned()) << c.What;
        EXPECT_EQ(s.Pc->GetWidth(), 300) << c.What;
        EXPECT_EQ(s.Pc->GetHeight(), 200) << c.What;
        auto shot = Snapshot(s.Pc);
        const TRect d = s.Pc->GetDisplayRect();
        EXPECT_EQ(Probe(shot.get(), 150, (d.top + d.bottom) / 2), ColorToRGB(clBtnFace) & 0xFFFFFF) << c.What;
    }
}

TEST(SkinPageControl, ImageIndexOutsideTheListDrawsNoImage)
{
    auto skin = NewTabSkin();
    Scene s(skin.get());
    TImageList images(16, 16);
    auto pic = NewPicture(16, 16, 0x0000FF);
    images.Add(pic.get(), nullptr);
    s.Pc->SetImages(&images);
    const int indexes[] = {0, -1, 1, 99, -100};
    for (int ii : indexes) {
        s.Pc->GetPage(1)->SetImageIndex(ii);
        auto shot = Snapshot(s.Pc);
        EXPECT_EQ(Probe(shot.get(), s.TabCorner(1).x, s.TabCorner(1).y), cTab) << ii;
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
    EXPECT_EQ(s.Pc->SkinRecord(), nullptr);
}

}  // namespace
