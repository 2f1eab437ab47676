// The check combo box: its text made of the checked items, toggling in the open
// drop-down (which stays open), Enter's close-up order, and the keys that move
// the list's current item or toggle it.
#include "test_gtest.h"
#include "Form.h"
#include "SkinCheckComboBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>
#include <vector>

namespace {

struct ComboScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinCheckComboBox* C;
    std::vector<std::string> Log;
    explicit ComboScene(std::vector<std::string> Items = {"a", "b", "c"})
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 300, 200);
        C = new TspSkinCheckComboBox(Form.get());
        C->SetParent(Form.get());
        C->SetBounds(10, 10, 150, 20);
        for (const std::string& s : Items) C->GetItems()->Add(s);
        C->OnCloseUp = [this](TObject*) { Log.push_back("CloseUp"); };
        C->OnClick = [this](TObject*) { Log.push_back("Click"); };
        Form->Show();
        PumpUntilIdle();
        C->SetFocus();
        PumpUntilIdle();
    }
    void Key(WORD K) { C->Perform(WM_KEYDOWN, K, 1); }
    TspListBox* Inner() { return C->GetListBox()->GetListBox(); }
};

TEST(SkinCheckComboBox, TextIsTheCheckedItemsJoinedByCommas)
{
    ComboScene s;
    struct Step { int Index; bool Checked; const char* Text; };
    const Step steps[] = {{0, true, "a"}, {2, true, "a,c"}, {1, true, "a,b,c"}, {1, false, "a,c"},
                          {0, false, "c"}, {2, false, ""}};
    for (const Step& st : steps) {
        s.C->SetChecked(st.Index, st.Checked);
        EXPECT_EQ(s.C->GetText(), st.Text);
    }
    EXPECT_TRUE(s.C->GetItems()->GetObject(0) == nullptr);   // nothing in the item data
}

TEST(SkinCheckComboBox, ClickInTheOpenListTogglesAndEnterClosesUp)
{
    ComboScene s;
    s.C->DropDown();
    PumpUntilIdle();
    ASSERT_TRUE(s.C->IsPopupVisible());
    const TRect r = s.Inner()->ItemRect(1);
    const LPARAM at = PointToLParam(r.left + 40, r.top + r.Height() / 2);
    s.Inner()->Perform(WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(s.C->GetListItemIndex(), 1);
    s.Inner()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    s.Inner()->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(s.C->GetChecked(1));
    EXPECT_EQ(s.C->GetText(), "b");
    EXPECT_TRUE(s.C->IsPopupVisible());
    s.Inner()->Perform(WM_LBUTTONUP, 0, at);
    EXPECT_FALSE(s.C->GetChecked(1));
    EXPECT_TRUE(s.Log.empty());
    s.Key(VK_RETURN);
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.Log, (std::vector<std::string>{"CloseUp", "Click"}));
    // Escape closes without the events.
    s.C->DropDown();
    s.Key(VK_ESCAPE);
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.Log.size(), 2u);
}

TEST(SkinCheckComboBox, KeysMoveTheCurrentItemAndSpaceToggles)
{
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) items.push_back("item" + std::to_string(i));
    ComboScene s(items);
    s.C->GetListBox()->SetItemIndex(0);
    s.Key(VK_NEXT);
    EXPECT_EQ(s.C->GetListItemIndex(), 7);
    EXPECT_EQ(s.C->GetText(), "");
    s.Key(VK_DOWN);
    EXPECT_EQ(s.C->GetListItemIndex(), 8);
    s.Key(VK_SPACE);   // the list is closed
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.C->GetText(), "item8");
    s.Key(VK_PRIOR);
    EXPECT_EQ(s.C->GetListItemIndex(), 0);
    s.Key(VK_UP);
    EXPECT_EQ(s.C->GetListItemIndex(), 0);
    s.C->Perform(WM_KEYDOWN, VK_DOWN, 1 | (1 << 29));   // Alt+Down opens
    EXPECT_TRUE(s.C->IsPopupVisible());
    s.C->CloseUp(false);
    EXPECT_TRUE(s.Log.empty());
}

TEST(SkinCheckComboBox, NoItemsNoDropDown)
{
    ComboScene s(std::vector<std::string>{});
    int drops = 0;
    s.C->OnDropDown = [&](TObject*) { ++drops; };
    s.C->DropDown();
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(drops, 0);
}

}  // namespace
