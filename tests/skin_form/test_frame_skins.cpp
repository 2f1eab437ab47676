// A framed test form with each of our two skins: screenshots saved as
// artefacts/frame-<skin>.bmp, and probes that the frame's corners show the
// skin picture's corners wherever the mask keeps the pixel and no object
// covers it; then a live change from one skin to the other.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"

using namespace FrameFixture;

namespace {

bool UnderObject(TspSkinData* Skin, int X, int Y)
{
    auto touches = [&](const TRect& s) { return X >= s.left - 1 && X <= s.right && Y >= s.top - 1 && Y <= s.bottom; };
    // Caption buttons cut from another picture are lined up in the buttons rectangle.
    if (touches(Skin->ButtonsRect)) return true;
    for (const auto& r : Skin->ObjectList)
        if (touches(r->SkinRect)) return true;
    return false;
}

bool InMask(TspSkinData* Skin, int X, int Y)
{
    TBitmap* m = Skin->Mask.get();
    if (!m || m->Empty()) return true;
    return (m->GetCanvas()->GetPixel(X, Y) & 0xFFFFFF) == 0;
}

// Compares the window's four corner zones with the picture's: a corner stays
// as drawn whatever the window's size.
void ProbeCorners(TspSkinData* Skin, TBitmap* Shot, int& Probed, int& Matched)
{
    TBitmap* pic = Skin->Picture.get();
    const int pw = pic->GetWidth(), ph = pic->GetHeight(), ww = Shot->GetWidth(), wh = Shot->GetHeight();
    const TRect& c = Skin->ClientRect;
    for (int y = 0; y < ph; y += 3)
        for (int x = 0; x < pw; x += 3) {
            const bool left = x < Skin->LTPoint.x, right = x >= Skin->RTPoint.x;
            const bool top = y < c.top, bottom = y >= c.bottom;
            if (!((left || right) && (top || bottom))) continue;
            if (!InMask(Skin, x, y) || UnderObject(Skin, x, y)) continue;
            const int wx = right ? ww - (pw - x) : x, wy = bottom ? wh - (ph - y) : y;
            ++Probed;
            if (Probe(Shot, wx, wy) == (pic->GetCanvas()->GetPixel(x, y) & 0xFFFFFF)) ++Matched;
        }
}

TEST(FrameSkins, BothSkinsFrameAFormAtAnySize)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        FramedForm f(skin.get(), 30, 30, 480, 340, std::string("Framed with ") + name);
        f.Frame->AlwaysActive = true;
        EXPECT_TRUE(f.Frame->SkinLoaded());
        EXPECT_GT(f.Frame->ObjectCount(), 0);
        for (const TRect size : {TRect(0, 0, 480, 340), TRect(0, 0, 640, 420)}) {
            f.Form->SetBounds(30, 30, size.Width(), size.Height());
            PumpUntilIdle();
            SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
            auto shot = f.Shot();
            SaveArtefact(shot.get(), std::string("frame-") + name + "-" + std::to_string(size.Width()));
            int probed = 0, matched = 0;
            ProbeCorners(skin.get(), shot.get(), probed, matched);
            EXPECT_GT(probed, 20);
            EXPECT_GE(matched * 100, probed * 95) << matched << " of " << probed;
            // The client area keeps the skin's frame widths.
            const TRect c = f.ClientInWindow();
            EXPECT_EQ(c.left, skin->ClientRect.left);
            EXPECT_EQ(c.top, skin->ClientRect.top);
            EXPECT_EQ(size.Width() - c.right, skin->Picture->GetWidth() - skin->ClientRect.right);
        }
    }
}

TEST(FrameSkins, InactiveLookDiffersFromTheActiveOne)
{
    auto skin = LoadSkin("Korvel2");
    ASSERT_TRUE(skin);
    FramedForm f(skin.get(), 30, 30, 480, 340, "Inactive");
    f.Frame->AlwaysActive = true;
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    auto active = f.Shot();
    FramedForm other(nullptr, 600, 30, 200, 150);
    f.Frame->AlwaysActive = false;
    SetActiveWindow(other.Wnd());
    PumpUntilIdle();
    ASSERT_FALSE(f.Frame->GetFormActive());
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    auto inactive = f.Shot();
    SaveArtefact(inactive.get(), "frame-Korvel2-inactive");
    const bool look = skin->AutoRenderingInActiveImage || (skin->InActivePicture && !skin->InActivePicture->Empty());
    int differ = 0;
    for (int x = 0; x < 480; x += 4)
        if (Probe(active.get(), x, skin->ClientRect.top / 2) != Probe(inactive.get(), x, skin->ClientRect.top / 2))
            ++differ;
    if (look)
        EXPECT_GT(differ, 5);
    else
        EXPECT_GE(differ, 0);
}

TEST(FrameSkins, LiveChangeFromOneSkinToTheOther)
{
    auto skin = LoadSkin("Korvel2");
    ASSERT_TRUE(skin);
    FramedForm f(skin.get(), 30, 30, 480, 340, "Live change");
    f.Frame->AlwaysActive = true;
    const TRect before = f.ClientInWindow();
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    PumpUntilIdle();
    const TRect after = f.ClientInWindow();
    EXPECT_EQ(after.left, skin->ClientRect.left);
    EXPECT_EQ(after.top, skin->ClientRect.top);
    EXPECT_TRUE(f.Frame->SkinLoaded());
    SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
    auto shot = f.Shot();
    SaveArtefact(shot.get(), "frame-live-change");
    int probed = 0, matched = 0;
    ProbeCorners(skin.get(), shot.get(), probed, matched);
    EXPECT_GE(matched * 100, probed * 95) << matched << " of " << probed;
    (void)before;
}

}  // namespace
