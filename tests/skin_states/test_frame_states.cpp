// Window states of the frame on real windows: a real press on a window-less
// child of a borderless framed form, the parking of frame-minimised forms,
// snapping to the work area's edges, the fade-in's end state, and the tray.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "GraphicControl.h"
#include "SkinPlatform.h"
#include <memory>
#include <vector>

using namespace FrameFixture;

namespace {

void SendMouse(DWORD Flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof(in));
}

class TProbeControl : public TGraphicControl {
public:
    explicit TProbeControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
};

// A press anywhere on a window-less child of a borderless form reaches the
// child, with or without a frame, skinned or not; the child sits where an
// unskinned frame would draw its caption and borders.
TEST(FrameStates, RealPressReachesAWindowlessChildOfABorderlessForm)
{
    auto skin = NewSkin();
    struct Case {
        const char* Name;
        bool Frame, Skinned;
    } cases[] = {{"no frame", false, false}, {"unskinned frame", true, false}, {"skinned frame", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetCursorPos(5, 5);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(60, 60, 200, 100);
        TspFormFrame* frame = nullptr;
        if (c.Frame) {
            frame = new TspFormFrame(form.get());
            if (c.Skinned) frame->SetSkinData(skin.get());
        }
        auto* child = new TProbeControl(form.get());
        child->SetParent(form.get());
        child->SetBounds(1, 1, 60, 18);   // over the top edge and caption band of a default frame
        int presses = 0;
        child->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
        form->Show();
        PumpUntilIdle();
        RECT w;
        GetWindowRect(form->GetHandle(), &w);
        for (POINT p : {POINT{2, 2}, POINT{30, 10}}) {
            const LRESULT hit = SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + p.x, w.top + p.y));
            EXPECT_EQ(HTCLIENT, hit) << "at " << p.x << "," << p.y;
            // A sizing or caption code would start the system's own size or
            // move loop on the press; the wrong code is failure enough.
            if (hit != HTCLIENT) continue;
            SetCursorPos(w.left + p.x, w.top + p.y);
            SendMouse(MOUSEEVENTF_MOVE);
            PumpUntilIdle();
            const int before = presses;
            SendMouse(MOUSEEVENTF_LEFTDOWN);
            PumpUntil([&] { return presses > before; }, 2000);
            SendMouse(MOUSEEVENTF_LEFTUP);
            PumpUntilIdle();
            EXPECT_EQ(before + 1, presses) << "at " << p.x << "," << p.y;
        }
        SetCursorPos(5, 5);
    }
}

// Framed dialogs minimised one after another park side by side along the
// bottom of the work area, each as wide as the frame's minimum width; the
// slot of a restored one is given to the next.
TEST(FrameStates, MinimisedFormsParkSideBySideFromTheBottomLeft)
{
    std::vector<std::unique_ptr<FramedForm>> forms;
    for (int i = 0; i < 3; ++i) forms.push_back(std::make_unique<FramedForm>(nullptr, 100 + 30 * i, 100, 220, 150));
    const TRect area = Sputils::GetPrimaryMonitorWorkArea(true);
    for (int i = 0; i < 3; ++i) {
        TspFormFrame* f = forms[i]->Frame;
        f->SetWindowState(fwsMinimized);
        PumpUntilIdle();
        const int w = f->GetMinWidth(), h = f->GetMinHeight();
        EXPECT_EQ(130, w);
        EXPECT_EQ(25, h);
        EXPECT_EQ(area.left + i * w, forms[i]->Form->GetLeft()) << i;
        EXPECT_EQ(area.bottom - h, forms[i]->Form->GetTop()) << i;
        EXPECT_EQ(w, forms[i]->Form->GetWidth());
        EXPECT_EQ(h, forms[i]->Form->GetHeight());
    }
    // The middle one comes back to its bounds from before; its slot is free again.
    forms[1]->Frame->SetWindowState(fwsNormal);
    PumpUntilIdle();
    EXPECT_EQ(130, forms[1]->Form->GetLeft());
    EXPECT_EQ(220, forms[1]->Form->GetWidth());
    EXPECT_EQ(TPoint(area.left + 130, area.bottom - 25).x, forms[1]->Frame->GetMinimizeCoord().x);
}

