// The menu bar with our two skins: drawn from each skin's bar picture, with one
// item's drop-down open, saved under artefacts/ for a person to look at.
#include "test_gtest.h"
#include "Form.h"
#include "FormFrame.h"
#include "FrameMainMenu.h"
#include "SkinData.h"
#include "SkinPlatform.h"
#include "SkinBoxControls.h"
#include <algorithm>
#include "SkinMenuBar.h"
#include "SkinMenuBarObjects.h"
#include "SkinMenuMode.h"
#include "SkinPopupWindow.h"
#include "WaitUntil.h"
#include "SkinTestKit.h"
#include <memory>
#include <string>

namespace {

using SkinKit::LoadSkin;
using SkinKit::Probe;
using SkinKit::SaveArtefact;

TMenuItem* Add(TMenu* Menu, TMenuItem* Parent, const std::string& Caption)
{
    auto* item = new TMenuItem(Menu);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

TEST(SkinMenuBarGallery, BothSkinsDrawTheBarFromTheirPictures)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        SetCursorPos(5, 5);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(60, 60, 360, 200);
        auto* frame = new TspFormFrame(form.get());
        auto* menu = new TspSkinMainMenu(form.get());
        menu->SetSkinData(skin.get());
        for (const char* c : {"&Broadcast", "&View", "&Skins", "&Help"}) {
            TMenuItem* top = Add(menu, menu->GetItems(), c);
            Add(menu, top, "First entry");
            Add(menu, top, "Second entry");
        }
        auto* bar = new TspSkinMainMenuBar(form.get());
        bar->SetParent(form.get());
        bar->SetFormFrame(frame);
        bar->SetSkinData(skin.get());
        bar->SetMainMenu(menu);
        form->Show();
        form->Update();
        ASSERT_TRUE(bar->HasSkin());
        bar->Repaint();
        PumpUntilIdle();
        const TPoint at = bar->ClientToScreen(TPoint(0, 0));
        TBitmap shot(bar->GetWidth(), bar->GetHeight(), pf24bit);
        Sputils::GetScreenImage(at.x, at.y, &shot);
        SaveArtefact(&shot, std::string("menubar-") + name);
        // What is on the screen is the bar's own composition.
        TBitmap composed(bar->GetWidth(), bar->GetHeight(), pf24bit);
        bar->PaintMenuBar(composed.GetCanvas());
        for (int x : {0, bar->GetWidth() / 2, bar->GetWidth() - 1})
            EXPECT_EQ(Probe(&shot, x, bar->GetHeight() - 1), Probe(&composed, x, bar->GetHeight() - 1)) << x;
        // Its left end is the skin's bar picture, and the first item is laid out.
        auto* rec = dynamic_cast<TspDataSkinMainMenuBar*>(skin->ControlRecord(skin->GetControlIndex("mainmenubar")));
        ASSERT_NE(rec, nullptr);
        TBitmap* pic = skin->ActivePictures[rec->PictureIndex].get();
        if (bar->GetItemsArea().left > 0)
            EXPECT_EQ(Probe(&shot, 0, 0), Probe(pic, rec->SkinRect.left, rec->SkinRect.top));
        ASSERT_GT(bar->ItemCount(), 0);
        EXPECT_TRUE(bar->GetItem(0)->HasSkin);
        // One drop-down open, as the operator sees it.
        bar->GetItem(1)->MouseDown(0, 0, mbLeft);
        TspSkinMenu* engine = TspSkinMenuMode::ForFrame(frame)->GetSkinMenu();
        ASSERT_TRUE(engine->GetOpen());
        TspSkinPopupWindow* l = engine->GetLevel(0);
        PumpUntil([&] { return !l->GetMorphTimerRunning(); }, 2000);
        RECT wr = {};
        GetWindowRect(l->GetHandle(), &wr);
        const int right = std::max<int>(wr.right, at.x + bar->GetWidth());
        TBitmap open(right - at.x, wr.bottom - at.y, pf24bit);
        Sputils::GetScreenImage(at.x, at.y, &open);
        SaveArtefact(&open, std::string("menubar-") + name + "-open");
        EXPECT_TRUE(l->IsSkinned());
        engine->Hide();
        PumpUntil([&] { return !bar->GetItem(1)->Down; }, 1000);
        EXPECT_FALSE(bar->GetItem(1)->Down);
        bar->SetSkinData(nullptr);
        menu->SetSkinData(nullptr);
    }
}

}  // namespace
