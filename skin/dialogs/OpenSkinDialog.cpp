#include "OpenSkinDialog.h"
#include "Application.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "OpenSkinDlgForm.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinFilterComboBox.h"
#include "SkinLabels.h"
#include "SkinPanel.h"
#include "SkinSpeedButton.h"
#include "SkinToolBar.h"
#include "SysUtils.h"
#include <algorithm>

namespace {

std::string ProgramFolder() { return ExtractFilePath(Application->ExeName()); }

// "D:\a\b\" -> "D:\a\b"; a drive root keeps its separator.
std::string FolderName(std::string S)
{
    while (S.size() > 3 && (S.back() == '\\' || S.back() == '/')) S.pop_back();
    return S;
}

} // namespace

TspOpenSkinDialog::TspOpenSkinDialog(TComponent* AOwner)
    : TspSkinFileDialogComponent(AOwner, "Open skin", 200,
                                 "Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini")
{
}

TspOpenSkinDialog::~TspOpenSkinDialog() = default;

std::string TspOpenSkinDialog::StartFolder() const
{
    // A stored skin whose folder was moved, or an InitialDir that is gone, must
    // not stop the user from picking another skin.
    const std::string own = FolderName(ExtractFilePath(FileName)), initial = FolderName(InitialDir);
    if (own.empty() && initial.empty()) return FolderName(ProgramFolder());
    for (const std::string& f : {own, initial})
        if (!f.empty() && Spfilectrl::DirectoryExists(f)) return f;
    const std::string skins = ProgramFolder() + "SKINS";
    return Spfilectrl::DirectoryExists(skins) ? skins : FolderName(ProgramFolder());
}

bool TspOpenSkinDialog::Execute()
{
    std::unique_ptr<TspOpenSkinDlgForm> w(new TspOpenSkinDlgForm(nullptr));
    const TRunning<TspOpenSkinDlgForm> running(FWindow, w.get());

    TspFileDlgOptions o = FileOptions();
    o.StartFolder = StartFolder();
    o.ClientWidth = 580;
    o.ClientHeight = 290;
    w->CompressedFilterIndex = CompressedFilterIndex;
    w->UnCompressedFilterIndex = UnCompressedFilterIndex;
    w->Prepare(o, FMemory);

    const std::string name = ExtractFileName(FileName);
    w->FileNameEdit->SetText(name);
    if (!name.empty()) {
        const std::string full = Spfilectrl::AppendPathPart(w->GetPath(), name);
        if (FileExists(full)) w->LoadPreview(full);
        w->SelectFile(name);
    }

    return ShowAndTake(w.get());
}
