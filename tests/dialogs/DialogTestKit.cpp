#include "DialogTestKit.h"
#include "SkinData.h"
#include "OpenSkinDialog.h"
#include "OpenSkinDlgForm.h"
#include "Settings.h"
#include "Screen.h"
#include "Streams.h"
#include "SysUtils.h"
#include "Timer.h"

namespace dlgtest {

namespace {

void DeleteTree(const std::string& dir)
{
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = f.cFileName;
            if (n == "." || n == "..") continue;
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(dir + n + "\\");
            else
                DeleteFileA((dir + n).c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

} // namespace

TTestFolder::TTestFolder(const std::string& name)
{
    FPath = GetCurrentDir() + "\\dlg_" + name + "\\";
    DeleteTree(FPath);
    ForceDirectories(FPath + "Languages");
    ForceDirectories(FPath + "SKINS");
    Settings::SetProgramFolder(FPath);
}

TTestFolder::~TTestFolder() { DeleteTree(FPath); }

void WriteFileText(const std::string& path, const std::string& text)
{
    TFileStream f(path, fmCreate);
    if (!text.empty()) f.WriteBuffer(text.data(), static_cast<long>(text.size()));
}

bool FileExistsNow(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool OpenForWriting(const std::string& path)
{
    // Sharing reading only is refused while another handle may write.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

std::vector<std::string> SectionLines(const std::string& file, const std::string& section)
{
    std::vector<char> buf(32768, '\0');
    DWORD n = GetPrivateProfileSectionA(section.c_str(), buf.data(), static_cast<DWORD>(buf.size()), file.c_str());
    std::vector<std::string> lines;
    for (const char* p = buf.data(); p < buf.data() + n && *p; p += strlen(p) + 1) lines.push_back(p);
    return lines;
}

// ---------------------------------------------------------------- the stand-in main window

void TFakeHost::SetResIndex(int Index)
{
    ResIndex = Index;
    Calls.push_back("SetResIndex " + IntToStr(Index));
}

void TFakeHost::SetCodecConfigure(bool On) { Calls.push_back(On ? "SetCodecConfigure 1" : "SetCodecConfigure 0"); }

void TFakeHost::StartRecording(CVideo* Video)
{
    Calls.push_back("StartRecording");
    if (Recorder) ++RecordingsClosed;
    Recorder.reset(Video);
}

void TFakeHost::StopRecording()
{
    Calls.push_back("StopRecording");
    if (Recorder) ++RecordingsClosed;
    Recorder.reset();
}

bool TFakeHost::ApplySkinFile(const std::string& Path)
{
    SkinFilesTried.push_back(Path);
    if (!Skin) return false;
    try {
        if (!Skin->LoadFromCompressedFile(Path)) return false;
        SkinFile = Path;
        return true;
    } catch (...) {
        return false;
    }
}

TSkinDialogHand::TSkinDialogHand(TComponent& Owner, const std::string& File)
    : Step(
          [this, &Owner, File] {
              auto* dialog = dynamic_cast<TspOpenSkinDialog*>(Owner.FindComponent("spSkinOpenSkinDialog"));
              TspOpenSkinDlgForm* w = dialog ? dialog->GetWindow() : nullptr;
              if (!w || !w->GetVisible()) return false;
              Title = w->GetCaption();
              w->SetPath(ExtractFilePath(File));
              w->SelectFile(ExtractFileName(File));
              w->OpenButtonClick(nullptr);
              if (w->GetModalResult() == mrNone) w->SetModalResult(mrCancel);
              return true;
          },
          10000,
          [this] {
              // Only a window that never showed up is closed here.
              if (Title.empty())
                  if (TCustomForm* m = ModalForm()) m->Close();
          })
{
}

// ---------------------------------------------------------------- file dialogs

namespace {

struct FindDialog {
    DWORD Process;
    HWND Found;
};

BOOL CALLBACK FindDialogProc(HWND wnd, LPARAM param)
{
    auto* f = reinterpret_cast<FindDialog*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (pid == f->Process && IsWindowVisible(wnd) && strcmp(cls, "#32770") == 0) {
        f->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The file-name field of the explorer-style dialog (a combo box, or an edit in older templates).
const int kFileNameCombo = 0x47C;
const int kFileNameEdit = 0x480;

} // namespace

TFileDialogHand::TFileDialogHand(const std::string& fileName, DWORD timeoutMs)
    : TThread(true), FFileName(fileName), FTimeout(timeoutMs)
{
    Resume();
}

TFileDialogHand::~TFileDialogHand()
{
    Terminate();
    WaitFor();
}

void TFileDialogHand::Execute()
{
    FindDialog f{GetCurrentProcessId(), nullptr};
    WaitUntil(
        [&] {
            if (Terminated()) return true;
            EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&f));
            return f.Found != nullptr;
        },
        FTimeout);
    if (!f.Found) return;
    char title[256] = {};
    GetWindowTextA(f.Found, title, sizeof title);
    Title = title;
    // Let the dialog finish its initialisation before typing into it.
    Sleep(300);
    if (FFileName.empty()) {
        SendMessageA(f.Found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
        SetDlgItemTextA(f.Found, kFileNameCombo, FFileName.c_str());
        SetDlgItemTextA(f.Found, kFileNameEdit, FFileName.c_str());
        SendMessageA(f.Found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(f.Found, IDOK)));
    }
    FAnswered = true;
}

// ---------------------------------------------------------------- modal steps

TCustomForm* ModalForm()
{
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* f = Screen->GetForms(i);
        if ((f->GetFormState() & fsModal) && f->GetVisible()) return f;
    }
    return nullptr;
}

} // namespace dlgtest
