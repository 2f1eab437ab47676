#include "FileDlgForm.h"
#include "DlgFormParts.h"
#include "Application.h"
#include "Dialogs.h"
#include "FileDlgGlyphs.h"
#include "FileMask.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "Menus.h"
#include "ScopeGuard.h"
#include "ShellCtrls.h"
#include "SkinBevel.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinFilterComboBox.h"
#include "SkinLabels.h"
#include "SkinMenuButtons.h"
#include "SkinPanel.h"
#include "SkinPopupMenu.h"
#include "SkinScrollBar.h"
#include "SkinSpeedButton.h"
#include "SkinToolBar.h"
#include "Spconst.h"
#include "SysUtils.h"
#include "Trace.h"
#include <algorithm>

using namespace Spskinshellctrls;

using Spdlgform::Text;
using Spdlgform::Place;

namespace {

TspSkinStdLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, const std::string& Caption, int Left, int Top)
{
    auto* l = new TspSkinStdLabel(Owner);
    l->SetParent(Parent);
    l->SetCaption(Caption);
    l->SetLeft(Left);
    l->SetTop(Top);
    return l;
}

// "D:\a\b\" -> "D:\a\b"; a drive root keeps its separator.
std::string FolderName(std::string S)
{
    while (S.size() > 3 && (S.back() == '\\' || S.back() == '/')) S.pop_back();
    return S;
}

std::string ParentOf(const std::string& Path)
{
    const std::string p = FolderName(Path);
    const size_t cut = p.find_last_of("\\/");
    if (cut == std::string::npos || p.size() <= 3) return "";
    std::string parent = p.substr(0, cut);
    if (parent.size() == 2 && parent[1] == ':') parent += "\\";
    return parent;
}

// The file type combo tells the form of every selection, also of those made in
// code (its change event is kept for what the user picks).
class TFileTypeComboBox : public TspSkinFilterComboBox {
public:
    using TspSkinFilterComboBox::TspSkinFilterComboBox;
    std::function<void()> OnSelect;

protected:
    void Change() override
    {
        TspSkinFilterComboBox::Change();
        if (OnSelect) OnSelect();
    }
};

} // namespace

namespace Spfiledlg {

std::string ProgramFolder() { return FolderName(ExtractFilePath(Application->ExeName())); }

bool IsAbsolutePath(const std::string& Path)
{
    if (Path.size() >= 3 && Path[1] == ':' && (Path[2] == '\\' || Path[2] == '/')) return true;
    return Path.size() >= 2 && (Path[0] == '\\' || Path[0] == '/') && Path[1] == Path[0];
}

std::string StartFolder(const std::string& FileName, const std::string& InitialDir, const std::string& Fallback)
{
    // A stored file whose folder was moved, or an initial folder that is gone,
    // must not keep the window from opening: the nearest folder that is there.
    for (std::string f : {FolderName(ExtractFilePath(FileName)), FolderName(InitialDir)}) {
        if (f.empty() || !IsAbsolutePath(f)) continue;
        for (int depth = 0; !f.empty() && depth < 64; ++depth, f = ParentOf(f))
            if (Spfilectrl::DirectoryExists(f)) return FolderName(f);
    }
    return Fallback;
}

} // namespace Spfiledlg

