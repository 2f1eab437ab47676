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

// A skinned hint owned by the application's main form: bound to a skin, each
// shot shows the hint anew and is its window, kept as hint-<Name>.
struct HintGallery {
    std::unique_ptr<TForm> Form;
    TspSkinHint* Hint;

    HintGallery()
    {
        TForm* main = nullptr;
        Application->CreateForm(main);
        Form.reset(main);
        Hint = new TspSkinHint(main);
    }
    void Bind(TspSkinData* D)
    {
        Hint->HideHint();
        Hint->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        Hint->HideHint();
        Hint->ActivateHint(TPoint(100, 100), "A hint in " + Name + "\non two lines");
        auto shot = WindowShot(Hint->GetHintWindow()->GetWindowHandle());
        SaveArtefact(shot.get(), "hint-" + Name);
        return shot;
    }
};

// A framed form in Skin with a tray icon and its popup menu; the notification
// area is not called while it lives.
struct TrayMenu {
    decltype(Sptrayicon::NotifyIconCall) Saved = Sptrayicon::NotifyIconCall;
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TspSkinPopupMenu* Menu;
    TspTrayIcon* Tray;

    explicit TrayMenu(TspSkinData* Skin)
    {
        Sptrayicon::NotifyIconCall = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
        Form->SetBounds(40, 40, 240, 160);
        Frame = new TspFormFrame(Form.get());
        Frame->SetSkinData(Skin);
        Menu = new TspSkinPopupMenu(Form.get());
        for (const char* caption : {"Restore", "Video", "Voice", "-", "Exit"}) {
            auto* item = new TMenuItem(Menu);
            item->SetCaption(caption);
            Menu->GetItems()->Add(item);
        }
        Menu->GetItems()->GetItem(0)->SetDefault(true);
        Tray = new TspTrayIcon(Form.get());
        Tray->SetPopupMenu(Menu);
    }
    ~TrayMenu() { Sptrayicon::NotifyIconCall = Saved; }
    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
    // A right click on the icon: whether the menu opened.
    bool Open()
    {
        SetCursorPos(300, 200);
        SendMessageA(Tray->GetCallbackWindow(), Sptrayicon::WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
        return Engine()->GetOpen();
    }
    // The open menu shot and kept as tray-menu-<Name>.
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        auto shot = WindowShot(Engine()->GetLevel(0)->GetWindowHandle());
        SaveArtefact(shot.get(), "tray-menu-" + Name);
        return shot;
    }
    // A click elsewhere closes the menu.
    void Close()
    {
        InputAt(10, 10, MOUSEEVENTF_LEFTDOWN);
        InputAt(10, 10, MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return !Engine()->GetOpen(); }, 3000));
    }
};

TEST(HintGallery, BothSkinsDrawTheirHintLook)
{
    HintGallery g;
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        auto shot = g.Shoot(name);
        ASSERT_EQ(g.Hint->GetHintWindow()->GetSkinInUse(), skin.get());
        const TspDataSkinHintWindow* r = skin->HintWindow.get();
        TBitmap* pic = skin->ActivePictures.at(r->WindowPictureIndex).get();
        EXPECT_GE(shot->GetWidth(), pic->GetWidth());
        EXPECT_GE(shot->GetHeight(), pic->GetHeight());
        // The client area's first pixel and the middle of the left edge come from the picture.
        const TRect& cr = r->ClientRect;
        EXPECT_EQ(Probe(shot.get(), cr.left, cr.top), Probe(pic, cr.left, cr.top));
        EXPECT_EQ(Probe(shot.get(), cr.left / 2, shot->GetHeight() / 2), Probe(pic, cr.left / 2, pic->GetHeight() / 2));
        g.Bind(nullptr);
    }
}

TEST(HintGallery, TheTrayMenuInBothSkins)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        TrayMenu t(skin.get());
        ASSERT_TRUE(t.Open());
        EXPECT_TRUE(t.Engine()->GetLevel(0)->IsSkinned());
        auto shot = t.Shoot(name);
        // Drawn from the skin: the level's picture shows somewhere along its left edge.
        TBitmap* pic = skin->ActivePictures.at(skin->PopupWindow->WindowPictureIndex).get();
        EXPECT_EQ(Probe(shot.get(), 1, shot->GetHeight() / 2), Probe(pic, 1, pic->GetHeight() / 2));
        t.Close();
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten) whose hint picture has
// its client rectangle in a colour of its own: the hint shows its picture's
// colour at its left edge and the client colour inside; the tray menu shows the
// colour of the popup window's picture at its left edge and, with the menu item
// object's look in a colour of its own, that colour in an item.
TEST(HintGallery, HintAndTrayMenuDrawTheirOwnPictures)
{
    HintGallery g;
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* Flat, TBitmap*) {
        const TspDataSkinHintWindow* r = Flat->HintWindow.get();
        ASSERT_TRUE(r);
        const int past = static_cast<int>(Flat->ActivePictures.size() + Flat->CtrlList.size());
        const TColor client = SkinKit::FlatColour(past), itemColour = SkinKit::FlatColour(past + 1);
        SkinKit::Paint(Flat->ActivePictures.at(r->WindowPictureIndex).get(), r->ClientRect, client);
        auto shot = g.Shoot("flat-" + Flat->SkinName);
        const TRect& cr = r->ClientRect;
        EXPECT_EQ(Probe(shot.get(), cr.left / 2, shot->GetHeight() / 2), SkinKit::FlatColour(r->WindowPictureIndex));
        EXPECT_EQ(Probe(shot.get(), cr.left, cr.top), client);
        g.Hint->HideHint();

        const TspDataSkinObject* item = nullptr;
        for (const auto& o : Flat->ObjectList)
            if (o->IDName == "menuitem") item = o.get();
        ASSERT_TRUE(item);
        SkinKit::Paint(Flat->ActivePictures.at(item->ActivePictureIndex).get(), item->SkinRect, itemColour);
        TrayMenu t(Flat);
        ASSERT_TRUE(t.Open());
        auto menu = t.Shoot("flat-" + Flat->SkinName);
        const TspDataSkinPopupWindow* p = Flat->PopupWindow.get();
        EXPECT_EQ(Probe(menu.get(), 1, menu->GetHeight() / 2), SkinKit::FlatColour(p->WindowPictureIndex));
        // The second item's left part, before its text (the first is selected as the menu opens).
        const int second = p->ItemsRect.top + item->SkinRect.Height() * 3 / 2;
        EXPECT_EQ(Probe(menu.get(), p->ItemsRect.left + 4, second), itemColour);
        t.Close();
    });
}

}  // namespace
