// The frame on real windows: the client rectangle the frame leaves at several
// sizes, hit codes of a point table, the window region cut from the mask, the
// painted pieces (active and inactive), the default frame, and the frame's
// hook given back.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "SkinDrawHelpers.h"

using namespace FrameFixture;

namespace {

struct Size {
    int W, H;
};
const Size kSizes[] = {{300, 200}, {100, 80}, {517, 333}, {161, 97}};

TEST(FrameWindow, ClientRectangleFollowsTheSkinAtEverySize)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    for (const Size& s : kSizes) {
        SCOPED_TRACE(std::to_string(s.W) + "x" + std::to_string(s.H));
        f.Form->SetBounds(40, 40, s.W, s.H);
        PumpUntilIdle();
        const TRect c = f.ClientInWindow();
        EXPECT_EQ(c.left, 4);
        EXPECT_EQ(c.top, 24);
        EXPECT_EQ(c.right, s.W - 4);
        EXPECT_EQ(c.bottom, s.H - 4);
        EXPECT_EQ(f.Frame->FrameClientRect.right, s.W - 4);
        EXPECT_EQ(f.Frame->FrameClientRect.bottom, s.H - 4);
    }
}

TEST(FrameWindow, DefaultFrameWithoutSkinLeavesCaptionAndBorders)
{
    FramedForm f(nullptr, 40, 40, 300, 200);
    const TRect c = f.ClientInWindow();
    EXPECT_EQ(c.left, 3);
    EXPECT_EQ(c.top, 19 + 3);
    EXPECT_EQ(c.right, 300 - 3);
    EXPECT_EQ(c.bottom, 200 - 3);
    // The native caption style is gone: the system draws no caption of its own.
    EXPECT_EQ(GetWindowLongA(f.Wnd(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST(FrameWindow, SkinSmallerThanTheWindowCannotShrinkTheClientBelowNothing)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    TRect r(0, 0, 6, 10);   // smaller than the frame itself
    f.Frame->CalcNCClientRect(r);
    EXPECT_GE(r.right, r.left);
    EXPECT_GE(r.bottom, r.top);
}

TEST(FrameWindow, HitTestTable)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    const struct {
        int X, Y;
        LRESULT Code;
    } table[] = {
        {150, 100, HTCLIENT},      {4, 24, HTCLIENT},         {295, 195, HTCLIENT},
        // Sizing only within the border width (3) of where the mask ends.
        {297, 100, HTRIGHT},       {296, 100, HTOBJECT_FRAME}, {1, 100, HTLEFT},
        {3, 100, HTOBJECT_FRAME},  {150, 1, HTTOP},           {150, 198, HTBOTTOM},
        {1, 5, HTTOPLEFT},         {298, 5, HTTOPRIGHT},      {1, 195, HTBOTTOMLEFT},
        {298, 195, HTBOTTOMRIGHT},
        // The caption object moves the window; the frame beside it does neither.
        {150, 12, HTCAPTION},      {50, 12, HTCAPTION},       {10, 12, HTOBJECT_FRAME},
    };
    for (const auto& t : table) EXPECT_EQ(f.HitTest(t.X, t.Y), t.Code) << t.X << "," << t.Y;
    // A point exactly on the client rectangle's right edge is not client.
    EXPECT_NE(f.HitTest(296, 100), HTCLIENT);
    EXPECT_EQ(f.HitTest(295, 100), HTCLIENT);

    // Not sizeable: no sizing code anywhere.
    f.Frame->Sizeable = false;
    for (const auto& t : table) {
        if (t.Code != HTCLIENT && t.Code != HTCAPTION) {
            EXPECT_EQ(f.HitTest(t.X, t.Y), HTOBJECT_FRAME) << t.X << "," << t.Y;
        }
    }
}

TEST(FrameWindow, HitTestWithoutMaskUsesTheWindowEdge)
{
    auto skin = NewSkin();
    skin->Mask.reset(new TBitmap);
    FramedForm f(skin.get(), 40, 40, 300, 200);
    EXPECT_EQ(f.HitTest(2, 100), HTLEFT);
    EXPECT_EQ(f.HitTest(3, 100), HTOBJECT_FRAME);   // beyond the border width of 3
    EXPECT_EQ(f.HitTest(297, 100), HTRIGHT);
    EXPECT_EQ(f.Frame->GetWindowRegion(), nullptr);
}

TEST(FrameWindow, DefaultFrameHitTest)
{
    FramedForm f(nullptr, 40, 40, 300, 200);
    EXPECT_EQ(f.HitTest(0, 0), HTTOPLEFT);
    EXPECT_EQ(f.HitTest(299, 199), HTBOTTOMRIGHT);
    EXPECT_EQ(f.HitTest(1, 100), HTLEFT);
    EXPECT_EQ(f.HitTest(150, 100), HTCLIENT);
    EXPECT_EQ(f.HitTest(60, 10), HTCAPTION);
}

// The region is the mask mapped by the eight-point model: the 3 x 3 notches
// stay in the window's corners, everything else of the window is inside.
TEST(FrameWindow, RegionIsTheMaskMappedAtEverySize)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    for (const Size& s : kSizes) {
        SCOPED_TRACE(std::to_string(s.W) + "x" + std::to_string(s.H));
        f.Form->SetBounds(40, 40, s.W, s.H);
        PumpUntilIdle();
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(f.Wnd(), rgn), ERROR);
        const struct {
            int X, Y;
            bool In;
        } probes[] = {{0, 0, false},         {2, 2, false},         {3, 0, true},          {0, 3, true},
                      {s.W - 1, 0, false},   {s.W - 3, 2, false},   {s.W - 4, 0, true},    {0, s.H - 1, false},
                      {s.W - 1, s.H - 1, false}, {s.W - 4, s.H - 1, true}, {s.W / 2, 0, true}, {s.W / 2, s.H / 2, true},
                      {s.W - 1, s.H / 2, true}, {s.W / 2, s.H - 1, true}, {s.W, s.H / 2, false}};
        for (const auto& p : probes) EXPECT_EQ(PtInRegion(rgn, p.X, p.Y) != 0, p.In) << p.X << "," << p.Y;
        // Our own copy matches what the window holds.
        ASSERT_NE(f.Frame->GetWindowRegion(), nullptr);
        EXPECT_TRUE(EqualRgn(rgn, f.Frame->GetWindowRegion()));
        DeleteObject(rgn);
    }
}

