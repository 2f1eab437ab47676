#include "SkinHint.h"
#include "Application.h"
#include "EffectBmp.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinImage.h"
#include "SkinPlatform.h"
#include "SkinRegion.h"
#include <algorithm>

namespace {
// A hint larger than this would only cost memory: the text is cut off instead.
const int kMaxHintExtent = 2048;
const UINT kHintTextFormat = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;

int Clamp(int V, int Lo, int Hi) { return std::max(Lo, std::min(V, Hi)); }
}  // namespace

// ---- TspSkinHintWindow ----

TspSkinHintWindow::TspSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TspSkinHintWindow::~TspSkinHintWindow() = default;

void TspSkinHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    // The skin draws the edge: no system border.
    Params.Style &= ~WS_BORDER;
    if (Sputils::CheckWXP()) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.WinClassName = "TspSkinHintWindow";
}

void TspSkinHintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkGnd(Message); break;
    default: THintWindow::Dispatch(Message); break;
    }
}

void TspSkinHintWindow::WMNCPaint(TMessage& Message) { Message.Result = 0; }

// Paint covers the whole window in one copy; erasing first would flicker.
void TspSkinHintWindow::WMEraseBkGnd(TMessage& Message) { Message.Result = 1; }

TspSkinHint* TspSkinHintWindow::FindHintComponent()
{
    TCustomForm* main = Application->GetMainForm();
    if (!main) return nullptr;
    for (int i = 0; i < main->GetComponentCount(); ++i) {
        auto* h = dynamic_cast<TspSkinHint*>(main->GetComponent(i));
        if (h && h->GetActive()) return h;
    }
    return nullptr;
}

TBitmap* TspSkinHintWindow::WindowPicture() const
{
    TspDataSkinHintWindow* r = Record();
    if (!r) return nullptr;
    int i = r->WindowPictureIndex;
    if (i < 0 || i >= static_cast<int>(FSD->ActivePictures.size())) return nullptr;
    TBitmap* b = FSD->ActivePictures[i].get();
    return b && !b->Empty() ? b : nullptr;
}

void TspSkinHintWindow::ChooseSkin()
{
    FSD = nullptr;
    TspSkinData* sd = FHintComponent ? FHintComponent->GetSkinData() : nullptr;
    if (!sd || sd->Empty || !sd->HintWindow) return;
    FSD = sd;
    TBitmap* pic = WindowPicture();
    // The client rectangle must lie inside the picture, or the look is unusable.
    const TRect& cr = FSD->HintWindow->ClientRect;
    if (!pic || cr.IsEmpty() || cr.left < 0 || cr.top < 0 || cr.right > pic->GetWidth() ||
        cr.bottom > pic->GetHeight()) {
        FSD = nullptr;
        return;
    }
    FChosenPicture = TSize(pic->GetWidth(), pic->GetHeight());
    FChosenClient = cr;
}

bool TspSkinHintWindow::StillServed()
{
    // The component or its skin may have gone, or the skin changed, since the
    // hint was shown: never draw from what was freed or from geometry that no
    // longer fits the picture.
    TspSkinHint* h = FindHintComponent();
    if (h != FHintComponent) {
        FHintComponent = h;
        FSD = nullptr;
    }
    if (!FHintComponent) return false;
    if (FSD) {
        TBitmap* pic = FHintComponent->GetSkinData() == FSD && !FSD->Empty ? WindowPicture() : nullptr;
        if (!pic || pic->GetWidth() != FChosenPicture.cx || pic->GetHeight() != FChosenPicture.cy ||
            FSD->HintWindow->ClientRect != FChosenClient)
            FSD = nullptr;
    }
    return true;
}

void TspSkinHintWindow::ApplyFont(TFont* F) const
{
    TFont* def = FHintComponent->GetDefaultFont();
    TspDataSkinHintWindow* r = Record();
    if (r && FHintComponent->UseSkinFont) {
        ApplySkinFontFields(F, r->Font);
        F->SetCharset(def->GetCharset());
    } else {
        F->Assign(def);
    }
}

void TspSkinHintWindow::CalcHintSize(TCanvas* Cnvs, const std::string& S, int& Height, int& Width)
{
    TRect tr(0, 0, 0, 0);
    Cnvs->DrawText(S, tr, kHintTextFormat | DT_CALCRECT);
    FTextSize = TSize(Clamp(tr.Width(), 0, kMaxHintExtent), Clamp(tr.Height(), 0, kMaxHintExtent));
    const int w = FTextSize.cx, h = FTextSize.cy;
    TspDataSkinHintWindow* r = Record();
    TBitmap* pic = WindowPicture();
    if (!r || !pic) {
        Width = w + 4;
        Height = h + 4;
        return;
    }
    const int wp = pic->GetWidth(), hp = pic->GetHeight();
    const TRect& cr = r->ClientRect;
    Width = std::max(wp, std::min(w + wp - cr.Width(), kMaxHintExtent));
    Height = std::max(hp, std::min(h + hp - cr.Height(), kMaxHintExtent));
    const int dx = Width - wp, dy = Height - hp;
    FNewClRect = TRect(cr.left, cr.top, cr.right + dx, cr.bottom + dy);
    FNewLTPoint = r->LeftTopPoint;
    FNewRTPoint = TPoint(r->RightTopPoint.x + dx, r->RightTopPoint.y);
    FNewLBPoint = TPoint(r->LeftBottomPoint.x, r->LeftBottomPoint.y + dy);
    FNewRBPoint = TPoint(r->RightBottomPoint.x + dx, r->RightBottomPoint.y + dy);
}

void TspSkinHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    FHintComponent = FindHintComponent();
    if (!FHintComponent) return;
    ChooseSkin();
    HWND wnd = GetHandle();
    TCanvas* c = GetCanvas();
    ApplyFont(c->GetFont());
    SetCaption(AHint);
    int w = 0, h = 0;
    CalcHintSize(c, AHint, h, w);

    TRect r = Bounds(Rect.left, Rect.top, w, h);
    if (r.right > GetSystemMetrics(SM_CXSCREEN)) r.Offset(-(w + 2), 0);
    if (r.bottom > GetSystemMetrics(SM_CYSCREEN)) r.Offset(0, -(h + 2));
    SetWindowPos(wnd, nullptr, r.left, r.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsRect(r);

    ApplyAlpha();
    if (FHintComponent->AlphaBlend && !FHintComponent->GetAlphaBlendSupport()) {
        // Blended by hand with what the screen shows there before the hint covers it.
        FScreenCopy.reset(new TBitmap(w, h, pf24bit));
        Sputils::GetScreenImage(r.left, r.top, FScreenCopy.get());
    } else {
        FScreenCopy.reset();
    }
    SetHintWindowRegion();
    FVisible = true;
    SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(wnd, nullptr, FALSE);
    UpdateWindow(wnd);
}

void TspSkinHintWindow::ApplyAlpha()
{
    if (!FHintComponent->GetAlphaBlendSupport()) return;
    HWND wnd = GetHandle();
    const bool on = FHintComponent->AlphaBlend;
    const int value = Clamp(FHintComponent->AlphaBlendValue, 0, 255);
    if (on != FAlphaApplied) {
        LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
        if (on) {
            SetWindowLongA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
            Sputils::SetAlphaBlendTransparent(wnd, value);
            FAlphaValue = value;
        } else {
            SetWindowLongA(wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        }
        FAlphaApplied = on;
    } else if (on && value != FAlphaValue) {
        Sputils::SetAlphaBlendTransparent(wnd, value);
        FAlphaValue = value;
    }
}

void TspSkinHintWindow::SetHintWindowRegion()
{
    // The system owns the region it is given (and frees the one it replaces):
    // we keep no copy, so none is ever deleted twice.
    HWND wnd = GetHandle();
    TspDataSkinHintWindow* r = Record();
    HRGN rgn = nullptr;
    if (r && r->MaskPictureIndex >= 0 && r->MaskPictureIndex < static_cast<int>(FSD->ActivePictures.size())) {
        TBitmap* mask = FSD->ActivePictures[r->MaskPictureIndex].get();
        if (mask && !mask->Empty())
            Sputils::CreateSkinRegion(rgn, r->LeftTopPoint, r->RightTopPoint, r->LeftBottomPoint,
                                      r->RightBottomPoint, r->ClientRect, FNewLTPoint, FNewRTPoint, FNewLBPoint,
                                      FNewRBPoint, FNewClRect, mask, GetWidth(), GetHeight());
    }
    GiveWindowRegion(wnd, rgn);
}

void TspSkinHintWindow::DrawText(TCanvas* C)
{
    const std::string text = GetCaption();
    C->GetBrush()->SetStyle(bsClear);
    TRect tr;
    if (Record() && WindowPicture()) {
        ApplyFont(C->GetFont());
        C->GetFont()->SetColor(Record()->Font.Color);
        const int x = FNewClRect.left + FNewClRect.Width() / 2 - FTextSize.cx / 2;
        const int y = FNewClRect.top + FNewClRect.Height() / 2 - FTextSize.cy / 2;
        tr = Bounds(x, y, FTextSize.cx, FTextSize.cy);
    } else {
        C->GetFont()->Assign(FHintComponent->GetDefaultFont());
        C->GetFont()->SetColor(clInfoText);
        tr = TRect(2, 2, GetWidth() - 2, GetHeight() - 2);
    }
    C->DrawText(text, tr, kHintTextFormat);
}

void TspSkinHintWindow::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0 || !StillServed()) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* bc = b.GetCanvas();
    TBitmap* pic = Record() ? WindowPicture() : nullptr;
    if (pic) {
        TspDataSkinHintWindow* r = Record();
        Sputils::TSkinImageArgs a;
        a.Skin = {r->LeftTopPoint, r->RightTopPoint, r->LeftBottomPoint, r->RightBottomPoint, r->ClientRect};
        a.Target = {FNewLTPoint, FNewRTPoint, FNewLBPoint, FNewRBPoint, FNewClRect};
        a.Source = pic;
        a.SourceRect = TRect(0, 0, pic->GetWidth(), pic->GetHeight());
        a.Width = w;
        a.Height = h;
        a.Stretch = {r->LeftStretch, r->TopStretch, r->RightStretch, r->BottomStretch};
        Sputils::CreateSkinImageBS(&b, a);
    } else {
        bc->GetBrush()->SetStyle(bsSolid);
        bc->GetBrush()->SetColor(clInfoBk);
        bc->FillRect(TRect(0, 0, w, h));
        bc->GetBrush()->SetColor(clBtnShadow);
        bc->FrameRect(TRect(0, 0, w, h));
    }
    DrawText(bc);
    if (FScreenCopy && FScreenCopy->GetWidth() == w && FScreenCopy->GetHeight() == h) {
        TspEffectBmp hint(&b), screen(FScreenCopy.get());
        const int value = Clamp(FHintComponent->AlphaBlendValue, 0, 255);
        hint.Morph(&screen, 1.0 - value / 255.0);
        hint.Draw(GetCanvas()->GetHandle(), 0, 0);
        return;
    }
    GetCanvas()->Draw(0, 0, &b);
}

