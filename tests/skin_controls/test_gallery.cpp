// The gallery: every control of the skinned basic controls on one form, bound to
// our default skin, the second skin and no skin; each look is saved under
// artefacts/ for a person to look at, and probed here.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinChangeWalk.h"
#include "SkinSpeedButton.h"
#include <vector>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form;
    std::vector<TspSkinButton*> Buttons;
    std::vector<TspSkinSpeedButton*> SpeedButtons;

    Gallery()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 420, 200);
        Form->SetColor(0xE0E0E0);
        const char* captions[] = {"OK", "&Cancel", "Disabled", "Down"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TspSkinButton(Form.get());
            b->SetParent(Form.get());
            b->SetCanFocused(false);
            b->SetBounds(10 + i * 100, 10, 90, 25);
            b->SetCaption(captions[i]);
            Buttons.push_back(b);
        }
        Buttons[2]->SetEnabled(false);
        Buttons[3]->SetGroupIndex(1);
        Buttons[3]->SetDown(true);
        const char* tools[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            auto* s = new TspSkinSpeedButton(Form.get());
            s->SetParent(Form.get());
            s->SetBounds(10 + i * 30, 50, 25, 25);
            s->SetCaption(tools[i]);
            SpeedButtons.push_back(s);
        }
        SpeedButtons[1]->SetFlat(true);
        SpeedButtons[2]->SetGroupIndex(2);
        SpeedButtons[2]->SetDown(true);
    }

    void Bind(TspSkinData* D)
    {
        for (auto* b : Buttons) b->SetSkinData(D);
        for (auto* s : SpeedButtons) s->SetSkinData(D);
    }

    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        auto shot = Snapshot(Form.get());
        CreateDirectoryA("artefacts", nullptr);
        shot->SaveToFile("artefacts/gallery-" + Name + ".bmp");
        return shot;
    }
};

std::unique_ptr<TspSkinData> LoadSkin(const std::string& Name)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    if (!d->LoadFromCompressedFile(std::string(SKINS_DIR) + "/" + Name + ".skn")) return nullptr;
    return d;
}

TEST(Gallery, EveryControlWithBothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    for (auto* b : g.Buttons) EXPECT_FALSE(b->Skinned());
    EXPECT_EQ(Probe(plain.get(), 20, 15), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));

    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        for (auto* b : g.Buttons) EXPECT_TRUE(b->Skinned());
        for (auto* s : g.SpeedButtons) EXPECT_TRUE(s->Skinned());
        auto shot = g.Shoot(name);
        // The skinned face is not the plain one somewhere along the first button.
        int differ = 0;
        for (int x = 12; x < 98; x += 2)
            if (Probe(shot.get(), x, 20) != Probe(plain.get(), x, 20)) ++differ;
        EXPECT_GT(differ, 10);
        g.Bind(nullptr);
    }
}

TEST(Gallery, SkinChangeFollowsLiveOnlyForControlsOfThatComponent)
{
    Gallery g;
    auto first = LoadSkin("Korvel2");
    auto other = LoadSkin("Korvel2");
    ASSERT_TRUE(first && other);
    g.Bind(first.get());
    g.SpeedButtons[0]->SetSkinData(other.get());
    auto before = g.Shoot("before-change");

    Skinctrls::ReskinControls(g.Form.get(), first.get(), true);
    EXPECT_EQ(g.Buttons[0]->GetSkinIndex(), -1);
    EXPECT_NE(g.SpeedButtons[0]->GetSkinIndex(), -1);   // bound to the other component
    ASSERT_TRUE(first->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    Skinctrls::ReskinControls(g.Form.get(), first.get(), false);
    for (auto* b : g.Buttons) EXPECT_TRUE(b->Skinned());
    auto after = g.Shoot("after-change");
    int differ = 0;
    for (int x = 12; x < 98; x += 2)
        if (Probe(after.get(), x, 20) != Probe(before.get(), x, 20)) ++differ;
    EXPECT_GT(differ, 0);
}

}  // namespace
