#include "test_gtest.h"
#include "gui_test_util.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "ImgList.h"
#include "StdCtrls.h"
#include <algorithm>
#include <iterator>
#include <set>

using namespace guitest;

namespace {

std::unique_ptr<TForm> NewForm(int w = 400, int h = 300)
{
    std::unique_ptr<TForm> f(new TForm(nullptr));
    f->SetBounds(60, 60, w, h);
    return f;
}

// What a parent receives when the user works a child control.
void Notify(TWinControl* Control, WORD Code)
{
    SendMessageA(GetParent(Control->GetHandle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Control->GetHandle()), Code),
                 reinterpret_cast<LPARAM>(Control->GetHandle()));
}

TEST(StdCtrls, EditTextLimitsPasswordAndSelection)
{
    auto form = NewForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("abc");        // before the window: kept for it
    EXPECT_EQ(changes, 0);
    form->Show();
    EXPECT_EQ(edit->GetText(), "abc");
    edit->SetText("hello");
    EXPECT_EQ(changes, 1);
    edit->SetMaxLength(6);
    HWND h = edit->GetHandle();
    for (char c : std::string("world")) SendMessageA(h, WM_CHAR, c, 1);
    EXPECT_EQ(edit->GetText().size(), 6u);
    edit->SetPasswordChar('*');
    edit->SetText("pass");
    EXPECT_EQ(edit->GetText(), "pass");
    EXPECT_EQ(SendMessageA(h, EM_GETPASSWORDCHAR, 0, 0), '*');
    edit->SelectAll();
    EXPECT_EQ(edit->GetSelLength(), 4);
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    EXPECT_EQ(edit->GetSelText(), "as");
    edit->SetReadOnly(true);
    SendMessageA(h, WM_CHAR, 'x', 1);
    EXPECT_EQ(edit->GetText(), "pass");
    edit->Clear();
    EXPECT_EQ(edit->GetText(), "");
}

// A font change reaches the window as the new font object, which stays alive: the
// control never keeps a font that the class library has already deleted.
TEST(StdCtrls, FontChangeGivesTheWindowALiveNewFont)
{
    auto form = NewForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    form->Show();
    for (int height : {-11, -23, -9}) {
        edit->GetFont()->SetHeight(height);
        auto font = reinterpret_cast<HFONT>(SendMessageA(edit->GetHandle(), WM_GETFONT, 0, 0));
        LOGFONTA lf = {};
        ASSERT_EQ(GetObjectA(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf))) << height;
        EXPECT_EQ(lf.lfHeight, height);
        EXPECT_EQ(font, edit->GetFont()->GetHandle());
    }
}

