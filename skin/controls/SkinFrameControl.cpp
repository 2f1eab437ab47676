#include "SkinFrameControl.h"
#include "GdiHandles.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinImage.h"
#include "SkinRegion.h"
#include <algorithm>
#include <climits>

namespace {

int ClampInt(long long V) { return static_cast<int>(std::clamp<long long>(V, INT_MIN, INT_MAX)); }

}  // namespace

// ---- TspFrameSkinControl ----

TspFrameSkinControl::TspFrameSkinControl(TComponent* AOwner)
    : TspSkinControl(AOwner), FDefaultImage(std::make_unique<TBitmap>()), FDefaultMask(std::make_unique<TBitmap>())
{
}

TspFrameSkinControl::~TspFrameSkinControl() = default;

bool TspFrameSkinControl::HasFrames() const
{
    if (!Skinned() && FDefaultImage->Empty()) return false;
    return FFrameCount >= 1 && FFrameWidth > 0 && FFrameHeight > 0;
}

void TspFrameSkinControl::ClearStrip()
{
    FFrameCount = 0;
    FFrameWidth = FFrameHeight = 0;
    FStripRect = TRect();
    FStripPicture = FStripMask = nullptr;
}

void TspFrameSkinControl::SetStrip(int W, int H, int Count, TFramesPlacement Placement)
{
    FFramesPlacement = Placement == fpVertical ? fpVertical : fpHorizontal;
    // Every frame keeps at least one pixel: a count beyond the strip's extent
    // would give frames of no size.
    const int extent = FFramesPlacement == fpHorizontal ? W : H;
    FFrameCount = std::clamp(Count, 1, std::max(extent, 1));
    if (W <= 0 || H <= 0) {
        FFrameWidth = FFrameHeight = 0;
        return;
    }
    FFrameWidth = FFramesPlacement == fpHorizontal ? W / FFrameCount : W;
    FFrameHeight = FFramesPlacement == fpHorizontal ? H : H / FFrameCount;
    // A frame no control can have is no frame at all.
    if (FFrameWidth > MaxSkinControlSide || FFrameHeight > MaxSkinControlSide) FFrameWidth = FFrameHeight = 0;
}

void TspFrameSkinControl::GetSkinData()
{
    TspSkinControl::GetSkinData();
    if (!Skinned()) {
        FStripPicture = FStripMask = nullptr;
        FSkinCursorIndex = -1;
        CalcDefaultFrameSize();
        return;
    }
    const auto* r = dynamic_cast<const TspDataSkinFrameControl*>(CurrentRecord());
    // A record of another kind still counts as skinned, but nothing of it (or
    // of an earlier skin) is used: the control has no frames then.
    ClearStrip();
    if (!r) return;
    FSkinCursorIndex = r->CursorIndex;
    const TRect& s = r->SkinRect;
    if (s.IsEmpty()) return;
    const long long w = static_cast<long long>(s.right) - s.left, h = static_cast<long long>(s.bottom) - s.top;
    if (w > INT_MAX / 2 || h > INT_MAX / 2) return;
    FStripRect = s;
    FStripPicture = SkinPicture(FSD, r->PictureIndex);
    FStripMask = SkinPicture(FSD, r->MaskPictureIndex);
    // A skin strip is never fewer than two frames.
    SetStrip(static_cast<int>(w), static_cast<int>(h), std::max(r->FramesCount, 2), r->FramesPlacement);
}

void TspFrameSkinControl::CalcDefaultFrameSize()
{
    if (FDefaultImage->Empty()) {
        if (!Skinned()) FFrameCount = FFrameWidth = FFrameHeight = 0;
        return;
    }
    if (Skinned()) return;
    SetStrip(FDefaultImage->GetWidth(), FDefaultImage->GetHeight(), FDefaultFramesCount, FDefaultFramesPlacement);
}

TRect TspFrameSkinControl::FrameRect(const TPoint& Origin, int N) const
{
    const int n = std::clamp(N, 1, std::max(FFrameCount, 1));
    if (FFramesPlacement == fpHorizontal) {
        const long long x = Origin.x + static_cast<long long>(n - 1) * FFrameWidth;
        return Bounds(ClampInt(x), Origin.y, FFrameWidth, FFrameHeight);
    }
    const long long y = Origin.y + static_cast<long long>(n - 1) * FFrameHeight;
    return Bounds(Origin.x, ClampInt(y), FFrameWidth, FFrameHeight);
}

void TspFrameSkinControl::SetFrame(int N)
{
    if (!HasFrames()) return;
    N = std::clamp(N, 1, FFrameCount);
    if (N == FCurrentFrame) return;
    FCurrentFrame = N;
    Repaint();
}

void TspFrameSkinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool fit = HasFrames() && (AWidth != GetWidth() || AHeight != GetHeight());
    if (fit) {
        AWidth = FFrameWidth;
        AHeight = FFrameHeight;
    }
    TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (fit) {
        SetControlRegion();
        Repaint();
    }
}

void TspFrameSkinControl::ChangeSkinData()
{
    GetSkinData();
    if (!Skinned() && !FDefaultImage->Empty()) {
        CalcDefaultFrameSize();
        FCurrentFrame = std::clamp(FCurrentFrame, 1, std::max(FFrameCount, 1));
        SetControlRegion();
        SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
        Repaint();
        return;
    }
    if (Skinned() && FCurrentFrame > FFrameCount) FCurrentFrame = std::max(FFrameCount, 1);
    ApplySkinCursor();
    if (HasFrames()) {
        const int w = GetWidth(), h = GetHeight();
        SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
        if (w != GetWidth() || h != GetHeight()) return;   // that call set the region and repainted
    }
    SetControlRegion();
    Repaint();
}

void TspFrameSkinControl::Loaded()
{
    TspSkinControl::Loaded();
    CalcDefaultFrameSize();
    if (!Skinned() && !FSD) SetControlRegion();
}

void TspFrameSkinControl::SetDefaultImage(TBitmap* Value)
{
    FDefaultImage->Assign(Value);
    FCurrentFrame = 1;
    CalcDefaultFrameSize();
    // Without frames (no image yet) the size stays as it is.
    if (HasFrames()) SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
    Repaint();
}

void TspFrameSkinControl::SetDefaultMask(TBitmap* Value)
{
    FDefaultMask->Assign(Value);
    SetControlRegion();
    Repaint();
}

void TspFrameSkinControl::SetDefaultFramesCount(int Value)
{
    FDefaultFramesCount = std::max(Value, 1);
    CalcDefaultFrameSize();
    FCurrentFrame = std::clamp(FCurrentFrame, 1, std::max(FFrameCount, 1));
    if (HasFrames()) SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
    Repaint();
}

void TspFrameSkinControl::SetDefaultFramesPlacement(TFramesPlacement Value)
{
    FDefaultFramesPlacement = Value;
    CalcDefaultFrameSize();
    // Without frames (no image yet) the size stays as it is.
    if (HasFrames()) SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
    Repaint();
}

void TspFrameSkinControl::CreateControlSkinImage(TBitmap* B)
{
    if (!HasFrames() || !FStripPicture) {
        // A record without a strip or picture: the plain face, never garbage.
        CreateControlDefaultImage(B);
        return;
    }
    B->SetSize(FFrameWidth, FFrameHeight);
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, FFrameWidth, FFrameHeight));
    const TRect src = FrameRect(TPoint(FStripRect.left, FStripRect.top), FCurrentFrame);
    // Only what lies inside the picture is copied, at its own place in the frame.
    const TRect in = ClipToPicture(src, FStripPicture);
    if (in.IsEmpty()) return;
    const TRect dst(in.left - src.left, in.top - src.top, in.right - src.left, in.bottom - src.top);
    Sputils::CopyPiece(c, dst, FStripPicture, in);
}

void TspFrameSkinControl::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    if (FDefaultImage->Empty() || !HasFrames()) {
        const TRect r(0, 0, GetWidth(), GetHeight());
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(r);
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        return;
    }
    CalcDefaultFrameSize();
    B->SetSize(FFrameWidth, FFrameHeight);
    Sputils::CopyPiece(c, TRect(0, 0, FFrameWidth, FFrameHeight), FDefaultImage.get(),
                       FrameRect(TPoint(0, 0), FCurrentFrame));
}

void TspFrameSkinControl::SetControlRegion()
{
    HRGN rgn = nullptr;
    if (Skinned() || FDefaultMask->Empty()) {
        if (!FStripMask || !Skinned()) {
            if (FRgn) {
                // Removing the region releases it: the window owned it.
                if (HandleAllocated()) SetWindowRgn(GetWindowHandle(), nullptr, TRUE);
                FRgn = nullptr;
            }
            return;
        }
        if (!HandleAllocated()) return;   // CreateWnd sets it once the window exists
        Sputils::CreateSkinSimplyRegion(rgn, FStripMask);
    } else {
        if (!HandleAllocated()) return;
        Sputils::CreateSkinSimplyRegion(rgn, FDefaultMask.get());
    }
    if (!rgn) return;
    // The window owns it from now on and frees the one it replaced.
    if (GiveWindowRegion(GetWindowHandle(), rgn)) FRgn = rgn;
}

void TspFrameSkinControl::CreateWnd()
{
    TspSkinControl::CreateWnd();
    FRgn = nullptr;
    GetSkinData();
    SetControlRegion();
}

void TspFrameSkinControl::DestroyWnd()
{
    FRgn = nullptr;   // it goes with the window
    TspSkinControl::DestroyWnd();
}
