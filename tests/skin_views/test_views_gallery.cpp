// The views with our two skins and with none: the online list as the main window
// builds it (owner data, owner drawing, the header element "resizebutton") with
// an external bar, a tree with its bar, and the framed memo, shot from the screen
// and saved under artefacts/.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"
#include "SkinFramedMemo.h"
#include "SkinScrollBar.h"
#include "SkinViews.h"
#include "WaitUntil.h"
#include <functional>
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

const TColor cRow = 0x30A030;   // what the owner drawing paints on every odd row

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinListView* List;
    TspSkinScrollBar *ListBar, *TreeBar;
    TspSkinTreeView* Tree;
    TspSkinMemo* Memo;
    TspSkinScrollBar* MemoBar;
    std::function<void(TspSkinData*)> BeforeBind;   // changes a skin's records before they are bound

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 440, 340);
        new TspFormFrame(Form.get());
        List = new TspSkinListView(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(10, 10, 180, 200);
        List->SetViewStyle(vsReport);
        List->SetOwnerData(true);
        List->SetOwnerDraw(true);
        List->SetRowSelect(true);
        List->SetReadOnly(true);
        List->SetHideSelection(false);
        List->GetColumns()->Add()->SetWidth(17);
        TListColumn* c = List->GetColumns()->Add();
        c->SetCaption("Online list");
        c->SetWidth(160);
        List->OnData = [](TObject*, TListItem* I) { I->SetCaption("visitor " + std::to_string(I->GetIndex())); };
        List->OnDrawItem = [](TCustomListView* S, TListItem* I, TRect R, TOwnerDrawState) {
            TCanvas* cv = S->GetCanvas();
            cv->GetBrush()->SetStyle(bsSolid);
            cv->GetBrush()->SetColor(I->GetIndex() % 2 ? cRow : S->GetColor());
            cv->FillRect(R);
            cv->GetBrush()->SetStyle(bsClear);
            cv->TextOut(R.left + 20, R.top, I->GetCaption());
        };
        ListBar = new TspSkinScrollBar(Form.get());
        ListBar->SetKind(sbVertical);
        ListBar->SetSkinDataName("vscrollbar");
        ListBar->SetParent(Form.get());
        ListBar->SetBounds(190, 10, 19, 200);
        List->HandleNeeded();
        List->GetItems()->SetCount(3000);
        List->SetVScrollBar(ListBar);

        Tree = new TspSkinTreeView(Form.get());
        Tree->SetParent(Form.get());
        Tree->SetBounds(220, 10, 180, 200);
        for (int i = 0; i < 30; ++i) {
            TTreeNode* r = Tree->GetItems()->Add("folder " + std::to_string(i));
            Tree->GetItems()->AddChild(r, "file");
        }
        TreeBar = new TspSkinScrollBar(Form.get());
        TreeBar->SetKind(sbVertical);
        TreeBar->SetSkinDataName("vscrollbar");
        TreeBar->SetParent(Form.get());
        TreeBar->SetBounds(400, 10, 19, 200);
        Tree->HandleNeeded();
        Tree->SetVScrollBar(TreeBar);

        Memo = new TspSkinMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(10, 220, 390, 100);
        MemoBar = new TspSkinScrollBar(Form.get());
        MemoBar->SetKind(sbVertical);
        MemoBar->SetSkinDataName("vscrollbar");
        MemoBar->SetParent(Form.get());
        MemoBar->SetBounds(400, 220, 19, 100);
        Memo->HandleNeeded();
        Memo->SetVScrollBar(MemoBar);
        for (int i = 0; i < 12; ++i) Memo->GetLines()->Add("<embed line " + std::to_string(i) + ">");
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        if (D && BeforeBind) BeforeBind(D);
        List->SetSkinData(D);
        ListBar->SetSkinData(D);
        Tree->SetSkinData(D);
        TreeBar->SetSkinData(D);
        Memo->SetSkinData(D);
        MemoBar->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "views-" + Name);
    }
    // A point in the middle of the second list row (an odd row), in form coordinates.
    TPoint OddRow()
    {
        RECT r = {};
        r.left = LVIR_BOUNDS;
        SendMessageA(List->GetHandle(), LVM_GETITEMRECT, List->GetTopIndex() | 1, reinterpret_cast<LPARAM>(&r));
        if ((List->GetTopIndex() & 1) == 0) {
            r.left = LVIR_BOUNDS;
            SendMessageA(List->GetHandle(), LVM_GETITEMRECT, List->GetTopIndex() + 1, reinterpret_cast<LPARAM>(&r));
        }
        return TPoint(List->GetLeft() + 100, List->GetTop() + (r.top + r.bottom) / 2);
    }
    TPoint HeaderMiddle()
    {
        RECT r;
        GetWindowRect(List->GetHeaderWindow(), &r);
        return TPoint(r.left - Form->GetLeft() + 100, r.top - Form->GetTop() + (r.bottom - r.top) / 2);
    }
};

