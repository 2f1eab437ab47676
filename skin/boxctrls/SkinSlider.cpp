#include "SkinSlider.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinParentImage.h"
#include "SkinRangeMath.h"
#include "SkinTakeFocus.h"
#include <cmath>

using SkinRange::RoundEven;

namespace {

const UINT_PTR TrackTimerId = 1;
const UINT TrackInterval = 400;
// Pixels of key colour (the bottom-left pixel) are left out of transparent pictures.
const TColor KeyColour = 0xFF00FF;

// A piece of Source copied into a bitmap of its own, drawn at X, Y.
void DrawPiece(TCanvas* C, int X, int Y, TBitmap* Source, const TRect& S, bool Transparent)
{
    if (!Source || S.IsEmpty()) return;
    const TRect s = ClipToPicture(S, Source);
    if (s.IsEmpty()) return;
    TBitmap piece(s.Width(), s.Height(), pf24bit);
    Sputils::CopyPiece(piece.GetCanvas(), TRect(0, 0, s.Width(), s.Height()), Source, s);
    piece.SetTransparent(Transparent);
    C->Draw(X, Y, &piece);
}

// Floor division for any signs.
long long FloorDiv(long long A, long long B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0)) ? 1 : 0); }

}  // namespace

TspSkinCustomSlider::TspSkinCustomSlider(TComponent* AOwner)
    : TspSkinControl(AOwner), FRuler(std::make_unique<TBitmap>())
{
    FSkinDataName = "slider";
    SetTabStop(true);
    for (int i = 0; i < 4; ++i) CreateDefaultImage(static_cast<TspSliderImage>(i));
    SetBounds(GetLeft(), GetTop(), 150, 40);
    FConstructing = false;
    AdjustElements();
}

TspSkinCustomSlider::~TspSkinCustomSlider()
{
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    if (HandleAllocated() && FTimerRunning) KillTimer(GetWindowHandle(), TrackTimerId);
}

// The built-in pictures: a thumb of two states side by side (plain and pressed)
// and a sunken ruler piece, on the key colour.
void TspSkinCustomSlider::CreateDefaultImage(TspSliderImage Index)
{
    static const int sizes[4][2] = {{18, 17}, {10, 8}, {38, 9}, {8, 10}};
    auto b = std::make_unique<TBitmap>(sizes[Index][0], sizes[Index][1], pf24bit);
    TCanvas* c = b->GetCanvas();
    const int w = b->GetWidth(), h = b->GetHeight();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(KeyColour);
    c->FillRect(TRect(0, 0, w, h));
    if (Index == siHThumb || Index == siVThumb) {
        for (int s = 0; s < 2; ++s) {
            const TRect r = Index == siHThumb ? TRect(s * 9, 0, s * 9 + 9, h - 1) : TRect(s * 19, 0, s * 19 + 19, h - 1);
            c->GetBrush()->SetColor(s ? clBtnShadow : clBtnFace);
            c->FillRect(r);
            Sputils::Frm3D(c, r, clBtnHighlight, cl3DDkShadow);
        }
    } else {
        const TRect r = Index == siHRuler ? TRect(0, 2, w, h - 2) : TRect(2, 0, w - 2, h);
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(r);
        if (Index == siHRuler) {
            c->GetBrush()->SetColor(clBtnShadow);
            c->FillRect(TRect(0, 2, w, 3));
        } else {
            c->GetBrush()->SetColor(clBtnShadow);
            c->FillRect(TRect(2, 0, 3, h));
        }
    }
    b->SetTransparent(true);
    FImages[Index] = std::move(b);
}

