// A scrolling tool bar, a scroll panel and a tab control on one form with our two
// skins and with none, shot from the screen (arrows included) and saved under
// artefacts/.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinBevel.h"
#include "SkinPanel.h"
#include "SkinScrollPanel.h"
#include "SkinSpeedButton.h"
#include "SkinTabControl.h"
#include "SkinToolBar.h"
#include "WaitUntil.h"
#include <vector>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinToolBar* Bar;
    TspSkinScrollPanel* Panel;
    std::vector<TspSkinPanel*> Items;
    TspSkinTabControl* Tabs;

    Gallery()
    {
        SetCursorPos(700, 550);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(20, 20, 430, 250);
        Bar = new TspSkinToolBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(10, 10, 230, 26);
        Bar->SetCanScroll(true);
        const char* captions[] = {"New", "Open", "Save", "Cut", "Copy", "Paste"};
        int x = 0;
        for (int i = 0; i < 6; ++i) {
            auto* b = new TspSkinSpeedButton(Form.get());
            b->SetParent(Bar);
            b->SetBounds(x, 0, 44, 26);
            b->SetText(captions[i]);
            x += 44;
            if (i == 2) {
                auto* v = new TspSkinBevel(Form.get());
                v->SetParent(Bar);
                v->SetBounds(x, 0, 6, 26);
                v->SetShape(bsLeftLine);
                x += 6;
            }
        }
        Panel = new TspSkinScrollPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(10, 50, 120, 180);
        Panel->SetScrollType(stVertical);
        for (int i = 0; i < 5; ++i) {
            auto* p = new TspSkinPanel(Form.get());
            p->SetParent(Panel);
            p->SetBounds(5, 5 + i * 50, 110, 45);
            p->SetText("Item " + std::to_string(i + 1));
            p->SetCaptionMode(true);
            Items.push_back(p);
        }
        Tabs = new TspSkinTabControl(Form.get());
        Tabs->SetParent(Form.get());
        Tabs->SetBounds(150, 50, 270, 180);
        for (const char* t : {"General", "Video", "Sound", "Chat"}) Tabs->GetTabs()->Add(t);
        Tabs->SetDefaultItemHeight(20);
        Form->Show();
        PumpUntilIdle();
        Panel->GetScrollInfo();
    }
    void Bind(TspSkinData* D)
    {
        Bar->SetSkinData(D);
        Panel->SetSkinData(D);
        for (auto* p : Items) p->SetSkinData(D);
        Tabs->SetSkinData(D);
        if (!D) Tabs->ChangeSkinData();
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "tabs-gallery-" + Name);
    }
};

TEST(TabsGallery, ToolBarScrollPanelAndTabControlWithBothSkinsAndWithout)
{
    Gallery g;
    ASSERT_TRUE(g.Bar->ArrowsVisible());
    ASSERT_TRUE(g.Panel->ArrowsVisible());
    EXPECT_EQ(g.Tabs->GetTabIndex(), 0);
    EXPECT_EQ(SendMessageA(g.Tabs->GetHandle(), TCM_GETCURSEL, 0, 0), 0);
    auto plain = g.Shoot("unskinned");
    EXPECT_FALSE(g.Tabs->Skinned());
    EXPECT_EQ(Probe(plain.get(), g.Tabs->GetLeft() + 135, g.Tabs->GetTop() + 100), SystemColour(clBtnFace));
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Bar->Skinned());
        EXPECT_TRUE(g.Tabs->Skinned());
        EXPECT_TRUE(g.Panel->PanelSkin());
        EXPECT_TRUE(g.Bar->Scroller().ArrowSkin());
        auto shot = g.Shoot(name);
        // The bar is not a framed element (EachControlDrawsItsOwnElement): the skin's
        // look replaced the plain one.
        EXPECT_GT(Differ(plain.get(), shot.get(), g.Bar), g.Bar->GetWidth());
        // The arrows still show and still scroll with the skin.
        EXPECT_TRUE(g.Bar->ArrowsVisible());
        g.Bar->ButtonClick(1);
        EXPECT_GT(g.Bar->ScrollPosition(), 0);
        g.Bar->ButtonClick(0);
        EXPECT_EQ(g.Bar->ScrollPosition(), 0);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(TabsGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Tabs, "tab control")};
    });
}

}  // namespace
