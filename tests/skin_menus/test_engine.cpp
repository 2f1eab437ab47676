// The engine's behaviour: what opens, keys through levels, the submenu delay,
// the messages to the opener and the form, and when levels are freed.
#include "MenuFixture.h"

using namespace MenuFixture;

namespace {

// File-like tree: New, Open, -, Gone (disabled), More > (&Alpha, &Beta), E&xit.
struct TreeScene : Scene {
    TMenuItem *New, *OpenItem, *Line, *Gone, *More, *Alpha, *Beta, *Exit;
    TreeScene()
    {
        New = AddItem(Menu.get(), Root(), "&New", &Log);
        OpenItem = AddItem(Menu.get(), Root(), "&Open", &Log);
        Line = AddItem(Menu.get(), Root(), "-");
        Gone = AddItem(Menu.get(), Root(), "&Gone", &Log);
        Gone->SetEnabled(false);
        More = AddItem(Menu.get(), Root(), "&More", &Log);
        Alpha = AddItem(Menu.get(), More, "&Alpha", &Log);
        Beta = AddItem(Menu.get(), More, "&beta", &Log);   // a lower-case mark matches its key too
        Exit = AddItem(Menu.get(), Root(), "E&xit", &Log);
    }
    TMenuItem* Hot(int LevelIndex)
    {
        TspSkinPopupWindow* l = Level(LevelIndex);
        if (!l || !l->GetHotItem()) return nullptr;
        return l->GetHotItem()->MenuItem;
    }
};

TEST(MenuEngine, OpensWhatTheStartIndexLeaves)
{
    struct Case {
        int Start;
        int Shown;
    } cases[] = {{0, 5}, {2, 3}, {4, 1}, {5, 0}, {7, 0}, {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Start);
        Scene s;
        for (int i = 1; i <= 5; ++i) AddItem(s.Menu.get(), s.Root(), "Item " + std::to_string(i));
        s.Open(nullptr, nullptr, c.Start);
        EXPECT_EQ(s.Engine->GetOpen(), c.Shown > 0);
        if (c.Shown == 0) {
            EXPECT_EQ(s.Engine->GetLevelCount(), 0);
            continue;
        }
        ASSERT_EQ(s.Engine->GetLevelCount(), 1);
        ASSERT_EQ(s.Level(0)->GetItemCount(), c.Shown);
        EXPECT_EQ(s.Level(0)->GetItem(0)->MenuItem->GetCaption(), "Item " + std::to_string(c.Start + 1));
    }
}

TEST(MenuEngine, LevelIsANonActivatingTopmostToolPopup)
{
    TreeScene s;
    SetForegroundWindow(s.Form->GetHandle());
    PumpUntil([&] { return GetActiveWindow() == s.Form->GetHandle(); }, 2000);
    s.Open(s.Opener);
    ASSERT_EQ(s.Engine->GetLevelCount(), 1);
    HWND h = s.Level(0)->GetHandle();
    EXPECT_TRUE(IsWindowVisible(h));
    const DWORD style = GetWindowLongA(h, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS);
    EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP));
    const DWORD ex = GetWindowLongA(h, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(GetClassLongA(h, GCL_STYLE) & CS_SAVEBITS);
    EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), s.Form->GetHandle());
    EXPECT_NE(GetFocus(), h);
}

