// The list box's looks by pixel probes: the plain look, each item picture of a
// fixture "listbox" element by state, the client tile under the rows, the
// stretched rows, item images and the shift of the horizontal extent.
#include "test_gtest.h"
#include "ListFixture.h"
#include "ImgList.h"

using namespace ListFixture;

namespace {

// Probe column near the right end of every row: clear of texts and images.
int RightX(TspSkinListBox* L) { return L->GetListBox()->GetWidth() - 6; }
int RowY(TspSkinListBox* L, int I) { TRect r = L->ItemRect(I); return (r.top + r.bottom) / 2; }

TEST(ListLooks, UnskinnedRowsSelectionAndTheStripBelow)
{
    ListScene s(3);
    s.L->SetItemIndex(1);
    auto frame = s.Shot(s.L);
    EXPECT_EQ(Probe(frame.get(), 0, 60), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Probe(frame.get(), 1, 60), Sys(COLOR_BTNFACE));
    auto list = s.Shot(s.Inner());
    const int x = RightX(s.L);
    EXPECT_EQ(Probe(list.get(), x, RowY(s.L, 0)), Sys(COLOR_WINDOW));
    EXPECT_EQ(Probe(list.get(), x, RowY(s.L, 1)), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(Probe(list.get(), x, RowY(s.L, 2)), Sys(COLOR_WINDOW));
    EXPECT_EQ(Probe(list.get(), x, 90), Sys(COLOR_WINDOW));   // below the rows, same paint
}

TEST(ListLooks, SkinnedItemPicturesByState)
{
    ListScene s(4);
    auto d = NewListSkin();
    s.L->SetSkinData(d.get());
    ASSERT_TRUE(s.L->Skinned());
    EXPECT_EQ(s.Inner()->GetItemHeight(), 16);   // the height of the item picture
    EXPECT_EQ(s.L->GetListRect(), TRect(2, 2, 118, 118));
    s.L->SetItemIndex(1);
    SetFocus(s.Form->GetHandle());   // the list has not the focus
    ASSERT_FALSE(s.Inner()->Focused());
    const int x = RightX(s.L);
    struct Probe_ { const char* What; int Row; TColor Expect; };
    {
        auto frame = s.Shot(s.L);
        EXPECT_EQ(Probe(frame.get(), 0, 0), cFrame);
        auto list = s.Shot(s.Inner());
        const Probe_ probes[] = {{"normal", 0, cItem}, {"selected", 1, cActiveItem}, {"normal", 3, cItem}};
        for (const auto& p : probes) EXPECT_EQ(Probe(list.get(), x, RowY(s.L, p.Row)), p.Expect) << p.What;
        EXPECT_EQ(Probe(list.get(), x, 4 * 16 + 20), cClient) << "client tile under the rows";
    }
    // With the focus the selected item takes the focus picture.
    s.Inner()->SetFocus();
    ASSERT_TRUE(s.Inner()->Focused());
    auto list = s.Shot(s.Inner());
    EXPECT_EQ(Probe(list.get(), x, RowY(s.L, 1)), cFocusItem);
    EXPECT_EQ(Probe(list.get(), x, RowY(s.L, 0)), cItem);
    s.L->SetSkinData(nullptr);
    EXPECT_FALSE(s.L->Skinned());
    EXPECT_EQ(s.Inner()->GetItemHeight(), 20);
}

TEST(ListLooks, SkinnedFocusWithoutSelectionKeepsTheItemPicture)
{
    ListScene s(4);
    s.L->SetMultiSelect(true);
    auto d = NewListSkin();
    s.L->SetSkinData(d.get());
    s.Inner()->SetFocus();
    s.L->SetItemIndex(2);
    s.L->SetSelected(2, false);   // the caret stays on 2, unselected
    TBitmap b(s.Inner()->GetWidth(), 16, pf24bit);
    s.Inner()->DrawSkinItem(b.GetCanvas(), 2, TRect(0, 0, b.GetWidth(), 16), odFocused);
    EXPECT_EQ(Probe(&b, b.GetWidth() / 2, 8), cItem);
    int framed = 0;   // the dotted focus frame along the top row
    for (int x = 0; x < b.GetWidth(); ++x) framed += Probe(&b, x, 0) != cItem;
    EXPECT_GT(framed, b.GetWidth() / 4);
    s.Inner()->DrawSkinItem(b.GetCanvas(), 2, TRect(0, 0, b.GetWidth(), 16), odFocused | odSelected);
    EXPECT_EQ(Probe(&b, b.GetWidth() / 2, 8), cFocusItem);
    s.L->SetSkinData(nullptr);
}

TEST(ListLooks, WithoutSkinItemHeightRowsKeepTheirHeightAndStretch)
{
    ListScene s(4);
    s.L->SetUseSkinItemHeight(false);
    auto d = NewListSkin();
    s.L->SetSkinData(d.get());
    EXPECT_EQ(s.Inner()->GetItemHeight(), 20);
    s.L->SetItemIndex(1);
    SetFocus(s.Form->GetHandle());
    auto list = s.Shot(s.Inner());
    const int x = RightX(s.L);
    EXPECT_EQ(Probe(list.get(), x, 21), cActiveItem);
    EXPECT_EQ(Probe(list.get(), x, 38), cActiveItem);
    EXPECT_EQ(Probe(list.get(), x, 41), cItem);
    s.L->SetSkinData(nullptr);
}

TEST(ListLooks, ItemImagesAndTheExtentShift)
{
    ListScene s(3);
    TCustomImageList images(8, 8);
    for (TColor c : {TColor(0x0000FF), TColor(0x00FF00)}) {
        auto pic = NewPicture(8, 8, c);
        images.Add(pic.get(), nullptr);
    }
    s.L->SetImages(&images);
    auto list = s.Shot(s.Inner());
    // Image i on item i, at the text rectangle's left (2); none past the images.
    EXPECT_EQ(Probe(list.get(), 5, RowY(s.L, 0)), TColor(0x0000FF));
    EXPECT_EQ(Probe(list.get(), 5, RowY(s.L, 1)), TColor(0x00FF00));
    EXPECT_EQ(Probe(list.get(), 5, RowY(s.L, 2)), Sys(COLOR_WINDOW));
    s.L->SetImageIndex(1);
    list = s.Shot(s.Inner());
    EXPECT_EQ(Probe(list.get(), 5, RowY(s.L, 0)), TColor(0x00FF00));
    // Shifted 4 pixels left: the image's right edge moves from 10 to 6.
    s.Inner()->FHScrollOffset = 4;
    list = s.Shot(s.Inner());
    EXPECT_EQ(Probe(list.get(), 5, RowY(s.L, 0)), TColor(0x00FF00));
    EXPECT_EQ(Probe(list.get(), 7, RowY(s.L, 0)), Sys(COLOR_WINDOW));
    s.L->SetImages(nullptr);
}

TEST(ListLooks, OwnerDrawingReplacesImageAndText)
{
    ListScene s(3);
    std::vector<int> drawn;
    s.L->OnDrawItem = [&](TCanvas* C, int Index, int W, int H, TRect T, TOwnerDrawState) {
        drawn.push_back(Index);
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(0x123456);
        C->FillRect(TRect(T.left, 0, T.left + 10, H));
        EXPECT_EQ(W, s.Inner()->GetWidth());
    };
    auto list = s.Shot(s.Inner());
    EXPECT_EQ(Probe(list.get(), 4, RowY(s.L, 2)), TColor(0x123456));
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
}

TEST(ListLooks, SkinnedCaptionButtonLightsUnderThePointer)
{
    ListScene s(2);
    auto d = NewListSkin(true);
    s.L->SetCaptionMode(true);
    s.L->SetSkinData(d.get());
    ASSERT_TRUE(s.L->Skinned());
    // Up button: element (62, 3)-(76, 17); right of the right-top point x 70? no: left 62 <= 70 stays.
    EXPECT_EQ(s.L->CaptionButtonRect(0), TRect(62, 3, 76, 17));
    s.L->Perform(WM_MOUSEMOVE, 0, PointToLParam(68, 10));
    auto frame = s.Shot(s.L);
    EXPECT_EQ(Probe(frame.get(), 68, 10), cCaptionBtn);
    s.L->SetSkinData(nullptr);
}

}  // namespace
