// The window of the select-folder dialog: a framed panel holding the folder tree
// with its two skinned bars, and a bottom panel with the OK and Cancel buttons.
#pragma once
#include "Form.h"

class TspFormFrame;
class TspSkinButton;
class TspSkinDirTreeView;
class TspSkinPanel;
class TspSkinScrollBar;

class TspSelDirDlgForm : public TForm {
public:
    explicit TspSelDirDlgForm(TComponent* AOwner);
    ~TspSelDirDlgForm() override;

    TspFormFrame* Frame;
    TspSkinPanel* TreePanel;
    TspSkinPanel* BottomPanel;
    TspSkinDirTreeView* DirTreeView;
    TspSkinScrollBar* VScrollBar;
    TspSkinScrollBar* HScrollBar;
    TspSkinButton* OKButton;
    TspSkinButton* CancelButton;
};
