#include "FrameCaptionObject.h"
#include "ButtonFace.h"
#include "SkinImage.h"
#include <algorithm>

TspSkinCaptionObject::TspSkinCaptionObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    auto* r = dynamic_cast<TspDataSkinCaption*>(AData);
    if (!r) return;
    Font = r->Font;
    activefontcolor = r->ActiveFontColor;
    ShadowColor = r->ShadowColor;
    ActiveShadowColor = r->ActiveShadowColor;
    Shadow = r->Shadow;
    Alignment = r->Alignment;
    TextRect = r->TextRect;
    DefaultCaption = r->DefaultCaption;
    // The plate lies in the active picture: without one there is no plate.
    if (ActivePictureBitmap) {
        FrameRect = r->FrameRect;
        ActiveFrameRect = r->ActiveFrameRect;
    }
    FrameLeftOffset = r->FrameLeftOffset;
    FrameRightOffset = r->FrameRightOffset;
    FrameTextRect = r->FrameTextRect;
}

void TspSkinCaptionObject::SetTextValue(const std::string& Value)
{
    textvalue = Value;
    SkinForm->DrawSkinObject(this);
}

std::string TspSkinCaptionObject::CaptionText() const
{
    if (DefaultCaption || textvalue.empty()) return SkinForm->GetCaptionText();
    return textvalue;
}

int TspSkinCaptionObject::StretchZone() const
{
    if (ObjectRect.Width() == skinrect.Width() && ObjectRect.Height() == skinrect.Height()) return 0;
    if (!SkinData) return 0;
    const TPoint lt = SkinData->LTPoint, rt = SkinData->RTPoint, lb = SkinData->LBPoint, rb = SkinData->RBPoint;
    if (skinrect.top <= lt.y && skinrect.bottom < rt.y) return 1;
    if (skinrect.top >= lb.y && skinrect.bottom > rb.y) return 2;
    if (skinrect.top <= lt.y && skinrect.bottom > lb.y) return 3;
    return 4;
}

TRect TspSkinCaptionObject::TextArea() const
{
    TRect t = TextRect;
    if (!TextRect.IsEmpty()) t.right = ObjectRect.Width() - (skinrect.Width() - TextRect.right);
    if (!FrameRect.IsEmpty()) {
        t.left += FrameTextRect.left;
        t.top += FrameTextRect.top;
        t.right -= FrameRect.Width() - FrameTextRect.right;
    }
    return t;
}

namespace {

// Repeats the columns From..To of S across Dest (x from 0 to its width), the last
// repetition cut to fit; a middle of no width repeats nothing.
void RepeatColumns(TBitmap* Dest, TBitmap* Source, const TRect& S, int From, int To)
{
    const int w = Dest->GetWidth(), h = Dest->GetHeight();
    for (const auto& t : Sputils::TileSpan(0, w, To - From))
        Sputils::CopyPiece(Dest->GetCanvas(), TRect(t.Start, 0, t.Start + t.Length, h), Source,
                           TRect(From, S.top, From + t.Length, S.bottom));
}

void RepeatRows(TBitmap* Dest, TBitmap* Source, const TRect& S, int From, int To)
{
    const int w = Dest->GetWidth(), h = Dest->GetHeight();
    for (const auto& t : Sputils::TileSpan(0, h, To - From))
        Sputils::CopyPiece(Dest->GetCanvas(), TRect(0, t.Start, w, t.Start + t.Length), Source,
                           TRect(S.left, From, S.right, From + t.Length));
}

// A fixed part measured from the skin never exceeds the piece it is cut from.
int FixedPart(int V, int Extent) { return std::clamp(V, 0, std::max(Extent, 0)); }

}  // namespace

std::unique_ptr<TBitmap> TspSkinCaptionObject::ScaledImage(TBitmap* Source, const TRect& S) const
{
    auto b = Frameobjects::NewImage(ObjectRect.Width(), ObjectRect.Height());
    if (!b || !Source || S.IsEmpty()) return b;
    TCanvas* c = b->GetCanvas();
    const int w = b->GetWidth(), h = b->GetHeight();
    const int zone = StretchZone();
    if (!SkinForm->CanScale() || zone == 0 || !SkinData) {
        Sputils::CopyPiece(c, TRect(0, 0, w, h), Source, S);
        return b;
    }
    const TPoint lt = SkinData->LTPoint, rt = SkinData->RTPoint, lb = SkinData->LBPoint, rb = SkinData->RBPoint;
    if (zone <= 2) {
        int l = 0, r = 0;
        if (zone == 1) {
            l = lt.x - skinrect.left;
            r = skinrect.right - rt.x;
        } else {
            l = lb.x - skinrect.left;
            r = skinrect.right - rb.x;
        }
        l = FixedPart(l, S.Width());
        r = FixedPart(r, S.Width() - l);
        if (l == 0 && r == 0) {
            Sputils::CopyPiece(c, TRect(0, 0, w, h), Source, S);
            return b;
        }
        RepeatColumns(b.get(), Source, S, S.left + l, S.right - r);
        Sputils::CopyPiece(c, TRect(0, 0, l, h), Source, TRect(S.left, S.top, S.left + l, S.bottom));
        Sputils::CopyPiece(c, TRect(w - r, 0, w, h), Source, TRect(S.right - r, S.top, S.right, S.bottom));
        return b;
    }
    int t = 0, bt = 0;
    if (zone == 3) {
        t = lt.y - skinrect.top;
        bt = skinrect.bottom - lb.y;
    } else {
        t = rt.y - skinrect.top;
        bt = skinrect.bottom - rb.y;
    }
    t = FixedPart(t, S.Height());
    bt = FixedPart(bt, S.Height() - t);
    RepeatRows(b.get(), Source, S, S.top + t, S.bottom - bt);
    Sputils::CopyPiece(c, TRect(0, 0, w, t), Source, TRect(S.left, S.top, S.right, S.top + t));
    Sputils::CopyPiece(c, TRect(0, h - bt, w, h), Source, TRect(S.left, S.bottom - bt, S.right, S.bottom));
    return b;
}

