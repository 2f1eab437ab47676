// The dialogs and the preview window in the main window's skin: framed and
// skinned with the host's skin, plain without one, re-skinned while open when
// the skin changes. Each look is saved under artefacts/ for a person to see.
#include "test_gtest.h"
#include "CustomizationForm.h"
#include "DialogTestKit.h"
#include "PreferencesForm.h"
#include "PreviewForm.h"
#include "SkinData.h"
#include "SkinTestKit.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace dlgtest;

namespace {

void Settle() { PumpUntilIdle(); }

using SkinKit::LoadSkin;
using SkinKit::Probe;

// What the screen shows of a window (its frame included).
std::unique_ptr<TBitmap> Grab(HWND Wnd) { return SkinKit::ScreenShot(Wnd); }

void SaveShot(TCustomForm* Form, const std::string& Name) { SkinKit::SaveArtefact(Grab(Form->GetHandle()).get(), Name); }

// Pixels that differ between two grabs of one window of the same size.
int Differ(TBitmap* A, TBitmap* B)
{
    int n = 0;
    int w = std::min(A->GetWidth(), B->GetWidth()), h = std::min(A->GetHeight(), B->GetHeight());
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2)
            if (Probe(A, x, y) != Probe(B, x, y)) ++n;
    return n;
}

// The unskinned case comes first and keeps its picture; every skinned one must
// look different from it.
void KeepOrCompare(std::unique_ptr<TBitmap>& Plain, std::unique_ptr<TBitmap> Look, bool Skinned)
{
    if (!Skinned)
        Plain = std::move(Look);
    else
        EXPECT_GT(Differ(Look.get(), Plain.get()), 50);
}

struct SkinCase {
    const char* Name;   // null: no skin
};
const SkinCase kSkins[] = {{nullptr}, {"Korvel2"}, {"Sarnic"}};

// ---------------------------------------------------------------- framed and bound

TEST(DialogSkins, PreferencesWearsTheHostsSkinOrStaysPlain)
{
    TTestFolder folder("skin_prefs");
    std::unique_ptr<TBitmap> plainButton;
    for (const SkinCase& c : kSkins) {
        SCOPED_TRACE(c.Name ? c.Name : "unskinned");
        std::unique_ptr<TspSkinData> skin = c.Name ? LoadSkin(c.Name) : nullptr;
        if (c.Name) {
            ASSERT_TRUE(skin);
        }
        TFakeHost host;
        host.Skin = skin.get();
        TForm2 d(nullptr, &host);
        ASSERT_NE(d.spFormFrame1, nullptr);
        EXPECT_EQ(d.FindComponent("spFormFrame1"), d.spFormFrame1);
        EXPECT_EQ(d.spFormFrame1->GetSkinData(), skin.get());
        for (TspSkinControl* s : std::initializer_list<TspSkinControl*>{
                 d.Button5, d.Button6, d.spSkinButton1, d.spSkinGroupBox1, d.spSkinGroupBox2, d.ComboBox1, d.ComboBox2})
            EXPECT_EQ(s->Skinned(), c.Name != nullptr) << s->GetName();
        EXPECT_EQ(d.spSkinStdLabel1->GetSkinDataComponent(), skin.get());
        d.Show();
        Settle();
        SaveShot(&d, std::string("preferences-") + (c.Name ? c.Name : "unskinned"));
        KeepOrCompare(plainButton, Grab(d.Button5->GetHandle()), c.Name != nullptr);
        d.Hide();
    }
}

TEST(DialogSkins, CustomizationWearsTheHostsSkinOrStaysPlain)
{
    TTestFolder folder("skin_custom");
    std::unique_ptr<TBitmap> plainButton;
    for (const SkinCase& c : kSkins) {
        SCOPED_TRACE(c.Name ? c.Name : "unskinned");
        std::unique_ptr<TspSkinData> skin = c.Name ? LoadSkin(c.Name) : nullptr;
        if (c.Name) {
            ASSERT_TRUE(skin);
        }
        TFakeHost host;
        host.Skin = skin.get();
        TForm3 d(nullptr, &host);
        EXPECT_EQ(d.spFormFrame1->GetSkinData(), skin.get());
        for (TspSkinControl* s : std::initializer_list<TspSkinControl*>{
                 d.Button5, d.spSkinButton1, d.CheckBox13, d.CheckBox1, d.spSkinGroupBox2, d.CheckBox12, d.Edit7,
                 d.spSkinPanel2, d.spSkinComboBox1, d.spSkinComboBox2})
            EXPECT_EQ(s->Skinned(), c.Name != nullptr) << s->GetName();
        EXPECT_EQ(d.Edit4->Skinned(), c.Name != nullptr);
        EXPECT_EQ(d.spSkinMemoHTML->Skinned(), c.Name != nullptr);
        EXPECT_EQ(d.Tabsss->GetSkinDataComponent(), skin.get());
        EXPECT_EQ(d.spSkinScrollBar1->Skinned(), c.Name != nullptr);
        // The check groups keep their captions' check in every look.
        EXPECT_TRUE(d.CheckBox13->GetCheckedMode());
        d.Show();
        Settle();
        std::string look = c.Name ? c.Name : "unskinned";
        for (TspSkinTabSheet* page : {d.spSkinTabSheet1, d.spSkinTabSheet3, d.spSkinTabSheet7, d.spSkinTabSheet8}) {
            d.Tabsss->SetActivePage(page);
            Settle();
            SaveShot(&d, "customization-" + look + "-" + page->GetName());
        }
        // The HTML is longer than the memo: its vertical bar can scroll it.
        EXPECT_GT(d.spSkinMemoHTML->GetLines()->GetCount(), 5);
        EXPECT_TRUE(d.spSkinScrollBar1->GetEnabled());
        EXPECT_GT(d.spSkinScrollBar1->GetMax(), 0);
        KeepOrCompare(plainButton, Grab(d.Button5->GetHandle()), c.Name != nullptr);
        d.Hide();
    }
}

