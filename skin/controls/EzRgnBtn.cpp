#include "EzRgnBtn.h"
#include "ButtonFace.h"
#include "GdiHandles.h"
#include "SkinElement.h"
#include "Trace.h"
#include <functional>
#include <vector>

namespace {

bool HasGraphic(TPicture* P) { return P && P->GetGraphic() && !P->GetGraphic()->Empty(); }

// The picture drawn into a 24-bit bitmap of its size (any kind of graphic); null
// when it has none. A damaged picture's sides are bounded like a control's.
std::unique_ptr<TBitmap> PictureBitmap(TPicture* P)
{
    if (!HasGraphic(P)) return nullptr;
    const int w = ClampSide(P->GetWidth()), h = ClampSide(P->GetHeight());
    if (w <= 0 || h <= 0) return nullptr;
    try {
        auto b = std::make_unique<TBitmap>(w, h, pf24bit);
        if (b->Empty()) return nullptr;
        TCanvas* c = b->GetCanvas();
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, w, h));
        c->Draw(0, 0, P->GetGraphic());
        return b;
    } catch (const std::exception&) {
        Trace::Caught(Trace::Skin, "region button picture");
        return nullptr;   // no memory for a picture this large: it is not drawn
    }
}

// More runs than any button picture has: a picture this busy (noise, a dither)
// stays whole rather than holding the GUI thread and hundreds of megabytes while
// its region is built.
const size_t MaxCropRuns = 250000;

}  // namespace

// The picture's rectangle less the pixels of the key colour is the union of the
// runs of other colours, row by row: the same region as removing each key pixel's
// square, built from one rectangle list instead of one region operation per pixel.
bool CropWindow(HWND Wnd, TPicture* Picture)
{
    auto bmp = PictureBitmap(Picture);
    if (!bmp || !Wnd) return false;
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    const BYTE* first = static_cast<const BYTE*>(bmp->ScanLine(0));
    const BYTE kb = first[0], kg = first[1], kr = first[2];
    auto key = [&](const BYTE* px) { return px[0] == kb && px[1] == kg && px[2] == kr; };
    // Each run of other colours in a row is one rectangle of the region.
    auto eachRun = [&](const std::function<void(int, int, int)>& Take) {
        for (int y = 0; y < h; ++y) {
            const BYTE* row = static_cast<const BYTE*>(bmp->ScanLine(y));
            int x = 0;
            while (x < w) {
                while (x < w && key(row + x * 3)) ++x;
                if (x >= w) break;
                const int start = x;
                while (x < w && !key(row + x * 3)) ++x;
                Take(start, x, y);
            }
        }
    };
    size_t runs = 0;
    eachRun([&](int, int, int) { ++runs; });
    if (runs > MaxCropRuns) return false;
    if (runs == 0) return false;   // nothing but the key colour: cutting it all away would hide the button
    const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + runs * sizeof(RECT));
    std::vector<BYTE> block(size);
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(runs);
    data->rdh.rcBound = RECT{0, 0, w, h};
    RECT* out = reinterpret_cast<RECT*>(data->Buffer);
    eachRun([&](int X0, int X1, int Y) { *out++ = RECT{X0, Y, X1, Y + 1}; });
    TRegionHandle rgn(ExtCreateRegion(nullptr, size, data));
    if (!rgn.Valid()) return false;
    return GiveWindowRegion(Wnd, rgn.Release());
}

void UncropWindow(HWND Wnd, TPicture* Picture)
{
    if (!Wnd) return;
    const int w = HasGraphic(Picture) ? ClampSide(Picture->GetWidth()) : 0;
    const int h = HasGraphic(Picture) ? ClampSide(Picture->GetHeight()) : 0;
    if (w <= 0 || h <= 0) {
        SetWindowRgn(Wnd, nullptr, TRUE);
        return;
    }
    TRegionHandle rgn(CreateRectRgn(0, 0, w, h));
    if (rgn.Valid()) GiveWindowRegion(Wnd, rgn.Release());
}

// ---- TPaintLock ----

TEzRgnBtn::TPaintLock::TPaintLock() : FEvent(CreateEventA(nullptr, FALSE, TRUE, nullptr)) {}

bool TEzRgnBtn::TPaintLock::TryEnter()
{
    if (FEvent.Valid()) return WaitForSingleObject(FEvent.Get(), 0) == WAIT_OBJECT_0;
    if (FHeld) return false;
    FHeld = true;
    return true;
}

void TEzRgnBtn::TPaintLock::Leave()
{
    if (FEvent.Valid())
        SetEvent(FEvent.Get());
    else
        FHeld = false;
}

// ---- TEzRgnBtn ----

