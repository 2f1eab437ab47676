// The skinned list view: an owner-data report list of thousands of rows kept in
// step with its external bar both ways, the bar's visibility and the parent's
// realignment, the list style's horizontal bar, the skin's colours, and the
// column header painted from a fixture element (normal, pressed, the empty area
// after the last column, the default look), pressed and resized by the mouse.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "ImgList.h"
#include "SkinBoxControls.h"
#include "SkinScrollBar.h"
#include "SkinViews.h"
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinListView* L;
    TspSkinScrollBar* Bar;
    int DataCalls = 0;
    explicit Scene(int Rows, TViewStyle Style = vsReport)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 320, 240);
        L = new TspSkinListView(Form.get());
        L->SetParent(Form.get());
        L->SetBounds(0, 0, 200, 200);
        L->SetViewStyle(Style);
        L->SetOwnerData(true);
        L->SetRowSelect(true);
        L->SetReadOnly(true);
        L->GetColumns()->Add()->SetWidth(17);
        TListColumn* c = L->GetColumns()->Add();
        c->SetCaption("Online list");
        c->SetWidth(150);
        L->OnData = [this](TObject*, TListItem* I) {
            ++DataCalls;
            I->SetCaption("visitor " + std::to_string(I->GetIndex()));
        };
        Bar = new TspSkinScrollBar(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetParent(Form.get());
        Bar->SetBounds(200, 0, 19, 200);
        L->HandleNeeded();
        L->GetItems()->SetCount(Rows);
        L->SetVScrollBar(Bar);
    }
    HWND H() { return L->GetHandle(); }
    int Top() { return static_cast<int>(SendMessageA(H(), LVM_GETTOPINDEX, 0, 0)); }
    int PerPage() { return static_cast<int>(SendMessageA(H(), LVM_GETCOUNTPERPAGE, 0, 0)); }
    void Key(WPARAM K) { SendMessageA(H(), WM_KEYDOWN, K, 0); }
};

TEST(SkinListView, OwnerDataRowsFollowTheBarAndTheBarFollowsTheKeys)
{
    Scene s(5000);
    const int page = s.PerPage();
    ASSERT_GT(page, 3);
    EXPECT_TRUE(s.Bar->GetVisible());
    EXPECT_EQ(s.Bar->GetMax(), 4999);
    EXPECT_EQ(s.Bar->GetPageSize(), page);
    EXPECT_EQ(s.Bar->GetLargeChange(), page);
    EXPECT_EQ(s.Bar->GetSmallChange(), 1);
    for (int p : {3, 4000, 10, 4999 - page + 1}) {
        SCOPED_TRACE(p);
        s.Bar->SetPosition(p);   // as the user's drag leaves it
        EXPECT_EQ(s.Top(), p);
    }
    // Keys move the list; the bar follows.
    s.Key(VK_HOME);
    EXPECT_EQ(s.Top(), 0);
    EXPECT_EQ(s.Bar->GetPosition(), 0);
    s.Key(VK_END);
    EXPECT_EQ(s.Top(), 5000 - page);
    EXPECT_EQ(s.Bar->GetPosition(), 5000 - page);
    // Rows are asked for as shown, never all of them.
    s.DataCalls = 0;
    s.Form->Show();
    UpdateWindow(s.H());
    EXPECT_LT(s.DataCalls, 5 * page + 20);
}

TEST(SkinListView, RowsThatFitHideTheBarAndAnAlignedListTakesItsPlace)
{
    Scene s(5000);
    s.Bar->SetAlign(alRight);
    s.L->SetAlign(alClient);
    s.L->UpDateScrollBars();
    ASSERT_TRUE(s.Bar->GetVisible());
    EXPECT_EQ(s.L->GetWidth(), s.Form->GetClientWidth() - s.Bar->GetWidth());
    s.L->GetItems()->SetCount(3);
    s.L->UpDateScrollBars();
    EXPECT_FALSE(s.Bar->GetVisible());
    EXPECT_EQ(s.L->GetWidth(), s.Form->GetClientWidth());
    s.L->GetItems()->SetCount(400);
    s.L->UpDateScrollBars();
    EXPECT_TRUE(s.Bar->GetVisible());
    EXPECT_EQ(s.Bar->GetMax(), 399);
}

