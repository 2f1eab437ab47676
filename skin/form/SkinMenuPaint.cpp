// How a skinned menu level and its items look: the window from the skin's popup
// window picture (or the default look), items from the skin's menu item element
// (or the default look), scroll markers, the hover blend and the software alpha.
#include "SkinPopupWindow.h"
#include "ImgList.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinObjects.h"
#include "SkinPlatform.h"
#include "SkinRegion.h"
#include <algorithm>

namespace {

void Fill(TCanvas* C, const TRect& R, TColor Color)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->FillRect(R);
}

void FrameIn(TCanvas* C, const TRect& R, TColor Color)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->FrameRect(R);
}

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// The glyph of the frame's own window-command items, chosen by component name.
bool DrawCommandGlyph(TCanvas* C, const std::string& Name, int X, int Y, TColor Color)
{
    if (Name == "DSF_CLOSE" || Name == "TRAY_DSF_CLOSE")
        Sputils::DrawCloseImage(C, X, Y, Color);
    else if (Name == "DSF_MINITEM")
        Sputils::DrawMinimizeImage(C, X, Y, Color);
    else if (Name == "DSF_MAXITEM")
        Sputils::DrawMaximizeImage(C, X, Y, Color);
    else if (Name == "DSF_RESTORE" || Name == "TRAY_DSF_RESTORE")
        Sputils::DrawRestoreImage(C, X, Y, Color);
    else if (Name == "DSF_ROLLUP")
        Sputils::DrawRollUpImage(C, X, Y, Color);
    else if (Name == "DSF_MINTOTRAY")
        Sputils::DrawMTImage(C, X, Y, Color);
    else
        return false;
    return true;
}