TEST(MenuEngine, KeyboardWalksThroughLevels)
{
    TreeScene s;
    s.Open(s.Opener);
    // The first selectable item is hot at the opening.
    EXPECT_EQ(s.Hot(0), s.New);
    struct Step {
        int Key;
        int Levels;
        TMenuItem* TreeScene::*HotLast;
    } steps[] = {
        {VK_DOWN, 1, &TreeScene::OpenItem},
        {VK_DOWN, 1, &TreeScene::More},      // skips the divider and the disabled item
        {VK_RIGHT, 2, &TreeScene::Alpha},    // opens the submenu at once, first item hot
        {VK_DOWN, 2, &TreeScene::Beta},
        {VK_DOWN, 2, &TreeScene::Alpha},     // wraps to the first item
        {VK_LEFT, 1, &TreeScene::More},      // back to the first level
        {VK_LEFT, 1, &TreeScene::More},      // nothing on the first level
        {VK_UP, 1, &TreeScene::OpenItem},    // skips back over the disabled item and the divider
        {VK_UP, 1, &TreeScene::New},
        {VK_UP, 1, &TreeScene::Exit},        // from the top to the last item
        {VK_DOWN, 1, &TreeScene::New},
    };
    int n = 0;
    for (const auto& st : steps) {
        SCOPED_TRACE(n++);
        s.Key(st.Key);
        ASSERT_EQ(s.Engine->GetLevelCount(), st.Levels);
        EXPECT_EQ(s.Hot(st.Levels - 1), s.*(st.HotLast));
    }
    // Right on a parent chooses it: its own click runs as its submenu opens.
    EXPECT_EQ(s.Log, (TLog{"click:&More"}));
}

TEST(MenuEngine, EscapeClosesOneLevelThenTheMenuTellingOnlyTheOpener)
{
    TreeScene s;
    s.Open(s.Opener);
    s.Key(VK_DOWN);
    s.Key(VK_DOWN);
    s.Key(VK_RETURN);   // Return on a parent opens its submenu (its own click runs first)
    ASSERT_EQ(s.Engine->GetLevelCount(), 2);
    EXPECT_EQ(s.Log, (TLog{"click:&More"}));
    s.Log.clear();
    s.Key(VK_ESCAPE);
    ASSERT_EQ(s.Engine->GetLevelCount(), 1);
    EXPECT_FALSE(s.Level(0)->GetHotItem()->Down);
    EXPECT_TRUE(s.Engine->GetOpen());
    EXPECT_TRUE(s.Log.empty());
    s.Key(VK_ESCAPE);
    EXPECT_EQ(s.Engine->GetLevelCount(), 0);
    EXPECT_FALSE(s.Engine->GetOpen());
    EXPECT_EQ(s.Log, (TLog{"opener:close"}));
    EXPECT_EQ(CountLevelWindows(), 0);
}

TEST(MenuEngine, AcceleratorsChooseAndRunAfterTheLevelsAreGone)
{
    TreeScene s;
    int windowsAtClick = -1;
    bool openAtClick = true;
    s.Beta->OnClick = [&](TObject*) {
        windowsAtClick = CountLevelWindows();
        openAtClick = s.Engine->GetOpen();
        s.Log.push_back("click:&Beta");
    };
    s.Open(s.Opener);
    s.Key('M');   // opens the submenu
    ASSERT_EQ(s.Engine->GetLevelCount(), 2);
    s.Key('B');
    EXPECT_EQ(s.Log, (TLog{"click:&More", "opener:close", "form:close", "click:&Beta", "opener:after"}));
    EXPECT_EQ(windowsAtClick, 0);
    EXPECT_FALSE(openAtClick);
    // The disabled item's accelerator only highlights it.
    s.Log.clear();
    s.Open(s.Opener);
    s.Key('G');
    EXPECT_EQ(s.Hot(0), s.Gone);
    EXPECT_TRUE(s.Engine->GetOpen());
    EXPECT_TRUE(s.Log.empty());
}