const TspInActiveEffect* TspSkinCaptionObject::InActiveEffect(bool FormIsActive) const
{
    if (FormIsActive || !SkinData || !SkinForm->GetAutoRenderingInActiveImage()) return nullptr;
    return &SkinData->InActiveEffect;
}

std::unique_ptr<TBitmap> TspSkinCaptionObject::NormalImage(bool ActiveLook) const
{
    auto b = ScaledImage(FramePicture(), skinrect);
    if (b) DrawCaptionText(b->GetCanvas(), 0, 0, ActiveLook);
    return b;
}

void TspSkinCaptionObject::DrawCaptionText(TCanvas* Cnvs, int X0, int Y0, bool ActiveLook) const
{
    if (!Cnvs || TextRect.IsEmpty()) return;
    std::string text = CaptionText();
    if (text.empty()) return;
    TFont* f = Cnvs->GetFont();
    ApplySkinFontFields(f, Font);
    f->SetColor(ActiveLook ? activefontcolor : Font.Color);
    if (TFont* def = SkinForm->GetDefCaptionFont()) f->SetCharset(def->GetCharset());
    const TRect t = TextArea();
    TspFormFrame::CorrectCaptionText(Cnvs, text, t.Width());
    const int tw = Cnvs->TextWidth(text), th = Cnvs->TextHeight(text);
    int x = t.left;
    if (Alignment == taRightJustify)
        x = t.right - tw;
    else if (Alignment == taCenter)
        x = t.left + t.Width() / 2 - tw / 2;
    int y = t.top + t.Height() / 2 - th / 2;
    x += X0;
    y += Y0;
    if (!FrameRect.IsEmpty()) {
        const TRect src = ActiveLook && !ActiveFrameRect.IsEmpty() ? ActiveFrameRect : FrameRect;
        const int pw = FrameRect.Width() + tw - FrameTextRect.Width();
        const int lo = FixedPart(FrameLeftOffset, src.Width());
        const int ro = FixedPart(FrameRightOffset, src.Width() - lo);
        if (auto plate = Frameobjects::NewImage(pw, FrameRect.Height())) {
            Sputils::CreateHSkinImage(lo, ro, plate.get(), ActivePictureBitmap, src, pw, FrameRect.Height());
            Frameobjects::DrawImage(Cnvs, x - FrameTextRect.left, y - FrameTextRect.top, plate.get());
        }
    }
    Cnvs->GetBrush()->SetStyle(bsClear);
    if (Shadow) {
        f->SetColor(ActiveLook ? ActiveShadowColor : ShadowColor);
        Cnvs->TextOut(x + 1, y + 1, text);
        f->SetColor(ActiveLook ? activefontcolor : Font.Color);
    }
    Cnvs->TextOut(x, y, text);
}

void TspSkinCaptionObject::Draw(TCanvas* Cnvs, bool Forced)
{
    if (!Cnvs || ObjectRect.IsEmpty()) return;
    Active = FormActive();
    const int x0 = ObjectRect.left, y0 = ObjectRect.top;
    // The active image, fully shown or fading from or to the normal one.
    if (!activeskinrect.IsEmpty() && (Active || MorphKf > 0)) {
        auto act = ScaledImage(ActivePictureBitmap, activeskinrect);
        if (!act) return;
        DrawCaptionText(act->GetCanvas(), 0, 0, true);
        if (Active && (MorphKf == 1 || (MorphKf == 0 && !morphing))) {
            Frameobjects::DrawImage(Cnvs, x0, y0, act.get());
            return;
        }
        auto normal = NormalImage(false);
        if (!normal) return;
        TspEffectBmp a(normal.get()), b(act.get());
        Skinctrls::MorphByKind(a, b, morphkind, MorphKf);
        if (const TspInActiveEffect* e = InActiveEffect(Active)) Frameobjects::ApplyInActiveEffect(a, *e);
        a.Draw(Cnvs->GetHandle(), x0, y0);
        return;
    }
    // The frame has just painted its picture: only the text goes on it. (Drawn on
    // its own, the object first paints its background, so a new text never lands
    // on the old one.)
    if (!Forced) {
        DrawCaptionText(Cnvs, x0, y0, Active);
        return;
    }
    auto normal = NormalImage(Active);
    Frameobjects::DrawImage(Cnvs, x0, y0, normal.get(), InActiveEffect(Active));
}

void TspSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    // Without a non-client area the caption is the window's handle for moving.
    if (Button == mbLeft && !SkinForm->SupportNCArea() && SkinForm->GetWindowState() != fwsMaximized)
        SkinForm->StartDragg(X, Y);
    SkinForm->MouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TspSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!SkinForm->SupportNCArea()) SkinForm->EndDragg();
    SkinForm->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TspSkinCaptionObject::MouseEnter()
{
    Hovered = true;
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinCaptionObject::MouseLeave()
{
    Hovered = false;
    SkinForm->MouseLeaveEvent(IDName);
}
