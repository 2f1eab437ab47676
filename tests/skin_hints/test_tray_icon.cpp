// The tray icon: what it asks of the notification area (recorded through the
// component's seam around Shell_NotifyIcon), how it answers the shell's
// callback messages and the task bar's restart, its click timing, animation,
// balloons, menu, and minimising its form into the tray.
#include "test_gtest.h"
#include "HintFixture.h"
#include "TrayIcon.h"
#include <algorithm>
#include <vector>

using namespace hintfix;

namespace {

struct TCall {
    DWORD Message;
    NOTIFYICONDATAA Data;
};

class TRecordingPopup : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override
    {
        ++Shown;
        At = TPoint(X, Y);
        Opener = GetPopupComponent();
    }
    int Shown = 0;
    TPoint At;
    TComponent* Opener = nullptr;
};

class TrayIcon : public testing::Test {
protected:
    void SetUp() override
    {
        Saved = Sptrayicon::NotifyIconCall;
        Sptrayicon::NotifyIconCall = [this](DWORD M, NOTIFYICONDATAA* D) {
            Calls.push_back({M, *D});
            return Answer;
        };
        Form.reset(new TForm(nullptr));
        Form->SetBounds(50, 50, 200, 150);
        Tray = new TspTrayIcon(Form.get());
    }
    void TearDown() override
    {
        Form.reset();
        Sptrayicon::NotifyIconCall = Saved;
    }
    void Icon(UINT MouseMsg)
    {
        SendMessageA(Tray->GetCallbackWindow(), Sptrayicon::WM_TRAYNOTIFY, 1, MouseMsg);
    }
    std::vector<DWORD> Messages() const
    {
        std::vector<DWORD> m;
        for (const TCall& c : Calls) m.push_back(c.Message);
        return m;
    }
    Sptrayicon::TNotifyIconCall Saved;
    std::vector<TCall> Calls;
    BOOL Answer = TRUE;
    std::unique_ptr<TForm> Form;
    TspTrayIcon* Tray = nullptr;
};

TEST_F(TrayIcon, LoadedAddsTheIconWithTheRecordTheShellExpects)
{
    EXPECT_TRUE(Calls.empty());   // created: nothing in the tray yet
    Tray->SetHint("Broadcasting");
    Calls.clear();
    Tray->Loaded();
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    const NOTIFYICONDATAA& d = Calls.back().Data;
    EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE));
    EXPECT_EQ(d.hWnd, Tray->GetCallbackWindow());
    EXPECT_EQ(d.uID, 1u);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(d.uCallbackMessage, 0x800u);
    EXPECT_NE(d.hIcon, nullptr);
    EXPECT_STREQ(d.szTip, "Broadcasting");
    // The callback window is a top-level one: broadcasts reach it.
    EXPECT_EQ(GetParent(Tray->GetCallbackWindow()), nullptr);
    EXPECT_EQ(GetAncestor(Tray->GetCallbackWindow(), GA_PARENT), GetDesktopWindow());
}

TEST_F(TrayIcon, VisibilityTipAndIconChangesReachTheShell)
{
    struct Case {
        const char* Name;
        std::function<void(TspTrayIcon*)> Change;
        DWORD Expected;
        size_t TipLength;
    };
    const std::string longTip(200, 'x');
    const Case cases[] = {
        {"hide", [](TspTrayIcon* t) { t->SetIconVisible(false); }, NIM_DELETE, 0},
        {"show", [](TspTrayIcon* t) { t->SetIconVisible(true); }, NIM_ADD, 0},
        {"tip", [](TspTrayIcon* t) { t->SetHint("Tip"); }, NIM_MODIFY, 3},
        {"long tip is cut to 127", [&](TspTrayIcon* t) { t->SetHint(longTip); }, NIM_MODIFY, 127},
        {"tip switched off", [](TspTrayIcon* t) { t->SetShowHint(false); }, NIM_MODIFY, 0},
        {"refresh", [](TspTrayIcon* t) { t->Refresh(); }, NIM_MODIFY, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Calls.clear();
        c.Change(Tray);
        ASSERT_EQ(Calls.size(), 1u);
        EXPECT_EQ(Calls[0].Message, c.Expected);
        EXPECT_EQ(strnlen(Calls[0].Data.szTip, sizeof(Calls[0].Data.szTip)), c.TipLength);
    }
    EXPECT_FALSE(Tray->GetShowHint());
}

TEST_F(TrayIcon, FailuresOfTheShellAreReturned)
{
    Answer = FALSE;
    EXPECT_FALSE(Tray->ShowIcon());
    EXPECT_FALSE(Tray->ModifyIcon());
    EXPECT_FALSE(Tray->HideIcon());
    Answer = TRUE;
    EXPECT_TRUE(Tray->ShowIcon());
}

TEST_F(TrayIcon, TaskBarRestartAddsAVisibleIconAgainOnly)
{
    Tray->Loaded();
    const UINT created = Sptrayicon::TaskbarCreatedMessage();
    ASSERT_NE(created, 0u);
    Calls.clear();
    SendMessageA(Tray->GetCallbackWindow(), created, 0, 0);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));

    // As the shell announces it: to every top-level window.
    Calls.clear();
    PostMessageA(HWND_BROADCAST, created, 0, 0);
    EXPECT_TRUE(PumpUntil([this] { return !Calls.empty(); }, 3000));
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));

    Tray->SetIconVisible(false);
    Calls.clear();
    SendMessageA(Tray->GetCallbackWindow(), created, 0, 0);
    EXPECT_TRUE(Calls.empty());
}

