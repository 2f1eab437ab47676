// The menu buttons on a framed form with our two skins and with none: each look
// is saved under artefacts/ for a person to look at, and probed here, closed and
// with the menu of a track-mode button open.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinMenuButtons.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TspSkinPopupMenu* Menu;
    TspSkinMenuButton *Whole, *Track;
    TspSkinMenuSpeedButton *SpeedWhole, *SpeedTrack;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 300, 90);
        Frame = new TspFormFrame(Form.get());
        Menu = new TspSkinPopupMenu(Form.get());
        for (const char* c : {"&Open", "&Save"}) {
            auto* item = new TMenuItem(Menu);
            item->SetCaption(c);
            Menu->GetItems()->Add(item);
        }
        Whole = Place<TspSkinMenuButton>(10, 10, 110, 28, "&Menu");
        Track = Place<TspSkinMenuButton>(130, 10, 110, 28, "&Track");
        Track->SetSkinDataName("toolmenutrackbutton");
        Track->SetTrackButtonMode(true);
        SpeedWhole = Place<TspSkinMenuSpeedButton>(10, 50, 110, 28, "Tools");
        SpeedWhole->SetSkinDataName("toolmenubutton");
        SpeedTrack = Place<TspSkinMenuSpeedButton>(130, 50, 110, 28, "Split");
        SpeedTrack->SetSkinDataName("toolmenutrackbutton");
        SpeedTrack->SetTrackButtonMode(true);
        Form->Show();
        PumpUntilIdle();
    }
    ~Gallery() { TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu()->Hide(); }

    template <class C> C* Place(int X, int Y, int W, int H, const char* Caption)
    {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, Y, W, H);
        c->SetCaption(Caption);
        c->SetSkinPopupMenu(Menu);
        return c;
    }
    void Bind(TspSkinData* D)
    {
        Whole->SetSkinData(D);
        Track->SetSkinData(D);
        SpeedWhole->SetSkinData(D);
        SpeedTrack->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Form->Repaint();
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "menubutton-" + Name);
        return shot;
    }
};

TEST(MenuButtonGallery, BothSkinsAndWithoutClosedAndOpen)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    // Unskinned: the arrow strip of every button carries the dark arrow.
    for (TControl* c : {static_cast<TControl*>(g.Whole), static_cast<TControl*>(g.SpeedTrack)}) {
        int dark = 0;
        for (int y = 0; y < c->GetHeight(); ++y)
            for (int x = c->GetWidth() - MenuTrackWidth; x < c->GetWidth(); ++x)
                if (Probe(plain.get(), c->GetLeft() + x, c->GetTop() + y) ==
                    static_cast<TColor>(GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF))
                    ++dark;
        EXPECT_GT(dark, 3);
    }
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.Whole->Skinned());
        EXPECT_TRUE(g.Track->Skinned());
        EXPECT_TRUE(g.SpeedWhole->Skinned());
        EXPECT_TRUE(g.SpeedTrack->Skinned());
        EXPECT_FALSE(g.Track->TrackButtonRect().IsEmpty());
        auto shot = g.Shoot(name);
        for (TControl* c : {static_cast<TControl*>(g.Whole), static_cast<TControl*>(g.Track),
                            static_cast<TControl*>(g.SpeedWhole), static_cast<TControl*>(g.SpeedTrack)})
            EXPECT_GT(Differ(shot.get(), plain.get(), c), 50);
        // The track part of the track-mode button opens its menu: that part alone takes the down look.
        TRect t = g.SpeedTrack->GetNewTrackButtonRect();
        g.SpeedTrack->Perform(CM_MOUSEENTER, 0, 0);
        auto hot = g.Shoot(std::string(name) + "-hot");
        g.SpeedTrack->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam((t.left + t.right) / 2, (t.top + t.bottom) / 2));
        ASSERT_TRUE(g.SpeedTrack->MenuOpen());
        auto open = g.Shoot(std::string(name) + "-open");
        EXPECT_GT(Differ(open.get(), hot.get(), g.SpeedTrack, t.left), 10);
        EXPECT_EQ(Differ(open.get(), hot.get(), g.SpeedTrack, 0) - Differ(open.get(), hot.get(), g.SpeedTrack, t.left), 0);
        g.SpeedTrack->Perform(WM_LBUTTONUP, 0, PointToLParam(t.left + 2, 5));
        TspSkinMenuMode::ForFrame(g.Frame)->GetSkinMenu()->Hide();
        EXPECT_FALSE(g.SpeedTrack->GetDown());
        g.SpeedTrack->Perform(CM_MOUSELEAVE, 0, 0);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each button shows the
// look of its own record at its left edge and in its arrow strip.
TEST(MenuButtonGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        std::vector<SkinKit::TPieceProbe> probes;
        const struct {
            const char* What;
            TControl* Button;
            const char* Record;
        } buttons[] = {{"menu button", g.Whole, "toolmenubutton"},
                       {"track menu button", g.Track, "toolmenutrackbutton"},
                       {"menu speed button", g.SpeedWhole, "toolmenubutton"},
                       {"track menu speed button", g.SpeedTrack, "toolmenutrackbutton"}};
        for (const auto& b : buttons) {
            probes.push_back({b.What, b.Button, TPoint(1, b.Button->GetHeight() / 2), b.Record});
            probes.push_back({b.What, b.Button, TPoint(b.Button->GetWidth() - 2, 2), b.Record});
        }
        return probes;
    });
}

}  // namespace
