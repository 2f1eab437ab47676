#include "SkinScrollBar.h"
#include "EffectBmp.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinTakeFocus.h"
#include <cmath>

namespace {

const UINT_PTR RepeatTimerId = 1;
const int DefaultButtonSize = 17;
const int DefaultThumbSize = 16;

// Rounds to the nearest integer, halves to even (the bar's geometry rule).
int RoundEven(double V)
{
    if (!(V == V)) return 0;
    if (V > 2e9) return 2000000000;
    if (V < -2e9) return -2000000000;
    return static_cast<int>(std::nearbyint(V));
}

double Clamp01(double V) { return V < 0 ? 0 : (V > 1 ? 1 : V); }

// 64-bit differences: ranges from a caller may span the whole int range.
long long Span(int A, int B) { return static_cast<long long>(A) - B; }

}  // namespace

TspSkinScrollBar::TspSkinScrollBar(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "hscrollbar";
    FDefaultHeight = 19;
    SetBounds(GetLeft(), GetTop(), 200, 19);
}

TspSkinScrollBar::~TspSkinScrollBar()
{
    if (HandleAllocated() && FTimerInterval) KillTimer(GetWindowHandle(), RepeatTimerId);
}

bool TspSkinScrollBar::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinScrollBarControl*>(Rec) != nullptr;
}

void TspSkinScrollBar::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (Skinned()) {
        const auto* r = static_cast<const TspDataSkinScrollBarControl*>(CurrentRecord());
        FTrackArea = r->TrackArea;
        FLooks = r->Looks;
        FGlyphLooks = r->GlyphLooks;
        // The element image shows the idle buttons, so only their pressed look
        // falls back (to the hot one); the thumb and its glyph fall back all the way.
        InheritEmptyLooks(FLooks[sbpUpButton], lsDown);
        InheritEmptyLooks(FLooks[sbpDownButton], lsDown);
        InheritEmptyLooks(FLooks[sbpThumb], lsHot);
        InheritEmptyLooks(FGlyphLooks, lsHot);
        FThumbOffset1 = r->ThumbOffset1;
        FThumbOffset2 = r->ThumbOffset2;
    }
}

void TspSkinScrollBar::CalcSize(int& W, int& H)
{
    TspSkinCustomControl::CalcSize(W, H);
    CalcRects();
}

int TspSkinScrollBar::ClampPosition(int Value) const
{
    if (Value < FMin) return FMin;
    const long long last = FPageSize > 0 ? static_cast<long long>(FMax) - FPageSize + 1 : FMax;
    long long v = Value;
    if (v > last) v = last;
    // A page larger than the range leaves the position at the start.
    if (v < FMin) v = FMin;
    return static_cast<int>(v);
}