TEST_F(TrayIcon, ASingleClickRaisesClickOnceAfterTheDoubleClickTime)
{
    std::vector<std::string> events;
    Tray->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState S, int, int) {
        events.push_back(B == mbLeft && (S & ssLeft) ? "down" : "down?");
    };
    Tray->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    Tray->OnClick = [&](TObject*) { events.push_back("click"); };
    Tray->OnDblClick = [&](TObject*) { events.push_back("dblclick"); };

    Icon(WM_LBUTTONDOWN);
    Icon(WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
    EXPECT_TRUE(PumpUntil([&] { return events.size() == 3; }, GetDoubleClickTime() + 3000));
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "click"}));

    events.clear();
    Icon(WM_LBUTTONDOWN);
    Icon(WM_LBUTTONUP);
    Icon(WM_LBUTTONDBLCLK);
    Icon(WM_LBUTTONUP);
    PumpFor(GetDoubleClickTime() + 300);   // no click comes after the double click
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "dblclick", "up"}));

    // A press held past the double-click time clicks at its release.
    events.clear();
    Icon(WM_LBUTTONDOWN);
    Tray->TimerClick();
    Icon(WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "click", "up"}));
}

TEST_F(TrayIcon, MouseEventsCarryTheCursorPositionAndAreOffWhenDisabled)
{
    SetCursorPos(123, 45);
    POINT pt;
    GetCursorPos(&pt);
    int moves = 0;
    TPoint at;
    Tray->OnMouseMove = [&](TObject*, TShiftState, int X, int Y) {
        ++moves;
        at = TPoint(X, Y);
    };
    Icon(WM_MOUSEMOVE);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(at, TPoint(pt.x, pt.y));
    Tray->Enabled = false;
    Icon(WM_MOUSEMOVE);
    Icon(WM_LBUTTONDOWN);
    EXPECT_EQ(moves, 1);
}

TEST_F(TrayIcon, RightPressOpensTheMenuAtOnceAndDoubleClickRunsItsDefaultItem)
{
    auto* menu = new TRecordingPopup(Form.get());
    auto* open = new TMenuItem(menu);
    open->SetCaption("Open");
    int opened = 0;
    open->OnClick = [&](TObject*) { ++opened; };
    auto* other = new TMenuItem(menu);
    other->SetCaption("Other");
    menu->GetItems()->Add(other);
    menu->GetItems()->Add(open);
    open->SetDefault(true);
    Tray->SetPopupMenu(menu);

    SetCursorPos(200, 100);
    Icon(WM_RBUTTONDOWN);
    EXPECT_EQ(menu->Shown, 1);
    EXPECT_EQ(menu->Opener, Tray);
    Icon(WM_RBUTTONUP);
    EXPECT_EQ(menu->Shown, 1);

    Icon(WM_LBUTTONDOWN);
    EXPECT_EQ(menu->Shown, 1);   // the left button opens it only with PopupByLeftButton
    Icon(WM_LBUTTONUP);
    Icon(WM_LBUTTONDBLCLK);
    EXPECT_EQ(opened, 1);

    Tray->PopupByLeftButton = true;
    Icon(WM_LBUTTONDOWN);
    EXPECT_EQ(menu->Shown, 2);
    Icon(WM_LBUTTONDBLCLK);
    EXPECT_EQ(opened, 1);        // no default item with PopupByLeftButton

    delete menu;                 // the icon forgets a freed menu
    EXPECT_EQ(Tray->GetPopupMenu(), nullptr);
    Icon(WM_RBUTTONDOWN);
}

