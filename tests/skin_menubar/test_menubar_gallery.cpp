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

// A borderless form with a frame, a skinned main menu of four items (two entries
// each) and a menu bar showing it, all bound to one skin.
struct BarScene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TspSkinMainMenu* Menu;
    TspSkinMainMenuBar* Bar;

    explicit BarScene(TspSkinData* Skin)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(60, 60, 360, 200);
        Frame = new TspFormFrame(Form.get());
        Menu = new TspSkinMainMenu(Form.get());
        Menu->SetSkinData(Skin);
        for (const char* c : {"&Broadcast", "&View", "&Skins", "&Help"}) {
            TMenuItem* top = Add(Menu, Menu->GetItems(), c);
            Add(Menu, top, "First entry");
            Add(Menu, top, "Second entry");
        }
        Bar = new TspSkinMainMenuBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetFormFrame(Frame);
        Bar->SetSkinData(Skin);
        Bar->SetMainMenu(Menu);
        Form->Show();
        Form->Update();
    }
    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
    void Unbind()
    {
        Bar->SetSkinData(nullptr);
        Menu->SetSkinData(nullptr);
    }
};

TEST(SkinMenuBarGallery, BothSkinsDrawTheBarFromTheirPictures)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        BarScene b(skin.get());
        TspSkinMainMenuBar* bar = b.Bar;
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
        if (bar->GetItemsArea().left > 0) {
            EXPECT_EQ(Probe(&shot, 0, 0), Probe(pic, rec->SkinRect.left, rec->SkinRect.top));
        }
        ASSERT_GT(bar->ItemCount(), 0);
        EXPECT_TRUE(bar->GetItem(0)->HasSkin);
        // One drop-down open, as the operator sees it.
        bar->GetItem(1)->MouseDown(0, 0, mbLeft);
        TspSkinMenu* engine = b.Engine();
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
        b.Unbind();
    }
}

// Drawn with a flat copy of each skin (SkinKit::Flatten) whose item hot and
// pressed images are painted colours of their own: both ends of the bar and the
// stretch past its last item show the bar's own element, every item the item
// record's normal image, and the item whose drop-down is open its pressed image.
TEST(SkinMenuBarGallery, BarAndItemsDrawTheirOwnLooks)
{
    const TColor hot = SkinKit::FlatColour(1001), down = SkinKit::FlatColour(1002);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        SkinKit::Flatten(skin.get());
        auto* barRec = dynamic_cast<TspDataSkinMainMenuBar*>(skin->ControlRecord(skin->GetControlIndex("mainmenubar")));
        ASSERT_NE(barRec, nullptr);
        const int index = skin->GetIndex(barRec->MenuBarItem);
        ASSERT_GE(index, 0);
        auto* rec = dynamic_cast<TspDataSkinMainMenuItem*>(skin->ObjectList[index].get());
        ASSERT_NE(rec, nullptr);
        TBitmap* pic = skin->ActivePictures[rec->ActivePictureIndex].get();
        SkinKit::Paint(pic, rec->ActiveSkinRect, hot);
        SkinKit::Paint(pic, rec->DownRect, down);
        const TColor normal = SkinKit::PictureColourAt(skin.get(), rec->ActivePictureIndex,
                                                       TPoint(rec->SkinRect.left + 1, rec->SkinRect.top + 1));
        const TColor own = SkinKit::FlatColourOf(skin.get(), "mainmenubar");
        BarScene b(skin.get());
        TspSkinMainMenuBar* bar = b.Bar;
        ASSERT_TRUE(bar->HasSkin());
        ASSERT_EQ(bar->ItemCount(), 4);
        const int w = bar->GetWidth(), h = bar->GetHeight(), past = bar->GetItemsArea().right - 2;
        ASSERT_LT(bar->GetItem(3)->ObjectRect.right, past);
        auto itemAt = [&](int I, TColor Want) {
            const TRect& r = bar->GetItem(I)->ObjectRect;
            return SkinKit::TColourProbe{"item", bar, TPoint(r.left + 1, r.top + 1), Want};
        };
        auto shoot = [&](const std::string& Name) {
            bar->Repaint();
            PumpUntilIdle();
            auto shot = SkinKit::ScreenShot(b.Form.get());
            SaveArtefact(shot.get(), "menubar-flat-" + Name);
            return shot;
        };
        auto shot = shoot(name);
        SkinKit::ExpectColours(shot.get(), b.Form.get(),
                               {{"left end", bar, TPoint(0, h / 2), own},
                                {"right end", bar, TPoint(w - 1, h / 2), own},
                                {"past the last item", bar, TPoint(past, h / 2), own},
                                itemAt(0, normal), itemAt(1, normal), itemAt(2, normal), itemAt(3, normal)});
        bar->GetItem(1)->MouseDown(0, 0, mbLeft);
        TspSkinMenu* engine = b.Engine();
        ASSERT_TRUE(engine->GetOpen());
        PumpUntil([&] { return !engine->GetLevel(0)->GetMorphTimerRunning(); }, 2000);
        auto open = shoot(std::string(name) + "-open");
        SkinKit::ExpectColours(open.get(), b.Form.get(), {itemAt(0, normal), itemAt(1, down), itemAt(2, normal)});
        engine->Hide();
        PumpUntil([&] { return !bar->GetItem(1)->Down; }, 1000);
        b.Unbind();
    }
}

}  // namespace
