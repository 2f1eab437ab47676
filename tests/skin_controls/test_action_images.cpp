// Glyphs taken from a linked action's images, and the image lists a tool bar
// lends its speed buttons (normal, hot, disabled).
#include "test_gtest.h"
#include "ActnList.h"
#include "ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinButton.h"
#include "SkinSpeedButton.h"
#include "SkinToolBar.h"

using namespace CtlFixture;

namespace {

const TColor cRed = 0x0000FF, cGreen = 0x00FF00, cBlue = 0xFF0000, cOwn = 0x00FFFF, cParent = 0x404040;

// Solid, fully opaque 16 x 16 images, one per colour.
std::unique_ptr<TImageList> Solid(std::initializer_list<TColor> Colors, int Side = 16)
{
    auto il = std::make_unique<TImageList>(Side, Side);
    for (TColor c : Colors) {
        auto b = NewPicture(Side, Side, c);
        il->AddMasked(b.get(), clFuchsia);
    }
    return il;
}

struct ActionScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TImageList> Images = Solid({cRed, cGreen});
    TActionList List{nullptr};
    TAction Action{nullptr};
    ActionScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 60);
        Form->SetColor(cParent);
        List.SetImages(Images.get());
        Action.SetActionList(&List);
        Action.SetImageIndex(0);
    }
    ~ActionScene()
    {
        while (Form->GetControlCount() > 0) delete Form->GetControl(0);
    }
};

// A 75 x 25 button with no caption centres a 16 x 16 glyph at (29, 4).
template <class B> B* NewButton(ActionScene& S)
{
    auto* b = new B(nullptr);
    b->SetParent(S.Form.get());
    b->SetBounds(0, 0, 75, 25);
    return b;
}

template <class B> void CheckGlyphFollowsTheAction()
{
    ActionScene s;
    auto* b = NewButton<B>(s);
    b->SetAction(&s.Action);
    ASSERT_FALSE(b->GetGlyph()->Empty());
    EXPECT_EQ(b->GetGlyph()->GetWidth(), 16);
    auto shot = Snapshot(s.Form.get());
    EXPECT_EQ(Probe(shot.get(), 37, 12), cRed);
    // An image that covers its bottom-left corner keeps it: the glyph's
    // transparent colour is the background it was drawn on, not that corner.
    EXPECT_EQ(Probe(shot.get(), 29, 19), cRed);
    EXPECT_EQ(Probe(shot.get(), 44, 4), cRed);

    s.Action.SetImageIndex(1);   // a glyph taken from the action follows it
    EXPECT_EQ(Probe(Snapshot(s.Form.get()).get(), 37, 12), cGreen);
    s.Action.SetImageIndex(9);   // outside the list: no glyph at all
    EXPECT_TRUE(b->GetGlyph()->Empty());
    EXPECT_NE(Probe(Snapshot(s.Form.get()).get(), 37, 12), cGreen);

    auto own = NewPicture(16, 16, cOwn);
    Paint(own.get(), TRect(0, 15, 1, 16), clFuchsia);   // its own transparent corner
    b->SetGlyph(own.get());
    s.Action.SetImageIndex(0);   // a glyph of the button's own stays
    EXPECT_EQ(Probe(Snapshot(s.Form.get()).get(), 37, 12), cOwn);
    b->SetAction(nullptr);
}

TEST(ActionGlyph, PushButtonShowsAndFollowsItsActionsImage) { CheckGlyphFollowsTheAction<TspSkinButton>(); }

TEST(ActionGlyph, SpeedButtonShowsAndFollowsItsActionsImage) { CheckGlyphFollowsTheAction<TspSkinSpeedButton>(); }

TEST(ActionGlyph, NoGlyphWithoutAListOrAnImage)
{
    struct Case {
        bool WithList;
        int Index;
    } cases[] = {{false, 0}, {true, -1}, {true, 2}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.WithList << " " << k.Index);
        ActionScene s;
        if (!k.WithList) s.List.SetImages(nullptr);
        s.Action.SetImageIndex(k.Index);
        auto* b = NewButton<TspSkinButton>(s);
        b->SetAction(&s.Action);
        EXPECT_TRUE(b->GetGlyph()->Empty());
        b->SetAction(nullptr);
    }
}

// ---- tool bar image lists ----

