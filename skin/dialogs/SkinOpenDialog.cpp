#include "SkinOpenDialog.h"
#include "FilePaths.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SysUtils.h"

TspOpenDlgForm::TspOpenDlgForm(TComponent* AOwner, bool SaveMode) : TspCustomFileDlgForm(AOwner, SaveMode) {}

TspSkinOpenDialog::TspSkinOpenDialog(TComponent* AOwner)
    : TspSkinDialogComponent(AOwner, "Open file", 225), Files(new TStringList)
{
}

TspSkinOpenDialog::~TspSkinOpenDialog() = default;

TspFileDlgOptions TspSkinOpenDialog::Options() const
{
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
    o.MultiSelect = MultiSelection;
    o.StartFolder = Spfiledlg::StartFolder(FileName, InitialDir, Spfiledlg::ProgramFolder());
    o.ClientWidth = 450;
    o.ClientHeight = 290;
    return o;
}

bool TspSkinOpenDialog::Run(TspCustomFileDlgForm* W)
{
    const TRunning<TspCustomFileDlgForm> running(FWindow, W);
    const std::string name = ExtractFileName(FileName);
    W->FileNameEdit->SetText(name);
    if (!name.empty() && W->SelectFile(name)) W->FileNameEdit->SetText(name);

    const bool ok = W->ShowModal() == mrOk && !W->FileName.empty();
    FilterIndex = W->GetFilterIndex();
    W->Remember(FMemory);
    if (ok) {
        FileName = W->FileName;
        W->GetSelectedFiles(Files.get());
        // A typed name that is not among the selected rows is the one file chosen.
        if (Files->IndexOf(FileName) < 0) {
            Files->Clear();
            Files->Add(FileName);
        }
        Change();
    }
    return ok;
}

bool TspSkinOpenDialog::Execute()
{
    std::unique_ptr<TspOpenDlgForm> w(new TspOpenDlgForm(nullptr, FSaveMode));
    w->Prepare(Options(), FMemory);
    return Run(w.get());
}

TspSkinSaveDialog::TspSkinSaveDialog(TComponent* AOwner) : TspSkinOpenDialog(AOwner)
{
    FTitle = "Save file";
    FSaveMode = true;
}
