// The MDI program with our two skins and with none: three tiled children, then
// one of them maximised (its buttons in the menu bar), shot from the screen and
// saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "MdiScene.h"

using namespace MdiScene;

namespace {

std::unique_ptr<TBitmap> Shoot(Scene& S, const std::string& Name)
{
    RedrawWindow(S.Main->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    PumpUntilIdle();
    auto shot = CtlFixture::ScreenShot(S.Main);
    CtlFixture::SaveArtefact(shot.get(), "mdi-" + Name);
    return shot;
}

// Pixels of a control's rectangle (in the main form's window) that differ between two shots.
int Differ(TBitmap* A, TBitmap* B, TControl* C)
{
    const TPoint o = C->ClientToScreen(TPoint(0, 0));
    RECT w;
    GetWindowRect(C->GetParent()->GetHandle(), &w);
    int n = 0;
    for (int y = 0; y < C->GetHeight(); ++y)
        for (int x = 0; x < C->GetWidth(); ++x) {
            const int px = o.x - w.left + x, py = o.y - w.top + y;
            if (CtlFixture::Probe(A, px, py) != CtlFixture::Probe(B, px, py)) ++n;
        }
    return n;
}

TEST(MdiGallery, BothSkinsAndWithout)
{
    SetCursorPos(5, 5);
    Scene& S = TheScene();
    S.AddChild("Camera");
    S.AddChild("Chat");
    TForm* log = S.AddChild("Visitors");
    S.Frame->Tile();
    PumpUntilIdle();
    auto plain = Shoot(S, "unskinned");
    // The tab of the active child has the plain look's pressed colour.
    S.Tabs->CalcObjectRects();
    const TRect active = S.Tabs->GetTabByIndex(2)->ObjectRect;
    auto bar = CtlFixture::Snapshot(S.Tabs);
    EXPECT_EQ(CtlFixture::Probe(bar.get(), active.left + 3, 2), static_cast<TColor>(11899781));
    Scene::FrameOf(log)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    Shoot(S, "unskinned-maximised");
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 4);
    Scene::FrameOf(log)->SetWindowState(fwsNormal);
    PumpUntilIdle();
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = CtlFixture::LoadSkin(name);
        ASSERT_TRUE(skin);
        S.Bind(skin.get());
        S.Frame->Tile();
        PumpUntilIdle();
        auto shot = Shoot(S, name);
        EXPECT_GT(Differ(plain.get(), shot.get(), S.MenuBar), S.MenuBar->GetWidth());
        Scene::FrameOf(log)->SetWindowState(fwsMaximized);
        PumpUntilIdle();
        Shoot(S, std::string(name) + "-maximised");
        EXPECT_EQ(S.MenuBar->SystemButtonCount, 4);
        Scene::FrameOf(log)->SetWindowState(fwsNormal);
        PumpUntilIdle();
        S.Bind(nullptr);
    }
    S.Clear();
}

}  // namespace
