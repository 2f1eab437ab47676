// The frame's animation object keeps its frame inside the strip whatever number
// it is given, and only a button-style animation takes a linked menu.
#include "test_gtest.h"
#include "ObjectsFixture.h"
#include "Menus.h"
#include <climits>

using namespace ObjFixture;

namespace {

TColor FrameColour(int I) { return RGB(25 * I, 240 - 25 * I, 70); }

struct StripScene : Scene {
    std::unique_ptr<TspDataSkinAnimate> Rec = NewRecord<TspDataSkinAnimate>("anim");
    StripScene()
    {
        TBitmap* act = Skin->ActivePictures[0].get();
        for (int i = 1; i <= 8; ++i) Paint(act, Bounds((i - 1) * 10, 60, 10, 10), FrameColour(i));
        Rec->SkinRect = Bounds(50, 50, 10, 10);
        Rec->ActiveSkinRect = Bounds(0, 60, 80, 10);
        Rec->InActiveSkinRect = TRect();
        Rec->CountFrames = 8;
        Rec->ButtonStyle = true;
    }
};

TEST(AnimateStrip, SetFrameStaysInsideTheStrip)
{
    struct Case {
        bool Forward;
        int N, Frame;
    } cases[] = {
        {true, 3, 3},   {true, 8, 8},   {true, 9, 1},   {true, 0, 1},  {true, -7, 1}, {true, 1000, 1},
        {false, 3, 3},  {false, 0, 8},  {false, -7, 8}, {false, 9, 8}, {false, 1000, 8},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << (k.Forward ? "forwards " : "backwards ") << k.N);
        StripScene s;
        TspSkinAnimateObject a(s.Frame, s.Rec.get());
        a.Forward = k.Forward;
        a.SetFrame(k.N);
        EXPECT_EQ(a.CurrentFrame, k.Frame);
        EXPECT_EQ(Probe(Drawn(&a).get(), 55, 55), FrameColour(k.Frame));
    }
}

TEST(AnimateStrip, DrawsOnlyFramesOfTheStrip)
{
    StripScene s;
    TspSkinAnimateObject a(s.Frame, s.Rec.get());
    for (int n : {-3, 0, 50, INT_MAX}) {
        a.CurrentFrame = n;   // set from outside the object's own steps
        EXPECT_EQ(Probe(Drawn(&a).get(), 55, 55), FrameColour(n < 1 ? 1 : 8)) << n;
    }
}

TEST(AnimateStrip, OnlyAButtonStyleAnimationTakesAMenu)
{
    StripScene s;
    auto* menu = new TPopupMenu(s.Form.get());
    for (bool button : {false, true}) {
        SCOPED_TRACE(button);
        s.Rec->ButtonStyle = button;
        TspSkinAnimateObject a(s.Frame, s.Rec.get());
        EXPECT_EQ(a.LinkMenu(menu->GetItems(), true), button);
        EXPECT_EQ(a.LinkedMenuItem, button ? menu->GetItems() : nullptr);
        EXPECT_EQ(a.PopupToUp, button);
        a.TrackMenu();   // a menu without items opens nothing
        EXPECT_FALSE(Frameobjects::MenuOpen(s.Frame));
    }
}

// The frame links a menu by name to a button-style animation, and unlinks it when
// the menu goes, so a later click never opens a freed menu.
TEST(AnimateStrip, MenuLinkedByNameIsForgottenWhenTheMenuGoes)
{
    StripScene s;
    s.Skin->ObjectList.push_back(std::move(s.Rec));
    s.Frame->LoadObjects();
    auto* a = dynamic_cast<TspSkinAnimateObject*>(s.Frame->GetObject(s.Frame->GetIndex("anim")));
    ASSERT_TRUE(a);
    auto* menu = new TPopupMenu(s.Form.get());
    s.Frame->LinkMenu("anim", menu, true);
    EXPECT_EQ(a->LinkedMenuItem, menu->GetItems());
    EXPECT_TRUE(a->PopupToUp);
    delete menu;
    EXPECT_EQ(a->LinkedMenuItem, nullptr);
    s.Frame->ClearObjects();
}

}  // namespace
