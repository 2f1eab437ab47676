// The class library's hints: a control's hint shows once the mouse rested on
// it, in the library's hint window, and goes on a press, a key, leaving, or
// after the hide pause.
#include "test_gtest.h"
#include "HintFixture.h"

using namespace hintfix;

namespace {

const DWORD kWait = 4000;

class AppHint : public testing::Test {
protected:
    void SetUp() override
    {
        Application->HintPause = 60;
        Application->HintShortPause = 20;
        Application->HintHidePause = 20000;
        Application->OnShowHint = nullptr;
        Application->HintWindowClass = HintWindowClassOf<THintWindow>();
        Application->SetShowHint(false);
        Application->SetShowHint(true);
        F.reset(new TBlockForm);
    }
    void TearDown() override
    {
        Application->CancelHint();
        F.reset();
        Application->OnShowHint = nullptr;
    }
    bool WaitShown() { return WaitForHint(kWait); }
    std::string HintText() { return Application->GetHintWindow() ? Application->GetHintWindow()->GetCaption() : ""; }
    std::unique_ptr<TBlockForm> F;
};

TEST_F(AppHint, ShowsTheShortHintBelowTheCursorOnceTheMouseRested)
{
    MoveTo(F->A, 30, 20);
    // Nothing shows before the pause ran out (no message was handled since).
    EXPECT_FALSE(Application->GetHintActive());
    EXPECT_EQ(Application->GetHintControl(), F->A);
    ASSERT_TRUE(WaitShown());
    THintWindow* w = Application->GetHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(HintText(), "First");
    HWND h = w->GetWindowHandle();
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetForegroundWindow(), h);   // shown without activation
    RECT r;
    GetWindowRect(h, &r);
    TPoint cursor = F->A->ClientToScreen(TPoint(30, 20));
    EXPECT_EQ(r.left, cursor.x);
    EXPECT_GT(r.top, cursor.y);
    // The mouse goes through the hint to what lies under it.
    EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTRANSPARENT);

    auto shot = WindowShot(h);
    SaveArtefact(shot.get(), "hint-plain");
    EXPECT_EQ(Probe(shot.get(), 2, shot->GetHeight() - 3), static_cast<TColor>(ColorToRGB(clInfoBk)));
}

TEST_F(AppHint, RealMouseInputShowsTheHintAndARealPressEndsIt)
{
    TPoint p = F->A->ClientToScreen(TPoint(40, 30));
    InputAt(p.x, p.y);
    LastRest() = {F->A, 40, 30};
    ASSERT_TRUE(WaitShown());
    EXPECT_EQ(HintText(), "First");
    InputAt(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([] { return !Application->GetHintActive(); }, kWait));
    InputAt(p.x, p.y, MOUSEEVENTF_LEFTUP);
    PumpFor(200);   // a hint would have come back by now
    EXPECT_FALSE(Application->GetHintActive());
}

