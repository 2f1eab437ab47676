// TEzRgnBtn: a stand-alone picture button outside the skin engine. It shows one
// of four pictures (idle, hot, pressed, disabled), sizes itself to the picture,
// can cut its window to the shape of its idle picture or draw with one colour
// transparent, repeats its click while held, and can be shown pressed by code.
#pragma once
#include "AliveToken.h"
#include "CustomControl.h"
#include "ImgList.h"
#include "Picture.h"
#include "Timer.h"
#include "UniqueHandle.h"
#include <functional>
#include <memory>
#include "SkinDataLink.h"

enum TPaintMode { pmNormal, pmCrop, pmTransparent };

// The mouse message record the button's own mouse events pass on.
struct TWMMouse {
    UINT Msg;
    WPARAM Keys;
    short XPos, YPos;
    LRESULT Result;
};
typedef std::function<void(TWMMouse& Msg)> TOnMouseEvent;

// Cuts Wnd to Picture's rectangle less every pixel of the colour of its pixel
// (0, 0); a picture of that colour only, without pixels, or too busy to cut
// (hundreds of thousands of runs) leaves Wnd as it was.
// True when the window took a region of the picture's shape.
bool CropWindow(HWND Wnd, TPicture* Picture);
// Gives Wnd back the picture's whole rectangle (no region for an empty picture).
void UncropWindow(HWND Wnd, TPicture* Picture);

class TEzRgnBtn : public TCustomControl {
public:
    explicit TEzRgnBtn(TComponent* AOwner);
    ~TEzRgnBtn() override;

    bool GetAutoRepeat() const { return FAutoRepeat; }
    void SetAutoRepeat(bool Value);
    TPaintMode GetPaintMode() const { return FPaintMode; }
    void SetPaintMode(TPaintMode Value);
    // The button's own flag: the window stays enabled, so a disabled button still
    // hears the mouse and swallows its clicks.
    bool GetEnabled() const { return FBtnEnabled; }
    void SetEnabled(bool Value) override;
    bool GetDisabled() const { return !FBtnEnabled; }
    TPicture* GetPicIdle() const { return FPicIdle.get(); }
    void SetPicIdle(TPicture* Value);
    TPicture* GetPicDown() const { return FPicDown.get(); }
    void SetPicDown(TPicture* Value);
    TPicture* GetPicUp() const { return FPicUp.get(); }
    void SetPicUp(TPicture* Value);
    TPicture* GetPicDsbld() const { return FPicDsbld.get(); }
    void SetPicDsbld(TPicture* Value);
    TCustomImageList* GetImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);

    // Shows the button pressed for Interval milliseconds (0: 100 ms).
    void Down(UINT Interval = 0);
    void Click() override;
    virtual void TimerExpired();

    bool Cropped() const { return FCropped; }
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    bool HeldDown() const { return FHeldDown; }
    bool Repeating() const { return FRepeatTimer->GetEnabled(); }

    TOnMouseEvent OnMouseDown;
    TOnMouseEvent OnMouseEnter;
    TOnMouseEvent OnMouseLeave;
    TOnMouseEvent OnMouseUp;

protected:
    void Paint() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void WMLButtonDblClk(TMessage& Message) override;

private:
    // Painting and region changes hold it in turn. Everything runs on the GUI
    // thread, so a holder that comes back to it (a paint raised by a region change,
    // a region change from a handler run inside a paint) must never wait for it:
    // the work is put off until the holder lets go.
    class TPaintLock {
    public:
        TPaintLock();
        bool TryEnter();
        void Leave();
        // Lets go at the end of the scope, however the work inside ends.
        struct TScope {
            TPaintLock& Lock;
            ~TScope() { Lock.Leave(); }
        };
    private:
        TKernelHandle FEvent;   // auto-reset, set while free
        bool FHeld = false;     // used when the event could not be made
    };

    TPicture* ChosenPicture();
    // The chosen picture as a bitmap of its own size; null when it has none.
    std::unique_ptr<TBitmap> ChosenBitmap();
    void FitToPicture(int W, int H);
    void DrawPicture();
    void Redraw();
    void CropCanvas();
    void UncropCanvas();
    // The region following the paint mode and the idle picture.
    void UpdateRegion();
    void RunPending();
    void UpdateRepeat();
    void DownTimerProc();
    TWMMouse MouseRecord(const TMessage& Message) const;
    void IdleChanged();

    TPaintLock FLock;
    bool FCropped = false;
    bool FPaintPending = false, FRegionPending = false;
    std::unique_ptr<TTimer> FDownTimer, FRepeatTimer;
    bool FAutoRepeat = false;
    TPaintMode FPaintMode = pmNormal;
    bool FPressed = false, FHot = false, FBtnEnabled = true, FHeldDown = false;
    std::unique_ptr<TPicture> FPicIdle, FPicDown, FPicDsbld, FPicUp;
    TspComponentLink<TCustomImageList> FImageList{this};
    TAliveToken FAlive;
};
