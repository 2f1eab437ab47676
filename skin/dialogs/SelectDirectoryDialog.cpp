#include "SelectDirectoryDialog.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "SelDirDlgForm.h"
#include "ShellCtrls.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include "Trace.h"
#include <algorithm>
#include <exception>

TspSkinSelectDirectoryDialog::TspSkinSelectDirectoryDialog(TComponent* AOwner)
    : TspSkinDialogComponent(AOwner, "Select folder", 200)
{
}

TspSkinSelectDirectoryDialog::~TspSkinSelectDirectoryDialog() = default;

bool TspSkinSelectDirectoryDialog::Execute()
{
    std::unique_ptr<TspSelDirDlgForm> w(new TspSelDirDlgForm(nullptr));
    const TRunning<TspSelDirDlgForm> running(FWindow, w.get());

    w->SetCaption(FTitle);
    TspFormFrame* frame = w->Frame;
    frame->SetBorderIcons(0);
    frame->SetSkinData(FSkinData);
    frame->SetMenusSkinData(FCtrlSkinData);
    frame->SetAlphaBlend(AlphaBlend);
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->SetAlphaBlendValue(AlphaBlendValue);

    w->TreePanel->SetSkinData(FCtrlSkinData);
    w->DirTreeView->SetDefaultFont(FDefaultFont.get());
    w->DirTreeView->SetSkinData(FCtrlSkinData);
    // The tree builds its nodes with its window: the start folder is chosen in
    // a tree that has one, or the window's creation would start it afresh.
    w->DirTreeView->HandleNeeded();
    bool placed = false;
    if (!Directory.empty() && Spfilectrl::DirectoryExists(Directory)) {
        // A folder the shell cannot reach opens the tree at My Computer instead.
        try {
            w->DirTreeView->SetPath(Directory);
            placed = w->DirTreeView->GetSelected() != nullptr;
        } catch (const std::exception&) {
            Trace::Caught(Trace::Skin, "directory dialog start folder");
            placed = false;
        }
    }
    if (!placed) w->DirTreeView->ExpandMyComputer();

    w->VScrollBar->SetSkinData(FCtrlSkinData);
    w->HScrollBar->SetSkinData(FCtrlSkinData);
    w->OKButton->SetSkinData(FCtrlSkinData);
    w->CancelButton->SetSkinData(FCtrlSkinData);
    w->BottomPanel->SetSkinData(FCtrlSkinData);
    w->OKButton->SetDefaultFont(FDefaultFont.get());
    w->CancelButton->SetDefaultFont(FDefaultFont.get());

    int cw = FClientWidth > 0 ? FClientWidth : 280;
    int ch = FClientWidth > 0 ? FClientHeight : 280;
    if (FSkinData && !FSkinData->Empty) {
        cw = std::max(cw, frame->GetMinWidth());
        ch = std::max(ch, frame->GetMinHeight());
    }
    w->SetClientSize(cw, ch);

    const bool ok = w->ShowModal() == mrOk;
    FClientWidth = w->GetClientWidth();
    FClientHeight = w->GetClientHeight();
    if (ok) {
        Directory = w->DirTreeView->GetPath();
        Change();
    }
    return ok;
}
