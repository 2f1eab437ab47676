// What the Preferences and Customization dialogs ask of the main window, and
// the calls by which the main window opens them and the about window.
#pragma once
#include <exception>
#include <memory>
#include <string>

class CVideo;
class TCustomForm;
class TForm1;
class TspFormFrame;
class TspSkinData;

// The main window as the settings dialogs see it. The program hands them its
// TForm1 through CMainWindowHost; the tests hand them a stand-in.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // The frame-size index the compressor works at now (TForm1::FResIndex).
    virtual int GetResIndex() = 0;
    virtual void SetResIndex(int Index) = 0;
    // Whether the next InitVideo shows the codec's own configuration dialog.
    virtual void SetCodecConfigure(bool On) = 0;
    virtual void StopVideo() = 0;
    virtual void InitVideo() = 0;
    // One chat line to every chat connection.
    virtual void SendTextToAll(const std::string& Text) = 0;
    // Hands a recording over: the main window writes every frame and sound page
    // into it and owns it from now on; a recording it still writes is closed first.
    virtual void StartRecording(CVideo* Recorder) = 0;
    // Clears the recording flags and closes the recording once no write uses it.
    virtual void StopRecording() = 0;
    // The server's port, for the embedding HTML.
    virtual int ServerPort() = 0;
    // The main window's skin, which the dialogs' frames and controls wear
    // (none: the dialogs stay unskinned).
    virtual TspSkinData* SkinData() { return nullptr; }
    // Loads a skin file as the program's skin (TForm1::ApplySkinFile).
    virtual bool ApplySkinFile(const std::string&) { return false; }
    // The skin file the program wears now: the one that loaded at start-up or
    // with Skin..., empty while the built-in skin is in use.
    virtual std::string SkinFileInUse() { return std::string(); }
};

class CMainWindowHost : public IDialogHost {
public:
    explicit CMainWindowHost(TForm1* Main) : FMain(Main) {}
    int GetResIndex() override;
    void SetResIndex(int Index) override;
    void SetCodecConfigure(bool On) override;
    void StopVideo() override;
    void InitVideo() override;
    void SendTextToAll(const std::string& Text) override;
    void StartRecording(CVideo* Recorder) override;
    void StopRecording() override;
    int ServerPort() override;
    TspSkinData* SkinData() override;
    bool ApplySkinFile(const std::string& Path) override;
    std::string SkinFileInUse() override;
private:
    TForm1* FMain;
};

// Dresses a dialog in the main window's skin: every skinned control the form
// owns is bound to Skin (none: they stay unskinned), and the form gets its
// skinned frame "spFormFrame1", which re-skins the form and its controls
// whenever that skin changes. Returns the frame.
TspFormFrame* DressDialog(TCustomForm* Form, TspSkinData* Skin);

// Creates a settings dialog without an owner, shows it modally and frees it.
// An error that abandoned the dialog's show is raised again here, for the
// error-log line of the command that opened it.
template <class TDialog> void RunDialog(IDialogHost* Host)
{
    std::unique_ptr<TDialog> dialog(new TDialog(nullptr, Host));
    dialog->ShowModal();
    if (dialog->ShowError) std::rethrow_exception(dialog->ShowError);
}

// The main window's commands ActionSetupExecute and ActionCustomizationExecute.
void RunPreferencesDialog(TForm1* Main);
void RunCustomizationDialog(TForm1* Main);
