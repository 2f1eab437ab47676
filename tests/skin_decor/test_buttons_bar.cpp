// The buttons bar: headings above and below the open section, the items that fit
// and the arrows that scroll the rest (an arrow that hides itself in its own
// click lives on), growing the bar, and the clicks of headings and items.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinButtonsBar.h"

using namespace Decor;

namespace {

struct BarScene : Scene {
    TspSkinButtonsBar* Bar;
    std::vector<std::string> Log;
    explicit BarScene(int Height = 400, int ItemHeight = 100) : Scene(300, Height)
    {
        Bar = Place<TspSkinButtonsBar>(0, 0, 150, Height);
        Bar->HandleNeeded();
        Bar->SetItemHeight(ItemHeight);
        const int items[] = {5, 1, 2};
        Bar->GetSections()->BeginUpdate();
        for (int i = 0; i < 3; ++i) {
            TspButtonBarSection* s = Bar->GetSections()->Add();
            s->SetText("Section " + std::to_string(i));
            s->OnClick = [this, i](TObject*) { Log.push_back("section " + std::to_string(i)); };
            for (int j = 0; j < items[i]; ++j) {
                TspButtonBarItem* it = s->GetItems()->Add();
                it->SetText("Item " + std::to_string(j));
                it->OnClick = [this, i, j](TObject*) { Log.push_back(std::to_string(i) + "." + std::to_string(j)); };
            }
        }
        Bar->GetSections()->EndUpdate();
        Bar->UpdateItems();
    }
    std::vector<int> Shown() const
    {
        std::vector<int> v;
        for (int i = 0; i < Bar->ItemButtonCount(); ++i)
            if (Bar->ItemButton(i)->GetVisible()) v.push_back(i);
        return v;
    }
    static bool Visible(TControl* C) { return C && C->GetVisible(); }
};

TEST(ButtonsBar, HeadingsAroundTheOpenSection)
{
    BarScene s;
    ASSERT_EQ(s.Bar->HeadingCount(), 3);
    auto heading = [&](int section) -> TspSectionButton* {
        for (int i = 0; i < s.Bar->HeadingCount(); ++i)
            if (s.Bar->Heading(i)->SectionIndex() == section) return s.Bar->Heading(i);
        return nullptr;
    };
    EXPECT_EQ(heading(0)->GetAlign(), alTop);
    EXPECT_EQ(heading(1)->GetAlign(), alBottom);
    EXPECT_EQ(heading(2)->GetAlign(), alBottom);
    EXPECT_LT(heading(1)->GetTop(), heading(2)->GetTop());
    EXPECT_EQ(heading(0)->GetText(), "Section 0");
    // Opening the last section puts every heading on top and the items below them.
    s.Bar->SetSectionIndex(2);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(heading(i)->GetAlign(), alTop) << i;
    EXPECT_LT(heading(0)->GetTop(), heading(1)->GetTop());
    EXPECT_LT(heading(1)->GetTop(), heading(2)->GetTop());
    EXPECT_GE(s.Bar->ItemPanel()->GetTop(), heading(2)->GetTop() + 25);
    EXPECT_EQ(s.Bar->ItemButtonCount(), 2);
    EXPECT_EQ(s.Log, (std::vector<std::string>{"section 2"}));
    // A click on a heading opens its section.
    Click(heading(0), 5, 5);
    EXPECT_EQ(s.Bar->GetSectionIndex(), 0);
    EXPECT_EQ(s.Bar->ItemButtonCount(), 5);
}

TEST(ButtonsBar, OutsideOrOpenSectionIndexChangesNothing)
{
    BarScene s;
    for (int bad : {-1, 3, 0}) s.Bar->SetSectionIndex(bad);
    EXPECT_EQ(s.Bar->GetSectionIndex(), 0);
    EXPECT_TRUE(s.Log.empty());
}

TEST(ButtonsBar, WithoutHeadingsTheItemsFillTheBar)
{
    BarScene s(400, 60);
    s.Bar->SetShowButtons(false);
    EXPECT_EQ(s.Bar->HeadingCount(), 0);
    EXPECT_LE(s.Bar->ItemPanel()->GetTop(), 1);
    EXPECT_GE(s.Bar->ItemPanel()->GetHeight(), 396);
    EXPECT_EQ(s.Bar->ShownCount(), 5);
}

TEST(ButtonsBar, ArrowsScrollAndAnArrowHidingItselfLivesOn)
{
    BarScene s;   // 398 - 75 = 323 pixels: three items of 100
    EXPECT_EQ(s.Bar->ShownCount(), 3);
    EXPECT_EQ(s.Shown(), (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(BarScene::Visible(s.Bar->UpButton()));
    ASSERT_TRUE(BarScene::Visible(s.Bar->DownButton()));
    TspSkinButton* down = s.Bar->DownButton();
    EXPECT_EQ(down->GetWidth(), 18);
    EXPECT_EQ(down->GetLeft(), s.Bar->ItemPanel()->GetWidth() - 18 - 5);
    EXPECT_EQ(s.Bar->ItemButton(0)->GetTop(), 0);
    EXPECT_EQ(s.Bar->ItemButton(1)->GetTop(), 100);

    Click(down, 5, 5);
    EXPECT_EQ(s.Shown(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(BarScene::Visible(s.Bar->UpButton()));
    EXPECT_EQ(s.Bar->ItemButton(1)->GetTop(), 0);
    Click(down, 5, 5);   // reaches the end: the arrow hides in its own click
    EXPECT_EQ(s.Shown(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(s.Bar->DownButton(), down);
    EXPECT_FALSE(down->GetVisible());
    Click(down, 5, 5);   // a stray click past the end does nothing
    EXPECT_EQ(s.Bar->FirstShown(), 2);

    // A taller bar shows more items above instead of a gap below.
    s.Form->SetBounds(0, 0, 300, 500);
    EXPECT_EQ(s.Bar->ShownCount(), 4);
    EXPECT_EQ(s.Shown(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(down->GetVisible());
    Click(s.Bar->UpButton(), 5, 5);
    EXPECT_EQ(s.Shown(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(BarScene::Visible(s.Bar->UpButton()));
    EXPECT_TRUE(down->GetVisible());
    EXPECT_EQ(s.Bar->UpButton()->RepeatInterval, 150);
}

TEST(ButtonsBar, ItemClickRaisesItsOnClickAndChangesRebuildTheItems)
{
    BarScene s;
    Click(s.Bar->ItemButton(1), 10, 10);
    EXPECT_EQ(s.Log, (std::vector<std::string>{"0.1"}));
    s.Bar->GetSections()->Section(0)->GetItems()->Item(4)->SetText("Renamed");
    ASSERT_EQ(s.Bar->ItemButtonCount(), 5);
    EXPECT_EQ(s.Bar->ItemButton(4)->GetText(), "Renamed");
    s.Bar->GetSections()->Section(0)->GetItems()->Delete(0);
    EXPECT_EQ(s.Bar->ItemButtonCount(), 4);
    s.Bar->GetSections()->Section(1)->SetText("Second");
    bool found = false;
    for (int i = 0; i < s.Bar->HeadingCount(); ++i)
        if (s.Bar->Heading(i)->GetText() == "Second") found = true;
    EXPECT_TRUE(found);
    // An item whose click rebuilds the items frees its own button safely.
    s.Bar->GetSections()->Section(0)->GetItems()->Item(0)->OnClick = [&](TObject*) { s.Bar->UpdateItems(); };
    Click(s.Bar->ItemButton(0), 10, 10);
    EXPECT_EQ(s.Bar->ItemButtonCount(), 4);
}

}  // namespace