TEST(FrameWindow, PaintedPiecesLandWhereTheModelPutsThem)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    f.Frame->AlwaysActive = true;
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    auto shot = f.Shot();
    SaveArtefact(shot.get(), "frame-fixture-active");
    const struct {
        int X, Y;
        TColor C;
    } probes[] = {{10, 10, cTopLeft},   {150, 10, cTop},        {290, 10, cTopRight}, {2, 100, cLeft},
                  {297, 100, cRight},   {10, 198, cBottomLeft}, {150, 198, cBottom},  {290, 198, cBottomRight},
                  {25, 12, cTop},       {275, 12, cTop},        {150, 100, cClient}, {10, 190, cClient}};
    for (const auto& p : probes) EXPECT_EQ(Probe(shot.get(), p.X, p.Y), p.C) << p.X << "," << p.Y;
}

// Caption buttons laid out along the caption rectangle when the skin has no
// buttons rectangle: the first button ends where the stretched caption ends,
// and the caption object ends where the leftmost button begins.
TEST(FrameWindow, CaptionButtonsLaidOutAlongTheCaption)
{
    auto skin = NewSkin();
    skin->CaptionRect = TRect(2, 4, 94, 19);
    skin->ActivePictures.push_back(NewPicture(60, 20, 0x00FF00));
    for (const auto& b : {std::make_pair("closebutton", cmClose), std::make_pair("maxbutton", cmMaximize)}) {
        auto r = std::make_unique<TspDataSkinStdButton>(b.first);
        r->Command = b.second;
        r->SkinRectInAPicture = true;
        r->ActivePictureIndex = 0;
        r->SkinRect = TRect(0, 0, 15, 15);
        skin->ObjectList.push_back(std::move(r));
    }
    FramedForm f(skin.get(), 40, 40, 300, 200);
    f.Frame->CalcRects();
    f.Frame->CalcAllRealObjectRect();
    TspFormFrame* fr = f.Frame;
    const TRect close = fr->GetObjectRect(fr->GetIndex("closebutton"));
    const TRect max = fr->GetObjectRect(fr->GetIndex("maxbutton"));
    const TRect caption = fr->GetObjectRect(fr->GetIndex("caption"));
    EXPECT_EQ(close.right, 294);
    EXPECT_EQ(close.left, 279);
    EXPECT_EQ(close.top, 4);
    EXPECT_EQ(max.right, 279);
    EXPECT_EQ(caption.right, max.left);
    // Each button is hit-tested as an object, not as caption.
    EXPECT_EQ(f.HitTest(286, 10), HTOBJECT_FRAME);
    EXPECT_EQ(f.HitTest(100, 10), HTCAPTION);
}

TEST(FrameWindow, InactiveFrameTakesTheSkinsInactiveEffect)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    f.Frame->AlwaysActive = false;
    FramedForm other(nullptr, 400, 40, 200, 150);
    SetActiveWindow(other.Wnd());
    PumpUntilIdle();
    ASSERT_FALSE(f.Frame->GetFormActive());
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    auto shot = f.Shot();
    SaveArtefact(shot.get(), "frame-fixture-inactive");
    EXPECT_EQ(Probe(shot.get(), 10, 10), Invert(cTopLeft));
    EXPECT_EQ(Probe(shot.get(), 150, 10), Invert(cTop));
    EXPECT_EQ(Probe(shot.get(), 150, 198), Invert(cBottom));

    // A skin with an inactive picture and no automatic rendering shows that picture as it is.
    skin->AutoRenderingInActiveImage = false;
    skin->InActivePicture = NewPicture(PicW, PicH, 0x123456);
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    shot = f.Shot();
    EXPECT_EQ(Probe(shot.get(), 150, 10), static_cast<TColor>(0x123456));
}

