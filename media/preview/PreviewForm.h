// The recording preview window: plays a recording once in a small modal window.
#pragma once
#include "AVFilePlayer.h"
#include "Forms.h"
#include <string>

class TspFormFrame;
class TspSkinData;

class TForm4 : public TForm {
public:
    static const int kVideoWidth = 320;
    static const int kVideoHeight = 240;

    // Skin: the main window's skin, which the window's frame wears (none: unskinned).
    explicit TForm4(TComponent* AOwner, TspSkinData* Skin = nullptr);
    ~TForm4() override;

    // The recording to play; set by the creator before the window is shown.
    std::string FileName;
    // The skinned frame: the system-menu button only, sizeable, no icon.
    TspFormFrame* spFormFrame1;

    // Creates the player and starts it on FileName; on success its panel goes
    // onto the window at (0, 0). A file that does not play leaves the window empty.
    void FormShow(TObject* Sender);
    // Takes the panel off the window, stops and frees the player.
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    void StopPlayer();
    CAVFilePlayer* FPlayer = nullptr;
};

// The player of the preview window that is open now (null when none is).
extern CAVFilePlayer* FilePlayer;
