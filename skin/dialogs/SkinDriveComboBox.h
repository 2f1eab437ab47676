// The skinned drive combo box: the machine's drives, in letter order, as
// "c: [label]" (removable drives by letter only, network drives with their
// remote name), each with a picture of its kind. Choosing one moves a linked
// directory list to that drive; the list is read again each time it drops down,
// so drives that come and go show up.
#pragma once
#include "SkinComboBox.h"
#include <memory>
#include <string>
#include <vector>
#include "SkinDataLink.h"

class TBitmap;
class TspSkinDirectoryListBox;

enum TTextCase { tcLowerCase, tcUpperCase };

class TspSkinDriveComboBox : public TspSkinComboBox {
    friend class TspSkinDirectoryListBox;

public:
    explicit TspSkinDriveComboBox(TComponent* AOwner);
    ~TspSkinDriveComboBox() override;

    char GetDrive() const { return FDrive; }
    // Selects the drive's entry (none for the zero character), moves the
    // linked directory list there and reports the change; nothing when that
    // drive is already selected.
    void SetDrive(char Letter);
    TTextCase GetTextCase() const { return FTextCase; }
    void SetTextCase(TTextCase Value);
    TspSkinDirectoryListBox* GetDirList() const { return FDirList; }
    // Links both ways: the list tells this combo when it moves to another drive.
    void SetDirList(TspSkinDirectoryListBox* Value);
    virtual void BuildList();
    // The picture of entry Index (null without one); owned by the combo.
    TBitmap* ItemPicture(int Index) const;
    // Draws entry Index (the closed combo and the drop-down list alike): its
    // picture left-aligned and centred, the text 6 pixels after it.
    void DrawItem(TCanvas* Cnvs, int Index, const TRect& Rect);

protected:
    void Change() override;
    void DropDown() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    enum TDriveKind { dkNone = -1, dkFloppy, dkHard, dkNetwork, dkCdRom, dkRam, dkKindCount };
    char FDrive = 0;
    TTextCase FTextCase = tcLowerCase;
    bool FSetting = false;
    TspComponentLink<TspSkinDirectoryListBox> FDirList{this};
    std::unique_ptr<TBitmap> FPictures[dkKindCount];
    std::vector<int> FKinds;   // the drive kind of each entry
};