void TspSkinCustomSlider::SetImage(TspSliderImage Index, TBitmap* Bitmap)
{
    if (Index < siHThumb || Index > siVRuler) return;
    if (Bitmap && !Bitmap->Empty()) {
        auto b = std::make_unique<TBitmap>();
        b->Assign(Bitmap);
        b->SetTransparent(true);
        FImages[Index] = std::move(b);
        FUserImages |= 1u << Index;
    } else {
        CreateDefaultImage(Index);
        FUserImages &= ~(1u << Index);
        if (!IsLoading()) FOptions &= ~((Index == siHThumb || Index == siVThumb) ? soThumbOpaque : soRulerOpaque);
    }
    // A picture shorter than twice the fixed ends leaves no middle to repeat.
    const TBitmap* r = FImages[Horizontal() ? siHRuler : siVRuler].get();
    const int len = Horizontal() ? r->GetWidth() : r->GetHeight();
    if (2 * FEdgeSize >= len) FEdgeSize = len > 1 ? (len - 1) / 2 : 0;
    if (!FConstructing) Sized();
}

bool TspSkinCustomSlider::SkinThumb() const { return Skinned() && FUseSkinThumb && FSkinPicture; }

void TspSkinCustomSlider::GetSkinData()
{
    TspSkinControl::GetSkinData();
    const auto* r = dynamic_cast<const TspDataSkinSlider*>(CurrentRecord());
    if (!r) {
        FIndex = -1;
        FSkinPicture = nullptr;
        return;
    }
    FSkinPicture = SkinPicture(FSD, r->PictureIndex);
    FHRulerRect = ClipToPicture(r->HRulerRect, FSkinPicture);
    FHThumbRect = ClipToPicture(r->HThumbRect, FSkinPicture);
    FVRulerRect = ClipToPicture(r->VRulerRect, FSkinPicture);
    FVThumbRect = ClipToPicture(r->VThumbRect, FSkinPicture);
    FSkinEdgeSize = r->EdgeSize < 0 ? 0 : r->EdgeSize;
    FBGColor = r->BGColor;
    FPointsColor = r->PointsColor;
}

int TspSkinCustomSlider::ThumbHeight() const
{
    if (SkinThumb()) return Horizontal() ? FHThumbRect.Height() : FVThumbRect.Height();
    return FImages[Horizontal() ? siHThumb : siVThumb]->GetHeight();
}

int TspSkinCustomSlider::RulerLength() const
{
    if (SkinThumb())
        return Horizontal() ? FRuler->GetWidth() - FHThumbRect.Width() / 2 : FRuler->GetHeight() - FVThumbRect.Height();
    if (Horizontal()) return FRuler->GetWidth() - FImages[siHThumb]->GetWidth() / FNumThumbStates;
    return FRuler->GetHeight() - FImages[siVThumb]->GetHeight();
}

TRect TspSkinCustomSlider::RulerRect() const
{
    return TRect(FRulerPos.x, FRulerPos.y, FRulerPos.x + FRuler->GetWidth(), FRulerPos.y + FRuler->GetHeight());
}

// ---- value and position

int TspSkinCustomSlider::GetOffsetByValue(int V) const
{
    const TRect R = GetSliderRect();
    const int base = (Horizontal() ? R.left : R.top) + 6;
    const int len = RulerLength();
    // A range of one value (only while a form is read) or no ruler: the start.
    int off = (len > 0 ? SkinRange::OffsetOf(V, FMinValue, FMaxValue, len) : 0) + base;
    if (!Horizontal()) off = R.top + R.bottom - off - ThumbHeight();
    return off > base ? off : base;
}

int TspSkinCustomSlider::GetValueByOffset(int Off) const
{
    const TRect R = GetSliderRect();
    if (!Horizontal()) Off = GetHeight() - Off - ThumbHeight();
    const int len = RulerLength();
    long long v = 0;
    if (len > 0)
        v = RoundEven(static_cast<double>(Off - R.left - 6) * (static_cast<double>(FMaxValue) - FMinValue) / len);
    if (!(FOptions & soSmooth) && FIncrement > 0) v = static_cast<long long>(RoundEven(static_cast<double>(v) / FIncrement)) * FIncrement;
    if (v < 0) v = 0;
    v += FMinValue;
    return v > FMaxValue ? FMaxValue : static_cast<int>(v);
}

