#include "SkinFileListBox.h"
#include "FilePaths.h"
#include "Edit.h"
#include "SkinDirectoryListBox.h"
#include "SkinFilterComboBox.h"
#include "SysUtils.h"
#include <windows.h>
#include <cctype>
#include <vector>

namespace {

std::string CurrentDirectory()
{
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

// The full path of Dir without a trailing separator (a drive root keeps its "\").
std::string FullFolderName(const std::string& Dir)
{
    char buf[MAX_PATH + 1] = {};
    char* file = nullptr;
    DWORD n = GetFullPathNameA(Dir.c_str(), sizeof buf, buf, &file);
    std::string s = n > 0 && n < sizeof buf ? std::string(buf, n) : Dir;
    while (s.size() > 3 && (s.back() == '\\' || s.back() == '/')) s.pop_back();
    return s;
}

} // namespace

TspSkinFileListBox::TspSkinFileListBox(TComponent* AOwner) : TspSkinListBox(AOwner)
{
    SetWidth(145);
    SetSorted(false);   // the entries arrive sorted; folders and files keep that order
    FDirectory = CurrentDirectory();
}

TspSkinFileListBox::~TspSkinFileListBox()
{
    if (FFilterCombo && FFilterCombo->FFileList == this) FFilterCombo->FFileList.Set(nullptr);
    if (FDirList && FDirList->FFileList == this) FDirList->FFileList.Set(nullptr);
    SetFileEdit(nullptr);
}

void TspSkinFileListBox::SetFileEdit(TEdit* Value)
{
    if (Value == FFileEdit) return;
    if (FFileEdit) FFileEdit->OnKeyPress = FEditKeyPress;
    FEditKeyPress = nullptr;
    FFileEdit.Set(Value);
    if (!FFileEdit) return;
    FEditKeyPress = FFileEdit->OnKeyPress;
    FFileEdit->OnKeyPress = [this](TObject* Sender, char& Key) { FileEditKeyPress(Sender, Key); };
    ShowInFileEdit();
}

void TspSkinFileListBox::FileEditKeyPress(TObject* Sender, char& Key)
{
    if (FEditKeyPress) FEditKeyPress(Sender, Key);
    if (Key != '\r' || !FFileEdit) return;
    Key = 0;
    ApplyFilePath(Trim(FFileEdit->GetText()));
}

char TspSkinFileListBox::GetDrive() const
{
    return FDirectory.size() >= 2 && FDirectory[1] == ':' ? FDirectory[0] : '\0';
}

void TspSkinFileListBox::SetDrive(char Letter)
{
    if (Letter && toupper(Letter) != toupper(GetDrive())) ApplyFilePath(std::string(1, Letter) + ":");
}

void TspSkinFileListBox::ApplyFilePath(const std::string& EditText)
{
    if (EditText.empty() || lstrcmpiA(EditText.c_str(), GetFilePath().c_str()) == 0) return;
    char drive = 0;
    std::string dir, file;
    Spfilectrl::ProcessPath(EditText, FDirectory, drive, dir, file);
    const std::string folder = drive ? std::string(1, drive) + ":" + dir : dir;
    if (FDirList) FDirList->SetDirectory(folder);
    else SetDirectory(folder);
    if (file.find_first_of("*?") != std::string::npos) {
        SetMask(file);
    } else if (!file.empty()) {
        SetFileName(file);
        // The mask hid it: show that file alone rather than nothing.
        if (GetItemIndex() < 0 && FileExists(Spfilectrl::AppendPathPart(FDirectory, file))) {
            SetMask(file);
            SetFileName(file);
        }
    }
}

void TspSkinFileListBox::ShowInFileEdit()
{
    std::string name = GetFileName();
    FFileEdit->SetText(name.empty() ? FMask : name);
}

void TspSkinFileListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinListBox::Notification(AComponent, Operation);
    if (FFileEdit.Removed(AComponent, Operation)) FEditKeyPress = nullptr;
}

void TspSkinFileListBox::SetDirectory(const std::string& Dir)
{
    if (Dir.empty()) return;
    std::string full = FullFolderName(Dir);
    if (lstrcmpiA(full.c_str(), FDirectory.c_str()) == 0 && GetItems()->GetCount() > 0) return;
    if (!Spfilectrl::DirectoryExists(full)) throw Exception("Folder not found: " + Dir);
    FDirectory = full;
    ReadFileNames();
}

void TspSkinFileListBox::SetMask(const std::string& Value)
{
    if (Value == FMask) return;
    FMask = Value;
    ReadFileNames();
}

void TspSkinFileListBox::SetFileType(Spfilectrl::TFileTypeSet Value)
{
    if (Value.Attributes == FFileType.Attributes && Value.Normal == FFileType.Normal) return;
    FFileType = Value;
    ReadFileNames();
}

std::string TspSkinFileListBox::GetFileName() const
{
    int i = GetItemIndex();
    if (i < 0 || i >= GetItems()->GetCount()) return "";
    return GetItems()->Get(i);
}

std::string TspSkinFileListBox::GetFilePath() const
{
    std::string name = GetFileName();
    return name.empty() ? name : Spfilectrl::AppendPathPart(FDirectory, name);
}

void TspSkinFileListBox::SetFileName(const std::string& Name)
{
    if (lstrcmpiA(Name.c_str(), GetFileName().c_str()) == 0 && !Name.empty()) return;
    int found = -1;
    for (int i = 0; i < GetItems()->GetCount() && found < 0; ++i)
        if (lstrcmpiA(GetItems()->Get(i).c_str(), Name.c_str()) == 0) found = i;
    SetItemIndex(found);
    Change();
}

void TspSkinFileListBox::SetFoldersFirst(bool Value)
{
    if (Value == FFoldersFirst) return;
    FFoldersFirst = Value;
    ReadFileNames();
}

void TspSkinFileListBox::ReadFileNames()
{
    std::vector<std::string> names;
    if (FFoldersFirst) {
        Spfilectrl::TFileTypeSet folders;
        folders.Attributes = FILE_ATTRIBUTE_DIRECTORY;
        folders.Normal = false;
        for (const std::string& s : Spfilectrl::ReadFileNames(FDirectory, "*", folders))
            if (s != "[.]") names.push_back(s);
        Spfilectrl::TFileTypeSet files = FFileType;
        for (const std::string& s : Spfilectrl::ReadFileNames(FDirectory, FMask, files))
            if (s.size() < 2 || s.front() != '[' || s.back() != ']') names.push_back(s);
    } else {
        names = Spfilectrl::ReadFileNames(FDirectory, FMask, FFileType);
    }
    TStrings* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const std::string& s : names) items->Add(s);
    items->EndUpdate();
    Change();
}

void TspSkinFileListBox::Change()
{
    FLastIndex = GetItemIndex();
    if (FFileEdit) {
        ShowInFileEdit();
        // Ready to be typed over; an edit without a window has no selection yet.
        if (FFileEdit->HandleAllocated()) FFileEdit->SelectAll();
    }
    if (OnChange) OnChange(this);
}

void TspSkinFileListBox::ListBoxClick()
{
    TspSkinListBox::ListBoxClick();
    if (GetItemIndex() != FLastIndex) Change();
}

// Keys move the selection without a click: they report it the same way.
void TspSkinFileListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift)
{
    TspSkinListBox::ListBoxKeyUp(Key, Shift);
    if (GetItemIndex() != FLastIndex) Change();
}
