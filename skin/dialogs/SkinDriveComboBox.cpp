#include "SkinDriveComboBox.h"
#include "FilePaths.h"
#include "SkinDirectoryListBox.h"
#include <cctype>
#include <windows.h>

TspSkinDriveComboBox::TspSkinDriveComboBox(TComponent* AOwner) : TspSkinComboBox(AOwner)
{
    char buf[MAX_PATH + 1] = {};
    if (GetCurrentDirectoryA(sizeof buf, buf) > 1 && buf[1] == ':') FDrive = static_cast<char>(tolower(buf[0]));
    BuildList();
    char d = FDrive;
    FDrive = 0;
    SetDrive(d);
}

TspSkinDriveComboBox::~TspSkinDriveComboBox() { SetDirList(nullptr); }

void TspSkinDriveComboBox::BuildList()
{
    const DWORD mask = GetLogicalDrives();
    TStrings* items = GetItems();
    FSetting = true;
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        const char letter = static_cast<char>((FTextCase == tcUpperCase ? 'A' : 'a') + i);
        const std::string root = std::string(1, letter) + ":\\";
        switch (GetDriveTypeA(root.c_str())) {
        case DRIVE_REMOVABLE: items->Add(std::string(1, letter) + ":"); break;
        case DRIVE_FIXED:
        case DRIVE_REMOTE:
        case DRIVE_CDROM:
        case DRIVE_RAMDISK: items->Add(std::string(1, letter) + ": " + Spfilectrl::DriveVolumeText(letter)); break;
        default: break;
        }
    }
    items->EndUpdate();
    FSetting = false;
}

void TspSkinDriveComboBox::SetDrive(char Letter)
{
    if (GetItemIndex() >= 0 && toupper(Letter) == toupper(FDrive)) return;
    int found = -1;
    if (Letter == 0) {
        FDrive = 0;
    } else {
        FDrive = static_cast<char>(FTextCase == tcUpperCase ? toupper(Letter) : tolower(Letter));
        for (int i = 0; i < GetItems()->GetCount() && found < 0; ++i) {
            const std::string s = GetItems()->Get(i);
            if (s.size() >= 2 && s[1] == ':' && toupper(s[0]) == toupper(FDrive)) found = i;
        }
    }
    FSetting = true;
    SetItemIndex(found);
    FSetting = false;
    if (FDirList && FDrive) {
        const std::string dir = FDirList->GetDirectory();
        if (dir.size() < 2 || toupper(dir[0]) != toupper(FDrive) || dir[1] != ':') {
            try {
                FDirList->SetDirectory(std::string(1, static_cast<char>(toupper(FDrive))) + ":\\");
            } catch (const std::exception&) {
                // A drive without a medium keeps the list where it was.
            }
        }
    }
    TspSkinComboBox::Change();
    if (OnChange) OnChange(this);
}

void TspSkinDriveComboBox::Change()
{
    if (FSetting) return;
    const int i = GetItemIndex();
    if (i >= 0) SetDrive(GetItems()->Get(i)[0]);
}

void TspSkinDriveComboBox::SetTextCase(TTextCase Value)
{
    if (Value == FTextCase) return;
    FTextCase = Value;
    const char d = FDrive;
    BuildList();
    FDrive = 0;
    SetDrive(d);
}

void TspSkinDriveComboBox::SetDirList(TspSkinDirectoryListBox* Value)
{
    if (Value == FDirList) return;
    if (FDirList) FDirList->RemoveFreeNotification(this);
    FDirList = Value;
    if (FDirList) FDirList->FreeNotification(this);
}

void TspSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDirList) FDirList = nullptr;
}
