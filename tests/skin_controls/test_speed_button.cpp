#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinSpeedButton.h"
#include "WaitUntil.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Parent{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    int Clicks = 0;
    Scene()
    {
        Parent->SetBorderStyle(bsNone);
        Parent->SetColor(0x404040);
        Parent->SetBounds(0, 0, 300, 60);
        AddButton(Skin.get(), "toolbutton");
    }
    ~Scene()
    {
        while (Parent->GetControlCount() > 0) delete Parent->GetControl(0);
    }
    TspSkinSpeedButton* Button(bool Skinned, int X = 0)
    {
        auto* b = new TspSkinSpeedButton(nullptr);
        b->SetParent(Parent.get());
        b->SetBounds(X, 0, 100, 25);
        b->OnClick = [this](TObject*) { ++Clicks; };
        if (Skinned) b->SetSkinData(Skin.get());
        return b;
    }
    TColor Face(TControl* B, int X = 30, int Y = 10)
    {
        return Probe(Snapshot(Parent.get()).get(), B->GetLeft() + X, B->GetTop() + Y);
    }
};

void Enter(TControl* C) { C->Perform(CM_MOUSEENTER, 0, 0); }
void Leave(TControl* C) { C->Perform(CM_MOUSELEAVE, 0, 0); }
void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, PointToLParam(5, 5)); }

TEST(SpeedButton, LooksAndClickSkinnedAndUnskinned)
{
    struct Case {
        bool Skinned;
        TColor Normal, Hot, Down;
    } cases[] = {
        {true, cNormal, cActive, cDown},
        {false, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), RGB(182, 189, 210), RGB(133, 147, 181)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Skinned);
        Scene s;
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
        Enter(b);
        Press(b);
        Release(b);
        EXPECT_EQ(s.Clicks, 1);
    }
}

TEST(SpeedButton, FlatShowsTheParentUntilHovered)
{
    Scene s;
    auto* b = s.Button(true);
    b->SetFlat(true);
    EXPECT_EQ(s.Face(b), 0x404040);
    Enter(b);
    EXPECT_EQ(s.Face(b), cActive);
    Leave(b);
    EXPECT_EQ(s.Face(b), 0x404040);
}

TEST(SpeedButton, GroupToggles)
{
    Scene s;
    auto* a = s.Button(true, 0);
    auto* c = s.Button(true, 100);
    a->SetGroupIndex(3);
    c->SetGroupIndex(3);
    Enter(a);
    Press(a);
    Release(a);
    Leave(a);
    EXPECT_TRUE(a->GetDown());
    EXPECT_EQ(s.Face(a), cDown);   // latched in its group, without the mouse
    Enter(c);
    Press(c);
    Release(c);
    EXPECT_TRUE(c->GetDown());
    EXPECT_FALSE(a->GetDown());
    EXPECT_EQ(s.Clicks, 2);
}

TEST(SpeedButton, ShowCaptionSwitchesBetweenTheTwoWidths)
{
    Scene s;
    auto* b = s.Button(false);
    b->WidthWithCaption = 75;
    b->WidthWithoutCaption = 25;
    b->SetShowCaption(false);
    EXPECT_EQ(b->GetWidth(), 25);
    b->SetShowCaption(true);
    EXPECT_EQ(b->GetWidth(), 75);
}

TEST(SpeedButton, FreedInItsRepeatTick)
{
    Scene s;
    auto* b = s.Button(true);
    b->RepeatMode = true;
    b->RepeatInterval = 10;
    b->OnClick = [&](TObject* Sender) {
        ++s.Clicks;
        delete Sender;
    };
    Enter(b);
    Press(b);
    EXPECT_TRUE(PumpUntil([&] { return s.Clicks > 0; }, 3000));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(s.Clicks, 1);
    EXPECT_EQ(s.Parent->GetControlCount(), 0);
}

}  // namespace