// Maximised over the work area, 1 pixel in from every side where the work area
// is the whole monitor (a hidden task bar stays reachable); over the whole
// monitor with MaximizeOnFullScreen; restore gives the bounds from before.
TEST(FrameStates, MaximiseCoversTheWorkAreaOrTheMonitor)
{
    const TRect work = Sputils::GetPrimaryMonitorWorkArea(true);
    const TRect whole = Sputils::GetPrimaryMonitorWorkArea(false);
    const bool noTaskBar = work.left == whole.left && work.top == whole.top && work.right == whole.right &&
                           work.bottom == whole.bottom;
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full screen" : "work area");
        FramedForm f(nullptr, 100, 100, 240, 160);
        f.Frame->MaximizeOnFullScreen = full;
        f.Frame->SetWindowState(fwsMaximized);
        PumpUntilIdle();
        TRect want = full ? whole : work;
        if (!full && noTaskBar) want.Inflate(-1, -1);
        EXPECT_EQ(want.left, f.Form->GetLeft());
        EXPECT_EQ(want.top, f.Form->GetTop());
        EXPECT_EQ(want.Width(), f.Form->GetWidth());
        EXPECT_EQ(want.Height(), f.Form->GetHeight());
        // Minimise after maximise still restores the bounds from before both.
        f.Frame->SetWindowState(fwsMinimized);
        f.Frame->SetWindowState(fwsNormal);
        PumpUntilIdle();
        EXPECT_EQ(100, f.Form->GetLeft());
        EXPECT_EQ(240, f.Form->GetWidth());
        EXPECT_EQ(160, f.Form->GetHeight());
    }
}

// Snapping is strict: closer than MagneticSize snaps, exactly that far does not.
TEST(FrameStates, SnapsToTheWorkAreaEdgesOnlyWhenCloserThanTheMagneticSize)
{
    FramedForm f(nullptr, 100, 100, 200, 120);
    const TRect a = Sputils::GetPrimaryMonitorWorkArea(true);
    struct Case {
        int L, T, WantL, WantT;
    } cases[] = {
        {a.left + 9, 300, a.left, 300},                         // 9 from the left edge snaps
        {a.left + 10, 300, a.left + 10, 300},                   // 10 does not
        {a.left - 9, 300, a.left, 300},                         // also from outside
        {300, a.top + 3, 300, a.top},                           // top edge
        {a.right - 200 - 9, 300, a.right - 200, 300},          // right edge by the window's width
        {a.right - 200 - 10, 300, a.right - 210, 300},
        {300, a.bottom - 120 + 9, 300, a.bottom - 120},         // bottom edge by its height
        {a.left + 4, a.bottom - 120 - 5, a.left, a.bottom - 120},   // a corner: both
    };
    for (const Case& c : cases) {
        int l = c.L, t = c.T;
        f.Frame->DoMagnetic(l, t, 200, 120);
        EXPECT_EQ(c.WantL, l) << c.L << "," << c.T;
        EXPECT_EQ(c.WantT, t) << c.L << "," << c.T;
    }
    // WM_MOVING applies it to the moving rectangle only with Magnetic.
    for (bool magnetic : {false, true}) {
        f.Frame->Magnetic = magnetic;
        RECT r = {a.left + 5, 300, a.left + 5 + 200, 420};
        SendMessageA(f.Wnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(magnetic ? a.left : a.left + 5, r.left);
        EXPECT_EQ(r.left + 200, r.right);
    }
}

// AlphaBlend set while the form has no window yet reaches the window when it is
// made, and a window made anew (a recreation) is layered again too.
TEST(FrameStates, AlphaBlendReachesEveryWindowOfTheForm)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(80, 80, 200, 120);
    auto* frame = new TspFormFrame(form.get());
    frame->SetAlphaBlendValue(180);
    frame->SetAlphaBlend(true);
    form->HandleNeeded();
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        HWND wnd = form->GetHandle();
        ASSERT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, 180);
        form->RecreateWnd();
        form->HandleNeeded();
    }
}

// After the show, a frame with AlphaBlend ends at its opacity and stays
// layered; with only the animation it ends opaque and no longer layered.
TEST(FrameStates, FadeInEndsAtTheOpacityAndLeavesAnOpaqueWindowUnlayered)
{
    struct Case {
        bool Blend, Animation;
        bool WantLayered;
        BYTE WantAlpha;
    } cases[] = {{true, false, true, 200}, {true, true, true, 200}, {false, true, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Blend ? "blend " : "") + (c.Animation ? "animation" : ""));
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBounds(80, 80, 200, 120);
        auto* frame = new TspFormFrame(form.get());
        frame->AlphaBlendAnimation = c.Animation;
        frame->SetAlphaBlendValue(200);
        frame->SetAlphaBlend(c.Blend);
        form->Show();
        HWND wnd = form->GetHandle();
        // The fade runs from a 1 ms window timer after the show.
        PumpUntilIdle();
        const bool layered = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        EXPECT_EQ(c.WantLayered, layered);
        if (c.WantLayered) {
            BYTE alpha = 0;
            DWORD flags = 0;
            ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
            EXPECT_EQ(c.WantAlpha, alpha);
        }
    }
}

}  // namespace
