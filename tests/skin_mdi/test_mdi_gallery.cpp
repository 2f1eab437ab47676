// The MDI program with our two skins and with none: three tiled children, then
// one of them maximised (its buttons in the menu bar), shot from the screen and
// saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "MdiScene.h"
#include "SkinControls.h"

using namespace MdiScene;

namespace {

std::unique_ptr<TBitmap> Shoot(Scene& S, const std::string& Name)
{
    return CtlFixture::RepaintedShot(S.Main, "mdi-" + Name);
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

// The gallery's three children, the pointer out of the way; the last one, which
// is active, is returned.
TForm* AddChildren(Scene& S)
{
    SetCursorPos(5, 5);
    S.AddChild("Camera");
    S.AddChild("Chat");
    return S.AddChild("Visitors");
}

TEST(MdiGallery, BothSkinsAndWithout)
{
    Scene& S = TheScene();
    TForm* log = AddChildren(S);
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

// A point of a framed form's left border, in the main form's window, and the
// colour it should show there.
CtlFixture::TColourProbe BorderOf(TForm* F, TForm* Main, TspSkinData* D, TColor Want)
{
    RECT w, m;
    GetWindowRect(F->GetHandle(), &w);
    GetWindowRect(Main->GetHandle(), &m);
    return {"form border", nullptr, TPoint(w.left - m.left + D->ClientRect.left / 2, w.top - m.top + (w.bottom - w.top) / 2),
            Want};
}

// Drawn with a flat copy of each skin (SkinKit::Flatten) whose form pictures
// are painted one colour each and whose tab images and tab background are
// painted colours of their own: the menu bar's end shows its own element, each
// child's tab the tab image (the active child's the active tab image), the bar
// past the tabs the tab background, and the frames of the main form and of
// the active child the form picture, the other children's frames the inactive
// form picture (where the skin has one: otherwise an effect renders them).
TEST(MdiGallery, EachPartDrawsItsOwnLook)
{
    Scene& S = TheScene();
    TForm* log = AddChildren(S);
    const TColor frame = CtlFixture::FlatColour(1000), inactive = CtlFixture::FlatColour(1001),
                 tab = CtlFixture::FlatColour(1002), active = CtlFixture::FlatColour(1003),
                 hot = CtlFixture::FlatColour(1004), background = CtlFixture::FlatColour(1005);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = CtlFixture::LoadSkin(name);
        ASSERT_TRUE(skin);
        CtlFixture::Flatten(skin.get());
        TspSkinData* d = skin.get();
        for (auto [pic, colour] : {std::pair<TBitmap*, TColor>{d->Picture.get(), frame}, {d->InActivePicture.get(), inactive}})
            if (pic && !pic->Empty()) CtlFixture::Paint(pic, TRect(0, 0, pic->GetWidth(), pic->GetHeight()), colour);
        const auto* rec = dynamic_cast<const TspDataSkinTabControl*>(d->ControlRecord(d->GetControlIndex("tab")));
        ASSERT_NE(rec, nullptr);
        TBitmap* tabs = d->ActivePictures[rec->PictureIndex].get();
        CtlFixture::Paint(tabs, rec->TabLooks[tabNormal], tab);
        CtlFixture::Paint(tabs, rec->TabLooks[tabActive], active);
        CtlFixture::Paint(tabs, rec->TabLooks[tabMouseIn], hot);
        CtlFixture::Paint(tabs, rec->TabsBGRect, background);
        S.Bind(d);
        S.Frame->Tile();
        PumpUntilIdle();
        auto shot = Shoot(S, std::string("flat-") + name);
        ASSERT_EQ(S.Tabs->TabCount(), 3);
        S.Tabs->CalcObjectRects();
        auto tabAt = [&](int I, TColor Want) {
            const TRect& r = S.Tabs->GetTabByIndex(I)->ObjectRect;
            return CtlFixture::TColourProbe{"tab", S.Tabs, TPoint(r.left + 1, r.top + 1), Want};
        };
        const TRect last = S.Tabs->GetTabByIndex(2)->ObjectRect;
        ASSERT_LT(last.right, S.Tabs->GetWidth() - 2);
        std::vector<CtlFixture::TColourProbe> probes = {
            {"menu bar", S.MenuBar, TPoint(0, S.MenuBar->GetHeight() / 2), CtlFixture::FlatColourOf(d, "mainmenubar")},
            tabAt(0, tab), tabAt(1, tab), tabAt(2, active),
            {"tabs background", S.Tabs, TPoint(S.Tabs->GetWidth() - 2, S.Tabs->GetHeight() / 2), background},
            BorderOf(S.Main, S.Main, d, frame), BorderOf(log, S.Main, d, frame)};
        EXPECT_TRUE(S.Frame->GetFormActive());
        EXPECT_TRUE(Scene::FrameOf(log)->GetFormActive());
        if (d->InActivePicture && !d->InActivePicture->Empty())
            for (TForm* c : S.Children)
                if (c != log) {
                    EXPECT_FALSE(Scene::FrameOf(c)->GetFormActive());
                    probes.push_back(BorderOf(c, S.Main, d, inactive));
                }
        CtlFixture::ExpectColours(shot.get(), S.Main, probes);
        S.Bind(nullptr);
    }
    S.Clear();
}

}  // namespace
