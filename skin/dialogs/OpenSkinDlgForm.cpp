#include "OpenSkinDlgForm.h"
#include "FilePaths.h"
#include "FormFrame.h"
#include "SkinButton.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinFileListBox.h"
#include "SkinFilterComboBox.h"
#include "SkinLabels.h"
#include "SkinPanel.h"
#include "SkinSpeedButton.h"
#include "SkinToolBar.h"
#include "Spconst.h"
#include "SysUtils.h"

namespace {

// The library's text, or its English wording when the program carries no table.
std::string Text(int Id, const char* Fallback)
{
    std::string s = Spconst::LoadResString(Id);
    return s.empty() ? std::string(Fallback) : s;
}

template <class T> T* Place(TComponent* Owner, TWinControl* Parent, TAlign Align, int Left, int Top, int Width,
                           int Height)
{
    T* c = new T(Owner);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    if (Align != alNone) c->SetAlign(Align);
    return c;
}

TspSkinStdLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, const std::string& Caption, int Left, int Top)
{
    auto* l = new TspSkinStdLabel(Owner);
    l->SetParent(Parent);
    l->SetCaption(Caption);
    l->SetLeft(Left);
    l->SetTop(Top);
    return l;
}

bool IsFolderEntry(const std::string& S) { return S.size() >= 2 && S.front() == '[' && S.back() == ']'; }

std::string ParentFolder(const std::string& Path)
{
    std::string p = Path;
    while (p.size() > 3 && p.back() == '\\') p.pop_back();
    size_t cut = p.find_last_of('\\');
    if (cut == std::string::npos) return "";
    std::string parent = p.substr(0, cut);
    if (parent.size() == 2 && parent[1] == ':') parent += "\\";
    return parent;
}

const int kPreviewPanelWidth = 230;

} // namespace

