#include "SkinXFormButton.h"
#include "GdiHandles.h"
#include "SkinRegion.h"

TspSkinXFormButton::TspSkinXFormButton(TComponent* AOwner)
    : TspSkinButton(AOwner),
      FDefImage(std::make_unique<TBitmap>()),
      FDefActiveImage(std::make_unique<TBitmap>()),
      FDefDownImage(std::make_unique<TBitmap>()),
      FDefMask(std::make_unique<TBitmap>())
{
    SetCanFocused(false);
}

TspSkinXFormButton::~TspSkinXFormButton() = default;

int TspSkinXFormButton::PictureWidth() const { return ClampSide(FDefImage->GetWidth()); }
int TspSkinXFormButton::PictureHeight() const { return ClampSide(FDefImage->GetHeight()); }

void TspSkinXFormButton::FitToPicture()
{
    if (GetWidth() != PictureWidth() || GetHeight() != PictureHeight())
        TspSkinButton::SetBounds(GetLeft(), GetTop(), PictureWidth(), PictureHeight());
}

void TspSkinXFormButton::SetDefImage(TBitmap* Value)
{
    FDefImage->Assign(Value);
    GetSkinData();
    if (!FDefImage->Empty()) {
        SetDefaultHeight(PictureHeight());
        SetDefaultWidth(PictureWidth());
    }
    // A mask given before the picture takes effect now.
    SetControlRegion();
    Repaint();
}

void TspSkinXFormButton::SetDefActiveImage(TBitmap* Value) { FDefActiveImage->Assign(Value); }

void TspSkinXFormButton::SetDefDownImage(TBitmap* Value) { FDefDownImage->Assign(Value); }

void TspSkinXFormButton::SetDefMask(TBitmap* Value)
{
    FDefMask->Assign(Value);
    GetSkinData();
    if (!FDefImage->Empty()) SetControlRegion();
}

void TspSkinXFormButton::SetDefActiveFontColor(TColor Value)
{
    FDefActiveFontColor = Value;
    Repaint();
}

void TspSkinXFormButton::SetDefDownFontColor(TColor Value)
{
    FDefDownFontColor = Value;
    Repaint();
}

void TspSkinXFormButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinButton::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (PictureLook()) FitToPicture();
}

void TspSkinXFormButton::ChangeSkinData()
{
    GetSkinData();
    if (!PictureLook()) {
        TspSkinButton::ChangeSkinData();
        return;
    }
    StopMorph();
    ApplySkinCursor();
    FitToPicture();
    SetControlRegion();
    Repaint();
}

void TspSkinXFormButton::SetControlRegion()
{
    if (!PictureLook()) {
        TspSkinButton::SetControlRegion();
        return;
    }
    if (!HandleAllocated()) return;   // CreateWnd shapes the window once it exists
    HRGN rgn = nullptr;
    if (!FDefMask->Empty()) Sputils::CreateSkinSimplyRegion(rgn, FDefMask.get());
    RECT box;
    if (rgn && GetRgnBox(rgn, &box) == NULLREGION) {
        // A mask without one black pixel would hide the button for good: keep it whole.
        DeleteObject(rgn);
        rgn = nullptr;
    }
    if (!rgn && !FRgn) return;
    // The window owns it now and released the one it replaced.
    if (GiveWindowRegion(GetWindowHandle(), rgn)) FRgn = rgn;
}

void TspSkinXFormButton::Loaded()
{
    TspSkinButton::Loaded();
    GetSkinData();
    if (!Skinned() && !FDefMask->Empty()) SetControlRegion();
}

void TspSkinXFormButton::CreateWnd()
{
    TspSkinButton::CreateWnd();
    if (PictureLook()) SetControlRegion();
}

void TspSkinXFormButton::CreateControlDefaultImage(TBitmap* B)
{
    if (PictureLook())
        DrawDefaultButton(B->GetCanvas());
    else
        TspSkinButton::CreateControlDefaultImage(B);
}

void TspSkinXFormButton::DrawDefaultButton(TCanvas* C)
{
    C->GetFont()->Assign(FDefaultFont.get());
    const bool pressed = DownLook();
    const bool hot = FMouseIn || IsFocused();
    TBitmap* pic = FDefImage.get();
    if (pressed && !FDefDownImage->Empty())
        pic = FDefDownImage.get();
    else if (hot && !FDefActiveImage->Empty())
        pic = FDefActiveImage.get();
    const TRect r(0, 0, GetWidth(), GetHeight());
    // A state picture smaller than the button leaves the face, not stale pixels.
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(r);
    C->Draw(0, 0, pic);
    C->GetFont()->SetColor(pressed ? FDefDownFontColor : (hot ? FDefActiveFontColor : FDefaultFont->GetColor()));
    Skinctrls::DrawGlyphAndText(C, r, FMargin, FSpacing, FLayout, GetText(), FGlyph.get(), FNumGlyphs, 1, pressed);
}
