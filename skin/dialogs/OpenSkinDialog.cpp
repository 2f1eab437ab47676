#include "OpenSkinDialog.h"
#include "Application.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "OpenSkinDlgForm.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinFileListBox.h"
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
    : TComponent(AOwner), Files(new TStringList), FDefaultFont(new TFont)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

TspOpenSkinDialog::~TspOpenSkinDialog() = default;

void TspOpenSkinDialog::SetSkinData(TspSkinData* Value)
{
    if (FSkinData) FSkinData->RemoveFreeNotification(this);
    FSkinData = Value;
    if (FSkinData) FSkinData->FreeNotification(this);
}

void TspOpenSkinDialog::SetCtrlSkinData(TspSkinData* Value)
{
    if (FCtrlSkinData) FCtrlSkinData->RemoveFreeNotification(this);
    FCtrlSkinData = Value;
    if (FCtrlSkinData) FCtrlSkinData->FreeNotification(this);
}

void TspOpenSkinDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TspOpenSkinDialog::Change()
{
    if (OnChange) OnChange(this);
}

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
    struct Holder {
        TspOpenSkinDlgForm*& Ref;
        ~Holder() { Ref = nullptr; }
    } holder{FWindow};
    FWindow = w.get();

    w->SetCaption(FTitle);
    TspFormFrame* frame = w->Frame;
    frame->SetBorderIcons(0);
    frame->SetSkinData(FSkinData);
    frame->SetMenusSkinData(FCtrlSkinData);
    frame->SetAlphaBlend(AlphaBlend);
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->SetAlphaBlendValue(AlphaBlendValue);
    frame->MenusAlphaBlend = CtrlAlphaBlend;
    frame->MenusAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    frame->MenusAlphaBlendValue = CtrlAlphaBlendValue;
    w->FileTypeCombo->ListBoxAlphaBlend = CtrlAlphaBlend;
    w->FileTypeCombo->ListBoxAlphaBlendValue = CtrlAlphaBlendValue;
    w->FileTypeCombo->ListBoxAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    w->OpenButton->SetDefaultFont(FDefaultFont.get());
    w->CancelButton->SetDefaultFont(FDefaultFont.get());
    w->FileList->SetDefaultFont(FDefaultFont.get());

    // The file type first, so that the list reads the first folder once, with
    // the chosen type's mask (never its description).
    w->FileTypeCombo->SetFilter(Filter);
    const int types = w->FileTypeCombo->GetItems()->GetCount();
    w->FileTypeCombo->SetItemIndex(types == 0 ? -1 : std::max(0, std::min(FilterIndex - 1, types - 1)));
    w->FileList->SetMask(w->FileTypeCombo->GetMask());
    w->FileTypeCombo->SetFileList(w->FileList);
    if (!w->SetPath(StartFolder())) w->SetPath(ProgramFolder());

    w->PreviewPanel->SetSkinData(FCtrlSkinData);
    w->CentralPanel->SetSkinData(FCtrlSkinData);
    w->BottomPanel->SetSkinData(FCtrlSkinData);
    w->ToolBar->SetSkinData(FCtrlSkinData);
    for (TspSkinStdLabel* l : {w->LookInLabel, w->PathLabel, w->FileNameLabel, w->FileTypeLabel, w->PreviewErrorLabel})
        l->SetSkinData(FCtrlSkinData);
    for (TspSkinSpeedButton* b : {w->BackButton, w->UpButton, w->NewFolderButton}) b->SetSkinData(FCtrlSkinData);
    w->FileList->SetSkinData(FCtrlSkinData);
    w->FileNameEdit->SetSkinData(FCtrlSkinData);
    w->FileTypeCombo->SetSkinData(FCtrlSkinData);
    w->OpenButton->SetSkinData(FCtrlSkinData);
    w->CancelButton->SetSkinData(FCtrlSkinData);

    int cw = FClientWidth > 0 ? FClientWidth : 580;
    int ch = FClientWidth > 0 ? FClientHeight : 290;
    if (FSkinData && !FSkinData->Empty) {
        cw = std::max(cw, frame->GetMinWidth());
        ch = std::max(ch, frame->GetMinHeight());
    }
    w->SetClientSize(cw, ch);

    w->CompressedFilterIndex = CompressedFilterIndex;
    w->UnCompressedFilterIndex = UnCompressedFilterIndex;
    const std::string name = ExtractFileName(FileName);
    w->FileNameEdit->SetText(name);
    if (!name.empty()) {
        w->FileList->SetFileName(name);
        const std::string full = Spfilectrl::AppendPathPart(w->GetPath(), name);
        if (FileExists(full)) w->LoadPreview(full);
    }

    const bool ok = w->ShowModal() == mrOk && !w->FileName.empty();
    FilterIndex = w->FileTypeCombo->GetItemIndex() + 1;
    FClientWidth = w->GetClientWidth();
    FClientHeight = w->GetClientHeight();
    if (ok) {
        FileName = w->FileName;
        Files->Clear();
        Files->Add(FileName);
        Change();
    }
    return ok;
}
