// The skinned filter combo box: offers the file types of a filter text such as
// "Compressed skin (*.skn)|*.skn" by their descriptions and yields the mask of
// the chosen one, which it also hands to a linked file list box.
#pragma once
#include "FileFilter.h"
#include "SkinComboBox.h"
#include <string>
#include <vector>
#include "SkinDataLink.h"

class TspSkinFileListBox;

class TspSkinFilterComboBox : public TspSkinComboBox {
    friend class TspSkinFileListBox;

public:
    static const char* const DefaultFilter;

    explicit TspSkinFilterComboBox(TComponent* AOwner);
    ~TspSkinFilterComboBox() override;

    const std::string& GetFilter() const { return FFilter; }
    // A text that differs only in letter case changes nothing.
    void SetFilter(const std::string& Value);
    // The mask of the selected entry (the last entry when none is selected);
    // "*.*" without entries. Never the description.
    std::string GetMask();
    TspSkinFileListBox* GetFileList() const { return FFileList; }
    void SetFileList(TspSkinFileListBox* Value);
    // The descriptions become the items, the masks are kept beside them.
    void BuildList();
    bool IsFilterStored() const { return FFilter != DefaultFilter; }

protected:
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::string FFilter = DefaultFilter;
    std::vector<std::string> FMasks;
    TspComponentLink<TspSkinFileListBox> FFileList{this};
};
