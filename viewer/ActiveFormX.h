// The viewer control's form: the start timer, connecting, the buttons (video,
// sound, Send, Call, pop-out), the layout and the lamps. Its visual half is an
// IActiveFormXView; every operation runs on the host's user-interface thread.
#pragma once
#include "ActiveFormXView.h"
#include "AVPlayer.h"
#include <cstdint>
#include <memory>
#include <string>

class CChat;

class TActiveFormX {
public:
    // The address a control uses until the page sets its own: this machine.
    static const char* const DefaultAddress;
    static const char* const DefaultSkin;
    static const int32_t DefaultPort = 8080;
    static const UINT StartInterval = 20;

    // Makes the form as a child of Parent; shows the address message box and
    // starts the start timer once that box has been closed.
    explicit TActiveFormX(HWND Parent);
    // The same over a given view (tests).
    explicit TActiveFormX(std::unique_ptr<IActiveFormXView> View);
    ~TActiveFormX();
    TActiveFormX(const TActiveFormX&) = delete;
    TActiveFormX& operator=(const TActiveFormX&) = delete;

    IActiveFormXView& View() { return *FView; }

    const std::string& GetAddress() const { return FAddress; }
    void SetAddress(const std::string& Value) { FAddress = Value; }
    const std::string& GetSkin() const { return FSkin; }
    void SetSkin(const std::string& Value) { FSkin = Value; }
    int32_t GetPort() const { return FPort; }
    void SetPort(int32_t Value) { FPort = Value; }

    void Timer1Timer();
    void ActionStartExecute();
    bool Connect();
    void Disconnect();
    void ActionSendExecute();
    void ActionVideoExecute();
    void ActionAudioExecute();
    void ActionCallExecute();
    void ActionPopupExecute();
    void PopupFormClose();
    void UpdateStatus();
    void ApplySkin();
    void ButtonMouse(TFormPart Button, bool Down);

    bool CallActive() const { return FCallActive != 0; }
    bool Started() const { return FStarted; }
    CAVPlayer* Player() { return FPlayer.get(); }
    CChat* Chat() { return FChat.get(); }

private:
    void Init();
    void ButtonClick(TFormPart Button);
    void PlacePanelInForm();
    void BringVideoBack();

    std::unique_ptr<IActiveFormXView> FView;
    std::unique_ptr<CAVPlayer> FPlayer;
    std::unique_ptr<CChat> FChat;
    uint8_t FCallActive = 0;
    uint8_t FOnline = 1;
    std::string FAddress;
    std::string FSkin;
    int32_t FPort = DefaultPort;
    bool FStarted = false;
    bool FInPopupClose = false;
};