void TspSkinScrollBar::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    const bool horz = FKind == sbHorizontal;
    int t;   // thumb length along the bar
    double k = 0;
    const long long range = Span(FMax, FMin) + 1;
    const long long travelRange = Span(FMax, FMin) - FPageSize + 1;
    if (Skinned()) {
        const TRect& sr = FElement.SkinRect;
        const int d = horz ? w - sr.Width() : h - sr.Height();
        FTrack = FTrackArea;
        if (horz) FTrack.right += d;
        else FTrack.bottom += d;
        for (const TspScrollBarPart part : {sbpUpButton, sbpDownButton}) {
            TRect& r = FButtons[part].R;
            r = FLooks[part][lsNormal];
            if (horz && r.left > FElement.RTPoint.x) r.Offset(d, 0);
            if (!horz && r.top > FElement.LBPoint.y) r.Offset(0, d);
        }
        const TRect& thumbLook = FLooks[sbpThumb][lsNormal];
        const int skinLen = horz ? thumbLook.Width() : thumbLook.Height();
        t = skinLen;
        if (FPageSize > 0) {
            const int trackLen = horz ? FTrack.Width() : FTrack.Height();
            const int byPage = range > 0 ? RoundEven(static_cast<double>(trackLen) * FPageSize / range) : 0;
            if (byPage > t) t = byPage;
            k = travelRange > 0 ? static_cast<double>(Span(FPosition, FMin)) / travelRange : 0;
        } else if (FMax != FMin) {
            k = static_cast<double>(Span(FPosition, FMin)) / Span(FMax, FMin);
        }
    } else {
        if (horz) {
            int L = w;
            if (FBoth) L -= FBothMarkerWidth;
            FButtons[sbpDownButton].R = TRect(1, 1, DefaultButtonSize, h - 1);
            FButtons[sbpUpButton].R = TRect(L - DefaultButtonSize, 1, L - 1, h - 1);
            FTrack = TRect(DefaultButtonSize, 1, L - DefaultButtonSize, h - 1);
        } else {
            FButtons[sbpDownButton].R = TRect(1, 1, w - 1, DefaultButtonSize);
            FButtons[sbpUpButton].R = TRect(1, h - DefaultButtonSize, w - 1, h - 1);
            FTrack = TRect(1, DefaultButtonSize, w - 1, h - DefaultButtonSize);
        }
        t = DefaultThumbSize;
        if (FPageSize > 0) {
            const int trackLen = horz ? FTrack.Width() : FTrack.Height();
            const int byPage = range > 0 ? RoundEven(static_cast<double>(trackLen) * FPageSize / range) : 0;
            if (byPage > t) t = byPage;
            k = travelRange > 0 ? static_cast<double>(Span(FPosition, FMin)) / travelRange : 1;
        } else if (FMax != FMin) {
            k = static_cast<double>(Span(FPosition, FMin)) / Span(FMax, FMin);
        }
    }
    // A position left outside the range (SetMin/SetMax keep it) still draws the
    // thumb inside the track.
    k = Clamp01(k);
    const int trackStart = horz ? FTrack.left : FTrack.top;
    const int trackEnd = horz ? FTrack.right : FTrack.bottom;
    // A page wider than the track would push the thumb past both buttons.
    if (trackEnd - trackStart >= 0 && t > trackEnd - trackStart) t = trackEnd - trackStart;
    if (t < 0) t = 0;
    FFirst = trackStart + t / 2;
    FLast = trackEnd - t / 2;
    FThumbOffset = RoundEven(static_cast<double>(FLast - FFirst) * k);
    const int a = FFirst + FThumbOffset - t / 2, b = FFirst + FThumbOffset + t / 2;
    TRect& thumb = FButtons[sbpThumb].R;
    if (Skinned()) {
        const TRect& thumbLook = FLooks[sbpThumb][lsNormal];
        const int breadth = horz ? thumbLook.Height() : thumbLook.Width();
        if (horz) {
            const int top = FTrack.top + FTrack.Height() / 2 - breadth / 2;
            thumb = TRect(a, top, b, top + breadth);
        } else {
            const int left = FTrack.left + FTrack.Width() / 2 - breadth / 2;
            thumb = TRect(left, a, left + breadth, b);
        }
    } else {
        thumb = horz ? TRect(a, FTrack.top, b, FTrack.bottom) : TRect(FTrack.left, a, FTrack.right, b);
    }
}

void TspSkinScrollBar::DrawButton(TCanvas* C, TspScrollBarPart Part)
{
    // The arrow of each part, by kind: the up button points towards Max.
    static const TspArrowDirection Arrows[2][ScrollBarPartCount] = {
        {adNone, adRight, adLeft},   // sbHorizontal
        {adNone, adDown, adUp},      // sbVertical
    };
    const TButtonState& b = FButtons[Part];
    // The thumb shows pressed while the focus is on the bar; a button only while
    // the pointer stays on it.
    const bool down = Part == sbpThumb ? (b.Pressed || IsFocused()) : (b.Pressed && b.Hot);
    const TspLookState state = LookState(down, b.Hot);
    if (!Skinned()) {
        if (b.R.IsEmpty()) return;
        C->GetBrush()->SetStyle(bsSolid);
        Sputils::DrawPlainFace(C, b.R, state);
        Sputils::DrawArrowImage(C, b.R, clBlack, Arrows[FKind == sbHorizontal ? 0 : 1][Part]);
        return;
    }
    TBitmap* pic = FElement.Picture;
    if (!pic) return;
    if (Part != sbpThumb) {
        if (state == lsNormal) return;   // the element image shows the idle button
        Sputils::CopyPiece(C, b.R, pic, FLooks[Part][state]);
        return;
    }
    const TRect src = FLooks[sbpThumb][state];
    const TRect glyph = FGlyphLooks[state];
    const int tw = b.R.Width(), th = b.R.Height();
    if (tw <= 0 || th <= 0 || src.IsEmpty()) return;
    TBitmap thumb;
    thumb.SetSize(tw, th);
    if (FPageSize > 0) {
        const TRect clipped = ClipToPicture(src, pic);
        if (clipped.IsEmpty()) return;
        if (FKind == sbHorizontal)
            Sputils::CreateHSkinImage(FThumbOffset1, FThumbOffset2, &thumb, pic, clipped, tw, th);
        else
            Sputils::CreateVSkinImage(FThumbOffset1, FThumbOffset2, &thumb, pic, clipped, tw, th);
    } else {
        Sputils::CopyPiece(thumb.GetCanvas(), TRect(0, 0, src.Width(), src.Height()), pic, src);
    }
    if (!glyph.IsEmpty()) {
        const int gx = (thumb.GetWidth() - glyph.Width()) / 2, gy = (thumb.GetHeight() - glyph.Height()) / 2;
        Sputils::CopyPiece(thumb.GetCanvas(), TRect(gx, gy, gx + glyph.Width(), gy + glyph.Height()), pic, glyph);
    }
    if (FAlphaBlend && thumb.GetWidth() > 0 && thumb.GetHeight() > 0) {
        TBitmap under;
        under.SetSize(thumb.GetWidth(), thumb.GetHeight());
        under.GetCanvas()->CopyRect(TRect(0, 0, thumb.GetWidth(), thumb.GetHeight()), C,
                                    TRect(b.R.left, b.R.top, b.R.left + thumb.GetWidth(), b.R.top + thumb.GetHeight()));
        TspEffectBmp top(&thumb), back(&under);
        top.Morph(&back, 1.0 - FAlphaBlendValue / 255.0);
        top.Draw(C->GetHandle(), b.R.left, b.R.top);
        return;
    }
    C->Draw(b.R.left, b.R.top, &thumb);
}