TspCustomFileDlgForm::TspCustomFileDlgForm(TComponent* AOwner, bool SaveMode) : TForm(AOwner), FSaveMode(SaveMode)
{
    SetPosition(poScreenCenter);
    KeyPreview = true;
    SetBounds(0, 0, 450, 290);
    Frame = new TspFormFrame(this);

    ToolBar = Place<TspSkinToolBar>(this, this, alTop, 0, 0, 450, 25);
    ToolBar->SetBorderStyle(TspSkinBorderStyle::bvNone);
    ToolBar->SetSkinDataName("toolpanel");
    // Right-aligned controls keep the order of their left edges.
    auto speed = [this](int Left, const char* Glyph, const std::string& Hint) {
        auto* b = Place<TspSkinSpeedButton>(this, ToolBar, alRight, Left, 0, 27, 25);
        b->SetSkinDataName("toolbutton");
        b->SetGlyph(Spfiledlg::ToolGlyph(Glyph).get());
        b->SetNumGlyphs(1);
        b->SetHint(Hint);
        b->SetShowHint(true);
        return b;
    };
    ViewMenu = new TspSkinPopupMenu(this);
    auto item = [this](const std::string& Caption, void (TspCustomFileDlgForm::*Handler)(TObject*)) {
        auto* i = new TMenuItem(this);
        i->SetCaption(Caption);
        i->SetRadioItem(true);
        i->OnClick = [this, Handler](TObject* s) { (this->*Handler)(s); };
        ViewMenu->GetItems()->Add(i);
        return i;
    };
    IconItem = item(Text(SPCONST_ID_SP_MSG_LV_ICON, "Large icons"), &TspCustomFileDlgForm::IconItemClick);
    SmallIconItem = item(Text(SPCONST_ID_SP_MSG_LV_SMALLICON, "Small icons"), &TspCustomFileDlgForm::SmallIconItemClick);
    ListItem = item(Text(SPCONST_ID_SP_MSG_LV_LIST, "List"), &TspCustomFileDlgForm::ListItemClick);
    ReportItem = item(Text(SPCONST_ID_SP_MSG_LV_DETAILS, "Details"), &TspCustomFileDlgForm::ReportItemClick);
    ViewMenuButton = Place<TspSkinMenuSpeedButton>(this, ToolBar, alRight, 413, 0, 37, 25);
    ViewMenuButton->SetSkinDataName("toolmenubutton");
    ViewMenuButton->SetGlyph(Spfiledlg::ToolGlyph("SP_LVSTYLE").get());
    ViewMenuButton->SetSkinPopupMenu(ViewMenu);
    ViewMenuButton->SetHint(Text(SPCONST_ID_SP_MSG_BTN_VIEWMENU_HINT, "View Menu"));
    ViewMenuButton->SetShowHint(true);
    RightSpacer = Place<TspSkinBevel>(this, ToolBar, alRight, 403, 0, 10, 25);
    RightSpacer->SetShape(bsSpacer);
    NewFolderButton = speed(376, "SP_NEWFOLDER", Text(SPCONST_ID_SP_MSG_BTN_NEWFOLDER_HINT, "Create New Folder"));
    UpButton = speed(349, "SP_UP", Text(SPCONST_ID_SP_MSG_BTN_UP_HINT, "Up One Level"));
    BackButton = speed(322, "SP_BACK", Text(SPCONST_ID_SP_MSG_BTN_BACK_HINT, "Go To Last Folder Visited"));
    BackButton->OnClick = [this](TObject* s) { BackToolButtonClick(s); };
    UpButton->OnClick = [this](TObject* s) { UpToolButtonClick(s); };
    NewFolderButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };
    LeftSpacer = Place<TspSkinBevel>(this, ToolBar, alLeft, 0, 0, 10, 25);
    LeftSpacer->SetShape(bsSpacer);
    LookInLabel = PlaceLabel(this, ToolBar, Text(SPCONST_ID_SP_FLV_LOOKIN, "Look in: "), 10, 0);
    LookInLabel->SetAlign(alLeft);
    LookInLabel->SetLayout(tlCenter);
    PathCombo = Place<TspSkinShellComboBox>(this, ToolBar, alClient, 70, 2, 190, 21);
    PathCombo->SetDropDownCount(10);

    BottomPanel = Place<TspSkinPanel>(this, this, alBottom, 0, 210, 450, 80);
    BottomPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    CentralPanel = Place<TspSkinPanel>(this, this, alClient, 0, 25, 450, 185);
    CentralPanel->SetBorderStyle(TspSkinBorderStyle::bvFrame);
    HScrollBar = Place<TspSkinScrollBar>(this, CentralPanel, alBottom, 0, 166, 450, 19);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetSkinDataName("hscrollbar");
    VScrollBar = Place<TspSkinScrollBar>(this, CentralPanel, alRight, 431, 0, 19, 166);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");
    FileList = Place<TspSkinFileListView>(this, CentralPanel, alClient, 0, 0, 431, 166);
    FileList->SetViewStyle(vsList);
    FileList->SetShowColumnHeaders(true);
    FileList->SetHScrollBar(HScrollBar);
    FileList->SetVScrollBar(VScrollBar);
    FileList->SetHideSelection(false);
    FileList->AutoContextMenus = false;
    FileList->OnAddFolder = [this](TObject* s, TspShellFolder* f, bool& add) { AddFolder(s, f, add); };
    FileList->OnChange = [this](TObject* s, TListItem*, int) { FLVChange(s); };
    FileList->OnDblClick = [this](TObject* s) { FLVDblClick(s); };
    FileList->OnKeyPress = [this](TObject* s, char& k) { FLVKeyPress(s, k); };
    FileList->OnPathChange = [this](TObject* s) { FLVPathChange(s); };
    PathCombo->SetListView(FileList);

    FileNameLabel = PlaceLabel(this, BottomPanel, Text(SPCONST_ID_SP_MSG_FILENAME, "File name:"), 10, 10);
    FileTypeLabel = PlaceLabel(this, BottomPanel, Text(SPCONST_ID_SP_MSG_FILETYPE, "File type:"), 10, 45);
    FileNameEdit = Place<TspSkinEdit>(this, BottomPanel, alNone, 70, 10, 280, 21);
    FileNameEdit->OnKeyPress = [this](TObject* s, char& k) { EditKeyPress(s, k); };
    auto* types = Place<TFileTypeComboBox>(this, BottomPanel, alNone, 70, 45, 280, 21);
    types->OnSelect = [this] { FCBChange(FileTypeCombo); };
    FileTypeCombo = types;
    OpenButton = Place<TspSkinButton>(this, BottomPanel, alNone, 370, 10, 70, 25);
    OpenButton->SetCaption(SaveMode ? Text(SPCONST_ID_SP_MSG_BTN_SAVE, "&Save") : Text(SPCONST_ID_SP_MSG_BTN_OPEN, "&Open"));
    OpenButton->OnClick = [this](TObject* s) { OpenButtonClick(s); };
    CancelButton = Place<TspSkinButton>(this, BottomPanel, alNone, 370, 45, 70, 25);
    CancelButton->SetCaption(Text(SPCONST_ID_SP_MSG_BTN_CANCEL, "Cancel"));
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
    SetActiveControl(FileNameEdit);
    SetViewStyle(vsList);
}

