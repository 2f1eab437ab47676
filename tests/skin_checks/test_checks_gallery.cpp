// The check list box, the check combo box and the track edit with our two skins
// and with none, shot from the screen and saved under artefacts/; then the same
// with the combo's check list and the track bar dropped down.
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinCheckComboBox.h"
#include "SkinTrackEdit.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

using namespace CtlFixture;

namespace {

struct Gallery {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinCheckListBox* List;
    TspSkinCheckComboBox* Combo;
    TspSkinTrackEdit* Track;

    Gallery()
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 420, 200);
        new TspFormFrame(Form.get());
        List = new TspSkinCheckListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(10, 10, 180, 150);
        for (const char* t : {"Video", "Voice", "Chat", "Alarm sound", "Schedule"}) List->GetItems()->Add(t);
        List->SetChecked(0, true);
        List->SetChecked(2, true);
        List->SetState(3, cbGrayed);
        List->SetItemIndex(1);
        Combo = new TspSkinCheckComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(210, 10, 190, 20);
        for (const char* t : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"}) Combo->GetItems()->Add(t);
        Combo->SetChecked(0, true);
        Combo->SetChecked(3, true);
        Track = new TspSkinTrackEdit(Form.get());
        Track->SetParent(Form.get());
        Track->SetBounds(210, 150, 190, 20);
        Track->SetValue(64);
        Form->Show();
        PumpUntilIdle();
    }
    void Bind(TspSkinData* D)
    {
        List->SetSkinData(D);
        Combo->SetSkinData(D);
        Track->SetSkinData(D);
    }
    std::unique_ptr<TBitmap> Shoot(const std::string& Name)
    {
        return RepaintedShot(Form.get(), "checks-" + Name);
    }
    // The form with the combo's list and the track bar open, the screen around them included.
    void ShootOpen(const std::string& Name)
    {
        Combo->DropDown();
        Track->DropDown();
        PumpUntilIdle();
        RECT r;
        GetWindowRect(Form->GetHandle(), &r);
        auto b = ScreenShot(TRect(r.left, r.top, r.right, r.bottom + 160));
        SaveArtefact(b.get(), "checks-open-" + Name);
        Combo->CloseUp(false);
        Track->CloseUp();
    }
};

TEST(ChecksGallery, BothSkinsAndWithout)
{
    Gallery g;
    EXPECT_EQ(g.Combo->GetText(), "Monday,Thursday");
    auto plain = g.Shoot("unskinned");
    g.ShootOpen("unskinned");
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
    EXPECT_EQ(Probe(plain.get(), g.Combo->GetLeft(), g.Combo->GetTop() + 10), shadow);
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto skin = LoadSkin(name);
        ASSERT_TRUE(skin);
        g.Bind(skin.get());
        EXPECT_TRUE(g.List->Skinned());
        EXPECT_TRUE(g.Combo->Skinned());
        EXPECT_TRUE(g.Track->Skinned());
        g.Shoot(name);
        g.ShootOpen(name);
        // The states and values survive the change of skin.
        EXPECT_TRUE(g.List->GetChecked(2));
        EXPECT_EQ(g.List->GetState(3), cbGrayed);
        EXPECT_EQ(g.Combo->GetText(), "Monday,Thursday");
        EXPECT_EQ(g.Track->GetText(), "64");
        // With a caption the drop-down wears the caption form of the element.
        EXPECT_EQ(g.Combo->GetListBox()->GetSkinDataName(), "checklistbox");
        g.Combo->SetListBoxCaptionMode(true);
        EXPECT_EQ(g.Combo->GetListBox()->GetSkinDataName(), "captionchecklistbox");
        EXPECT_TRUE(g.Combo->GetListBox()->Skinned());
        g.Combo->SetListBoxCaptionMode(false);
        g.Bind(nullptr);
        EXPECT_EQ(g.Combo->GetListBox()->GetSkinDataName(), "");
    }
}

// Drawn with flat copies of our skins (SkinKit::Flatten), each control's frame
// shows the look of its own element.
TEST(ChecksGallery, EachControlDrawsItsOwnElement)
{
    Gallery g;
    SkinKit::ExpectOwnElementsOnFlatSkins(g, [&] {
        return std::vector<SkinKit::TPieceProbe>{SkinKit::LeftEdge(g.List, "check list"),
                                                 SkinKit::LeftEdge(g.Combo, "check combo"),
                                                 SkinKit::LeftEdge(g.Track, "track edit")};
    });
}

}  // namespace