void TspSkinScrollBar::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    TCanvas* C = B->GetCanvas();
    DrawButton(C, sbpUpButton);
    DrawButton(C, sbpDownButton);
    if (GetEnabled()) DrawButton(C, sbpThumb);
}

void TspSkinScrollBar::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, B->GetWidth(), B->GetHeight()));
    if (GetEnabled()) DrawButton(C, sbpThumb);
    DrawButton(C, sbpUpButton);
    DrawButton(C, sbpDownButton);
}

// ---- values

void TspSkinScrollBar::SetPosition(int Value)
{
    const int v = ClampPosition(Value);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
    if (OnChange) OnChange(this);
}

void TspSkinScrollBar::SimplySetPosition(int Value)
{
    const int v = ClampPosition(Value);
    if (v == FPosition) return;
    FPosition = v;
    Repaint();
}

void TspSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize < 0 ? 0 : APageSize;
    FPosition = ClampPosition(APosition);
    Repaint();
}

void TspSkinScrollBar::SetMax(int Value)
{
    FMax = Value;
    // Position and the new Max are both absolute values: the last page starts at
    // Max - PageSize + 1 whatever Min is.
    if (FPageSize > 0) {
        const long long last = static_cast<long long>(Value) - FPageSize + 1;
        if (FPosition > last) FPosition = static_cast<int>(last);
        if (FPosition < FMin) FPosition = FMin;
    } else if (Value < FPosition) {
        FPosition = Value;
    }
    Repaint();
}

void TspSkinScrollBar::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
    Repaint();
}

void TspSkinScrollBar::SetPageSize(int Value)
{
    // The page must fit in what lies from Position to Max (Position relative to Min).
    if (Value >= 0 && Span(FMax, FMin) + 1 >= static_cast<long long>(Value) + Span(FPosition, FMin)) FPageSize = Value;
    Repaint();
}

void TspSkinScrollBar::SetSmallChange(int Value)
{
    FSmallChange = Value;
    Repaint();
}

void TspSkinScrollBar::SetLargeChange(int Value)
{
    FLargeChange = Value;
    Repaint();
}

void TspSkinScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (IsDesigning() && !IsLoading()) {
        if (FKind == sbVertical) {
            FSkinDataName = "vscrollbar";
            if (GetWidth() > GetHeight()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
            FDefaultWidth = FDefaultHeight;
            FDefaultHeight = 0;
        } else {
            FSkinDataName = "hscrollbar";
            if (GetHeight() > GetWidth()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
            FDefaultHeight = FDefaultWidth;
            FDefaultWidth = 0;
        }
    }
    Repaint();
}

void TspSkinScrollBar::SetBoth(bool Value)
{
    if (FBoth == Value) return;
    FBoth = Value;
    if (!IsDesigning()) {
        if (FBoth) {
            FOldSkinDataName = FSkinDataName;
            FSkinDataName = FBothSkinDataName;
        } else if (!FOldSkinDataName.empty()) {
            FSkinDataName = FOldSkinDataName;
        }
    }
    if (!Skinned() && !FSD) Repaint();
    else ChangeSkinData();
}

void TspSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0) return;
    FBothMarkerWidth = Value;
    if (!Skinned()) Repaint();
}

void TspSkinScrollBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

