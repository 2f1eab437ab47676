// TspFormFrame painting: the skinned frame from the skin's form picture (with
// its objects and the inactive look), the default frame without a skin, the
// client backgrounds and the form's small icon. The frame is painted on the
// window's own device context, never through the form's paint cycle.
#include "FormFrame.h"
#include "Application.h"
#include "EffectBmp.h"
#include "GdiHandles.h"
#include "Icon.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"

using Sputils::IsNullRect;

namespace {

void ApplyEffect(TspEffectBmp& E, TspInActiveEffect Effect)
{
    switch (Effect) {
    case ieBrightness: E.ChangeBrightness(0.5); break;
    case ieDarkness: E.ChangeDarkness(0.3); break;
    case ieGrayScale: E.GrayScale(); break;
    case ieNoise: E.AddMonoNoise(50); break;
    case ieSplitBlur: E.SplitBlur(1); break;
    case ieInvert: E.Invert(); break;
    }
}

void FillSolid(TCanvas* C, const TRect& R, TColor Color)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->FillRect(R);
}

// Tiles Tile over (0, 0, W, H) of the canvas; nothing for an empty tile or area.
void TileOver(TCanvas* C, TBitmap* Tile, int W, int H)
{
    if (!Tile || Tile->Empty() || W <= 0 || H <= 0) return;
    const int tw = Tile->GetWidth(), th = Tile->GetHeight();
    for (int y = 0; y < H; y += th)
        for (int x = 0; x < W; x += tw) C->Draw(x, y, Tile);
}

}  // namespace

HWND TspFormFrame::FormHandle() const
{
    return OwnerForm && OwnerForm->HandleAllocated() ? OwnerForm->GetWindowHandle() : nullptr;
}

bool TspFormFrame::GetAutoRenderingInActiveImage() const
{
    return FSkinLoaded && FSkinData && FSkinData->AutoRenderingInActiveImage;
}

void TspFormFrame::PaintNCSkin()
{
    if (!CanNCSupport()) return;
    SyncFrameSize();
    if (FrameWidth < GetMinWidth() || FrameHeight < GetMinHeight()) return;
    HWND wnd = FormHandle();
    if (!wnd) return;
    CalcRects();
    CalcAllRealObjectRect();
    const TspSkinContent& s = *FSkinData;
    const bool active = GetFormActive();
    TBitmap* source = SkinPicture();
    if (!active && s.InActivePicture && !s.InActivePicture->Empty()) source = s.InActivePicture.get();
    TBitmap left, top, right, bottom;
    Sputils::CreateSkinBorderImages({&left, &top, &right, &bottom}, FrameImageArgs(source));
    DrawFrameObjects(top.Empty() ? nullptr : top.GetCanvas(), bottom.Empty() ? nullptr : bottom.GetCanvas());
    TWholeWindowDC dc(wnd);
    if (!dc.Get()) return;
    if (FrameClientRect.Height() > 0)
        ExcludeClipRect(dc.Get(), FrameClientRect.left, FrameClientRect.top, FrameClientRect.right,
                        FrameClientRect.bottom);
    const int th = top.Empty() ? 0 : top.GetHeight();
    struct Part {
        TBitmap* B;
        int X, Y;
    } parts[4] = {{&top, 0, 0},
                  {&left, 0, th},
                  {&right, FrameWidth - (right.Empty() ? 0 : right.GetWidth()), th},
                  {&bottom, 0, FrameHeight - (bottom.Empty() ? 0 : bottom.GetHeight())}};
    const bool effect = !active && GetAutoRenderingInActiveImage();
    for (const Part& p : parts) {
        if (p.B->Empty()) continue;
        if (effect) {
            TspEffectBmp e(p.B);
            ApplyEffect(e, s.InActiveEffect);
            e.Draw(dc.Get(), p.X, p.Y);
        } else {
            BitBlt(dc.Get(), p.X, p.Y, p.B->GetWidth(), p.B->GetHeight(), p.B->GetCanvas()->GetHandle(), 0, 0,
                   SRCCOPY);
        }
    }
}

void TspFormFrame::PaintNCDefault()
{
    HWND wnd = FormHandle();
    if (!wnd) return;
    SyncFrameSize();
    if (FObjectList.empty() && !FSkinLoaded) LoadDefObjects();
    CalcDefRects();
    const int h = GetDefCaptionHeight();
    const int cw = FrameWidth - 6;
    if (cw <= 0 || FrameHeight <= 0) return;
    TBitmap cap(cw, h, pf24bit);
    TCanvas* c = cap.GetCanvas();
    FillSolid(c, TRect(0, 0, cw, h), clBtnFace);
    // Stripes, in window x converted to the caption bitmap (drawn at x 3).
    const int sx = DefaultCaptionRect.left + 2 - 3, ex = DefaultCaptionRect.right - 3 - 3;
    for (int y = 2; y <= h - 4; ++y) {
        c->GetPen()->SetColor(((y - 2) % 2 == 0) ? clBtnHighlight : clBtnShadow);
        if (ex > sx) {
            c->MoveTo(sx, y);
            c->LineTo(ex, y);
        }
    }
    c->GetFont()->Assign(GetFormActive() ? FDefCaptionFont.get() : FDefInActiveCaptionFont.get());
    std::string text = GetCaptionText();
    if (!text.empty()) {
        CorrectCaptionText(c, text, DefaultCaptionRect.Width() + 3);
        const int tw = c->TextWidth(text);
        const int boxLeft = DefaultCaptionRect.left + (DefaultCaptionRect.Width() + 3) / 2 - (tw + 5) / 2 - 3;
        FillSolid(c, TRect(boxLeft, 0, boxLeft + tw + 5, h), clBtnFace);
        c->GetBrush()->SetStyle(bsClear);
        c->TextOut(boxLeft + 3, h / 2 - c->TextHeight(text) / 2, text);
    }
    DrawDefaultObjects(c);
    TWholeWindowDC dc(wnd);
    if (!dc.Get()) return;
    ExcludeClipRect(dc.Get(), 3, h + 3, FrameWidth - 3, FrameHeight - 3);
    BitBlt(dc.Get(), 3, 3, cw, h, c->GetHandle(), 0, 0, SRCCOPY);
    TBorrowedCanvas wc(dc.Get());
    TRect r(0, 0, FrameWidth, FrameHeight);
    Sputils::Frm3D(wc.Get(), r, cl3DLight, cl3DDkShadow);
    r.Inflate(-1, -1);
    Sputils::Frm3D(wc.Get(), r, clBtnHighlight, clBtnShadow);
    r.Inflate(-1, -1);
    Sputils::Frm3D(wc.Get(), r, clBtnFace, clBtnFace);
}

