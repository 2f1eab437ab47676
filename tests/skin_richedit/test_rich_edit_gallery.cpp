// The rich edit with its bars on our two skins and on none, shot from the
// screen and saved under artefacts/.
#include "test_gtest.h"
#include "RichEditScene.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"

using namespace CtlFixture;
using namespace RichFixture;

namespace {

TEST(RichEditGallery, BothSkinsAndWithout)
{
    Scene s;
    new TspFormFrame(s.Form.get());
    s.Rich->SkinSupport = true;
    s.Lines(30, "<embed line ");
    s.Rich->GetLines()->Add(std::string(60, 'W'));
    s.Form->Show();
    PumpUntilIdle();
    // The caret went to the end of the long line: the bars bring the start back.
    EXPECT_GT(s.HBar->GetPosition(), 0);
    s.HBar->SetPosition(0);
    s.VBar->SetPosition(0);
    auto shoot = [&](const std::string& Name) {
        RedrawWindow(s.Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        PumpUntilIdle();
        auto shot = ScreenShot(s.Form.get());
        SaveArtefact(shot.get(), "richedit-" + Name);
        return shot;
    };
    auto plain = shoot("unskinned");
    EXPECT_EQ(GetScrollPos(s.H(), SB_HORZ), 0);
    EXPECT_EQ(s.HBar->GetPosition(), 0);
    EXPECT_TRUE(s.VBar->GetEnabled());
    EXPECT_TRUE(s.HBar->GetEnabled());
    const TPoint mid(s.Rich->GetLeft() + s.Rich->GetWidth() - 2, s.Rich->GetTop() + s.Rich->GetHeight() / 2);
    EXPECT_EQ(Probe(plain.get(), mid.x, mid.y), static_cast<TColor>(ColorToRGB(clWindow)));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        s.Rich->SetSkinData(skin.get());
        s.VBar->SetSkinData(skin.get());
        s.HBar->SetSkinData(skin.get());
        EXPECT_TRUE(s.Rich->Skinned());
        s.VBar->SetPosition(40);
        EXPECT_EQ(GetScrollPos(s.H(), SB_VERT), 40);
        auto shot = shoot(name);
        const auto* r = dynamic_cast<const TspDataSkinRichEdit*>(skin->ControlRecord(skin->GetControlIndex("richedit")));
        ASSERT_TRUE(r);
        EXPECT_EQ(Probe(shot.get(), mid.x, mid.y), static_cast<TColor>(ColorToRGB(r->BGColor)));
        // The bars wear the skin: they differ from the plain ones.
        EXPECT_GT(Differ(plain.get(), shot.get(), s.VBar), s.VBar->GetHeight());
        s.VBar->SetPosition(0);
        s.Rich->SetSkinData(nullptr);
        s.VBar->SetSkinData(nullptr);
        s.HBar->SetSkinData(nullptr);
    }
}

}  // namespace
