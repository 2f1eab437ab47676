// The notebook: exactly one page shown after every add, insert, delete, clear and
// move; pages chosen by name; heading buttons above and below the shown page.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinNotebook.h"

using namespace Decor;

namespace {

int ShownPages(TspSkinNotebook* N)
{
    int n = 0;
    for (int i = 0; i < N->PageCount(); ++i)
        if (N->Page(i)->GetVisible()) ++n;
    return n;
}

struct BookScene : Scene {
    TspSkinNotebook* N;
    int Changes = 0;
    BookScene() : Scene(300, 300)
    {
        N = Place<TspSkinNotebook>(0, 0, 200, 200);
        N->OnPageChanged = [this](TObject*) { ++Changes; };
    }
    void Fill(const std::vector<std::string>& Names)
    {
        N->GetPages()->Clear();
        for (const auto& n : Names) N->GetPages()->Add(n);
    }
};

TEST(Notebook, StartsWithOneDefaultPageShown)
{
    BookScene s;
    EXPECT_EQ(s.N->PageCount(), 1);
    EXPECT_EQ(s.N->GetPages()->Get(0), "Default");
    EXPECT_EQ(s.N->GetPageIndex(), 0);
    EXPECT_EQ(s.N->GetActivePage(), "Default");
    EXPECT_TRUE(s.N->Page(0)->GetVisible());
    EXPECT_EQ(s.N->Page(0)->GetAlign(), alClient);
}

TEST(Notebook, AddAndInsertShowTheNewPageOnly)
{
    BookScene s;
    s.Fill({"A", "B", "C"});
    EXPECT_EQ(s.N->GetPageIndex(), 2);
    EXPECT_EQ(ShownPages(s.N), 1);
    s.N->GetPages()->Insert(1, "X");
    EXPECT_EQ(s.N->GetPageIndex(), 1);
    EXPECT_EQ(s.N->GetActivePage(), "X");
    EXPECT_EQ(ShownPages(s.N), 1);
    EXPECT_TRUE(s.N->Page(1)->GetVisible());
    s.N->GetPages()->Insert(0, "Y");   // before the shown page
    EXPECT_EQ(s.N->GetActivePage(), "Y");
    EXPECT_EQ(ShownPages(s.N), 1);
}

TEST(Notebook, DeletingAnyPageShowsPageZeroAndNoOther)
{
    struct Case {
        int Shown, Deleted;
        const char* NowFirst;
    } cases[] = {{0, 0, "B"}, {2, 0, "B"}, {1, 2, "A"}, {0, 1, "A"}, {3, 3, "A"}, {2, 1, "A"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "shown " << k.Shown << " deleted " << k.Deleted);
        BookScene s;
        s.Fill({"A", "B", "C", "D"});
        s.N->SetPageIndex(k.Shown);
        s.N->GetPages()->Delete(k.Deleted);
        ASSERT_EQ(s.N->PageCount(), 3);
        EXPECT_EQ(s.N->GetPageIndex(), 0);
        EXPECT_EQ(s.N->GetActivePage(), k.NowFirst);
        EXPECT_TRUE(s.N->Page(0)->GetVisible());
        EXPECT_EQ(ShownPages(s.N), 1);
    }
}

TEST(Notebook, ClearLeavesNoPageAndTheNextAddIsTheOneShown)
{
    BookScene s;
    s.Fill({"A", "B"});
    s.N->GetPages()->Clear();
    EXPECT_EQ(s.N->PageCount(), 0);
    EXPECT_EQ(s.N->GetPageIndex(), -1);
    EXPECT_EQ(s.N->GetActivePage(), "");
    s.N->SetPageIndex(0);   // nothing to show
    EXPECT_EQ(s.N->GetPageIndex(), -1);
    s.N->GetPages()->Add("New");
    EXPECT_EQ(s.N->GetPageIndex(), 0);
    EXPECT_EQ(ShownPages(s.N), 1);
    s.N->GetPages()->Delete(0);
    EXPECT_EQ(s.N->PageCount(), 0);
    EXPECT_EQ(s.N->GetPageIndex(), -1);
}

TEST(Notebook, ChoosingByIndexAndNameAndMovingSwaps)
{
    BookScene s;
    s.Fill({"A", "B", "C", "D"});
    const int before = s.Changes;
    for (int bad : {-1, 4, 3}) s.N->SetPageIndex(bad);   // outside, or the shown one
    EXPECT_EQ(s.Changes, before);
    s.N->SetActivePage("B");
    EXPECT_EQ(s.N->GetPageIndex(), 1);
    s.N->SetActivePage("nope");
    EXPECT_EQ(s.N->GetPageIndex(), 1);
    EXPECT_EQ(s.Changes, before + 1);
    TObject* a = s.N->GetPages()->GetObject(0);
    TObject* d = s.N->GetPages()->GetObject(3);
    s.N->GetPages()->Move(0, 3);
    EXPECT_EQ(s.N->GetPages()->GetObject(0), d);
    EXPECT_EQ(s.N->GetPages()->GetObject(3), a);
    EXPECT_EQ(s.N->GetPages()->Get(1), "B");
    EXPECT_EQ(s.N->GetPages()->Get(2), "C");
    EXPECT_EQ(s.N->GetActivePage(), "B");
    s.N->GetPages()->Put(1, "Bee");
    EXPECT_EQ(s.N->GetActivePage(), "Bee");
    // The string list's own exchange swaps the pages with their captions.
    TObject* b = s.N->GetPages()->GetObject(1);
    static_cast<TStrings*>(s.N->GetPages())->Exchange(1, 2);
    EXPECT_EQ(s.N->GetPages()->GetObject(2), b);
    EXPECT_EQ(s.N->GetPages()->Get(2), "Bee");
    EXPECT_EQ(s.N->GetPages()->Get(1), "C");
    EXPECT_EQ(s.N->GetActivePage(), "Bee");
    EXPECT_EQ(s.N->PageCount(), 4);
}

TEST(Notebook, HeadingsStandAboveAndBelowTheShownPage)
{
    BookScene s;
    s.Fill({"One", "Two", "Three"});
    s.N->SetButtonsMode(true);
    s.N->SetPageIndex(1);
    ASSERT_EQ(s.N->ButtonCount(), 3);
    EXPECT_EQ(s.N->Heading(0)->GetAlign(), alTop);
    EXPECT_EQ(s.N->Heading(1)->GetAlign(), alTop);
    EXPECT_EQ(s.N->Heading(2)->GetAlign(), alBottom);
    EXPECT_EQ(s.N->Heading(0)->GetText(), "One");
    // Stacked: the first two headings at the top, the page between, the third at the bottom.
    EXPECT_LT(s.N->Heading(0)->GetTop(), s.N->Heading(1)->GetTop());
    TspSkinPage* page = s.N->Page(1);
    EXPECT_GE(page->GetTop(), s.N->Heading(1)->GetTop() + 25);
    EXPECT_LE(page->GetTop() + page->GetHeight(), s.N->Heading(2)->GetTop());
    EXPECT_EQ(s.N->Heading(2)->GetTop() + 25, s.N->GetClientHeight() - 1);
    // A click on the last heading shows its page and puts every heading on top.
    Click(s.N->Heading(2), 5, 5);
    EXPECT_EQ(s.N->GetPageIndex(), 2);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.N->Heading(i)->GetAlign(), alTop) << i;
    // Renaming a page renames its heading; deleting one rebuilds them.
    s.N->GetPages()->Put(0, "First");
    EXPECT_EQ(s.N->Heading(0)->GetText(), "First");
    s.N->GetPages()->Delete(2);
    ASSERT_EQ(s.N->ButtonCount(), 2);
    EXPECT_EQ(s.N->GetPageIndex(), 0);
    EXPECT_EQ(s.N->Heading(1)->GetAlign(), alBottom);
    s.N->SetButtonsMode(false);
    EXPECT_EQ(s.N->ButtonCount(), 0);
}

