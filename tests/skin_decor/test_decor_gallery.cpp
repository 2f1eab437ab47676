// The gallery of the decorative and container controls on one form, bound to our
// default skin, the second skin and no skin; each look is saved under artefacts/
// for a person to look at, and probed here.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinBevel.h"
#include "SkinButtonLabel.h"
#include "SkinButtonsBar.h"
#include "SkinControlBar.h"
#include "SkinExPanel.h"
#include "SkinLinkLabel.h"
#include "SkinNotebook.h"
#include "SkinSplitter.h"
#include "SkinStatusPanel.h"
#include "SkinTextLabel.h"
#include "SkinTestKit.h"

using namespace Decor;

namespace {

using SkinKit::LoadSkin;
using SkinKit::SaveArtefact;

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinExPanel* Ex[3];
    TspSkinNotebook* Book;
    TspSkinButtonsBar* Bar;
    TspSkinPanel* SplitHost;
    TspSkinSplitter* Splitter;
    TspSkinBevel* Bevels[3];
    TspSkinTextLabel* Text;
    TspSkinLinkLabel* Link;
    TspSkinButtonLabel* ButtonLabel;
    TspSkinStatusPanel* Status;
    TspSkinControlBar* CBar;

    template <class C> C* Place(TWinControl* Parent, int X, int Y, int W, int H)
    {
        auto* c = new C(Form.get());
        c->SetParent(Parent);
        c->SetBounds(X, Y, W, H);
        return c;
    }

    Gallery()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 520, 460);
        Form->SetColor(0xE0E0E0);
        for (int i = 0; i < 3; ++i) {
            Ex[i] = Place<TspSkinExPanel>(Form.get(), 10 + i * 170, 10, 150, 100);
            Ex[i]->SetCaption("Panel " + std::to_string(i + 1));
        }
        Ex[2]->SetRollKind(rkRollHorizontal);
        Ex[1]->SetRollState(true);
        Ex[2]->SetRollState(true);
        Book = Place<TspSkinNotebook>(Form.get(), 10, 120, 150, 150);
        Book->GetPages()->Put(0, "First");
        Book->GetPages()->Add("Second");
        Book->GetPages()->Add("Third");
        Book->SetButtonsMode(true);
        Book->SetPageIndex(1);
        Bar = Place<TspSkinButtonsBar>(Form.get(), 180, 120, 150, 190);
        Bar->SetAlign(alNone);
        Bar->SetBounds(180, 120, 150, 190);
        Bar->HandleNeeded();
        Bar->SetItemHeight(50);
        Bar->GetSections()->BeginUpdate();
        for (int i = 0; i < 2; ++i) {
            TspButtonBarSection* s = Bar->GetSections()->Add();
            s->SetText("Section " + std::to_string(i + 1));
            for (int j = 0; j < 4; ++j) s->GetItems()->Add()->SetText("Item " + std::to_string(j + 1));
        }
        Bar->GetSections()->EndUpdate();
        Bar->UpdateItems();
        SplitHost = Place<TspSkinPanel>(Form.get(), 350, 120, 150, 100);
        auto* upper = Place<TspSkinPanel>(SplitHost, 0, 0, 150, 40);
        upper->SetAlign(alTop);
        Splitter = new TspSkinSplitter(Form.get());
        Splitter->SetAlign(alTop);
        Splitter->SetTop(60);
        Splitter->SetParent(SplitHost);
        auto* lower = Place<TspSkinPanel>(SplitHost, 0, 80, 150, 40);
        lower->SetAlign(alClient);
        Bevels[0] = Place<TspSkinBevel>(Form.get(), 350, 230, 150, 4);
        Bevels[0]->SetShape(bsTopLine);
        Bevels[1] = Place<TspSkinBevel>(Form.get(), 350, 240, 60, 40);
        Bevels[2] = Place<TspSkinBevel>(Form.get(), 420, 240, 60, 40);
        Bevels[2]->SetShape(bsTopLine);
        Bevels[2]->SetDividerMode(true);
        Text = Place<TspSkinTextLabel>(Form.get(), 10, 290, 100, 40);
        TStringList lines;
        lines.Add("Text label");
        lines.Add("second line");
        Text->SetLines(&lines);
        Link = Place<TspSkinLinkLabel>(Form.get(), 10, 340, 100, 20);
        Link->SetCaption("A link");
        ButtonLabel = Place<TspSkinButtonLabel>(Form.get(), 350, 290, 120, 30);
        ButtonLabel->SetCaption("Button label");
        Status = Place<TspSkinStatusPanel>(Form.get(), 350, 340, 150, 21);
        Status->SetCaption("Status");
        auto glyph = NewPicture(16, 16, 0xFF00FF);
        Paint(glyph.get(), TRect(3, 3, 13, 13), 0x00A000);
        Status->SetGlyph(glyph.get());
        CBar = Place<TspSkinControlBar>(Form.get(), 10, 380, 500, 70);
        auto* band = Place<TspSkinPanel>(CBar, 20, 10, 150, 24);
        band->SetCaption("Band");
        CBar->SetSkinBevel(true);
    }

    void Bind(TspSkinData* D)
    {
        for (auto* e : Ex) e->SetSkinData(D);
        Book->SetSkinData(D);
        Bar->SetSkinData(D);
        SplitHost->SetSkinData(D);
        Splitter->SetSkinData(D);
        for (auto* b : Bevels) b->SetSkinData(D);
        Text->SetSkinData(D);
        Link->SetSkinData(D);
        ButtonLabel->SetSkinData(D);
        Status->SetSkinData(D);
        CBar->SetSkinData(D);
        for (int i = 0; i < CBar->GetControlCount(); ++i)
            if (auto* p = dynamic_cast<TspSkinPanel*>(CBar->GetControl(i))) p->SetSkinData(D);
        if (!D) {
            // Unbinding stores no skin without a re-skin; the walk that follows a
            // skin change does that, here by hand.
            for (auto* e : Ex) e->ChangeSkinData();
            Book->ChangeSkinData();
            Bar->ChangeSkinData();
            SplitHost->ChangeSkinData();
            Status->ChangeSkinData();
            Text->ChangeSkinData();
            Link->ChangeSkinData();
            ButtonLabel->ChangeSkinData();
        }
    }

    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        auto shot = Snapshot(Form.get());
        SaveArtefact(shot.get(), "decor-" + Name);
        return shot;
    }
};