TspCustomFileDlgForm::~TspCustomFileDlgForm()
{
    // The controls go after this part of the window: they must not call back into it.
    FileList->OnPathChange = nullptr;
    FileList->OnChange = nullptr;
    FileList->OnAddFolder = nullptr;
    static_cast<TFileTypeComboBox*>(FileTypeCombo)->OnSelect = nullptr;
}

void TspCustomFileDlgForm::ApplyCtrlSkinData(TspSkinData* Value)
{
    CentralPanel->SetSkinData(Value);
    BottomPanel->SetSkinData(Value);
    ToolBar->SetSkinData(Value);
    for (TspSkinStdLabel* l : {LookInLabel, FileNameLabel, FileTypeLabel}) l->SetSkinData(Value);
    for (TspSkinSpeedButton* b : {BackButton, UpButton, NewFolderButton}) b->SetSkinData(Value);
    ViewMenuButton->SetSkinData(Value);
    ViewMenu->SetSkinData(Value);
    LeftSpacer->SetSkinData(Value);
    RightSpacer->SetSkinData(Value);
    HScrollBar->SetSkinData(Value);
    VScrollBar->SetSkinData(Value);
    FileList->SetSkinData(Value);
    FileNameEdit->SetSkinData(Value);
    FileTypeCombo->SetSkinData(Value);
    OpenButton->SetSkinData(Value);
    CancelButton->SetSkinData(Value);
    PathCombo->SetSkinDataName(Value && Value->FindControlElement("toolcombobox") >= 0 ? "toolcombobox" : "combobox");
    PathCombo->SetSkinData(Value);
}

