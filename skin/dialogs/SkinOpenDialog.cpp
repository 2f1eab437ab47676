#include "SkinOpenDialog.h"
#include "FilePaths.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SysUtils.h"

TspOpenDlgForm::TspOpenDlgForm(TComponent* AOwner, bool SaveMode) : TspCustomFileDlgForm(AOwner, SaveMode) {}

TspSkinOpenDialog::TspSkinOpenDialog(TComponent* AOwner)
    : TspSkinFileDialogComponent(AOwner, "Open file", 225, "All files|*.*")
{
}

TspSkinOpenDialog::~TspSkinOpenDialog() = default;

TspFileDlgOptions TspSkinOpenDialog::Options() const
{
    TspFileDlgOptions o = FileOptions();
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

    return ShowAndTake(W);
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
