// TspSkinDirectoryEdit: a skinned edit with an ellipsis button that opens the
// select-folder dialog at the folder typed and puts the folder chosen in its text.
#pragma once
#include "SkinEdits.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinSelectDirectoryDialog;

class TspSkinDirectoryEdit : public TspSkinEdit {
public:
    explicit TspSkinDirectoryEdit(TComponent* AOwner);
    ~TspSkinDirectoryEdit() override;

    TspSkinData* GetDlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TspSkinData* Value);
    TspSkinData* GetDlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TspSkinData* Value);
    // The dialog the edit keeps between clicks (it remembers its window size).
    TspSkinSelectDirectoryDialog* Dialog() const { return FDialog; }
    // The ellipsis button's action.
    void ButtonClick(TObject* Sender);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TspSkinSelectDirectoryDialog* FDialog;   // owned by the edit as a component
    TspSkinDataLink FDlgSkinData{this};
    TspSkinDataLink FDlgCtrlSkinData{this};
};