void TspSkinCustomSlider::GetThumbPosition(int& Off, TPoint& P) const
{
    const TRect R = GetSliderRect();
    const int base = (Horizontal() ? R.left : R.top) + 6;
    int len = RulerLength();
    if (len < 0) len = 0;
    if (Off < base) Off = base;
    if (Off > base + len) Off = base + len;
    Off = GetOffsetByValue(GetValueByOffset(Off));
    if (Off > base + len) Off = base + len;
    P = Horizontal() ? TPoint(Off, FThumbRect.top) : TPoint(FThumbRect.left, Off);
}

void TspSkinCustomSlider::SetThumbOffset(int Off)
{
    TPoint p;
    GetThumbPosition(Off, p);
    FThumbRect = TRect(p.x, p.y, p.x + FThumbRect.Width(), p.y + FThumbRect.Height());
    Invalidate();
    if (!FThumbDown) return;
    const int v = GetValueByOffset(Off);
    if (v == FValue) return;
    FValue = v;
    Change();
}

void TspSkinCustomSlider::SetValue(int V)
{
    V = SkinRange::ClampValue(V, FMinValue, FMaxValue);
    const int old = FValue;
    FValue = V;
    SetThumbOffset(GetOffsetByValue(V));
    if (FValue != old) Change();
}

bool TspSkinCustomSlider::SetRange(int Min, int Max)
{
    if (!IsLoading() && Min >= Max) return false;
    FMinValue = Min;
    FMaxValue = Max;
    if (!IsLoading() && static_cast<long long>(Max) < static_cast<long long>(Min) + FIncrement) FIncrement = Max - Min;
    if (FOptions & soShowPoints) Invalidate();
    SetValue(FValue);
    RangeChanged();
    return true;
}

void TspSkinCustomSlider::SetMinValue(int V)
{
    if (V != FMinValue) SetRange(V, FMaxValue);
}

void TspSkinCustomSlider::SetMaxValue(int V)
{
    if (V != FMaxValue) SetRange(FMinValue, V);
}

void TspSkinCustomSlider::SetIncrement(int N)
{
    if (N <= 0 || N == FIncrement) return;
    FIncrement = N;
    SetValue(FValue);
    Invalidate();
}

