// The skinned list box's behaviour: items, keyboard and mouse selection with the
// frame as the events' sender, multiple selection, the layout of the list and
// its bars, the bars kept in step with the list's scrolling, the row-count
// height, the caption buttons and their repeat, and what a bad value or a
// throwing handler leaves behind.
#include "test_gtest.h"
#include "Application.h"
#include "ListFixture.h"
#include "SkinScrollBar.h"
#include "SysUtils.h"
#include <vector>

using namespace ListFixture;

namespace {

TEST(SkinListBox, ItemsReachTheInnerListAndClearFreesTheBar)
{
    ListScene s(3);
    EXPECT_EQ(s.L->GetItems()->GetCount(), 3);
    EXPECT_EQ(SendMessageA(s.Inner()->GetHandle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(s.L->GetItemIndex(), -1);
    TStringList other;
    for (int i = 0; i < 12; ++i) other.Add("other " + std::to_string(i));
    s.L->SetItems(&other);
    EXPECT_EQ(s.L->GetItems()->Get(11), "other 11");
    EXPECT_NE(s.L->GetScrollBar(), nullptr);
    s.L->Clear();
    EXPECT_EQ(s.L->GetItems()->GetCount(), 0);
    EXPECT_EQ(s.L->GetScrollBar(), nullptr);
}

TEST(SkinListBox, KeysMoveTheSelectionAndReachTheFrameEvents)
{
    ListScene s(0);
    for (const char* t : {"alpha", "bravo", "charlie", "delta", "echo"}) s.L->GetItems()->Add(t);
    std::vector<std::string> log;
    s.L->OnListBoxKeyDown = [&](TObject* S, WORD& K, TShiftState) {
        log.push_back((S == s.L ? "frame down " : "other down ") + std::to_string(K));
    };
    s.L->OnListBoxKeyPress = [&](TObject* S, char& K) { log.push_back((S == s.L ? "frame press " : "other press ") + std::string(1, K)); };
    s.L->SetItemIndex(0);
    struct Step { WORD Key; int Expect; } steps[] = {{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_END, 4}, {VK_UP, 3}, {VK_HOME, 0}};
    for (const Step& st : steps) {
        s.Key(st.Key);
        EXPECT_EQ(s.L->GetItemIndex(), st.Expect) << st.Key;
    }
    s.Inner()->Perform(WM_CHAR, 'd', 1);   // the list's incremental search
    EXPECT_EQ(s.L->GetItemIndex(), 3);
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0], "frame down 40");
    EXPECT_EQ(log[5], "frame press d");
}

TEST(SkinListBox, MouseSelectsAndRaisesTheFrameEvents)
{
    ListScene s(5);
    std::vector<std::string> log;
    s.L->OnListBoxMouseDown = [&](TObject* S, TMouseButton, TShiftState, int, int) { log.push_back(S == s.L ? "down" : "?"); };
    s.L->OnListBoxMouseUp = [&](TObject* S, TMouseButton, TShiftState, int, int) { log.push_back(S == s.L ? "up" : "?"); };
    s.L->OnListBoxClick = [&](TObject* S) { log.push_back(S == s.L ? "click" : "?"); };
    s.L->OnListBoxDblClick = [&](TObject* S) { log.push_back(S == s.L ? "dblclick" : "?"); };
    s.ClickItem(2);
    EXPECT_EQ(s.L->GetItemIndex(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click", "up"}));
    log.clear();
    TRect r = s.L->ItemRect(3);
    s.Inner()->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(r.left + 5, r.top + 5));
    EXPECT_NE(std::find(log.begin(), log.end(), "dblclick"), log.end());
}

TEST(SkinListBox, MultiSelectKeepsSeveralItems)
{
    ListScene s(6);
    s.L->SetMultiSelect(true);
    EXPECT_TRUE(s.L->GetMultiSelect());
    EXPECT_EQ(s.L->GetItems()->GetCount(), 6);   // the list window was made anew, its items kept
    s.L->SetSelected(1, true);
    s.L->SetSelected(4, true);
    EXPECT_EQ(s.L->GetSelCount(), 2);
    EXPECT_TRUE(s.L->GetSelected(4));
    EXPECT_FALSE(s.L->GetSelected(2));
    // Outside the items: nothing, and no error.
    EXPECT_FALSE(s.L->GetSelected(99));
    s.L->SetSelected(-3, true);
    EXPECT_EQ(s.L->GetSelCount(), 2);
    // A control-click adds to the selection.
    s.ClickItem(2, MK_CONTROL);
    EXPECT_EQ(s.L->GetSelCount(), 3);
    // Selected items paint as selected: GetState of a selected item that is not the caret.
    EXPECT_TRUE(s.Inner()->GetState(1) & odSelected);
    EXPECT_FALSE(s.Inner()->GetState(0) & odSelected);
    // Extended selection is the default: a plain click selects that item alone.
    EXPECT_TRUE(s.L->GetExtandedSelect());
    s.ClickItem(0, 0);
    EXPECT_EQ(s.L->GetSelCount(), 1);
    // Without it every click toggles its item and keeps the others.
    s.L->SetExtandedSelect(false);
    EXPECT_FALSE(s.L->GetExtandedSelect());
    EXPECT_EQ(s.L->GetItems()->GetCount(), 6);
    const int before = s.L->GetSelCount();   // what the new list window kept
    s.ClickItem(3, 0);
    s.ClickItem(5, 0);
    EXPECT_EQ(s.L->GetSelCount(), before + 2);
    s.ClickItem(3, 0);
    EXPECT_EQ(s.L->GetSelCount(), before + 1);
    EXPECT_TRUE(s.L->GetSelected(5));
}

TEST(SkinListBox, ItemIndexOutsideTheItemsSelectsNothing)
{
    ListScene s(4);
    const int asks[] = {2, 99, 3, -7, 4};
    const int expect[] = {2, -1, 3, -1, -1};
    for (int i = 0; i < 5; ++i) {
        s.L->SetItemIndex(asks[i]);
        EXPECT_EQ(s.L->GetItemIndex(), expect[i]) << asks[i];
    }
}

TEST(SkinListBox, UnskinnedLayoutWithAndWithoutCaption)
{
    struct Case { bool Caption; int CaptionHeight; int Items; TRect List; bool Bar; } cases[] = {
        {false, 20, 3, TRect(2, 2, 118, 118), false},
        {true, 20, 3, TRect(2, 21, 118, 118), false},
        {false, 20, 30, TRect(2, 2, 100, 118), true},
        {true, 30, 30, TRect(2, 31, 100, 118), true},
    };
    for (const Case& c : cases) {
        ListScene s(c.Items);
        s.L->SetDefaultCaptionHeight(c.CaptionHeight);
        s.L->SetCaptionMode(c.Caption);
        s.L->UpDateScrollBar();
        SCOPED_TRACE(std::to_string(c.Items) + (c.Caption ? " with caption" : ""));
        EXPECT_EQ(s.L->GetListRect(), c.List);
        EXPECT_EQ(s.L->GetScrollBar() != nullptr, c.Bar);
        if (c.Bar) {
            TspSkinScrollBar* b = s.L->GetScrollBar();
            const int k = c.Caption ? c.CaptionHeight : 1;
            EXPECT_EQ(TRect(b->GetLeft(), b->GetTop(), b->GetLeft() + b->GetWidth(), b->GetTop() + b->GetHeight()),
                      TRect(100, k, 119, 119));
            EXPECT_EQ(b->GetKind(), sbVertical);
        }
    }
}

TEST(SkinListBox, TheBarComesAndGoesWithTheItems)
{
    ListScene s(5);   // 5 rows of 20 fit in 116 pixels
    EXPECT_EQ(s.L->GetScrollBar(), nullptr);
    for (int i = 5; i < 8; ++i) s.L->GetItems()->Add("item " + std::to_string(i));
    ASSERT_NE(s.L->GetScrollBar(), nullptr);
    EXPECT_EQ(s.L->GetScrollBar()->GetLeft(), 100);
    EXPECT_EQ(s.L->GetScrollBar()->GetWidth(), 19);
    while (s.L->GetItems()->GetCount() > 5) s.L->GetItems()->Delete(s.L->GetItems()->GetCount() - 1);
    EXPECT_EQ(s.L->GetScrollBar(), nullptr);
    EXPECT_EQ(s.L->GetListRect(), TRect(2, 2, 118, 118));
}

TEST(SkinListBox, TheBarFollowsTheListAndTheListFollowsTheBar)
{
    ListScene s(30);
    TspSkinScrollBar* b = s.L->GetScrollBar();
    ASSERT_NE(b, nullptr);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(s.Inner()->GetHandle(), SB_VERT, &si);
    EXPECT_EQ(b->GetMax(), si.nMax);
    EXPECT_EQ(b->GetPageSize(), 116 / 20);
    s.L->SetTopIndex(10);
    EXPECT_EQ(b->GetPosition(), 10);
    b->SetPosition(4);   // as a drag of the thumb does
    EXPECT_EQ(s.L->GetTopIndex(), 4);
    // Keys scroll the list; the next erase brings the bar along.
    s.L->SetItemIndex(4);
    s.Key(VK_END);
    PumpUntilIdle();
    EXPECT_EQ(b->GetPosition(), s.L->GetTopIndex());
    EXPECT_GT(b->GetPosition(), 20);
    // The wheel: the list scrolls and the bar follows.
    const int before = s.L->GetTopIndex();
    s.Inner()->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), PointToLParam(50, 50));
    EXPECT_LT(s.L->GetTopIndex(), before);
    EXPECT_EQ(b->GetPosition(), s.L->GetTopIndex());
}