TEST(SkinListView, BothModeFollowsTheVerticalBar)
{
    Scene s(5000);
    auto* hbar = new TspSkinScrollBar(s.Form.get());
    hbar->SetParent(s.Form.get());
    hbar->SetBounds(0, 200, 200, 19);
    s.L->GetColumns()->GetItem(1)->SetWidth(600);
    s.L->SetHScrollBar(hbar);
    EXPECT_TRUE(hbar->GetVisible());
    EXPECT_TRUE(hbar->GetBoth());
    s.L->GetItems()->SetCount(2);
    s.L->UpDateScrollBars();
    EXPECT_FALSE(s.Bar->GetVisible());
    EXPECT_FALSE(hbar->GetBoth());
    // Moving the horizontal bar scrolls by pixels.
    s.L->GetItems()->SetCount(5000);
    s.L->UpDateScrollBars();
    hbar->SetPosition(40);
    SCROLLINFO si = {sizeof(si), SIF_POS};
    GetScrollInfo(s.H(), SB_HORZ, &si);
    EXPECT_EQ(si.nPos, 40);
}

TEST(SkinListView, ListStyleNeverShowsTheVerticalBar)
{
    Scene s(500, vsList);
    auto* hbar = new TspSkinScrollBar(s.Form.get());
    hbar->SetParent(s.Form.get());
    hbar->SetBounds(0, 200, 200, 19);
    s.L->SetHScrollBar(hbar);
    EXPECT_FALSE(s.Bar->GetVisible());
    EXPECT_TRUE(hbar->GetVisible());
    EXPECT_EQ(hbar->GetSmallChange(), 1);
    hbar->SetPosition(2);   // two columns to the right
    SCROLLINFO si = {sizeof(si), SIF_POS};
    GetScrollInfo(s.H(), SB_HORZ, &si);
    EXPECT_EQ(si.nPos, 2);
    EXPECT_GT(s.Top(), 0);
}

