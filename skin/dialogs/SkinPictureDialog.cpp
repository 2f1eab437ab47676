#include "SkinPictureDialog.h"
#include "DlgFormParts.h"
#include "FileDlgGlyphs.h"
#include "FilePaths.h"
#include "Image.h"
#include "SkinEdits.h"
#include "SkinLabels.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include "SkinScrollBox.h"
#include "SkinSpeedButton.h"
#include "SkinSplitter.h"
#include "SkinToolBar.h"
#include "Spconst.h"
#include "SysUtils.h"

using Spdlgform::Text;

TspOpenPictureDlgForm::TspOpenPictureDlgForm(TComponent* AOwner, bool SaveMode)
    : TspCustomFileDlgForm(AOwner, SaveMode)
{
    SetBounds(0, 0, 550, 290);
    PreviewPanel = new TspSkinPanel(this);
    PreviewPanel->SetParent(this);
    PreviewPanel->SetBounds(350, 25, 200, 185);
    PreviewPanel->SetAlign(alRight);
    PreviewPanel->SetBorderStyle(TspSkinBorderStyle::bvFrame);
    Splitter = new TspSkinSplitter(this);
    Splitter->SetParent(this);
    Splitter->SetBounds(340, 25, 10, 185);
    Splitter->SetAlign(alRight);
    Splitter->DefaultSize = 10;
    PreviewVScrollBar = new TspSkinScrollBar(this);
    PreviewVScrollBar->SetParent(PreviewPanel);
    PreviewVScrollBar->SetBounds(181, 0, 19, 166);
    PreviewVScrollBar->SetAlign(alRight);
    PreviewVScrollBar->SetKind(sbVertical);
    PreviewVScrollBar->SetEnabled(false);
    PreviewVScrollBar->SetSkinDataName("vscrollbar");
    PreviewHScrollBar = new TspSkinScrollBar(this);
    PreviewHScrollBar->SetParent(PreviewPanel);
    PreviewHScrollBar->SetBounds(0, 166, 181, 19);
    PreviewHScrollBar->SetAlign(alBottom);
    PreviewHScrollBar->SetBothMarkerWidth(19);
    PreviewHScrollBar->SetEnabled(false);
    PreviewHScrollBar->SetSkinDataName("hscrollbar");
    ScrollBox = new TspSkinScrollBox(this);
    ScrollBox->SetParent(PreviewPanel);
    ScrollBox->SetBounds(0, 0, 181, 166);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetBorderStyle(TspSkinBorderStyle::bvNone);
    ScrollBox->SetVScrollBar(PreviewVScrollBar);
    ScrollBox->SetHScrollBar(PreviewHScrollBar);
    Image = new TImage(this);
    Image->SetParent(ScrollBox);
    Image->SetBounds(0, 0, 0, 0);
    // Where the picture would be, for a file that is no picture.
    PictureErrorLabel = new TspSkinStdLabel(this);
    PictureErrorLabel->SetParent(PreviewPanel);
    PictureErrorLabel->SetAutoSize(false);
    PictureErrorLabel->SetWordWrap(true);
    PictureErrorLabel->SetBounds(5, 5, 170, 60);
    PictureErrorLabel->SetVisible(false);

    StretchButton = new TspSkinSpeedButton(this);
    StretchButton->SetParent(ToolBar);
    StretchButton->SetBounds(ToolBar->GetWidth(), 0, 27, 25);
    StretchButton->SetAlign(alRight);
    StretchButton->SetSkinDataName("toolbutton");
    StretchButton->SetGroupIndex(2);
    StretchButton->AllowAllUp = true;
    StretchButton->SetGlyph(Spfiledlg::ToolGlyph("SP_STRETCH").get());
    StretchButton->SetHint(Text(SPCONST_ID_SP_MSG_BTN_STRETCH_HINT, "Stretch Picture"));
    StretchButton->SetShowHint(true);
    StretchButton->OnClick = [this](TObject* s) { StretchButtonClick(s); };
}

