#include "SkinFileEdits.h"
#include "SkinData.h"
#include "SkinOpenDialog.h"

TspCustomFileEdit::TspCustomFileEdit(TComponent* AOwner, bool SaveMode) : TspSkinEdit(AOwner)
{
    // The component's name is no file name: it never becomes the text.
    SetControlStyle(GetControlStyle() & ~csSetCaption);
    SetButtonMode(true);
    OnButtonClick = [this](TObject* s) { ButtonClick(s); };
    SetSkinDataName("buttonedit");
    FDialog = SaveMode ? new TspSkinSaveDialog(this) : new TspSkinOpenDialog(this);
}

TspCustomFileEdit::~TspCustomFileEdit()
{
    OnButtonClick = nullptr;
}

void TspCustomFileEdit::SetDlgSkinData(TspSkinData* Value)
{
    FDlgSkinData.Set(Value);
}

void TspCustomFileEdit::SetDlgCtrlSkinData(TspSkinData* Value)
{
    FDlgCtrlSkinData.Set(Value);
}

std::string TspCustomFileEdit::GetFilter() const { return FDialog->Filter; }

void TspCustomFileEdit::SetFilter(const std::string& Value) { FDialog->Filter = Value; }

void TspCustomFileEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FDlgSkinData.Removed(AComponent, Operation);
    FDlgCtrlSkinData.Removed(AComponent, Operation);
}

void TspCustomFileEdit::ButtonClick(TObject*)
{
    FDialog->FileName = GetText();
    FDialog->SetSkinData(FDlgSkinData);
    FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
    FDialog->LVHeaderSkinDataName = LVHeaderSkinDataName;
    if (FDialog->Execute()) SetText(FDialog->FileName);
}
