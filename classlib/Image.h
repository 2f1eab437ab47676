// TImage: a window-less control that shows a picture (bitmap, icon or JPEG),
// at its size, centred, stretched or proportionally scaled. Its Canvas is the
// picture's bitmap (made at the control's size when there is no picture yet).
#pragma once
#include "GraphicControl.h"
#include "Picture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    // The canvas of the picture's bitmap (not the screen); drawing on it repaints the image.
    TCanvas* GetCanvas();
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    bool GetProportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Where the picture is drawn within the control.
    TRect DestRect();
protected:
    void Paint() override;
    void PictureChanged(TObject* Sender);
private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FDrawing = false;
};
