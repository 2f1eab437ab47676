// What the skinned button and the speed button share, checked on both: their
// looks under the mouse, a release away from the button, groups, the repeat
// while held, and a repeat tick that frees the button.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinSpeedButton.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

const TColor cHotFill = RGB(182, 189, 210), cDownFill = RGB(133, 147, 181);
const TColor cParent = 0x404040;

// How each kind is made and where its face is read: the skinned button is a
// window of its own (the form owns it; it needs no focus, the form is never
// shown), the speed button draws on its parent.
template <class B> struct Kind;
template <> struct Kind<TspSkinButton> {
    static const char* Record() { return "button"; }
    static TspSkinButton* New(TForm* Form)
    {
        auto* b = new TspSkinButton(Form);
        b->SetCanFocused(false);
        return b;
    }
    static TColor Face(TForm*, TspSkinButton* B, int X, int Y) { return Probe(Snapshot(B).get(), X, Y); }
};
template <> struct Kind<TspSkinSpeedButton> {
    static const char* Record() { return "toolbutton"; }
    static TspSkinSpeedButton* New(TForm*) { return new TspSkinSpeedButton(nullptr); }
    static TColor Face(TForm* Form, TspSkinSpeedButton* B, int X, int Y)
    {
        return Probe(Snapshot(Form).get(), B->GetLeft() + X, B->GetTop() + Y);
    }
};

template <class B> struct TwinScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    int Clicks = 0;
    TwinScene()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetColor(cParent);
        Form->SetBounds(0, 0, 300, 100);
        AddButton(Skin.get(), Kind<B>::Record());
    }
    ~TwinScene()
    {
        while (Form->GetControlCount() > 0) delete Form->GetControl(0);
    }
    B* Button(bool Skinned, int X = 0)
    {
        B* b = Kind<B>::New(Form.get());
        b->SetParent(Form.get());
        b->SetBounds(X, 0, 100, 25);
        b->OnClick = [this](TObject*) { ++Clicks; };
        if (Skinned) b->SetSkinData(Skin.get());
        return b;
    }
    TColor Face(B* Btn, int X = 30, int Y = 10) { return Kind<B>::Face(Form.get(), Btn, X, Y); }
};

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5)); }

template <class B> class ButtonTwins : public ::testing::Test {};
typedef ::testing::Types<TspSkinButton, TspSkinSpeedButton> TwinKinds;
struct TwinNames {
    template <class B> static std::string GetName(int)
    {
        return std::is_same<B, TspSkinButton>::value ? "SkinButton" : "SpeedButton";
    }
};
TYPED_TEST_SUITE(ButtonTwins, TwinKinds, TwinNames);

TYPED_TEST(ButtonTwins, LooksFollowTheMouseAndAReleaseAwayGivesNoClick)
{
    struct Case {
        bool Skinned;
        TColor Normal, Hot, Down;
    } cases[] = {
        {true, cNormal, cActive, cDown},
        {false, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), cHotFill, cDownFill},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Skinned);
        TwinScene<TypeParam> s;
        auto* b = s.Button(k.Skinned);
        EXPECT_EQ(s.Face(b), k.Normal);
        Enter(b);
        EXPECT_EQ(s.Face(b), k.Hot);
        Press(b);
        EXPECT_EQ(s.Face(b), k.Down);
        Leave(b);
        EXPECT_EQ(s.Face(b), k.Normal);   // held, mouse away: not the down look
        Release(b);
        EXPECT_EQ(s.Clicks, 0);
        EXPECT_FALSE(b->GetDown());
        Enter(b);
        Press(b);
        Release(b);
        EXPECT_EQ(s.Clicks, 1);
    }
}

TYPED_TEST(ButtonTwins, GroupsBehaveLikeRadioButtonsUnlessAllowAllUp)
{
    for (bool allowAllUp : {false, true}) {
        SCOPED_TRACE(allowAllUp);
        TwinScene<TypeParam> s;
        TypeParam* g[3];
        for (int i = 0; i < 3; ++i) {
            g[i] = s.Button(true, i * 100);
            g[i]->SetGroupIndex(1);
            g[i]->AllowAllUp = allowAllUp;
        }
        Enter(g[0]);
        Press(g[0]);
        Release(g[0]);
        EXPECT_EQ(s.Clicks, 1);   // a group button clicks as it goes down
        EXPECT_TRUE(g[0]->GetDown());
        Leave(g[0]);
        EXPECT_EQ(s.Face(g[0]), cDown);   // latched in its group, without the mouse
        Enter(g[1]);
        Press(g[1]);
        Release(g[1]);
        EXPECT_TRUE(g[1]->GetDown());
        EXPECT_EQ(g[0]->GetDown(), allowAllUp);
        // Pressing the down button again: released only with AllowAllUp.
        Press(g[1]);
        Release(g[1]);
        EXPECT_EQ(g[1]->GetDown(), !allowAllUp);
        EXPECT_EQ(s.Clicks, allowAllUp ? 3 : 2);
    }
}

TYPED_TEST(ButtonTwins, RepeatClicksWhileHeldAndOnceMoreOnRelease)
{
    TwinScene<TypeParam> s;
    auto* b = s.Button(true);
    b->RepeatMode = true;
    b->RepeatInterval = 10;
    Enter(b);
    Press(b);
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks >= 3; }, 3000));
    const int held = s.Clicks;
    Release(b);
    EXPECT_EQ(s.Clicks, held + 1);
    EXPECT_FALSE(b->Repeating());
    PumpFor(60);   // no tick after the release
    EXPECT_EQ(s.Clicks, held + 1);
}

TYPED_TEST(ButtonTwins, FreedInItsRepeatTickStopsRepeating)
{
    TwinScene<TypeParam> s;
    auto* b = s.Button(true);
    b->RepeatMode = true;
    b->RepeatInterval = 10;
    b->OnClick = [&](TObject* Sender) {
        ++s.Clicks;
        delete Sender;
    };
    Enter(b);
    Press(b);
    ASSERT_TRUE(b->Repeating());
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks > 0; }, 3000));
    PumpFor(100);   // further ticks would click again
    EXPECT_EQ(s.Clicks, 1);
    EXPECT_EQ(s.Form->GetControlCount(), 0);
}

}  // namespace
