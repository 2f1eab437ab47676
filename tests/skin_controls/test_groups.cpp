#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinGroups.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form;
    Scene()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
    }
    template <class G> G* Group(int Items)
    {
        auto* g = new G(Form.get());
        g->SetParent(Form.get());
        g->SetBounds(0, 0, 242, 101);
        for (int i = 0; i < Items; ++i) g->GetItems()->Add("Item " + std::to_string(i));
        return g;
    }
};

TEST(RadioGroup, ButtonsFillColumnsOverTheClientArea)
{
    Scene s;
    auto* g = s.Group<TspSkinRadioGroup>(5);
    g->SetColumns(2);
    // Unskinned client area: inset 1, caption 22 → (1, 23, 241, 100).
    ASSERT_EQ(g->ButtonCount(), 5);
    const int bw = 240 / 2 - 2, bh = 77 / 3;
    struct Case {
        int I, X, Y;
    } cases[] = {{0, 2, 23}, {1, 2, 23 + bh}, {2, 2, 23 + 2 * bh}, {3, 2 + bw, 23}, {4, 2 + bw, 23 + bh}};
    for (const auto& c : cases) {
        EXPECT_EQ(g->Button(c.I)->GetBoundsRect(), Bounds(c.X, c.Y, bw, bh)) << c.I;
        EXPECT_TRUE(g->Button(c.I)->GetVisible());
        EXPECT_EQ(g->Button(c.I)->GetCaption(), "Item " + std::to_string(c.I));
    }
    g->SetColumns(0);
    EXPECT_EQ(g->GetColumns(), 1);
    g->SetColumns(20);
    EXPECT_EQ(g->GetColumns(), 16);
}

TEST(RadioGroup, ItemIndexIsRangeCheckedAndClicksOncePerChange)
{
    Scene s;
    auto* g = s.Group<TspSkinRadioGroup>(3);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    struct Case {
        int Set, Expect, Clicks;
    } cases[] = {{1, 1, 1}, {1, 1, 1}, {7, 2, 2}, {-5, -1, 2}, {0, 0, 3}};
    for (const auto& c : cases) {
        g->SetItemIndex(c.Set);
        EXPECT_EQ(g->GetItemIndex(), c.Expect) << c.Set;
        EXPECT_EQ(clicks, c.Clicks) << c.Set;
        for (int i = 0; i < g->ButtonCount(); ++i) EXPECT_EQ(g->Button(i)->GetChecked(), i == c.Expect) << c.Set;
    }
    // Deleting the selected last item moves the selection to the new last one.
    g->SetItemIndex(2);
    g->GetItems()->Delete(2);
    EXPECT_EQ(g->GetItemIndex(), 1);
    EXPECT_EQ(g->ButtonCount(), 2);
}

TEST(RadioGroup, IndexStoredWhileLoadingNeverTouchesAMissingButton)
{
    Scene s;
    auto* g = new TspSkinRadioGroup(s.Form.get());
    g->SetParent(s.Form.get());
    g->SetBounds(0, 0, 200, 100);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SetLoading(true);
    g->GetItems()->Add("one");
    g->GetItems()->Add("two");
    g->SetItemIndex(5);   // as a damaged form file could give it
    g->Loaded();
    EXPECT_EQ(g->ButtonCount(), 2);
    EXPECT_FALSE(g->Button(0)->GetChecked());
    EXPECT_FALSE(g->Button(1)->GetChecked());
    g->SetLoading(true);
    g->SetItemIndex(1);
    g->Loaded();
    EXPECT_TRUE(g->Button(1)->GetChecked());
    EXPECT_EQ(clicks, 0);   // loading raises nothing
}

TEST(CheckGroup, CheckedStatusPerItemAndTheLastChangedIndex)
{
    Scene s;
    auto* g = s.Group<TspSkinCheckGroup>(3);
    EXPECT_EQ(g->GetItemIndex(), -1);
    EXPECT_FALSE(g->GetCheckedStatus(-1));
    EXPECT_FALSE(g->GetCheckedStatus(3));
    g->SetCheckedStatus(9, true);   // outside: nothing
    g->SetCheckedStatus(2, true);
    EXPECT_TRUE(g->GetCheckedStatus(2));
    EXPECT_EQ(g->GetItemIndex(), 2);
    auto* b = g->Button(0);
    b->Perform(CM_MOUSEENTER, 0, 0);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 3));
    b->Perform(WM_LBUTTONUP, 0, PointToLParam(3, 3));
    EXPECT_TRUE(g->GetCheckedStatus(0));
    EXPECT_TRUE(g->GetCheckedStatus(2));   // check boxes do not exclude each other
    EXPECT_EQ(g->GetItemIndex(), 0);
}

}  // namespace