TEST(StdCtrls, MemoLinesWithAndWithoutItsWindow)
{
    auto form = NewForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetScrollBars(ssVertical);
    memo->SetReadOnly(true);
    TStrings* lines = memo->GetLines();
    // No window yet: the lines live in the text.
    lines->Add("one");
    lines->Add("two");
    lines->Insert(1, "one and a half");
    EXPECT_EQ(lines->GetCount(), 3);
    EXPECT_EQ(memo->GetText(), "one\r\none and a half\r\ntwo");
    form->Show();
    EXPECT_EQ(lines->GetCount(), 3);
    EXPECT_EQ(lines->Get(1), "one and a half");
    lines->Delete(1);
    lines->Add("three");
    lines->Put(0, "first");
    EXPECT_EQ(lines->GetText(), "first\r\ntwo\r\nthree\r\n");
    // Filled between updates, then a line added and taken away, as a chat history is.
    lines->BeginUpdate();
    lines->Clear();
    for (int i = 0; i < 50; ++i) lines->Add("line " + std::to_string(i));
    lines->EndUpdate();
    lines->Add("");
    lines->Delete(lines->GetCount() - 1);
    EXPECT_EQ(lines->GetCount(), 50);
    EXPECT_EQ(lines->Get(49), "line 49");
    EXPECT_GT(SendMessageA(memo->GetHandle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    lines->SetText("a\nb\rc");
    EXPECT_EQ(lines->GetCount(), 3);
    EXPECT_EQ(lines->Get(2), "c");
}

TEST(StdCtrls, CheckBoxesRadioButtonsAndRadioGroups)
{
    auto form = NewForm();
    auto* check = new TCheckBox(form.get());
    check->SetParent(form.get());
    int checkClicks = 0;
    check->OnClick = [&](TObject*) { ++checkClicks; };
    auto* r1 = new TRadioButton(form.get());
    r1->SetParent(form.get());
    auto* r2 = new TRadioButton(form.get());
    r2->SetParent(form.get());
    r2->SetTop(30);
    auto* group = new TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(150, 10, 200, 100);
    group->SetCaption("Select client type");
    int groupClicks = 0;
    group->OnClick = [&](TObject*) { ++groupClicks; };
    form->Show();

    SendMessageA(check->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check->GetChecked());
    EXPECT_EQ(checkClicks, 1);
    check->SetState(cbUnchecked);
    EXPECT_EQ(checkClicks, 2);
    EXPECT_EQ(SendMessageA(check->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageA(r1->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r1->GetChecked());
    SendMessageA(r2->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r2->GetChecked());
    EXPECT_FALSE(r1->GetChecked());

    group->GetItems()->Add("Java client");
    group->GetItems()->Add("ActiveX Client");
    ASSERT_EQ(group->GetButtonCount(), 2);
    EXPECT_EQ(group->GetItemIndex(), -1);
    EXPECT_EQ(groupClicks, 0);
    group->SetItemIndex(1);
    EXPECT_EQ(groupClicks, 1);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
    SendMessageA(group->GetButton(0)->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->GetItemIndex(), 0);
    EXPECT_EQ(groupClicks, 2);
    EXPECT_FALSE(group->GetButton(1)->GetChecked());
    // New items leave no item selected.
    group->GetItems()->Clear();
    group->GetItems()->Add("Java client");
    group->GetItems()->Add("ActiveX Client");
    EXPECT_EQ(group->GetItemIndex(), -1);
    EXPECT_EQ(groupClicks, 2);
}

TEST(StdCtrls, ComboBoxItemsIndexAndChange)
{
    auto form = NewForm();
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetStyle(csDropDownList);
    int changes = 0, clicks = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->OnClick = [&](TObject*) { ++clicks; };
    combo->GetItems()->Add("LAN 100 Mbps");
    combo->GetItems()->Add("LAN 10 Mbps");
    combo->GetItems()->Add("Dialup 28.8 Kbps");
    combo->SetItemIndex(0);
    form->Show();
    EXPECT_EQ(combo->GetItemIndex(), 0);
    EXPECT_EQ(combo->GetText(), "LAN 100 Mbps");
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->GetItemIndex(), 2);
    EXPECT_EQ(changes, 0);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->GetItemIndex(), -1);
    // The user picks an item.
    SendMessageA(combo->GetHandle(), CB_SETCURSEL, 1, 0);
    Notify(combo, CBN_SELCHANGE);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo->GetText(), "LAN 10 Mbps");
    // The list drops down with room for its items.
    combo->SetDroppedDown(true);
    COMBOBOXINFO info = {sizeof(info)};
    GetComboBoxInfo(combo->GetHandle(), &info);
    RECT lr;
    GetWindowRect(info.hwndList, &lr);
    EXPECT_GT(lr.bottom - lr.top, 3 * 10);
    combo->SetDroppedDown(false);
    EXPECT_EQ(combo->GetHeight() < 40, true);
}

TEST(StdCtrls, ListBoxSelectionAndOwnerDraw)
{
    auto form = NewForm();
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(18);
    std::set<int> drawn;
    TOwnerDrawState selectedState = 0;
    list->OnDrawItem = [&](TWinControl* c, int index, TRect r, TOwnerDrawState s) {
        drawn.insert(index);
        if (s & odSelected) selectedState = s;
        auto* lb = static_cast<TListBox*>(c);
        lb->GetCanvas()->FillRect(r);
        lb->GetCanvas()->TextOut(r.left, r.top, lb->GetItems()->Get(index));
    };
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    for (int i = 0; i < 3; ++i) list->GetItems()->Add("visitor " + std::to_string(i));
    form->Show();
    list->SetItemIndex(1);
    list->Repaint();
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2}));
    EXPECT_TRUE(selectedState & odSelected);
    EXPECT_EQ(list->ItemRect(1).Height(), 18);
    EXPECT_EQ(list->ItemAtPos(TPoint(5, 20), true), 1);
    SendMessageA(list->GetHandle(), LB_SETCURSEL, 2, 0);
    Notify(list, LBN_SELCHANGE);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->GetItemIndex(), 2);
    list->SetMultiSelect(true);
    EXPECT_EQ(list->GetItems()->GetCount(), 3);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->GetSelCount(), 2);
}