void TspCustomFileDlgForm::Prepare(const TspFileDlgOptions& O, const TspFileDlgMemory& Memory)
{
    SetCaption(O.Title);
    Frame->SetBorderIcons(0);
    Frame->SetSkinData(O.SkinData);
    Frame->SetMenusSkinData(O.CtrlSkinData);
    Frame->SetAlphaBlend(O.AlphaBlend);
    Frame->AlphaBlendAnimation = O.AlphaBlendAnimation;
    Frame->SetAlphaBlendValue(O.AlphaBlendValue);
    Frame->MenusAlphaBlend = O.CtrlAlphaBlend;
    Frame->MenusAlphaBlendAnimation = O.CtrlAlphaBlendAnimation;
    Frame->MenusAlphaBlendValue = O.CtrlAlphaBlendValue;
    for (TspSkinCustomComboBox* c : {static_cast<TspSkinCustomComboBox*>(PathCombo),
                                     static_cast<TspSkinCustomComboBox*>(FileTypeCombo)}) {
        c->ListBoxAlphaBlend = O.CtrlAlphaBlend;
        c->ListBoxAlphaBlendValue = O.CtrlAlphaBlendValue;
        c->ListBoxAlphaBlendAnimation = O.CtrlAlphaBlendAnimation;
    }
    if (O.DefaultFont) {
        OpenButton->SetDefaultFont(O.DefaultFont);
        CancelButton->SetDefaultFont(O.DefaultFont);
        PathCombo->SetDefaultFont(O.DefaultFont);
        FileList->SetDefaultFont(O.DefaultFont);
    }
    SetViewStyle(Memory.ViewStyle);

    // The file type first, so that the list reads the first folder once, with
    // the chosen type's mask (never its description).
    FileTypeCombo->SetFilter(O.Filter);
    const int types = FileTypeCombo->GetItems()->GetCount();
    FileTypeCombo->SetItemIndex(types == 0 ? -1 : std::max(0, std::min(O.FilterIndex - 1, types - 1)));
    ApplyMask(FileTypeCombo->GetMask());
    FileList->SetMultiSelect(O.MultiSelect);
    FileList->SetHeaderSkinDataName(O.LVHeaderSkinDataName);
    if (!SetPath(O.StartFolder)) SetPath(Spfiledlg::ProgramFolder());

    ApplyCtrlSkinData(O.CtrlSkinData);

    // The window exists before it is sized, so the client size is exact.
    FileList->HandleNeeded();
    int cw = Memory.ClientWidth > 0 ? Memory.ClientWidth : O.ClientWidth;
    int ch = Memory.ClientWidth > 0 ? Memory.ClientHeight : O.ClientHeight;
    if (O.SkinData && !O.SkinData->Empty) {
        cw = std::max(cw, Frame->GetMinWidth());
        ch = std::max(ch, Frame->GetMinHeight());
    }
    SetClientSize(cw, ch);
    FocusFirstRow();
}

int TspCustomFileDlgForm::GetFilterIndex() const { return FileTypeCombo->GetItemIndex() + 1; }

void TspCustomFileDlgForm::Remember(TspFileDlgMemory& Memory)
{
    Memory.ViewStyle = FileList->GetViewStyle();
    Memory.ClientWidth = GetClientWidth();
    Memory.ClientHeight = GetClientHeight();
}

