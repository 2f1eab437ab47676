// The rich edit with its bars on our two skins and on none, shot from the
// screen and saved under artefacts/.
#include "test_gtest.h"
#include "RichEditScene.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"

using namespace CtlFixture;
using namespace RichFixture;

namespace {

// The scene on a framed form: thirty short lines and one too long for the width.
struct Gallery : Scene {
    Gallery()
    {
        new TspFormFrame(Form.get());
        Rich->SkinSupport = true;
        Lines(30, "<embed line ");
        Rich->GetLines()->Add(std::string(60, 'W'));
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        Rich->SetSkinData(D);
        VBar->SetSkinData(D);
        HBar->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "richedit-" + Name);
    }
    // A point of the edit's background: its right edge, halfway down.
    TPoint Background() const { return TPoint(Rich->GetWidth() - 2, Rich->GetHeight() / 2); }
};

TspDataSkinRichEdit* RichRecord(TspSkinData* D)
{
    return dynamic_cast<TspDataSkinRichEdit*>(D->ControlRecord(D->GetControlIndex("richedit")));
}

TEST(RichEditGallery, BothSkinsAndWithout)
{
    Gallery s;
    // The caret went to the end of the long line: the bars bring the start back.
    EXPECT_GT(s.HBar->GetPosition(), 0);
    s.HBar->SetPosition(0);
    s.VBar->SetPosition(0);
    auto plain = s.Shoot("unskinned");
    EXPECT_EQ(GetScrollPos(s.H(), SB_HORZ), 0);
    EXPECT_EQ(s.HBar->GetPosition(), 0);
    EXPECT_TRUE(s.VBar->GetEnabled());
    EXPECT_TRUE(s.HBar->GetEnabled());
    const TPoint mid(s.Rich->GetLeft() + s.Background().x, s.Rich->GetTop() + s.Background().y);
    EXPECT_EQ(Probe(plain.get(), mid.x, mid.y), static_cast<TColor>(ColorToRGB(clWindow)));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        s.Bind(skin.get());
        EXPECT_TRUE(s.Rich->Skinned());
        s.VBar->SetPosition(40);
        EXPECT_EQ(GetScrollPos(s.H(), SB_VERT), 40);
        auto shot = s.Shoot(name);
        const auto* r = RichRecord(skin.get());
        ASSERT_TRUE(r);
        EXPECT_EQ(Probe(shot.get(), mid.x, mid.y), static_cast<TColor>(ColorToRGB(r->BGColor)));
        // The bars wear the skin: they differ from the plain ones.
        EXPECT_GT(Differ(plain.get(), shot.get(), s.VBar), s.VBar->GetHeight());
        s.VBar->SetPosition(0);
        s.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each bar's left edge
// shows the look of its own record; once the rich edit record names its own flat
// colour as the background, the edit shows that colour.
TEST(RichEditGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    g.HBar->SetPosition(0);
    g.VBar->SetPosition(0);
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap* Shot) {
        ASSERT_TRUE(g.Rich->Skinned());
        const TColor v = SkinKit::FlatColourOf(Flat, "vscrollbar"), h = SkinKit::FlatColourOf(Flat, "hscrollbar");
        SkinKit::ExpectColours(Shot, g.Form.get(),
                               {{"vertical bar", g.VBar, TPoint(1, g.VBar->GetHeight() / 2), v},
                                {"horizontal bar", g.HBar, TPoint(1, g.HBar->GetHeight() / 2), h}});
        auto* r = RichRecord(Flat);
        ASSERT_TRUE(r);
        r->BGColor = SkinKit::FlatColourOf(Flat, "richedit");
        g.Rich->SetSkinData(Flat);
        auto shot = g.Shoot("flat-" + Flat->SkinName);
        SkinKit::ExpectColours(shot.get(), g.Form.get(), {{"rich edit", g.Rich, g.Background(), r->BGColor}});
    });
}

}  // namespace
