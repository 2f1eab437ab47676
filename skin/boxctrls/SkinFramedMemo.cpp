#include "SkinFramedMemo.h"
#include "Bitmap.h"
#include "EffectBmp.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinEdits.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinParentImage.h"
#include "SkinPopupMenu.h"
#include "SkinScrollBar.h"
#include <algorithm>

namespace {

void PlainFrames(TCanvas* C, int W, int H)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(TRect(0, 0, W, H));
    C->GetBrush()->SetColor(clBtnFace);
    C->FrameRect(TRect(1, 1, W - 1, H - 1));
}

}  // namespace

TspSkinMemo::TspSkinMemo(TComponent* AOwner) : TspSkinMemo2(AOwner)
{
    SetScrollBars(ssNone);
}

TspSkinMemo::~TspSkinMemo()
{
}

void TspSkinMemo::CreateParams(TCreateParams& Params)
{
    TspSkinMemo2::CreateParams(Params);
    Params.ExStyle &= ~(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
    Params.Style &= ~WS_BORDER;
    Params.Style |= ES_MULTILINE;
}

void TspSkinMemo::Notification(TComponent* AComponent, TOperation Operation)
{
    // The base clears the skin-data link: ask before it does.
    const bool skinGone = Operation == opRemove && AComponent && AComponent == FSD;
    TspSkinMemo2::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FFrameVScrollBar.Removed(AComponent, Operation);
    if (skinGone) FPicture = nullptr;
}

// ---- skin ----
void TspSkinMemo::GetSkinData()
{
    TspSkinMemo2::GetSkinData();
    FPicture = nullptr;
    if (!Skinned()) return;
    const auto* r = dynamic_cast<const TspDataSkinMemoControl*>(FSD->ControlRecord(FIndex));
    if (!r) return;
    FSkinRect = r->SkinRect;
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FLTPoint = r->LeftTopPoint;
    FRTPoint = r->RightTopPoint;
    FLBPoint = r->LeftBottomPoint;
    FRBPoint = r->RightBottomPoint;
    FClRect = r->ClientRect;
    if (r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->ActivePictures.size()) &&
        !ClipToPicture(FSkinRect, FSD->ActivePictures[r->PictureIndex].get()).IsEmpty())
        FPicture = FSD->ActivePictures[r->PictureIndex].get();
}

void TspSkinMemo::ChangeSkinData()
{
    // The chat memo's font and colours and the recreated window; its own bars are never bound here.
    TspSkinMemo2::ChangeSkinData();
    UpDateScrollRange();
    if (FFrameVScrollBar) {
        const TAlign a = FFrameVScrollBar->GetAlign();
        FFrameVScrollBar->SetAlign(alNone);
        FFrameVScrollBar->SetAlign(a);
    }
    ApplyEnabledColour();
}

void TspSkinMemo::ApplyEnabledColour()
{
    if (!GetEnabled()) GetFont()->SetColor(clGrayText);
    else if (!Skinned()) GetFont()->SetColor(FDefaultFont->GetColor());
    else GetFont()->SetColor(FSkinFont.Color);
}

void TspSkinMemo::SetBitMapBG(bool Value)
{
    if (FBitMapBG == Value) return;
    FBitMapBG = Value;
    RecreateWnd();
}

void TspSkinMemo::SetAlphaBlend(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    Invalidate();
}

void TspSkinMemo::SetAlphaBlendValue(BYTE Value)
{
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (FTransparent) Invalidate();
}