TEST(SkinListBox, RowCountSetsTheHeight)
{
    struct Case { bool Caption; bool Extent; int Expect; } cases[] = {
        {false, false, 104}, {true, false, 124}, {false, true, 104 + 19},
    };
    for (const Case& c : cases) {
        ListScene s(0);
        s.L->SetCaptionMode(c.Caption);
        if (c.Extent) {
            s.L->GetItems()->Add(std::string(200, 'W'));
            s.L->SetHorizontalExtent(true);
            ASSERT_NE(s.L->GetHScrollBar(), nullptr);
        }
        s.L->SetRowCount(5);
        EXPECT_EQ(s.L->GetHeight(), c.Expect);
    }
}

TEST(SkinListBox, RowCountEqualToTheItemsNeverShowsTheBar)
{
    ListScene s(5);
    s.L->SetRowCount(5);
    s.L->SetHeight(60);
    s.L->UpDateScrollBar();
    EXPECT_EQ(s.L->GetScrollBar(), nullptr);
    s.L->GetItems()->Add("one more");
    EXPECT_NE(s.L->GetScrollBar(), nullptr);
}

TEST(SkinListBox, HorizontalExtentShiftsTheTextsAndGoesAway)
{
    ListScene s(3);
    s.L->GetItems()->Add(std::string(60, 'W'));
    s.L->SetHorizontalExtent(true);
    TspSkinScrollBar* h = s.L->GetHScrollBar();
    ASSERT_NE(h, nullptr);
    TCanvas* c = s.Inner()->GetCanvas();
    c->SetFont(s.Inner()->GetFont());
    EXPECT_EQ(h->GetMax(), c->TextWidth(std::string(60, 'W')));
    EXPECT_EQ(h->GetPageSize(), s.Inner()->GetWidth() - 4);
    EXPECT_EQ(h->GetSmallChange(), c->TextWidth("0"));
    // Right and Left move the bar, and with it the texts.
    s.Key(VK_RIGHT);
    s.Key(VK_RIGHT);
    EXPECT_EQ(h->GetPosition(), 2 * c->TextWidth("0"));
    EXPECT_EQ(s.Inner()->FHScrollOffset, h->GetPosition());
    s.Key(VK_LEFT);
    EXPECT_EQ(s.Inner()->FHScrollOffset, c->TextWidth("0"));
    s.L->SetHorizontalExtent(false);
    EXPECT_EQ(s.L->GetHScrollBar(), nullptr);
    EXPECT_EQ(s.Inner()->FHScrollOffset, 0);
}