TEzRgnBtn::TEzRgnBtn(TComponent* AOwner)
    : TCustomControl(AOwner),
      FDownTimer(std::make_unique<TTimer>(nullptr)),
      FRepeatTimer(std::make_unique<TTimer>(nullptr)),
      FPicIdle(std::make_unique<TPicture>()),
      FPicDown(std::make_unique<TPicture>()),
      FPicDsbld(std::make_unique<TPicture>()),
      FPicUp(std::make_unique<TPicture>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetBounds(GetLeft(), GetTop(), 15, 15);
    FDownTimer->SetEnabled(false);
    FDownTimer->SetInterval(100);
    FDownTimer->OnTimer = [this](TObject*) { DownTimerProc(); };
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(300);
    FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
    FPicIdle->OnChange = [this](TObject*) { IdleChanged(); };
    for (TPicture* p : {FPicDown.get(), FPicDsbld.get(), FPicUp.get()}) p->OnChange = [this](TObject*) { Redraw(); };
}

TEzRgnBtn::~TEzRgnBtn()
{
    for (TPicture* p : {FPicIdle.get(), FPicDown.get(), FPicDsbld.get(), FPicUp.get()}) p->OnChange = nullptr;
    // Either timer may be ticking right now: a click that frees the button.
    Skinctrls::DropTimer(FDownTimer);
    Skinctrls::DropTimer(FRepeatTimer);
}

// ---- properties ----

void TEzRgnBtn::SetAutoRepeat(bool Value)
{
    FAutoRepeat = Value;
    UpdateRepeat();
}

void TEzRgnBtn::SetPaintMode(TPaintMode Value)
{
    if (Value == FPaintMode) return;
    FPaintMode = Value;
    UpdateRegion();
    Redraw();
}

void TEzRgnBtn::SetEnabled(bool Value)
{
    if (Value == FBtnEnabled) return;
    FBtnEnabled = Value;
    Redraw();
}

void TEzRgnBtn::SetPicIdle(TPicture* Value) { FPicIdle->Assign(Value); }
void TEzRgnBtn::SetPicDown(TPicture* Value) { FPicDown->Assign(Value); }
void TEzRgnBtn::SetPicUp(TPicture* Value) { FPicUp->Assign(Value); }
void TEzRgnBtn::SetPicDsbld(TPicture* Value) { FPicDsbld->Assign(Value); }

void TEzRgnBtn::SetImageList(TCustomImageList* Value)
{
    if (!FImageList.Set(Value) || !FImageList) return;
    TPicture* targets[] = {FPicIdle.get(), FPicUp.get(), FPicDown.get(), FPicDsbld.get()};
    const int n = FImageList->GetCount();
    for (int i = 0; i < 4 && i < n; ++i) {
        TBitmap b;
        FImageList->GetBitmap(i, &b);
        targets[i]->SetBitmap(&b);
    }
}

void TEzRgnBtn::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    FImageList.Removed(AComponent, Operation);
}

void TEzRgnBtn::IdleChanged()
{
    UpdateRegion();
    Redraw();
}

// ---- pressed display and clicks ----

void TEzRgnBtn::Down(UINT Interval)
{
    FHeldDown = true;
    FDownTimer->SetEnabled(false);
    FDownTimer->SetInterval(Interval ? Interval : 100);
    FDownTimer->SetEnabled(true);
    Redraw();
}

void TEzRgnBtn::DownTimerProc()
{
    FDownTimer->SetEnabled(false);
    FHeldDown = false;
    Redraw();
}

void TEzRgnBtn::Click()
{
    if (FBtnEnabled) TCustomControl::Click();
}

void TEzRgnBtn::TimerExpired() { Click(); }

void TEzRgnBtn::UpdateRepeat()
{
    const bool run = FAutoRepeat && FHot && FPressed;
    if (run != FRepeatTimer->GetEnabled()) FRepeatTimer->SetEnabled(run);
}

// ---- mouse ----

TWMMouse TEzRgnBtn::MouseRecord(const TMessage& Message) const
{
    return TWMMouse{Message.Msg, Message.WParam, static_cast<short>(LOWORD(Message.LParam)),
                    static_cast<short>(HIWORD(Message.LParam)), 0};
}

void TEzRgnBtn::CMMouseEnter(TMessage& Message)
{
    auto alive = FAlive.Watch();
    TCustomControl::CMMouseEnter(Message);
    if (!*alive) return;
    if (!FHot) {
        FHot = true;
        Redraw();
        if (OnMouseEnter) {
            TWMMouse m = MouseRecord(Message);
            OnMouseEnter(m);
            if (!*alive) return;
        }
    }
    UpdateRepeat();
}

void TEzRgnBtn::CMMouseLeave(TMessage& Message)
{
    auto alive = FAlive.Watch();
    TCustomControl::CMMouseLeave(Message);
    if (!*alive) return;
    FHot = false;
    Redraw();
    if (OnMouseLeave) {
        TWMMouse m = MouseRecord(Message);
        OnMouseLeave(m);
        if (!*alive) return;
    }
    UpdateRepeat();
}