void TspOpenPictureDlgForm::ApplyCtrlSkinData(TspSkinData* Value)
{
    TspCustomFileDlgForm::ApplyCtrlSkinData(Value);
    PreviewPanel->SetSkinData(Value);
    ScrollBox->SetSkinData(Value);
    PreviewVScrollBar->SetSkinData(Value);
    PreviewHScrollBar->SetSkinData(Value);
    StretchButton->SetSkinData(Value);
    Splitter->SetSkinData(Value);
    PictureErrorLabel->SetSkinData(Value);
}

bool TspOpenPictureDlgForm::Stretched() const { return Image->GetStretch(); }

std::string TspOpenPictureDlgForm::PictureError() const
{
    return PictureErrorLabel->GetVisible() ? PictureErrorLabel->GetCaption() : std::string();
}

void TspOpenPictureDlgForm::FitImage()
{
    if (!Image->GetStretch())
        Image->SetBounds(Image->GetLeft(), Image->GetTop(), Image->GetPicture()->GetWidth(),
                         Image->GetPicture()->GetHeight());
    ScrollBox->UpdateScrollRange();
}

void TspOpenPictureDlgForm::LoadPicture(const std::string& Path)
{
    std::string error;
    try {
        Image->GetPicture()->LoadFromFile(Path);
    } catch (const std::exception& e) {
        error = e.what();
        if (error.empty()) error = "Not a picture this program can show.";
    } catch (...) {
        error = "Not a picture this program can show.";
    }
    PictureErrorLabel->SetCaption(error);
    PictureErrorLabel->SetVisible(!error.empty());
    FitImage();
}

void TspOpenPictureDlgForm::FLVChange(TObject* Sender)
{
    TspCustomFileDlgForm::FLVChange(Sender);
    const std::string name = FileNameEdit->GetText();
    if (name.empty()) {
        if (!Image->GetStretch()) Image->SetBounds(Image->GetLeft(), Image->GetTop(), 0, 0);
        PictureErrorLabel->SetVisible(false);
        ScrollBox->UpdateScrollRange();
        return;
    }
    LoadPicture(Spfilectrl::AppendPathPart(GetPath(), name));
}

void TspOpenPictureDlgForm::StretchButtonClick(TObject*)
{
    Image->SetVisible(false);
    if (StretchButton->GetDown()) {
        // Back to the top-left corner first, so the picture fills the box.
        ScrollBox->VScroll(0);
        ScrollBox->HScroll(0);
        ScrollBox->UpdateScrollRange();
        Image->SetStretch(true);
        Image->SetAlign(alClient);
    } else {
        Image->SetAlign(alNone);
        Image->SetStretch(false);
        Image->SetBounds(0, 0, Image->GetPicture()->GetWidth(), Image->GetPicture()->GetHeight());
    }
    Image->SetVisible(true);
    ScrollBox->UpdateScrollRange();
}

TspSkinOpenPictureDialog::TspSkinOpenPictureDialog(TComponent* AOwner) : TspSkinOpenDialog(AOwner)
{
    FTitle = "Open picture";
    Filter = "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
             "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
}

bool TspSkinOpenPictureDialog::Execute()
{
    std::unique_ptr<TspOpenPictureDlgForm> w(new TspOpenPictureDlgForm(nullptr, FSaveMode));
    TspFileDlgOptions o = Options();
    o.ClientWidth = 550;
    o.ClientHeight = 290;
    w->Prepare(o, FMemory);
    w->PreviewPanel->SetWidth(FPreviewWidth);
    if (StretchPicture || FStretch) {
        w->StretchButton->SetDown(true);
        w->StretchButtonClick(w->StretchButton);
    }
    // A stored file that is no picture opens the window all the same.
    if (!FileName.empty() && FileExists(FileName)) w->LoadPicture(FileName);
    const bool ok = Run(w.get());
    FStretch = w->StretchButton->GetDown();
    FPreviewWidth = w->PreviewPanel->GetWidth();
    return ok;
}

TspSkinSavePictureDialog::TspSkinSavePictureDialog(TComponent* AOwner) : TspSkinOpenPictureDialog(AOwner)
{
    FTitle = "Save file";
    FSaveMode = true;
}