TEST(SkinListBox, BothBarsUnskinnedMeetInTheCorner)
{
    ListScene s(30);
    s.L->GetItems()->Add(std::string(60, 'W'));
    s.L->SetHorizontalExtent(true);
    TspSkinScrollBar *v = s.L->GetScrollBar(), *h = s.L->GetHScrollBar();
    ASSERT_NE(v, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(TRect(h->GetLeft(), h->GetTop(), h->GetLeft() + h->GetWidth(), h->GetTop() + h->GetHeight()),
              TRect(1, 100, 119, 119));
    EXPECT_TRUE(h->GetBoth());
    EXPECT_EQ(h->GetBothMarkerWidth(), 19);
    EXPECT_EQ(v->GetHeight(), 120 - 1 - 18 - 1);
}

TEST(SkinListBox, WidenedListPullsTheShiftBack)
{
    struct Case { int Offset, Grow, Expect; } cases[] = {{25, 10, 15}, {5, 10, 0}, {0, 10, 0}, {25, -10, 35}};
    for (const Case& c : cases) {
        ListScene s(3);
        s.Inner()->FHScrollOffset = c.Offset;
        TspListBox* lb = s.Inner();
        lb->SetBounds(lb->GetLeft(), lb->GetTop(), lb->GetWidth() + c.Grow, lb->GetHeight());
        EXPECT_EQ(lb->FHScrollOffset, c.Expect) << c.Offset << " " << c.Grow;
    }
}

// ---- caption buttons

struct CaptionScene : ListScene {
    CaptionScene() : ListScene(4)
    {
        L->SetCaptionMode(true);
        L->Repaint();   // the buttons are placed by the paint
    }
    TPoint Centre(int I)
    {
        TRect r = L->CaptionButtonRect(I);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Down(int I) { L->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Centre(I).x, Centre(I).y)); }
    void Up(int I) { L->Perform(WM_LBUTTONUP, 0, PointToLParam(Centre(I).x, Centre(I).y)); }
    void Tick() { L->Perform(WM_TIMER, 1, 0); }
};

