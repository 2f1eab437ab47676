// The common part of the skinned file dialog components: the folder and file
// chosen, the file types, the skins and alpha blending of the window's controls,
// and the run of a file dialog window with the answer taken back from it.
#pragma once
#include "FileDlgForm.h"
#include "SkinDialogComponent.h"
#include <memory>
#include <string>

class TspSkinFileDialogComponent : public TspSkinDialogComponent {
public:
    TspSkinFileDialogComponent(TComponent* AOwner, const std::string& Title, BYTE AlphaBlendValue,
                               const std::string& Filter);
    ~TspSkinFileDialogComponent() override;

    std::string InitialDir;
    std::string Filter;
    int FilterIndex = 1;
    std::string FileName;
    std::string LVHeaderSkinDataName = "resizebutton";
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    BYTE CtrlAlphaBlendValue = 225;
    std::unique_ptr<TStringList> Files;

protected:
    // The options a run hands to its window, all but the start folder and size.
    TspFileDlgOptions FileOptions() const;
    // Shows W modally and takes over its answer: true when a file was confirmed;
    // FileName and Files then hold it and the change handler has run. The file
    // type and the window's size and view are kept either way.
    bool ShowAndTake(TspCustomFileDlgForm* W);

    TspFileDlgMemory FMemory;
};