TEST_F(AppHint, EndsOnPressOnKeyAndOnLeaving)
{
    struct Case {
        const char* Name;
        std::function<void(TBlockForm&)> End;
    };
    const Case cases[] = {
        {"press", [](TBlockForm& f) { SendMessageA(f.A->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20)); }},
        {"key through the loop", [](TBlockForm& f) {
             PostMessageA(f.A->GetHandle(), WM_KEYDOWN, VK_SHIFT, 1);
             Application->ProcessMessages();
         }},
        {"leaving for a control without hint", [](TBlockForm& f) { MoveTo(f.Plain, 20, 20); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        MoveTo(F->Plain, 5, 5);
        MoveTo(F->A, 30, 20);
        ASSERT_TRUE(WaitShown());
        c.End(*F);
        EXPECT_FALSE(Application->GetHintActive());
        EXPECT_FALSE(IsWindowVisible(Application->GetHintWindow()->GetWindowHandle()));
        // And it does not come back while the mouse stays where it is.
        PumpFor(250);
        EXPECT_FALSE(Application->GetHintActive());
    }
}

TEST_F(AppHint, NextControlShowsItsOwnHint)
{
    MoveTo(F->A, 30, 20);
    ASSERT_TRUE(WaitShown());
    MoveTo(F->B, 30, 20);
    EXPECT_FALSE(Application->GetHintActive());
    ASSERT_TRUE(WaitShown());
    EXPECT_EQ(HintText(), "Second");
}

TEST_F(AppHint, ChildrenFollowTheirParentsSettingAndText)
{
    auto* panel = new TBlock(F->Form.get(), TRect(130, 100, 310, 190), 0x404040);
    auto* own = new TBlock(panel, TRect(5, 5, 55, 55), 0x00FFFF);
    own->SetHint("Child");
    auto* silent = new TBlock(panel, TRect(60, 5, 110, 55), 0xFF00FF);
    auto* refusing = new TBlock(panel, TRect(115, 5, 165, 55), 0xFFFF00);
    refusing->SetHint("Never");
    refusing->SetParentShowHint(false);   // its own ShowHint stays off
    // Switched on after the children were placed.
    panel->SetHint("Panel");
    panel->SetShowHint(true);
    struct Case { TBlock* Over; const char* Expected; };
    const Case cases[] = {{own, "Child"}, {silent, "Panel"}, {refusing, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected ? c.Expected : "none");
        MoveTo(F->Plain, 5, 5);
        MoveTo(c.Over, 20, 20);
        if (!c.Expected) {
            EXPECT_EQ(Application->GetHintControl(), nullptr);
            PumpFor(200);   // past the hint pause
            EXPECT_FALSE(Application->GetHintActive());
            continue;
        }
        EXPECT_EQ(Application->GetHintControl(), c.Over);
        ASSERT_TRUE(WaitShown());
        EXPECT_EQ(HintText(), c.Expected);
    }
}

TEST_F(AppHint, HidesAfterTheHidePause)
{
    Application->HintHidePause = 150;
    MoveTo(F->A, 30, 20);
    ASSERT_TRUE(WaitShown());
    EXPECT_TRUE(PumpUntil([] { return !Application->GetHintActive(); }, kWait));
}

TEST_F(AppHint, TheProgramMayChangeOrRefuseTheHint)
{
    Application->OnShowHint = [](std::string& S, bool&, THintInfo& Info) {
        S = "Changed for " + std::string(Info.HintControl ? "a control" : "nothing");
    };
    MoveTo(F->A, 30, 20);
    ASSERT_TRUE(WaitShown());
    EXPECT_EQ(HintText(), "Changed for a control");

    Application->CancelHint();
    MoveTo(F->Plain, 5, 5);
    Application->OnShowHint = [](std::string&, bool& CanShow, THintInfo&) { CanShow = false; };
    MoveTo(F->B, 30, 20);
    PumpFor(300);   // past the hint pause
    EXPECT_FALSE(Application->GetHintActive());
}

TEST_F(AppHint, AControlFreedWhileItsHintIsDueIsForgotten)
{
    MoveTo(F->A, 30, 20);
    EXPECT_EQ(Application->GetHintControl(), F->A);
    delete F->A;
    F->A = nullptr;
    EXPECT_EQ(Application->GetHintControl(), nullptr);
    PumpFor(250);   // past the hint pause
    EXPECT_FALSE(Application->GetHintActive());
}

class TMarkedHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

TEST_F(AppHint, ShowHintOffAndOnMakesTheWindowOfTheNewClass)
{
    MoveTo(F->A, 30, 20);
    ASSERT_TRUE(WaitShown());
    Application->HintWindowClass = HintWindowClassOf<TMarkedHintWindow>();
    Application->SetShowHint(false);
    EXPECT_EQ(Application->GetHintWindow(), nullptr);
    MoveTo(F->B, 30, 20);
    PumpFor(200);   // past the hint pause
    EXPECT_FALSE(Application->GetHintActive());   // hints are off
    Application->SetShowHint(true);
    MoveTo(F->A, 30, 20);
    ASSERT_TRUE(WaitShown());
    EXPECT_NE(dynamic_cast<TMarkedHintWindow*>(Application->GetHintWindow()), nullptr);
}

TEST(HintText, ShortAndLongParts)
{
    struct Case { const char* Hint; const char* Short; const char* Long; };
    const Case cases[] = {{"Open|Opens a file", "Open", "Opens a file"}, {"Plain", "Plain", "Plain"},
                          {"|Only long", "", "Only long"}, {"", "", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(GetShortHint(c.Hint), c.Short) << c.Hint;
        EXPECT_EQ(GetLongHint(c.Hint), c.Long) << c.Hint;
    }
}

// A 32 x 32 cursor whose visible part ends at row Lowest (none when -1).
HCURSOR MakeCursor(int Lowest, int HotY, bool Monochrome)
{
    BYTE andBits[32 * 4], xorBits[32 * 4];
    for (int y = 0; y < 32; ++y)
        for (int b = 0; b < 4; ++b) {
            const bool shown = y <= Lowest && y >= 2;
            andBits[y * 4 + b] = shown ? 0x00 : 0xFF;
            xorBits[y * 4 + b] = 0x00;
        }
    if (Monochrome) return CreateCursor(GetModuleHandleA(nullptr), 0, HotY, 32, 32, andBits, xorBits);
    ICONINFO ii = {};
    ii.fIcon = FALSE;
    ii.yHotspot = HotY;
    ii.hbmMask = CreateBitmap(32, 32, 1, 1, andBits);
    HDC screen = GetDC(nullptr);
    ii.hbmColor = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HCURSOR c = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    return c;
}

TEST(CursorMargin, FromTheHotSpotDownToTheLowestVisibleRow)
{
    struct Case { int Lowest, HotY; bool Mono; int Expected; };
    const Case cases[] = {
        {19, 0, true, 20}, {19, 5, true, 15}, {31, 0, true, 32}, {10, 10, true, 1},
        {19, 0, false, 20}, {25, 4, false, 22},
        {-1, 0, true, GetSystemMetrics(SM_CYCURSOR)},   // nothing visible: the system height
    };
    for (const Case& c : cases) {
        HCURSOR cur = MakeCursor(c.Lowest, c.HotY, c.Mono);
        ASSERT_NE(cur, nullptr);
        EXPECT_EQ(CursorHeightMargin(cur), c.Expected) << c.Lowest << " " << c.HotY << " " << c.Mono;
        DestroyCursor(cur);
    }
    EXPECT_EQ(CursorHeightMargin(nullptr), GetSystemMetrics(SM_CYCURSOR));
}

}  // namespace