TspOpenSkinDlgForm::TspOpenSkinDlgForm(TComponent* AOwner) : TForm(AOwner)
{
    SetPosition(poScreenCenter);
    KeyPreview = true;
    SetBounds(0, 0, 580, 290);
    Frame = new TspFormFrame(this);

    ToolBar = Place<TspSkinToolBar>(this, this, alTop, 0, 0, 580, 25);
    ToolBar->SetBorderStyle(TspSkinBorderStyle::bvNone);
    ToolBar->SetSkinDataName("toolpanel");
    LookInLabel = PlaceLabel(this, ToolBar, Text(SPCONST_ID_SP_FLV_LOOKIN, "Look in: "), 10, 5);
    // The folder shown, shortened to the room left of the buttons.
    PathLabel = PlaceLabel(this, ToolBar, "", 70, 5);
    PathLabel->SetAutoSize(false);
    PathLabel->SetWidth(380);
    auto speed = [this](int Left, const char* Caption, const std::string& Hint) {
        auto* b = Place<TspSkinSpeedButton>(this, ToolBar, alNone, Left, 0, 27, 25);
        b->SkinDataName = "toolbutton";
        b->SetCaption(Caption);
        b->SetHint(Hint);
        b->SetShowHint(true);
        return b;
    };
    BackButton = speed(470, "<", Text(SPCONST_ID_SP_MSG_BTN_BACK_HINT, "Go To Last Folder Visited"));
    UpButton = speed(497, "^", Text(SPCONST_ID_SP_MSG_BTN_UP_HINT, "Up One Level"));
    NewFolderButton = speed(524, "+", Text(SPCONST_ID_SP_MSG_BTN_NEWFOLDER_HINT, "Create New Folder"));
    BackButton->OnClick = [this](TObject* s) { BackToolButtonClick(s); };
    UpButton->OnClick = [this](TObject* s) { UpToolButtonClick(s); };
    NewFolderButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };

    BottomPanel = Place<TspSkinPanel>(this, this, alBottom, 0, 210, 580, 80);
    BottomPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    PreviewPanel = Place<TspSkinPanel>(this, this, alRight, 350, 25, kPreviewPanelWidth, 185);
    PreviewPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);

    PreviewSkinData = new TspSkinData(this);
    PreviewForm = new TForm(this);
    PreviewForm->SetParent(PreviewPanel);
    PreviewForm->SetBounds(5, 5, kPreviewPanelWidth - 10, 170);
    PreviewForm->SetCaption(Text(SPCONST_ID_SP_MSG_PREVIEWSKIN, "Preview"));
    PreviewForm->SetEnabled(false);
    PreviewForm->SetVisible(false);
    PreviewFrame = new TspFormFrame(PreviewForm);
    PreviewFrame->AlwaysActive = true;
    PreviewFrame->SetSkinData(PreviewSkinData);
    PreviewButton = Place<TspSkinButton>(PreviewForm, PreviewForm, alNone, 20, 20, 100, 25);
    PreviewButton->SetCaption(Text(SPCONST_ID_SP_MSG_PREVIEWBUTTON, "Button"));
    PreviewButton->SetSkinData(PreviewSkinData);
    // Where the sample window would be, for a file that holds no usable skin.
    PreviewErrorLabel = PlaceLabel(this, PreviewPanel, "", 5, 5);
    PreviewErrorLabel->SetAutoSize(false);
    PreviewErrorLabel->SetWordWrap(true);
    PreviewErrorLabel->SetBounds(5, 5, kPreviewPanelWidth - 10, 60);
    PreviewErrorLabel->SetVisible(false);

    CentralPanel = Place<TspSkinPanel>(this, this, alClient, 0, 25, 350, 185);
    CentralPanel->SetBorderStyle(TspSkinBorderStyle::bvFrame);
    FileList = Place<TspSkinFileListBox>(this, CentralPanel, alClient, 0, 0, 350, 185);
    FileList->SetFoldersFirst(true);
    FileList->OnChange = [this](TObject* s) { FLVChange(s); };
    FileList->OnListBoxDblClick = [this](TObject* s) { FLVDblClick(s); };
    FileList->OnListBoxKeyPress = [this](TObject* s, char& k) { FLVKeyPress(s, k); };

    FileNameLabel = PlaceLabel(this, BottomPanel, Text(SPCONST_ID_SP_MSG_FILENAME, "File name:"), 10, 10);
    FileTypeLabel = PlaceLabel(this, BottomPanel, Text(SPCONST_ID_SP_MSG_FILETYPE, "File type:"), 10, 45);
    FileNameEdit = Place<TspSkinEdit>(this, BottomPanel, alNone, 70, 10, 280, 21);
    FileNameEdit->OnKeyPress = [this](TObject* s, char& k) { EditKeyPress(s, k); };
    FileTypeCombo = Place<TspSkinFilterComboBox>(this, BottomPanel, alNone, 70, 45, 280, 21);
    FileTypeCombo->OnChange = [this](TObject* s) { FCBChange(s); };
    OpenButton = Place<TspSkinButton>(this, BottomPanel, alNone, 370, 10, 70, 25);
    OpenButton->SetCaption(Text(SPCONST_ID_SP_MSG_BTN_OPEN, "&Open"));
    OpenButton->OnClick = [this](TObject* s) { OpenButtonClick(s); };
    CancelButton = Place<TspSkinButton>(this, BottomPanel, alNone, 370, 45, 70, 25);
    CancelButton->SetCaption(Text(SPCONST_ID_SP_MSG_BTN_CANCEL, "Cancel"));
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
    SetActiveControl(FileNameEdit);
}

TspOpenSkinDlgForm::~TspOpenSkinDlgForm() = default;

bool TspOpenSkinDlgForm::SetPath(const std::string& Folder)
{
    try {
        FileList->SetDirectory(Folder);
    } catch (const std::exception&) {
        return false;
    }
    PathChanged();
    return true;
}

std::string TspOpenSkinDlgForm::GetPath() const { return FileList->GetDirectory(); }

std::string TspOpenSkinDlgForm::GetSelectedFile() const
{
    std::string name = FileList->GetFileName();
    if (name.empty() || IsFolderEntry(name)) return "";
    return FileList->GetFilePath();
}

void TspOpenSkinDlgForm::PathChanged()
{
    const std::string path = GetPath();
    if (!FGoingBack && (FHistory.empty() || lstrcmpiA(FHistory.back().c_str(), path.c_str()) != 0))
        FHistory.push_back(path);
    FGoingBack = false;
    TCanvas* c = PathLabel->GetCanvas();
    PathLabel->SetCaption(Spfilectrl::MinimizeName(
        path, [c](const std::string& s) { return c ? c->TextWidth(s) : 0; }, PathLabel->GetWidth()));
    if (FileList->GetItems()->GetCount() > 0 && FileList->GetItemIndex() < 0) FileList->SetItemIndex(0);
}

void TspOpenSkinDlgForm::ShowPreview(bool Visible, const std::string& Error)
{
    PreviewForm->SetVisible(Visible);
    PreviewErrorLabel->SetCaption(Error);
    PreviewErrorLabel->SetVisible(!Error.empty());
}

