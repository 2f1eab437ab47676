// The font combo lists the fonts installed in the prefix (each family once, the
// filters applied), the size combo the sizes of one font, and the colour combo
// the named colours with its "Custom..." entry, which opens the colour dialog.
#include "test_gtest.h"
#include "ColourTestKit.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinColorComboBox.h"
#include "SkinColorDialog.h"
#include "SkinFontCombos.h"
#include "WaitUntil.h"
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace ColourTest;

namespace {

// A TrueType family the test prefix offers (from the host's fonts).
const char* const kFamily = "DejaVu Sans";
const char* const kFamilyLower = "dejavu sans";

struct ComboForm {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    ComboForm()
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(30, 30, 300, 200);
        Form->Show();
    }
    template <class T> T* Add(int Top)
    {
        auto* c = new T(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(10, Top, 200, 20);
        c->HandleNeeded();
        return c;
    }
};

std::vector<std::string> Items(TspSkinCustomComboBox* C)
{
    std::vector<std::string> r;
    for (int i = 0; i < C->GetItems()->GetCount(); ++i) r.push_back(C->GetItems()->Get(i));
    return r;
}

bool Has(const std::vector<std::string>& V, const std::string& S)
{
    for (const auto& x : V)
        if (x == S) return true;
    return false;
}

TEST(FontRules, FilterAndSizes)
{
    EXPECT_TRUE(SpFontLists::PassesFilter(0, SYMBOL_CHARSET, RASTER_FONTTYPE, 0));
    EXPECT_FALSE(SpFontLists::PassesFilter(foTrueTypeOnly, ANSI_CHARSET, RASTER_FONTTYPE, 0));
    EXPECT_TRUE(SpFontLists::PassesFilter(foTrueTypeOnly | foAnsiOnly, ANSI_CHARSET, TRUETYPE_FONTTYPE, 0));
    EXPECT_FALSE(SpFontLists::PassesFilter(foNoSymbolFonts, SYMBOL_CHARSET, TRUETYPE_FONTTYPE, 0));
    EXPECT_FALSE(SpFontLists::PassesFilter(foFixedPitchOnly, ANSI_CHARSET, TRUETYPE_FONTTYPE, VARIABLE_PITCH));
    EXPECT_TRUE(SpFontLists::PassesFilter(foFixedPitchOnly, ANSI_CHARSET, TRUETYPE_FONTTYPE, FIXED_PITCH));
    EXPECT_FALSE(SpFontLists::PassesFilter(foOEMFontsOnly, ANSI_CHARSET, RASTER_FONTTYPE, 0));
    EXPECT_FALSE(SpFontLists::PassesFilter(foNoOEMFonts, OEM_CHARSET, RASTER_FONTTYPE, 0));
    EXPECT_FALSE(SpFontLists::PassesFilter(foScalableOnly, ANSI_CHARSET, RASTER_FONTTYPE, 0));

    // Raster cells of 13, 16 and 19 pixels at 96 pixels per inch, in any order.
    std::vector<int> sizes;
    for (int h : {19, 13, 16, 13, 19}) SpFontLists::InsertSize(sizes, SpFontLists::PointSize(h, 0, 96));
    EXPECT_EQ(sizes, (std::vector<int>{10, 12, 14}));
    EXPECT_EQ(SpFontLists::PointSize(16, 3, 96), 10);   // 9.75 rounds to 10

    struct Case {
        const char* Text;
        int Value;
    };
    const Case cases[] = {{"12", 12}, {"-3", -3}, {"1-2", 0}, {"-", 0}, {"", 0}, {"1.5", 0}, {" 9", 0},
                          {"2147483647", 2147483647}, {"2147483648", 0}, {"99999999999999999999", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(SpFontLists::SizeValue(c.Text), c.Value);
    }
}

TEST(FontCombo, ListsTheInstalledFamiliesOnce)
{
    ComboForm f;
    auto* c = f.Add<TspSkinFontComboBox>(10);
    const auto all = Items(c);
    ASSERT_GT(all.size(), 3u);
    EXPECT_TRUE(Has(all, kFamily));
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
    for (size_t i = 1; i < all.size(); ++i) EXPECT_LE(CompareText(all[i - 1], all[i]), 0);
    const int family = c->GetItems()->IndexOf(kFamily);
    EXPECT_TRUE(c->FontTypeOf(family) & TRUETYPE_FONTTYPE);
    EXPECT_TRUE(c->FontTypeOf(family) & 0x100);

    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    c->SetFontName(kFamilyLower);
    EXPECT_EQ(c->GetFontName(), kFamily);
    EXPECT_EQ(changes, 1);
    // TrueType only: fewer or as many, every one TrueType, the chosen one kept.
    c->SetTrueTypeOnly(true);
    const auto tt = Items(c);
    EXPECT_LE(tt.size(), all.size());
    for (int i = 0; i < c->GetItems()->GetCount(); ++i) EXPECT_TRUE(c->FontTypeOf(i) & TRUETYPE_FONTTYPE);
    EXPECT_EQ(c->GetFontName(), kFamily);
    // Screen and printer together still list each family once.
    c->SetDevice(fdBoth);
    const auto both = Items(c);
    EXPECT_EQ(std::set<std::string>(both.begin(), both.end()).size(), both.size());
    EXPECT_TRUE(Has(both, kFamily));
}

TEST(FontCombo, TrueTypeMarkAndFontChange)
{
    auto b = std::make_unique<TBitmap>(20, 20, pf24bit);
    b->GetCanvas()->GetBrush()->SetColor(clWhite);
    b->GetCanvas()->FillRect(TRect(0, 0, 20, 20));
    TspSkinFontComboBox::DrawTT(b->GetCanvas(), 5, 5, clBlack);
    struct Case {
        int X, Y;
        bool Ink;
    };
    const Case cases[] = {{5, 5, true},  {12, 5, true},  {5, 7, true},   {12, 7, true},  {8, 12, true},
                          {9, 12, true}, {7, 13, true},  {10, 13, true}, {13, 5, false}, {5, 8, false},
                          {6, 6, false}, {8, 13, true},  {6, 13, false}, {11, 13, false}, {8, 14, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(b->GetCanvas()->GetPixel(c.X, c.Y) & 0xFFFFFF, c.Ink ? clBlack : clWhite);
    }

    ComboForm f;
    auto* c = f.Add<TspSkinFontComboBox>(10);
    c->SetFontName(kFamily);
    const int count = c->GetItems()->GetCount();
    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    SendMessageA(c->GetHandle(), WM_FONTCHANGE, 0, 0);
    EXPECT_EQ(c->GetItems()->GetCount(), count);
    EXPECT_EQ(c->GetFontName(), kFamily);
    EXPECT_EQ(changes, 0);
}

TEST(FontSizeCombo, SizesOfOneFont)
{
    ComboForm f;
    auto* c = f.Add<TspSkinFontSizeComboBox>(40);
    c->SetFontName("");
    EXPECT_EQ(c->GetItems()->GetCount(), 0);
    int clicks = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    c->SetFontName(kFamily);
    EXPECT_EQ(Items(c), (std::vector<std::string>{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24",
                                                   "26", "28", "36", "48", "72"}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(c->GetSizeValue(), 0);
    c->SetItemIndex(4);
    EXPECT_EQ(c->GetSizeValue(), 12);
    // A family that is no TrueType font lists the sizes it reports, ascending, each once.
    auto* fonts = f.Add<TspSkinFontComboBox>(70);
    for (int i = 0; i < fonts->GetItems()->GetCount(); ++i) {
        if (fonts->FontTypeOf(i) & TRUETYPE_FONTTYPE) continue;
        SCOPED_TRACE(fonts->GetItems()->Get(i));
        TspSkinFontSizeComboBox other(nullptr);
        other.SetParent(f.Form.get());
        other.SetFontName(fonts->GetItems()->Get(i));
        const auto sizes = Items(&other);
        EXPECT_FALSE(sizes.empty());
        for (size_t k = 1; k < sizes.size(); ++k) EXPECT_LT(std::stoi(sizes[k - 1]), std::stoi(sizes[k]));
        other.SetParent(nullptr);
        break;
    }
    c->SetStyle(spcbEditStyle);
    for (const char* t : {"12", "-3", "1-2", "-", "99999999999"}) {
        SCOPED_TRACE(t);
        c->SetText(t);
        EXPECT_EQ(c->GetSizeValue(), SpFontLists::SizeValue(t));
    }
}

TEST(ColourCombo, ListsGroupsAndNames)
{
    ComboForm f;
    auto* c = f.Add<TspSkinColorComboBox>(70);
    // Standard, extended and system colours, without clNone and clDefault.
    EXPECT_EQ(c->GetItems()->GetCount(), 50);
    EXPECT_EQ(c->GetColorName(0), "clBlack");
    EXPECT_EQ(c->GetColor(9), clRed);
    EXPECT_EQ(c->GetColorName(16), "clMoneyGreen");
    EXPECT_EQ(c->GetItems()->IndexOf("clNone"), -1);
    c->SetExStyle(spcbSystemColors | spcbPrettyNames | spcbIncludeNone);
    EXPECT_TRUE(Has(Items(c), "Info Bk"));
    EXPECT_TRUE(Has(Items(c), "None"));
    EXPECT_EQ(c->GetItems()->GetCount(), 31);
    c->SetExStyle(spcbExtendedColors | spcbPrettyNames);
    EXPECT_EQ(Items(c), (std::vector<std::string>{"Money Green", "Sky Blue", "Cream", "Med Gray"}));
    EXPECT_EQ(c->GetItemIndex(), 0);
    c->SetExStyle(spcbIncludeNone);
    EXPECT_FALSE(c->GetEnabled());
    EXPECT_EQ(c->GetItems()->GetCount(), 0);

    c->SetExStyle(spcbStandardColors | spcbCustomColor);
    EXPECT_TRUE(c->GetEnabled());
    ASSERT_EQ(c->GetItems()->GetCount(), 17);
    EXPECT_EQ(c->GetColorName(0), "Custom...");
    c->SetSelected(clTeal);
    EXPECT_EQ(c->GetItemIndex(), 7);
    EXPECT_EQ(c->GetSelected(), clTeal);
    // An unlisted colour goes into "Custom..." and is selected there.
    c->SetSelected(0x123456);
    EXPECT_EQ(c->GetItemIndex(), 0);
    EXPECT_EQ(c->GetColor(0), 0x123456);
    EXPECT_EQ(c->GetSelected(), 0x123456);
    // Without "Custom..." an unlisted colour selects nothing.
    c->SetExStyle(spcbStandardColors);
    c->SetSelected(0x654321);
    EXPECT_EQ(c->GetItemIndex(), -1);
    EXPECT_EQ(c->GetSelected(), clSystemColor);
}

TEST(ColourCombo, CustomEntryOpensTheColourDialog)
{
    ComboForm f;
    auto* c = f.Add<TspSkinColorComboBox>(100);
    c->SetExStyle(spcbStandardColors | spcbCustomColor);
    c->SetSelected(0x102030);
    std::vector<std::string> log;
    c->OnClick = [&](TObject*) { log.push_back("click"); };
    c->OnChange = [&](TObject*) { log.push_back("change"); };
    TspSkinColorDialog* dialog = nullptr;
    TColor startColour = -1;
    c->OnColorDialog = [&](TspSkinColorDialog* D) {
        dialog = D;
        startColour = D->Color;
    };
    // Enter on "Custom...": the dialog opens with its colour; we type a new one and press OK.
    Later act(80, [&] {
        if (!dialog || !dialog->Window) return;
        Type(dialog->REdit, "200");
        Type(dialog->GEdit, "100");
        Type(dialog->BEdit, "50");
        Click(dialog->OKButton, 10, 10);
    });
    Later guard(8000, [&] {
        if (dialog && dialog->Window) dialog->Window->SetModalResult(mrCancel);
    });
    log.clear();
    c->SetFocus();
    SendMessageA(c->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(startColour, 0x102030);
    EXPECT_EQ(c->GetColor(0), RGBToColor(200, 100, 50));
    EXPECT_EQ(c->GetSelected(), RGBToColor(200, 100, 50));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change"}));

    // Cancel keeps the custom colour.
    dialog = nullptr;
    Later cancel(80, [&] {
        if (dialog && dialog->Window) dialog->Window->SetModalResult(mrCancel);
    });
    Later guard2(8000, [&] {
        if (dialog && dialog->Window) dialog->Window->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(c->PickCustomColor());
    EXPECT_EQ(c->GetColor(0), RGBToColor(200, 100, 50));

    // Choosing "Custom..." in the open list opens the dialog too.
    dialog = nullptr;
    Later pick(80, [&] {
        if (!dialog || !dialog->Window) return;
        Type(dialog->GEdit, "0");
        dialog->Window->SetModalResult(mrOk);
    });
    Later guard3(8000, [&] {
        if (dialog && dialog->Window) dialog->Window->SetModalResult(mrCancel);
    });
    c->SetItemIndex(3);
    c->DropDown();
    c->GetListBox()->SetItemIndex(0);
    c->CloseUp(true);
    EXPECT_EQ(c->GetItemIndex(), 0);
    EXPECT_EQ(c->GetColor(0), RGBToColor(200, 0, 50));
}

}  // namespace