TEST(MenuEngine, ChoosingALeafByMouseTellsOpenerThenFormThenRunsThenAfterDispatch)
{
    struct Case {
        bool Windowless;
        const char* Opener;
    } cases[] = {{false, "opener"}, {true, "gopener"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Opener);
        TreeScene s;
        TControl* opener = s.Opener;
        if (c.Windowless) {
            auto* g = new TLogGraphicOpener(&s.Log);
            g->SetParent(s.Form.get());
            opener = g;
        }
        HWND levelWindow = nullptr;
        bool levelAliveAtClick = true;
        s.OpenItem->OnClick = [&](TObject*) {
            levelAliveAtClick = IsWindow(levelWindow) != 0;
            s.Log.push_back("click:&Open");
        };
        s.Open(opener);
        levelWindow = s.Level(0)->GetHandle();
        const TPoint p = Scene::Centre(s.Level(0)->GetItem(1));
        // The release arrives in the level's own window procedure: the level must
        // outlive it, and the command must run only once it is gone.
        SendMessageA(levelWindow, WM_LBUTTONUP, 0, PointToLParam(p.x, p.y));
        const std::string o = c.Opener;
        EXPECT_EQ(s.Log, (TLog{o + ":close", "form:close", "click:&Open", o + ":after"}));
        EXPECT_FALSE(levelAliveAtClick);
        EXPECT_FALSE(IsWindow(levelWindow));
        EXPECT_EQ(s.Engine->GetLastOpener(), opener);
    }
}

TEST(MenuEngine, RightAndMiddleReleasesAndDividersChooseNothing)
{
    TreeScene s;
    s.Open(s.Opener);
    HWND h = s.Level(0)->GetHandle();
    const TPoint item = Scene::Centre(s.Level(0)->GetItem(0));
    const TPoint line = Scene::Centre(s.Level(0)->GetItem(2));
    SendMessageA(h, WM_RBUTTONUP, 0, PointToLParam(item.x, item.y));
    SendMessageA(h, WM_MBUTTONUP, 0, PointToLParam(item.x, item.y));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(line.x, line.y));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(item.x, item.y));
    EXPECT_TRUE(s.Engine->GetOpen());
    EXPECT_TRUE(s.Log.empty());
}

TEST(MenuEngine, HoverOpensASubmenuAfterTheDelayAndLeavingCancelsIt)
{
    TreeScene s;
    s.Open(s.Opener);
    TspSkinPopupWindow* l = s.Level(0);
    const TPoint more = Scene::Centre(l->GetItem(4));
    const TPoint open = Scene::Centre(l->GetItem(1));
    // Moving onto the parent arms the timer; moving away before it fires disarms it.
    l->TestActive(more.x, more.y);
    EXPECT_EQ(s.Engine->GetWaitingItem(), s.More);
    EXPECT_TRUE(s.Engine->SubMenuTimerRunning());
    EXPECT_EQ(s.Engine->GetLevelCount(), 1);
    l->TestActive(open.x, open.y);
    EXPECT_EQ(s.Engine->GetWaitingItem(), nullptr);
    EXPECT_FALSE(s.Engine->SubMenuTimerRunning());
    // Staying on it: the submenu opens when the timer fires.
    l->TestActive(more.x, more.y);
    EXPECT_EQ(s.Engine->GetLevelCount(), 1);   // not at once: the timer opens it
    ASSERT_TRUE(PumpUntil([&] { return s.Engine->GetLevelCount() == 2; }, 3000));
    EXPECT_TRUE(s.Level(0)->GetItem(4)->Down);
    EXPECT_EQ(s.Hot(1), s.Alpha);
    // The submenu sits right of its parent item.
    EXPECT_GT(s.Level(1)->GetLeft(), s.Level(0)->GetLeft());
    EXPECT_EQ(s.Log, (TLog{"click:&More"}));
}

TEST(MenuEngine, LevelWithNothingSelectableSelectsNothing)
{
    Scene s;
    AddItem(s.Menu.get(), s.Root(), "-");
    AddItem(s.Menu.get(), s.Root(), "Off", &s.Log)->SetEnabled(false);
    AddItem(s.Menu.get(), s.Root(), "-");
    auto* hidden = AddItem(s.Menu.get(), s.Root(), "Hidden", &s.Log);
    hidden->SetVisible(false);
    s.Open(s.Opener);
    ASSERT_EQ(s.Engine->GetLevelCount(), 1);
    EXPECT_EQ(s.Level(0)->GetItemCount(), 3);
    EXPECT_EQ(s.Level(0)->GetHotIndex(), -1);
    for (int key : {VK_DOWN, VK_UP, VK_RETURN, VK_RIGHT}) {
        s.Key(key);
        EXPECT_EQ(s.Level(0)->GetHotIndex(), -1) << key;
    }
    EXPECT_TRUE(s.Engine->GetOpen());
    EXPECT_TRUE(s.Log.empty());
    EXPECT_GT(s.Level(0)->GetHeight(), 0);
}