bool TspOpenSkinDlgForm::PreviewShown() const { return PreviewForm->GetVisible(); }

std::string TspOpenSkinDlgForm::PreviewError() const
{
    return PreviewErrorLabel->GetVisible() ? PreviewErrorLabel->GetCaption() : std::string();
}

void TspOpenSkinDlgForm::LoadPreview(const std::string& Path)
{
    const int type = FileTypeCombo->GetItemIndex() + 1;
    if (type != CompressedFilterIndex && type != UnCompressedFilterIndex) {
        ShowPreview(!PreviewSkinData->Empty, "");
        return;
    }
    // A damaged or foreign file must not take the dialog down: it shows as an
    // error line where the sample window would be.
    std::string error;
    try {
        bool loaded = type == CompressedFilterIndex ? PreviewSkinData->LoadFromCompressedFile(Path)
                                                    : PreviewSkinData->LoadFromFile(Path);
        if (!loaded) error = "Not a skin this program can show.";
    } catch (const std::exception& e) {
        error = std::string("Cannot read the skin: ") + e.what();
    } catch (...) {
        error = "Cannot read the skin.";
    }
    if (!error.empty()) {
        ShowPreview(false, error);
        return;
    }
    ShowPreview(!PreviewSkinData->Empty, "");
}

bool TspOpenSkinDlgForm::OpenSelectedFolder()
{
    std::string name = FileList->GetFileName();
    if (!IsFolderEntry(name)) return false;
    name = name.substr(1, name.size() - 2);
    if (name == ".") return true;
    SetPath(name == ".." ? ParentFolder(GetPath()) : Spfilectrl::AppendPathPart(GetPath(), name));
    return true;
}

void TspOpenSkinDlgForm::FLVChange(TObject*)
{
    const std::string file = GetSelectedFile();
    FileNameEdit->SetText(ExtractFileName(file));
    if (file.empty()) {
        ShowPreview(false, "");
        return;
    }
    LoadPreview(Spfilectrl::AppendPathPart(GetPath(), FileNameEdit->GetText()));
}

void TspOpenSkinDlgForm::OpenButtonClick(TObject*)
{
    const std::string file = GetSelectedFile();
    if (file.empty()) {
        OpenSelectedFolder();
        return;
    }
    if (!FileExists(file)) return;
    FileName = file;
    SetModalResult(mrOk);
}

void TspOpenSkinDlgForm::FLVDblClick(TObject*)
{
    if (OpenSelectedFolder()) return;
    const std::string file = GetSelectedFile();
    if (file.empty()) return;
    FileName = file;
    SetModalResult(mrOk);
}

void TspOpenSkinDlgForm::FLVKeyPress(TObject*, char& Key)
{
    if (Key != '\r') return;
    Key = 0;
    OpenButtonClick(this);
}

void TspOpenSkinDlgForm::EditKeyPress(TObject*, char& Key)
{
    if (Key == 27) {
        Key = 0;
        SetModalResult(mrCancel);
        return;
    }
    if (Key != '\r') return;
    Key = 0;
    const std::string text = FileNameEdit->GetText();
    if (text.find('*') != std::string::npos) {
        FileList->SetMask(text);
    } else if (text.find('\\') != std::string::npos) {
        if (Spfilectrl::DirectoryExists(text)) SetPath(text);
    } else {
        OpenButtonClick(this);
    }
}

void TspOpenSkinDlgForm::FCBChange(TObject*) { FileList->SetMask(FileTypeCombo->GetMask()); }

void TspOpenSkinDlgForm::UpToolButtonClick(TObject*)
{
    const std::string parent = ParentFolder(GetPath());
    if (!parent.empty()) SetPath(parent);
}

void TspOpenSkinDlgForm::BackToolButtonClick(TObject*)
{
    if (FHistory.size() < 2) return;
    FHistory.pop_back();
    FGoingBack = true;
    if (!SetPath(FHistory.back())) FGoingBack = false;
}

void TspOpenSkinDlgForm::NewFolderToolButtonClick(TObject*)
{
    const std::string path = Spfilectrl::AppendPathPart(GetPath(), Text(SPCONST_ID_SP_MSG_NEWFOLDER, "New Folder"));
    if (Spfilectrl::DirectoryExists(path)) return;
    if (!CreateDirectoryA(path.c_str(), nullptr)) RaiseLastOSError();
    FileList->Update();
}
