#include "SelDirDlgForm.h"
#include "DlgFormParts.h"
#include "FormFrame.h"
#include "ShellCtrls.h"
#include "SkinButton.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include "Spconst.h"

using Spdlgform::Text;
using Spdlgform::Place;

TspSelDirDlgForm::TspSelDirDlgForm(TComponent* AOwner) : TForm(AOwner)
{
    SetPosition(poScreenCenter);
    KeyPreview = true;
    SetBounds(0, 0, 280, 280);
    Frame = new TspFormFrame(this);

    BottomPanel = Place<TspSkinPanel>(this, this, alBottom, 0, 230, 280, 50);
    BottomPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    TreePanel = Place<TspSkinPanel>(this, this, alClient, 0, 0, 280, 200);
    TreePanel->SetBorderStyle(TspSkinBorderStyle::bvFrame);

    VScrollBar = Place<TspSkinScrollBar>(this, TreePanel, alRight, 259, 0, 19, 200);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");
    HScrollBar = Place<TspSkinScrollBar>(this, TreePanel, alBottom, 0, 181, 280, 19);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetSkinDataName("hscrollbar");

    DirTreeView = Place<TspSkinDirTreeView>(this, TreePanel, alClient, 0, 0, 240, 180);
    DirTreeView->SetHideSelection(false);
    DirTreeView->SetVScrollBar(VScrollBar);
    DirTreeView->SetHScrollBar(HScrollBar);

    OKButton = Place<TspSkinButton>(this, BottomPanel, alNone, 20, 15, 70, 25);
    OKButton->SetCaption(Text(SPCONST_ID_SP_MSG_BTN_OK, "OK"));
    OKButton->SetDefault(true);
    OKButton->SetCanFocused(true);
    OKButton->ModalResult = mrOk;
    CancelButton = Place<TspSkinButton>(this, BottomPanel, alNone, 100, 15, 70, 25);
    CancelButton->SetCaption(Text(SPCONST_ID_SP_MSG_BTN_CANCEL, "Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
    SetActiveControl(DirTreeView);
}

TspSelDirDlgForm::~TspSelDirDlgForm() = default;
