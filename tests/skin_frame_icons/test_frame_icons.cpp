// The caption buttons a skinned frame shows follow its border icons: a button
// whose command the form does not offer is neither drawn nor hit, the ones left
// close up from the right edge, and a later change of the icons redraws them.
// Checked on a fixture skin (buttons cut from an active picture, one flat
// colour each) and on our shipped skins, whatever the order in which a form
// sets its icons and its skin (the skinned dialogs set the icons first).
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"
#include <algorithm>
#include <map>
#include <vector>

using namespace FrameFixture;

namespace {

const TColor cCloseImg = 0x2020E0, cMaxImg = 0x3060A0, cMinImg = 0xA06030, cRollImg = 0x60A030;
const int Bs = 8;

// The fixture frame plus in-picture caption buttons lined up in a buttons
// rectangle in the top-right corner zone.
std::unique_ptr<TspSkinData> NewIconSkin()
{
    auto d = NewSkin();
    d->ButtonsRect = TRect(62, 6, 98, 14);
    auto act = NewPicture(4 * Bs, Bs, 0);
    const TColor looks[] = {cCloseImg, cMaxImg, cMinImg, cRollImg};
    for (int i = 0; i < 4; ++i) Paint(act.get(), TRect(i * Bs, 0, (i + 1) * Bs, Bs), looks[i]);
    d->ActivePictures.push_back(std::move(act));
    auto button = [&](const char* Name, int Slot, TStdCommand Command) {
        auto r = std::make_unique<TspDataSkinStdButton>(Name);
        r->SkinRectInAPicture = true;
        r->SkinRect = r->ActiveSkinRect = r->DownRect = TRect(Slot * Bs, 0, (Slot + 1) * Bs, Bs);
        r->ActivePictureIndex = 0;
        r->Command = Command;
        d->ObjectList.push_back(std::move(r));
    };
    button("closebutton", 0, cmClose);
    button("maxbutton", 1, cmMaximize);
    button("minbutton", 2, cmMinimize);
    button("rollupbutton", 3, cmRollUp);
    return d;
}

// A form whose frame gets its icons before or after its skin, then is shown.
struct IconForm {
    std::unique_ptr<TForm> Form;
    TspFormFrame* Frame = nullptr;

    IconForm(TspSkinData* Skin, TspBorderIcons Icons, bool IconsFirst, int W = 300, int H = 200)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBounds(60, 60, W, H);
        Form->SetCaption("Icons");
        Frame = new TspFormFrame(Form.get());
        Frame->AlwaysActive = true;
        if (IconsFirst) Frame->SetBorderIcons(Icons);
        Frame->SetSkinData(Skin);
        if (!IconsFirst) Frame->SetBorderIcons(Icons);
        Form->Show();
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        PumpUntilIdle();
    }
    HWND Wnd() { return Form->GetHandle(); }
    TspActiveSkinObject* Object(const std::string& Name) { return Frame->GetObject(Frame->GetIndex(Name)); }
    std::unique_ptr<TBitmap> Shot()
    {
        RECT w;
        GetWindowRect(Wnd(), &w);
        auto b = NewPicture(w.right - w.left, w.bottom - w.top, 0xFF00FF);
        HDC dc = GetWindowDC(Wnd());
        BitBlt(b->GetCanvas()->GetHandle(), 0, 0, b->GetWidth(), b->GetHeight(), dc, 0, 0, SRCCOPY);
        ReleaseDC(Wnd(), dc);
        return b;
    }
};

// Slot n of the buttons row on a 300-wide window: the row's right edge (98)
// follows the window's right edge.
TRect Slot(int N) { return TRect(298 - (N + 1) * Bs, 6, 298 - N * Bs, 14); }
TPoint Centre(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }
// What the bare frame shows at a caption-band point of a 300-wide window.
TColor Band(int X) { return X >= 300 - (PicW - 80) ? cTopRight : cTop; }

struct Case {
    const char* Name;
    TspBorderIcons Icons;
    std::vector<std::pair<const char*, TColor>> Shown;   // in slot order from the right
    std::vector<const char*> Hidden;
};

const Case Cases[] = {
    {"none", 0, {{"closebutton", cCloseImg}}, {"maxbutton", "minbutton", "rollupbutton"}},
    {"menu and minimise", biSystemMenu | biMinimize, {{"closebutton", cCloseImg}, {"minbutton", cMinImg}},
     {"maxbutton", "rollupbutton"}},
    {"default", biSystemMenu | biMinimize | biMaximize | biRollUp,
     {{"closebutton", cCloseImg}, {"maxbutton", cMaxImg}, {"minbutton", cMinImg}, {"rollupbutton", cRollImg}},
     {}},
};

void Expect(IconForm& F, const Case& C)
{
    auto shot = F.Shot();
    int slot = 0;
    for (const auto& s : C.Shown) {
        SCOPED_TRACE(s.first);
        TspActiveSkinObject* o = F.Object(s.first);
        ASSERT_TRUE(o);
        EXPECT_TRUE(o->Visible);
        EXPECT_TRUE(o->Enabled);
        EXPECT_EQ(o->ObjectRect, Slot(slot));
        const TPoint p = Centre(Slot(slot));
        EXPECT_EQ(Probe(shot.get(), p.x, p.y), s.second);
        // The pointer over it finds it.
        F.Frame->TestActive(p.x, p.y, true);
        EXPECT_EQ(F.Frame->ActiveObject, F.Frame->GetIndex(s.first));
        ++slot;
    }
    for (const char* name : C.Hidden) {
        SCOPED_TRACE(name);
        TspActiveSkinObject* o = F.Object(name);
        ASSERT_TRUE(o);
        EXPECT_FALSE(o->Visible);
        EXPECT_FALSE(o->Enabled);
    }
    // The slots no button takes show the bare caption band.
    for (; slot < 4; ++slot) {
        const TPoint p = Centre(Slot(slot));
        EXPECT_EQ(Probe(shot.get(), p.x, p.y), Band(p.x)) << "slot " << slot;
        F.Frame->TestActive(p.x, p.y, true);
        EXPECT_EQ(F.Frame->ActiveObject, -1) << "slot " << slot;
    }
    F.Frame->TestActive(-1, -1, true);
}

