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

TspSkinDirectoryEdit::~TspSkinDirectoryEdit() = default;

void TspSkinDirectoryEdit::SetDlgSkinData(TspSkinData* Value)
{
    FDlgSkinData.Set(Value);
}

void TspSkinDirectoryEdit::SetDlgCtrlSkinData(TspSkinData* Value)
{
    FDlgCtrlSkinData.Set(Value);
}

void TspSkinDirectoryEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FDlgSkinData.Removed(AComponent, Operation);
    FDlgCtrlSkinData.Removed(AComponent, Operation);
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