TEST(StdCtrls, VirtualListViewAsksForTheRowsItShows)
{
    auto form = NewForm(400, 300);
    auto* view = new TListView(form.get());
    view->SetParent(form.get());
    view->SetBounds(0, 0, 300, 150);
    view->SetViewStyle(vsReport);
    view->SetOwnerData(true);
    view->SetRowSelect(true);
    view->SetReadOnly(true);
    TListColumn* c0 = view->GetColumns()->Add();
    c0->SetWidth(17);
    TListColumn* c1 = view->GetColumns()->Add();
    c1->SetCaption("Online list");
    c1->SetAutoSize(true);
    static int rows[1000];
    std::set<int> asked;
    view->OnData = [&](TObject*, TListItem* item) {
        int i = item->GetIndex();
        asked.insert(i);
        item->SetCaption("");
        item->GetSubItems()->Add("10.0.0." + std::to_string(i));
        item->Data = &rows[i];
    };
    TListItem* selected = nullptr;
    void* selectedData = nullptr;
    view->OnSelectItem = [&](TObject*, TListItem* item, bool sel) {
        if (!sel) return;
        selected = item;
        selectedData = item ? item->Data : nullptr;
    };
    form->Show();
    view->GetItems()->SetCount(1000);
    view->Repaint();
    Pump(50);
    EXPECT_EQ(view->GetItems()->GetCount(), 1000);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(*asked.begin(), 0);
    // Only the rows on screen are asked for, not the thousand.
    EXPECT_LT(asked.size(), 50u);
    char text[64] = "";
    LVITEMA lv = {};
    lv.iSubItem = 1;
    lv.pszText = text;
    lv.cchTextMax = sizeof(text);
    SendMessageA(view->GetHandle(), LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&lv));
    EXPECT_STREQ(text, "10.0.0.3");
    EXPECT_EQ(c1->GetWidth(), view->GetClientRect().Width() - 17);

    view->SetItemIndex(5);
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selectedData, &rows[5]);
    EXPECT_EQ(view->GetSelected()->GetIndex(), 5);
    EXPECT_TRUE(view->GetItems()->GetItem(5)->GetSelected());
    EXPECT_EQ(view->GetItems()->GetItem(7)->Data, &rows[7]);
    view->GetItems()->SetCount(3);
    EXPECT_EQ(ListView_GetItemCount(view->GetHandle()), 3);
}

// An owner-data icon view that grows after its first paint lays the new rows
// out in rows and columns (not all at the origin), and a paint asks for the
// rows in view only.
TEST(StdCtrls, OwnerDataIconViewLaysOutRowsCountedInLater)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon}) {
        auto form = NewForm(400, 300);
        auto* view = new TListView(form.get());
        view->SetParent(form.get());
        view->SetBounds(0, 0, 300, 200);
        view->SetViewStyle(style);
        view->SetOwnerData(true);
        std::set<int> asked;
        view->OnData = [&](TObject*, TListItem* item) {
            asked.insert(item->GetIndex());
            item->SetCaption("row");
        };
        form->Show();
        view->GetItems()->SetCount(4);
        view->Repaint();
        Pump(50);
        view->GetItems()->SetCount(2000);
        asked.clear();
        view->Repaint();
        Pump(50);
        POINT first = {}, last = {};
        SendMessageA(view->GetHandle(), LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageA(view->GetHandle(), LVM_GETITEMPOSITION, 1999, reinterpret_cast<LPARAM>(&last));
        EXPECT_GT(last.y, first.y + 200) << style;
        EXPECT_FALSE(asked.empty()) << style;
        EXPECT_LT(asked.size(), 500u) << style;
    }
}