TEST(FrameIcons, FixtureSkinShowsOnlyTheOfferedButtons)
{
    auto skin = NewIconSkin();
    for (const Case& c : Cases)
        for (bool iconsFirst : {true, false}) {
            SCOPED_TRACE(std::string(c.Name) + (iconsFirst ? ", icons before the skin" : ", icons after the skin"));
            IconForm f(skin.get(), c.Icons, iconsFirst);
            Expect(f, c);
        }
}

TEST(FrameIcons, FixtureSkinFollowsALaterChangeOfTheIcons)
{
    auto skin = NewIconSkin();
    IconForm f(skin.get(), 0, true);
    Expect(f, Cases[0]);
    for (const Case& c : {Cases[1], Cases[2], Cases[0]}) {
        SCOPED_TRACE(c.Name);
        f.Frame->SetBorderIcons(c.Icons);
        PumpUntilIdle();
        Expect(f, c);
    }
}

TEST(FrameIcons, FixtureSkinChangeKeepsTheIcons)
{
    auto skin = NewIconSkin(), other = NewIconSkin();
    IconForm f(skin.get(), biSystemMenu | biMinimize, true);
    f.Frame->SetSkinData(other.get());
    PumpUntilIdle();
    Expect(f, Cases[1]);
}

#ifdef SKINS_DIR
// Our skins: every caption button but the system-menu one is cut from the frame
// strip, so a form without an icon shows the bare caption band where the
// button would be. Screenshots: artefacts/frame-icons-<skin>-<case>.bmp.
TEST(FrameIcons, ShippedSkinsShowOnlyTheOfferedButtons)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        // Where each button sits when every icon is offered, and what it shows there.
        const TspBorderIcons all = biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;
        IconForm f(skin.get(), all, true, 420, 300);
        std::map<std::string, TRect> places;
        std::map<std::string, TColor> looks;
        auto full = f.Shot();
        SaveArtefact(full.get(), std::string("frame-icons-") + name + "-all");
        for (const char* b : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton"}) {
            TspActiveSkinObject* o = f.Object(b);
            ASSERT_TRUE(o) << b;
            EXPECT_TRUE(o->Visible && o->Enabled) << b;
            EXPECT_TRUE(o->skinrectinapicture) << b;
            places[b] = o->ObjectRect;
        }
        // The bare band of the picture at a window point of the buttons' corner.
        TBitmap* pic = skin->Picture.get();
        const bool left = skin->ButtonsInLeft;
        auto bare = [&](const TPoint& P) {
            const int px = left ? P.x : pic->GetWidth() - (420 - P.x);
            return TColor(pic->GetCanvas()->GetPixel(px, P.y) & 0xFFFFFF);
        };
        for (const auto& pl : places) {
            const TPoint p = Centre(pl.second);
            looks[pl.first] = Probe(full.get(), p.x, p.y);
        }

        struct ShippedCase {
            const char* Name;
            TspBorderIcons Icons;
            std::vector<const char*> Shown;
        };
        const ShippedCase cases[] = {{"none", 0, {"closebutton"}},
                                     {"minimise", biSystemMenu | biMinimize, {"closebutton", "minbutton"}}};
        for (const ShippedCase& c : cases) {
            SCOPED_TRACE(c.Name);
            f.Frame->SetBorderIcons(c.Icons);
            PumpUntilIdle();
            auto shot = f.Shot();
            SaveArtefact(shot.get(), std::string("frame-icons-") + name + "-" + c.Name);
            // The shown buttons close up: close stays, the next one takes the second place.
            int slot = 0;
            const std::vector<std::string> order = {"closebutton", "maxbutton", "minbutton", "rollupbutton",
                                                    "traybutton"};
            for (const std::string& b : order) {
                TspActiveSkinObject* o = f.Object(b);
                const bool shown = std::find(c.Shown.begin(), c.Shown.end(), b) != c.Shown.end();
                EXPECT_EQ(o->Visible, shown) << b;
                EXPECT_EQ(o->Enabled, shown) << b;
                if (!shown) continue;
                EXPECT_EQ(o->ObjectRect, places[order[slot]]) << b;
                const TPoint p = Centre(o->ObjectRect);
                EXPECT_EQ(Probe(shot.get(), p.x, p.y), looks[b]) << b;
                ++slot;
            }
            // The places left over show the frame picture's caption band, not a button.
            for (; slot < int(order.size()); ++slot) {
                const TPoint p = Centre(places[order[slot]]);
                EXPECT_EQ(Probe(shot.get(), p.x, p.y), bare(p)) << "place " << slot;
                f.Frame->TestActive(p.x, p.y, true);
                EXPECT_EQ(f.Frame->ActiveObject, -1) << "place " << slot;
            }
            f.Frame->TestActive(-1, -1, true);
        }
    }
}
#endif

}  // namespace
