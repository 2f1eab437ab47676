// The skinned picture dialogs: the open and save dialogs with a scrollable
// preview of the selected picture at the right, beside a splitter, and a tool
// button that stretches the picture to the preview. The preview's width and
// the stretch state carry over from one run to the next.
#pragma once
#include "SkinOpenDialog.h"

class TImage;
class TspSkinScrollBox;
class TspSkinSplitter;

class TspOpenPictureDlgForm : public TspCustomFileDlgForm {
public:
    TspOpenPictureDlgForm(TComponent* AOwner, bool SaveMode);

    // Loads Path into the preview. A file that is no picture leaves the picture
    // shown before and says why in the preview (the window stays usable).
    void LoadPicture(const std::string& Path);
    // The reason the last file did not load; empty after a good one.
    std::string PictureError() const;
    bool Stretched() const;

    void FLVChange(TObject* Sender) override;
    void StretchButtonClick(TObject* Sender);

    TspSkinPanel* PreviewPanel;
    TspSkinSplitter* Splitter;
    TspSkinScrollBar *PreviewVScrollBar, *PreviewHScrollBar;
    TspSkinScrollBox* ScrollBox;
    TImage* Image;
    TspSkinStdLabel* PictureErrorLabel;
    TspSkinSpeedButton* StretchButton;

protected:
    void ApplyCtrlSkinData(TspSkinData* Value) override;

private:
    void FitImage();
};

class TspSkinOpenPictureDialog : public TspSkinOpenDialog {
public:
    explicit TspSkinOpenPictureDialog(TComponent* AOwner);
    bool Execute() override;

    // When true every run starts with the picture stretched.
    bool StretchPicture = false;

private:
    int FPreviewWidth = 190;
    bool FStretch = false;
};

class TspSkinSavePictureDialog : public TspSkinOpenPictureDialog {
public:
    explicit TspSkinSavePictureDialog(TComponent* AOwner);
};