TEST(DialogSkins, PreviewWindowWearsTheSkinWithItsOwnFrameSettings)
{
    TTestFolder folder("skin_preview");
    std::unique_ptr<TBitmap> plain;
    for (const SkinCase& c : kSkins) {
        SCOPED_TRACE(c.Name ? c.Name : "unskinned");
        std::unique_ptr<TspSkinData> skin = c.Name ? LoadSkin(c.Name) : nullptr;
        if (c.Name) {
            ASSERT_TRUE(skin);
        }
        TForm4 w(nullptr, skin.get());
        ASSERT_NE(w.spFormFrame1, nullptr);
        EXPECT_EQ(w.spFormFrame1->GetSkinData(), skin.get());
        EXPECT_EQ(w.spFormFrame1->GetBorderIcons(), static_cast<TspBorderIcons>(biSystemMenu));
        EXPECT_TRUE(w.spFormFrame1->Sizeable);
        EXPECT_FALSE(w.spFormFrame1->GetAlphaBlend());
        EXPECT_FALSE(w.spFormFrame1->GetShowIcon());
        // No recording: the window stays empty.
        w.Show();
        Settle();
        SaveShot(&w, std::string("preview-") + (c.Name ? c.Name : "unskinned"));
        KeepOrCompare(plain, Grab(w.GetHandle()), c.Name != nullptr);
        w.Close();
        Settle();
    }
}

TEST(DialogSkins, PlayOpensThePreviewInTheHostsSkin)
{
    TTestFolder folder("skin_play");
    auto skin = LoadSkin("Sarnic");
    ASSERT_TRUE(skin);
    TFakeHost host;
    host.Skin = skin.get();
    TForm3 d(nullptr, &host);
    d.Show();
    d.Edit1->SetText(folder + "absent.str");
    TspSkinData* worn = nullptr;
    bool seen = false;
    TModalStep watch(
        [&] {
            auto* preview = dynamic_cast<TForm4*>(ModalForm());
            if (!preview) return false;
            seen = true;
            worn = preview->spFormFrame1->GetSkinData();
            preview->Close();
            return true;
        },
        5000);
    d.Button12->ButtonClick();
    EXPECT_TRUE(seen);
    EXPECT_EQ(worn, skin.get());
    d.Hide();
}

// ---------------------------------------------------------------- a live change

TEST(DialogSkins, ASkinChangeReskinsAnOpenDialog)
{
    TTestFolder folder("skin_live");
    auto skin = LoadSkin("Korvel2");
    ASSERT_TRUE(skin);
    TFakeHost host;
    host.Skin = skin.get();
    TForm3 d(nullptr, &host);
    d.Show();
    Settle();
    auto korvelButton = Grab(d.Button5->GetHandle());
    const std::string korvelName = skin->SkinName;

    // The main window loads another skin into the same component.
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    EXPECT_NE(skin->SkinName, korvelName);
    Settle();
    SaveShot(&d, "customization-live-Sarnic");
    EXPECT_GT(Differ(Grab(d.Button5->GetHandle()).get(), korvelButton.get()), 50);
    EXPECT_TRUE(d.Edit4->Skinned());

    // The skin goes: every control, the edits and the memo too, is plain again.
    skin->ClearSkin();
    Settle();
    SaveShot(&d, "customization-live-cleared");
    for (TspSkinControl* s : std::initializer_list<TspSkinControl*>{d.Button5, d.CheckBox13, d.Edit7})
        EXPECT_FALSE(s->Skinned()) << s->GetName();
    EXPECT_FALSE(d.Edit4->Skinned());
    EXPECT_FALSE(d.spSkinMemoHTML->Skinned());

    // And comes back.
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Korvel2.skn"));
    Settle();
    EXPECT_TRUE(d.Edit4->Skinned());
    EXPECT_TRUE(d.Button5->Skinned());
    d.Hide();
}

} // namespace