TEST(FrameWindow, CaptionTextChangeKeepsTheSkinnedFrameOnScreen)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    f.Frame->AlwaysActive = true;
    SetWindowTextA(f.Wnd(), "Another caption");
    SendMessageA(f.Wnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    SendMessageA(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
    SendMessageA(f.Wnd(), WM_NCACTIVATE, TRUE, 0);
    PumpUntilIdle();
    auto shot = f.Shot();
    EXPECT_EQ(Probe(shot.get(), 150, 10), cTop);
    EXPECT_EQ(Probe(shot.get(), 10, 10), cTopLeft);
    // The text and icon were stored, and the window stayed visible throughout.
    char text[64] = {};
    GetWindowTextA(f.Wnd(), text, sizeof(text));
    EXPECT_STREQ(text, "Another caption");
    EXPECT_NE(SendMessageA(f.Wnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_TRUE(IsWindowVisible(f.Wnd()));
}

// With the frame's own painting held back (a frame below its minimum size is
// not painted), text, icon and activation changes leave the frame as it was:
// nothing of the system's caption shows.
TEST(FrameWindow, SystemPaintsNoCaptionOfItsOwn)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    f.Frame->AlwaysActive = true;
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    f.Frame->MinWidth = 1000;
    SetWindowTextA(f.Wnd(), "Text while the frame is held");
    SendMessageA(f.Wnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    SendMessageA(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
    auto shot = f.Shot();
    EXPECT_EQ(Probe(shot.get(), 150, 10), cTop);
    EXPECT_EQ(Probe(shot.get(), 60, 10), cTop);
    f.Frame->MinWidth = 0;
}

TEST(FrameWindow, DefaultFrameLongCaptionEndsInDots)
{
    FramedForm f(nullptr, 40, 40, 150, 120, std::string(40, 'W'));
    TBitmap b(10, 10, pf24bit);
    b.GetCanvas()->GetFont()->Assign(f.Frame->GetDefCaptionFont());
    std::string text(40, 'W');
    const int width = f.Frame->GetDefCaptionRect().Width() + 3;
    TspFormFrame::CorrectCaptionText(b.GetCanvas(), text, width);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_LE(b.GetCanvas()->TextWidth(text), width);
    std::string none = "WWW";
    TspFormFrame::CorrectCaptionText(b.GetCanvas(), none, 1);
    EXPECT_EQ(none, "...");

    auto shot = f.Shot();
    SaveArtefact(shot.get(), "frame-default-long-caption");
    // The default frame: outer ring, face, and the caption's stripes at the ends.
    EXPECT_EQ(Probe(shot.get(), 0, 60), static_cast<TColor>(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_EQ(Probe(shot.get(), 149, 60), static_cast<TColor>(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(Probe(shot.get(), 2, 60), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(FrameWindow, MoveLoopFlagIsClearedWhenTheLoopEnds)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    SendMessageA(f.Wnd(), WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_TRUE(f.Frame->InSizeMove);
    SendMessageA(f.Wnd(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(f.Frame->InSizeMove);
}

TEST(FrameWindow, MinimumTrackingSizeIsTheFrameWithoutClient)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    MINMAXINFO mmi{};
    SendMessageA(f.Wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, PicW);
    EXPECT_EQ(mmi.ptMinTrackSize.y, PicH - 52);
    // A window set smaller grows back to the skin's minimum at a skin change.
    f.Form->SetBounds(40, 40, 50, 20);
    f.Frame->SetSkinData(skin.get());
    EXPECT_EQ(f.Form->GetWidth(), PicW);
    EXPECT_EQ(f.Form->GetHeight(), PicH - 52);
}

TEST(FrameWindow, FrameGoneGivesTheFormItsProcedureBack)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 40, 40, 300, 200);
    delete f.Frame;
    f.Frame = nullptr;
    // The form's own handling again: its non-client area is the system's.
    SetWindowPos(f.Wnd(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    const TRect c = f.ClientInWindow();
    EXPECT_NE(c.top, 24);
    EXPECT_EQ(Formframe::GetFormFrameComponent(f.Form.get()), nullptr);
}

TEST(FrameWindow, TwoFramesOnOneFormOnlyTheFirstIsFound)
{
    TForm form(nullptr);
    auto* first = new TspFormFrame(&form);
    auto* second = new TspFormFrame(&form);
    EXPECT_EQ(Formframe::GetFormFrameComponent(&form), first);
    delete second;
}

}  // namespace