void TspSkinCustomSlider::SetOrientation(TspSliderOrientation O)
{
    if (O == FOrientation) return;
    FOrientation = O;
    Sized();
    if (!IsLoading()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
}

void TspSkinCustomSlider::SetEdgeSize(int N)
{
    const TBitmap* r = FImages[Horizontal() ? siHRuler : siVRuler].get();
    const int len = Horizontal() ? r->GetWidth() : r->GetHeight();
    if (N < 0 || 2 * N >= len || N == FEdgeSize) return;
    FEdgeSize = N;
    Sized();
}

void TspSkinCustomSlider::SetNumThumbStates(int N)
{
    if (N < 1 || N > 2 || N == FNumThumbStates) return;
    FNumThumbStates = N;
    AdjustElements();
}

void TspSkinCustomSlider::SetOptions(TspSliderOptions O)
{
    if (O == FOptions) return;
    FOptions = O;
    Invalidate();
}

void TspSkinCustomSlider::SetTransparent(bool T)
{
    FTransparent = T;
    Invalidate();
}

void TspSkinCustomSlider::SetUseSkinThumb(bool V)
{
    FUseSkinThumb = V;
    AdjustElements();
}

void TspSkinCustomSlider::SetReadOnly(bool Flag)
{
    FReadOnly = Flag;
    if (!Flag) return;
    if (FRulerTracking) StopTracking();
    if (FThumbDown) {
        FThumbDown = FThumbPressed = false;
        Invalidate();
        Changed();
    }
}

void TspSkinCustomSlider::ThumbJump(TspJumpMode Mode)
{
    long long target;
    const long long inc = FIncrement > 0 ? FIncrement : 1;
    switch (Mode) {
    case jmHome: target = FMinValue; break;
    case jmEnd: target = FMaxValue; break;
    // The next multiple of the increment in the step's direction: a value
    // between two multiples never skips the nearer one.
    case jmNext: target = (FloorDiv(FValue, inc) + 1) * inc; break;
    case jmPrior: target = -(FloorDiv(-static_cast<long long>(FValue), inc) + 1) * inc; break;
    default: return;
    }
    if (target < FMinValue) target = FMinValue;
    if (target > FMaxValue) target = FMaxValue;
    if (target != FValue) SetValue(static_cast<int>(target));
}

TspJumpMode TspSkinCustomSlider::JumpTo(int X, int Y) const
{
    if (Horizontal()) {
        if (X < FThumbRect.left) return jmPrior;
        if (X >= FThumbRect.right) return jmNext;
        return jmNone;
    }
    if (Y < FThumbRect.top) return jmNext;
    if (Y >= FThumbRect.bottom) return jmPrior;
    return jmNone;
}

// ---- layout

void TspSkinCustomSlider::BuildRuler()
{
    const TRect R = GetSliderRect();
    int len = (Horizontal() ? R.Width() : R.Height()) - 12;
    if (len < 0) len = 0;
    len = ClampSide(len);
    if (SkinThumb()) {
        const TRect src = Horizontal() ? FHRulerRect : FVRulerRect;
        const int srcLen = Horizontal() ? src.Width() : src.Height();
        int e = FSkinEdgeSize;
        if (2 * e >= srcLen) e = srcLen > 1 ? (srcLen - 1) / 2 : 0;
        if (src.IsEmpty() || len == 0) {
            FRuler = std::make_unique<TBitmap>();
            return;
        }
        FRuler = std::make_unique<TBitmap>();
        if (Horizontal()) Sputils::CreateHSkinImage(e, e, FRuler.get(), FSkinPicture, src, len, src.Height());
        else Sputils::CreateVSkinImage(e, e, FRuler.get(), FSkinPicture, src, src.Width(), len);
        FRuler->SetTransparent(true);
        return;
    }
    TBitmap* pic = FImages[Horizontal() ? siHRuler : siVRuler].get();
    const int pl = Horizontal() ? pic->GetWidth() : pic->GetHeight();
    const int thick = Horizontal() ? pic->GetHeight() : pic->GetWidth();
    FRuler = std::make_unique<TBitmap>(Horizontal() ? len : thick, Horizontal() ? thick : len, pf24bit);
    FRuler->SetTransparent(!(FOptions & soRulerOpaque));
    if (len == 0 || pl <= 0) return;
    TCanvas* c = FRuler->GetCanvas();
    auto piece = [&](int At, int From, int Len) {
        if (Len <= 0) return;
        if (Horizontal()) Sputils::CopyPiece(c, TRect(At, 0, At + Len, thick), pic, TRect(From, 0, From + Len, thick));
        else Sputils::CopyPiece(c, TRect(0, At, thick, At + Len), pic, TRect(0, From, thick, From + Len));
    };
    const int e = FEdgeSize, m = pl - 2 * e;
    if (m <= 0) {
        // No middle to repeat: the picture is stretched along the ruler.
        if (Horizontal()) Sputils::CopyPiece(c, TRect(0, 0, len, thick), pic, TRect(0, 0, pl, thick));
        else Sputils::CopyPiece(c, TRect(0, 0, thick, len), pic, TRect(0, 0, thick, pl));
        return;
    }
    if (len <= e + m) {
        piece(0, 0, len);
        return;
    }
    piece(0, 0, e + m);
    int pos = e + m, rest = len - pos;
    while (rest > m + e) {
        piece(pos, e, m);
        pos += m;
        rest -= m;
    }
    piece(pos, pl - rest, rest);   // the far edge ends the ruler
}

void TspSkinCustomSlider::AdjustElements()
{
    if (FConstructing) return;
    GetSkinData();
    const int value = FValue;
    BuildRuler();
    const TRect R = GetSliderRect();
    int tw, th, fullW;
    if (SkinThumb()) {
        const TRect& t = Horizontal() ? FHThumbRect : FVThumbRect;
        tw = t.Width() / 2;
        th = t.Height();
        fullW = FVThumbRect.Width() / 2;
    } else {
        TBitmap* t = FImages[Horizontal() ? siHThumb : siVThumb].get();
        tw = t->GetWidth() / FNumThumbStates;
        th = t->GetHeight();
        fullW = FImages[siVThumb]->GetWidth() / FNumThumbStates;
    }
    const int rw = FRuler->GetWidth(), rh = FRuler->GetHeight();
    TPoint thumb;
    if (Horizontal()) {
        if (rh < th) {
            thumb = TPoint(R.left + 6, R.top + 6);
            FRulerPos = TPoint(R.left + 6, R.top + (th - rh) / 2 + 6);
            FPointsRect = TRect(FRulerPos.x, R.top + th + 7, FRulerPos.x + rw, R.bottom - R.top - 1);
        } else {
            thumb = TPoint(R.left + 6, R.top + (rh - th) / 2 + 6);
            FRulerPos = TPoint(R.left + 6, R.top + 6);
            FPointsRect = TRect(FRulerPos.x, R.top + rh + 7, FRulerPos.x + rw, R.bottom - R.top - 1);
        }
    } else {
        if (rw < fullW) {
            thumb = TPoint(R.left + 6, R.top + 6);
            FRulerPos = TPoint(R.left + (tw - rw) / 2 + 6, R.top + 6);
            FPointsRect = TRect(R.left + tw + 7, FRulerPos.y, R.right - R.left - 1, FRulerPos.y + rh);
        } else {
            thumb = TPoint(R.left + (rw - tw) / 2 + 6, R.top + 6);
            FRulerPos = TPoint(R.left + 6, R.top + 6);
            FPointsRect = TRect(R.left + rw + 7, FRulerPos.y, R.right - R.left - 1, FRulerPos.y + rh);
        }
    }
    FThumbRect = TRect(thumb.x, thumb.y, thumb.x + tw, thumb.y + th);
    SetValue(value);
    Invalidate();
}

// ---- painting

std::vector<int> TspSkinCustomSlider::PointValues() const
{
    std::vector<int> out;
    const int len = RulerLength();
    const long long span = static_cast<long long>(FMaxValue) - FMinValue;
    const long long step = FIncrement > 0 ? FIncrement : 1;
    if (span <= 0) {
        out.push_back(FMinValue);
        return out;
    }
    long long e = step, n = 2;
    for (long long k = 1;; ++k) {
        e = step * k;
        n = static_cast<long long>(std::nearbyint(static_cast<double>(span) / e)) + 1;
        const double spacing = n > 1 ? static_cast<double>(len) / (n - 1) : len;
        if (spacing >= 4 || spacing >= len || e >= span) break;
    }
    if (n < 1) n = 1;
    for (long long i = 0; i < n - 1; ++i) {
        const long long v = FMinValue + i * e;
        if (v >= FMaxValue) break;
        out.push_back(static_cast<int>(v));
    }
    out.push_back(FMaxValue);
    return out;
}

void TspSkinCustomSlider::DefaultDrawPoints(TCanvas* C, int, int Length, int ExtremeLength)
{
    C->GetPen()->SetColor(SkinThumb() || Skinned() ? FPointsColor : clWindowText);
    const int tw = FThumbRect.Width(), th = FThumbRect.Height();
    for (int v : PointValues()) {
        const int l = (v == FMinValue || v == FMaxValue) ? ExtremeLength : Length;
        const int o = GetOffsetByValue(v);
        if (Horizontal()) {
            const int x = o + tw / 2;
            C->MoveTo(x, FPointsRect.top);
            C->LineTo(x, FPointsRect.top + l);
        } else {
            const int y = o + th / 2;
            C->MoveTo(FPointsRect.left, y);
            C->LineTo(FPointsRect.left + l, y);
        }
    }
}

void TspSkinCustomSlider::Paint()
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    if (FTransparent) {
        Sputils::GetParentImage(this, c);
    } else {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(Skinned() ? FBGColor : GetColor());
        c->FillRect(TRect(0, 0, w, h));
    }
    if (!FRuler->Empty()) {
        FRuler->SetTransparent(SkinThumb() || !(FOptions & soRulerOpaque));
        c->Draw(FRulerPos.x, FRulerPos.y, FRuler.get());
    }
    if ((FOptions & soShowFocus) && FFocused && !IsDesigning()) {
        c->GetBrush()->SetStyle(bsSolid);
        c->DrawFocusRect(TRect(2, 2, w - 2, h - 2));
    }
    if (FOptions & soShowPoints) {
        if (OnDrawPoints) OnDrawPoints(this);
        else DefaultDrawPoints(c, FIncrement, 3, 5);
    }
    const int state = (FThumbPressed || !GetEnabled()) ? 1 : 0;
    if (SkinThumb()) {
        const TRect& t = Horizontal() ? FHThumbRect : FVThumbRect;
        const int half = t.Width() / 2;
        DrawPiece(c, FThumbRect.left, FThumbRect.top, FSkinPicture,
                  TRect(t.left + state * half, t.top, t.left + state * half + half, t.bottom), true);
    } else {
        TBitmap* pic = FImages[Horizontal() ? siHThumb : siVThumb].get();
        const int sw = pic->GetWidth() / FNumThumbStates;
        const int s = FNumThumbStates == 2 ? state : 0;
        DrawPiece(c, FThumbRect.left, FThumbRect.top, pic, TRect(s * sw, 0, s * sw + sw, pic->GetHeight()),
                  !(FOptions & soThumbOpaque));
    }
    GetCanvas()->Draw(0, 0, &b);
}

