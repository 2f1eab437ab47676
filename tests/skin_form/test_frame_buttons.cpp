// Caption buttons under synthetic mouse input on the real window: the press
// and release travel through the hit test, the pointer timer, the non-client
// press and the captured release to the button, which runs its command on
// the frame's window state.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"

using namespace FrameFixture;

namespace {

void SendMouse(DWORD Flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof(in));
}

// Moves the pointer onto the object's centre, waits until the frame tracks it,
// then presses and releases the left button there.
bool ClickObject(FramedForm& F, const std::string& IDName)
{
    TspFormFrame* frame = F.Frame;
    const int index = frame->GetIndex(IDName);
    TspActiveSkinObject* o = frame->GetObject(index);
    if (!o || !o->Visible) return false;
    RECT w;
    GetWindowRect(F.Wnd(), &w);
    const TRect r = o->ObjectRect;
    SetCursorPos(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
    SendMouse(MOUSEEVENTF_MOVE);   // a move of nothing: the window is hit-tested where the pointer is
    if (!PumpUntil([&] { return frame->ActiveObject == index; }, 2000)) return false;
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return frame->MouseCaptureObject == index; }, 2000);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpUntilIdle();
    return true;
}

struct ActiveFramedForm : FramedForm {
    ActiveFramedForm(TspSkinData* Skin, int X, int Y, int W, int H) : FramedForm(Skin, X, Y, W, H, "Buttons")
    {
        SetForegroundWindow(Wnd());
        SetActiveWindow(Wnd());
        PumpUntil([&] { return Frame->GetFormActive(); }, 2000);
        // Somewhere harmless first, so that the first hit test finds the pointer arriving.
        SetCursorPos(0, 0);
        PumpUntilIdle();
    }
};

TEST(FrameButtons, DefaultCaptionButtonsRunTheirCommandsByMouse)
{
    ActiveFramedForm f(nullptr, 200, 150, 320, 220);
    ASSERT_TRUE(f.Frame->GetFormActive());
    ASSERT_GE(f.Frame->GetIndex("closebutton"), 0);
    const TRect normal = f.Form->GetBoundsRect();

    // Maximise, then restore with the same button.
    ASSERT_TRUE(ClickObject(f, "maxbutton"));
    EXPECT_EQ(f.Frame->GetWindowState(), fwsMaximized);
    EXPECT_GT(f.Form->GetWidth(), 320);
    ASSERT_TRUE(ClickObject(f, "maxbutton"));
    EXPECT_EQ(f.Frame->GetWindowState(), fwsNormal);
    EXPECT_EQ(f.Form->GetBoundsRect().left, normal.left);
    EXPECT_EQ(f.Form->GetWidth(), normal.Width());
    EXPECT_EQ(f.Form->GetHeight(), normal.Height());

    // Roll up to the caption, and down again.
    ASSERT_TRUE(ClickObject(f, "rollupbutton"));
    EXPECT_TRUE(f.Frame->GetRolledUp());
    EXPECT_EQ(f.Form->GetHeight(), f.Frame->GetMinHeight());
    // The second click comes quickly at the same point: the system makes it a double click.
    ASSERT_TRUE(ClickObject(f, "rollupbutton"));
    EXPECT_FALSE(f.Frame->GetRolledUp());
    EXPECT_EQ(f.Form->GetHeight(), normal.Height());

    // Minimise: a form other than the main form is parked at its minimum size.
    ASSERT_TRUE(ClickObject(f, "minbutton"));
    EXPECT_EQ(f.Frame->GetWindowState(), fwsMinimized);
    EXPECT_EQ(f.Form->GetWidth(), f.Frame->GetMinWidth());
    ASSERT_TRUE(ClickObject(f, "minbutton"));
    EXPECT_EQ(f.Frame->GetWindowState(), fwsNormal);
    EXPECT_EQ(f.Form->GetWidth(), normal.Width());

    // Close hides the form.
    ASSERT_TRUE(ClickObject(f, "closebutton"));
    EXPECT_FALSE(IsWindowVisible(f.Wnd()));
}

TEST(FrameButtons, BorderIconsDecideWhichButtonsShow)
{
    FramedForm f(nullptr, 200, 150, 320, 220);
    auto visible = [&](const char* Name) { return f.Frame->GetObject(f.Frame->GetIndex(Name))->Visible; };
    EXPECT_TRUE(visible("maxbutton"));
    EXPECT_FALSE(visible("traybutton"));
    f.Frame->SetBorderIcons(biSystemMenu | biMinimizeToTray);
    EXPECT_FALSE(visible("maxbutton"));
    EXPECT_FALSE(visible("minbutton"));
    EXPECT_TRUE(visible("traybutton"));
    EXPECT_TRUE(visible("closebutton"));   // close is never hidden
    // The caption gives the room of hidden buttons back.
    EXPECT_EQ(f.Frame->GetDefCaptionRect().right, 320 - 3 - 2 * 17);
}

