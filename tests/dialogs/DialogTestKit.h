// Helpers of the dialog tests: a program folder of the test's own, a stand-in
// main window, a hand that answers the platform's file dialogs, and running a
// step while a modal window is up.
#pragma once
#include "DialogHost.h"
#include "Forms.h"
#include "Thread.h"
#include "ModalStep.h"
#include "Timer.h"
#include "Video.h"
#include "WaitUntil.h"
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dlgtest {

// A fresh folder for one test, made the program's folder (setup.ini, Languages\).
class TTestFolder {
public:
    explicit TTestFolder(const std::string& name);
    ~TTestFolder();
    const std::string& Path() const { return FPath; }
    std::string operator+(const std::string& rest) const { return FPath + rest; }
private:
    std::string FPath;
};

void WriteFileText(const std::string& path, const std::string& text);
bool FileExistsNow(const std::string& path);
// True while some handle has the file open for writing.
bool OpenForWriting(const std::string& path);
// "key=value" lines of an INI section, in the file's order.
std::vector<std::string> SectionLines(const std::string& file, const std::string& section);

// The main window as the dialogs see it: records each call, and owns the
// recording handed to it as the main window does (a second start closes the first).
class TFakeHost : public IDialogHost {
public:
    int GetResIndex() override { return ResIndex; }
    void SetResIndex(int Index) override;
    void SetCodecConfigure(bool On) override;
    void StopVideo() override { Calls.push_back("StopVideo"); }
    void InitVideo() override { Calls.push_back("InitVideo"); }
    void SendTextToAll(const std::string& Text) override { Calls.push_back("SendText " + Text); }
    void StartRecording(CVideo* Recorder) override;
    void StopRecording() override;
    int ServerPort() override { return Port; }
    TspSkinData* SkinData() override { return Skin; }
    // Loads the file into Skin as the main window does: a file that does not
    // load leaves Skin as it was. False without a Skin.
    bool ApplySkinFile(const std::string& Path) override;
    std::string SkinFileInUse() override { return SkinFile; }

    TspSkinData* Skin = nullptr;
    // The file Skin wears: the last one that loaded (empty: the built-in skin).
    std::string SkinFile;
    std::vector<std::string> SkinFilesTried;
    int ResIndex = 0;
    int Port = 80;
    std::vector<std::string> Calls;
    std::unique_ptr<CVideo> Recorder;
    int RecordingsClosed = 0;
};

// Answers the next file dialog of this process from another thread: types
// the file name and confirms, or cancels when the name is empty. Title holds
// the dialog's title once it was seen.
class TFileDialogHand : public TThread {
public:
    explicit TFileDialogHand(const std::string& fileName, DWORD timeoutMs = 15000);
    ~TFileDialogHand() override;
    bool Answered() const { return FAnswered; }
    std::string Title;
protected:
    void Execute() override;
private:
    std::string FFileName;
    DWORD FTimeout;
    volatile bool FAnswered = false;
};

// The top-level form of this thread that is shown modally now (null when none is).
TCustomForm* ModalForm();

// Answers the skinned open-skin window that the Customization dialog's Skin...
// opens (the dialog component named "spSkinOpenSkinDialog" that Owner owns):
// opens File there (its folder, then its entry), and reads the window's title.
struct TSkinDialogHand {
    std::string Title;
    TModalStep Step;
    TSkinDialogHand(TComponent& Owner, const std::string& File);
};

} // namespace dlgtest
