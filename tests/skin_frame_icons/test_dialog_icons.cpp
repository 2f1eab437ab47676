// The colour dialog sets its frame's border icons to none: with our shipped
// skins its frame shows the close button alone, and the places of the other
// caption buttons show the bare caption band. Screenshots:
// artefacts/dialog-icons-<skin>.bmp.
#include "test_gtest.h"
#include "ColourTestKit.h"
#include "FrameFixture.h"
#include "FrameObjects.h"
#include "SkinColorDialog.h"
#include <map>

using namespace FrameFixture;

namespace {

TEST(DialogIcons, ColourDialogShowsOnlyClose)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        SetCursorPos(5, 5);
        TspSkinColorDialog d(nullptr);
        d.SetSkinData(skin.get());
        d.SetCtrlSkinData(skin.get());
        std::map<std::string, bool> visible, enabled;
        int bareProbed = 0, bareMatched = 0, closeShown = 0;
        bool ran = false;
        ColourTest::Later act(300, [&] {
            if (!d.Window) return;
            ran = true;
            TspFormFrame* frame = Formframe::GetFormFrameComponent(d.Window);
            if (frame) {
                frame->AlwaysActive = true;
                HWND wnd = d.Window->GetHandle();
                RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
                PumpUntilIdle();
                auto shot = WindowShot(wnd);
                SaveArtefact(shot.get(), std::string("dialog-icons-") + name);
                for (int i = 0; i < frame->ObjectCount(); ++i) {
                    auto* b = dynamic_cast<TspSkinStdButtonObject*>(frame->GetObject(i));
                    if (!b) continue;
                    visible[b->IDName] = b->Visible;
                    enabled[b->IDName] = b->Enabled;
                }
                // Where the buttons of a form offering every icon would stand: the
                // buttons rectangle, mapped to the window's side of the picture.
                TBitmap* pic = skin->Picture.get();
                const TRect br = skin->ButtonsRect;
                const int ww = shot->GetWidth(), pw = pic->GetWidth();
                const int dx = skin->ButtonsInLeft ? 0 : ww - pw;
                const TspActiveSkinObject* close = frame->GetObject(frame->GetIndex("closebutton"));
                for (int y = br.top + 1; y < br.bottom - 1; y += 2)
                    for (int x = br.left; x < br.right; x += 2) {
                        const int wx = x + dx;
                        if (close && wx >= close->ObjectRect.left - 1 && wx <= close->ObjectRect.right) {
                            if (Probe(shot.get(), wx, y) != (pic->GetCanvas()->GetPixel(x, y) & 0xFFFFFF))
                                ++closeShown;
                            continue;
                        }
                        ++bareProbed;
                        if (Probe(shot.get(), wx, y) == (pic->GetCanvas()->GetPixel(x, y) & 0xFFFFFF)) ++bareMatched;
                    }
            }
            d.Window->SetModalResult(mrCancel);
        });
        ColourTest::Later guard(8000, [&] {
            if (d.Window) d.Window->SetModalResult(mrCancel);
        });
        d.Execute();
        ASSERT_TRUE(ran);
        ASSERT_EQ(visible.count("closebutton"), 1u);
        EXPECT_TRUE(visible["closebutton"]);
        EXPECT_TRUE(enabled["closebutton"]);
        for (const char* b : {"maxbutton", "minbutton", "rollupbutton", "traybutton"}) {
            ASSERT_EQ(visible.count(b), 1u) << b;
            EXPECT_FALSE(visible[b]) << b;
            EXPECT_FALSE(enabled[b]) << b;
        }
        // The close button draws its own image; the rest of the row is the bare band.
        EXPECT_GT(closeShown, 4);
        EXPECT_GT(bareProbed, 20);
        EXPECT_EQ(bareMatched, bareProbed);
    }
}

}  // namespace
