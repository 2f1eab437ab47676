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
    : TspSkinDialogComponent(AOwner, "Open skin", 200), Files(new TStringList)
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

    TspFileDlgOptions o;
    o.Title = FTitle;
    o.SkinData = FSkinData;
    o.CtrlSkinData = FCtrlSkinData;
    o.DefaultFont = FDefaultFont.get();
    o.AlphaBlend = AlphaBlend;
    o.AlphaBlendAnimation = AlphaBlendAnimation;
    o.AlphaBlendValue = AlphaBlendValue;
    o.CtrlAlphaBlend = CtrlAlphaBlend;
    o.CtrlAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    o.CtrlAlphaBlendValue = CtrlAlphaBlendValue;
    o.LVHeaderSkinDataName = LVHeaderSkinDataName;
    o.Filter = Filter;
    o.FilterIndex = FilterIndex;
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

    const bool ok = w->ShowModal() == mrOk && !w->FileName.empty();
    FilterIndex = w->GetFilterIndex();
    w->Remember(FMemory);
    if (ok) {
        FileName = w->FileName;
        w->GetSelectedFiles(Files.get());
        // A typed name that is not the selected row is the one file chosen.
        if (Files->IndexOf(FileName) < 0) {
            Files->Clear();
            Files->Add(FileName);
        }
        Change();
    }
    return ok;
}
