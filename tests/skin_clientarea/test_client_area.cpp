// The frame in client-area mode on a real window: the fixture skin's flat
// pieces stretched over the whole window, dragging by the surface with real
// mouse input, controls pinned to the skin's areas, and the sizing edges.
#include "test_gtest.h"
#include "../skin_form/FrameFixture.h"
#include "ActiveSkinObject.h"
#include "SkinControl.h"
#include <memory>

using namespace FrameFixture;

namespace {

// Absolute mouse input, as a user's hand would give it.
void MouseTo(int X, int Y, DWORD Flags = 0)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = X * 65535 / (w - 1);
    in.mi.dy = Y * 65535 / (h - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | Flags;
    SendInput(1, &in, sizeof(in));
    PumpUntilIdle();
}

void Button(DWORD Flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof(in));
    PumpUntilIdle();
}

struct Scene {
    std::unique_ptr<TspSkinData> Skin{new TspSkinData(nullptr)};
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TspSkinControl *Corner, *Band;

    explicit Scene(bool WithAreas = true)
    {
        SetCursorPos(5, 5);
        FillSkin(Skin.get());
        Skin->AddSkinArea("cornerarea", TRect(82, 4, 96, 20));   // inside the right-top corner
        Skin->AddSkinArea("bandarea", TRect(10, 4, 90, 20));     // from the left-top corner to the right-top
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 300, 200);
        Frame = new TspFormFrame(Form.get());
        Frame->SetSupportNCArea(false);
        Frame->DraggAble = true;
        Corner = new TspSkinControl(Form.get());
        Corner->SetParent(Form.get());
        Band = new TspSkinControl(Form.get());
        Band->SetParent(Form.get());
        if (WithAreas) {
            Corner->AreaName = "cornerarea";
            Band->AreaName = "bandarea";
        }
        Corner->SetBounds(0, 150, 10, 10);
        Band->SetBounds(20, 150, 10, 10);
        Form->Show();
        Frame->SetSkinData(Skin.get());
        PumpUntil([this] {
            SetForegroundWindow(Form->GetHandle());
            return GetForegroundWindow() == Form->GetHandle();
        }, 3000);
        Redraw();
    }
    ~Scene() { Form.reset(); }
    void Redraw()
    {
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
    }
    TColor Screen(int X, int Y)
    {
        HDC dc = GetDC(nullptr);
        const TColor c = GetPixel(dc, Form->GetLeft() + X, Form->GetTop() + Y) & 0xFFFFFF;
        ReleaseDC(nullptr, dc);
        return c;
    }
};