TEST_F(TrayIcon, CyclingThroughThreeIconsRaisesOneTwoZeroOne)
{
    auto* list = new TCustomImageList(16, 16, Form.get());
    for (int i = 0; i < 3; ++i) list->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
    ASSERT_EQ(list->GetCount(), 3);
    Tray->SetIconList(list);
    std::vector<int> next;
    Tray->OnCycle = [&](TObject*, int N) { next.push_back(N); };
    Tray->SetCycleIcons(true);
    EXPECT_EQ(Tray->GetIconIndex(), 0);
    std::vector<int> indices;
    for (int i = 0; i < 4; ++i) {
        Calls.clear();
        Tray->TimerCycle();
        indices.push_back(Tray->GetIconIndex());
        ASSERT_FALSE(Calls.empty());
        EXPECT_EQ(Calls.back().Message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(Calls.back().Data.hIcon, Tray->GetIcon()->GetHandle());
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(indices, next);

    // An index beyond the list is lowered to its last one.
    Tray->SetIconIndex(9);
    EXPECT_EQ(Tray->GetIconIndex(), 2);
    Tray->SetIconList(nullptr);
    Tray->SetIconIndex(2);
    EXPECT_EQ(Tray->GetIconIndex(), 0);
}

TEST_F(TrayIcon, BalloonTextAndTitleAreCutAndTheFlagsComeBack)
{
    Calls.clear();
    Tray->ShowBalloonHint(std::string(100, 't'), std::string(300, 'b'), bitWarning);
    ASSERT_EQ(Calls.size(), 2u);   // the old balloon hidden, the new one shown
    EXPECT_EQ(Calls[0].Data.szInfo[0], '\0');
    const NOTIFYICONDATAA& d = Calls[1].Data;
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(strnlen(d.szInfo, sizeof(d.szInfo)), 255u);
    EXPECT_EQ(strnlen(d.szInfoTitle, sizeof(d.szInfoTitle)), 63u);
    EXPECT_EQ(d.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_EQ(Tray->GetIconData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
}

TEST_F(TrayIcon, MinimisingTheMainFormHidesItIntoTheTray)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetBounds(80, 80, 200, 150);
    auto* tray = new TspTrayIcon(main);
    tray->MinimizeToTray = true;
    tray->SetIconVisible(false);
    main->Show();
    PumpUntilIdle();
    Calls.clear();
    SendMessageA(main->GetHandle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(main->GetVisible());
    EXPECT_FALSE(IsWindowVisible(main->GetHandle()));
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    EXPECT_TRUE(tray->GetIconVisible());

    tray->ShowMainForm();
    EXPECT_TRUE(IsWindowVisible(main->GetHandle()));
    EXPECT_FALSE(IsIconic(main->GetHandle()));

    // The same through the application's own minimising.
    Calls.clear();
    Application->Minimize();
    PumpUntil([&] { return !IsWindowVisible(main->GetHandle()); }, 3000);
    EXPECT_FALSE(IsWindowVisible(main->GetHandle()));
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    tray->ShowMainForm();
    EXPECT_TRUE(IsWindowVisible(main->GetHandle()));
    EXPECT_FALSE(IsIconic(main->GetHandle()));
    delete main;
}

TEST_F(TrayIcon, AHookAboveOursKeepsWorkingAfterTheIconIsFreed)
{
    HWND wnd = Form->GetHandle();
    int seenAbove = 0;
    TWndMethod below = Form->WindowProc;
    Form->WindowProc = [&seenAbove, below](TMessage& M) {
        if (M.Msg == WM_USER + 7) ++seenAbove;
        below(M);
    };
    delete Tray;
    Tray = nullptr;
    SendMessageA(wnd, WM_USER + 7, 0, 0);
    SendMessageA(wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 150));
    EXPECT_EQ(seenAbove, 1);
    Form->WindowProc = below;
}

TEST_F(TrayIcon, FreeingTheIconRemovesItAndPutsTheFormsEntryBack)
{
    Tray->Loaded();
    Calls.clear();
    delete Tray;
    Tray = nullptr;
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE}));
    TMessage m = {WM_NULL, 0, 0, 0};
    Form->WindowProc(m);   // the restored entry still works
}

// What the real notification area answers here (no shell tray under Xvfb), and
// what a person would see of it: the screen is saved beside the other artefacts.
struct TTopWindows {
    std::vector<std::string> Visible;
    static BOOL CALLBACK Add(HWND W, LPARAM P)
    {
        char cls[128] = "", text[128] = "";
        GetClassNameA(W, cls, sizeof(cls));
        GetWindowTextA(W, text, sizeof(text));
        if (IsWindowVisible(W)) reinterpret_cast<TTopWindows*>(P)->Visible.push_back(std::string(cls) + " '" + text + "'");
        return TRUE;
    }
    TTopWindows() { EnumWindows(&TTopWindows::Add, reinterpret_cast<LPARAM>(this)); }
};