void TspSkinMemo::Invalidate()
{
    if (!FBitMapBG) {
        TspSkinMemo2::Invalidate();
        return;
    }
    if (GetParent() && HandleAllocated()) RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// ---- the bar ----
void TspSkinMemo::SetVScrollBar(TspSkinScrollBar* Value)
{
    FFrameVScrollBar.Set(Value);
    if (Value) {
        Value->SetRange(0, 0, 0, 0);
        Value->OnChange = [this](TObject* S) { OnFrameVScrollBarChange(S); };
    }
}

void TspSkinMemo::UpDateScrollRange()
{
    // A horizontal bar (the frameless memo's kind) follows the EDIT as there.
    TspSkinMemo2::UpDateScrollRange();
    if (!FFrameVScrollBar || !HandleAllocated()) return;
    RECT r;
    ::GetClientRect(FHandle, &r);
    const int lh = LineHeight(GetFont());
    const int visible = lh > 0 ? (r.bottom - r.top) / lh : 1;
    const int lines = static_cast<int>(SendMessageA(FHandle, EM_GETLINECOUNT, 0, 0));
    const int first = static_cast<int>(SendMessageA(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (lines > visible) {
        FFrameVScrollBar->SetRange(0, lines, first, visible + 1);
        if (!FFrameVScrollBar->GetEnabled()) FFrameVScrollBar->SetEnabled(true);
    } else {
        FFrameVScrollBar->SetRange(0, 0, 0, 0);
        if (FFrameVScrollBar->GetEnabled()) FFrameVScrollBar->SetEnabled(false);
    }
}

void TspSkinMemo::OnFrameVScrollBarChange(TObject*)
{
    if (!FFrameVScrollBar || !HandleAllocated()) return;
    // The bar counts lines. An EDIT without its own vertical bar reads the
    // position of SB_THUMBPOSITION as a percentage (0..100) of its text, so the
    // memo is moved by the difference in lines instead.
    const int first = static_cast<int>(SendMessageA(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int delta = FFrameVScrollBar->GetPosition() - first;
    if (delta) SendMessageA(FHandle, EM_LINESCROLL, 0, delta);
    UpDateScrollRange();
    Invalidate();
}

void TspSkinMemo::Change()
{
    TMemo::Change();
    UpDateScrollRange();
}

// ---- painting ----
TRect TspSkinMemo::SourceRect()
{
    return (FMouseIn || (HandleAllocated() && Focused())) ? FActiveSkinRect : FSkinRect;
}

Sputils::TSkinImageArgs TspSkinMemo::ImageArgs(int W, int H)
{
    Sputils::TSkinImageArgs a;
    a.Skin = {FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
    a.Target = a.Skin.Grown(GetWidth() - (FSkinRect.right - FSkinRect.left),
                            GetHeight() - (FSkinRect.bottom - FSkinRect.top));
    a.Source = FPicture;
    a.SourceRect = SourceRect();
    a.Width = W;
    a.Height = H;
    return a;
}

void TspSkinMemo::SkinNCPaint(TCanvas* Canvas)
{
    const int w = ClampSide(GetWidth()), h = ClampSide(GetHeight());
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    if (!Skinned() || !HasPicture()) {
        b.GetCanvas()->GetBrush()->SetStyle(bsSolid);
        b.GetCanvas()->GetBrush()->SetColor(clWindow);
        b.GetCanvas()->FillRect(TRect(0, 0, w, h));
        PlainFrames(b.GetCanvas(), w, h);
    } else {
        Sputils::CreateSkinImage(&b, ImageArgs(w, h));
    }
    if (FTransparent && FParentImage && FParentImage->GetWidth() == w && FParentImage->GetHeight() == h) {
        TspEffectBmp front(&b), under(FParentImage.get());
        front.Morph(&under, 1.0 - FAlphaBlendValue / 255.0);
        front.Draw(Canvas->GetHandle(), 0, 0);
    } else {
        Canvas->Draw(0, 0, &b);
    }
}

void TspSkinMemo::SkinFramePaint(TCanvas* Canvas)
{
    const int w = ClampSide(GetWidth()), h = ClampSide(GetHeight());
    if (w <= 0 || h <= 0) return;
    if (!Skinned() || !HasPicture()) {
        // Drawn straight on the window with a clear inside: the text is not touched.
        PlainFrames(Canvas, w, h);
        return;
    }
    TBitmap left, top, right, bottom;
    Sputils::CreateSkinBorderImages({&left, &top, &right, &bottom}, ImageArgs(w, h));
    Canvas->Draw(0, 0, &top);
    Canvas->Draw(0, top.GetHeight(), &left);
    Canvas->Draw(w - right.GetWidth(), top.GetHeight(), &right);
    Canvas->Draw(0, h - bottom.GetHeight(), &bottom);
}

// ---- messages ----
void TspSkinMemo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSizeFrame(Message); return;
    case WM_NCPAINT: WMNCPaintFrame(Message); return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(Message.WParam));
        Perform(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        if (FBitMapBG) Invalidate();
        Message.Result = 0;
        return;
    }
    case WM_CHAR:
        if (!FReadOnly) TMemo::Dispatch(Message);
        UpDateScrollRange();
        return;
    case WM_KEYDOWN:
        if (FReadOnly && Message.WParam == VK_DELETE) return;
        TMemo::Dispatch(Message);
        if (FBitMapBG) Invalidate();
        UpDateScrollRange();
        return;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (FReadOnly) return;
        [[fallthrough]];
    case WM_SETTEXT:
        TMemo::Dispatch(Message);
        if (FBitMapBG) Invalidate();
        UpDateScrollRange();
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        TMemo::Dispatch(Message);
        UpDateScrollRange();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (FBitMapBG) {
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
            Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (FBitMapBG) {
            Invalidate();
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TspSkinMemo2::Dispatch(Message);
}

void TspSkinMemo::WMNCCalcSizeFrame(TMessage& Message)
{
    GetSkinData();
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (!r) return;
    const RECT outer = *r;
    if (!Skinned() || !HasPicture()) {
        InflateRect(r, -2, -2);
    } else {
        r->left += FClRect.left;
        r->top += FClRect.top;
        r->right -= (FSkinRect.right - FSkinRect.left) - FClRect.right;
        r->bottom -= (FSkinRect.bottom - FSkinRect.top) - FClRect.bottom;
    }
    // Damaged geometry never puts the client area outside the window nor turns it inside out.
    r->left = std::max(outer.left, std::min<LONG>(r->left, outer.right));
    r->top = std::max(outer.top, std::min<LONG>(r->top, outer.bottom));
    r->right = std::max(r->left, std::min<LONG>(r->right, outer.right));
    r->bottom = std::max(r->top, std::min<LONG>(r->bottom, outer.bottom));
    Message.Result = 0;
}

void TspSkinMemo::WMNCPaintFrame(TMessage& Message)
{
    Message.Result = 0;
    if (!HandleAllocated()) return;
    if (FTransparent && FBitMapBG) {
        FParentImage = std::make_unique<TBitmap>(ClampSide(GetWidth()), ClampSide(GetHeight()), pf24bit);
        Sputils::GetParentImage(this, FParentImage->GetCanvas());
    }
    TWholeWindowDC window(FHandle);
    if (HDC dc = window.Get()) {
        // The client area is the EDIT's: only the frame around it is ours.
        RECT wr, cr;
        ::GetWindowRect(FHandle, &wr);
        ::GetClientRect(FHandle, &cr);
        POINT o = {0, 0};
        ::ClientToScreen(FHandle, &o);
        const int cx = o.x - wr.left, cy = o.y - wr.top;
        if (!FBitMapBG) ExcludeClipRect(dc, cx, cy, cx + cr.right, cy + cr.bottom);
        TBorrowedCanvas c(dc);
        if (FBitMapBG) SkinNCPaint(c.Get());
        else SkinFramePaint(c.Get());
    }
    FParentImage.reset();
}

void TspSkinMemo::SetLook(bool Active)
{
    if (Skinned()) {
        GetFont()->SetColor(Active ? FActiveFontColor : FSkinFont.Color);
        if (!FBitMapBG) SetColor(Active ? FActiveBGColor : FBGColor);
    }
}

void TspSkinMemo::WMSetFocus(TMessage& Message)
{
    TMemo::WMSetFocus(Message);
    if (!FMouseIn) {
        SetLook(true);
        Invalidate();
    }
    if (!FBitMapBG) Perform(WM_NCPAINT, 0, 0);
}

void TspSkinMemo::WMKillFocus(TMessage& Message)
{
    TMemo::WMKillFocus(Message);
    if (!FMouseIn) {
        SetLook(false);
        Invalidate();
    }
    if (!FBitMapBG) Perform(WM_NCPAINT, 0, 0);
}

void TspSkinMemo::CMMouseEnter(TMessage& Message)
{
    TMemo::CMMouseEnter(Message);
    FMouseIn = true;
    if (!(HandleAllocated() && Focused())) {
        SetLook(true);
        Invalidate();
        if (!FBitMapBG) Perform(WM_NCPAINT, 0, 0);
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TspSkinMemo::CMMouseLeave(TMessage& Message)
{
    TMemo::CMMouseLeave(Message);
    FMouseIn = false;
    if (!(HandleAllocated() && Focused())) {
        SetLook(false);
        Invalidate();
        if (!FBitMapBG) Perform(WM_NCPAINT, 0, 0);
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TspSkinMemo::CMEnabledChanged(TMessage& Message)
{
    TMemo::CMEnabledChanged(Message);
    UpDateScrollRange();
    ApplyEnabledColour();
}

void TspSkinMemo::WMSize(TMessage& Message)
{
    TMemo::WMSize(Message);
    UpDateScrollRange();
    if (!FBitMapBG && HandleAllocated()) Perform(WM_NCPAINT, 0, 0);
}

void TspSkinMemo::WMMove(TMessage& Message)
{
    TMemo::WMMove(Message);
    if (FTransparent && Skinned()) Invalidate();
}

void TspSkinMemo::WMLButtonUp(TMessage& Message)
{
    TMemo::WMLButtonUp(Message);
    if (FLButtonDown) UpDateScrollRange();
    FLButtonDown = false;
}

void TspSkinMemo::WMMouseMove(TMessage& Message)
{
    TMemo::WMMouseMove(Message);
    if (FLButtonDown) UpDateScrollRange();
}
