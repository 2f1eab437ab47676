// The open-skin dialog run modally, driven from a timer inside its modal loop:
// where it starts, the preview of our skins and of damaged files (in a skin data
// component of its own), the full path it returns, masks, keys, and the window
// shot in both skins and unskinned under artefacts/.
#include "test_gtest.h"
#include "Application.h"
#include "FileDlgKit.h"
#include "OpenSkinDialog.h"
#include "OpenSkinDlgForm.h"
#include "SkinData.h"
#include "SkinButton.h"
#include "SkinEdits.h"
#include "ShellCtrls.h"
#include "SkinFilterComboBox.h"
#include "SkinPanel.h"
#include "SysUtils.h"
#include "FilePaths.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinTestKit.h"
#include "WaitUntil.h"
#include <memory>
#include <vector>

using namespace FileDlgTest;
using SkinKit::SaveArtefact;

namespace {

std::string Shipped(const std::string& Name) { return std::string(SKINS_DIR) + "/" + Name + ".skn"; }

std::string ProgramFolder()
{
    std::string p = ExtractFilePath(Application->ExeName());
    return p.substr(0, p.size() - 1);
}

// A folder of skins: the two shipped ones, a damaged one and a non-skin file.
struct SkinFolder {
    TScratch T;
    std::string Dir;
    explicit SkinFolder(const std::string& Name) : T(Name)
    {
        Dir = T.Folder("skins");
        T.Folder("skins\\more");
        EXPECT_TRUE(T.Copy(Shipped("Korvel2"), "skins\\Korvel2.skn"));
        EXPECT_TRUE(T.Copy(Shipped("Sarnic"), "skins\\Sarnic.skn"));
        T.Write("skins\\Bad.skn", "skin");
        T.Write("skins\\readme.txt", "text");
        T.Write("skins\\plain.ini", "[NOTASKIN]\r\nkey=1\r\n");
    }
    std::string File(const std::string& Name) const { return Dir + "\\" + Name; }
};

std::vector<std::string> Items(TspSkinFileListView* L)
{
    std::vector<std::string> v;
    for (int i = 0; i < L->FolderCount(); ++i) v.push_back(L->GetFolder(i)->DisplayName());
    return v;
}

// Runs D modally; Steps run once the window shows, then the window must be closed by them.
bool RunDialog(TspOpenSkinDialog& D, const std::function<void(TspOpenSkinDlgForm*)>& Steps)
{
    return RunModal(D, [&] { return D.Execute(); }, Steps);
}

TColor ScreenPixel(TControl* C, int X, int Y)
{
    const TPoint p = C->ClientToScreen(TPoint(X, Y));
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
}

void Shoot(TspOpenSkinDlgForm* W, const std::string& Name)
{
    const std::unique_ptr<TBitmap> shot = WindowShot(W);
    SaveArtefact(shot.get(), "filedlg-" + Name);
}

TEST(OpenSkinDialog, StartFolderFallsBackInsteadOfFailing)
{
    TScratch t("start");
    const std::string skins = t.Folder("skins"), init = t.Folder("init");
    const std::string programSkins = ProgramFolder() + "\\SKINS";
    CreateDirectoryA(programSkins.c_str(), nullptr);
    struct Case {
        std::string FileName, InitialDir, Expected;
    } cases[] = {
        {skins + "\\Korvel2.skn", init, skins},               // the stored skin's folder
        {"", init, init},                                     // no stored skin: InitialDir
        {"", "", ProgramFolder()},                            // neither: the program's folder
        {"Korvel2.skn", init + "\\", init},                   // a bare name has no folder
        {t.Path("gone\\Korvel2.skn"), init, init},            // a stale SKIN folder
        {t.Path("gone\\Korvel2.skn"), t.Path("gone2"), programSkins},
        {"", t.Path("gone2"), programSkins},                  // a missing initial folder
    };
    for (const Case& c : cases) {
        TspOpenSkinDialog d(nullptr);
        d.FileName = c.FileName;
        d.InitialDir = c.InitialDir;
        EXPECT_EQ(d.StartFolder(), c.Expected) << c.FileName << " | " << c.InitialDir;
    }
    // A run from a gone folder opens (in the fallback) instead of raising.
    TspOpenSkinDialog d(nullptr);
    d.FileName = t.Path("gone\\Korvel2.skn");
    d.InitialDir = t.Path("gone2");
    std::string shown;
    EXPECT_FALSE(RunDialog(d, [&](TspOpenSkinDlgForm* w) { shown = w->GetPath(); }));
    EXPECT_EQ(shown, programSkins);
    EXPECT_EQ(d.FileName, t.Path("gone\\Korvel2.skn"));
}

// Each shipped skin as the program's skin: the dialog starts in the stored
// skin's folder with it previewed, previews each file selected in a skin data
// component of its own, shows an error line for a damaged file, and returns the
// full path of the file opened.
TEST(OpenSkinDialog, PreviewsEachSkinPrivatelyAndReturnsTheFullPath)
{
    for (const char* programSkin : {"Korvel2", "Sarnic", ""}) {
        SkinFolder f(std::string("run_") + programSkin);
        std::unique_ptr<TspSkinData> prog;
        if (*programSkin) {
            prog = std::make_unique<TspSkinData>(nullptr);
            ASSERT_TRUE(prog->LoadFromCompressedFile(Shipped(programSkin)));
        }
        const std::string progName = prog ? prog->SkinName : "";
        TspOpenSkinDialog d(nullptr);
        d.SetSkinData(prog.get());
        d.SetCtrlSkinData(prog.get());
        d.Filter = "Compressed skin (*.skn)|*.skn";
        d.FileName = f.File("Korvel2.skn");
        d.InitialDir = ProgramFolder() + "\\Skins";
        const std::string cwd = CurrentDir();
        int changes = 0;
        d.OnChange = [&](TObject*) { ++changes; };
        const bool ok = RunDialog(d, [&](TspOpenSkinDlgForm* w) {
            EXPECT_EQ(w->GetCaption(), "Open skin");
            EXPECT_EQ(w->GetPath(), f.Dir);
            EXPECT_EQ(w->FileNameEdit->GetText(), "Korvel2.skn");
            EXPECT_EQ(w->FileList->GetMask(), "*.skn");
            EXPECT_EQ(Items(w->FileList),
                      (std::vector<std::string>{"more", "Bad.skn", "Korvel2.skn", "Sarnic.skn"}));
            EXPECT_TRUE(w->PreviewShown());
            EXPECT_NE(w->PreviewSkinData, prog.get());
            const std::string korvelName = w->PreviewSkinData->SkinName;
            struct Pick {
                const char* Name;
                bool Shown;
            } picks[] = {{"Sarnic.skn", true}, {"Bad.skn", false}, {"Korvel2.skn", true}, {"Sarnic.skn", true}};
            for (const Pick& p : picks) {
                w->SelectFile(p.Name);
                EXPECT_EQ(w->FileNameEdit->GetText(), p.Name);
                EXPECT_EQ(w->PreviewShown(), p.Shown) << p.Name;
                EXPECT_EQ(w->PreviewError().empty(), p.Shown) << p.Name << ": " << w->PreviewError();
                if (!p.Shown && !prog) {
                    // Where the sample window stood, below the error line, the (flat,
                    // unskinned) panel shows plain.
                    SkinKit::RepaintAll(w->GetHandle());
                    const int x = w->PreviewPanel->GetWidth() / 2;
                    EXPECT_EQ(ScreenPixel(w->PreviewPanel, x, 120), ScreenPixel(w->PreviewPanel, x, 178)) << programSkin;
                }
            }
            EXPECT_NE(w->PreviewSkinData->SkinName, korvelName);
            // The program's skin is untouched by the previews.
            if (prog) {
                EXPECT_FALSE(prog->Empty);
                EXPECT_EQ(prog->SkinName, progName);
            }
            Shoot(w, *programSkin ? programSkin : "unskinned");
            w->OpenButtonClick(nullptr);
        });
        EXPECT_TRUE(ok) << programSkin;
        EXPECT_EQ(d.FileName, f.File("Sarnic.skn"));
        ASSERT_EQ(d.Files->GetCount(), 1);
        EXPECT_EQ(d.Files->Get(0), f.File("Sarnic.skn"));
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(CurrentDir(), cwd);
        // The next run starts in the chosen file's folder with its name and preview.
        EXPECT_FALSE(RunDialog(d, [&](TspOpenSkinDlgForm* w) {
            EXPECT_EQ(w->GetPath(), f.Dir);
            EXPECT_EQ(w->FileNameEdit->GetText(), "Sarnic.skn");
            EXPECT_TRUE(w->PreviewShown());
        }));
    }
}

TEST(OpenSkinDialog, DamagedSkinsShowAnErrorLineNotACrash)
{
    SkinFolder f("damaged");
    // Damaged copies of a real skin: empty, cut in half, its header kept and the rest garbled.
    std::string korvel;
    {
        HANDLE h = CreateFileA(f.File("Korvel2.skn").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        korvel.resize(GetFileSize(h, nullptr));
        DWORD n = 0;
        ReadFile(h, &korvel[0], static_cast<DWORD>(korvel.size()), &n, nullptr);
        CloseHandle(h);
    }
    std::string garbled = korvel;
    for (size_t i = 64; i < garbled.size(); i += 7) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    f.T.Write("skins\\Empty.skn", "");
    f.T.Write("skins\\Half.skn", korvel.substr(0, korvel.size() / 2));
    f.T.Write("skins\\Garbled.skn", garbled);
    TspOpenSkinDialog d(nullptr);
    d.FileName = f.File("Bad.skn");
    EXPECT_FALSE(RunDialog(d, [&](TspOpenSkinDlgForm* w) {
        // The stored file is damaged: the window opens all the same.
        EXPECT_FALSE(w->PreviewShown());
        EXPECT_FALSE(w->PreviewError().empty());
        EXPECT_TRUE(w->PreviewSkinData->Empty);
        for (const char* name : {"Korvel2.skn", "Empty.skn", "Korvel2.skn", "Half.skn", "Korvel2.skn", "Garbled.skn"}) {
            w->SelectFile(name);
            const bool good = std::string(name) == "Korvel2.skn";
            EXPECT_EQ(w->PreviewShown(), good) << name;
            EXPECT_EQ(w->PreviewError().empty(), good) << name << ": " << w->PreviewError();
        }
        Shoot(w, "damaged");
        w->CancelButton->ButtonClick();
    }));
    EXPECT_EQ(d.FileName, f.File("Bad.skn"));
}

// Keys of the file name edit and the list, the file type combo's masks and the
// folder buttons; Escape cancels but the file type is remembered.
TEST(OpenSkinDialog, KeysMasksAndFolders)
{
    SkinFolder f("keys");
    TspOpenSkinDialog d(nullptr);
    d.InitialDir = f.Dir;
    const bool ok = RunDialog(d, [&](TspOpenSkinDlgForm* w) {
        auto type = [&](const std::string& Text, char Key) {
            w->FileNameEdit->SetText(Text);
            w->FileNameEdit->Perform(WM_CHAR, static_cast<unsigned char>(Key), 1);
        };
        EXPECT_EQ(w->GetPath(), f.Dir);
        EXPECT_EQ(w->FileList->GetMask(), "*.skn");
        // The uncompressed type: the mask of its entry, never its description.
        w->FileTypeCombo->SetItemIndex(1);
        EXPECT_EQ(w->FileList->GetMask(), "*.ini");
        EXPECT_EQ(Items(w->FileList), (std::vector<std::string>{"more", "plain.ini"}));
        // An INI that is no skin: no preview, an error line.
        w->SelectFile("plain.ini");
        EXPECT_FALSE(w->PreviewShown());
        EXPECT_FALSE(w->PreviewError().empty());
        struct Case {
            std::string Text;
            std::string Path, Mask;
        } cases[] = {
            {"*.txt", f.Dir, "*.txt"},
            {f.Dir + "\\more", f.Dir + "\\more", "*.txt"},
            {f.Dir + "\\nowhere\\x", f.Dir + "\\more", "*.txt"},   // a folder that is not there: nothing
        };
        for (const Case& c : cases) {
            type(c.Text, '\r');
            EXPECT_EQ(w->GetPath(), c.Path) << c.Text;
            EXPECT_EQ(w->FileList->GetMask(), c.Mask) << c.Text;
        }
        w->BackToolButtonClick(nullptr);
        EXPECT_EQ(w->GetPath(), f.Dir);
        w->BackToolButtonClick(nullptr);   // nothing further back
        EXPECT_EQ(w->GetPath(), f.Dir);
        w->UpToolButtonClick(nullptr);
        EXPECT_EQ(w->GetPath(), f.T.Root());
        // A new folder is made once; an existing one is left alone.
        for (int i = 0; i < 2; ++i) w->NewFolderToolButtonClick(nullptr);
        EXPECT_TRUE(Spfilectrl::DirectoryExists(f.T.Path("New Folder")));
        EXPECT_TRUE(w->SelectFile("New Folder"));
        ASSERT_TRUE(w->FileList->SelectedFolder());
        EXPECT_EQ(w->FileList->SelectedFolder()->DisplayName(), "New Folder");
        // Enter on a folder row of the list opens it.
        EXPECT_TRUE(w->SelectFile("skins"));
        SendMessageA(w->FileList->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(w->GetPath(), f.Dir);
        // A typed name that names no file opens nothing.
        w->FileList->SetItemIndex(-1);
        type("Nosuch.skn", '\r');
        EXPECT_EQ(w->GetModalResult(), mrNone);
        type("", 27);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(d.FileName, "");
    EXPECT_EQ(d.FilterIndex, 2);
    // The next run starts with that type and its mask.
    EXPECT_FALSE(RunDialog(d, [&](TspOpenSkinDlgForm* w) {
        EXPECT_EQ(w->FileTypeCombo->GetItemIndex(), 1);
        EXPECT_EQ(w->FileList->GetMask(), "*.ini");
        w->SetClientSize(640, 330);
    }));
    // ... and at the size it was left at.
    EXPECT_FALSE(RunDialog(d, [&](TspOpenSkinDlgForm* w) {
        EXPECT_EQ(w->GetClientWidth(), 640);
        EXPECT_EQ(w->GetClientHeight(), 330);
    }));
}

}  // namespace