TEST(ViewsGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    const TPoint row = g.OddRow(), head = g.HeaderMiddle();
    EXPECT_EQ(Probe(plain.get(), row.x, row.y), cRow);
    EXPECT_EQ(Probe(plain.get(), head.x, head.y), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_TRUE(g.ListBar->GetVisible());
    EXPECT_TRUE(g.TreeBar->GetVisible());
    EXPECT_TRUE(g.MemoBar->GetEnabled());
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    EXPECT_EQ(Probe(plain.get(), g.Memo->GetLeft(), g.Memo->GetTop() + 50), shadow);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.List->Skinned());
        EXPECT_TRUE(g.Tree->Skinned());
        g.ListBar->SetPosition(1001);   // scrolled by the skinned bar
        EXPECT_EQ(g.List->GetTopIndex(), 1001);
        EXPECT_TRUE(g.ListBar->GetVisible());
        EXPECT_TRUE(g.TreeBar->GetVisible());
        auto shot = g.Shoot(name);
        EXPECT_TRUE(g.ListBar->GetVisible());
        EXPECT_TRUE(g.TreeBar->GetVisible());
        EXPECT_TRUE(IsWindowVisible(g.ListBar->GetHandle()));
        EXPECT_TRUE(g.Memo->Skinned());
        // The memo's frame comes from the skin: its edge differs from the plain frame.
        int differ = 0;
        for (int y = 0; y < g.Memo->GetHeight(); ++y)
            if (Probe(shot.get(), g.Memo->GetLeft(), g.Memo->GetTop() + y) !=
                Probe(plain.get(), g.Memo->GetLeft(), g.Memo->GetTop() + y))
                ++differ;
        EXPECT_GT(differ, g.Memo->GetHeight() / 2);
        const TPoint r = g.OddRow();
        EXPECT_EQ(Probe(shot.get(), r.x, r.y), cRow);   // the owner drawing still paints the rows
        // The header wears the skin's button, not the plain face.
        EXPECT_NE(Probe(shot.get(), head.x, head.y), static_cast<TColor>(ColorToRGB(clBtnFace)));
        g.ListBar->SetPosition(0);
        g.Bind(nullptr);
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control shows its
// own element: the views, which draw no frame, the background colour their
// records name (given colours of their own here: our skins name the plain
// window's white), on an even list row (which the owner drawing paints in the
// list's colour) and right of the tree's items; the memo at the left edge of its
// frame, the list's header its button element at the left edge of its first
// section, and each bar its own element.
TEST(ViewsGallery, EachControlDrawsItsOwnElement)
{
    const TColor listBg = RGB(230, 40, 20), treeBg = RGB(20, 230, 40);   // no flat skin colour
    Gallery g;
    g.BeforeBind = [&](TspSkinData* D) {
        if (auto* r = SkinKit::RecordOf<TspDataSkinListView>(D, g.List->GetSkinDataName())) r->BGColor = listBg;
        if (auto* r = SkinKit::RecordOf<TspDataSkinTreeView>(D, g.Tree->GetSkinDataName())) r->BGColor = treeBg;
    };
    SkinKit::ForEachFlatSkin(g, [&](TspSkinData* flat, TBitmap* shot) {
        RECT head, row = {};
        GetWindowRect(g.List->GetHeaderWindow(), &head);
        const TPoint at = g.List->ScreenToClient(TPoint(head.left + 1, (head.top + head.bottom) / 2));
        row.left = LVIR_BOUNDS;
        SendMessageA(g.List->GetHandle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        std::vector<SkinKit::TPieceProbe> probes = {{"list header", g.List, at, g.List->GetHeaderSkinDataName()},
                                                    SkinKit::LeftFrameEdge(g.Memo, "memo")};
        for (auto* bar : {g.ListBar, g.TreeBar, g.MemoBar}) probes.push_back(SkinKit::LeftEdge(bar, "scroll bar"));
        SkinKit::ExpectElements(shot, g.Form.get(), flat, probes);
        SkinKit::ExpectColours(shot, g.Form.get(),
                               {{"list background", g.List, TPoint(100, (row.top + row.bottom) / 2), listBg},
                                {"tree background", g.Tree, TPoint(g.Tree->GetClientWidth() - 5, 100), treeBg}});
    });
}

}  // namespace
