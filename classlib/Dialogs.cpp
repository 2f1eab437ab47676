#include "Dialogs.h"
#include "Application.h"
#include "Button.h"
#include "Edit.h"
#include "Label.h"
#include "Screen.h"
#include <commdlg.h>
#include <vector>

namespace {
std::string TitleOrExeName()
{
    return Application->Title.empty() ? ChangeFileExt(ExtractFileName(Application->ExeName()), "") : Application->Title;
}
}

void ShowMessage(const std::string& Msg) { Application->MessageBox(Msg, TitleOrExeName(), MB_OK); }

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", ""};
    static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    UINT flags;
    if ((Buttons & (mbYes | mbNo)) && (Buttons & mbCancel)) flags = MB_YESNOCANCEL;
    else if (Buttons & (mbYes | mbNo)) flags = MB_YESNO;
    else if (Buttons & (mbAbort | mbIgnore)) flags = MB_ABORTRETRYIGNORE;
    else if ((Buttons & mbRetry) && (Buttons & mbCancel)) flags = MB_RETRYCANCEL;
    else if ((Buttons & mbOK) && (Buttons & mbCancel)) flags = MB_OKCANCEL;
    else flags = MB_OK;
    std::string caption = DlgType == mtCustom ? TitleOrExeName() : captions[DlgType];
    // The system's answers are the same numbers as the modal results.
    return Application->MessageBox(Msg, caption, flags | icons[DlgType]);
}

bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value)
{
    TForm form(Application);
    form.SetBorderStyle(bsDialog);
    form.SetCaption(ACaption);
    form.SetPosition(poScreenCenter);
    auto* prompt = new TLabel(&form);
    prompt->SetParent(&form);
    prompt->SetCaption(APrompt);
    prompt->SetBounds(8, 8, 0, 0);
    int textWidth = prompt->GetWidth();
    int width = textWidth + 16 > 300 ? textWidth + 16 : 300;
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(8, prompt->GetTop() + prompt->GetHeight() + 6, width - 16, 21);
    edit->SetText(Value);
    edit->SetMaxLength(255);
    int buttonTop = edit->GetTop() + edit->GetHeight() + 12;
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetBounds(width / 2 - 79, buttonTop, 75, 25);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    cancel->SetBounds(width / 2 + 4, buttonTop, 75, 25);
    form.SetClientSize(width, buttonTop + 25 + 10);
    form.SetActiveControl(edit);
    if (form.ShowModal() != mrOk) return false;
    Value = edit->GetText();
    return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault)
{
    std::string v = ADefault;
    InputQuery(ACaption, APrompt, v);
    return v;
}

// ---- TOpenDialog ----
TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool Save)
{
    // The filter: '|' separators become NULs, the list ends with two.
    std::string filter = Filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> file(64 * 1024, '\0');
    lstrcpynA(file.data(), FileName.c_str(), static_cast<int>(file.size()));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    TCustomForm* active = Screen->GetActiveForm();
    ofn.hwndOwner = active && active->HandleAllocated() ? active->GetWindowHandle() : GetActiveWindow();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = FilterIndex;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (Options & ofReadOnly) ofn.Flags |= OFN_READONLY;
    if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (Options & ofAllowMultiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (Options & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (Options & ofCreatePrompt) ofn.Flags |= OFN_CREATEPROMPT;
    if (Options & ofNoReadOnlyReturn) ofn.Flags |= OFN_NOREADONLYRETURN;
    if (Options & ofEnableSizing) ofn.Flags |= OFN_ENABLESIZING;
    if (OnShow) OnShow(this);
    BOOL ok = Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (OnClose) OnClose(this);
    if (!ok) return false;
    FFiles->Clear();
    const char* p = file.data();
    std::string first = p;
    p += first.size() + 1;
    if ((Options & ofAllowMultiSelect) && *p) {
        // A folder followed by the names chosen in it.
        std::string dir = IncludeTrailingPathDelimiter(first);
        while (*p) {
            std::string name = p;
            FFiles->Add(dir + name);
            p += name.size() + 1;
        }
        FileName = FFiles->Get(0);
    } else {
        FileName = first;
        FFiles->Add(first);
    }
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}
