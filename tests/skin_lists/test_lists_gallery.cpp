// The list boxes with our two skins and with none: a plain list with its bar
// and a selected row, a caption list, a list with both bars, and the drop-down
// list open below its owner; shot from the screen and saved under artefacts/.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"
#include "SkinElement.h"
#include "SkinPopupList.h"
#include "SkinScrollBar.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinListBox *Plain, *Caption, *Both;
    TspPopupListBox* Popup;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 460, 260);
        new TspFormFrame(Form.get());
        Plain = Place(10, 10, 130, 150, 20);
        Plain->SetItemIndex(2);
        Caption = Place(150, 10, 130, 150, 4);
        Caption->SetSkinDataName("captionlistbox");
        Caption->SetCaptionMode(true);
        Caption->SetCaption("Visitors");
        Both = Place(290, 10, 150, 150, 20);
        Both->GetItems()->Add("a rather long line that needs the horizontal bar");
        Both->SetHorizontalExtent(true);
        Popup = new TspPopupListBox(Form.get());
        Popup->SetParent(Form.get());
        Popup->SetBounds(0, 0, 130, 70);
        for (int i = 0; i < 6; ++i) Popup->GetItems()->Add("choice " + std::to_string(i));
        Popup->SetItemIndex(1);
        Form->Show();
        // The form is active before its drop-down opens, as when a user opens it:
        // activating the owner afterwards put it above its open popup here.
        SetFocus(Form->GetHandle());
        PumpUntilIdle();
        Popup->Show(TPoint(Form->GetLeft() + 10, Form->GetTop() + 170));
        PumpUntilIdle();
    }
    TspSkinListBox* Place(int X, int Y, int W, int H, int Items)
    {
        auto* l = new TspSkinListBox(Form.get());
        l->SetParent(Form.get());
        l->SetBounds(X, Y, W, H);
        for (int i = 0; i < Items; ++i) l->GetItems()->Add("line " + std::to_string(i));
        return l;
    }
    void Bind(TspSkinData* D)
    {
        for (TspSkinCustomListBox* l : {static_cast<TspSkinCustomListBox*>(Plain), static_cast<TspSkinCustomListBox*>(Caption),
                                        static_cast<TspSkinCustomListBox*>(Both), static_cast<TspSkinCustomListBox*>(Popup)})
            l->SetSkinData(D);
        SetFocus(Form->GetHandle());
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        RepaintAll(Popup->GetHandle());
        return RepaintedShot(Form.get(), "lists-" + Name);
    }
    // A point of a row of list L in form coordinates: near the row's right end.
    TPoint RowPoint(TspSkinCustomListBox* L, int I)
    {
        TRect r = L->ItemRect(I);
        TspListBox* lb = L->GetListBox();
        return TPoint(L->GetLeft() + lb->GetLeft() + r.right - 6, L->GetTop() + lb->GetTop() + (r.top + r.bottom) / 2);
    }
};

TColor Sys(int I) { return static_cast<TColor>(GetSysColor(I) & 0xFFFFFF); }

TEST(ListsGallery, BothSkinsAndWithout)
{
    Gallery g;
    auto plain = g.Shoot("unskinned");
    // The drop-down lies over the form, its selected row highlighted.
    EXPECT_EQ(WindowFromPoint(POINT{g.Form->GetLeft() + 100, g.Form->GetTop() + 200}), g.Popup->GetListBox()->GetHandle());
    EXPECT_EQ(Probe(plain.get(), 110, 170 + 2 + 30), Sys(COLOR_HIGHLIGHT));
    TPoint sel = g.RowPoint(g.Plain, 2), other = g.RowPoint(g.Plain, 0);
    EXPECT_EQ(Probe(plain.get(), sel.x, sel.y), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(Probe(plain.get(), other.x, other.y), Sys(COLOR_WINDOW));
    EXPECT_EQ(Probe(plain.get(), g.Plain->GetLeft(), g.Plain->GetTop() + 50), Sys(COLOR_BTNSHADOW));
    ASSERT_NE(g.Plain->GetScrollBar(), nullptr);
    ASSERT_NE(g.Both->GetHScrollBar(), nullptr);
    EXPECT_EQ(g.Caption->GetScrollBar(), nullptr);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        ASSERT_TRUE(g.Plain->Skinned());
        EXPECT_TRUE(g.Caption->Skinned());
        EXPECT_TRUE(g.Popup->Skinned());
        const auto* rec = dynamic_cast<const TspDataSkinListBox*>(
            skin->ControlRecord(skin->FindControlElement("listbox")));
        ASSERT_NE(rec, nullptr);
        EXPECT_EQ(g.Plain->GetListBox()->GetItemHeight(), rec->ItemRect.Height());
        auto shot = g.Shoot(name);
        // The selected row shows the skin's selected-item picture (its middle column).
        TBitmap* pic = SkinPicture(skin.get(), rec->PictureIndex);
        ASSERT_NE(pic, nullptr);
        sel = g.RowPoint(g.Plain, 2);
        const TRect a = rec->ActiveItemRect;
        const int rowTop = sel.y - rec->ItemRect.Height() / 2;
        EXPECT_EQ(Probe(shot.get(), sel.x, sel.y), Probe(pic, a.left + a.Width() / 2, a.top + (sel.y - rowTop)));
        const TRect n = rec->ItemRect;
        other = g.RowPoint(g.Plain, 0);
        EXPECT_EQ(Probe(shot.get(), other.x, other.y), Probe(pic, n.left + n.Width() / 2, n.top + (sel.y - rowTop)));
        // The bars took the skin's scroll-bar looks and stayed where the list needs them.
        ASSERT_NE(g.Plain->GetScrollBar(), nullptr);
        EXPECT_TRUE(g.Plain->GetScrollBar()->Skinned());
        ASSERT_NE(g.Both->GetHScrollBar(), nullptr);
        EXPECT_TRUE(g.Both->GetHScrollBar()->GetBoth());
        g.Bind(nullptr);
        EXPECT_FALSE(g.Plain->Skinned());
    }
    g.Popup->Hide();
}

}  // namespace

namespace {

// The middle of a bar's first button, at its outer edge: the button's idle look
// is the bar's own element image.
SkinKit::TPieceProbe ButtonEnd(TspSkinScrollBar* B, const char* What)
{
    const TPoint at = B->GetKind() == sbHorizontal ? TPoint(1, B->GetHeight() / 2) : TPoint(B->GetWidth() / 2, 1);
    return {What, B, at, B->GetSkinDataName()};
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each list's frame and
// each of its bars shows the look of its own element: the caption list its
// caption element, the drop-down the list element, the bar in a corner the
// corner's bar element.
TEST(ListsGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        std::vector<SkinKit::TPieceProbe> probes = {
            SkinKit::LeftEdge(g.Plain, "plain list"), SkinKit::LeftEdge(g.Caption, "caption list"),
            SkinKit::LeftEdge(g.Both, "list with both bars"), SkinKit::LeftEdge(g.Popup, "drop-down list")};
        EXPECT_EQ(g.Caption->GetSkinDataName(), "captionlistbox");
        for (auto* bar : {g.Plain->GetScrollBar(), g.Both->GetScrollBar()})
            if (bar) probes.push_back(ButtonEnd(bar, "vertical bar"));
        if (TspSkinScrollBar* h = g.Both->GetHScrollBar()) {
            EXPECT_TRUE(h->GetBoth());
            probes.push_back(ButtonEnd(h, "horizontal bar beside the corner"));
        }
        EXPECT_EQ(probes.size(), 7u);
        return probes;
    });
    g.Popup->Hide();
}

}  // namespace