// A list view that asks for its text in the wide form gets it cut to the
// buffer it gave, like the ANSI form, not an empty text when it is too long.
TEST(StdCtrls, ListViewGivesWideTextCutToTheBuffer)
{
    auto form = NewForm(400, 300);
    auto* view = new TListView(form.get());
    view->SetParent(form.get());
    view->SetViewStyle(vsReport);
    view->SetOwnerData(true);
    view->GetColumns()->Add()->SetWidth(100);
    view->OnData = [](TObject*, TListItem* item) { item->SetCaption("abcdefghij"); };
    view->GetItems()->SetCount(1);
    const struct {
        int Room;
        const char* Expected;
    } cases[] = {{64, "abcdefghij"}, {11, "abcdefghij"}, {10, "abcdefghi"}, {5, "abcd"}, {1, ""}};
    for (const auto& c : cases) {
        WCHAR text[65];
        std::fill(std::begin(text), std::end(text), WCHAR('#'));
        NMLVDISPINFOA di = {};
        di.hdr.hwndFrom = view->GetHandle();
        di.hdr.code = LVN_GETDISPINFOW;
        di.item.mask = LVIF_TEXT;
        di.item.iItem = 0;
        di.item.pszText = reinterpret_cast<char*>(text);
        di.item.cchTextMax = c.Room;
        view->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
        EXPECT_EQ(WideToAnsi(text), c.Expected) << "room " << c.Room;
        // Nothing is written past the room given.
        EXPECT_EQ(text[c.Room], WCHAR('#')) << "room " << c.Room;
    }
}

TEST(StdCtrls, OwnerDrawnListViewDrawsEachRowOnItsCanvas)
{
    auto form = NewForm(400, 300);
    auto* view = new TListView(form.get());
    view->SetParent(form.get());
    view->SetBounds(0, 0, 300, 150);
    view->SetViewStyle(vsReport);
    view->SetOwnerData(true);
    view->SetOwnerDraw(true);
    view->GetColumns()->Add()->SetWidth(17);
    view->GetColumns()->Add()->SetWidth(200);
    view->OnData = [](TObject*, TListItem* item) { item->GetSubItems()->Add("row " + std::to_string(item->GetIndex())); };
    std::set<int> drawn;
    view->OnDrawItem = [&](TCustomListView* sender, TListItem* item, TRect r, TOwnerDrawState) {
        drawn.insert(item->GetIndex());
        TCanvas* c = sender->GetCanvas();
        c->GetBrush()->SetColor(static_cast<TColor>(14997716));
        c->FillRect(r);
        TRect text = r;
        text.left += 20;
        c->DrawText(item->GetSubItems()->Get(0), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    };
    form->Show();
    view->GetItems()->SetCount(4);
    view->Repaint();
    Pump(50);
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2, 3}));
    RECT r;
    ListView_GetItemRect(view->GetHandle(), 1, &r, LVIR_BOUNDS);
    EXPECT_EQ(ScreenPixel(view->GetHandle(), r.left + 5, (r.top + r.bottom) / 2), static_cast<COLORREF>(14997716));
}

