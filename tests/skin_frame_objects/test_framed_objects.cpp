// The objects on a real framed window: caption buttons and the caption drawn on
// the window's frame, and the caption buttons run by non-client mouse messages.
// A screenshot of the framed window is saved under artefacts/.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"
#include "WaitUntil.h"

using namespace FrameFixture;

namespace {

// Button looks: the normal ones lie in the form picture's top-right corner, the
// hover and pressed ones in the active picture.
const TColor cMax = 0x3060A0, cClose = 0x2020E0, cHot = 0x20E0E0, cPressed = 0xE02020;
const TRect MaxRect(81, 6, 89, 14), CloseRect(90, 6, 98, 14);

std::unique_ptr<TspSkinData> NewObjectSkin(bool Morphing = false)
{
    auto d = NewSkin();
    Paint(d->Picture.get(), MaxRect, cMax);
    Paint(d->Picture.get(), CloseRect, cClose);
    auto act = NewPicture(16, 8, 0);
    Paint(act.get(), TRect(0, 0, 8, 8), cHot);
    Paint(act.get(), TRect(8, 0, 16, 8), cPressed);
    d->ActivePictures.push_back(std::move(act));
    auto button = [&](const char* Name, const TRect& R, TStdCommand Command) {
        auto r = std::make_unique<TspDataSkinStdButton>(Name);
        r->SkinRect = R;
        r->ActivePictureIndex = 0;
        r->ActiveSkinRect = TRect(0, 0, 8, 8);
        r->DownRect = TRect(8, 0, 16, 8);
        r->Command = Command;
        r->Morphing = Morphing;
        d->ObjectList.push_back(std::move(r));
    };
    button("maxbutton", MaxRect, cmMaximize);
    button("closebutton", CloseRect, cmClose);
    return d;
}

struct Framed : FramedForm {
    explicit Framed(TspSkinData* Skin) : FramedForm(Skin, 40, 40, 300, 200, "Objects on a frame")
    {
        Frame->AlwaysActive = true;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        PumpUntilIdle();
    }
    TspActiveSkinObject* Object(const std::string& Name) { return Frame->GetObject(Frame->GetIndex(Name)); }
    POINT ScreenCentre(const std::string& Name)
    {
        const TRect r = Object(Name)->ObjectRect;
        RECT w;
        GetWindowRect(Wnd(), &w);
        return {w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
    }
    void Send(UINT Msg, const POINT& P) { SendMessageA(Wnd(), Msg, HTOBJECT_FRAME, MAKELPARAM(P.x, P.y)); }
    TColor Shown(const std::string& Name)
    {
        const TRect r = Object(Name)->ObjectRect;
        return Probe(Shot().get(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

TEST(FramedObjects, ButtonsAndCaptionOnTheFrame)
{
    auto skin = NewObjectSkin();
    Framed f(skin.get());
    ASSERT_TRUE(f.Object("closebutton") && f.Object("maxbutton") && f.Object("caption"));
    // The top-right corner keeps its place at the window's right edge.
    EXPECT_EQ(f.Object("closebutton")->ObjectRect.right, 300 - 2);
    auto shot = f.Shot();
    SaveArtefact(shot.get(), "frame-objects");
    EXPECT_EQ(f.Shown("closebutton"), cClose);
    EXPECT_EQ(f.Shown("maxbutton"), cMax);
    // The caption's text lies on the top edge.
    const TRect c = f.Object("caption")->ObjectRect;
    int ink = 0;
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x)
            if (Probe(shot.get(), x, y) != cTop) ++ink;
    EXPECT_GT(ink, 10);
}

TEST(FramedObjects, CaptionButtonsRunByMouseMessages)
{
    auto skin = NewObjectSkin();
    Framed f(skin.get());
    ASSERT_TRUE(f.Object("maxbutton"));
    POINT p = f.ScreenCentre("maxbutton");
    SetCursorPos(p.x, p.y);   // the frame's pointer polling sees the pointer on the button
    f.Send(WM_NCMOUSEMOVE, p);
    f.Send(WM_NCLBUTTONDOWN, p);
    EXPECT_EQ(f.Shown("maxbutton"), cPressed);
    f.Send(WM_NCLBUTTONUP, p);
    PumpUntilIdle();
    EXPECT_EQ(f.Frame->GetWindowState(), fwsMaximized);
    // And back.
    p = f.ScreenCentre("maxbutton");
    SetCursorPos(p.x, p.y);
    f.Send(WM_NCLBUTTONDOWN, p);
    f.Send(WM_NCLBUTTONUP, p);
    PumpUntilIdle();
    EXPECT_EQ(f.Frame->GetWindowState(), fwsNormal);

    int closes = 0;
    f.Form->OnCloseQuery = [&](TObject*, bool& CanClose) {
        ++closes;
        CanClose = false;
    };
    p = f.ScreenCentre("closebutton");
    SetCursorPos(p.x, p.y);
    f.Send(WM_NCLBUTTONDOWN, p);
    f.Send(WM_NCLBUTTONUP, p);
    EXPECT_EQ(closes, 1);
    // Pressed, then released away from the button: nothing runs.
    f.Send(WM_NCLBUTTONDOWN, p);
    SetCursorPos(p.x - 200, p.y + 100);
    POINT away = {p.x - 200, p.y + 100};
    f.Send(WM_NCMOUSEMOVE, away);
    PumpFor(150);   // the frame's mouse timer sees the cursor away from the button
    f.Send(WM_NCLBUTTONUP, away);
    EXPECT_EQ(closes, 1);
}

TEST(FramedObjects, HoverFadesInAndOutOnTheFramesTimers)
{
    auto skin = NewObjectSkin(true);
    Framed f(skin.get());
    ASSERT_TRUE(f.Object("maxbutton"));
    const POINT p = f.ScreenCentre("maxbutton");
    SetCursorPos(p.x, p.y);
    RECT w;
    GetWindowRect(f.Wnd(), &w);
    // The first hit on an object starts the frame's pointer polling.
    EXPECT_EQ(f.HitTest(p.x - w.left, p.y - w.top), HTOBJECT_FRAME);
    EXPECT_TRUE(PumpUntil([&] { return f.Shown("maxbutton") == cHot; }, 3000));
    EXPECT_EQ(f.Object("maxbutton")->MorphKf, 1.0);
    SetCursorPos(w.left + 150, w.top + 120);
    EXPECT_TRUE(PumpUntil([&] { return f.Shown("maxbutton") == cMax; }, 3000));
    EXPECT_EQ(f.Object("maxbutton")->MorphKf, 0.0);
    EXPECT_TRUE(PumpUntil([&] { return !f.Frame->GetMorphingTimer()->GetEnabled(); }, 3000));
}

}  // namespace
