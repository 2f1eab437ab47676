#include "test_gtest.h"
#include "Form.h"
#include "ShellCtrls.h"
#include <memory>
#include <string>

namespace {

struct DriveForm {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinShellDriveComboBox* Combo;
    DriveForm()
    {
        Form->SetBounds(20, 20, 300, 60);
        Combo = new TspSkinShellDriveComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(5, 5, 280, 22);
        Combo->HandleNeeded();
    }
};

// The letters of the drives of the given kinds, as the platform reports them.
std::string DrivesOf(TDriveTypes Types)
{
    std::string r;
    for (char c = 'A'; c <= 'Z'; ++c) {
        UINT kind = GetDriveTypeA((std::string(1, c) + ":\\").c_str());
        if (kind <= dtRAM && Types.Contains(static_cast<TDriveType>(kind))) r += c;
    }
    return r;
}

} // namespace

TEST(ShellDriveCombo, ListsTheDrivesOfTheChosenKinds)
{
    DriveForm f;
    const TDriveTypes all{dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM};
    EXPECT_EQ(f.Combo->GetDriveTypes(), all);
    const std::string letters = DrivesOf(all);
    ASSERT_FALSE(letters.empty());
    EXPECT_EQ(f.Combo->GetLetters(), letters);
    EXPECT_EQ(f.Combo->GetItems()->GetCount(), static_cast<int>(letters.size()));
    EXPECT_EQ(f.Combo->GetItemIndex(), 0);
    EXPECT_EQ(f.Combo->GetDrive(), letters[0]);

    f.Combo->SetDriveTypes(TDriveTypes{dtFixed});
    EXPECT_EQ(f.Combo->GetLetters(), DrivesOf(TDriveTypes{dtFixed}));
    EXPECT_EQ(f.Combo->GetItems()->GetCount(), static_cast<int>(f.Combo->GetLetters().size()));
    for (int i = 0; i < f.Combo->GetItems()->GetCount(); ++i) EXPECT_GE(f.Combo->IconIndex(i), 0);
    EXPECT_EQ(f.Combo->IconIndex(99), -1);
}

TEST(ShellDriveCombo, SetDriveByLetterAndKeepsSelectionForUnknown)
{
    DriveForm f;
    const std::string letters = f.Combo->GetLetters();
    ASSERT_NE(letters.find('C'), std::string::npos);
    int changes = 0;
    f.Combo->OnChange = [&](TObject*) { ++changes; };
    f.Combo->SetDrive('c');
    EXPECT_EQ(f.Combo->GetDrive(), 'C');
    EXPECT_EQ(f.Combo->GetItemIndex(), static_cast<int>(letters.find('C')));
    const int at = f.Combo->GetItemIndex();
    char unknown = 0;
    for (char c = 'A'; c <= 'Z' && !unknown; ++c)
        if (letters.find(c) == std::string::npos) unknown = c;
    ASSERT_TRUE(unknown);
    f.Combo->SetDrive(unknown);
    EXPECT_EQ(f.Combo->GetDrive(), 'C');
    EXPECT_EQ(f.Combo->GetItemIndex(), at);
    EXPECT_EQ(changes, 0);   // chosen by the program, not in the list

    // After a new reading the letters and items still pair up and C: stays chosen.
    f.Combo->UpdateDrives();
    EXPECT_EQ(f.Combo->GetLetters(), letters);
    EXPECT_EQ(f.Combo->GetItems()->GetCount(), static_cast<int>(letters.size()));
    EXPECT_EQ(f.Combo->GetDrive(), 'C');
    EXPECT_EQ(f.Combo->GetItemIndex(), at);

    // A choice in the list reports once.
    if (letters.size() > 1) {
        const int other = at == 0 ? 1 : 0;
        f.Combo->DropDown();
        f.Combo->GetListBox()->SetItemIndex(other);
        f.Combo->CloseUp(true);
        EXPECT_EQ(f.Combo->GetDrive(), letters[other]);
        EXPECT_EQ(changes, 1);
    }
}

TEST(ShellDriveCombo, NoListedDriveSelectsNothing)
{
    DriveForm f;
    f.Combo->SetDriveTypes(TDriveTypes{dtRAM});
    if (!DrivesOf(TDriveTypes{dtRAM}).empty()) GTEST_SKIP() << "a RAM disk exists here";
    EXPECT_EQ(f.Combo->GetItems()->GetCount(), 0);
    EXPECT_EQ(f.Combo->GetItemIndex(), -1);
    f.Combo->SetDrive('C');
    EXPECT_EQ(f.Combo->GetItemIndex(), -1);
}
