#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinCheckRadioBox.h"
#include "SkinPanel.h"

using namespace CtlFixture;

namespace {

const TColor cChecked = 0x00FFFF, cUnchecked = 0xFF00FF, cImgEdge = 0x010101;

// The fixture skin with a check-radio record: the element is the button's normal
// look; its 8 x 8 check images lie right of the looks (their bottom row is the
// transparent colour).
TspDataSkinCheckRadioControl* AddCheck(TspSkinData* D, const std::string& Name)
{
    TBitmap* pic = D->ActivePictures[0].get();
    if (pic->GetWidth() < 80) {
        pic->SetSize(80, 80);
        Paint(pic, TRect(60, 0, 68, 8), cChecked);
        Paint(pic, TRect(70, 0, 78, 8), cUnchecked);
        Paint(pic, TRect(60, 7, 78, 8), cImgEdge);
    }
    auto r = std::make_unique<TspDataSkinCheckRadioControl>(Name);
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->ActiveSkinRect = LookRect(1);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->CheckImageArea = TRect(0, 0, 10, 20);
    r->TextArea = TRect(12, 0, 48, 20);
    r->CheckImageRect = TRect(60, 0, 68, 8);
    r->UnCheckImageRect = TRect(70, 0, 78, 8);
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

struct Scene {
    std::unique_ptr<TForm> Form;
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    int Clicks = 0;
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Form->SetColor(0x404040);
        AddCheck(Skin.get(), "checkbox");
        AddCheck(Skin.get(), "radiobox");
    }
    TspSkinCheckRadioBox* Check(bool Skinned, bool Radio, int Y = 0, TWinControl* Parent = nullptr)
    {
        auto* c = new TspSkinCheckRadioBox(Form.get());
        c->SetParent(Parent ? Parent : Form.get());
        c->SetRadio(Radio);
        if (Radio) {
            c->SetSkinDataName("radiobox");
            c->GroupIndex = 1;
        }
        c->SetBounds(0, Y, 100, 25);
        c->OnClick = [this](TObject*) { ++Clicks; };
        if (Skinned) c->SetSkinData(Skin.get());
        return c;
    }
};

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Click(TControl* C)
{
    C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5));
}

TEST(CheckRadioBox, ClickTogglesACheckBoxAndShowsItsImage)
{
    Scene s;
    auto* c = s.Check(true, false);
    ASSERT_TRUE(c->Skinned());
    EXPECT_EQ(c->GetHeight(), 20);
    EXPECT_EQ(c->CheckImagePosition(), TRect(1, 6, 9, 14));
    EXPECT_EQ(Probe(Snapshot(c).get(), 3, 8), cUnchecked);
    EXPECT_EQ(Probe(Snapshot(c).get(), 30, 3), cNormal);
    Enter(c);
    Click(c);
    EXPECT_TRUE(c->GetChecked());
    EXPECT_EQ(s.Clicks, 1);
    auto shot = Snapshot(c);
    EXPECT_EQ(Probe(shot.get(), 3, 8), cChecked);
    EXPECT_EQ(Probe(shot.get(), 3, 13), cEdge);   // the image's transparent row shows the face
    Click(c);
    EXPECT_FALSE(c->GetChecked());
    EXPECT_EQ(s.Clicks, 2);
}

TEST(CheckRadioBox, RadioGroupsExcludeEachOtherOnOneParentOnly)
{
    Scene s;
    auto* a = s.Check(true, true, 0);
    auto* b = s.Check(true, true, 30);
    auto* panel = new TspSkinPanel(s.Form.get());
    panel->SetParent(s.Form.get());
    panel->SetBounds(150, 0, 150, 150);
    auto* elsewhere = s.Check(true, true, 0, panel);
    elsewhere->SetChecked(true);
    s.Clicks = 0;
    Enter(a);
    Click(a);
    EXPECT_TRUE(a->GetChecked());
    Enter(b);
    Click(b);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_FALSE(a->GetChecked());
    EXPECT_TRUE(elsewhere->GetChecked());
    EXPECT_EQ(s.Clicks, 2);   // the unchecked radio raised nothing
    Click(b);                 // a checked radio button stays as it is, silently
    EXPECT_TRUE(b->GetChecked());
    EXPECT_EQ(s.Clicks, 2);
    b->SetChecked(false);
    EXPECT_EQ(s.Clicks, 2);
    auto* box = s.Check(false, false, 60);
    box->SetChecked(false);   // a check box raises OnClick on every assignment
    EXPECT_EQ(s.Clicks, 3);
}