TEST(MenuEngine, ANewPopupClosesThePreviousAndTellsItsOpener)
{
    TreeScene s;
    s.Open(s.Opener);
    s.Open(nullptr);
    EXPECT_EQ(s.Log, (TLog{"opener:close"}));
    EXPECT_EQ(s.Engine->GetLevelCount(), 1);
    EXPECT_FALSE(s.Engine->FreshPopup);
}

TEST(MenuEngine, TallMenuScrollsAndWrapsWithinTheWorkArea)
{
    Scene s;
    for (int i = 0; i < 200; ++i) AddItem(s.Menu.get(), s.Root(), "Row " + std::to_string(i));
    s.Open(s.Opener);
    TspSkinPopupWindow* l = s.Level(0);
    const TRect wa = s.Engine->GetWorkArea();
    ASSERT_TRUE(l->GetScrollable());
    EXPECT_EQ(l->GetHeight(), wa.Height());
    EXPECT_EQ(l->GetTop(), wa.top);
    EXPECT_EQ(l->GetHotIndex(), 0);
    EXPECT_LT(l->GetFitCount(), 200);
    // Up on the first item wraps to the last page with the last item hot and shown.
    s.Key(VK_UP);
    EXPECT_EQ(l->GetHotIndex(), 199);
    EXPECT_TRUE(l->GetItem(199)->Visible);
    EXPECT_EQ(l->GetTopIndex() + l->GetFitCount(), 200);
    EXPECT_LE(l->GetItem(199)->ObjectRect.bottom, l->GetItemsRect().bottom - 10);
    // Down on the last item wraps to the first page.
    s.Key(VK_DOWN);
    EXPECT_EQ(l->GetHotIndex(), 0);
    EXPECT_EQ(l->GetTopIndex(), 0);
    EXPECT_TRUE(l->GetItem(0)->Visible);
    // Scrolled away from the hot item, a key brings the new hot item into sight.
    for (int i = 0; i < 50; ++i) l->ScrollDown(false);
    ASSERT_EQ(l->GetTopIndex(), 50);
    s.Key(VK_DOWN);
    EXPECT_EQ(l->GetHotIndex(), 1);
    EXPECT_TRUE(l->GetItem(1)->Visible);
    EXPECT_EQ(l->GetTopIndex(), 1);
    for (int i = 0; i < 50; ++i) l->ScrollUp(false);
    // The pointer resting on the marker zone scrolls one item per tick; leaving
    // the zone stops it.
    const TRect ir = l->GetItemsRect();
    SetCursorPos(l->GetLeft() + ir.left + 20, l->GetTop() + ir.bottom - 5);
    ASSERT_TRUE(PumpUntil([&] { return l->GetTopIndex() >= 2; }, 3000));
    EXPECT_EQ(l->GetScrollDirection(), 2);
    SetCursorPos(l->GetLeft() + ir.left + 20, l->GetTop() + ir.top + ir.Height() / 2);
    ASSERT_TRUE(PumpUntil([&] { return l->GetScrollDirection() == 0; }, 3000));
    const int top = l->GetTopIndex();
    EXPECT_GE(top, 2);
    SetCursorPos(5, 5);
}