// ---- events

void TspSkinCustomSlider::Change()
{
    if (OnChange) OnChange(this);
}

void TspSkinCustomSlider::Changed()
{
    if (OnChanged) OnChanged(this);
}

// ---- mouse and keys

void TspSkinCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || !UserCanChange()) return;
    FThumbDown = FThumbPressed = true;
    FHit = Horizontal() ? X - FThumbRect.left : Y - FThumbRect.top;
    Invalidate();
    Update();
}

void TspSkinCustomSlider::ThumbMouseMove(TShiftState, int X, int Y)
{
    if (!UserCanChange()) return;
    SetThumbOffset((Horizontal() ? X : Y) - FHit);
}

void TspSkinCustomSlider::ThumbMouseUp(TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    FThumbDown = FThumbPressed = false;
    Invalidate();
    Update();
    if (UserCanChange()) Changed();
}

void TspSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || (Shift & ssDouble)) return;
    // Focusing may be refused (a hidden form): the press goes on without it.
    if (HandleAllocated() && !Focused()) Skinbars::TryTakeFocus(this);
    const TPoint p(X, Y);
    if (FThumbRect.Contains(p)) {
        ThumbMouseDown(Button, Shift, X, Y);
        return;
    }
    TRect r = RulerRect();
    if (Horizontal()) {
        r.top -= 3;
        r.bottom += 3;
    } else {
        r.left -= 3;
        r.right += 3;
    }
    if (!r.Contains(p) || !UserCanChange()) return;
    SetMouseCapture(true);
    FRulerTracking = true;
    FMousePos = p;
    FTrackDir = JumpTo(X, Y);
    TimerTrack();
}

void TspSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinControl::MouseMove(Shift, X, Y);
    if (!*alive) return;
    if ((Shift & ssLeft) && FThumbDown) ThumbMouseMove(Shift, X, Y);
    else if (FRulerTracking) FMousePos = TPoint(X, Y);
}

void TspSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinControl::MouseUp(Button, Shift, X, Y);
    if (!*alive) return;
    if (FRulerTracking) {
        StopTracking();
        if (!*alive) return;
    }
    if (FThumbDown) ThumbMouseUp(Button, Shift, X, Y);
}

void TspSkinCustomSlider::TimerTrack()
{
    const TspJumpMode mode = JumpTo(FMousePos.x, FMousePos.y);
    if (mode != FTrackDir || mode == jmNone) return;
    ThumbJump(mode);
    if (!FTimerRunning && HandleAllocated()) {
        SetTimer(GetWindowHandle(), TrackTimerId, TrackInterval, nullptr);
        FTimerRunning = true;
    }
}

void TspSkinCustomSlider::StopTracking()
{
    if (FTimerRunning && HandleAllocated()) KillTimer(GetWindowHandle(), TrackTimerId);
    FTimerRunning = false;
    FRulerTracking = false;
    SetMouseCapture(false);
    Changed();
}

void TspSkinCustomSlider::KeyDown(WORD& Key, TShiftState Shift)
{
    TspJumpMode mode = jmNone;
    if ((Shift & (ssShift | ssAlt | ssCtrl)) == 0) {
        if (Key == VK_HOME) mode = jmHome;
        else if (Key == VK_END) mode = jmEnd;
        else if (Horizontal() && Key == VK_LEFT) mode = jmPrior;
        else if (Horizontal() && Key == VK_RIGHT) mode = jmNext;
        else if (!Horizontal() && Key == VK_UP) mode = jmNext;
        else if (!Horizontal() && Key == VK_DOWN) mode = jmPrior;
    }
    if (mode != jmNone && UserCanChange()) {
        auto alive = FAlive.Watch();
        Key = 0;
        ThumbJump(mode);
        if (!*alive) return;
        Changed();
        if (!*alive) return;
    }
    TspSkinControl::KeyDown(Key, Shift);
}

