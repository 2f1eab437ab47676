#include "SkinDirectoryListBox.h"
#include "Canvas.h"
#include "FilePaths.h"
#include "SkinFileListBox.h"
#include "SkinLabels.h"
#include "SysUtils.h"
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

} // namespace

TspSkinDirectoryListBox::TspSkinDirectoryListBox(TComponent* AOwner) : TspSkinListBox(AOwner)
{
    SetWidth(145);
    SetSorted(false);
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    FDirectory = n > 0 && n < sizeof buf ? std::string(buf, n) : std::string("C:\\");
    BuildList();
}

TspSkinDirectoryListBox::~TspSkinDirectoryListBox()
{
    SetFileList(nullptr);
    SetDirLabel(nullptr);
}

void TspSkinDirectoryListBox::SetDirectory(const std::string& Dir)
{
    if (Dir.empty()) return;
    const std::string full = FullFolderName(Dir);
    if (lstrcmpiA(full.c_str(), FDirectory.c_str()) == 0) return;
    if (!Spfilectrl::DirectoryExists(full)) throw Exception("Folder not found: " + Dir);
    FDirectory = full;
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

void TspSkinDirectoryListBox::BuildList()
{
    int current = -1;
    FEntries = Spfilectrl::DirectoryListEntries(FDirectory, current);
    TStrings* items = GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const auto& e : FEntries) items->Add(e.Text);
    items->EndUpdate();
    SetItemIndex(current);
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
    if (FFileList) FFileList->RemoveFreeNotification(this);
    FFileList = Value;
    if (FFileList) {
        FFileList->FreeNotification(this);
        FFileList->SetDirectory(FDirectory);
    }
}

void TspSkinDirectoryListBox::SetDirLabel(TspSkinStdLabel* Value)
{
    if (Value == FDirLabel) return;
    if (FDirLabel) FDirLabel->RemoveFreeNotification(this);
    FDirLabel = Value;
    if (FDirLabel) FDirLabel->FreeNotification(this);
    SetDirLabelCaption();
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
    if (AComponent == FFileList) FFileList = nullptr;
    if (AComponent == FDirLabel) FDirLabel = nullptr;
}
