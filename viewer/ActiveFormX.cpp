#include "ActiveFormX.h"
#include "AVSocketPlayer.h"
#include "Chat.h"
#include "SysUtils.h"
#include "ViewerLayout.h"

const char* const TActiveFormX::DefaultAddress = "127.0.0.1";
const char* const TActiveFormX::DefaultSkin = "prop1.skn";

namespace {
const char* const kPopupCaption = "Solvane video";
const char* const kCallOn = "~al_start";
const char* const kCallOff = "~al_stop";

// The five buttons in their order in ImageList1 (button k: pictures 2k, 2k + 1).
int ButtonIndex(TFormPart Button)
{
    switch (Button) {
    case fpImageSend: return 0;
    case fpImageVideo: return 1;
    case fpImageAudio: return 2;
    case fpImageCall: return 3;
    case fpImagePopup: return 4;
    default: return -1;
    }
}
} // namespace

TActiveFormX::TActiveFormX(HWND Parent) : FView(CreateActiveFormXView(Parent)) { Init(); }

TActiveFormX::TActiveFormX(std::unique_ptr<IActiveFormXView> View) : FView(std::move(View)) { Init(); }

void TActiveFormX::Init()
{
    FAddress = DefaultAddress;
    FSkin = DefaultSkin;
    FPort = DefaultPort;
    FView->Actions.Timer1Timer = [this] { Timer1Timer(); };
    FView->Actions.ButtonClick = [this](TFormPart b) { ButtonClick(b); };
    FView->Actions.ButtonMouse = [this](TFormPart b, bool down) { ButtonMouse(b, down); };
    FView->Actions.PopupFormClose = [this] { PopupFormClose(); };
    FView->ShowMessage(FAddress + ":" + IntToStr(FPort));
    // Only now: a tick inside the message box's own loop would connect before
    // the page had any chance to set the address and port.
    FView->StartTimer(StartInterval);
}

TActiveFormX::~TActiveFormX()
{
    FView->StopTimer();
    FView->Actions = TFormActions();
    Disconnect();
    if (FView->PopupOpen()) FView->ClosePopup();
}

void TActiveFormX::Timer1Timer()
{
    if (FAddress.empty()) return;
    FView->StopTimer();
    ActionStartExecute();
}

void TActiveFormX::ActionStartExecute()
{
    FStarted = true;
    size_t dot = FSkin.find('.');
    FSkin = dot == std::string::npos ? std::string() : FSkin.substr(0, dot);
    Connect();
    const TFormPart buttons[] = {fpImageSend, fpImageVideo, fpImageAudio, fpImageCall, fpImagePopup};
    for (int k = 0; k < 5; ++k) FView->SetPicture(buttons[k], 2 * k);
    FView->SetPicture(fpImageVideoStatus, 0);
    FView->SetPicture(fpImageAudioStatus, 2);
    FView->SetPicture(fpImageCallStatus, 5);
    FView->SetPicture(fpImagePopupStatus, 6);
    FView->SetPicture(fpImageOnLine, 1);
    ApplySkin();
    UpdateStatus();
}

bool TActiveFormX::Connect()
{
    ApplySkin();
    AVSocketPlayerData data{FAddress, FPort, GetSkinInt("VideoWidth"), GetSkinInt("VideoHeight")};
    FPlayer = CreateSocketPlayer();
    if (FPlayer && FPlayer->Play(&data, true, true)) {
        FChat = std::make_unique<CChat>(FView->ChatLines());
        if (FChat->Connect(FAddress, FPort)) FChat->Resume();
        else FChat.reset(); // the control runs without chat
        PlacePanelInForm();
        return true;
    }
    Disconnect();
    return false;
}

void TActiveFormX::PlacePanelInForm()
{
    if (CMpeg4Panel* panel = FPlayer ? FPlayer->GetPanel() : nullptr)
        FView->InsertPanel(panel, false, GetSkinInt("VideoX"), GetSkinInt("VideoY"),
                           GetSkinInt("VideoWidth"), GetSkinInt("VideoHeight"), false);
}

void TActiveFormX::Disconnect()
{
    if (FPlayer) {
        if (CMpeg4Panel* panel = FPlayer->GetPanel()) FView->RemovePanel(panel);
        FPlayer->Stop();
        FPlayer.reset();
    }
    if (FChat) {
        FChat->Disconnect();
        FChat.reset();
    }
    UpdateStatus();
}

void TActiveFormX::ButtonClick(TFormPart Button)
{
    switch (Button) {
    case fpImageSend: ActionSendExecute(); break;
    case fpImageVideo: ActionVideoExecute(); break;
    case fpImageAudio: ActionAudioExecute(); break;
    case fpImageCall: ActionCallExecute(); break;
    case fpImagePopup: ActionPopupExecute(); break;
    default: break;
    }
}

void TActiveFormX::ActionSendExecute()
{
    if (!FChat) return;
    FChat->Send(FView->InputText());
    FView->FocusInput();
    FView->SetInputText("");
}

