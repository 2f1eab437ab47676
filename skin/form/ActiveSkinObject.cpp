#include "ActiveSkinObject.h"
#include "ButtonFace.h"
#include "SkinImage.h"
#include <cmath>

namespace Frameobjects {

std::unique_ptr<TBitmap> NewImage(int W, int H)
{
    if (W <= 0 || H <= 0 || W > MaxImageSide || H > MaxImageSide) return nullptr;
    if (static_cast<long long>(W) * H > MaxImageArea) return nullptr;
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    if (b->Empty()) return nullptr;
    return b;
}

TBitmap* ActivePicture(TspSkinData* Skin, int Index)
{
    if (!Skin || Index < 0 || Index >= static_cast<int>(Skin->ActivePictures.size())) return nullptr;
    TBitmap* p = Skin->ActivePictures[Index].get();
    return p && !p->Empty() ? p : nullptr;
}

void ApplyInActiveEffect(TspEffectBmp& E, TspInActiveEffect Effect)
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

void DrawMorphed(TCanvas* Cnvs, int X, int Y, TBitmap* A, TBitmap* B, TMorphKind Kind, double K)
{
    if (!Cnvs || !A || !B || A->Empty() || B->Empty()) return;
    TspEffectBmp ea(A), eb(B);
    Skinctrls::MorphByKind(ea, eb, Kind, K);
    ea.Draw(Cnvs->GetHandle(), X, Y);
}

void DrawImage(TCanvas* Cnvs, int X, int Y, TBitmap* Image, const TspInActiveEffect* Effect)
{
    if (!Cnvs || !Image || Image->Empty()) return;
    if (Effect) {
        TspEffectBmp e(Image);
        ApplyInActiveEffect(e, *Effect);
        e.Draw(Cnvs->GetHandle(), X, Y);
        return;
    }
    const int w = Image->GetWidth(), h = Image->GetHeight();
    Cnvs->CopyRect(TRect(X, Y, X + w, Y + h), Image->GetCanvas(), TRect(0, 0, w, h));
}

}  // namespace Frameobjects

TspActiveSkinObject::TspActiveSkinObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : SkinForm(AForm), SkinData(AForm ? AForm->SkinData() : nullptr)
{
    if (!AData) return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    skinrectinapicture = AData->SkinRectInAPicture;
    skinrect = AData->SkinRect;
    activeskinrect = AData->ActiveSkinRect;
    inactiveskinrect = AData->InActiveSkinRect;
    morphing = AData->Morphing;
    morphkind = AData->MorphKind;
    cursorindex = AData->CursorIndex;
    rollup = AData->RollUp;
    ActivePictureBitmap = Frameobjects::ActivePicture(SkinData, AData->ActivePictureIndex);
    if (!ActivePictureBitmap) {
        // No active image: only our copy is emptied. The record is shared by every
        // reader of the skin (other frames, the menus), so it stays as it was read.
        activeskinrect = TRect();
        morphing = false;
    }
    ObjectRect = skinrect;
    if (SkinData) Picture = rollup ? SkinData->RollUpPicture.get() : SkinData->Picture.get();
}

TspActiveSkinObject::~TspActiveSkinObject() = default;

bool TspActiveSkinObject::FormActive() const { return SkinForm && SkinForm->GetFormActive(); }

TBitmap* TspActiveSkinObject::FramePicture() const
{
    if (!rollup && SkinData && SkinData->InActivePicture && !SkinData->InActivePicture->Empty() && !FormActive())
        return SkinData->InActivePicture.get();
    return Picture;
}

bool TspActiveSkinObject::MorphUnderWay() const { return Active ? MorphKf != 1 : MorphKf != 0; }

std::unique_ptr<TBitmap> TspActiveSkinObject::PieceImage(TBitmap* Source, const TRect& R) const
{
    auto b = Frameobjects::NewImage(ObjectRect.Width(), ObjectRect.Height());
    if (b) Sputils::CopyPiece(b->GetCanvas(), TRect(0, 0, b->GetWidth(), b->GetHeight()), Source, R);
    return b;
}

void TspActiveSkinObject::DrawPiece(TCanvas* Cnvs, TBitmap* Source, const TRect& R) const
{
    if (!Cnvs || ObjectRect.IsEmpty() || R.IsEmpty()) return;
    Sputils::CopyPiece(Cnvs, ObjectRect, Source, R);
}

void TspActiveSkinObject::DrawMorph(TCanvas* Cnvs, TBitmap* Normal, TBitmap* Act) const
{
    Frameobjects::DrawMorphed(Cnvs, ObjectRect.left, ObjectRect.top, Normal, Act, morphkind, MorphKf);
}

void TspActiveSkinObject::Draw(TCanvas* Cnvs, bool Forced)
{
    if (Enabled && ActivePictureBitmap && !inactiveskinrect.IsEmpty() && !FormActive()) {
        DrawPiece(Cnvs, ActivePictureBitmap, inactiveskinrect);
        return;
    }
    // A fade needs an image to fade to; without one the state shows at once.
    if (morphing && !activeskinrect.IsEmpty() && MorphUnderWay()) {
        auto normal = PieceImage(NormalPicture(), skinrect);
        auto act = PieceImage(ActivePictureBitmap, activeskinrect);
        DrawMorph(Cnvs, normal.get(), act.get());
        return;
    }
    if (Active && !activeskinrect.IsEmpty()) {
        DrawPiece(Cnvs, ActivePictureBitmap, activeskinrect);
        return;
    }
    if (!Forced && !skinrectinapicture) return;
    DrawPiece(Cnvs, NormalPicture(), skinrect);
}

void TspActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    SkinForm->MouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TspActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Hovered) SkinForm->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TspActiveSkinObject::MouseMove(int X, int Y) { SkinForm->MouseMoveEvent(IDName, X, Y, ObjectRect); }

void TspActiveSkinObject::MouseEnter()
{
    Hovered = true;
    Active = true;
    if (!activeskinrect.IsEmpty()) Redraw();
    SkinForm->MouseEnterEvent(IDName);
}

void TspActiveSkinObject::MouseLeave()
{
    Hovered = false;
    Active = false;
    if (!activeskinrect.IsEmpty()) Redraw();
    SkinForm->MouseLeaveEvent(IDName);
}

bool TspActiveSkinObject::CanMorphing() { return (Active && MorphKf < 1) || (!Active && MorphKf > 0); }

void TspActiveSkinObject::Redraw()
{
    if (morphing)
        SkinForm->EnableMorphingTimer();
    else
        SkinForm->DrawSkinObject(this);
}

void TspActiveSkinObject::DoMorphing()
{
    SetMorphKf(Active ? MorphKf + 0.2 : MorphKf - 0.2);
    SkinForm->DrawSkinObject(this);
}

void TspActiveSkinObject::SetMorphKf(double Value)
{
    // Five steps of 0.2 do not add up to exactly 1 in binary; ends within a
    // rounding error count as reached, so a fade takes five ticks both ways.
    const double eps = 1e-9;
    if (!(Value > eps))   // also a value that is not a number
        Value = 0;
    else if (Value > 1 - eps)
        Value = 1;
    MorphKf = Value;
}

void TspUserObject::Draw(TCanvas* Cnvs, bool /*Forced*/) { SkinForm->PaintEvent(IDName, Cnvs, ObjectRect); }
