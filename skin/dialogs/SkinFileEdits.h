// Skinned edits with an ellipsis button that opens a skinned file dialog and
// puts the chosen file into the edit: TspSkinFileEdit opens the open dialog,
// TspSkinSaveFileEdit the save dialog. Each edit keeps its dialog, so the
// dialog's size, view and file type carry over from one click to the next.
#pragma once
#include "SkinEdits.h"
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinOpenDialog;

class TspCustomFileEdit : public TspSkinEdit {
public:
    ~TspCustomFileEdit() override;

    TspSkinData* GetDlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TspSkinData* Value);
    TspSkinData* GetDlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TspSkinData* Value);
    std::string GetFilter() const;
    void SetFilter(const std::string& Value);
    TspSkinOpenDialog* GetDialog() const { return FDialog; }
    // The ellipsis button: the dialog starts at the edit's file; a confirmed
    // choice replaces the text, a cancelled one leaves it.
    void ButtonClick(TObject* Sender);

    std::string LVHeaderSkinDataName = "resizebutton";

protected:
    TspCustomFileEdit(TComponent* AOwner, bool SaveMode);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TspSkinOpenDialog* FDialog;   // owned by the edit
    TspSkinDataLink FDlgSkinData{this};
    TspSkinDataLink FDlgCtrlSkinData{this};
};

class TspSkinFileEdit : public TspCustomFileEdit {
public:
    explicit TspSkinFileEdit(TComponent* AOwner) : TspCustomFileEdit(AOwner, false) {}
};

class TspSkinSaveFileEdit : public TspCustomFileEdit {
public:
    explicit TspSkinSaveFileEdit(TComponent* AOwner) : TspCustomFileEdit(AOwner, true) {}
};
