// A scratch folder for the file dialog tests, a step that runs on the GUI
// thread inside a modal loop, and a dialog run driven by such a step.
#pragma once
#include "test_gtest.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "WaitUntil.h"
#include "ModalStep.h"
#include "SkinTestKit.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

namespace FileDlgTest {

class TScratch {
public:
    explicit TScratch(const std::string& Name)
    {
        char tmp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, tmp);
        FRoot = std::string(tmp) + "filedlg_" + Name;
        Remove(FRoot);
        CreateDirectoryA(FRoot.c_str(), nullptr);
    }
    ~TScratch() { Remove(FRoot); }
    const std::string& Root() const { return FRoot; }
    std::string Path(const std::string& Rel) const { return FRoot + "\\" + Rel; }
    std::string Folder(const std::string& Rel) const
    {
        CreateDirectoryA(Path(Rel).c_str(), nullptr);
        return Path(Rel);
    }
    void Write(const std::string& Rel, const std::string& Text) const
    {
        HANDLE h = CreateFileA(Path(Rel).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, Text.data(), static_cast<DWORD>(Text.size()), &n, nullptr);
        CloseHandle(h);
    }
    bool Copy(const std::string& From, const std::string& Rel) const
    {
        return CopyFileA(From.c_str(), Path(Rel).c_str(), FALSE) != 0;
    }
    static void Remove(const std::string& Dir)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((Dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string n = fd.cFileName;
                if (n == "." || n == "..") continue;
                std::string p = Dir + "\\" + n;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(p);
                else
                    DeleteFileA(p.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(Dir.c_str());
    }

private:
    std::string FRoot;
};

inline std::string CurrentDir()
{
    char b[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, b);
    return b;
}

// Shows the window of D (whose GetWindow is its window while it runs) through
// Run; Steps run once it shows, and the window is cancelled after them unless
// they closed it. A window that never shows is cancelled after ten seconds.
template <class TDialog, class TRun, class TSteps> bool RunModal(TDialog& D, TRun Run, const TSteps& Steps)
{
    bool ran = false;
    const DWORD start = GetTickCount();
    TModalStep step([&] {
        auto* w = D.GetWindow();
        if (!w || !w->GetVisible() || !IsWindowVisible(w->GetHandle())) {
            if (GetTickCount() - start > 10000 && w) w->SetModalResult(mrCancel);
            return false;
        }
        ran = true;
        Steps(w);
        if (w->GetModalResult() == mrNone) w->SetModalResult(mrCancel);
        return true;
    });
    const bool ok = Run();
    EXPECT_TRUE(ran);
    return ok;
}

// W's window as it stands on the screen, repainted first.
inline std::unique_ptr<TBitmap> WindowShot(TWinControl* W)
{
    SkinKit::RepaintAll(W->GetHandle());
    return SkinKit::ScreenShot(W->GetHandle());
}

}  // namespace FileDlgTest