TEST(FrameButtons, ReleaseOutsideThePressedButtonRunsNothing)
{
    ActiveFramedForm f(nullptr, 200, 150, 320, 220);
    const int index = f.Frame->GetIndex("maxbutton");
    TspActiveSkinObject* o = f.Frame->GetObject(index);
    ASSERT_TRUE(o);
    RECT w;
    GetWindowRect(f.Wnd(), &w);
    SetCursorPos(w.left + o->ObjectRect.left + 5, w.top + o->ObjectRect.top + 5);
    SendMouse(MOUSEEVENTF_MOVE);
    ASSERT_TRUE(PumpUntil([&] { return f.Frame->ActiveObject == index; }, 2000));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return f.Frame->MouseCaptureObject == index; }, 2000);
    // While the button holds the mouse, the neighbour does not become active.
    TspActiveSkinObject* close = f.Frame->GetObject(f.Frame->GetIndex("closebutton"));
    SetCursorPos(w.left + close->ObjectRect.left + 5, w.top + close->ObjectRect.top + 5);
    SendMouse(MOUSEEVENTF_MOVE);
    PumpFor(150);   // long enough for the neighbour to take the hover
    EXPECT_FALSE(close->Active);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpUntilIdle();
    EXPECT_EQ(f.Frame->GetWindowState(), fwsNormal);
    EXPECT_TRUE(IsWindowVisible(f.Wnd()));
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace

namespace {

TEST(FrameButtons, HiddenCaptionButtonsAreOffAndGone)
{
    FramedForm f(nullptr, 200, 150, 320, 220);
    f.Frame->HideCaptionButtons = true;
    f.Frame->CheckObjects();
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
        TspActiveSkinObject* o = f.Frame->GetObject(f.Frame->GetIndex(name));
        ASSERT_TRUE(o) << name;
        EXPECT_FALSE(o->Enabled) << name;
        EXPECT_FALSE(o->Visible) << name;   // their image is not part of a frame picture
    }
    // No button left: the caption reaches the right border.
    EXPECT_EQ(f.Frame->GetDefCaptionRect().right, 320 - 3);
}

// A button the application disabled by name stays disabled through the
// frame's own checks (a border icon change); enabled by name it works again.
TEST(FrameButtons, ButtonDisabledByNameStaysDisabledThroughCheckObjects)
{
    FramedForm f(nullptr, 200, 150, 320, 220);
    TspActiveSkinObject* close = f.Frame->GetObject(f.Frame->GetIndex("closebutton"));
    ASSERT_TRUE(close);
    f.Frame->SetEnabled("closebutton", false);
    f.Frame->CheckObjects();
    EXPECT_FALSE(close->Enabled);
    EXPECT_TRUE(close->Visible);
    f.Frame->SetEnabled("closebutton", true);
    f.Frame->CheckObjects();
    EXPECT_TRUE(close->Enabled);
}

TEST(FrameButtons, CaptionDoubleClickRollsANonSizeableFrameUpAndDown)
{
    FramedForm f(nullptr, 200, 150, 320, 220);
    f.Frame->Sizeable = false;
    RECT w;
    GetWindowRect(f.Wnd(), &w);
    const LPARAM at = MAKELPARAM(w.left + 60, w.top + 10);
    SendMessageA(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, at);
    EXPECT_TRUE(f.Frame->GetRolledUp());
    EXPECT_EQ(f.Form->GetHeight(), f.Frame->GetMinHeight());
    SendMessageA(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, at);
    EXPECT_FALSE(f.Frame->GetRolledUp());
    EXPECT_EQ(f.Form->GetHeight(), 220);
    // A sizeable frame maximises instead, and a second double click restores it.
    f.Frame->Sizeable = true;
    SendMessageA(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, at);
    EXPECT_EQ(f.Frame->GetWindowState(), fwsMaximized);
    GetWindowRect(f.Wnd(), &w);
    SendMessageA(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(w.left + 60, w.top + 10));
    EXPECT_EQ(f.Frame->GetWindowState(), fwsNormal);
    EXPECT_EQ(f.Form->GetWidth(), 320);
}

}  // namespace