// ---- TspSkinHint ----

TspSkinHint::TspSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(new TFont)
{
    FHintWindow.reset(new TspSkinHintWindow(nullptr));
    if (IsDesigning()) return;
    Application->HintWindowClass = HintWindowClassOf<TspSkinHintWindow>();
    // Off and on again: the application drops its hint window and makes the next
    // one of the new class.
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    InstallAsApplicationHandler();
    Application->HintShortPause = 100;
}

TspSkinHint::~TspSkinHint()
{
    Destroying();
    FTimer.reset();
    FRetiredTimer.reset();
    // The application must not call into a freed component.
    if (FIsAppHandler) Application->OnShowHint = nullptr;
    FHintWindow.reset();
}

void TspSkinHint::InstallAsApplicationHandler()
{
    Application->OnShowHint = [this](std::string& S, bool& CanShow, THintInfo& Info) {
        SelfOnShowHint(S, CanShow, Info);
    };
    // Another component that was the handler is not any more.
    TCustomForm* main = Application->GetMainForm();
    if (main)
        for (int i = 0; i < main->GetComponentCount(); ++i)
            if (auto* h = dynamic_cast<TspSkinHint*>(main->GetComponent(i))) h->FIsAppHandler = false;
    if (GetOwner())
        for (int i = 0; i < GetOwner()->GetComponentCount(); ++i)
            if (auto* h = dynamic_cast<TspSkinHint*>(GetOwner()->GetComponent(i))) h->FIsAppHandler = false;
    FIsAppHandler = true;
}

void TspSkinHint::SelfOnShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TspSkinHint::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    if (!Value) return;
    TCustomForm* main = Application->GetMainForm();
    if (main)
        for (int i = 0; i < main->GetComponentCount(); ++i) {
            auto* h = dynamic_cast<TspSkinHint*>(main->GetComponent(i));
            if (h && h != this) h->FActive = false;
        }
    if (!IsDesigning()) InstallAsApplicationHandler();
}

void TspSkinHint::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
}

void TspSkinHint::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TspSkinHint::SetAlphaBlendSupport(bool Value) { FAlphaBlendSupport = Value && Sputils::CheckW2KWXP(); }

void TspSkinHint::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    FSD.Removed(AComponent, Operation);
}

void TspSkinHint::ActivateHint(const TPoint& P, const std::string& AHint)
{
    FHintWindow->ActivateHint(Bounds(P.x, P.y, 0, 0), AHint);
}

void TspSkinHint::ActivateHint2(const std::string& AHint)
{
    FTimer.reset();
    FRetiredTimer.reset();
    FHintText = AHint;
    FTimerHides = false;
    FTimer.reset(new TTimer(nullptr));
    FTimer->SetInterval(static_cast<UINT>(std::max(1, Application->HintPause)));
    FTimer->OnTimer = [this](TObject*) { DelayTimerTick(); };
}

void TspSkinHint::DelayTimerTick()
{
    if (!FTimer) return;
    if (FTimerHides) {
        // Freed after this handler returns: the timer is still running it.
        HideHint();
        return;
    }
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    ActivateHint(TPoint(pt.x, pt.y + GetCursorHeightMargin()), FHintText);
    FTimerHides = true;
    FTimer->SetInterval(static_cast<UINT>(std::max(1, Application->HintHidePause)));
}

void TspSkinHint::HideHint()
{
    if (FTimer) {
        // The hide tick of the timer itself may be running this: the timer is
        // stopped now and freed at the next delayed hint or with the component.
        FTimer->SetEnabled(false);
        FRetiredTimer = std::move(FTimer);
    }
    if (IsVisible()) FHintWindow->ReleaseHandle();
}

bool TspSkinHint::IsVisible() const { return FHintWindow && FHintWindow->GetActive(); }

int TspSkinHint::GetCursorHeightMargin() const { return ::GetCursorHeightMargin(); }