TEST(SkinListBox, UnskinnedCaptionButtonsSitAtTheRightEnd)
{
    struct Case { int CaptionHeight; TRect Up, Down, Check; } cases[] = {
        {20, TRect(101, 2, 118, 18), TRect(84, 2, 101, 18), TRect(67, 2, 84, 18)},
        {12, TRect(109, 2, 118, 10), TRect(100, 2, 109, 10), TRect(91, 2, 100, 10)},
    };
    for (const Case& c : cases) {
        ListScene s(0);
        s.L->SetDefaultCaptionHeight(c.CaptionHeight);
        s.L->SetCaptionMode(true);
        s.L->Repaint();
        EXPECT_EQ(s.L->CaptionButtonRect(0), c.Up) << c.CaptionHeight;
        EXPECT_EQ(s.L->CaptionButtonRect(1), c.Down) << c.CaptionHeight;
        EXPECT_EQ(s.L->CaptionButtonRect(2), c.Check) << c.CaptionHeight;
    }
}

TEST(SkinListBox, CaptionButtonsMoveTheSelectionWithinTheItems)
{
    CaptionScene s;
    struct Step { int Button, From, Expect; } steps[] = {
        {1, 0, 1}, {1, 2, 3}, {1, 3, 3} /* at the last item: stays */, {0, 2, 1}, {0, 0, 0} /* at the first */,
    };
    for (const Step& st : steps) {
        s.L->SetItemIndex(st.From);
        s.Down(st.Button);
        s.Up(st.Button);
        EXPECT_EQ(s.L->GetItemIndex(), st.Expect) << st.Button << " from " << st.From;
        EXPECT_EQ(s.L->RepeatTarget(), 0);
    }
    int clicks = 0;
    s.L->OnListBoxClick = [&](TObject*) { ++clicks; };
    s.Down(2);
    s.Up(2);
    EXPECT_EQ(clicks, 1);   // the check button clicks the list
}

TEST(SkinListBox, HeldDownButtonRepeatsAfterTheFirstTick)
{
    CaptionScene s;
    s.L->SetItemIndex(0);
    s.Down(1);
    EXPECT_EQ(s.L->RepeatTarget(), 2);
    s.Tick();   // the first period only re-arms the timer
    EXPECT_EQ(s.L->GetItemIndex(), 0);
    s.Tick();
    EXPECT_EQ(s.L->GetItemIndex(), 1);
    s.Tick();
    EXPECT_EQ(s.L->GetItemIndex(), 2);
    s.Up(1);   // the release moves once more and stops
    EXPECT_EQ(s.L->GetItemIndex(), 3);
    EXPECT_EQ(s.L->RepeatTarget(), 0);
    s.Tick();
    EXPECT_EQ(s.L->GetItemIndex(), 3);
}

