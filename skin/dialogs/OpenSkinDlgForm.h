// The window of the open-skin dialog: the common file dialog window with, at
// its right, a preview of the selected skin on a small sample window that wears
// a skin data component of its own, so the program's skin is never touched.
#pragma once
#include "FileDlgForm.h"

class TspSkinData;

class TspOpenSkinDlgForm : public TspCustomFileDlgForm {
public:
    explicit TspOpenSkinDlgForm(TComponent* AOwner);
    ~TspOpenSkinDlgForm() override;

    // Loads Path into the preview by the selected file type; a file that holds
    // no usable skin hides the sample window and shows an error line instead.
    void LoadPreview(const std::string& Path);
    bool PreviewShown() const;
    std::string PreviewError() const;

    void FLVChange(TObject* Sender) override;

    int CompressedFilterIndex = 1;
    int UnCompressedFilterIndex = 2;

    TspSkinPanel* PreviewPanel;
    TForm* PreviewForm;
    TspFormFrame* PreviewFrame;
    TspSkinData* PreviewSkinData;
    TspSkinButton* PreviewButton;
    TspSkinStdLabel* PreviewErrorLabel;

protected:
    void ApplyCtrlSkinData(TspSkinData* Value) override;

private:
    void ShowPreview(bool Visible, const std::string& Error);
    std::string FPreviewPath;   // the file previewed last
};