struct BarScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TImageList> Normal = Solid({cRed}, 8), Hot = Solid({cGreen}, 8), Disabled = Solid({cBlue}, 8);
    TspSkinToolBar* Bar;
    TspSkinSpeedButton* Button;
    BarScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 60);
        Form->SetColor(cParent);
        Bar = new TspSkinToolBar(nullptr);
        Bar->SetParent(Form.get());
        Bar->SetBounds(0, 0, 200, 25);
        Bar->SetImages(Normal.get());
        Bar->SetHotImages(Hot.get());
        Bar->SetDisabledImages(Disabled.get());
        Button = new TspSkinSpeedButton(nullptr);
        Button->SetParent(Bar);
        Button->SetBounds(0, 0, 25, 25);
    }
    ~BarScene()
    {
        delete Button;
        delete Bar;
    }
    // The 8 x 8 image is centred at (12, 12) of the caption-less button.
    TColor Centre() { return Probe(Snapshot(Bar).get(), 12, 12); }
};

TEST(ToolBarImages, ButtonWithoutGlyphShowsTheListOfItsState)
{
    enum State { Idle, Hovered, Held, Disabled };
    struct Case {
        State S;
        bool Flat;
        bool WithHot, WithDisabled;
        TColor Expected;   // clNone: dimmed red, neither red nor blank
    } cases[] = {
        {Idle, false, true, true, cRed},       {Hovered, false, true, true, cGreen},
        {Held, false, true, true, cGreen},     {Disabled, false, true, true, cBlue},
        {Hovered, false, false, true, cRed},   {Disabled, false, true, false, clNone},
        {Idle, true, true, true, cRed},        {Disabled, true, true, true, cBlue},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "state " << k.S << " flat " << k.Flat << " hot " << k.WithHot
                                        << " disabled list " << k.WithDisabled);
        BarScene s;
        if (!k.WithHot) s.Bar->SetHotImages(nullptr);
        if (!k.WithDisabled) s.Bar->SetDisabledImages(nullptr);
        s.Button->SetFlat(k.Flat);
        switch (k.S) {
        case Hovered: s.Button->Perform(CM_MOUSEENTER, 0, 0); break;
        case Held:
            s.Button->Perform(CM_MOUSEENTER, 0, 0);
            s.Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5));
            break;
        case Disabled: s.Button->SetEnabled(false); break;
        default: break;
        }
        const TColor c = s.Centre();
        if (k.Expected == clNone) {
            EXPECT_NE(c, cRed);
            EXPECT_NE(c, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
        } else {
            EXPECT_EQ(c, k.Expected);
        }
    }
}

TEST(ToolBarImages, OwnGlyphWinsIndexIsRangeCheckedAndFreedListsAreForgotten)
{
    BarScene s;
    auto own = NewPicture(8, 8, cOwn);
    Paint(own.get(), TRect(0, 7, 1, 8), clFuchsia);
    s.Button->SetGlyph(own.get());
    EXPECT_EQ(s.Centre(), cOwn);
    s.Button->SetGlyph(nullptr);
    EXPECT_EQ(s.Centre(), cRed);
    for (int index : {-1, 1, 1000}) {
        s.Button->SetImageIndex(index);
        EXPECT_EQ(s.Centre(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE))) << index;
    }
    s.Button->SetImageIndex(0);
    s.Hot.reset();
    s.Disabled.reset();
    EXPECT_EQ(s.Bar->GetHotImages(), nullptr);
    EXPECT_EQ(s.Bar->GetDisabledImages(), nullptr);
    s.Button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(s.Centre(), cRed);
    s.Normal.reset();
    EXPECT_EQ(s.Bar->GetImages(), nullptr);
    EXPECT_EQ(s.Centre(), RGBToColor(182, 189, 210));   // the hot face, no image
}

TEST(ToolBarImages, SkinnedButtonsTakeTheHotListInTheirActiveLook)
{
    BarScene s;
    auto skin = NewSkin();
    AddButton(skin.get(), "toolbutton");
    s.Bar->SetSkinData(skin.get());   // passed on to its buttons
    EXPECT_EQ(s.Button->GetSkinDataComponent(), skin.get());
    ASSERT_TRUE(s.Button->Skinned());
    EXPECT_EQ(s.Centre(), cRed);
    EXPECT_EQ(Probe(Snapshot(s.Bar).get(), 2, 2), cEdge);
    s.Button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(s.Centre(), cGreen);
    s.Bar->SetFlat(true);   // passed on to the buttons
    EXPECT_TRUE(s.Button->GetFlat());
    s.Button->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.Centre(), cRed);
    s.Bar->SetSkinData(nullptr);
}

}  // namespace