void TActiveFormX::ActionVideoExecute()
{
    if (FPlayer) {
        if (FPlayer->IsVideoRunning()) {
            if (CMpeg4Panel* panel = FPlayer->GetPanel()) FView->RemovePanel(panel);
            FPlayer->StopVideo();
        } else {
            AVSocketPlayerData data{FAddress, FPort, GetSkinInt("VideoWidth"), GetSkinInt("VideoHeight")};
            if (FPlayer->StartVideo(&data)) PlacePanelInForm();
        }
    }
    UpdateStatus();
}

void TActiveFormX::ActionAudioExecute()
{
    if (FPlayer) {
        if (FPlayer->IsAudioRunning()) {
            FPlayer->StopAudio();
        } else {
            AVSocketPlayerData data{FAddress, FPort, GetSkinInt("VideoWidth"), GetSkinInt("VideoHeight")};
            FPlayer->StartAudio(&data);
        }
    }
    UpdateStatus();
}

void TActiveFormX::ActionCallExecute()
{
    if (FChat) {
        FChat->Send(FCallActive ? kCallOff : kCallOn);
        FCallActive = !FCallActive;
    }
    UpdateStatus();
}

void TActiveFormX::BringVideoBack()
{
    if (CMpeg4Panel* panel = FPlayer ? FPlayer->GetPanel() : nullptr) {
        FView->RemovePanel(panel);
        PlacePanelInForm();
    }
}

void TActiveFormX::ActionPopupExecute()
{
    if (FView->PopupOpen()) {
        BringVideoBack();
        // From the window's own close handling the window closes itself once
        // that handling is over; closing it here would re-enter it.
        if (!FInPopupClose) FView->ClosePopup();
    } else if (CMpeg4Panel* panel = FPlayer ? FPlayer->GetPanel() : nullptr) {
        FView->OpenPopup(kPopupCaption, GetSkinInt("PopUpVideoWidth"), GetSkinInt("PopUpVideoHeight"));
        FView->RemovePanel(panel);
        FView->InsertPanel(panel, true, GetSkinInt("PopUpVideoX"), GetSkinInt("PopUpVideoY"),
                           GetSkinInt("VideoWidth"), GetSkinInt("VideoHeight"), true);
    }
    UpdateStatus();
}

void TActiveFormX::PopupFormClose()
{
    FInPopupClose = true;
    try {
        ActionPopupExecute();
    } catch (...) {
        FInPopupClose = false;
        throw;
    }
    FInPopupClose = false;
}

void TActiveFormX::UpdateStatus()
{
    FView->MovePart(fpImageVideoStatus, GetSkinInt("VideoStateX"), GetSkinInt("VideoStateY"));
    FView->MovePart(fpImageAudioStatus, GetSkinInt("AudioStateX"), GetSkinInt("AudioStateY"));
    FView->MovePart(fpImageCallStatus, GetSkinInt("CallStateX"), GetSkinInt("CallStateY"));
    FView->MovePart(fpImagePopupStatus, GetSkinInt("PopUpVideoStateX"), GetSkinInt("PopUpVideoStateY"));
    FView->MovePart(fpImageOnLine, GetSkinInt("WorkStateX"), GetSkinInt("WorkStateY"));
    FView->SetPicture(fpImageVideoStatus, FPlayer && FPlayer->IsVideoRunning() ? 0 : 1);
    FView->SetPicture(fpImageAudioStatus, FPlayer && FPlayer->IsAudioRunning() ? 2 : 3);
    FView->SetPicture(fpImageCallStatus, FCallActive ? 4 : 5);
    FView->SetPicture(fpImagePopupStatus, FView->PopupOpen() && !FInPopupClose ? 7 : 6);
    FView->SetPicture(fpImageOnLine, FOnline ? 0 : 1);
}

void TActiveFormX::ApplySkin()
{
    if (!FSkin.empty()) LoadSkin(FSkin);
    FView->SetSize(GetSkinInt("AppletWidth") + 7, GetSkinInt("AppletHeight") + 26);
    FView->SetPartBounds(fpInputMessage, GetSkinInt("InputMessageX"), GetSkinInt("InputMessageY"),
                         GetSkinInt("InputMessageWidth"), GetSkinInt("InputMessageHeight"));
    FView->SetPartBounds(fpChatView, GetSkinInt("ChatViewX"), GetSkinInt("ChatViewY"),
                         GetSkinInt("ChatViewWidth"), GetSkinInt("ChatViewHeight"));
    FView->MovePart(fpImageSend, GetSkinInt("SendButtonX"), GetSkinInt("SendButtonY"));
    FView->MovePart(fpImageVideo, GetSkinInt("VideoButtonX"), GetSkinInt("VideoButtonY"));
    FView->MovePart(fpImageAudio, GetSkinInt("AudioButtonX"), GetSkinInt("AudioButtonY"));
    FView->MovePart(fpImagePopup, GetSkinInt("PopUpButtonX"), GetSkinInt("PopUpButtonY"));
    FView->MovePart(fpImageCall, GetSkinInt("CallButtonX"), GetSkinInt("CallButtonY"));
}

void TActiveFormX::ButtonMouse(TFormPart Button, bool Down)
{
    int k = ButtonIndex(Button);
    if (k >= 0) FView->SetPicture(Button, 2 * k + (Down ? 1 : 0));
}
