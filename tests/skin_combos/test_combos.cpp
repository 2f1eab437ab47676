// The combo box's behaviour through its methods and window messages: ItemIndex
// and its events, the drop-down's rows and placement, the keys, type-ahead in
// the fixed style and completion in the edit style.
#include "test_gtest.h"
#include "ComboScene.h"
#include "SkinEdits.h"
#include "SkinPlatform.h"
#include "SkinPopupList.h"

using namespace ComboTest;

namespace {

TEST(ComboItemIndex, SelectsClampsAndKeepsText)
{
    Scene s;
    struct Case { int Set, Index; const char* Text; };
    const Case cases[] = {
        {2, 2, "Blueberry"}, {-1, -1, "Blueberry"}, {5, -1, "Blueberry"}, {-7, -1, "Blueberry"},
        {0, 0, "Apple"}, {4, 4, "Grape"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Set);
        s.C->SetItemIndex(c.Set);
        EXPECT_EQ(s.C->GetItemIndex(), c.Index);
        EXPECT_EQ(s.C->GetText(), c.Text);
        // A program's selection is no pick of the user's: OnClick and Change, never OnChange.
        EXPECT_EQ(s.Events(), "click Change");
    }
}

TEST(ComboItemIndex, LoadingFiresNothingAndEmptyListKeepsText)
{
    Scene s;
    s.C->SetLoading(true);
    s.C->SetItemIndex(1);
    s.C->SetLoading(false);
    EXPECT_EQ(s.C->GetText(), "Banana");
    EXPECT_EQ(s.Events(), "");
    s.C->GetItems()->Clear();
    EXPECT_EQ(s.C->GetItemIndex(), -1);   // the items it pointed at are gone
    s.C->SetItemIndex(0);
    EXPECT_EQ(s.C->GetItemIndex(), -1);
    EXPECT_EQ(s.C->GetText(), "Banana");
    s.C->DropDown();   // nothing to show
    EXPECT_FALSE(s.C->IsPopupVisible());
}

TEST(ComboDropDown, RowsAndPlacement)
{
    struct Case { int Items, DropDownCount, Rows; };
    const Case cases[] = {{3, 8, 3}, {20, 8, 8}, {20, 0, 8}, {20, 4, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Items * 100 + c.DropDownCount);
        Scene s(c.Items);
        s.C->SetDropDownCount(c.DropDownCount);
        s.C->DropDown();
        ASSERT_TRUE(s.C->IsPopupVisible());
        EXPECT_TRUE(IsWindowVisible(s.C->GetPopupHandle()));
        const TRect p = s.C->GetPopupBounds();
        EXPECT_EQ(p.Height(), s.C->GetListBox()->CalcHeight(c.Rows));
        const TRect r = s.ScreenRect();
        EXPECT_EQ(p.left, r.left);
        EXPECT_EQ(p.top, r.bottom);
        EXPECT_EQ(p.Width(), r.Width());
        // The list never takes the focus from the form.
        EXPECT_NE(GetForegroundWindow(), s.C->GetPopupHandle());
        EXPECT_NE(GetFocus(), s.C->GetPopupHandle());
        EXPECT_EQ(s.Events(), "dropdown");
    }
}

TEST(ComboDropDown, OpensAboveNearTheBottomOfTheWorkArea)
{
    const TRect work = Sputils::GetPrimaryMonitorWorkArea(true);
    // Bottom-right corner: the combo's bottom 30 pixels above the work area's end.
    Scene s(20, work.right - 100, work.bottom - 40);
    s.C->DropDown();
    ASSERT_TRUE(s.C->IsPopupVisible());
    const TRect p = s.C->GetPopupBounds(), r = s.ScreenRect();
    EXPECT_EQ(p.bottom, r.top);
    EXPECT_EQ(p.left, r.left);   // not pulled back inside the screen
}

TEST(ComboKeys, FixedStyleMovesTheSelection)
{
    Scene s(20);
    s.C->SetDropDownCount(8);
    struct Case { int From; WORD Key; int To; };
    const Case cases[] = {
        {10, VK_PRIOR, 1}, {10, VK_NEXT, 17}, {15, VK_NEXT, 19}, {3, VK_PRIOR, 0},
        {5, VK_UP, 4}, {5, VK_LEFT, 4}, {5, VK_DOWN, 6}, {5, VK_RIGHT, 6}, {0, VK_UP, 0}, {19, VK_DOWN, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + " key " + std::to_string(c.Key));
        s.C->SetItemIndex(c.From);
        s.Events();
        s.Key(c.Key);
        EXPECT_EQ(s.C->GetItemIndex(), c.To);
        // A move the user makes is a pick: the text changes and every event runs.
        EXPECT_EQ(s.Events(), c.From == c.To ? "" : "change click Change");
        EXPECT_FALSE(s.C->IsPopupVisible());
    }
}

TEST(ComboKeys, OpenAndCloseKeys)
{
    Scene s;
    s.C->SetItemIndex(1);
    s.Events();
    struct Case { WORD Key; bool Alt; bool Open; };
    const Case cases[] = {
        {VK_DOWN, true, true}, {VK_DOWN, true, true}, {VK_UP, true, false}, {VK_F4, false, true},
        {VK_ESCAPE, false, false}, {VK_F4, false, true}, {VK_F4, false, false}, {VK_DOWN, true, true},
        {VK_RETURN, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        s.Key(c.Key, c.Alt);
        EXPECT_EQ(s.C->IsPopupVisible(), c.Open);
    }
    EXPECT_EQ(s.C->GetItemIndex(), 1);
}

TEST(ComboMouse, HotTrackThenEscapeRestoresAndClickAccepts)
{
    Scene s;
    s.C->SetItemIndex(1);
    s.Events();
    const TRect b = s.C->GetButton().R;
    const LPARAM at = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    s.C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    s.C->Perform(WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(s.C->IsPopupVisible());
    EXPECT_EQ(s.Events(), "dropdown");
    HWND list = s.C->GetListBox()->GetListBox()->GetHandle();
    auto row = [&](int I) {
        const TRect r = s.C->GetListBox()->ItemRect(I);
        return MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
    };
    SendMessageA(list, WM_MOUSEMOVE, 0, row(3));
    EXPECT_EQ(s.C->GetListItemIndex(), 3);
    EXPECT_EQ(s.C->GetItemIndex(), 3);
    s.Key(VK_ESCAPE);
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.C->GetItemIndex(), 1);
    EXPECT_EQ(s.C->GetText(), "Banana");
    EXPECT_EQ(s.Events(), "");

    s.C->DropDown();
    s.Events();
    SendMessageA(list, WM_MOUSEMOVE, 0, row(4));
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, row(4));
    SendMessageA(list, WM_LBUTTONUP, 0, row(4));
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.C->GetItemIndex(), 4);
    EXPECT_EQ(s.C->GetText(), "Grape");
    EXPECT_EQ(s.Events(), "change click Change closeup");
}

