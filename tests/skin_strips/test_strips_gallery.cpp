// The frame-strip controls on one form, bound to our default skin, the second
// skin and no skin (with default images); each look is saved under artefacts/.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinFrameControls.h"
#include <vector>

using namespace CtlFixture;

namespace {

TColor Plain(int I) { return RGB(40 * I, 220 - 30 * I, 90); }

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TBitmap> Strip = NewPicture(4 * 24, 24, 0);
    std::vector<TspFrameSkinControl*> Controls;
    TspSkinSwitch* Switch;
    TspSkinAnimate* Animate;
    TspSkinFrameGauge* Gauge;
    TspSkinFrameRegulator* Regulator;

    template <class C> C* Place(int X)
    {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, 10, 24, 24);
        c->SetDefaultFramesCount(4);
        c->SetDefaultImage(Strip.get());
        Controls.push_back(c);
        return c;
    }
    Gallery()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 60);
        Form->SetColor(0xE0E0E0);
        for (int i = 0; i < 4; ++i) Paint(Strip.get(), Bounds(i * 24 + 2, 2, 20, 20), Plain(i + 1));
        Switch = Place<TspSkinSwitch>(10);
        Animate = Place<TspSkinAnimate>(50);
        Gauge = Place<TspSkinFrameGauge>(90);
        Regulator = Place<TspSkinFrameRegulator>(130);
        Gauge->SetValue(100);
    }
    void Bind(TspSkinData* D)
    {
        for (auto* c : Controls) c->SetSkinData(D);
        if (!D)
            for (auto* c : Controls) c->ChangeSkinData();
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "strips-gallery-" + Name);
        return shot;
    }
};

TEST(StripsGallery, EveryStripControlWithBothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    for (auto* c : g.Controls) {
        EXPECT_FALSE(c->Skinned());
        EXPECT_EQ(c->GetWidth(), 24);
        EXPECT_EQ(c->GetFrameCount(), 4);
    }
    // Frame 1 of the default strip; the gauge at its maximum shows frame 4.
    EXPECT_EQ(Probe(plain.get(), 10 + 12, 22), Plain(1));
    EXPECT_EQ(Probe(plain.get(), 90 + 12, 22), Plain(4));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        for (auto* c : g.Controls) {
            EXPECT_TRUE(c->Skinned()) << c->GetSkinDataName();
            EXPECT_TRUE(c->HasFrames()) << c->GetSkinDataName();
            EXPECT_GE(c->GetFrameCount(), 2);
            EXPECT_EQ(c->GetWidth(), c->GetFrameWidth());
            EXPECT_EQ(c->GetHeight(), c->GetFrameHeight());
        }
        EXPECT_EQ(g.Gauge->GetFrame(), g.Gauge->GetFrameCount());
        g.Switch->SetState(swOn);
        EXPECT_EQ(g.Switch->GetFrame(), 2);   // the skins' switches have two frames
        auto shot = g.Shoot(name);
        int differ = 0;
        for (auto* c : g.Controls)
            for (int y = 1; y < c->GetHeight(); y += 3)
                for (int x = 1; x < c->GetWidth(); x += 3)
                    if (Probe(shot.get(), c->GetLeft() + x, c->GetTop() + y) !=
                        Probe(plain.get(), c->GetLeft() + x, c->GetTop() + y))
                        ++differ;
        EXPECT_GT(differ, 20);
        g.Switch->SetState(swOff);
        g.Bind(nullptr);
        for (auto* c : g.Controls) EXPECT_EQ(c->GetWidth(), 24);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each strip control
// shows a frame of its own element's strip: the middle of every frame is that
// element's flat colour.
TEST(StripsGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    auto middle = [](TspFrameSkinControl* C, const char* What) {
        return SkinKit::TPieceProbe{What, C, TPoint(C->GetWidth() / 2, C->GetHeight() / 2), C->GetSkinDataName()};
    };
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{middle(g.Switch, "switch"), middle(g.Animate, "animate"),
                                                 middle(g.Gauge, "frame gauge"),
                                                 middle(g.Regulator, "frame regulator")};
    });
}

}  // namespace
