#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinControl.h"

using namespace CtlFixture;

namespace {

// The plain resizable control of the base, bound to a record by name.
class TTestControl : public TspSkinCustomControl {
public:
    explicit TTestControl(TComponent* AOwner) : TspSkinCustomControl(AOwner) { SetSkinDataName("button"); }
};

struct Scene {
    std::unique_ptr<TForm> Form;
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 100);
        Form->SetColor(0x404040);
    }
    template <class C> C* Add(int X, int Y, int W, int H)
    {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, Y, W, H);
        return c;
    }
    // The control as it paints itself, in its own coordinates.
    std::unique_ptr<TBitmap> Shot(TWinControl* C) { return Snapshot(C); }
};

TEST(SkinControl, UnskinnedLooks)
{
    Scene s;
    auto* c = s.Add<TTestControl>(10, 10, 40, 30);
    EXPECT_FALSE(c->Skinned());
    EXPECT_EQ(Probe(s.Shot(c).get(), 20, 15), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    // Without DrawDefault it paints what lies behind it: the form's colour.
    c->DrawDefault = false;
    EXPECT_EQ(Probe(s.Shot(c).get(), 20, 15), 0x404040);
}

TEST(SkinControl, SkinnedHorizontalElementFitsAndComposes)
{
    Scene s;
    AddButton(s.Skin.get());
    auto* c = s.Add<TTestControl>(0, 0, 100, 25);
    c->SetSkinData(s.Skin.get());
    ASSERT_TRUE(c->Skinned());
    EXPECT_EQ(c->GetResizeMode(), rmHorizontal);
    c->SetBounds(0, 0, 200, 40);
    EXPECT_EQ(c->GetWidth(), 200);
    EXPECT_EQ(c->GetHeight(), 20);   // the element's height
    EXPECT_EQ(c->Element().NewRTPoint, TPoint(190, 0));
    auto shot = s.Shot(c);
    EXPECT_EQ(Probe(shot.get(), 5, 10), cEdge);
    EXPECT_EQ(Probe(shot.get(), 100, 10), cNormal);
    EXPECT_EQ(Probe(shot.get(), 195, 10), cEdge);
}

TEST(SkinControl, EightPointElementPaintsAtTheControlsSize)
{
    Scene s;
    auto* rec = AddButton(s.Skin.get());
    rec->LeftTopPoint = TPoint(10, 5);
    rec->RightTopPoint = TPoint(50, 5);
    rec->LeftBottomPoint = TPoint(10, 15);
    rec->RightBottomPoint = TPoint(50, 15);
    rec->ClientRect = TRect(10, 5, 50, 15);
    auto* c = s.Add<TTestControl>(0, 0, 100, 25);
    c->SetSkinData(s.Skin.get());
    ASSERT_EQ(c->GetResizeMode(), rmEightPoint);
    c->SetBounds(0, 0, 200, 40);
    c->GetSkinData();   // a lookup (every paint makes one) keeps the points of the current size
    EXPECT_EQ(c->Element().NewRBPoint, TPoint(190, 35));
    auto shot = s.Shot(c);
    struct Probe_ {
        int X, Y;
        TColor C;
    } probes[] = {{5, 20, cEdge}, {100, 20, cNormal}, {170, 20, cNormal}, {185, 20, cNormal}, {195, 20, cEdge},
                  {195, 38, cEdge}};
    for (const auto& p : probes) EXPECT_EQ(Probe(shot.get(), p.X, p.Y), p.C) << p.X << "," << p.Y;
}

TEST(SkinControl, RegionIsTheMaskAndBelongsToTheWindow)
{
    Scene s;
    auto* rec = AddButton(s.Skin.get());
    rec->RightTopPoint = TPoint();   // fixed size: the region is the mask itself
    rec->LeftTopPoint = TPoint();
    rec->MaskPictureIndex = 1;
    auto* c = s.Add<TTestControl>(0, 0, 10, 10);
    c->GetHandle();
    c->SetSkinData(s.Skin.get());
    ASSERT_TRUE(c->HasWindowRegion());
    EXPECT_EQ(c->GetWidth(), 60);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(c->GetWindowHandle(), probe), ERROR);
    EXPECT_FALSE(PtInRegion(probe, 1, 1));    // the white corner of the mask is cut away
    EXPECT_TRUE(PtInRegion(probe, 5, 5));
    EXPECT_TRUE(PtInRegion(probe, 59, 19));
    EXPECT_FALSE(PtInRegion(probe, 60, 10));
    // Setting the region again (a skin change) hands a new one to the window; the
    // old one was the window's to free, so ours stays valid and unshared.
    c->ChangeSkinData();
    ASSERT_TRUE(c->HasWindowRegion());
    ASSERT_NE(GetWindowRgn(c->GetWindowHandle(), probe), ERROR);
    EXPECT_FALSE(PtInRegion(probe, 1, 1));
    // Without the skin the region is removed.
    s.Skin->Empty = true;
    c->ChangeSkinData();
    EXPECT_FALSE(c->HasWindowRegion());
    EXPECT_EQ(GetWindowRgn(c->GetWindowHandle(), probe), ERROR);
    DeleteObject(probe);
}

