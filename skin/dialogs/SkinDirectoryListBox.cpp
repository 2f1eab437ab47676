#include "SkinDirectoryListBox.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "FileDlgGlyphs.h"
#include "FilePaths.h"
#include "ScopeGuard.h"
#include "SkinDrawHelpers.h"
#include "SkinDriveComboBox.h"
#include "SkinFileListBox.h"
#include "SkinLabels.h"
#include "SysUtils.h"
#include <cctype>
#include <windows.h>

namespace {

std::string FullFolderName(const std::string& Dir)
{
    char buf[MAX_PATH + 1] = {};
    char* file = nullptr;
    DWORD n = GetFullPathNameA(Dir.c_str(), sizeof buf, buf, &file);
    std::string s = n > 0 && n < sizeof buf ? std::string(buf, n) : Dir;
    while (s.size() > 3 && (s.back() == '\\' || s.back() == '/')) s.pop_back();
    return s;
}

char DriveLetterOf(const std::string& Path)
{
    return Path.size() >= 2 && Path[1] == ':' ? Path[0] : '\0';
}

int Depth(const std::string& Path)
{
    int n = 0;
    for (char c : Path) n += c == '\\';
    return n;
}

} // namespace

TspSkinDirectoryListBox::TspSkinDirectoryListBox(TComponent* AOwner)
    : TspSkinListBox(AOwner), FOpenedPicture(Spfiledlg::FileCtrlGlyph("SP_OPENFOLDER")),
      FClosedPicture(Spfiledlg::FileCtrlGlyph("SP_CLOSEDFOLDER")),
      FCurrentPicture(Spfiledlg::FileCtrlGlyph("SP_CURRENTFOLDER"))
{
    SetWidth(145);
    SetSorted(false);
    OnDrawItem = [this](TCanvas* C, int Index, int, int, TRect T, TOwnerDrawState) { DrawItem(C, Index, T); };
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    FDirectory = n > 0 && n < sizeof buf ? std::string(buf, n) : std::string("C:\\");
    BuildList();
}

TspSkinDirectoryListBox::~TspSkinDirectoryListBox()
{
    if (FDriveCombo && FDriveCombo->FDirList == this) FDriveCombo->FDirList.Set(nullptr);
    SetFileList(nullptr);
    SetDirLabel(nullptr);
}

char TspSkinDirectoryListBox::GetDrive() const { return DriveLetterOf(FDirectory); }

void TspSkinDirectoryListBox::SetDirectory(const std::string& Dir)
{
    if (Dir.empty()) return;
    const std::string full = FullFolderName(Dir);
    if (FileCompareText(full, FDirectory) == 0) return;
    if (!Spfilectrl::DirectoryExists(full)) throw Exception("Folder not found: " + Dir);
    const char drive = DriveLetterOf(full);
    if (drive && toupper(drive) != toupper(GetDrive()) && FDriveCombo) {
        // The combo shows the new drive; the move to the folder happens here.
        TRestore<bool> setting(FSettingDirectory, true);
        FDriveCombo->SetDrive(drive);
    }
    FDirectory = full;
    BuildList();
    Change();
}

void TspSkinDirectoryListBox::SetDrive(char Letter)
{
    if (Letter && toupper(Letter) != toupper(GetDrive()))
        SetDirectory(std::string(1, static_cast<char>(toupper(Letter))) + ":\\");
}

void TspSkinDirectoryListBox::DriveChange(char Letter)
{
    if (!Letter || toupper(Letter) == toupper(GetDrive()) || FSettingDirectory) return;
    const std::string root = std::string(1, static_cast<char>(toupper(Letter))) + ":\\";
    if (!Spfilectrl::DirectoryExists(root)) return;
    FDirectory = root;
    BuildList();
    Change();
}

std::string TspSkinDirectoryListBox::GetItemPath(int Index) const
{
    return Spfilectrl::DirectoryEntryPath(FDirectory, FEntries, Index);
}

void TspSkinDirectoryListBox::OpenCurrent()
{
    const std::string path = GetItemPath(GetItemIndex());
    if (!path.empty()) SetDirectory(path);
}

void TspSkinDirectoryListBox::UpdateList()
{
    BuildList();
    Change();
}

std::string TspSkinDirectoryListBox::DisplayCase(const std::string& Name) const
{
    return FCasePreserved || FCaseSensitive ? Name : LowerCase(Name);
}