TEST(ComboMouse, AnotherControlTakingTheMouseClosesWithoutAccepting)
{
    Scene s;
    s.C->SetItemIndex(0);
    s.C->DropDown();
    HWND list = s.C->GetPopupHandle();
    // Clicking the list never activates it.
    EXPECT_EQ(SendMessageA(list, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(s.Form->GetHandle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    const TRect r2 = s.C->GetListBox()->ItemRect(2);
    SendMessageA(s.C->GetListBox()->GetListBox()->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(r2.left + 20, r2.top + 3));
    s.Events();
    // The combo's own press and the list's are not another control's.
    s.C->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(s.C));
    EXPECT_TRUE(s.C->IsPopupVisible());
    s.C->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(s.Form.get()));
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(s.C->GetItemIndex(), 0);
    EXPECT_EQ(s.Events(), "");
    // Disabled or hidden, the combo takes its list with it.
    s.C->DropDown();
    s.C->SetEnabled(false);
    EXPECT_FALSE(s.C->IsPopupVisible());
    s.C->SetEnabled(true);
    s.C->DropDown();
    s.C->Hide();
    EXPECT_FALSE(s.C->IsPopupVisible());
}

TEST(ComboMouse, WheelStepsWhileClosedAndInTheListWhileOpen)
{
    Scene s;
    s.C->SetItemIndex(2);
    s.Events();
    s.C->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(s.C->GetItemIndex(), 3);
    EXPECT_EQ(s.Events(), "change click Change");
    s.C->DropDown();
    s.Events();
    s.C->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(s.C->GetListItemIndex(), 2);
    EXPECT_EQ(s.C->GetText(), "Cherry");   // the list only, until it closes
    s.Key(VK_RETURN);
    EXPECT_EQ(s.C->GetText(), "Blueberry");
}

TEST(ComboTypeAhead, CollectsKeysOrStepsThroughOneLetter)
{
    Scene s;
    s.C->AutoComplete = false;
    struct Case { char Key; int Index; };
    const Case steps[] = {{'b', 1}, {'b', 2}, {'b', 1}, {'C', 3}, {'x', 3}, {'a', 0}};
    for (const Case& c : steps) {
        SCOPED_TRACE(c.Key);
        s.Type(std::string(1, c.Key));
        EXPECT_EQ(s.C->GetItemIndex(), c.Index);
    }
    s.C->AutoComplete = true;
    Sleep(550);   // a pause ends any earlier search
    s.Type("bl");
    EXPECT_EQ(s.C->GetItemIndex(), 2);
    EXPECT_EQ(s.C->GetText(), "Blueberry");
    Sleep(550);
    s.Type("g");
    EXPECT_EQ(s.C->GetItemIndex(), 4);
    s.Type("q");   // "gq" matches nothing: nothing changes
    EXPECT_EQ(s.C->GetItemIndex(), 4);
}

TEST(ComboEditStyle, FollowsTypedTextAndCompletesOnKeyRelease)
{
    Scene s;
    s.C->SetStyle(spcbEditStyle);
    ASSERT_NE(s.C->GetEdit(), nullptr);
    EXPECT_FALSE(s.C->GetTabStop());
    HWND edit = s.C->GetEdit()->GetHandle();
    const TRect a = s.C->GetItemArea().R;
    EXPECT_EQ(s.C->GetEdit()->GetLeft(), a.left);
    EXPECT_EQ(s.C->GetEdit()->GetWidth(), a.Width());
    s.Events();
    SendMessageA(edit, WM_CHAR, 'b', 1);
    SendMessageA(edit, WM_CHAR, 'l', 1);
    EXPECT_EQ(s.C->GetText(), "bl");
    EXPECT_EQ(s.C->GetListItemIndex(), 2);   // selected in the list at once
    EXPECT_EQ(s.Events(), "change Change change Change");
    SendMessageA(edit, WM_KEYUP, 'L', 1);
    EXPECT_EQ(s.C->GetText(), "Blueberry");
    EXPECT_EQ(s.C->GetEdit()->GetText(), "Blueberry");
    EXPECT_EQ(s.C->GetSelStart(), 2);
    EXPECT_EQ(s.C->GetSelLength(), 7);
    EXPECT_EQ(s.C->GetItemIndex(), 2);

    // Down in the editor steps the item and its text; Alt+Down opens, Enter accepts.
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(s.C->GetListItemIndex(), 3);
    EXPECT_EQ(s.C->GetEdit()->GetText(), "Cherry");
    EXPECT_EQ(s.C->GetText(), "Cherry");
    SendMessageA(edit, WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));
    EXPECT_TRUE(s.C->IsPopupVisible());
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_FALSE(s.C->IsPopupVisible());
    EXPECT_EQ(s.C->GetText(), "Grape");

    s.C->SetStyle(spcbFixedStyle);
    EXPECT_EQ(s.C->GetEdit(), nullptr);
    EXPECT_TRUE(s.C->GetTabStop());
    EXPECT_EQ(s.C->GetText(), "Grape");
}