void DrawTick(TCanvas* C, int X, int Y, TColor Color)
{
    C->GetPen()->SetColor(Color);
    for (int i = 0; i <= 2; ++i) {
        C->MoveTo(X, Y + 5 - i);
        C->LineTo(X + 2, Y + 7 - i);
        C->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawRadio(TCanvas* C, int X, int Y, TColor Color)
{
    C->GetPen()->SetColor(Color);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->Ellipse(X, Y, X + 6, Y + 6);
    C->GetBrush()->SetStyle(bsClear);
}

void DrawSubArrow(TCanvas* C, int X, int Y, TColor Color)
{
    C->GetPen()->SetColor(Color);
    for (int i = 0; i <= 3; ++i) Line(C, X + i, Y + i, X + i, Y + 7 - i);
}

}  // namespace

// ---------------------------------------------------------------------------
// Items

void TspSkinMenuItem::DrawItemMarks(TCanvas* C, const TRect& T, int Glyph, TColor FontColor, int CheckOffset)
{
    // Caption, shortcut, submenu arrow, then the image or the check/command glyph.
    const int right = T.right - (Data ? 16 : 19);
    TRect cr(T.left + Glyph, 0, right, 0);
    std::string caption = MenuItem->GetCaption();
    C->DrawText(caption, cr, DT_CALCRECT | DT_SINGLELINE);
    const int th = cr.Height();
    cr.top = T.top + T.Height() / 2 - th / 2;
    cr.bottom = cr.top + th;
    cr.right += 2;
    C->GetFont()->SetColor(FontColor);
    C->GetBrush()->SetStyle(bsClear);
    C->DrawText(caption, cr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (MenuItem->GetShortCut()) {
        const std::string sc = ShortCutToText(MenuItem->GetShortCut());
        const int w = C->TextWidth(sc);
        TRect sr(right - w, cr.top, right, cr.bottom);
        C->DrawText(sc, sr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (MenuItem->GetCount() > 0) DrawSubArrow(C, T.right - 7, T.top + T.Height() / 2 - 4, FontColor);
    TCustomImageList* images = Parent->GetImages();
    const int imageIndex = MenuItem->GetImageIndex();
    const int ix = T.left + (Data ? 2 : 0);
    if (images && imageIndex >= 0 && imageIndex < images->GetCount()) {
        const int iy = T.top + T.Height() / 2 - images->GetHeight() / 2;
        if (MenuItem->GetChecked())
            FrameIn(C, TRect(ix - 1, iy - 1, ix + images->GetWidth() + 1, iy + images->GetHeight() + 1), FontColor);
        images->Draw(C, ix, iy, imageIndex, MenuItem->GetEnabled());
        return;
    }
    const int gx = T.left + 2, gy = T.top + T.Height() / 2 - 4;
    if (DrawCommandGlyph(C, MenuItem->GetName(), gx, gy, FontColor)) return;
    if (!MenuItem->GetChecked()) return;
    if (MenuItem->GetRadioItem())
        DrawRadio(C, T.left + CheckOffset, T.top + T.Height() / 2 - 3, FontColor);
    else
        DrawTick(C, T.left + CheckOffset, gy, FontColor);
}

void TspSkinMenuItem::CreateItemImage(TBitmap* B, bool Hot)
{
    const int w = ObjectRect.Width();
    Sputils::CreateHSkinImage(Data->ItemLeftOffset, Data->ItemRightOffset, B, Picture,
                              Hot ? Data->ActiveSkinRect : Data->SkinRect, w, ObjectRect.Height());
    TRect t = Data->TextRect;
    t.right = B->GetWidth() + Data->TextRect.right - Data->SkinRect.Width();
    const int glyph = Parent->GetImages() ? Parent->GetGlyphColumn() : 16;
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    TspSkinMenu* engine = Parent->GetEngine();
    if (engine->UseSkinFont) {
        ApplySkinFontFields(c->GetFont(), Data->Font);
        c->GetFont()->SetCharset(engine->GetDefaultMenuItemFont()->GetCharset());
    } else {
        c->GetFont()->Assign(engine->GetDefaultMenuItemFont());
    }
    TColor color = Hot ? Data->ActiveFontColor : (MenuItem->GetEnabled() ? Data->Font.Color : Data->UnEnabledFontColor);
    DrawItemMarks(c, t, glyph, color, 2);
}

void TspSkinMenuItem::PlaceImage(TCanvas* Canvas, TBitmap* B)
{
    if (Parent->GetSoftwareAlpha() && Parent->GetScreenEffect()) {
        TspEffectBmp mine(B);
        const double k = 1.0 - Parent->GetEngine()->AlphaBlendValue / 255.0;
        mine.MorphRect(Parent->GetScreenEffect(), k, TRect(0, 0, B->GetWidth(), B->GetHeight()), ObjectRect.left,
                       ObjectRect.top);
        mine.Draw(Canvas->GetHandle(), ObjectRect.left, ObjectRect.top);
        return;
    }
    Canvas->Draw(ObjectRect.left, ObjectRect.top, B);
}

void TspSkinMenuItem::Draw(TCanvas* Canvas)
{
    if (!Visible || ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    if (!Data || !Picture) {
        DefaultDraw(Canvas);
        return;
    }
    TBitmap b;
    if (IsDivider()) {
        if (Data->DividerRect.Width() <= 0 || Data->DividerRect.Height() <= 0) return;
        Sputils::CreateHSkinImage(Data->DividerLeftOffset, Data->DividerRightOffset, &b, Picture, Data->DividerRect,
                                  ObjectRect.Width(), ObjectRect.Height());
        PlaceImage(Canvas, &b);
        return;
    }
    const bool hot = Active || Down;
    const double target = hot ? 1.0 : 0.0;
    if (!Data->Morphing || MorphKf == target) {
        CreateItemImage(&b, hot);
        PlaceImage(Canvas, &b);
        return;
    }
    TBitmap normal, active;
    CreateItemImage(&normal, false);
    CreateItemImage(&active, true);
    TspEffectBmp e1(&normal), e2(&active);
    switch (Data->MorphKind) {
    case mkGradient: e1.MorphGrad(&e2, MorphKf); break;
    case mkLeftGradient: e1.MorphLeftGrad(&e2, MorphKf); break;
    case mkRightGradient: e1.MorphRightGrad(&e2, MorphKf); break;
    case mkLeftSlide: e1.MorphLeftSlide(&e2, MorphKf); break;
    case mkRightSlide: e1.MorphRightSlide(&e2, MorphKf); break;
    case mkPush: e1.MorphPush(&e2, MorphKf); break;
    default: e1.Morph(&e2, MorphKf); break;
    }
    b.SetSize(e1.Width(), e1.Height());
    e1.Draw(b.GetCanvas()->GetHandle(), 0, 0);
    PlaceImage(Canvas, &b);
}

void TspSkinMenuItem::DefaultDraw(TCanvas* Canvas)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap b(w, h);
    TCanvas* c = b.GetCanvas();
    c->GetFont()->Assign(Parent->GetEngine()->GetDefaultMenuItemFont());
    const int glyph = Parent->GetImages() ? Parent->GetGlyphColumn() : 19;
    const bool hot = (Active || Down) && !IsDivider();
    TColor textColor;
    if (hot) {
        Fill(c, TRect(0, 0, w, h), clPlainHotFill);
        FrameIn(c, TRect(0, 0, w, h), clPlainHotFrame);
        textColor = clWindowText;
    } else {
        Fill(c, TRect(0, 0, glyph, h), clBtnFace);
        Fill(c, TRect(glyph, 0, w, h), clWindow);
        textColor = MenuItem->GetEnabled() ? clWindowText : clBtnShadow;
    }
    if (IsDivider()) {
        c->GetPen()->SetColor(clBtnShadow);
        Line(c, glyph, h / 2, w, h / 2);
    } else {
        DrawItemMarks(c, TRect(2, 2, w - 2, h - 2), glyph, textColor, 3);
    }
    PlaceImage(Canvas, &b);
}

// ---------------------------------------------------------------------------
// The level

void TspSkinPopupWindow::CreateRealImage(TBitmap* B)
{
    const int w = std::max(1, FWidth), h = std::max(1, FHeight);
    if (FData && FFramePicture) {
        Sputils::TSkinImageArgs a;
        a.Skin = {FData->LeftTopPoint, FData->RightTopPoint, FData->LeftBottomPoint, FData->RightBottomPoint,
                  FData->ItemsRect};
        a.Target = {FNewLTPoint, FNewRTPoint, FNewLBPoint, FNewRBPoint, FNewItemsRect};
        a.Source = FFramePicture;
        a.SourceRect = TRect(0, 0, FFramePicture->GetWidth(), FFramePicture->GetHeight());
        a.Width = w;
        a.Height = h;
        a.DrawClient = FScrollable || !FItemData;
        a.Stretch = {FData->LeftStretch, FData->TopStretch, FData->RightStretch, FData->BottomStretch};
        Sputils::CreateSkinImageBS(B, a);
    } else {
        B->SetSize(w, h);
        TCanvas* c = B->GetCanvas();
        const int col = FImages ? FGlyphColumn + 3 : 22;
        Fill(c, TRect(0, 0, col, h), clBtnFace);
        Fill(c, TRect(col, 0, w, h), clWindow);
        FrameIn(c, TRect(0, 0, w, h), clBtnShadow);
        FrameIn(c, TRect(1, 1, w - 1, h - 1), clWindow);
    }
    if (GetSoftwareAlpha() && FScreenEffect) {
        TspEffectBmp mine(B);
        mine.MorphRect(FScreenEffect.get(), 1.0 - FAlphaBlendValue / 255.0, TRect(0, 0, w, h), 0, 0);
        mine.Draw(B->GetCanvas()->GetHandle(), 0, 0);
    }
}

void TspSkinPopupWindow::SetMenuWindowRegion()
{
    if (!FData || !FFrameMask) return;
    HRGN rgn = nullptr;
    Sputils::CreateSkinRegion(rgn, FData->LeftTopPoint, FData->RightTopPoint, FData->LeftBottomPoint,
                              FData->RightBottomPoint, FData->ItemsRect, FNewLTPoint, FNewRTPoint, FNewLBPoint,
                              FNewRBPoint, FNewItemsRect, FFrameMask, FWidth, FHeight);
    if (HandleAllocated() || rgn) GiveWindowRegion(GetHandle(), rgn);
}

TColor TspSkinPopupWindow::MarkerColor(int Direction) const
{
    if (FData) return FScrollDirection == Direction ? FData->ScrollMarkerActiveColor : FData->ScrollMarkerColor;
    return FScrollDirection == Direction ? clBtnText : clBtnShadow;
}

void TspSkinPopupWindow::DrawUpDownMarker(TCanvas* C, int Direction)
{
    if (!FScrollable) return;
    TRect r;
    if (FData)
        r = Direction == 1 ? TRect(FNewItemsRect.left, FNewItemsRect.top, FNewItemsRect.right, FNewItemsRect.top + 10)
                           : TRect(FNewItemsRect.left, FNewItemsRect.bottom - 10, FNewItemsRect.right,
                                   FNewItemsRect.bottom);
    else
        r = Direction == 1 ? TRect(3, 3, FWidth - 3, 13) : TRect(3, FHeight - 10, FWidth - 3, FHeight - 3);
    // The marker's strip is cleared first so a colour change does not draw over the old arrow.
    if (!FData) Fill(C, r, clWindow);
    Sputils::DrawArrowImage(C, r, MarkerColor(Direction), Direction == 1 ? adUp : adDown);
}

void TspSkinPopupWindow::DrawUpMarker(TCanvas* C)
{
    if (C == GetCanvas() && HandleAllocated()) {
        TWindowDC dc(GetWindowHandle());
        TBorrowedCanvas wc(dc.Get());
        DrawUpDownMarker(wc.Get(), 1);
        return;
    }
    DrawUpDownMarker(C, 1);
}

void TspSkinPopupWindow::DrawDownMarker(TCanvas* C)
{
    if (C == GetCanvas() && HandleAllocated()) {
        TWindowDC dc(GetWindowHandle());
        TBorrowedCanvas wc(dc.Get());
        DrawUpDownMarker(wc.Get(), 2);
        return;
    }
    DrawUpDownMarker(C, 2);
}

void TspSkinPopupWindow::ComposeTo(TBitmap* B)
{
    CreateRealImage(B);
    const int last = std::min(GetItemCount(), FTopIndex + FFitCount);
    for (int i = FTopIndex; i < last; ++i) FItems[i]->Draw(B->GetCanvas());
    if (FScrollable) {
        DrawUpDownMarker(B->GetCanvas(), 1);
        DrawUpDownMarker(B->GetCanvas(), 2);
    }
}

void TspSkinPopupWindow::PaintMenu(HDC DC)
{
    if (!DC || FWidth <= 0 || FHeight <= 0) return;
    TBitmap b;
    ComposeTo(&b);
    BitBlt(DC, 0, 0, b.GetWidth(), b.GetHeight(), b.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TspSkinPopupWindow::Repaint()
{
    if (!HandleAllocated() || !IsWindowVisible(GetWindowHandle())) return;
    TWindowDC dc(GetWindowHandle());
    PaintMenu(dc.Get());
}

void TspSkinPopupWindow::DrawItemOnWindow(TspSkinMenuItem* Item)
{
    if (!Item || !HandleAllocated() || !IsWindowVisible(GetWindowHandle())) return;
    TWindowDC dc(GetWindowHandle());
    TBorrowedCanvas wc(dc.Get());
    Item->Draw(wc.Get());
}

void TspSkinPopupWindow::TestMorph(TObject* Sender)
{
    if (!*FEngineAlive) return;
    TspSkinMenu::THandlerScope scope(FEngine);
    bool moved = false;
    for (auto& item : FItems) {
        if (!item->Data || !item->Data->Morphing || !item->CanMorphing()) continue;
        // Called by Redraw (no sender) only the timer is started; each tick moves.
        if (!Sender) {
            moved = true;
            break;
        }
        item->DoMorphing();
        moved = true;
    }
    FMorphTimer->SetEnabled(moved);
}