int Differ(TBitmap* A, TBitmap* B, TControl* C)
{
    int n = 0;
    TPoint o(C->GetLeft(), C->GetTop());
    for (TControl* p = C->GetParent(); p && p->GetParent(); p = p->GetParent()) o = TPoint(o.x + p->GetLeft(), o.y + p->GetTop());
    for (int y = 0; y < C->GetHeight(); y += 2)
        for (int x = 0; x < C->GetWidth(); x += 2)
            if (Probe(A, o.x + x, o.y + y) != Probe(B, o.x + x, o.y + y)) ++n;
    return n;
}

TEST(DecorGallery, EveryControlWithBothSkinsAndWithout)
{
    Gallery g;
    g.Bind(nullptr);
    auto plain = g.Shoot("unskinned");
    for (auto* e : g.Ex) EXPECT_FALSE(e->Skinned());
    EXPECT_EQ(g.Splitter->GetHeight(), 10);
    EXPECT_EQ(g.Ex[1]->GetHeight(), 21);
    EXPECT_EQ(g.Ex[2]->GetWidth(), 21);
    // The plain caption bar of the first panel, its frame and its face.
    EXPECT_EQ(Probe(plain.get(), 10, 50), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(plain.get(), 60, 70), Sys(COLOR_BTNFACE));

    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        for (auto* e : g.Ex) EXPECT_TRUE(e->Skinned());
        EXPECT_TRUE(g.Book->Skinned());
        EXPECT_TRUE(g.Bar->Skinned());
        EXPECT_NE(g.Splitter->GetSkinIndex(), -1);
        for (auto* b : g.Bevels) EXPECT_NE(b->GetSkinIndex(), -1);
        EXPECT_NE(g.Text->GetSkinIndex(), -1);
        EXPECT_NE(g.Link->GetSkinIndex(), -1);
        EXPECT_NE(g.ButtonLabel->GetSkinIndex(), -1);
        EXPECT_TRUE(g.Status->Skinned());
        EXPECT_TRUE(g.CBar->Skinned());
        // Rolled panels keep their rolled side at the skin's strip.
        EXPECT_GT(g.Ex[1]->GetHeight(), 0);
        EXPECT_LT(g.Ex[1]->GetHeight(), 100);
        EXPECT_GT(g.Ex[2]->GetWidth(), 0);
        EXPECT_LT(g.Ex[2]->GetWidth(), 150);
        auto shot = g.Shoot(name);
        EXPECT_GT(Differ(shot.get(), plain.get(), g.Book), 100);
        EXPECT_GT(Differ(shot.get(), plain.get(), g.CBar), 100);
        g.Bind(nullptr);
    }
    // Unbound again: the plain looks and sizes come back.
    for (auto* e : g.Ex) EXPECT_FALSE(e->Skinned());
    EXPECT_EQ(g.Ex[1]->GetHeight(), 21);
    EXPECT_EQ(g.Splitter->GetHeight(), 10);
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(DecorGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.Ex[0], "extended panel"),
                                                 SkinKit::LeftEdge(g.Status, "status panel")};
    });
}

}  // namespace
