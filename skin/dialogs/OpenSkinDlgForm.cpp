#include "OpenSkinDlgForm.h"
#include "DlgFormParts.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinFilterComboBox.h"
#include "SkinLabels.h"
#include "SkinPanel.h"
#include "Spconst.h"
#include "SysUtils.h"

using Spdlgform::Text;

namespace {

const int kPreviewPanelWidth = 230;

} // namespace

TspOpenSkinDlgForm::TspOpenSkinDlgForm(TComponent* AOwner) : TspCustomFileDlgForm(AOwner, false)
{
    SetBounds(0, 0, 580, 290);
    PreviewPanel = new TspSkinPanel(this);
    PreviewPanel->SetParent(this);
    PreviewPanel->SetBounds(350, 25, kPreviewPanelWidth, 185);
    PreviewPanel->SetAlign(alRight);
    PreviewPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);

    PreviewSkinData = new TspSkinData(this);
    PreviewForm = new TForm(this);
    PreviewForm->SetParent(PreviewPanel);
    PreviewForm->SetBounds(5, 5, kPreviewPanelWidth - 10, 170);
    PreviewForm->SetCaption(Text(SPCONST_ID_SP_MSG_PREVIEWSKIN, "Preview"));
    PreviewForm->SetEnabled(false);
    PreviewForm->SetVisible(false);
    PreviewFrame = new TspFormFrame(PreviewForm);
    PreviewFrame->AlwaysActive = true;
    PreviewFrame->SetSkinData(PreviewSkinData);
    PreviewButton = new TspSkinButton(PreviewForm);
    PreviewButton->SetParent(PreviewForm);
    PreviewButton->SetBounds(20, 20, 100, 25);
    PreviewButton->SetCaption(Text(SPCONST_ID_SP_MSG_PREVIEWBUTTON, "Button"));
    PreviewButton->SetSkinData(PreviewSkinData);
    // Where the sample window would be, for a file that holds no usable skin.
    PreviewErrorLabel = new TspSkinStdLabel(this);
    PreviewErrorLabel->SetParent(PreviewPanel);
    PreviewErrorLabel->SetAutoSize(false);
    PreviewErrorLabel->SetWordWrap(true);
    PreviewErrorLabel->SetBounds(5, 5, kPreviewPanelWidth - 10, 60);
    PreviewErrorLabel->SetVisible(false);
}

TspOpenSkinDlgForm::~TspOpenSkinDlgForm() = default;

void TspOpenSkinDlgForm::ApplyCtrlSkinData(TspSkinData* Value)
{
    TspCustomFileDlgForm::ApplyCtrlSkinData(Value);
    PreviewPanel->SetSkinData(Value);
    PreviewErrorLabel->SetSkinData(Value);
}

void TspOpenSkinDlgForm::ShowPreview(bool Visible, const std::string& Error)
{
    PreviewForm->SetVisible(Visible);
    PreviewErrorLabel->SetCaption(Error);
    PreviewErrorLabel->SetVisible(!Error.empty());
}

bool TspOpenSkinDlgForm::PreviewShown() const { return PreviewForm->GetVisible(); }

std::string TspOpenSkinDlgForm::PreviewError() const
{
    return PreviewErrorLabel->GetVisible() ? PreviewErrorLabel->GetCaption() : std::string();
}

void TspOpenSkinDlgForm::LoadPreview(const std::string& Path)
{
    FPreviewPath = Path;
    const int type = FileTypeCombo->GetItemIndex() + 1;
    if (type != CompressedFilterIndex && type != UnCompressedFilterIndex) {
        ShowPreview(!PreviewSkinData->Empty, "");
        return;
    }
    // A damaged or foreign file must not take the dialog down: it shows as an
    // error line where the sample window would be.
    std::string error;
    try {
        bool loaded = type == CompressedFilterIndex ? PreviewSkinData->LoadFromCompressedFile(Path)
                                                    : PreviewSkinData->LoadFromFile(Path);
        if (!loaded) error = "Not a skin this program can show.";
    } catch (const std::exception& e) {
        error = std::string("Cannot read the skin: ") + e.what();
    } catch (...) {
        error = "Cannot read the skin.";
    }
    if (!error.empty()) {
        ShowPreview(false, error);
        return;
    }
    ShowPreview(!PreviewSkinData->Empty, "");
}

void TspOpenSkinDlgForm::FLVChange(TObject* Sender)
{
    const std::string file = GetSelectedFile();
    TspCustomFileDlgForm::FLVChange(Sender);
    if (file.empty()) {
        FPreviewPath.clear();
        ShowPreview(false, "");
        return;
    }
    // The list reports each step of a selection change (focus, selection); the
    // file previewed already is not read again.
    const std::string path = Spfilectrl::AppendPathPart(GetPath(), FileNameEdit->GetText());
    if (SameText(path, FPreviewPath)) return;
    LoadPreview(path);
}
