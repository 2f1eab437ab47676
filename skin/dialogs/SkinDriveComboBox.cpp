#include "SkinDriveComboBox.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "FileDlgGlyphs.h"
#include "FilePaths.h"
#include "SkinDirectoryListBox.h"
#include <cctype>
#include <windows.h>

TspSkinDriveComboBox::TspSkinDriveComboBox(TComponent* AOwner) : TspSkinComboBox(AOwner)
{
    const char* names[dkKindCount] = {"SP_FLOPPY", "SP_HARD", "SP_NETWORK", "SP_CDROM", "SP_RAM"};
    for (int k = 0; k < dkKindCount; ++k) FPictures[k] = Spfiledlg::FileCtrlGlyph(names[k]);
    // Both the closed combo and the drop-down list draw the entries here.
    auto draw = [this](TCanvas* C, int Index, int, int, TRect T, TOwnerDrawState) { DrawItem(C, Index, T); };
    OnComboBoxDrawItem = draw;
    SetListBoxDrawItem(draw);
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
    FKinds.clear();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        const char letter = static_cast<char>((FTextCase == tcUpperCase ? 'A' : 'a') + i);
        const std::string root = std::string(1, letter) + ":\\";
        const std::string name = std::string(1, letter) + ":";
        switch (GetDriveTypeA(root.c_str())) {
        case DRIVE_REMOVABLE: items->Add(name); FKinds.push_back(dkFloppy); break;
        case DRIVE_FIXED: items->Add(name + " " + Spfilectrl::DriveVolumeText(letter)); FKinds.push_back(dkHard); break;
        case DRIVE_REMOTE:
            items->Add(name + " " + Spfilectrl::DriveNetworkText(letter));
            FKinds.push_back(dkNetwork);
            break;
        case DRIVE_CDROM: items->Add(name + " " + Spfilectrl::DriveVolumeText(letter)); FKinds.push_back(dkCdRom); break;
        case DRIVE_RAMDISK: items->Add(name + " " + Spfilectrl::DriveVolumeText(letter)); FKinds.push_back(dkRam); break;
        default: break;
        }
    }
    items->EndUpdate();
    FSetting = false;
}

TBitmap* TspSkinDriveComboBox::ItemPicture(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FKinds.size()) || FKinds[Index] < 0) return nullptr;
    return FPictures[FKinds[Index]].get();
}

void TspSkinDriveComboBox::DrawItem(TCanvas* Cnvs, int Index, const TRect& Rect)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    int left = Rect.left;
    if (TBitmap* p = ItemPicture(Index)) {
        Cnvs->Draw(Rect.left, (Rect.top + Rect.bottom - p->GetHeight()) / 2, p);
        left += p->GetWidth();
    }
    Cnvs->GetBrush()->SetStyle(bsClear);
    Cnvs->TextOut(left + 6, Rect.top + Rect.Height() / 2 - Cnvs->TextHeight("Wg") / 2, GetItems()->Get(Index));
}

void TspSkinDriveComboBox::DropDown()
{
    // Drives come and go (network connections, media): read them again, the
    // current drive staying selected.
    const char d = FDrive;
    BuildList();
    int found = -1;
    for (int i = 0; i < GetItems()->GetCount() && found < 0; ++i) {
        const std::string s = GetItems()->Get(i);
        if (d && s.size() >= 2 && s[1] == ':' && toupper(s[0]) == toupper(d)) found = i;
    }
    FSetting = true;
    SetItemIndex(found);
    FSetting = false;
    TspSkinComboBox::DropDown();
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
    if (FDirList) FDirList->DriveChange(FDrive);
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
    if (FDirList && FDirList->FDriveCombo == this) FDirList->FDriveCombo = nullptr;
    FDirList.Set(Value);
    if (FDirList) FDirList->FDriveCombo = this;
}

void TspSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinComboBox::Notification(AComponent, Operation);
    FDirList.Removed(AComponent, Operation);
}
