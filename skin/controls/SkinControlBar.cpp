#include "SkinControlBar.h"
#include "GdiHandles.h"
#include "SkinData.h"
#include "SkinImage.h"
#include <algorithm>

namespace {

bool TooLarge(const TRect& R)
{
    return R.right - static_cast<long long>(R.left) > MaxSkinControlSide ||
           R.bottom - static_cast<long long>(R.top) > MaxSkinControlSide;
}

}  // namespace

TspSkinControlBar::TspSkinControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {}

void TspSkinControlBar::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    ChangeSkinData();
}

void TspSkinControlBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControlBar::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) {
        FIndex = -1;
        FPicture = nullptr;
    }
}

void TspSkinControlBar::GetSkinData()
{
    FIndex = FSD ? FSD->FindControlElement(SkinDataName) : -1;
    FBGPictureIndex = -1;
    FPicture = nullptr;
    if (FIndex == -1) return;
    const auto* r = dynamic_cast<const TspDataSkinControlBar*>(FSD->ControlRecord(FIndex));
    // A record of another kind, or one whose rectangles no control can have, is
    // no skin for the bar: it keeps its plain look.
    if (!r || TooLarge(r->SkinRect)) {
        FIndex = -1;
        return;
    }
    FSkinRect = r->SkinRect;
    const int sw = std::max<int>(FSkinRect.Width(), 0), sh = std::max<int>(FSkinRect.Height(), 0);
    // Points and the client rectangle are kept inside the element, so that no
    // border image grows beyond it; an item image larger than a control can be is none.
    auto inside = [&](const TPoint& P) { return TPoint(std::clamp<int>(P.x, 0, sw), std::clamp<int>(P.y, 0, sh)); };
    FLTPoint = inside(r->LeftTopPoint);
    FRTPoint = inside(r->RightTopPoint);
    FLBPoint = inside(r->LeftBottomPoint);
    FRBPoint = inside(r->RightBottomPoint);
    const TPoint clTL = inside(TPoint(r->ClientRect.left, r->ClientRect.top));
    const TPoint clBR = inside(TPoint(r->ClientRect.right, r->ClientRect.bottom));
    FClRect = TRect(clTL.x, clTL.y, std::max(clTL.x, clBR.x), std::max(clTL.y, clBR.y));
    FItemRect = TooLarge(r->ItemRect) ? TRect() : r->ItemRect;
    FPicture = SkinPicture(FSD, r->PictureIndex);
    FBGPictureIndex = SkinPicture(FSD, r->BGPictureIndex) ? r->BGPictureIndex : -1;
}

void TspSkinControlBar::ChangeSkinData()
{
    GetSkinData();
    if (FSkinBevel && HandleAllocated()) RecreateWnd();
    Repaint();
}

void TspSkinControlBar::SetSkinBevel(bool Value)
{
    FSkinBevel = Value;
    GetSkinData();
    if (Skinned() && HandleAllocated()) RecreateWnd();
}