TEST(StdCtrls, PageControlShowsTheActiveSheetAndHidesTabs)
{
    auto form = NewForm(400, 300);
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetAlign(alClient);
    TTabSheet* sheets[3];
    const char* names[] = {"Sound settings", "Private", "Languages"};
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(form.get());
        sheets[i]->SetCaption(names[i]);
        sheets[i]->SetPageControl(pages);
    }
    sheets[1]->SetTabVisible(false);
    auto* edit = new TEdit(form.get());
    edit->SetParent(sheets[2]);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    EXPECT_EQ(pages->GetActivePage(), sheets[0]);
    EXPECT_EQ(TabCtrl_GetItemCount(pages->GetHandle()), 2);
    EXPECT_EQ(sheets[2]->GetTabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->GetHandle()));
    EXPECT_FALSE(IsWindowVisible(sheets[2]->GetHandle()));
    // The sheet fills the display area of the tabs.
    TRect display = pages->GetDisplayRect();
    EXPECT_EQ(sheets[0]->GetBoundsRect(), display);
    // The user picks the second tab.
    TabCtrl_SetCurSel(pages->GetHandle(), 1);
    NMHDR hdr = {pages->GetHandle(), static_cast<UINT_PTR>(GetDlgCtrlID(pages->GetHandle())), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages->GetActivePage(), sheets[2]);
    EXPECT_TRUE(IsWindowVisible(edit->GetHandle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->GetHandle()));
    pages->SetActivePageIndex(0);
    EXPECT_EQ(TabCtrl_GetCurSel(pages->GetHandle()), 0);
    EXPECT_EQ(changes, 1);
}

class TProbePageControl : public TPageControl {
public:
    using TPageControl::TPageControl;
    using TPageControl::Change;
};

// What a form sets while it loads (no window yet) holds once its windows exist.
TEST(StdCtrls, PageControlKeepsWhatWasSetBeforeItsWindow)
{
    auto form = NewForm(400, 300);
    auto* pages = new TProbePageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(0, 0, 200, 150);
    TTabSheet* sheets[8];
    for (int i = 0; i < 8; ++i) {
        sheets[i] = new TTabSheet(form.get());
        sheets[i]->SetCaption("Sheet " + std::to_string(i));
        sheets[i]->SetPageControl(pages);
    }
    pages->SetTabHeight(30);
    pages->Change();   // a change notice with no window to ask for the current tab
    ASSERT_FALSE(pages->HandleAllocated());
    EXPECT_EQ(pages->GetActivePage(), sheets[0]);
    const TRect before = pages->GetDisplayRect();
    form->Show();
    EXPECT_EQ(pages->GetActivePage(), sheets[0]);
    EXPECT_EQ(TabCtrl_GetCurSel(pages->GetHandle()), 0);
    EXPECT_EQ(pages->GetItemRect(0).Height(), 30);
    EXPECT_EQ(pages->GetDisplayRect(), before);
    // A tab past the right edge still has its place in the row.
    const TRect last = pages->GetItemRect(7), first = pages->GetItemRect(0);
    EXPECT_GT(last.right, 200);
    EXPECT_EQ(last.top, first.top);
    EXPECT_EQ(last.Height(), 30);
    EXPECT_EQ(pages->GetItemRect(8), TRect());
}

TEST(StdCtrls, TabControlTabsAndIndex)
{
    auto form = NewForm();
    auto* tabs = new TTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->GetTabs()->Add("Video");
    tabs->GetTabs()->Add("Sound");
    bool allow = false;
    int changes = 0;
    tabs->OnChanging = [&](TObject*, bool& a) { a = allow; };
    tabs->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    EXPECT_EQ(TabCtrl_GetItemCount(tabs->GetHandle()), 2);
    EXPECT_EQ(tabs->GetTabIndex(), 0);
    NMHDR hdr = {tabs->GetHandle(), static_cast<UINT_PTR>(GetDlgCtrlID(tabs->GetHandle())), static_cast<UINT>(TCN_SELCHANGING)};
    EXPECT_EQ(SendMessageA(form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr)), 1);
    allow = true;
    EXPECT_EQ(SendMessageA(form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr)), 0);
    tabs->SetTabIndex(1);
    EXPECT_EQ(TabCtrl_GetCurSel(tabs->GetHandle()), 1);
    hdr.code = TCN_SELCHANGE;
    SendMessageA(form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(changes, 1);
    tabs->GetTabs()->Delete(1);
    EXPECT_EQ(TabCtrl_GetItemCount(tabs->GetHandle()), 1);
    EXPECT_EQ(tabs->GetTabIndex(), 0);
}