void TspFormFrame::CorrectCaptionText(TCanvas* Canvas, std::string& Text, int Width)
{
    Sputils::CorrectTextbyWidth(Canvas, Text, Width);
}

void TspFormFrame::DrawSkinObject(TspActiveSkinObject* AObject)
{
    if (!AObject || !ObjectTested(AObject)) return;
    if (FSupportNCArea) {
        if (NoFrame()) return;
        HWND wnd = FormHandle();
        if (!wnd) return;
        TWholeWindowDC dc(wnd);
        if (!dc.Get()) return;
        TBorrowedCanvas c(dc.Get());
        DrawObject(AObject, c.Get(), true);
    } else if (OwnerForm && OwnerForm->GetCanvas()) {
        DrawObject(AObject, OwnerForm->GetCanvas(), true);
    }
}

void TspFormFrame::PaintBG(HDC DC)
{
    if (!FSkinLoaded || !OwnerForm) return;
    TBorrowedCanvas c(DC);
    const TRect client = OwnerForm->GetClientRect();
    const TRect& cr = FSkinData->ClientRect;
    TBitmap* pic = SkinPicture();
    if (IsNullRect(cr) || !pic) {
        FillSolid(c.Get(), client, clBtnFace);
        return;
    }
    TBitmap tile(cr.Width(), cr.Height(), pf24bit);
    tile.GetCanvas()->CopyRect(TRect(0, 0, cr.Width(), cr.Height()), pic->GetCanvas(), cr);
    TileOver(c.Get(), &tile, client.Width(), client.Height());
    if (!FLogoBitMap->Empty()) DrawLogoBitMap(c.Get());
}

void TspFormFrame::PaintBG2(HDC DC)
{
    if (!FSkinLoaded || !OwnerForm) return;
    const int i = FSkinData->BGPictureIndex;
    if (i < 0 || i >= static_cast<int>(FSkinData->ActivePictures.size())) {
        PaintBG(DC);
        return;
    }
    TBorrowedCanvas c(DC);
    const TRect client = OwnerForm->GetClientRect();
    TileOver(c.Get(), FSkinData->ActivePictures[i].get(), client.Width(), client.Height());
    if (!FLogoBitMap->Empty()) DrawLogoBitMap(c.Get());
}

void TspFormFrame::PaintBGDefault(HDC DC)
{
    if (!OwnerForm) return;
    TBorrowedCanvas c(DC);
    FillSolid(c.Get(), OwnerForm->GetClientRect(), clBtnFace);
    if (!FLogoBitMap->Empty()) DrawLogoBitMap(c.Get());
}

void TspFormFrame::DrawLogoBitMap(TCanvas* Canvas)
{
    if (!OwnerForm || FLogoBitMap->Empty()) return;
    const TRect client = OwnerForm->GetClientRect();
    const int x = std::max(0, client.Width() / 2 - FLogoBitMap->GetWidth() / 2);
    const int y = std::max(0, client.Height() / 2 - FLogoBitMap->GetHeight() / 2);
    if (FLogoBitMap->GetTransparent() != LogoBitMapTransparent) FLogoBitMap->SetTransparent(LogoBitMapTransparent);
    Canvas->Draw(x, y, FLogoBitMap.get());
}

void TspFormFrame::GetIconSize(int& Width, int& Height)
{
    Width = GetSystemMetrics(SM_CXSMICON);
    Height = GetSystemMetrics(SM_CYSMICON);
    if (Width == 0) Width = GetSystemMetrics(SM_CXSIZE);
    if (Height == 0) Height = GetSystemMetrics(SM_CYSIZE);
}

HICON TspFormFrame::GetIcon()
{
    if (FSmallIcon) return FSmallIcon.Get();
    HICON source = nullptr;
    if (OwnerForm && OwnerForm->GetIcon() && OwnerForm->GetIcon()->GetHandle())
        source = OwnerForm->GetIcon()->GetHandle();
    else
        source = LoadIconA(nullptr, IDI_APPLICATION);   // shared: copied, never destroyed
    int w, h;
    GetIconSize(w, h);
    if (source)
        FSmallIcon.Reset(static_cast<HICON>(CopyImage(source, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE)));
    return FSmallIcon.Get();
}

void TspFormFrame::DrawFormIcon(TCanvas* Canvas, int X, int Y)
{
    HICON icon = GetIcon();
    if (!icon || !Canvas) return;
    int w, h;
    GetIconSize(w, h);
    DrawIconEx(Canvas->GetHandle(), X, Y, icon, w, h, 0, nullptr, DI_NORMAL);
}