TEST(SkinListView, ColoursFromAListViewElementOnly)
{
    Scene s(10);
    auto d = NewSkin();
    AddButton(d.get(), "listview");   // another kind: nothing changes
    s.L->SetColor(0x123456);
    s.L->SetSkinData(d.get());
    EXPECT_EQ(s.L->GetColor(), 0x123456);
    auto e = NewSkin();
    auto r = std::make_unique<TspDataSkinListView>("listview");
    r->BGColor = 0x203040;
    r->Font.Color = 0x00FF00;
    r->Font.Name = "Courier New";
    e->CtrlList.push_back(std::move(r));
    s.L->SetSkinData(e.get());
    EXPECT_EQ(s.L->GetColor(), 0x203040);
    EXPECT_EQ(s.L->GetFont()->GetColor(), 0x00FF00);
    EXPECT_EQ(s.L->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(static_cast<TColor>(SendMessageA(s.H(), LVM_GETBKCOLOR, 0, 0)), 0x203040);
    EXPECT_EQ(static_cast<TColor>(SendMessageA(s.H(), LVM_GETTEXTCOLOR, 0, 0)), 0x00FF00);
    // Freeing the skin leaves the list working with its defaults at the next application.
    e.reset();
    s.L->ChangeSkinData();
    EXPECT_EQ(s.L->GetColor(), clWindow);
}

// ---- header ----
struct HeaderScene : Scene {
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    HeaderScene() : Scene(50)
    {
        L->GetColumns()->GetItem(0)->SetWidth(80);
        L->GetColumns()->GetItem(1)->SetWidth(100);
        AddButton(Skin.get(), "resizebutton");
        L->SetSkinData(Skin.get());
    }
    HWND Hdr() { return L->GetHeaderWindow(); }
    // The header painted through its WM_PAINT into a bitmap.
    std::unique_ptr<TBitmap> Paint()
    {
        RECT r;
        GetClientRect(Hdr(), &r);
        auto b = NewPicture(r.right, r.bottom, 0xFFFFFF);
        SendMessageA(Hdr(), WM_PAINT, reinterpret_cast<WPARAM>(b->GetCanvas()->GetHandle()), 0);
        return b;
    }
    int MidY()
    {
        RECT r;
        GetClientRect(Hdr(), &r);
        return r.bottom / 2;
    }
};

TEST(SkinListViewHeader, SectionsAndTheEmptyAreaFromTheElement)
{
    HeaderScene s;
    ASSERT_TRUE(s.Hdr());
    auto b = s.Paint();
    const int y = s.MidY();
    struct Probe_ { int X; TColor C; } cases[] = {
        {2, cEdge}, {40, cNormal}, {78, cEdge}, {82, cEdge}, {130, cNormal}, {178, cEdge},
        {182, cEdge},   // the empty area: the element's left end, then its middle repeated
        {195, cNormal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.X);
        EXPECT_EQ(Probe(b.get(), c.X, y), c.C);
    }
}

TEST(SkinListViewHeader, PressShowsTheDownLookUntilReleaseButNotOnADivider)
{
    HeaderScene s;
    const int y = s.MidY();
    SendMessageA(s.Hdr(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, y));
    EXPECT_EQ(s.L->GetPressedSection(), 1);
    EXPECT_TRUE(s.L->GetHeaderPressed());
    auto b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 130, y), cDown);
    EXPECT_EQ(Probe(b.get(), 40, y), cNormal);
    SendMessageA(s.Hdr(), WM_LBUTTONUP, 0, MAKELPARAM(130, y));
    EXPECT_EQ(s.L->GetPressedSection(), -1);
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 130, y), cNormal);
    // On the divider a press starts a resize: no section shows pressed, the column grows.
    SendMessageA(s.Hdr(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, y));
    EXPECT_FALSE(s.L->GetHeaderPressed());
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 40, y), cNormal);
    SendMessageA(s.Hdr(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(110, y));
    SendMessageA(s.Hdr(), WM_LBUTTONUP, 0, MAKELPARAM(110, y));
    EXPECT_EQ(s.L->GetColumns()->GetItem(0)->GetWidth(), 110);
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 108, y), cEdge);   // the right end of the wider first section
    EXPECT_EQ(Probe(b.get(), 160, y), cNormal);
}

TEST(SkinListViewHeader, DefaultLookWithoutAnElementAndTheContentHandler)
{
    HeaderScene s;
    s.L->SetHeaderSkinDataName("nosuchelement");
    const int y = s.MidY();
    auto b = s.Paint();
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace)), shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    EXPECT_EQ(Probe(b.get(), 40, y), face);
    EXPECT_EQ(Probe(b.get(), 0, y), shadow);
    EXPECT_EQ(Probe(b.get(), 190, y), face);
    SendMessageA(s.Hdr(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, y));
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 40, y), static_cast<TColor>(RGB(133, 147, 181)));
    SendMessageA(s.Hdr(), WM_LBUTTONUP, 0, MAKELPARAM(40, y));
    // A content handler: the skin background is still drawn, the handler draws the rest.
    s.L->SetHeaderSkinDataName("resizebutton");
    int calls = 0;
    TRect seen;
    s.L->OnDrawHeaderSection = [&](TCanvas* C, TListColumn* Col, bool, const TRect& R) {
        ++calls;
        seen = R;
        if (Col->GetIndex() == 1) {
            C->GetBrush()->SetColor(0x00FFFF);
            C->FillRect(TRect(20, 2, 30, R.bottom - 2));
        }
    };
    b = s.Paint();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen.left, 0);
    EXPECT_EQ(seen.right, 100);
    EXPECT_EQ(Probe(b.get(), 105, y), 0x00FFFF);
    EXPECT_EQ(Probe(b.get(), 130, y), cNormal);
}