int TspSkinDirectoryListBox::FileCompareText(const std::string& A, const std::string& B) const
{
    return FCaseSensitive ? A.compare(B) : lstrcmpiA(A.c_str(), B.c_str());
}

void TspSkinDirectoryListBox::BuildList()
{
    DWORD flags = 0;
    const std::string root = Spfilectrl::ExtractFileDrive(FDirectory) + "\\";
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        flags = FILE_CASE_PRESERVED_NAMES;
    SetErrorMode(old);
    FCaseSensitive = (flags & FILE_CASE_SENSITIVE_SEARCH) != 0;
    FCasePreserved = FCaseSensitive || (flags & FILE_CASE_PRESERVED_NAMES) != 0;
    int current = -1;
    FEntries = Spfilectrl::DirectoryListEntries(FDirectory, current);
    TStrings* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const auto& e : FEntries) items->Add(DisplayCase(e.Text));
    items->EndUpdate();
    SetItemIndex(current);
}

int TspSkinDirectoryListBox::ItemIndent(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FEntries.size())) return 0;
    return FEntries[Index].Kind == Spfilectrl::dkSubFolder ? Depth(FDirectory) * 4 + 6 : Index * 4 + 2;
}

TBitmap* TspSkinDirectoryListBox::ItemPicture(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FEntries.size())) return nullptr;
    switch (FEntries[Index].Kind) {
    case Spfilectrl::dkPathFolder: return FOpenedPicture.get();
    case Spfilectrl::dkCurrentFolder: return FCurrentPicture.get();
    case Spfilectrl::dkSubFolder: return FClosedPicture.get();
    }
    return nullptr;
}

void TspSkinDirectoryListBox::DrawItem(TCanvas* Cnvs, int Index, const TRect& TextRect)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    const int offset = GetListBox() ? GetListBox()->FHScrollOffset : 0;
    const int indent = ItemIndent(Index);
    TBitmap* picture = ItemPicture(Index);
    const int pictureWidth = picture ? picture->GetWidth() : 16;
    if (picture)
        Cnvs->Draw(TextRect.left + indent - offset, (TextRect.top + TextRect.bottom - picture->GetHeight()) / 2,
                   picture);
    Cnvs->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText3(Cnvs, GetItems()->Get(Index), TextRect, pictureWidth + indent - offset + 4);
}

int TspSkinDirectoryListBox::GetFullItemWidth(int Index, TCanvas* ACanvas)
{
    const int text = TspSkinListBox::GetFullItemWidth(Index, ACanvas);
    TBitmap* picture = ItemPicture(Index);
    if (!picture) return text + Index * 4 + 22;
    return text + ItemIndent(Index) + picture->GetWidth() + 4;
}

void TspSkinDirectoryListBox::Change()
{
    if (FFileList) FFileList->SetDirectory(FDirectory);
    SetDirLabelCaption();
    if (OnChange) OnChange(this);
}

void TspSkinDirectoryListBox::ListBoxDblClick()
{
    TspSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TspSkinDirectoryListBox::ListBoxKeyPress(char& Key)
{
    TspSkinListBox::ListBoxKeyPress(Key);
    if (Key == '\r') OpenCurrent();
}

void TspSkinDirectoryListBox::SetFileList(TspSkinFileListBox* Value)
{
    if (Value == FFileList) return;
    if (FFileList && FFileList->FDirList == this) FFileList->FDirList = nullptr;
    FFileList.Set(Value);
    if (FFileList) {
        FFileList->FDirList = this;
        FFileList->SetDirectory(FDirectory);
    }
}

void TspSkinDirectoryListBox::SetDirLabel(TspSkinStdLabel* Value)
{
    if (FDirLabel.Set(Value)) SetDirLabelCaption();
}

void TspSkinDirectoryListBox::SetDirLabelCaption()
{
    if (!FDirLabel) return;
    TCanvas* c = FDirLabel->GetCanvas();
    const int width = FDirLabel->GetAutoSize() ? GetWidth() : FDirLabel->GetWidth();
    FDirLabel->SetCaption(Spfilectrl::MinimizeName(
        FDirectory, [c](const std::string& s) { return c ? c->TextWidth(s) : 0; }, width));
}

void TspSkinDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FFileList.Removed(AComponent, Operation);
    FDirLabel.Removed(AComponent, Operation);
    if (AComponent == FDriveCombo) FDriveCombo = nullptr;
}
