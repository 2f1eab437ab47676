#include "SkinHeaderControl.h"
#include "ImgList.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include <algorithm>
#include <commctrl.h>

TspSkinHeaderControl::TspSkinHeaderControl(TComponent* AOwner)
    : THeaderControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

TspSkinHeaderControl::~TspSkinHeaderControl() = default;

void TspSkinHeaderControl::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
    else if (!FSD) ChangeSkinData();
}

void TspSkinHeaderControl::Notification(TComponent* AComponent, TOperation Operation)
{
    THeaderControl::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) {
        FIndex = -1;
        FPicture = nullptr;
    }
}

void TspSkinHeaderControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (!Skinned()) GetFont()->Assign(Value);
    Invalidate();
}

void TspSkinHeaderControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned() && Value > 0) SetHeight(Value);
}

void TspSkinHeaderControl::GetSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
    if (!FSD) return;
    const int index = FSD->FindControlElement(FSkinDataName);
    const auto* r = dynamic_cast<const TspDataSkinButtonControl*>(FSD->ControlRecord(index));
    if (!r) return;
    TBitmap* pic = SkinPicture(FSD, r->PictureIndex);
    const TRect sr = ClipToPicture(r->SkinRect, pic);
    // Without a picture, or with a look that is not inside it, the header keeps
    // its plain look rather than drawing nothing.
    if (!pic || sr.IsEmpty() || sr.Width() > MaxSkinControlSide || sr.Height() > MaxSkinControlSide) return;
    FIndex = index;
    FPicture = pic;
    FSkinRect = sr;
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? FSkinRect : r->ActiveSkinRect;
    FDownSkinRect = r->DownSkinRect.IsEmpty() ? FActiveSkinRect : r->DownSkinRect;
    // The other looks must match the normal one's size: every split point is
    // measured in it.
    auto sameSize = [&](TRect R) {
        R = TRect(R.left, R.top, R.left + FSkinRect.Width(), R.top + FSkinRect.Height());
        return ClipToPicture(R, pic).Width() == FSkinRect.Width() && ClipToPicture(R, pic).Height() == FSkinRect.Height()
                   ? R
                   : FSkinRect;
    };
    FActiveSkinRect = sameSize(FActiveSkinRect);
    FDownSkinRect = sameSize(FDownSkinRect);
    const int w = FSkinRect.Width(), h = FSkinRect.Height();
    auto inside = [&](TPoint P) { return TPoint(std::clamp<int>(P.x, 0, w), std::clamp<int>(P.y, 0, h)); };
    FLTPoint = inside(r->LeftTopPoint);
    FRTPoint = inside(r->RightTopPoint);
    FLBPoint = inside(r->LeftBottomPoint);
    FRBPoint = inside(r->RightBottomPoint);
    if (FRTPoint.x < FLTPoint.x) FRTPoint.x = FLTPoint.x;
    FClRect = r->ClientRect;
    FClRect.left = std::clamp<int>(FClRect.left, 0, w);
    FClRect.right = std::clamp<int>(FClRect.right, FClRect.left, w);
    FClRect.top = std::clamp<int>(FClRect.top, 0, h);
    FClRect.bottom = std::clamp<int>(FClRect.bottom, FClRect.top, h);
    FSkinFont = r->Font;
    FSkinFont.Height = ClampFontHeight(FSkinFont.Height);
    FActiveFontColor = r->ActiveFontColor;
    FDownFontColor = r->DownFontColor;
}

int TspSkinHeaderControl::FixedHeight() const
{
    return Skinned() && FLBPoint.x == 0 && FLBPoint.y == 0 ? FSkinRect.Height() : 0;
}

void TspSkinHeaderControl::ChangeSkinData()
{
    GetSkinData();
    if (const int h = FixedHeight()) {
        if (h != GetHeight()) SetHeight(h);
    } else if (!Skinned() && FDefaultHeight > 0) {
        SetHeight(FDefaultHeight);
    }
    Invalidate();
}

void TspSkinHeaderControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    if (AHeight != GetHeight()) {
        if (const int h = FixedHeight()) AHeight = h;
        else if (!Skinned() && FDefaultHeight > 0) AHeight = FDefaultHeight;
    }
    THeaderControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TspSkinHeaderControl::CreateWnd()
{
    THeaderControl::CreateWnd();
    for (int i = 0; i < FSections.Count(); ++i) FSections.Items(i)->SetStyle(hsOwnerDraw);
}

TRect TspSkinHeaderControl::GetSkinItemRect(int Index)
{
    if (FDragReorder) {
        const std::vector<int> order = OrderArray();
        if (Index < 0 || Index >= static_cast<int>(order.size())) return TRect();
        return ItemRect(order[Index]);
    }
    return ItemRect(Index);
}