TEST(MenuEngine, PressOutsideClosesEvenWithoutAnActiveForm)
{
    TreeScene s;
    s.Form->Hide();   // as for the tray menu while the main window is hidden
    s.Open(s.Opener, nullptr, 0, TPoint(400, 300));
    ASSERT_TRUE(s.Engine->GetOpen());
    TspSkinPopupWindow* l = s.Level(0);
    // A press inside a level closes nothing.
    const TPoint inside(l->GetLeft() + 20, l->GetTop() + Scene::Centre(l->GetItem(0)).y);
    auto press = [](int X, int Y) {
        SetCursorPos(X, Y);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
    };
    // Parked on a divider-free spot of an item: the release there would choose it,
    // so press on the level's frame instead (its outer pixel rows).
    (void)inside;
    press(l->GetLeft() + 1, l->GetTop() + 1);
    PumpUntilIdle();
    EXPECT_TRUE(s.Engine->GetOpen());
    press(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return !s.Engine->GetOpen(); }, 3000));
    EXPECT_EQ(CountLevelWindows(), 0);
    EXPECT_EQ(s.Log, (TLog{"opener:close", "form:close"}));
}

TEST(MenuEngine, ACommandThatFreesTheEngineEndsCleanly)
{
    TreeScene s;
    s.New->OnClick = [&](TObject*) {
        delete s.Engine;
        s.Engine = nullptr;
        s.Log.push_back("freed");
    };
    s.Open(s.Opener);
    s.Key(VK_RETURN);
    EXPECT_EQ(s.Log, (TLog{"opener:close", "form:close", "freed"}));
    s.Engine = new TspSkinMenu(s.Form.get(), s.Form.get());
    EXPECT_EQ(CountLevelWindows(), 0);
}

}  // namespace

namespace {

TEST(MenuEngine, FreeingTheShownMenuClosesItsLevelsFirst)
{
    TreeScene s;
    s.Open(s.Opener);
    ASSERT_EQ(CountLevelWindows(), 1);
    s.Menu.reset();
    EXPECT_FALSE(s.Engine->GetOpen());
    EXPECT_EQ(s.Engine->GetLevelCount(), 0);
    EXPECT_EQ(CountLevelWindows(), 0);
    EXPECT_EQ(s.Log, (TLog{"opener:close"}));
}

}  // namespace

namespace {

void Click(int X, int Y)
{
    SetCursorPos(X, Y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

TEST(MenuEngine, ARealClickChoosesWithoutActivatingTheLevel)
{
    TreeScene s;
    SetForegroundWindow(s.Form->GetHandle());
    PumpUntil([&] { return GetActiveWindow() == s.Form->GetHandle(); }, 2000);
    s.Open(s.Opener, nullptr, 0, TPoint(400, 300));
    TspSkinPopupWindow* l = s.Level(0);
    const TPoint p = Scene::Centre(l->GetItem(1));
    Click(l->GetLeft() + p.x, l->GetTop() + p.y);
    ASSERT_TRUE(PumpUntil([&] { return !s.Log.empty() && s.Log.back() == "opener:after"; }, 3000));
    EXPECT_EQ(s.Log, (TLog{"opener:close", "form:close", "click:&Open", "opener:after"}));
    EXPECT_EQ(GetActiveWindow(), s.Form->GetHandle());
    SetCursorPos(5, 5);
}

TEST(MenuEngine, AlphaBlendedLevelSelectsTheFirstSelectable)
{
    Scene s;
    AddItem(s.Menu.get(), s.Root(), "-");
    AddItem(s.Menu.get(), s.Root(), "Off")->SetEnabled(false);
    AddItem(s.Menu.get(), s.Root(), "On");
    s.Form->SetColor(0x0000FF);
    s.Form->Repaint();
    PumpUntilIdle();
    s.Engine->AlphaBlend = true;
    s.Engine->AlphaBlendValue = 128;
    s.Open(s.Opener, nullptr, 0, TPoint(40, 40));
    TspSkinPopupWindow* l = s.Level(0);
    if (!l->GetSoftwareAlpha()) {
        // This system version takes layered windows: the level is layered at the value.
        HWND h = l->GetHandle();
        EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_LAYERED);
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, 128);
        EXPECT_TRUE(flags & LWA_ALPHA);
        EXPECT_EQ(l->GetHotIndex(), 2);   // not item 0, a divider
        return;
    }
    // Shown only after the delay that lets the screen be copied first.
    EXPECT_FALSE(IsWindowVisible(l->GetHandle()));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(l->GetHandle()); }, 3000));
    EXPECT_EQ(l->GetHotIndex(), 2);   // not item 0, a divider
    auto b = std::make_unique<TBitmap>();
    l->ComposeTo(b.get());
    // The default look's white, half over the form's red.
    const TColor c = b->GetCanvas()->GetPixel(l->GetWidth() - 8, Scene::Centre(l->GetItem(1)).y) & 0xFFFFFF;
    EXPECT_NEAR(GetRValue(c), 255, 3);
    EXPECT_NEAR(GetGValue(c), 127, 4);
    EXPECT_NEAR(GetBValue(c), 127, 4);
}

}  // namespace