TEST(ClientAreaFrame, TheWholeWindowIsTheStretchedSkinPicture)
{
    Scene s(false);
    RECT w, c;
    GetWindowRect(s.Form->GetHandle(), &w);
    GetClientRect(s.Form->GetHandle(), &c);
    EXPECT_EQ(c.right, w.right - w.left);   // no non-client area at all
    EXPECT_EQ(c.bottom, w.bottom - w.top);
    struct Probe { int X, Y; TColor Colour; } probes[] = {
        {10, 10, cTopLeft},   {150, 2, cTop},        {290, 10, cTopRight}, {1, 100, cLeft},
        {298, 100, cRight},   {10, 198, cBottomLeft}, {150, 198, cBottom}, {290, 198, cBottomRight},
        {150, 100, cClient},  {250, 180, cClient},
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(p.X * 1000 + p.Y);
        EXPECT_EQ(s.Screen(p.X, p.Y), p.Colour);
    }
    // The window's shape comes from the mask: the corner notches are cut away.
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(s.Form->GetHandle(), r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(PtInRegion(r, 298, 198));
    EXPECT_TRUE(PtInRegion(r, 150, 100));
    DeleteObject(r);
    // Without a skin: a plain face outlined in black.
    s.Frame->SetSkinData(nullptr);
    s.Redraw();
    EXPECT_EQ(s.Screen(150, 100), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(s.Screen(0, 100), 0);
}

TEST(ClientAreaFrame, DraggedByItsSurfaceWithTheRealMouse)
{
    Scene s(false);
    const int left = s.Form->GetLeft(), top = s.Form->GetTop();
    MouseTo(left + 150, top + 100);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(s.Frame->GetDragging());
    for (int i = 1; i <= 4; ++i) MouseTo(left + 150 + 10 * i, top + 100 + 8 * i);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(s.Frame->GetDragging());
    EXPECT_EQ(s.Form->GetLeft(), left + 40);
    EXPECT_EQ(s.Form->GetTop(), top + 32);
    EXPECT_EQ(s.Form->GetWidth(), 300);
    // After the release moving the mouse moves nothing.
    MouseTo(left + 260, top + 200);
    EXPECT_EQ(s.Form->GetLeft(), left + 40);
    // Not draggable: a press stays where it is.
    s.Frame->DraggAble = false;
    MouseTo(s.Form->GetLeft() + 150, s.Form->GetTop() + 100);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(s.Frame->GetDragging());
    MouseTo(s.Form->GetLeft() + 190, s.Form->GetTop() + 130);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(s.Form->GetLeft(), left + 40);
    SetCursorPos(5, 5);
}

// The caption moves the window even where the surface does not (DraggAble off).
TEST(ClientAreaFrame, DraggedByItsCaptionAlsoWhenTheSurfaceIsNotDraggable)
{
    Scene s(false);
    s.Frame->DraggAble = false;
    TspActiveSkinObject* caption = s.Frame->GetObject(s.Frame->GetIndex("caption"));
    ASSERT_TRUE(caption);
    const TRect r = caption->ObjectRect;
    const int left = s.Form->GetLeft(), top = s.Form->GetTop();
    const int x = left + (r.left + r.right) / 2, y = top + (r.top + r.bottom) / 2;
    MouseTo(x, y);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(s.Frame->GetDragging());
    for (int i = 1; i <= 3; ++i) MouseTo(x + 10 * i, y + 5 * i);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(s.Frame->GetDragging());
    EXPECT_EQ(s.Form->GetLeft(), left + 30);
    EXPECT_EQ(s.Form->GetTop(), top + 15);
    SetCursorPos(5, 5);
}

TEST(ClientAreaFrame, ControlsFollowTheirAreasAndTheEdgesSize)
{
    Scene s;
    EXPECT_EQ(s.Frame->AreaLinkCount(), 2);
    // Right-top corner zone: moves with the right edge; the band widens.
    EXPECT_EQ(s.Corner->GetBoundsRect(), TRect(282, 4, 296, 20));
    EXPECT_EQ(s.Band->GetBoundsRect(), TRect(10, 4, 290, 20));
    s.Form->SetWidth(400);
    PumpUntilIdle();
    EXPECT_EQ(s.Corner->GetBoundsRect(), TRect(382, 4, 396, 20));
    EXPECT_EQ(s.Band->GetBoundsRect(), TRect(10, 4, 390, 20));
    // Hit test: sizing codes on the edges, client elsewhere.
    const int L = s.Form->GetLeft(), T = s.Form->GetTop();
    struct Hit { int X, Y; LRESULT Code; } hits[] = {
        {1, 100, HTLEFT}, {398, 100, HTRIGHT}, {200, 198, HTBOTTOM}, {200, 100, HTCLIENT}, {1, 198, HTBOTTOMLEFT},
    };
    for (const auto& h : hits) {
        SCOPED_TRACE(h.X * 1000 + h.Y);
        EXPECT_EQ(SendMessageA(s.Form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(L + h.X, T + h.Y)), h.Code);
    }
    // A freed control is unlinked; a skin without the area leaves the other alone.
    delete s.Corner;
    EXPECT_EQ(s.Frame->AreaLinkCount(), 1);
    s.Form->SetWidth(300);
    EXPECT_EQ(s.Band->GetBoundsRect(), TRect(10, 4, 290, 20));
}

TEST(ClientAreaFrame, AFixedSizeSkinFixesTheForm)
{
    Scene s(false);
    s.Skin->LTPoint = s.Skin->RTPoint = s.Skin->LBPoint = s.Skin->RBPoint = TPoint(0, 0);
    s.Frame->SetSkinData(s.Skin.get());
    EXPECT_EQ(s.Form->GetClientWidth(), PicW);
    EXPECT_EQ(s.Form->GetClientHeight(), PicH);
    EXPECT_FALSE(s.Frame->Sizeable);
    s.Redraw();
    EXPECT_EQ(s.Screen(10, 10), cTopLeft);
    EXPECT_EQ(s.Screen(90, 10), cTopRight);
    EXPECT_EQ(s.Screen(50, 50), cClient);
}

TEST(ClientAreaFrame, MagneticDragSnapsToTheScreenEdge)
{
    Scene s(false);
    s.Frame->Magnetic = true;
    const int left = s.Form->GetLeft(), top = s.Form->GetTop();
    MouseTo(left + 150, top + 100);
    Button(MOUSEEVENTF_LEFTDOWN);
    // 95 pixels left: the window would stand 5 pixels off the edge, and snaps to it.
    for (int dx : {30, 60, 95}) MouseTo(left + 150 - dx, top + 100);
    Button(MOUSEEVENTF_LEFTUP);
    SetCursorPos(5, 5);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(s.Form->GetLeft(), work.left);
    EXPECT_EQ(s.Form->GetTop(), top);
}

TEST(ClientAreaFrame, SkinCursorsOverObjects)
{
    Scene s(false);
    s.Skin->ObjectList[0]->CursorIndex = 2;   // the caption
    s.Frame->SetSkinData(s.Skin.get());
    s.Frame->UseSkinCursors = true;
    struct Case { int X, Y; TCursor Cursor; } cases[] = {
        {150, 10, static_cast<TCursor>(s.Skin->StartCursorIndex + 2)},   // over the caption
        {150, 100, crDefault},                                            // no object, no skin cursor
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.X * 1000 + c.Y);
        SetCursorPos(s.Form->GetLeft() + c.X, s.Form->GetTop() + c.Y);
        PumpUntilIdle();
        s.Frame->TestMouse();
        EXPECT_EQ(s.Form->GetCursor(), c.Cursor);
    }
    SetCursorPos(5, 5);
}

const TColor cRoll = 0x3070B0;

TEST(ClientAreaFrame, RollUpWithTheRollUpPicture)
{
    Scene s;
    // No roll-up picture: the form stays as it is.
    s.Frame->SetRollUpState(true);
    EXPECT_FALSE(s.Frame->GetRolledUp());
    EXPECT_EQ(s.Form->GetHeight(), 200);
    auto roll = NewPicture(PicW, 30, cRoll);
    s.Skin->RollUpPicture = std::move(roll);
    s.Skin->RollUpLeftPoint = TPoint(20, 0);
    s.Skin->RollUpRightPoint = TPoint(80, 0);
    s.Frame->SetSkinData(s.Skin.get());
    s.Frame->SetRollUpState(true);
    ASSERT_TRUE(s.Frame->GetRolledUp());
    EXPECT_EQ(s.Form->GetHeight(), 30);
    EXPECT_EQ(s.Form->GetWidth(), 300);   // a stretchable roll-up keeps the width
    EXPECT_FALSE(s.Band->GetVisible());
    EXPECT_FALSE(s.Corner->GetVisible());
    s.Redraw();
    EXPECT_EQ(s.Screen(150, 15), cRoll);
    EXPECT_EQ(s.Screen(290, 15), cRoll);
    s.Frame->SetRollUpState(false);
    EXPECT_FALSE(s.Frame->GetRolledUp());
    EXPECT_EQ(s.Form->GetHeight(), 200);
    EXPECT_TRUE(s.Band->GetVisible());
    EXPECT_TRUE(s.Corner->GetVisible());
    EXPECT_EQ(s.Band->GetBoundsRect(), TRect(10, 4, 290, 20));
    s.Redraw();
    EXPECT_EQ(s.Screen(150, 100), cClient);
}

}  // namespace