TEST(CheckRadioBox, ReleaseOutsideDoesNotToggleAndUnskinnedLooks)
{
    Scene s;
    auto* c = s.Check(false, false);
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
    Leave(c);
    c->Perform(WM_LBUTTONUP, 0, PointToLParam(200, 5));
    EXPECT_FALSE(c->GetChecked());
    EXPECT_EQ(c->GetHeight(), 25);
    auto shot = Snapshot(c);
    EXPECT_EQ(Probe(shot.get(), 3, 12), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));   // the box's frame
    EXPECT_EQ(Probe(shot.get(), 60, 2), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(CheckRadioBox, FlatKeepsItsSizeAndHasNoRegion)
{
    Scene s;
    s.Skin->CtrlList[0]->MaskPictureIndex = 1;
    auto* c = s.Check(false, false);
    c->SetFlat(true);
    c->SetBounds(0, 0, 130, 30);
    c->SetSkinData(s.Skin.get());
    EXPECT_EQ(c->GetWidth(), 130);
    EXPECT_EQ(c->GetHeight(), 30);
    EXPECT_FALSE(c->HasWindowRegion());
    EXPECT_EQ(Probe(Snapshot(c).get(), 120, 2), 0x404040);   // the parent shows through
}

// ---- panels ----

TEST(SkinPanel, CheckedGroupBoxEnablesItsChildrenFromItsCaption)
{
    Scene s;
    auto* g = new TspSkinGroupBox(s.Form.get());
    g->SetParent(s.Form.get());
    g->SetBounds(0, 0, 200, 150);
    g->SetCaption("Video");
    g->SetCheckedMode(true);
    auto* child = new TspSkinButton(s.Form.get());
    child->SetParent(g);
    child->SetBounds(10, 40, 75, 25);
    int checked = 0;
    g->OnChecked = [&](TObject*) { ++checked; };
    g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(50, 100));
    g->Perform(WM_LBUTTONUP, 0, PointToLParam(50, 100));
    EXPECT_EQ(checked, 0);
    g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(50, 10));
    g->Perform(WM_LBUTTONUP, 0, PointToLParam(50, 10));
    EXPECT_TRUE(g->GetChecked());
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(child->GetEnabled());
    g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(50, 10));
    g->Perform(WM_LBUTTONUP, 0, PointToLParam(50, 10));
    EXPECT_FALSE(child->GetEnabled());
    // Without CheckedMode the event still comes but the children are left alone.
    g->SetCheckedMode(false);
    g->SetChecked(true);
    EXPECT_EQ(checked, 3);
    EXPECT_FALSE(child->GetEnabled());
}

TEST(SkinPanel, RollUpHidesOnlyVisibleChildrenAndForgetsFreedOnes)
{
    Scene s;
    auto* p = new TspSkinPanel(s.Form.get());
    p->SetParent(s.Form.get());
    p->SetBounds(0, 0, 200, 150);
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* shown = new TspSkinButton(s.Form.get());
    shown->SetParent(p);
    auto* hidden = new TspSkinButton(s.Form.get());
    hidden->SetParent(p);
    hidden->SetVisible(false);
    auto* doomed = new TspSkinButton(s.Form.get());
    doomed->SetParent(p);
    p->SetRollUpState(true);
    EXPECT_EQ(p->GetHeight(), 23);
    EXPECT_EQ(p->GetRealHeight(), 150);
    EXPECT_FALSE(shown->GetVisible());
    delete doomed;   // freed while rolled up
    p->SetRollUpState(false);
    EXPECT_EQ(p->GetHeight(), 150);
    EXPECT_TRUE(shown->GetVisible());
    EXPECT_FALSE(hidden->GetVisible());
}

TEST(SkinPanel, UnskinnedBorderDecidesTheChildrenArea)
{
    struct Case {
        TspSkinBorderStyle Style;
        TRect Child;
    } cases[] = {{TspSkinBorderStyle::bvNone, TRect(0, 0, 100, 80)},
                 {TspSkinBorderStyle::bvFrame, TRect(1, 1, 99, 79)},
                 {TspSkinBorderStyle::bvLowered, TRect(1, 1, 99, 79)}};
    for (const auto& k : cases) {
        Scene s;
        auto* p = new TspSkinPanel(s.Form.get());
        p->SetParent(s.Form.get());
        p->SetBounds(0, 0, 100, 80);
        p->SetBorderStyle(k.Style);
        auto* c = new TspSkinPanel(s.Form.get());
        c->SetParent(p);
        c->SetAlign(alClient);
        EXPECT_EQ(c->GetBoundsRect(), k.Child) << static_cast<int>(k.Style);
    }
}

TEST(SkinPanel, StatusBarPassesItsSkinToItsChildren)
{
    Scene s;
    auto* bar = new TspSkinStatusBar(s.Form.get());
    bar->SetParent(s.Form.get());
    auto* b = new TspSkinButton(s.Form.get());
    b->SetParent(bar);
    bar->SetSkinData(s.Skin.get());
    EXPECT_EQ(b->GetSkinDataComponent(), s.Skin.get());
    EXPECT_EQ(bar->GetAlign(), alBottom);
}

}  // namespace

namespace {

TEST(SkinPanel, BackgroundPictureTilesTheWholePanelEvenWhenTiny)
{
    Scene s;
    auto tiny = NewPicture(2, 1, 0x00FF00);
    Paint(tiny.get(), TRect(1, 0, 2, 1), 0xFF0000);
    s.Skin->ActivePictures.push_back(std::move(tiny));
    auto rec = std::make_unique<TspDataSkinPanelControl>("panel");
    rec->PictureIndex = 0;
    rec->SkinRect = LookRect(0);
    rec->LeftTopPoint = TPoint(10, 5);
    rec->RightTopPoint = TPoint(50, 5);
    rec->LeftBottomPoint = TPoint(10, 15);
    rec->RightBottomPoint = TPoint(50, 15);
    rec->ClientRect = TRect(10, 5, 50, 15);
    rec->BGPictureIndex = 2;
    s.Skin->CtrlList.push_back(std::move(rec));
    auto* p = new TspSkinPanel(s.Form.get());
    p->SetParent(s.Form.get());
    p->SetBounds(0, 0, 301, 199);
    p->SetSkinData(s.Skin.get());
    ASSERT_TRUE(p->Skinned());
    auto shot = Snapshot(p);
    struct Case {
        int X, Y;
        TColor C;
    } cases[] = {{0, 0, 0x00FF00}, {1, 0, 0xFF0000}, {300, 198, 0x00FF00}, {299, 100, 0xFF0000}, {150, 150, 0x00FF00}};
    for (const auto& c : cases) EXPECT_EQ(Probe(shot.get(), c.X, c.Y), c.C) << c.X << "," << c.Y;
}

}  // namespace
