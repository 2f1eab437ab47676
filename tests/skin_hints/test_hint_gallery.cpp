// Hints in our two skins: each look saved under artefacts/ for a person to
// look at, and probed against the skin's own hint picture.
#include "test_gtest.h"
#include "HintFixture.h"
#include "FormFrame.h"
#include "SkinHint.h"
#include "SkinMenuMode.h"
#include "SkinMenus.h"
#include "SkinPopupMenu.h"
#include "SkinPopupWindow.h"
#include "TrayIcon.h"

using namespace hintfix;
using SkinKit::LoadSkin;

namespace {

TEST(HintGallery, BothSkinsDrawTheirHintLook)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* hint = new TspSkinHint(main);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        hint->SetSkinData(skin.get());
        hint->ActivateHint(TPoint(100, 100), std::string("A hint in ") + name + "\non two lines");
        TspSkinHintWindow* w = hint->GetHintWindow();
        ASSERT_EQ(w->GetSkinInUse(), skin.get());
        auto shot = WindowShot(w->GetWindowHandle());
        SaveArtefact(shot.get(), std::string("hint-") + name);
        const TspDataSkinHintWindow* r = skin->HintWindow.get();
        TBitmap* pic = skin->ActivePictures.at(r->WindowPictureIndex).get();
        EXPECT_GE(shot->GetWidth(), pic->GetWidth());
        EXPECT_GE(shot->GetHeight(), pic->GetHeight());
        // The client area's first pixel and the middle of the left edge come from the picture.
        const TRect& cr = r->ClientRect;
        EXPECT_EQ(Probe(shot.get(), cr.left, cr.top), Probe(pic, cr.left, cr.top));
        EXPECT_EQ(Probe(shot.get(), cr.left / 2, shot->GetHeight() / 2), Probe(pic, cr.left / 2, pic->GetHeight() / 2));
        hint->HideHint();
        hint->SetSkinData(nullptr);
    }
    delete main;
}

TEST(HintGallery, TheTrayMenuInBothSkins)
{
    auto saved = Sptrayicon::NotifyIconCall;
    Sptrayicon::NotifyIconCall = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBounds(40, 40, 240, 160);
        auto* frame = new TspFormFrame(form.get());
        frame->SetSkinData(skin.get());
        auto* menu = new TspSkinPopupMenu(form.get());
        for (const char* caption : {"Restore", "Video", "Voice", "-", "Exit"}) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            menu->GetItems()->Add(item);
        }
        menu->GetItems()->GetItem(0)->SetDefault(true);
        auto* tray = new TspTrayIcon(form.get());
        tray->SetPopupMenu(menu);
        SetCursorPos(300, 200);
        SendMessageA(tray->GetCallbackWindow(), Sptrayicon::WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
        TspSkinMenu* engine = TspSkinMenuMode::ForFrame(frame)->GetSkinMenu();
        ASSERT_TRUE(engine->GetOpen());
        TspSkinPopupWindow* level = engine->GetLevel(0);
        EXPECT_TRUE(level->IsSkinned());
        auto shot = WindowShot(level->GetWindowHandle());
        SaveArtefact(shot.get(), std::string("tray-menu-") + name);
        // Drawn from the skin: the level's picture shows somewhere along its left edge.
        TBitmap* pic = skin->ActivePictures.at(skin->PopupWindow->WindowPictureIndex).get();
        EXPECT_EQ(Probe(shot.get(), 1, shot->GetHeight() / 2), Probe(pic, 1, pic->GetHeight() / 2));
        InputAt(10, 10, MOUSEEVENTF_LEFTDOWN);
        InputAt(10, 10, MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return !engine->GetOpen(); }, 3000));
    }
    Sptrayicon::NotifyIconCall = saved;
}

}  // namespace
