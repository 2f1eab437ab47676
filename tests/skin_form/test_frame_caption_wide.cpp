// Our two skins on a window much wider than their form picture: each caption
// button must show exactly once along the caption band (a picture inside the
// repeated stretch would show at every repeat), and the frame's button object
// must sit over that one picture: where the form picture has it, or, for a
// button cut from the frame strip, where the buttons row puts it.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "FrameObjects.h"
#include <set>

using namespace FrameFixture;

namespace {

// The outer ring of a caption button's picture (its bevel's light and dark edges)
// lies at (X, Y) of the shot. The ring is the same whether the button shows its
// normal or its disabled picture (the frame disables buttons whose command the
// form does not offer), and a repeated picture brings its ring along.
bool RingAt(TBitmap* Pic, const TRect& R, TBitmap* Shot, int X, int Y)
{
    const int w = R.Width(), h = R.Height();
    int total = 0, differ = 0;
    auto cmp = [&](int x, int y) {
        ++total;
        if ((Pic->GetCanvas()->GetPixel(R.left + x, R.top + y) & 0xFFFFFF) != Probe(Shot, X + x, Y + y)) ++differ;
    };
    for (int x = 0; x < w; ++x) {
        cmp(x, 0);
        cmp(x, h - 1);
    }
    for (int y = 1; y < h - 1; ++y) {
        cmp(0, y);
        cmp(w - 1, y);
    }
    return differ * 100 <= total * 3;
}

TEST(FrameCaptionWide, CaptionButtonPicturesShowOnceUnderTheirObjects)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        const int width = 720;
        FramedForm f(skin.get(), 30, 30, width, 300, "");
        f.Frame->AlwaysActive = true;
        // Keep the pointer off the caption so no button shows its hot picture.
        SetCursorPos(900, 700);
        PumpUntilIdle();
        SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
        PumpUntilIdle();
        auto shot = f.Shot();
        SaveArtefact(shot.get(), std::string("frame-caption-wide-") + name);
        TBitmap* pic = skin->Picture.get();
        const int pw = pic->GetWidth();
        std::set<int> expected;      // where a picture belongs on the window
        std::set<int> mustShow;      // those the frame draws as they are (not the system-menu icon)
        TRect ring;
        TBitmap* ringPic = nullptr;
        int ringTop = 0;
        for (const auto& rec : skin->ObjectList) {
            auto* button = dynamic_cast<TspDataSkinStdButton*>(rec.get());
            if (!button || button->TypeWord() != std::string("stdbutton")) continue;
            SCOPED_TRACE(button->IDName);
            const TRect r = button->SkinRect;
            TspActiveSkinObject* o = f.Frame->GetObject(f.Frame->GetIndex(button->IDName));
            ASSERT_TRUE(o);
            if (button->SkinRectInAPicture) {
                // Cut from the frame strip: shown where the buttons row puts it, when offered.
                if (!o->Visible) continue;
                expected.insert(o->ObjectRect.left);
                mustShow.insert(o->ObjectRect.left);
                EXPECT_EQ(o->ObjectRect.Width(), r.Width());
                ring = r;
                ringPic = o->ActivePictureBitmap;
                ringTop = o->ObjectRect.top;
                continue;
            }
            // Beside the edge of its half of the picture, as the frame maps it.
            const int at = r.left > pw / 2 ? width - (pw - r.left) : r.left;
            expected.insert(at);
            EXPECT_EQ(o->ObjectRect.left, at);
            EXPECT_EQ(o->ObjectRect.top, r.top);
            EXPECT_EQ(o->ObjectRect.Width(), r.Width());
        }
        ASSERT_GE(mustShow.size(), 4u);
        ASSERT_TRUE(ringPic);
        std::set<int> found;
        for (int x = 0; x + ring.Width() <= width; ++x)
            if (RingAt(ringPic, ring, shot.get(), x, ringTop)) found.insert(x);
        for (int x : found) EXPECT_EQ(expected.count(x), 1u) << "a caption-button picture at x " << x;
        for (int x : mustShow) EXPECT_EQ(found.count(x), 1u) << "no caption-button picture at x " << x;
    }
}

// Nothing else on the frame covers a caption button: every enabled caption
// button of the form picture shows that picture, pixel for pixel, at its place.
TEST(FrameCaptionWide, EnabledCaptionButtonsShowTheirOwnPicture)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        FramedForm f(skin.get(), 30, 30, 720, 300, "");
        f.Frame->AlwaysActive = true;
        SetCursorPos(900, 700);
        PumpUntilIdle();
        SendMessageA(f.Wnd(), WM_NCPAINT, 1, 0);
        PumpUntilIdle();
        auto shot = f.Shot();
        int checked = 0;
        for (int i = 0; i < f.Frame->ObjectCount(); ++i) {
            auto* b = dynamic_cast<TspSkinStdButtonObject*>(f.Frame->GetObject(i));
            if (!b || !b->Enabled || !b->Visible || b->Command == cmSysMenu) continue;
            SCOPED_TRACE(b->IDName);
            const TRect& r = b->skinrect;
            TBitmap* pic = b->skinrectinapicture ? b->ActivePictureBitmap : skin->Picture.get();
            ASSERT_TRUE(pic);
            int total = 0, differ = 0;
            for (int y = 0; y < r.Height(); ++y)
                for (int x = 0; x < r.Width(); ++x) {
                    ++total;
                    if ((pic->GetCanvas()->GetPixel(r.left + x, r.top + y) & 0xFFFFFF) !=
                        Probe(shot.get(), b->ObjectRect.left + x, b->ObjectRect.top + y))
                        ++differ;
                }
            EXPECT_LE(differ * 100, total * 3) << differ << " of " << total << " pixels differ";
            ++checked;
        }
        EXPECT_GE(checked, 3);
    }
}

}  // namespace