TEST(TrayIconShell, RealCallsAnswerWithoutATray)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* tray = new TspTrayIcon(form.get());
    tray->SetHint("Orvanta tray test");
    TTopWindows before;
    bool added = tray->ShowIcon();
    PumpUntil([&] { return TTopWindows().Visible != before.Visible; }, 500);   // the icon's window, where the system shows one
    TTopWindows during;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    TBitmap screen(sw, sh, pf24bit);
    HDC dc = GetDC(nullptr);
    BitBlt(screen.GetCanvas()->GetHandle(), 0, 0, sw, sh, dc, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, dc);
    SaveArtefact(&screen, "tray-screen");
    bool modified = tray->ModifyIcon();
    bool removed = tray->HideIcon();
    std::printf("Shell_NotifyIcon here: add %d, modify %d, delete %d; shell tray window %p\n", added, modified,
                removed, static_cast<void*>(FindWindowA("Shell_TrayWnd", nullptr)));
    for (const std::string& w : during.Visible)
        if (std::find(before.Visible.begin(), before.Visible.end(), w) == before.Visible.end())
            std::printf("visible while the icon was there: %s\n", w.c_str());
    // Whatever the machine answers, an added icon can be removed again.
    if (added) {
        EXPECT_TRUE(removed);
    }
}

// Without a tray on the desktop Wine shows the icons in a small window of its
// own; a real click there reaches the component as the shell's callback.
void ClickAt(int X, int Y, DWORD Down, DWORD Up)
{
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (X * 65535) / (sw - 1);
        i.mi.dy = (Y * 65535) / (sh - 1);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = Down | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = Up | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

TEST(TrayIconShell, ARealClickOnTheIconInWinesOwnTrayWindowReachesTheComponent)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* tray = new TspTrayIcon(form.get());
    auto* menu = new TRecordingPopup(form.get());
    tray->SetPopupMenu(menu);
    std::vector<TMouseButton> downs;
    tray->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, int, int) { downs.push_back(B); };
    ASSERT_TRUE(tray->ShowIcon());
    HWND standalone = nullptr;
    PumpUntil([&] {
        standalone = FindWindowA("__winex11_standalone_tray", nullptr);
        return standalone && IsWindowVisible(standalone);
    }, 3000);
    if (!standalone || !IsWindowVisible(standalone)) GTEST_SKIP() << "the desktop has a notification area of its own";
    // The icon sits in the first cell of the window's client area.
    RECT client;
    GetClientRect(standalone, &client);
    POINT at = {GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2};
    ClientToScreen(standalone, &at);
    std::printf("Wine's tray window: client %dx%d, clicking at %d,%d\n", static_cast<int>(client.right),
                static_cast<int>(client.bottom), static_cast<int>(at.x), static_cast<int>(at.y));
    ClickAt(at.x, at.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return menu->Shown > 0; }, 3000));
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ(downs[0], mbRight);
    EXPECT_EQ(menu->Opener, tray);
    tray->HideIcon();
}

// Why the icon keeps a top-level window of its own for the task bar's restart:
// a message-only window (as the application's hidden one is) hears no broadcast.
HWND gTopLevel = nullptr, gMessageOnly = nullptr;
int gHeardTop = 0, gHeardMessageOnly = 0;

LRESULT CALLBACK CountingProc(HWND W, UINT M, WPARAM WP, LPARAM LP)
{
    if (M == Sptrayicon::TaskbarCreatedMessage()) {
        if (W == gTopLevel) ++gHeardTop;
        if (W == gMessageOnly) ++gHeardMessageOnly;
    }
    return DefWindowProcA(W, M, WP, LP);
}

TEST(TrayIconShell, AMessageOnlyWindowHearsNoBroadcast)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TrayTestCounting";
    RegisterClassA(&wc);
    gTopLevel = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
    gMessageOnly = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                   nullptr);
    ASSERT_TRUE(gTopLevel && gMessageOnly);
    PostMessageA(HWND_BROADCAST, Sptrayicon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(PumpUntil([] { return gHeardTop > 0; }, 3000));
    PumpUntilIdle();
    EXPECT_EQ(gHeardMessageOnly, 0);
    DestroyWindow(gTopLevel);
    DestroyWindow(gMessageOnly);
}

}  // namespace
