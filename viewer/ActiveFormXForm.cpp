#include "ActiveFormXForm.h"
#include "ViewerPictures.h"

namespace {
// The designed places: those of the first built-in layout, until the start
// applies the page's layout.
const int kFormWidth = 177, kFormHeight = 536;
} // namespace

TActiveFormXForm::TActiveFormXForm(HWND ParentWindow) : TForm(nullptr, ParentWindow)
{
    SetCaption("Client");
    SetColor(ViewerPictures::FormColor);
    SetBounds(0, 0, kFormWidth, kFormHeight);

    ImageList1 = new TImageList(this);
    ViewerPictures::FillButtons(ImageList1);
    ImageList2 = new TImageList(this);
    ViewerPictures::FillLamps(ImageList2);
    ImageList3 = new TImageList(this);
    ViewerPictures::FillOnline(ImageList3);

    using namespace ViewerPictures;
    ImageSend = NewImage(82, 380, ButtonWidth, ButtonHeight);
    ImageVideo = NewImage(10, 406, ButtonWidth, ButtonHeight);
    ImageAudio = NewImage(82, 406, ButtonWidth, ButtonHeight);
    ImageCall = NewImage(82, 431, ButtonWidth, ButtonHeight);
    ImagePopup = NewImage(10, 431, ButtonWidth, ButtonHeight);
    ImageVideoStatus = NewImage(7, 454, LampSize, LampSize);
    ImageAudioStatus = NewImage(46, 454, LampSize, LampSize);
    ImageCallStatus = NewImage(120, 454, LampSize, LampSize);
    ImagePopupStatus = NewImage(85, 454, LampSize, LampSize);
    ImageOnLine = NewImage(84, 5, OnlineWidth, OnlineHeight);

    ChatView = new TMemo(this);
    ChatView->SetParent(this);
    ChatView->SetBounds(4, 167, 160, 172);
    ChatView->SetColor(FormColor);
    ChatView->SetScrollBars(ssVertical);
    // The visitor reads the chat here but cannot type into it.
    ChatView->SetEnabled(false);

    InputMessage = new TEdit(this);
    InputMessage->SetParent(this);
    InputMessage->SetBounds(12, 352, 143, 26);
    InputMessage->SetColor(FormColor);
    InputMessage->SetTabStop(true);

    ActionList1 = new TActionList(this);
    TAction** actions[] = {&ActionSend, &ActionVideo, &ActionAudio, &ActionCall, &ActionPopup, &ActionStart};
    for (TAction** a : actions) {
        *a = new TAction(this);
        (*a)->SetActionList(ActionList1);
    }
    ActionSend->SetHint("Send message");

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(20);
}

TActiveFormXForm::~TActiveFormXForm()
{
    Timer1->SetEnabled(false);
    FreePopupForm();
}

TImage* TActiveFormXForm::NewImage(int Left, int Top, int Width, int Height)
{
    TImage* i = new TImage(this);
    i->SetParent(this);
    i->SetBounds(Left, Top, Width, Height);
    return i;
}

void TActiveFormXForm::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.WinClassName = "TActiveFormX";
}

void TActiveFormXForm::SetAxBorderStyle(int Value)
{
    if (Value == FAxBorderStyle) return;
    FAxBorderStyle = Value;
    Invalidate();
}

void TActiveFormXForm::Paint()
{
    TCanvas* c = GetCanvas();
    TRect r(0, 0, GetClientWidth(), GetClientHeight());
    switch (FAxBorderStyle) {
    case axbSingle:
        c->GetBrush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        break;
    case axbSunken: Frame3D(c, r, clBtnShadow, clBtnHighlight, 2); break;
    case axbRaised: Frame3D(c, r, clBtnHighlight, clBtnShadow, 2); break;
    default: break;
    }
    TForm::Paint();
}

TForm* TActiveFormXForm::CreatePopupForm(const std::string& Caption, int Width, int Height)
{
    FreePopupForm();
    FPopupForm = new TForm(this);
    FPopupForm->SetCaption(Caption);
    FPopupForm->SetPosition(poDesktopCenter);
    FPopupForm->SetBounds(0, 0, Width, Height);
    return FPopupForm;
}

void TActiveFormXForm::FreePopupForm()
{
    TForm* p = FPopupForm;
    FPopupForm = nullptr;
    delete p;
}

void TActiveFormXForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupForm) FPopupForm = nullptr;
}