TEST(SkinControl, RecordOfAnotherKindLeavesTheControlUnskinnedAtItsDefaultSize)
{
    Scene s;
    // "button" names a label record: no button skin, so the plain button at its own size.
    auto label = std::make_unique<TspDataSkinLabelControl>("button");
    label->PictureIndex = 0;
    label->SkinRect = TRect(0, 0, 3, 3);
    s.Skin->CtrlList.push_back(std::move(label));
    auto* b = s.Add<TspSkinButton>(0, 0, 75, 25);
    b->SetCanFocused(false);
    b->SetSkinData(s.Skin.get());
    EXPECT_FALSE(b->Skinned());
    EXPECT_EQ(b->GetWidth(), 75);
    EXPECT_EQ(b->GetHeight(), 25);
    EXPECT_EQ(Probe(s.Shot(b).get(), 30, 12), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    // A non-resizable record for the base: also unskinned, never 0 x 0.
    auto std = std::make_unique<TspDataSkinStdLabelControl>("odd");
    s.Skin->CtrlList.push_back(std::move(std));
    auto* c = s.Add<TTestControl>(0, 30, 40, 30);
    c->SetSkinDataName("odd");
    c->SetDefaultWidth(44);
    c->SetSkinData(s.Skin.get());
    EXPECT_FALSE(c->Skinned());
    EXPECT_EQ(c->GetWidth(), 44);
    EXPECT_EQ(c->GetHeight(), 30);
}

TEST(SkinControl, SkinWithoutPictureOrFreedComponentPaintsPlain)
{
    Scene s;
    auto* rec = AddButton(s.Skin.get());
    rec->PictureIndex = 99;   // outside the list
    auto* c = s.Add<TTestControl>(0, 0, 100, 20);
    c->SetSkinData(s.Skin.get());
    ASSERT_TRUE(c->Skinned());
    EXPECT_EQ(Probe(s.Shot(c).get(), 50, 10), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.Skin.reset();   // the component goes: the control forgets it
    EXPECT_EQ(c->GetSkinDataComponent(), nullptr);
    EXPECT_FALSE(c->Skinned());
    EXPECT_EQ(Probe(s.Shot(c).get(), 50, 10), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(SkinControl, AlphaBlendOverTheParent)
{
    Scene s;
    AddButton(s.Skin.get());
    auto* c = s.Add<TTestControl>(0, 0, 100, 20);
    c->SetSkinData(s.Skin.get());
    c->SetAlphaBlend(true);
    struct Case {
        BYTE Value;
        TColor Expect;
    } cases[] = {{255, cNormal}, {0, 0x404040}};
    for (const auto& k : cases) {
        c->SetAlphaBlendValue(k.Value);
        EXPECT_EQ(Probe(s.Shot(c).get(), 50, 10), k.Expect) << int(k.Value);
    }
}

TEST(SkinControl, SkinNameChangeWaitsForTheNextLookup)
{
    Scene s;
    AddButton(s.Skin.get());
    auto* c = s.Add<TTestControl>(0, 0, 100, 20);
    c->SetSkinData(s.Skin.get());
    ASSERT_TRUE(c->Skinned());
    c->SetSkinDataName("nothing");
    EXPECT_TRUE(c->Skinned());      // not looked up yet
    c->GetSkinData();
    EXPECT_FALSE(c->Skinned());
    c->BeforeChangeSkinData();
    EXPECT_EQ(c->GetSkinIndex(), -1);
}

}  // namespace
