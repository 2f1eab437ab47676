// The skinned tree view: selection and expansion by keys through the window,
// its external bar in step with the rows both ways, and its skinned colours.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinBoxControls.h"
#include "SkinScrollBar.h"
#include "SkinViews.h"
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinTreeView* T;
    TspSkinScrollBar* Bar;
    std::vector<TTreeNode*> Changes;
    Scene(int Roots, int Children)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 320, 240);
        T = new TspSkinTreeView(Form.get());
        T->SetParent(Form.get());
        T->SetBounds(0, 0, 200, 150);
        for (int i = 0; i < Roots; ++i) {
            TTreeNode* r = T->GetItems()->Add("folder " + std::to_string(i));
            for (int j = 0; j < Children; ++j) T->GetItems()->AddChild(r, "file " + std::to_string(j));
        }
        Bar = new TspSkinScrollBar(Form.get());
        Bar->SetKind(sbVertical);
        Bar->SetParent(Form.get());
        Bar->SetBounds(200, 0, 19, 150);
        T->HandleNeeded();
        T->SetVScrollBar(Bar);
        T->OnChange = [this](TObject*, TTreeNode* N) { Changes.push_back(N); };
    }
    void Key(WPARAM K) { SendMessageA(T->GetHandle(), WM_KEYDOWN, K, 0); }
    TTreeNode* Root(int I) { return T->GetItems()->GetRoot(I); }
};

TEST(SkinTreeView, KeysSelectAndExpand)
{
    Scene s(3, 4);
    s.T->SetSelected(s.Root(0));
    ASSERT_EQ(s.T->GetSelected(), s.Root(0));
    struct Step { WPARAM Key; TTreeNode* Selected; bool Root1Expanded; } steps[] = {
        {VK_DOWN, s.Root(1), false},
        {VK_RIGHT, s.Root(1), true},             // opens the folder
        {VK_DOWN, s.Root(1)->GetItem(0), true},  // into its first child
        {VK_END, s.Root(2), true},
        {VK_UP, s.Root(1)->GetItem(3), true},
        {VK_LEFT, s.Root(1), true},              // to the parent
        {VK_LEFT, s.Root(1), false},             // closes it
    };
    for (const auto& st : steps) {
        SCOPED_TRACE(st.Key);
        s.Key(st.Key);
        EXPECT_EQ(s.T->GetSelected(), st.Selected);
        EXPECT_EQ(s.Root(1)->GetExpanded(), st.Root1Expanded);
    }
    ASSERT_FALSE(s.Changes.empty());
    EXPECT_EQ(s.Changes.back(), s.Root(1));
    EXPECT_EQ(s.T->GetItems()->GetCount(), 15);
    EXPECT_EQ(s.T->GetItems()->GetItem(6), s.Root(1)->GetItem(0));
}

TEST(SkinTreeView, BarFollowsRowsAndScrollsTheTree)
{
    Scene s(3, 0);
    EXPECT_FALSE(s.Bar->GetVisible());   // all rows fit
    Scene m(60, 0);
    ASSERT_TRUE(m.Bar->GetVisible());
    const int rows = static_cast<int>(SendMessageA(m.T->GetHandle(), TVM_GETVISIBLECOUNT, 0, 0));
    EXPECT_EQ(m.Bar->GetPageSize(), rows);
    EXPECT_EQ(m.Bar->GetMax(), 59);
    m.Bar->SetPosition(10);
    EXPECT_EQ(m.T->GetTopItem(), m.Root(10));
    m.T->SetSelected(m.Root(59));
    m.Key(VK_END);
    EXPECT_EQ(m.Bar->GetPosition(), 60 - rows);
    // A freed bar is forgotten; the tree keeps working.
    delete m.Bar;
    EXPECT_EQ(m.T->GetVScrollBar(), nullptr);
    m.Key(VK_HOME);
    EXPECT_EQ(m.T->GetSelected(), m.Root(0));
}