TEST(Notebook, APageLetsTheMouseThrough)
{
    BookScene s;
    TspSkinPage* p = s.N->Page(0);
    EXPECT_EQ(p->Perform(WM_NCHITTEST, 0, 0), static_cast<LRESULT>(HTTRANSPARENT));
}

}  // namespace

namespace {

TEST(Notebook, HeadingGlyphsFromTheImageListOnlyForValidIndexes)
{
    struct Case {
        int ImageIndex;
        bool Glyph;
    } cases[] = {{1, true}, {0, true}, {-1, false}, {2, false}, {99, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.ImageIndex);
        BookScene s;
        auto images = std::make_unique<TImageList>(12, 12);
        for (TColor c : {0x0000C0, 0x00C000}) {
            auto b = NewPicture(12, 12, c);
            images->AddMasked(b.get(), clFuchsia);
        }
        s.N->Page(0)->ImageIndex = k.ImageIndex;
        s.N->SetImages(images.get());
        s.N->SetButtonsMode(true);
        ASSERT_EQ(s.N->ButtonCount(), 1);
        TBitmap* g = s.N->Heading(0)->GetGlyph();
        EXPECT_EQ(!g->Empty(), k.Glyph);
        if (k.Glyph) {
            EXPECT_EQ(Probe(g, 6, 6), k.ImageIndex == 1 ? 0x00C000 : 0x0000C0);
        }
        // The list going away clears it from the notebook.
        images.reset();
        EXPECT_EQ(s.N->GetImages(), nullptr);
    }
}

}  // namespace

namespace {

class TLoadingNotebook : public TspSkinNotebook {
public:
    using TspSkinNotebook::TspSkinNotebook;
    void BeginLoading() { FComponentState |= csLoading; }
};

TEST(Notebook, AnIndexStoredWhileLoadingIsShownAfterwards)
{
    struct Case {
        int Stored, Shown;
    } cases[] = {{1, 1}, {0, 0}, {7, -1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Stored);
        Scene s;
        auto* n = s.Place<TLoadingNotebook>(0, 0, 200, 200);
        n->GetPages()->Add("Second");
        n->BeginLoading();
        n->SetPageIndex(k.Stored);
        EXPECT_EQ(n->GetPageIndex(), k.Stored);
        n->Loaded();
        EXPECT_EQ(n->GetPageIndex(), k.Shown);
        EXPECT_EQ(ShownPages(n), k.Shown == -1 ? 0 : 1);
        if (k.Shown != -1) {
            EXPECT_TRUE(n->Page(k.Shown)->GetVisible());
        }
    }
}

}  // namespace