TEST(StdCtrls, UpDownWithItsEdit)
{
    auto form = NewForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 60, 21);
    auto* ud = new TUpDown(form.get());
    ud->SetParent(form.get());
    ud->SetMin(0);
    ud->SetMax(10);
    ud->SetPosition(4);
    ud->SetAssociate(edit);
    std::vector<TUDBtnType> clicks;
    ud->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
    form->Show();
    EXPECT_EQ(edit->GetText(), "4");
    EXPECT_EQ(ud->GetLeft(), edit->GetLeft() + edit->GetWidth());
    ud->SetPosition(12);
    EXPECT_EQ(ud->GetPosition(), 10);
    ud->SetPosition(5);
    // The up arrow (top half of the control).
    HWND h = ud->GetHandle();
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(ud->GetWidth() / 2, 2));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(ud->GetWidth() / 2, 2));
    EXPECT_EQ(ud->GetPosition(), 6);
    EXPECT_EQ(edit->GetText(), "6");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], btNext);
}

TEST(StdCtrls, TimerTicksAndReportsExceptions)
{
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 2000));
    timer.SetEnabled(false);
    int stopped = ticks;
    Pump(100);
    EXPECT_EQ(ticks, stopped);
    std::string reported;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = [&](TObject* s, const Exception& e) {
        if (s == &timer) reported = e.Message();
    };
    timer.OnTimer = [&](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    timer.SetEnabled(true);
    PumpUntil([&] { return !reported.empty(); }, 2000);
    Application->OnException = saved;
    timer.SetEnabled(false);
    EXPECT_EQ(reported, "'x' is not a valid integer value");
}

TEST(StdCtrls, LabelsImagesAndBevelsPaint)
{
    auto form = NewForm(300, 200);
    form->SetColor(clWhite);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetLeft(10);
    label->SetTop(10);
    label->SetCaption("Video resolution");
    EXPECT_GT(label->GetWidth(), 40);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetTop(100);
    label->SetFocusControl(edit);
    label->SetCaption("&Net speed");

    TImageList lamps(48, 20);
    TBitmap off(48, 20, pf24bit), on(48, 20, pf24bit);
    off.GetCanvas()->GetBrush()->SetColor(clGray);
    off.GetCanvas()->FillRect(TRect(0, 0, 48, 20));
    on.GetCanvas()->GetBrush()->SetColor(clLime);
    on.GetCanvas()->FillRect(TRect(0, 0, 48, 20));
    lamps.Add(&off, nullptr);
    lamps.Add(&on, nullptr);
    auto* image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetBounds(150, 10, 48, 21);
    auto* bevel = new TBevel(form.get());
    bevel->SetParent(form.get());
    bevel->SetBounds(150, 60, 50, 40);
    form->Show();
    Pump(50);

    // A lamp: the image's client filled, then picture 1 of the list drawn at (0, 1).
    TCanvas* ic = image->GetCanvas();
    ic->GetBrush()->SetColor(clWhite);
    ic->FillRect(image->GetClientRect());
    lamps.Draw(ic, 0, 1, 1);
    image->Repaint();
    HWND h = form->GetHandle();
    EXPECT_EQ(ScreenPixel(h, 160, 20), RGB(0, 255, 0));
    EXPECT_EQ(ScreenPixel(h, 160, 10), RGB(255, 255, 255));
    EXPECT_EQ(ScreenPixel(h, 150, 60), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(h, 199, 99), ColorToRGB(clBtnHighlight));
    // The label's text is drawn in its rectangle.
    bool ink = false;
    for (int x = label->GetLeft(); x < label->GetLeft() + label->GetWidth() && !ink; ++x)
        for (int y = label->GetTop(); y < label->GetTop() + label->GetHeight() && !ink; ++y)
            ink = ScreenPixel(h, x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(ink);
    // Its accelerator gives the focus to its control.
    PostMessageA(form->GetHandle(), WM_SYSCHAR, 'n', 0x20000001);
    PumpUntil([&] { return edit->Focused(); }, 1000);
    EXPECT_TRUE(edit->Focused());
}

} // namespace
