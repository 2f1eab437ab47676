#include "ShellCtrls.h"
#include "ScopeGuard.h"
#include <algorithm>
#include <cctype>

using namespace Spskinshellctrls;

TspSkinShellDriveComboBox::TspSkinShellDriveComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner)
{
    SetStyle(spcbFixedStyle);
    auto draw = [this](TCanvas* C, int Index, int, int, TRect R, TOwnerDrawState) { DrawItem(C, Index, R); };
    SetListBoxDrawItem(draw);
    OnComboBoxDrawItem = draw;
}

TspSkinShellDriveComboBox::~TspSkinShellDriveComboBox() = default;

int TspSkinShellDriveComboBox::IconIndex(int Index) const
{
    return Index >= 0 && Index < static_cast<int>(FIcons.size()) ? FIcons[Index] : -1;
}

void TspSkinShellDriveComboBox::BuildList()
{
    TRestore<bool> building(FBuilding, true);
    if (GetItems()->GetCount() > 0) {
        if (GetItemIndex() >= 0) FItemIndex = GetItemIndex();
        GetItems()->Clear();
    }
    FLetters.clear();
    FIcons.clear();
    FImages = SystemImageList(false);
    FImageWidth = FImageHeight = 0;
    if (FImages) ImageList_GetIconSize(FImages, &FImageWidth, &FImageHeight);
    FImageWidth = std::max(0, std::min(FImageWidth, 64));
    FImageHeight = std::max(0, std::min(FImageHeight, 64));
    // A drive without a medium must not stop the list with a system message box.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    TScopeExit restoreMode([oldMode] { SetErrorMode(oldMode); });
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        const UINT kind = GetDriveTypeA(root.c_str());
        if (kind > dtRAM || !FDriveTypes.Contains(static_cast<TDriveType>(kind))) continue;
        SHFILEINFOA info = {};
        SHGetFileInfoA(root.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON);
        std::string name = info.szDisplayName[0] ? std::string(info.szDisplayName) : root;
        GetItems()->Add(name);
        FIcons.push_back(info.iIcon);
        FLetters += letter;
    }
    const char keep = FDrive;
    FDrive = 0;
    if (FItemIndex < 0 || FItemIndex >= static_cast<int>(FLetters.size())) FItemIndex = 0;
    if (!FLetters.empty()) {
        // The drive chosen before stays chosen when it is still there.
        const size_t at = keep ? FLetters.find(keep) : std::string::npos;
        SetDrive(at != std::string::npos ? keep : FLetters[FItemIndex]);
    } else {
        SetItemIndex(-1);
    }
    Invalidate();
}

void TspSkinShellDriveComboBox::SetDrive(char Letter)
{
    Letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
    if (Letter && Letter == FDrive) {
        if (GetItemIndex() != FItemIndex) {
            TRestore<bool> quiet(FBuilding, true);
            SetItemIndex(FItemIndex);
        }
        return;
    }
    const size_t at = FLetters.find(Letter);
    if (!Letter || at == std::string::npos) return;
    FDrive = Letter;
    FItemIndex = static_cast<int>(at);
    TRestore<bool> quiet(FBuilding, true);
    SetItemIndex(FItemIndex);
}

void TspSkinShellDriveComboBox::SetDriveTypes(TDriveTypes Value)
{
    if (Value == FDriveTypes) return;
    FDriveTypes = Value;
    BuildList();
}

void TspSkinShellDriveComboBox::UpdateDrives() { BuildList(); }

void TspSkinShellDriveComboBox::Change()
{
    if (FBuilding) return;
    const int i = GetItemIndex();
    if (i < 0 || i >= static_cast<int>(FLetters.size())) return;
    FItemIndex = i;
    SetDrive(FLetters[i]);
    if (OnChange) OnChange(this);
}

void TspSkinShellDriveComboBox::DrawItem(TCanvas* Cnvs, int Index, const TRect& TextRect)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    int x = TextRect.left;
    const int icon = IconIndex(Index);
    if (FImages && icon >= 0 && FImageWidth > 0) {
        ImageList_DrawEx(FImages, icon, Cnvs->GetHandle(), x, TextRect.top + (TextRect.Height() - FImageHeight) / 2,
                         FImageWidth, FImageHeight, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        x += FImageWidth + 4;
    }
    Cnvs->GetBrush()->SetStyle(bsClear);
    Cnvs->TextOut(x, TextRect.top + (TextRect.Height() - Cnvs->TextHeight("Wg")) / 2, GetItems()->Get(Index));
}

void TspSkinShellDriveComboBox::CreateWnd()
{
    TspSkinCustomComboBox::CreateWnd();
    BuildList();
}
