// The skinned drive combo box: the machine's drives, in letter order, as
// "c: [label]" (removable drives by letter only). Choosing one moves a linked
// directory list to that drive's root.
#pragma once
#include "SkinComboBox.h"
#include <string>

class TspSkinDirectoryListBox;

enum TTextCase { tcLowerCase, tcUpperCase };

class TspSkinDriveComboBox : public TspSkinComboBox {
public:
    explicit TspSkinDriveComboBox(TComponent* AOwner);
    ~TspSkinDriveComboBox() override;

    char GetDrive() const { return FDrive; }
    // Selects the drive's entry (none for the zero character) and moves the
    // linked directory list; nothing when that drive is already selected.
    void SetDrive(char Letter);
    TTextCase GetTextCase() const { return FTextCase; }
    void SetTextCase(TTextCase Value);
    TspSkinDirectoryListBox* GetDirList() const { return FDirList; }
    void SetDirList(TspSkinDirectoryListBox* Value);
    virtual void BuildList();

protected:
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    char FDrive = 0;
    TTextCase FTextCase = tcLowerCase;
    bool FSetting = false;
    TspSkinDirectoryListBox* FDirList = nullptr;
};