TEST(ComboEditStyle, WithoutAutoCompleteOnlyScrollsTheList)
{
    Scene s(20);
    s.C->AutoComplete = false;
    s.C->SetStyle(spcbEditStyle);
    HWND edit = s.C->GetEdit()->GetHandle();
    s.C->DropDown();
    SendMessageA(edit, WM_CHAR, 'i', 1);
    SendMessageA(edit, WM_CHAR, 't', 1);
    SendMessageA(edit, WM_KEYUP, 'T', 1);
    EXPECT_EQ(s.C->GetText(), "it");
    EXPECT_EQ(s.C->GetListItemIndex(), -1);
    EXPECT_EQ(s.C->GetListTopIndex(), 5);   // "Item 5", the first that begins with "it"
}

}  // namespace

namespace {

TEST(ComboListSettings, ReachTheDropDown)
{
    Scene s;
    s.C->SetListBoxCaption("Pick one");
    s.C->SetListBoxCaptionMode(true);
    s.C->SetListBoxDefaultItemHeight(25);
    s.C->SetListBoxUseSkinItemHeight(false);
    TspPopupListBox* l = s.C->GetListBox();
    EXPECT_EQ(l->GetCaption(), "Pick one");
    EXPECT_TRUE(l->GetCaptionMode());
    EXPECT_EQ(l->GetDefaultItemHeight(), 25);
    EXPECT_FALSE(l->GetUseSkinItemHeight());
    s.C->GetItems()->Clear();
    for (const char* n : {"pear", "apple", "fig"}) s.C->GetItems()->Add(n);
    s.C->SetSorted(true);
    EXPECT_EQ(s.C->GetItems()->Get(0), "apple");
    int drawn = 0;
    s.C->SetListBoxDrawItem([&](TCanvas*, int, int, int, TRect, TOwnerDrawState) { ++drawn; });
    s.C->DropDown();
    UpdateWindow(l->GetListBox()->GetHandle());
    PumpUntil([&] { return drawn > 0; }, 500);
    EXPECT_GT(drawn, 0);   // the owner draws the list's rows
}

}  // namespace

