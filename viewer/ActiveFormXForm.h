// The viewer control's visible form: the picture buttons, lamps and on-line
// indicator with their image lists, the chat box and input line, the actions,
// the start timer and the pop-out window. It lives inside another program's
// window (the host's, or a parking window until the control is placed).
#pragma once
#include "ActnList.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "StdCtrls.h"
#include <string>

// The border the host may ask the form to draw (the values of the COM
// interface's border style: none, single, sunken, raised).
enum TActiveFormBorder { axbNone = 0, axbSingle = 1, axbSunken = 2, axbRaised = 3 };

class TActiveFormXForm : public TForm {
public:
    explicit TActiveFormXForm(HWND ParentWindow);
    ~TActiveFormXForm() override;

    TImage* ImageSend;
    TImage* ImageVideo;
    TImage* ImageAudio;
    TImage* ImageCall;
    TImage* ImagePopup;
    TImage* ImageVideoStatus;
    TImage* ImageAudioStatus;
    TImage* ImageCallStatus;
    TImage* ImagePopupStatus;
    TImage* ImageOnLine;
    TMemo* ChatView;
    TEdit* InputMessage;
    TImageList* ImageList1;
    TImageList* ImageList2;
    TImageList* ImageList3;
    TActionList* ActionList1;
    TAction* ActionSend;
    TAction* ActionVideo;
    TAction* ActionAudio;
    TAction* ActionCall;
    TAction* ActionPopup;
    TAction* ActionStart;
    TTimer* Timer1;

    int GetAxBorderStyle() const { return FAxBorderStyle; }
    void SetAxBorderStyle(int Value);

    // The pop-out window (owned by this form), or null while the video is in the form.
    TForm* GetPopupForm() const { return FPopupForm; }
    TForm* CreatePopupForm(const std::string& Caption, int Width, int Height);
    // Frees the pop-out window now.
    void FreePopupForm();
    // The pop-out window's close box was used: the window frees itself once
    // its close handling is over; from now on it counts as gone.
    void ForgetPopupForm() { FPopupForm = nullptr; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TImage* NewImage(int Left, int Top, int Width, int Height);
    int FAxBorderStyle = axbNone;
    TForm* FPopupForm = nullptr;
};