void TspSkinControlBar::CreateParams(TCreateParams& Params)
{
    TCustomControlBar::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

std::vector<TRect> TspSkinControlBar::Tiles(int W, int H, int TW, int TH)
{
    std::vector<TRect> v;
    if (W <= 0 || H <= 0 || TW <= 0 || TH <= 0) return v;
    for (int i = 0; i <= W / TW; ++i)
        for (int j = 0; j <= H / TH; ++j) {
            TRect t(i * TW, j * TH, std::min((i + 1) * TW, W), std::min((j + 1) * TH, H));
            if (!t.IsEmpty()) v.push_back(t);
        }
    return v;
}

void TspSkinControlBar::Paint()
{
    GetSkinData();
    TCanvas* canvas = GetCanvas();
    const TRect client = GetClientRect();
    if (!Skinned()) {
        TCustomControlBar::Paint();
        return;
    }
    if (client.Width() < 1 || client.Height() < 1) return;
    TBitmap b(client.Width(), client.Height(), pf24bit);
    TCanvas* c = b.GetCanvas();
    if (FBGPictureIndex == -1) {
        const TRect src(FSkinRect.left + FClRect.left, FSkinRect.top + FClRect.top, FSkinRect.left + FClRect.right,
                        FSkinRect.top + FClRect.bottom);
        for (const TRect& t : Tiles(b.GetWidth(), b.GetHeight(), src.Width(), src.Height()))
            Sputils::CopyPiece(c, t, FPicture, TRect(src.left, src.top, src.left + t.Width(), src.top + t.Height()));
        if (src.IsEmpty()) {
            c->GetBrush()->SetColor(clBtnFace);
            c->FillRect(TRect(0, 0, b.GetWidth(), b.GetHeight()));
        }
    } else {
        TBitmap* bg = SkinPicture(FSD, FBGPictureIndex);
        for (const TRect& t : Tiles(GetWidth(), GetHeight(), bg->GetWidth(), bg->GetHeight()))
            if (t.left < b.GetWidth() && t.top < b.GetHeight()) c->Draw(t.left, t.top, bg);
    }
    PaintBands(c);
    canvas->Draw(0, 0, &b);
    if (OnPaint) OnPaint(this);
}

void TspSkinControlBar::PaintControlFrame(TCanvas* C, TControl* Control, const TRect& R)
{
    (void)Control;
    GetSkinData();
    const int iw = FItemRect.Width(), ih = FItemRect.Height();
    const int W = R.Width(), H = R.Height();
    if (!Skinned()) {
        TCustomControlBar::PaintControlFrame(C, Control, R);
        return;
    }
    // An item image too small for its fixed corners draws no frame.
    if (iw < 15 || ih < 6 || W < 15 || H < 6) return;
    TBitmap left, top, right, bottom;
    Sputils::TSkinImageArgs a;
    a.Skin = {TPoint(12, 3), TPoint(iw - 3, 3), TPoint(12, ih - 3), TPoint(iw - 3, ih - 3),
              TRect(11, 2, iw - 2, ih - 2)};
    a.Target = {TPoint(12, 3), TPoint(W - 3, 3), TPoint(12, H - 3), TPoint(W - 3, H - 3), TRect(11, 2, W - 2, H - 2)};
    a.Source = FPicture;
    a.SourceRect = FItemRect;
    a.Width = W;
    a.Height = H;
    Sputils::CreateSkinBorderImages({&left, &top, &right, &bottom}, a);
    C->Draw(R.left, R.top, &top);
    C->Draw(R.left, R.top + top.GetHeight(), &left);
    C->Draw(R.right - right.GetWidth(), R.top + top.GetHeight(), &right);
    C->Draw(R.left, R.bottom - bottom.GetHeight(), &bottom);
}

void TspSkinControlBar::PaintNCSkin()
{
    if (!HandleAllocated() || !Skinned()) return;
    const int W = GetWidth(), H = GetHeight(), sw = FSkinRect.Width(), sh = FSkinRect.Height();
    Sputils::TSkinImageArgs a;
    a.Skin = {FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
    a.Target = a.Skin.Grown(W - sw, H - sh);
    a.Source = FPicture;
    a.SourceRect = FSkinRect;
    a.Width = W;
    a.Height = H;
    const TRect& ncl = a.Target.Client;
    TBitmap left, top, right, bottom;
    Sputils::CreateSkinBorderImages({&left, &top, &right, &bottom}, a);
    TWindowDC dc(GetHandle());
    if (!dc.Get()) return;
    TSaveDCGuard save(dc.Get());
    if (!ncl.IsEmpty()) ExcludeClipRect(dc.Get(), ncl.left, ncl.top, ncl.right, ncl.bottom);
    TBorrowedCanvas c(dc.Get());
    c->Draw(0, 0, &top);
    c->Draw(0, top.GetHeight(), &left);
    c->Draw(W - right.GetWidth(), top.GetHeight(), &right);
    c->Draw(0, H - bottom.GetHeight(), &bottom);
}

void TspSkinControlBar::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    if (!Skinned()) {
        TCustomControlBar::WndProc(Message);
        return;
    }
    if (!FSkinBevel) {
        // The whole window is client area.
        Message.Result = 0;
        return;
    }
    RECT* r = reinterpret_cast<RECT*>(Message.LParam);
    if (Message.WParam) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
    r->left += FClRect.left;
    r->top += FClRect.top;
    r->right += FClRect.right - FSkinRect.Width();
    r->bottom += FClRect.bottom - FSkinRect.Height();
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    Message.Result = 0;
}

void TspSkinControlBar::WMNCPaint(TMessage& Message)
{
    GetSkinData();
    if (!Skinned()) {
        TCustomControlBar::WndProc(Message);
        return;
    }
    if (FSkinBevel) PaintNCSkin();
    Message.Result = 0;
}

void TspSkinControlBar::WMEraseBkgndSkin(TMessage& Message)
{
    GetSkinData();
    if (!Skinned()) {
        TCustomControlBar::WndProc(Message);
        return;
    }
    Message.Result = 1;
}

void TspSkinControlBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgndSkin(Message); break;
    case WM_SIZE:
        TCustomControlBar::WndProc(Message);
        GetSkinData();
        if (Skinned() && FSkinBevel) PaintNCSkin();
        break;
    default: TCustomControlBar::WndProc(Message);
    }
}