namespace {

TEST(MenuEngine, OnlyCharacterKeysAreAccelerators)
{
    struct Case {
        int Key;
        bool Chooses;
    } cases[] = {{VK_F1, false}, {VK_NUMPAD0, false}, {VK_DOWN, false}, {'P', true}, {'8', true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        Scene s;
        AddItem(s.Menu.get(), s.Root(), "Top", &s.Log);
        AddItem(s.Menu.get(), s.Root(), "&Print", &s.Log);   // F1's code is 'p'
        AddItem(s.Menu.get(), s.Root(), "&`", &s.Log);       // numpad 0's code is '`'
        AddItem(s.Menu.get(), s.Root(), "&8", &s.Log);
        AddItem(s.Menu.get(), s.Root(), "&(", &s.Log);       // Down's code is '('
        s.Open(s.Opener);
        s.Key(c.Key);
        EXPECT_EQ(!s.Engine->GetOpen(), c.Chooses);
        bool clicked = false;
        for (const auto& line : s.Log) clicked = clicked || line.rfind("click:", 0) == 0;
        EXPECT_EQ(clicked, c.Chooses);
    }
}

}  // namespace

namespace {

TEST(MenuEngine, Popup2ListsBothTreesFromTheStartIndex)
{
    struct Case {
        int Start;
        std::vector<std::string> Shown;
    } cases[] = {
        {0, {"a1", "a2", "a3", "b1", "b2"}}, {2, {"a3", "b1", "b2"}}, {4, {"b2"}}, {5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Start);
        Scene s;
        TPopupMenu second(nullptr);
        for (const char* n : {"a1", "a2", "a3"}) AddItem(s.Menu.get(), s.Root(), n);
        for (const char* n : {"b1", "b2"}) AddItem(&second, second.GetItems(), n);
        s.Engine->Popup2(s.Opener, nullptr, c.Start, TRect(300, 200, 300, 200), s.Root(), second.GetItems(), false);
        std::vector<std::string> shown;
        if (TspSkinPopupWindow* l = s.Level(0))
            for (int i = 0; i < l->GetItemCount(); ++i) shown.push_back(l->GetItem(i)->MenuItem->GetCaption());
        EXPECT_EQ(shown, c.Shown);
        s.Engine->Hide();
    }
}

}  // namespace

namespace {

TEST(MenuEngine, AParentsClickThatFreesTheEngineLeavesItsLevelToTheMessageLoop)
{
    TreeScene s;
    s.More->OnClick = [&](TObject*) {
        delete s.Engine;
        s.Engine = nullptr;
        s.Log.push_back("freed");
    };
    s.Open(s.Opener);
    TspSkinPopupWindow* l = s.Level(0);
    HWND h = l->GetHandle();
    const TPoint p = Scene::Centre(l->GetItem(4));
    SendMessageA(h, WM_LBUTTONUP, 0, PointToLParam(p.x, p.y));
    EXPECT_EQ(s.Log, (TLog{"opener:close", "freed"}));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(PumpUntil([] { return CountLevelWindows() == 0; }, 3000));
    s.Engine = new TspSkinMenu(s.Form.get(), s.Form.get());
}

}  // namespace
