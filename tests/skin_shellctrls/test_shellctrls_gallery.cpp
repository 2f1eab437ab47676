// The path combo, the folder tree and the file list linked on one form, with our
// two skins and with none, shot from the screen and saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "ShellCtrls.h"
#include "TempTree.h"
#include "WaitUntil.h"
#include <functional>
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinShellComboBox* Combo;
    TspSkinDirTreeView* Tree;
    TspSkinFileListView* List;
    TspSkinShellDriveComboBox* Drives;
    std::function<void(TspSkinData*)> BeforeBind;   // changes a skin's records before they are bound

    explicit Gallery(const std::string& Path)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 560, 330);
        Combo = new TspSkinShellComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(10, 10, 540, 22);
        Tree = new TspSkinDirTreeView(Form.get());
        Tree->SetParent(Form.get());
        Tree->SetBounds(10, 40, 180, 250);
        List = new TspSkinFileListView(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(200, 40, 350, 250);
        Drives = new TspSkinShellDriveComboBox(Form.get());
        Drives->SetParent(Form.get());
        Drives->SetBounds(10, 298, 250, 22);
        Drives->HandleNeeded();
        Drives->SetDrive('C');
        Combo->HandleNeeded();
        Tree->HandleNeeded();
        List->HandleNeeded();
        List->SetViewStyle(vsReport);
        Tree->SetRoot(Path);
        Tree->SetListView(List);
        Tree->SetComboBox(Combo);
        List->SetComboBox(Combo);
        Tree->SetPath(Path);
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        if (D && BeforeBind) BeforeBind(D);
        Combo->SetSkinData(D);
        Tree->SetSkinData(D);
        List->SetSkinData(D);
        Drives->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "shellctrls-" + Name);
    }
    // The middle of the list's header, in form coordinates.
    TPoint HeaderMiddle()
    {
        RECT r;
        GetWindowRect(List->GetHeaderWindow(), &r);
        return TPoint(r.left - Form->GetLeft() + 40, r.top - Form->GetTop() + (r.bottom - r.top) / 2);
    }
};

TEST(ShellCtrlsGallery, BothSkinsAndWithout)
{
    TTempTree tree;
    Gallery g(tree.Root());
    ASSERT_EQ(g.List->FolderCount(), 4);
    EXPECT_EQ(g.Combo->GetPath(), tree.Root());
    ASSERT_TRUE(g.List->GetHeaderWindow());
    auto plain = g.Shoot("unskinned");
    const TPoint head = g.HeaderMiddle();
    EXPECT_EQ(Probe(plain.get(), head.x, head.y), static_cast<TColor>(ColorToRGB(clBtnFace)));
    // Below the last row the list shows its window colour.
    const TColor window = static_cast<TColor>(ColorToRGB(clWindow));
    EXPECT_EQ(Probe(plain.get(), g.List->GetLeft() + 200, g.List->GetTop() + 230), window);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.List->Skinned());
        EXPECT_TRUE(g.Tree->Skinned());
        auto shot = g.Shoot(name);
        EXPECT_NE(Probe(shot.get(), head.x, head.y), static_cast<TColor>(ColorToRGB(clBtnFace)));
        // The combo's face is the skin's, not the plain control's.
        int differ = 0;
        for (int x = g.Combo->GetLeft(); x < g.Combo->GetLeft() + g.Combo->GetWidth(); x += 4)
            if (Probe(shot.get(), x, g.Combo->GetTop() + 2) != Probe(plain.get(), x, g.Combo->GetTop() + 2)) ++differ;
        EXPECT_GT(differ, 10);
        differ = 0;
        for (int x = g.Drives->GetLeft(); x < g.Drives->GetLeft() + g.Drives->GetWidth(); x += 4)
            if (Probe(shot.get(), x, g.Drives->GetTop() + 2) != Probe(plain.get(), x, g.Drives->GetTop() + 2)) ++differ;
        EXPECT_GT(differ, 10);
        EXPECT_EQ(g.Drives->GetDrive(), 'C');
        // Still the same folder, shown the same way.
        EXPECT_EQ(g.List->FolderCount(), 4);
        EXPECT_EQ(g.Tree->GetPath(), tree.Root());
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each shell control
// shows its own element: the combos at the left edge of their face; the folder
// tree and the file list, which draw no frame, the background colour their
// records name (given colours of their own here: our skins name the plain
// window's white) below their items; and the list's header its button element
// at the left edge of its first section.
TEST(ShellCtrlsGallery, EachControlDrawsItsOwnElement)
{
    const TColor listBg = RGB(230, 40, 20), treeBg = RGB(20, 230, 40);   // no flat skin colour
    TTempTree tree;
    Gallery g(tree.Root());
    g.BeforeBind = [&](TspSkinData* D) {
        if (auto* r = SkinKit::RecordOf<TspDataSkinListView>(D, g.List->GetSkinDataName())) r->BGColor = listBg;
        if (auto* r = SkinKit::RecordOf<TspDataSkinTreeView>(D, g.Tree->GetSkinDataName())) r->BGColor = treeBg;
    };
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* flat, TBitmap* shot) {
        RECT head;
        GetWindowRect(g.List->GetHeaderWindow(), &head);
        const TPoint at = g.List->ScreenToClient(TPoint(head.left + 1, (head.top + head.bottom) / 2));
        SkinKit::ExpectElements(shot, g.Form.get(), flat,
                                {SkinKit::LeftEdge(g.Combo, "path combo"), SkinKit::LeftEdge(g.Drives, "drive combo"),
                                 {"file list header", g.List, at, g.List->GetHeaderSkinDataName()}});
        const TPoint below(g.Tree->GetClientWidth() / 2, g.Tree->GetClientHeight() - 10);
        SkinKit::ExpectColours(shot, g.Form.get(), {{"folder tree background", g.Tree, below, treeBg},
                                                    {"file list background", g.List, TPoint(200, 230), listBg}});
    });
}

} // namespace
