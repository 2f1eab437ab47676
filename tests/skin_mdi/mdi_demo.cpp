// A small MDI program: the framed main form with its menu bar and tabs bar and
// three framed children. Arguments: [--skin FILE] [--maximise] [--shot FILE]
// [--quit]. With --shot it saves the window as a bitmap; with --quit it ends
// once everything is shown, closing the children through the frame first.
#include "Bitmap.h"
#include "Canvas.h"
#include "MdiScene.h"
#include "SkinData.h"
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

bool SaveShot(TForm* Form, const std::string& File)
{
    TBitmap shot(Form->GetWidth(), Form->GetHeight(), pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.GetCanvas()->GetHandle(), 0, 0, Form->GetWidth(), Form->GetHeight(), screen, Form->GetLeft(),
           Form->GetTop(), SRCCOPY);
    ReleaseDC(nullptr, screen);
    const size_t slash = File.find_last_of("/\\");
    if (slash != std::string::npos) CreateDirectoryA(File.substr(0, slash).c_str(), nullptr);
    try {
        shot.SaveToFile(File);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string skinFile, shotFile;
    bool maximise = false, quit = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--skin") && i + 1 < argc) skinFile = argv[++i];
        else if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) shotFile = argv[++i];
        else if (!std::strcmp(argv[i], "--maximise")) maximise = true;
        else if (!std::strcmp(argv[i], "--quit")) quit = true;
    }
    int rc = 0;
    try {
        Application->Initialize();
        MdiScene::Scene& s = MdiScene::TheScene();
        std::unique_ptr<TspSkinData> skin;
        if (!skinFile.empty()) {
            skin = std::make_unique<TspSkinData>(nullptr);
            if (!skin->LoadFromCompressedFile(skinFile)) {
                std::fprintf(stderr, "cannot load skin %s\n", skinFile.c_str());
                return 2;
            }
            s.Bind(skin.get());
        }
        s.AddChild("Camera");
        s.AddChild("Chat");
        TForm* last = s.AddChild("Visitors");
        s.Frame->Tile();
        if (maximise) MdiScene::Scene::FrameOf(last)->SetWindowState(fwsMaximized);
        PumpUntilIdle();
        if (!shotFile.empty() && !SaveShot(s.Main, shotFile)) rc = 3;
        if (quit) {
            // Every child goes through its close protocol; each is hidden then.
            s.Frame->CloseAll();
            PumpUntilIdle();
            for (TForm* c : s.Children)
                if (c->GetVisible()) rc = 4;
            if (s.Tabs->TabCount() != 0 || s.MenuBar->SystemButtonCount != 0) rc = 5;
            std::printf("children %d, tabs %d, closed\n", s.Main->GetMDIChildCount(), s.Tabs->TabCount());
            s.Bind(nullptr);
        } else {
            Application->Run();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mdi_demo: %s\n", e.what());
        rc = 1;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    // As the test programs do: end before the static destructors run after Wine's DLLs are gone.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