bool TspSkinScrollBar::IsFocused() { return FCanFocused && HandleAllocated() && Focused(); }

// ---- mouse

void TspSkinScrollBar::TestActive(int X, int Y)
{
    FOldActive = FActive;
    FActive = -1;
    for (int i = 0; i < ScrollBarPartCount; ++i)
        if (FButtons[i].R.Contains(TPoint(X, Y))) {
            FActive = i;
            break;
        }
    if (FPressed != -1 && FActive != FPressed) FActive = -1;
    if (FActive != FOldActive) {
        auto alive = FAlive.Watch();
        if (FOldActive != -1) ButtonLeave(FOldActive);
        if (*alive && FActive != -1) ButtonEnter(FActive);
    }
}

void TspSkinScrollBar::ButtonEnter(int Index)
{
    FButtons[Index].Hot = true;
    Repaint();
    if (Index != sbpThumb && FButtons[Index].Pressed) StartTimer(50);
}

void TspSkinScrollBar::ButtonLeave(int Index)
{
    FButtons[Index].Hot = false;
    Repaint();
    // The repeat pauses while the mouse is off the held button.
    if (Index != sbpThumb && FButtons[Index].Pressed && HandleAllocated()) {
        KillTimer(GetWindowHandle(), RepeatTimerId);
        FTimerInterval = 0;
    }
}

void TspSkinScrollBar::StepUp()
{
    if (OnUpButtonClick) OnUpButtonClick(this);
    else SetPosition(FPosition + FSmallChange);
}

void TspSkinScrollBar::StepDown()
{
    if (OnDownButtonClick) OnDownButtonClick(this);
    else SetPosition(FPosition - FSmallChange);
}

void TspSkinScrollBar::ButtonDown(int Index, int X, int Y)
{
    auto alive = FAlive.Watch();
    FButtons[Index].Pressed = true;
    Repaint();
    if (Index == sbpUpButton) {
        StepUp();
        if (!*alive) return;
        FRepeat = 2;
        StartTimer(500);
    } else if (Index == sbpDownButton) {
        StepDown();
        if (!*alive) return;
        FRepeat = 1;
        StartTimer(500);
    } else {
        FDragStart = FKind == sbHorizontal ? X : Y;
        FDragOffset = FThumbOffset;
        FDragPosition = FPosition;
        FDragging = true;
        Repaint();
    }
}

void TspSkinScrollBar::ButtonUp(int Index, int X, int Y)
{
    TButtonState& b = FButtons[Index];
    b.Pressed = false;
    if (FActive != Index) b.Hot = false;
    Repaint();
    if (Index == sbpThumb) FDragging = false;
    else StopTimer();
}

int TspSkinScrollBar::CalcValue(int Offset)
{
    if (FPageSize <= 0) {
        const int len = FLast - FFirst;
        const double f = len > 0 ? Clamp01(static_cast<double>(Offset) / len) : 0;
        return RoundEven(static_cast<double>(Span(FMax, FMin)) * f + FMin);
    }
    const TRect& th = FButtons[sbpThumb].R;
    const int t = FKind == sbHorizontal ? th.Width() : th.Height();
    const int first = (FKind == sbHorizontal ? FTrack.left : FTrack.top) + t / 2;
    const int last = (FKind == sbHorizontal ? FTrack.right : FTrack.bottom) - t / 2;
    const int len = last - first;
    const double f = len > 0 ? Clamp01(static_cast<double>(Offset + FDragOffset) / len) : 0;
    return RoundEven(static_cast<double>(Span(FMax, FMin) - FPageSize + 1) * f + FMin);
}

void TspSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft) return;
    FMouseDown = true;
    FLastPoint = TPoint(X, Y);
    CalcRects();
    FRepeat = 0;
    FFirstTick = true;
    const TPoint p(X, Y);
    for (int i = 0; i < ScrollBarPartCount; ++i)
        if (FButtons[i].R.Contains(p)) {
            FPressed = i;
            FActive = i;
            FButtons[i].Hot = true;
            ButtonDown(i, X, Y);
            return;
        }
    if (!FTrack.Contains(p)) return;
    const TRect& th = FButtons[sbpThumb].R;
    const bool before = FKind == sbHorizontal ? X < th.left : Y < th.top;
    if (before) {
        SetPosition(FPosition - FLargeChange);
        if (!*alive) return;
        FRepeat = 3;
        StartTimer(500);
        if (OnPageUp) OnPageUp(this);
    } else {
        SetPosition(FPosition + FLargeChange);
        if (!*alive) return;
        FRepeat = 4;
        StartTimer(500);
        if (OnPageDown) OnPageDown(this);
    }
}

void TspSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    FLastPoint = TPoint(X, Y);
    TestActive(X, Y);
    if (!*alive) return;
    if (FDragging) {
        const int m = (FKind == sbHorizontal ? X : Y) - FDragStart;
        SetPosition(CalcValue(FPageSize > 0 ? m : m + FDragOffset));
        if (!*alive) return;
    }
    TspSkinCustomControl::MouseMove(Shift, X, Y);
}

void TspSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive) return;
    FMouseDown = false;
    if (FRepeat == 3 || FRepeat == 4) StopTimer();
    const int pressed = FPressed;
    FPressed = -1;
    if (pressed != -1) {
        ButtonUp(pressed, X, Y);
        if (Button == mbLeft && pressed == sbpThumb && OnLastChange) OnLastChange(this);
    }
}

void TspSkinScrollBar::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    if (FActive != -1 && FPressed == -1 && !FDragging) {
        FButtons[FActive].Hot = false;
        FActive = -1;
        Repaint();
    }
    if (FMouseDown && FRepeat == 4) StopTimer();
}

void TspSkinScrollBar::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    Repaint();
}

// ---- repeat

void TspSkinScrollBar::StartTimer(UINT Interval)
{
    if (!HandleAllocated()) return;
    KillTimer(GetWindowHandle(), RepeatTimerId);
    FTimerInterval = SetTimer(GetWindowHandle(), RepeatTimerId, Interval, nullptr) ? Interval : 0;
}

void TspSkinScrollBar::StartScroll() { StartTimer(50); }

void TspSkinScrollBar::StopTimer()
{
    if (HandleAllocated()) KillTimer(GetWindowHandle(), RepeatTimerId);
    FTimerInterval = 0;
    FRepeat = 0;
}

void TspSkinScrollBar::WMTimer(TMessage& Message)
{
    if (Message.WParam != RepeatTimerId) return;
    if (FFirstTick) {
        // The first tick only ends the initial delay.
        FFirstTick = false;
        StartScroll();
        return;
    }
    auto alive = FAlive.Watch();
    // The thumb moved with every step even when no paint ran in between.
    CalcRects();
    const TRect& th = FButtons[sbpThumb].R;
    switch (FRepeat) {
    case 1: StepDown(); break;
    case 2: StepUp(); break;
    case 3:
        TestActive(FLastPoint.x, FLastPoint.y);
        if (!*alive) return;
        if (FKind == sbHorizontal ? FLastPoint.x < th.left : FLastPoint.y < th.top) {
            SetPosition(FPosition - FLargeChange);
            if (*alive && OnPageUp) OnPageUp(this);
        } else {
            StopTimer();
        }
        break;
    case 4:
        TestActive(FLastPoint.x, FLastPoint.y);
        if (!*alive) return;
        if (FKind == sbHorizontal ? FLastPoint.x > th.right : FLastPoint.y > th.bottom) {
            SetPosition(FPosition + FLargeChange);
            if (*alive && OnPageDown) OnPageDown(this);
        } else {
            StopTimer();
        }
        break;
    default: StopTimer(); break;
    }
}

// ---- keyboard, wheel, focus

void TspSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift)
{
    auto alive = FAlive.Watch();
    TspSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || !FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_UP) SetPosition(FPosition - FSmallChange);
    else if (Key == VK_RIGHT || Key == VK_DOWN) SetPosition(FPosition + FSmallChange);
}

void TspSkinScrollBar::WMMouseWheel(TMessage& Message)
{
    if (!IsFocused()) return;
    // The wheel delta sits in the high word; a turn away from the user is positive.
    if (static_cast<int>(static_cast<DWORD>(Message.WParam)) > 0) SetPosition(FPosition - FSmallChange);
    else SetPosition(FPosition + FSmallChange);
}

void TspSkinScrollBar::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    if (FCanFocused) Repaint();
}

void TspSkinScrollBar::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (FCanFocused) Repaint();
}

void TspSkinScrollBar::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

void TspSkinScrollBar::DestroyWnd()
{
    if (HandleAllocated() && FTimerInterval) KillTimer(GetWindowHandle(), RepeatTimerId);
    FTimerInterval = 0;
    FRepeat = 0;
    TspSkinCustomControl::DestroyWnd();
}

void TspSkinScrollBar::WndProc(TMessage& Message)
{
    if (Skinbars::FocusableBarMessage(this, Message, FCanFocused, FTakingFocus)) return;
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    default: break;
    }
    TspSkinCustomControl::WndProc(Message);
}