bool TspCustomFileDlgForm::SetPath(const std::string& Folder)
{
    if (Folder.empty() || !Spfilectrl::DirectoryExists(Folder)) return false;
    try {
        FileList->SetPath(Folder);
    } catch (const Exception&) {
        Trace::Caught(Trace::Skin, "file dialog folder");
        return false;
    }
    return true;
}

std::string TspCustomFileDlgForm::GetPath() const { return FileList->GetPath(); }

std::string TspCustomFileDlgForm::GetSelectedFile() const { return FileList->GetSelectedFile(); }

void TspCustomFileDlgForm::GetSelectedFiles(TStrings* Strings) const { FileList->GetSelectedFiles(Strings); }

bool TspCustomFileDlgForm::SelectFile(const std::string& Name)
{
    int row = -1;
    for (int i = 0; i < FileList->FolderCount() && row < 0; ++i) {
        TspShellFolder* f = FileList->GetFolder(i);
        if (SameText(ExtractFileName(f->PathName()), Name) || SameText(f->DisplayName(), Name)) row = i;
    }
    FileList->SetItemIndex(row);
    return row >= 0;
}

void TspCustomFileDlgForm::SetViewStyle(TViewStyle Value)
{
    FileList->SetViewStyle(Value);
    IconItem->SetChecked(Value == vsIcon);
    SmallIconItem->SetChecked(Value == vsSmallIcon);
    ListItem->SetChecked(Value == vsList);
    ReportItem->SetChecked(Value == vsReport);
}

void TspCustomFileDlgForm::AddFolder(TObject*, TspShellFolder* Folder, bool& CanAdd)
{
    // The list's own test looks for the extension anywhere in the mask text; the
    // dialogs match patterns as the file system does, so "*" and "a*.txt" work.
    if (!Folder->IsFolder()) CanAdd = Spfilectrl::MatchesFileMask(Folder->PathName(), FileList->GetMask());
}

void TspCustomFileDlgForm::ApplyMask(const std::string& Mask) { FileList->SetMask(Mask.empty() ? "*.*" : Mask); }

void TspCustomFileDlgForm::FocusFirstRow()
{
    if (FileList->FolderCount() == 0 || !FileList->HandleAllocated()) return;
    LVITEMA lv = {};
    lv.stateMask = LVIS_FOCUSED;
    lv.state = LVIS_FOCUSED;
    SendMessageA(FileList->GetHandle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&lv));
}

std::string TspCustomFileDlgForm::TypedPath() const
{
    const std::string text = Trim(FileNameEdit->GetText());
    if (text.empty()) return "";
    return Spfiledlg::IsAbsolutePath(text) ? text : Spfilectrl::AppendPathPart(GetPath(), text);
}

void TspCustomFileDlgForm::Choose(const std::string& Name)
{
    FileName = Name;
    SetModalResult(mrOk);
}

void TspCustomFileDlgForm::FLVChange(TObject*) { FileNameEdit->SetText(ExtractFileName(GetSelectedFile())); }

bool TspCustomFileDlgForm::ConfirmReplace(const std::string& Name)
{
    if (OnConfirmReplace) return OnConfirmReplace(Name);
    return MessageDlg(Name + " already exists.\nDo you want to replace it?", mtConfirmation, mbYes | mbNo) == mrYes;
}

void TspCustomFileDlgForm::OpenButtonClick(TObject*)
{
    const std::string typed = TypedPath();
    if (typed.find_first_of("*?") != std::string::npos) return;
    if (!typed.empty() && Spfilectrl::DirectoryExists(typed)) {
        SetPath(typed);
        return;
    }
    if (FSaveMode) {
        // A new file goes into a folder that is there; an existing one only
        // when the user agrees to replace it.
        if (typed.empty() || !Spfilectrl::DirectoryExists(FolderName(ExtractFilePath(typed)))) return;
        if (FileExists(typed) && !ConfirmReplace(typed)) return;
        Choose(typed);
        return;
    }
    // What the user typed wins when it names a file; else the selected row.
    if (!typed.empty() && FileExists(typed)) {
        Choose(typed);
        return;
    }
    // An emptied name edit leaves the selected row as the choice.
    const std::string selected = GetSelectedFile();
    if (!selected.empty() && FileExists(selected) &&
        (typed.empty() || SameText(ExtractFileName(selected), ExtractFileName(typed))))
        Choose(selected);
}