// ---- drawing

Sputils::TSkinImageArgs TspSkinHeaderControl::ImageArgs(const TRect& Source, int W, int H) const
{
    Sputils::TSkinImageArgs a;
    a.Skin = {FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
    a.Target = a.Skin.Grown(W - FSkinRect.Width(), H - FSkinRect.Height());
    a.Source = FPicture;
    a.SourceRect = Source;
    a.Width = W;
    a.Height = H;
    return a;
}

void TspSkinHeaderControl::DrawSkinSectionR(TCanvas* C, THeaderSection* Section, bool Active, bool Pressed,
                                            const TRect& R)
{
    if (!Section || R.IsEmpty()) return;
    const int w = std::min(R.Width(), MaxSkinControlSide);
    const bool stretchH = !Skinned() || FLBPoint.x != 0 || FLBPoint.y != 0;
    const int h = std::min(stretchH ? R.Height() : FSkinRect.Height(), MaxSkinControlSide);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* bc = b.GetCanvas();
    TRect text;
    if (!Skinned()) {
        bc->GetBrush()->SetStyle(bsSolid);
        Sputils::DrawPlainFace(bc, TRect(0, 0, w, h), LookState(Pressed, Active));
        bc->GetFont()->Assign(FDefaultFont.get());
        text = TRect(2, 2, w - 2, h - 2);
    } else {
        TFont* f = bc->GetFont();
        if (UseSkinFont) {
            ApplySkinFontFields(f, FSkinFont);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
        const TRect src = Pressed ? FDownSkinRect : (Active ? FActiveSkinRect : FSkinRect);
        f->SetColor(Pressed ? FDownFontColor : (Active ? FActiveFontColor : FSkinFont.Color));
        const int sw = FSkinRect.Width(), sh = FSkinRect.Height();
        if (stretchH) {
            Sputils::CreateSkinImage(&b, ImageArgs(src, w, h));
        } else {
            Sputils::CreateHSkinImage(FLTPoint.x, sw - FRTPoint.x, &b, FPicture, src, w, h);
        }
        text = TRect(FClRect.left, FClRect.top, w - (sw - FClRect.right), h - (sh - FClRect.bottom));
    }
    if (OnDrawSkinSection) {
        OnDrawSkinSection(this, Section, text, Active, Pressed, bc);
    } else {
        bc->GetBrush()->SetStyle(bsClear);
        std::string s = Section->GetText();
        const int tw0 = text.Width();
        int x = text.left;
        const bool image = FImages && Section->GetImageIndex() >= 0 && Section->GetImageIndex() < FImages->GetCount();
        if (image) {
            const int iw = FImages->GetWidth(), ih = FImages->GetHeight();
            const std::string whole = s;
            Sputils::CorrectTextbyWidth(bc, s, tw0 - iw - 10);
            const int sw = bc->TextWidth(s);
            if (s == whole) {
                if (Section->GetAlignment() == taRightJustify) x = text.right - sw - iw - 10;
                else if (Section->GetAlignment() == taCenter) x = text.left + tw0 / 2 - (sw + iw + 10) / 2;
            }
            FImages->Draw(bc, x, text.top + text.Height() / 2 - ih / 2, Section->GetImageIndex(), GetEnabled());
            x += iw + 10;
        } else {
            const std::string whole = s;
            Sputils::CorrectTextbyWidth(bc, s, tw0);
            const int sw = bc->TextWidth(s);
            // A caption that had to be cut is drawn from the left edge.
            if (s == whole) {
                if (Section->GetAlignment() == taRightJustify) x = text.right - sw - 10;
                else if (Section->GetAlignment() == taCenter) x = text.left + tw0 / 2 - sw / 2;
            }
        }
        const int y = text.top + text.Height() / 2 - bc->TextHeight(s) / 2;
        if (!s.empty()) bc->TextRect(text, x, y, s);
    }
    C->Draw(R.left, R.top, &b);
}

TRect TspSkinHeaderControl::DrawSkinSection(TCanvas* C, int Index, bool Active, bool Pressed)
{
    const TRect r = GetSkinItemRect(Index);
    int section = Index;
    if (FDragReorder) {
        const std::vector<int> order = OrderArray();
        if (Index >= 0 && Index < static_cast<int>(order.size())) section = order[Index];
    }
    DrawSkinSectionR(C, FSections.Items(section), Active, Pressed, r);
    return r;
}

void TspSkinHeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed)
{
    THeaderControl::DrawSection(Section, Rect, Pressed);
    DrawSkinSectionR(FCanvas.get(), Section, false, Pressed, Rect);
}

void TspSkinHeaderControl::FillRest(TCanvas* C)
{
    int right = 0;
    for (int i = 0; i < FSections.Count(); ++i) right = std::max(right, static_cast<int>(ItemRect(i).right));
    const int w = GetWidth() + 1 - right, h = GetHeight();
    if (w <= 0 || h <= 0) return;
    if (!Skinned()) {
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(TRect(right, 0, right + w, h));
        C->GetBrush()->SetColor(clBtnShadow);
        C->FrameRect(TRect(right, 0, right + w, h));
        return;
    }
    const bool stretchH = FLBPoint.x != 0 || FLBPoint.y != 0;
    const int bh = std::min(stretchH ? h : FSkinRect.Height(), MaxSkinControlSide);
    TBitmap b(std::min(w, MaxSkinControlSide), bh, pf24bit);
    if (stretchH)
        Sputils::CreateSkinImage2(&b, ImageArgs(FSkinRect, b.GetWidth(), bh));
    else
        Sputils::CreateHSkinImage2(FLTPoint.x, FSkinRect.Width() - FRTPoint.x, &b, FPicture, FSkinRect, b.GetWidth(),
                                   bh);
    C->Draw(right, 0, &b);
}

void TspSkinHeaderControl::PaintWindow(HDC DC)
{
    GetSkinData();
    TPaintDCScope painting(*FCanvas, DC);
    for (int i = 0; i < FSections.Count(); ++i) {
        const bool hot = i == FActiveSection;
        DrawSkinSection(FCanvas.get(), i, hot && !FDown, hot && FDown);
    }
    FillRest(FCanvas.get());
}

void TspSkinHeaderControl::WMPaint(TMessage& Message)
{
    PaintHandler(Message);
}

void TspSkinHeaderControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

// ---- mouse

void TspSkinHeaderControl::WndProc(TMessage& Message)
{
    THeaderControl::WndProc(Message);
    if (Message.Msg == HDM_HITTEST && Message.LParam) {
        const auto* info = reinterpret_cast<const HDHITTESTINFO*>(Message.LParam);
        // Wine also reports the divider of a zero-width section (HHT_ONDIVOPEN):
        // a press there resizes too.
        FOnDivider = (info->flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
    }
}

// Whether the platform header sends itself HDM_HITTEST on a press is its own
// business; the divider flag is asked for here on press and release, through
// WndProc, so it never depends on that.
void TspSkinHeaderControl::HitTest(int X, int Y)
{
    FOnDivider = false;
    if (!HandleAllocated()) return;
    HDHITTESTINFO info{};
    info.pt.x = X;
    info.pt.y = Y;
    Perform(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
}

void TspSkinHeaderControl::TestActive(int X, int Y)
{
    FOldActiveSection = FActiveSection;
    FActiveSection = -1;
    for (int i = 0; i < FSections.Count(); ++i)
        if (GetSkinItemRect(i).Contains(TPoint(X, Y))) {
            FActiveSection = i;
            break;
        }
    if (FActiveSection == FOldActiveSection || FTracking || !HandleAllocated()) return;
    TControlCanvas* c = FCanvas.get();
    if (FOldActiveSection != -1) DrawSkinSection(c, FOldActiveSection, false, false);
    if (FActiveSection != -1) DrawSkinSection(c, FActiveSection, true, false);
}

void TspSkinHeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    HitTest(X, Y);
    if (Button == mbLeft && !FOnDivider && FStyle == hsButtons) {
        FDown = true;
        Invalidate();
    }
    THeaderControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinHeaderControl::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    THeaderControl::MouseMove(Shift, X, Y);
    if (!*alive) return;
    FTracking = FDown && FDragReorder;
    if (!IsDesigning() && !FTracking) TestActive(X, Y);
}

void TspSkinHeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    THeaderControl::MouseUp(Button, Shift, X, Y);
    if (!*alive) return;
    const bool tracked = FTracking;
    FTracking = false;
    FActiveSection = FOldActiveSection = -1;
    if (Button != mbLeft || IsDesigning() || FStyle != hsButtons) return;
    HitTest(X, Y);
    TestActive(X, Y);
    Invalidate();
    FDown = false;
    if (FActiveSection == -1 || FOnDivider || tracked || !OnSkinSectionClick) return;
    int section = FActiveSection;
    if (FDragReorder) {
        const std::vector<int> order = OrderArray();
        if (section < static_cast<int>(order.size())) section = order[section];
    }
    if (THeaderSection* s = FSections.Items(section)) OnSkinSectionClick(this, s);
}

void TspSkinHeaderControl::CMMouseEnter(TMessage& Message)
{
    THeaderControl::CMMouseEnter(Message);
    if (!IsDesigning() && !FDown) Invalidate();
}

void TspSkinHeaderControl::CMMouseLeave(TMessage& Message)
{
    THeaderControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FActiveSection = FOldActiveSection = -1;
    if (!FDown) Invalidate();
}