namespace {

void Keys(std::initializer_list<std::pair<WORD, bool>> Strokes)
{
    for (const auto& k : Strokes) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k.first;
        in.ki.dwFlags = k.second ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof(in));
    }
    PumpUntilIdle();
}

void Click(int X, int Y)
{
    SetCursorPos(X, Y);
    PumpUntilIdle();
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntilIdle();
}

// Real input through the message loop: the form's dialog keys must not take
// Enter and Escape from an open list, and a click into the list keeps the form active.
TEST(ComboRealInput, KeysAndClickThroughTheMessageLoop)
{
    Scene s;
    SetForegroundWindow(s.Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == s.Form->GetHandle(); }, 2000));
    s.C->SetFocus();
    PumpUntilIdle();
    ASSERT_TRUE(s.C->Focused());
    s.C->SetItemIndex(0);
    s.Events();
    Keys({{VK_MENU, true}, {VK_DOWN, true}, {VK_DOWN, false}, {VK_MENU, false}});
    ASSERT_TRUE(PumpUntil([&] { return s.C->IsPopupVisible(); }, 2000));
    Keys({{VK_DOWN, true}, {VK_DOWN, false}, {VK_RETURN, true}, {VK_RETURN, false}});
    EXPECT_TRUE(PumpUntil([&] { return !s.C->IsPopupVisible(); }, 2000));
    EXPECT_EQ(s.C->GetItemIndex(), 1);
    Keys({{'C', true}, {'C', false}});
    EXPECT_EQ(s.C->GetText(), "Cherry");
    s.Events();

    Keys({{VK_F4, true}, {VK_F4, false}});
    ASSERT_TRUE(PumpUntil([&] { return s.C->IsPopupVisible(); }, 2000));
    const TRect r = s.C->GetListBox()->ItemRect(4);
    const TPoint p = s.C->GetListBox()->GetListBox()->ClientToScreen(TPoint(r.left + 10, (r.top + r.bottom) / 2));
    Click(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return !s.C->IsPopupVisible(); }, 2000));
    EXPECT_EQ(s.C->GetText(), "Grape");
    EXPECT_EQ(GetActiveWindow(), s.Form->GetHandle());
    EXPECT_TRUE(s.C->Focused());
    SetCursorPos(700, 700);
}

}  // namespace
