#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinSpeedButton.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Parent{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
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

}  // namespace
