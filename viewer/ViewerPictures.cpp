#include "ViewerPictures.h"
#include "Bitmap.h"
#include "ImgList.h"
#include <memory>

namespace ViewerPictures {

namespace {

const char* const kButtonCaptions[5] = {"Send", "Video", "Audio", "Call", "Pop-out"};
const char* const kLampLetters[8] = {"V", "V", "S", "S", "!", "!", "P", "P"};
const TColor kButtonFace = RGBToColor(182, 189, 210);
const TColor kButtonPressed = RGBToColor(133, 147, 181);
const TColor kButtonText = RGBToColor(16, 24, 64);
const TColor kLight = RGBToColor(250, 250, 255);
const TColor kShadow = RGBToColor(70, 78, 110);

std::unique_ptr<TBitmap> NewPicture(int Width, int Height, TColor Back)
{
    std::unique_ptr<TBitmap> b(new TBitmap(Width, Height, pf24bit));
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(Back);
    c->FillRect(TRect(0, 0, Width, Height));
    return b;
}

void Caption(TCanvas* C, const TRect& R, const std::string& Text, TColor Color, bool Bold)
{
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetName("MS Sans Serif");
    C->GetFont()->SetHeight(-11);
    C->GetFont()->SetStyle(Bold ? fsBold : 0);
    C->GetFont()->SetColor(Color);
    TRect r = R;
    C->DrawText(Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->GetBrush()->SetStyle(bsSolid);
}

void Add(TCustomImageList* List, TBitmap* Picture)
{
    // Opaque pictures: the lists hold them without a mask.
    List->Add(Picture, nullptr);
}

} // namespace

void FillButtons(TCustomImageList* List)
{
    List->Masked = false;
    List->SetWidth(ButtonWidth);
    List->SetHeight(ButtonHeight);
    List->Clear();
    for (int k = 0; k < 5; ++k) {
        for (int pressed = 0; pressed < 2; ++pressed) {
            auto b = NewPicture(ButtonWidth, ButtonHeight, pressed ? kButtonPressed : kButtonFace);
            TCanvas* c = b->GetCanvas();
            TRect r(0, 0, ButtonWidth, ButtonHeight);
            Frame3D(c, r, pressed ? kShadow : kLight, pressed ? kLight : kShadow, 1);
            // The pressed look moves the caption one pixel right and down.
            if (pressed) r.Offset(1, 1);
            Caption(c, r, kButtonCaptions[k], pressed ? clWhite : kButtonText, true);
            Add(List, b.get());
        }
    }
}

TColor LampColor(int Index)
{
    switch (Index) {
    case 0: case 2: return LampOn;
    case 4: return LampAlarm;
    case 7: return LampPopup;
    default: return LampOff;
    }
}

void FillLamps(TCustomImageList* List)
{
    List->Masked = false;
    List->SetWidth(LampSize);
    List->SetHeight(LampSize);
    List->Clear();
    for (int i = 0; i < 8; ++i) {
        auto b = NewPicture(LampSize, LampSize, FormColor);
        TCanvas* c = b->GetCanvas();
        c->GetPen()->SetColor(kShadow);
        c->GetBrush()->SetColor(LampColor(i));
        c->Ellipse(3, 3, LampSize - 3, LampSize - 3);
        Caption(c, TRect(0, 0, LampSize, LampSize), kLampLetters[i], clWhite, true);
        Add(List, b.get());
    }
}

void FillOnline(TCustomImageList* List)
{
    List->Masked = false;
    List->SetWidth(OnlineWidth);
    List->SetHeight(OnlineHeight);
    List->Clear();
    for (int i = 0; i < 2; ++i) {
        auto b = NewPicture(OnlineWidth, OnlineHeight, i == 0 ? LampOn : LampOff);
        TCanvas* c = b->GetCanvas();
        TRect r(0, 0, OnlineWidth, OnlineHeight);
        Frame3D(c, r, kLight, kShadow, 1);
        Caption(c, r, i == 0 ? "On line" : "Off line", clWhite, true);
        Add(List, b.get());
    }
}

} // namespace ViewerPictures