void TEzRgnBtn::WMLButtonDown(TMessage& Message)
{
    auto alive = FAlive.Watch();
    TCustomControl::WMLButtonDown(Message);
    if (!*alive) return;
    FPressed = true;
    Redraw();
    if (OnMouseDown) {
        TWMMouse m = MouseRecord(Message);
        OnMouseDown(m);
        if (!*alive) return;
    }
    UpdateRepeat();
}

void TEzRgnBtn::WMLButtonUp(TMessage& Message)
{
    auto alive = FAlive.Watch();
    TCustomControl::WMLButtonUp(Message);   // the click, when released over the button
    if (!*alive) return;
    FPressed = false;
    Redraw();
    if (OnMouseUp) {
        TWMMouse m = MouseRecord(Message);
        OnMouseUp(m);
        if (!*alive) return;
    }
    UpdateRepeat();
}

// The second press of a double-click is swallowed: a double-click is one click.
void TEzRgnBtn::WMLButtonDblClk(TMessage&) {}

// ---- painting and region ----

TPicture* TEzRgnBtn::ChosenPicture()
{
    TPicture* idle = FPicIdle.get();
    if (!FBtnEnabled && HasGraphic(FPicDsbld.get())) idle = FPicDsbld.get();
    if (FBtnEnabled && ((FPressed && FHot) || FHeldDown)) return HasGraphic(FPicDown.get()) ? FPicDown.get() : idle;
    if (FBtnEnabled && FHot && !FPressed) return HasGraphic(FPicUp.get()) ? FPicUp.get() : idle;
    return idle;
}

void TEzRgnBtn::FitToPicture(int W, int H)
{
    W = ClampSide(W);
    H = ClampSide(H);
    if (W > 0 && H > 0 && (W != GetWidth() || H != GetHeight())) SetBounds(GetLeft(), GetTop(), W, H);
}

void TEzRgnBtn::Redraw()
{
    TPicture* p = ChosenPicture();
    if (HasGraphic(p)) FitToPicture(p->GetWidth(), p->GetHeight());
    Repaint();
}

void TEzRgnBtn::Paint()
{
    if (!FLock.TryEnter()) {
        FPaintPending = true;   // a region change is under way; paint once it is done
        return;
    }
    {
        TPaintLock::TScope held{FLock};
        DrawPicture();
    }
    RunPending();
}

void TEzRgnBtn::DrawPicture()
{
    TPicture* p = ChosenPicture();
    if (HasGraphic(p)) {
        FitToPicture(p->GetWidth(), p->GetHeight());
        TCanvas* c = GetCanvas();
        if (FPaintMode == pmTransparent) {
            if (auto b = PictureBitmap(p)) {
                const TColor key = b->GetCanvas()->GetPixel(0, 0);
                c->GetBrush()->SetStyle(bsSolid);
                c->GetBrush()->SetColor(GetColor());
                c->FillRect(TRect(0, 0, b->GetWidth(), b->GetHeight()));
                GdiTransparentBlt(c->GetHandle(), 0, 0, b->GetWidth(), b->GetHeight(), b->GetCanvas()->GetHandle(), 0,
                                  0, b->GetWidth(), b->GetHeight(), ColorToRGB(key));
            }
        } else {
            c->Draw(0, 0, p->GetGraphic());
        }
    }
}

void TEzRgnBtn::UpdateRegion()
{
    if (!HandleAllocated()) return;   // CreateWnd shapes the window once it exists
    if (!FLock.TryEnter()) {
        FRegionPending = true;   // painting now; the region follows when it is done
        return;
    }
    {
        TPaintLock::TScope held{FLock};
        if (FPaintMode == pmCrop && HasGraphic(FPicIdle.get()))
            CropCanvas();
        else if (FCropped)
            UncropCanvas();
    }
    RunPending();
}

void TEzRgnBtn::CropCanvas()
{
    // A new idle picture replaces the region of the old one.
    if (CropWindow(GetHandle(), FPicIdle.get()))
        FCropped = true;
    else if (FCropped)
        UncropCanvas();
}

void TEzRgnBtn::UncropCanvas()
{
    UncropWindow(GetHandle(), FPicIdle.get());
    FCropped = false;
}

void TEzRgnBtn::RunPending()
{
    if (FRegionPending) {
        FRegionPending = false;
        UpdateRegion();
    }
    if (FPaintPending) {
        FPaintPending = false;
        Invalidate();
    }
}

void TEzRgnBtn::CreateWnd()
{
    TCustomControl::CreateWnd();
    FCropped = false;
    UpdateRegion();
}

void TEzRgnBtn::DestroyWnd()
{
    FCropped = false;   // the region goes with the window
    TCustomControl::DestroyWnd();
}