TEST(SkinTreeView, ColoursFromATreeViewElementAndARecreatedWindowKeepsItsNodes)
{
    Scene s(2, 2);
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinTreeView>("treeview");
    r->BGColor = 0x102030;
    r->Font.Color = 0x0000FF;
    d->CtrlList.push_back(std::move(r));
    s.T->SetSkinData(d.get());
    EXPECT_TRUE(s.T->Skinned());
    EXPECT_EQ(s.T->GetColor(), 0x102030);
    EXPECT_EQ(static_cast<TColor>(SendMessageA(s.T->GetHandle(), TVM_GETBKCOLOR, 0, 0)), 0x102030);
    EXPECT_EQ(static_cast<TColor>(SendMessageA(s.T->GetHandle(), TVM_GETTEXTCOLOR, 0, 0)), 0x0000FF);
    s.Root(1)->Expand(false);
    s.T->SetSelected(s.Root(1)->GetItem(1));
    s.T->SetShowLines(false);   // recreates the window
    s.T->HandleNeeded();
    EXPECT_EQ(SendMessageA(s.T->GetHandle(), TVM_GETCOUNT, 0, 0), 6);
    EXPECT_TRUE(s.Root(1)->GetExpanded());
    EXPECT_EQ(s.T->GetSelected(), s.Root(1)->GetItem(1));
    s.T->SetSkinData(nullptr);
    s.T->ChangeSkinData();
    EXPECT_EQ(s.T->GetColor(), clWindow);
}

}  // namespace

namespace {

TEST(SkinTreeView, HorizontalBarForWideLabelsAndBothMode)
{
    Scene s(60, 0);
    s.Root(0)->SetText(std::string(80, 'W'));
    auto* hbar = new TspSkinScrollBar(s.Form.get());
    hbar->SetParent(s.Form.get());
    hbar->SetBounds(0, 150, 200, 19);
    s.T->SetHScrollBar(hbar);
    s.T->UpDateScrollBars();
    EXPECT_TRUE(hbar->GetVisible());
    EXPECT_EQ(hbar->GetPageSize(), s.T->GetWidth());
    EXPECT_TRUE(s.Bar->GetVisible());
    EXPECT_TRUE(hbar->GetBoth());
    hbar->SetPosition(30);
    SCROLLINFO si = {sizeof(si), SIF_POS};
    GetScrollInfo(s.T->GetHandle(), SB_HORZ, &si);
    EXPECT_EQ(si.nPos, 30);
    // Few rows: the vertical bar goes and the horizontal one leaves Both mode.
    while (s.T->GetItems()->GetRootCount() > 2) s.T->GetItems()->Delete(s.Root(s.T->GetItems()->GetRootCount() - 1));
    s.T->UpDateScrollBars();
    EXPECT_FALSE(s.Bar->GetVisible());
    EXPECT_FALSE(hbar->GetBoth());
}

}  // namespace

namespace {

TEST(SkinTreeView, LoadingDefersTheSkinUntilLoaded)
{
    Scene s(40, 0);
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinTreeView>("treeview");
    r->BGColor = 0x405060;
    d->CtrlList.push_back(std::move(r));
    s.T->SetLoading(true);
    s.T->SetSkinData(d.get());
    EXPECT_FALSE(s.T->Skinned());
    EXPECT_EQ(s.T->GetColor(), clWindow);
    s.T->Loaded();
    EXPECT_TRUE(s.T->Skinned());
    EXPECT_EQ(s.T->GetColor(), 0x405060);
    EXPECT_TRUE(s.Bar->GetVisible());
}

}  // namespace

namespace {

TEST(SkinTreeView, LabelsAreMeasuredInTheSkinsFont)
{
    Scene s(3, 0);
    auto d = NewSkin();
    auto r = std::make_unique<TspDataSkinTreeView>("treeview");
    r->Font.Name = "Arial";
    r->Font.Height = 30;
    d->CtrlList.push_back(std::move(r));
    s.T->SetSkinData(d.get());
    HWND h = s.T->GetHandle();
    RECT item = {};
    const HTREEITEM asked = s.Root(0)->GetItemId();   // the message reads the item from the rectangle
    std::memcpy(&item, &asked, sizeof asked);
    ASSERT_TRUE(SendMessageA(h, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, s.T->GetFont()->GetHandle());
    SIZE sz = {};
    GetTextExtentPoint32A(dc, "folder 0", 8, &sz);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_GE(item.right - item.left, sz.cx);
    EXPECT_GE(item.bottom - item.top, sz.cy);
}

}  // namespace