// A column with an image of the small images shows it before its caption: at
// the left, or centred together with the caption in a centred column.
TEST(SkinListViewHeader, ColumnImagesLeadTheirCaptions)
{
    HeaderScene s;
    const TColor cPicture = RGB(0, 200, 100);
    TImageList images(16, 16, nullptr);
    TBitmap pic(16, 16, pf24bit);
    pic.GetCanvas()->GetBrush()->SetColor(cPicture);
    pic.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    images.AddMasked(&pic, RGB(255, 0, 255));
    s.L->SetSmallImages(&images);
    TListColumn* col = s.L->GetColumns()->GetItem(1);   // 80..180
    col->SetCaption("");
    col->SetImageIndex(0);
    const int y = s.MidY();
    auto b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 80 + 5 + 8, y), cPicture);
    EXPECT_EQ(Probe(b.get(), 80 + 5 + 20, y), cNormal);
    col->SetAlignment(taCenter);   // (100 - 10) / 2 - (16 + 10) / 2 = 32 into the text rectangle
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 80 + 5 + 8, y), cNormal);
    EXPECT_EQ(Probe(b.get(), 80 + 5 + 32 + 8, y), cPicture);
    col->SetImageIndex(5);   // beyond the images: none
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 80 + 5 + 32 + 8, y), cNormal);
    s.L->SetSmallImages(nullptr);
}

TEST(SkinListViewHeader, ARecreatedListHooksItsNewHeader)
{
    HeaderScene s;
    HWND first = s.Hdr();
    ASSERT_TRUE(first);
    s.L->SetRowSelect(false);   // recreates the window
    s.L->HandleNeeded();
    ASSERT_TRUE(s.Hdr());
    auto b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 40, s.MidY()), cNormal);
}

}  // namespace

namespace {

TEST(SkinListViewHeader, ReorderedColumnsArePaintedInTheirPlaces)
{
    HeaderScene s;
    SendMessageA(s.H(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
    int order[] = {1, 0};
    ASSERT_TRUE(SendMessageA(s.H(), LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order)));
    std::vector<std::pair<int, int>> drawn;   // column, width
    s.L->OnDrawHeaderSection = [&](TCanvas*, TListColumn* Col, bool, const TRect& R) {
        drawn.emplace_back(Col->GetIndex(), R.right);
    };
    auto b = s.Paint();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], std::make_pair(1, 100));   // the wide column now comes first
    EXPECT_EQ(drawn[1], std::make_pair(0, 80));
    const int y = s.MidY();
    EXPECT_EQ(Probe(b.get(), 98, y), cEdge);
    EXPECT_EQ(Probe(b.get(), 60, y), cNormal);
    EXPECT_EQ(s.L->GetHeaderSectionRect(0).right, 100);
    // A press at the left lands on the place, which shows the wide column pressed.
    SendMessageA(s.Hdr(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, y));
    EXPECT_EQ(s.L->GetPressedSection(), 0);
    b = s.Paint();
    EXPECT_EQ(Probe(b.get(), 50, y), cDown);
    SendMessageA(s.Hdr(), WM_LBUTTONUP, 0, MAKELPARAM(50, y));
}

TEST(SkinListView, TheOnlineListSelectionStillWorks)
{
    Scene s(3000);
    std::vector<int> selected;
    s.L->OnSelectItem = [&](TObject*, TListItem* I, bool Sel) {
        if (Sel && I) selected.push_back(I->GetIndex());
    };
    s.L->SetItemIndex(2500);
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(selected.back(), 2500);
    ASSERT_TRUE(s.L->GetSelected());
    EXPECT_EQ(s.L->GetSelected()->GetIndex(), 2500);
    EXPECT_EQ(s.L->GetSelected()->GetCaption(), "visitor 2500");
    // The bar follows a selection made visible.
    SendMessageA(s.H(), LVM_ENSUREVISIBLE, 2500, FALSE);
    EXPECT_LE(s.Bar->GetPosition(), 2500);
    EXPECT_GT(s.Bar->GetPosition() + s.PerPage(), 2500);
    EXPECT_EQ(s.Bar->GetPosition(), s.Top());
    s.Key(VK_DOWN);
    EXPECT_EQ(selected.back(), 2501);
}

}  // namespace