TEST(SkinListBox, AssignedButtonEventReplacesTheDefaultAction)
{
    CaptionScene s;
    int ups = 0;
    s.L->OnUpButtonClick = [&](TObject* S) { ups += S == s.L; };
    s.L->SetItemIndex(2);
    s.Down(0);
    EXPECT_EQ(s.L->RepeatTarget(), 0);
    s.Up(0);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(s.L->GetItemIndex(), 2);
    // Released away from the button: the default action instead of the event.
    s.Down(0);
    s.L->Perform(WM_LBUTTONUP, 0, PointToLParam(10, 60));
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(s.L->GetItemIndex(), 1);
}

// ---- bad values

TEST(SkinListBox, ItemHeightIsNeverZero)
{
    ListScene s(5);
    s.L->SetDefaultItemHeight(0);
    s.L->SetDefaultItemHeight(-4);
    EXPECT_EQ(s.Inner()->GetItemHeight(), 20);
    // A skin whose item picture has no height keeps the rows as they are.
    auto d = NewListSkin();
    ListRecord(d.get())->ItemRect = TRect(0, 80, 60, 80);
    s.L->SetSkinData(d.get());
    ASSERT_TRUE(s.L->Skinned());
    EXPECT_GT(s.Inner()->GetItemHeight(), 0);
    EXPECT_EQ(s.L->CalcHeight(3), 80 + 3 * s.Inner()->GetItemHeight() + 2 - 78);
    s.L->UpDateScrollBar();
    s.Shot(s.L);   // painted without a fault
    // Nor one of a size no control has.
    ListRecord(d.get())->ItemRect = TRect(0, 0, 60, 100000);
    s.L->SetSkinData(d.get());
    EXPECT_LE(s.Inner()->GetItemHeight(), MaxSkinControlSide);
    s.Shot(s.L);
    s.L->SetSkinData(nullptr);
}

TEST(SkinListBox, EmptyClientTileStillPaints)
{
    ListScene s(2);
    auto d = NewListSkin();
    ListRecord(d.get())->ClientRect = TRect(2, 2, 2, 78);
    s.L->SetSkinData(d.get());
    auto shot = s.Shot(s.Inner());
    EXPECT_EQ(Probe(shot.get(), 5, shot->GetHeight() - 3), Sys(COLOR_WINDOW));
    s.L->SetSkinData(nullptr);
}

TEST(SkinListBox, AThrowingHandlerNeverLeavesTheWindowProcedure)
{
    ListScene s(4);
    std::vector<std::string> caught;
    auto old = Application->OnException;
    Application->OnException = [&](TObject*, const Exception& E) { caught.push_back(E.Message()); };
    s.L->OnListBoxClick = [](TObject*) { throw Exception("handler failed"); };
    s.L->OnDrawItem = [](TCanvas*, int, int, int, TRect, TOwnerDrawState) { throw Exception("draw failed"); };
    s.ClickItem(1);
    s.Shot(s.L);
    Application->OnException = old;
    EXPECT_EQ(s.L->GetItemIndex(), 1);
    EXPECT_NE(std::find(caught.begin(), caught.end(), "handler failed"), caught.end());
    EXPECT_NE(std::find(caught.begin(), caught.end(), "draw failed"), caught.end());
    // The list still works.
    s.L->OnListBoxClick = nullptr;
    s.L->OnDrawItem = nullptr;
    s.ClickItem(3);
    EXPECT_EQ(s.L->GetItemIndex(), 3);
}

}  // namespace

namespace {

TEST(SkinListBox, ColumnModeTakesAHorizontalBarUnderTheList)
{
    ListScene s(40);
    s.L->SetColumns(2);
    s.L->UpDateScrollBar();
    TspSkinScrollBar* b = s.L->GetScrollBar();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetKind(), sbHorizontal);
    EXPECT_EQ(TRect(b->GetLeft(), b->GetTop(), b->GetLeft() + b->GetWidth(), b->GetTop() + b->GetHeight()),
              TRect(1, 100, 119, 119));
    EXPECT_EQ(s.L->GetListRect(), TRect(2, 2, 118, 100));
    EXPECT_EQ(b->GetPageSize(), 2);
    // Back to one column: a vertical bar again.
    s.L->SetColumns(0);
    ASSERT_NE(s.L->GetScrollBar(), nullptr);
    EXPECT_EQ(s.L->GetScrollBar()->GetKind(), sbVertical);
    EXPECT_EQ(s.L->GetItems()->GetCount(), 40);
}

}  // namespace