// ---- messages

void TspSkinCustomSlider::WMSetFocus(TMessage& Message)
{
    TspSkinControl::WMSetFocus(Message);
    const bool was = FFocused;
    FFocused = true;
    if (was != FFocused && (FOptions & soShowFocus)) Invalidate();
}

void TspSkinCustomSlider::WMKillFocus(TMessage& Message)
{
    TspSkinControl::WMKillFocus(Message);
    const bool was = FFocused;
    FFocused = false;
    if (was != FFocused && (FOptions & soShowFocus)) Invalidate();
}

void TspSkinCustomSlider::WMSize(TMessage& Message)
{
    TspSkinControl::WMSize(Message);
    if (!IsLoading()) Sized();
}

void TspSkinCustomSlider::WMMove(TMessage& Message)
{
    TspSkinControl::WMMove(Message);
    if (FTransparent) Invalidate();   // the parent's image behind it moved
}

void TspSkinCustomSlider::Loaded()
{
    TspSkinControl::Loaded();
    // Pictures and sizes read from a form were kept without layout until now.
    AdjustElements();
}

void TspSkinCustomSlider::CMEnabledChanged(TMessage& Message)
{
    TspSkinControl::CMEnabledChanged(Message);
    Invalidate();
}

void TspSkinCustomSlider::DestroyWnd()
{
    if (FTimerRunning && HandleAllocated()) KillTimer(GetWindowHandle(), TrackTimerId);
    FTimerRunning = false;
    FRulerTracking = false;
    TspSkinControl::DestroyWnd();
}

void TspSkinCustomSlider::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case CM_WANTSPECIALKEY:
        if (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT || Message.WParam == VK_UP ||
            Message.WParam == VK_DOWN || Message.WParam == VK_HOME || Message.WParam == VK_END) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_TIMER:
        if (Message.WParam == TrackTimerId) {
            if (FRulerTracking) TimerTrack();
            return;
        }
        break;
    default: break;
    }
    TspSkinControl::WndProc(Message);
}
