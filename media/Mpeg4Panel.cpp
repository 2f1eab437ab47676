#include "Mpeg4Panel.h"
#include "SysUtils.h"

namespace {

const TColor kBackground = RGBToColor(128, 128, 128);
const TColor kBarFrame = RGBToColor(192, 192, 192);
const TColor kBarFill = RGBToColor(255, 255, 255);
const TColor kText = RGBToColor(255, 255, 255);

} // namespace

CMpeg4Panel::CMpeg4Panel(int32_t width, int32_t height) : TGraphicControl(nullptr), FPicture(new TBitmap())
{
    SetBounds(0, 0, width, height);
}

CMpeg4Panel::~CMpeg4Panel()
{
    // Leave the parent before going: a paint on another thread finishes first.
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    if (GetParent()) TGraphicControl::SetParent(nullptr);
}

void CMpeg4Panel::SetFrame(TBitmap* bitmap)
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    SetPercent(-1);
    FPicture->Assign(bitmap);
}

void CMpeg4Panel::SetPercent(int32_t value)
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    if (FState >= 0) FState = value;
}

int32_t CMpeg4Panel::GetState()
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    return FState;
}

void CMpeg4Panel::Invalidate() { Paint(); }

void CMpeg4Panel::Repaint()
{
    if (GetVisible()) Paint();
}

void CMpeg4Panel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void CMpeg4Panel::SetParent(TWinControl* AParent)
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    TGraphicControl::SetParent(AParent);
}

void CMpeg4Panel::Paint()
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    if (!GetParent()) return;
    PaintTo(GetCanvas(), GetWidth(), GetHeight());
}

void CMpeg4Panel::PaintTo(TCanvas* canvas, int width, int height)
{
    TLockGuard<CMultiThreadClass> hold(FFrameLock);
    if (FState < 0) {
        canvas->StretchDraw(TRect(0, 0, width, height), FPicture.get());
        return;
    }
    std::string text = FState == 0 ? "Waiting for first frame ..." : "Loading " + IntToStr(FState) + " % ...";
    canvas->GetBrush()->SetColor(kBackground);
    canvas->FillRect(TRect(0, 0, width, height));
    canvas->GetBrush()->SetColor(kBarFrame);
    canvas->FillRect(TRect(10, height - 20, width - 10, height - 10));
    canvas->GetBrush()->SetColor(kBarFill);
    canvas->FillRect(TRect(11, height - 19, 11 + FState * (width - 22) / 100, height - 11));
    canvas->GetBrush()->SetColor(kBackground);
    canvas->GetFont()->SetColor(kText);
    canvas->TextOut(10, height - 35, text);
}