void TspCustomFileDlgForm::FLVDblClick(TObject*)
{
    // The list opened a folder itself; a file is the choice.
    const std::string file = GetSelectedFile();
    if (file.empty()) return;
    if (FSaveMode && FileExists(file) && !ConfirmReplace(file)) return;
    Choose(file);
}

void TspCustomFileDlgForm::FLVKeyPress(TObject*, char& Key)
{
    if (Key != '\r') return;
    if (GetSelectedFile().empty()) return;
    Key = 0;
    OpenButtonClick(this);
}

void TspCustomFileDlgForm::EditKeyPress(TObject*, char& Key)
{
    if (Key == 27) {
        Key = 0;
        SetModalResult(mrCancel);
        return;
    }
    if (Key != '\r') return;
    Key = 0;
    const std::string text = Trim(FileNameEdit->GetText());
    if (text.find_first_of("*?") != std::string::npos) {
        ApplyMask(text);
    } else if (text.find('\\') != std::string::npos && Spfilectrl::DirectoryExists(TypedPath())) {
        SetPath(TypedPath());
    } else if (text.find('\\') != std::string::npos && !FSaveMode && !FileExists(TypedPath())) {
        // A typed folder or file that is not there: nothing happens.
    } else {
        OpenButtonClick(this);
    }
}

void TspCustomFileDlgForm::FCBChange(TObject*) { ApplyMask(FileTypeCombo->GetMask()); }

void TspCustomFileDlgForm::FLVPathChange(TObject*)
{
    TspShellFolder* root = FileList->RootFolder();
    if (!FGoingBack && root && (FHistory.empty() || !PidlEqual(FHistory.back().Get(), root->AbsoluteID())))
        FHistory.push_back(PidlCopy(root->AbsoluteID()));
    // A new folder can only be made in a folder of the file system (not in
    // "My Computer" or the desktop's virtual items).
    NewFolderButton->SetEnabled(CanMakeFolderHere());
    FocusFirstRow();
}

void TspCustomFileDlgForm::BackToolButtonClick(TObject*)
{
    if (FHistory.size() < 2) return;
    TPidl before = PidlCopy(FHistory[FHistory.size() - 2].Get());
    TRestore<bool> goingBack(FGoingBack, true);
    FileList->TreeUpdate(before.Get());
    FHistory.pop_back();
}

void TspCustomFileDlgForm::UpToolButtonClick(TObject*) { FileList->Back(); }

bool TspCustomFileDlgForm::CanMakeFolderHere() const
{
    TspShellFolder* root = FileList->RootFolder();
    return root && root->Properties().Contains(fpFileSystem) && Spfilectrl::DirectoryExists(GetPath());
}

void TspCustomFileDlgForm::NewFolderToolButtonClick(TObject*)
{
    if (!CanMakeFolderHere()) return;
    const std::string path = Spfilectrl::AppendPathPart(GetPath(), Text(SPCONST_ID_SP_MSG_NEWFOLDER, "New Folder"));
    if (Spfilectrl::DirectoryExists(path)) return;
    if (!CreateDirectoryA(path.c_str(), nullptr)) RaiseLastOSError();
    FileList->RootChanged();
}

void TspCustomFileDlgForm::IconItemClick(TObject*) { SetViewStyle(vsIcon); }
void TspCustomFileDlgForm::SmallIconItemClick(TObject*) { SetViewStyle(vsSmallIcon); }
void TspCustomFileDlgForm::ListItemClick(TObject*) { SetViewStyle(vsList); }
void TspCustomFileDlgForm::ReportItemClick(TObject*) { SetViewStyle(vsReport); }
