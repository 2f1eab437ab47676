#include "SkinDirectoryEdit.h"
#include "SelectDirectoryDialog.h"
#include "SkinData.h"

TspSkinDirectoryEdit::TspSkinDirectoryEdit(TComponent* AOwner) : TspSkinEdit(AOwner)
{
    // The component's name is no folder: the text starts empty.
    FControlStyle &= ~csSetCaption;
    SetButtonMode(true);
    OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
    SetSkinDataName("buttonedit");
    FDialog = new TspSkinSelectDirectoryDialog(this);
}

TspSkinDirectoryEdit::~TspSkinDirectoryEdit()
{
    if (FDlgSkinData) FDlgSkinData->RemoveFreeNotification(this);
    if (FDlgCtrlSkinData) FDlgCtrlSkinData->RemoveFreeNotification(this);
}

void TspSkinDirectoryEdit::SetDlgSkinData(TspSkinData* Value)
{
    if (FDlgSkinData == Value) return;
    if (FDlgSkinData) FDlgSkinData->RemoveFreeNotification(this);
    FDlgSkinData = Value;
    if (FDlgSkinData) FDlgSkinData->FreeNotification(this);
}

void TspSkinDirectoryEdit::SetDlgCtrlSkinData(TspSkinData* Value)
{
    if (FDlgCtrlSkinData == Value) return;
    if (FDlgCtrlSkinData) FDlgCtrlSkinData->RemoveFreeNotification(this);
    FDlgCtrlSkinData = Value;
    if (FDlgCtrlSkinData) FDlgCtrlSkinData->FreeNotification(this);
}

void TspSkinDirectoryEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDlgSkinData) FDlgSkinData = nullptr;
    if (AComponent == FDlgCtrlSkinData) FDlgCtrlSkinData = nullptr;
    if (AComponent == FDialog) FDialog = nullptr;
}

void TspSkinDirectoryEdit::ButtonClick(TObject*)
{
    if (!FDialog) return;
    FDialog->Directory = GetText();
    FDialog->SetSkinData(FDlgSkinData);
    FDialog->SetCtrlSkinData(FDlgCtrlSkinData);
    if (FDialog->Execute()) SetText(FDialog->Directory);
}
