// How long a big folder takes to show: (a) the shell file list filled and
// painted, (b) the open dialog navigated into the folder, each against a plain
// enumeration of the same folder through the shell folder interface (names,
// attributes, one display name each). Best of a few runs; GetTickCount only.
#include "Application.h"
#include "FileDlgForm.h"
#include "Forms.h"
#include "ShellCtrls.h"
#include "SkinOpenDialog.h"
#include "SysUtils.h"
#include "Timer.h"
#include <windows.h>
#include <shlobj.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

using namespace Spskinshellctrls;

namespace {

std::string MakeFolder(int Files, int Folders)
{
    char tmp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tmp);
    const std::string root = std::string(tmp) + "bench_shell_" + IntToStr(Files) + "_" + IntToStr(Folders);
    CreateDirectoryA(root.c_str(), nullptr);
    for (int i = 0; i < Folders; ++i) CreateDirectoryA((root + "\\folder" + IntToStr(i)).c_str(), nullptr);
    for (int i = 0; i < Files; ++i) {
        const std::string name = root + "\\file" + IntToStr(i) + (i % 3 ? ".txt" : ".dat");
        if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, "bench", 5, &n, nullptr);
        CloseHandle(h);
    }
    return root;
}

// The plain enumeration: bind the folder, walk its items, ask each for its
// attributes and its display name. Returns the number of items.
int PlainEnumeration(const std::string& Folder)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return -1;
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, Folder.c_str(), -1, wide, MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    IShellFolder* folder = nullptr;
    int count = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &pidl, nullptr)) &&
        SUCCEEDED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
        IEnumIDList* items = nullptr;
        if (SUCCEEDED(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items)) && items) {
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            while (items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
                ULONG attrs = SFGAO_FOLDER | SFGAO_FILESYSTEM;
                folder->GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(&item), &attrs);
                STRRET name = {};
                folder->GetDisplayNameOf(item, SHGDN_INFOLDER, &name);
                if (name.uType == STRRET_WSTR) CoTaskMemFree(name.pOleStr);
                CoTaskMemFree(item);
                ++count;
            }
            items->Release();
        }
        folder->Release();
    }
    CoTaskMemFree(pidl);
    desktop->Release();
    return count;
}

DWORD Timed(const std::function<void()>& Run)
{
    const DWORD t0 = GetTickCount();
    Run();
    return GetTickCount() - t0;
}

DWORD Best(int Runs, const std::function<DWORD()>& Run)
{
    DWORD best = 0xFFFFFFFF;
    for (int i = 0; i < Runs; ++i) best = std::min(best, Run());
    return best;
}

// Goal 0: a figure shown beside the others, with no goal of its own.
void Report(const char* What, DWORD Ms, DWORD Plain, double Goal)
{
    const double ratio = Plain ? static_cast<double>(Ms) / Plain : 0.0;
    printf("%-44s %6lu ms   plain enumeration %6lu ms   ratio %5.2f", What, static_cast<unsigned long>(Ms),
           static_cast<unsigned long>(Plain), ratio);
    if (Goal > 0) printf(" (goal <= %.0f)%s", Goal, ratio <= Goal ? "" : "   NOT MET");
    printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? atoi(argv[1]) : 3000;
    const int folders = argc > 2 ? atoi(argv[2]) : 100;
    const int runs = std::max(1, argc > 3 ? atoi(argv[3]) : 3);
    Application->Initialize();
    Initialization();
    const std::string big = MakeFolder(files, folders);
    const std::string little = MakeFolder(2, 1);
    printf("folder %s: %d files, %d subfolders, best of %d runs\n", big.c_str(), files, folders, runs);

    int items = 0;
    const DWORD plain = Best(runs, [&] { return Timed([&] { items = PlainEnumeration(big); }); });
    printf("plain enumeration: %d items\n", items);

    // (a) The shell file list on a form: filled from the folder and painted.
    {
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBounds(10, 10, 640, 480);
        auto* list = new TspSkinFileListView(form.get());
        list->SetParent(form.get());
        list->SetAlign(alClient);
        form->Show();
        Application->ProcessMessages();
        const DWORD shown = Best(runs, [&] {
            list->SetRoot(little);
            Application->ProcessMessages();
            return Timed([&] {
                list->SetRoot(big);
                form->Update();
            });
        });
        printf("shell list: %d items\n", list->FolderCount());
        Report("(a) shell file list filled and shown", shown, plain, 2);
        // Beside it, the list view style (the file dialog's), whose control
        // asks for every row's text to size its columns.
        list->SetViewStyle(vsList);
        const DWORD listed = Best(runs, [&] {
            list->SetRoot(little);
            Application->ProcessMessages();
            return Timed([&] {
                list->SetRoot(big);
                form->Update();
            });
        });
        Report("    the same in the list view style", listed, plain, 0);
    }

    // (b) The open dialog, navigated from a small folder into the big one.
    {
        TspSkinOpenDialog dialog(nullptr);
        dialog.InitialDir = little;
        DWORD navigated = 0xFFFFFFFF;
        int shownItems = 0;
        TTimer timer(nullptr);
        timer.SetInterval(50);
        int done = 0;
        timer.OnTimer = [&](TObject*) {
            TspCustomFileDlgForm* w = dialog.GetWindow();
            if (!w || !w->GetVisible()) return;
            timer.SetEnabled(false);
            const DWORD ms = Timed([&] {
                w->SetPath(big);
                w->Update();
            });
            navigated = std::min(navigated, ms);
            shownItems = w->FileList->FolderCount();
            w->SetPath(little);
            if (++done < runs) {
                timer.SetEnabled(true);
                return;
            }
            w->SetModalResult(mrCancel);
        };
        timer.SetEnabled(true);
        dialog.Execute();
        printf("open dialog: %d items\n", shownItems);
        Report("(b) open dialog navigated into the folder", navigated, plain, 3);
    }
    Finalization();
    return 0;
}
