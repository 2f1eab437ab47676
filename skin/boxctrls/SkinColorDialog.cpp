#include "SkinColorDialog.h"
#include "Form.h"
#include "FormFrame.h"
#include "Image.h"
#include "SkinButton.h"
#include "SkinColorGrids.h"
#include "SkinColorPalette.h"
#include "SkinData.h"
#include "SkinLabels.h"
#include "SkinTrackEdit.h"
#include "Spconst.h"
#include "Trace.h"
#include <algorithm>

namespace {

std::string Text(int Id, const char* Fallback)
{
    std::string s = Spconst::LoadResString(Id);
    return s.empty() ? std::string(Fallback) : s;
}

std::unique_ptr<TFont> ArialFont()
{
    auto f = std::make_unique<TFont>();
    f->SetName("Arial");
    return f;
}

int Bottom(TControl* C) { return C->GetTop() + C->GetHeight(); }
int Right(TControl* C) { return C->GetLeft() + C->GetWidth(); }

// An edit's number, kept inside the byte, degree or percent range it stands for.
int EditInt(TspSkinTrackEdit* E, int Max) { return E ? std::clamp(E->GetValue(), 0, Max) : 0; }

}  // namespace

TspSkinColorDialog::TspSkinColorDialog(TComponent* AOwner)
    : TComponent(AOwner), FDefaultLabelFont(ArialFont()), FDefaultButtonFont(ArialFont()),
      FDefaultEditFont(ArialFont()), FPaletteColor(std::make_unique<TPSPColor>())
{
    std::fill(std::begin(FCustomColors), std::end(FCustomColors), clWhite);
}

TspSkinColorDialog::~TspSkinColorDialog() = default;

void TspSkinColorDialog::SetSkinData(TspSkinData* Value)
{
    FSkinData.Set(Value);
}

void TspSkinColorDialog::SetCtrlSkinData(TspSkinData* Value)
{
    FCtrlSkinData.Set(Value);
}

void TspSkinColorDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FSkinData.Removed(AComponent, Operation);
    FCtrlSkinData.Removed(AComponent, Operation);
}

void TspSkinColorDialog::SetDefaultLabelFont(TFont* Value) { FDefaultLabelFont->Assign(Value); }
void TspSkinColorDialog::SetDefaultButtonFont(TFont* Value) { FDefaultButtonFont->Assign(Value); }
void TspSkinColorDialog::SetDefaultEditFont(TFont* Value) { FDefaultEditFont->Assign(Value); }

TColor TspSkinColorDialog::GetCustomColor(int Index) const
{
    return Index >= 1 && Index <= CustomColorCount ? FCustomColors[Index - 1] : 0;
}

void TspSkinColorDialog::ForgetWindow()
{
    Window = nullptr;
    Frame = nullptr;
    ColorGrid = nullptr;
    CustomColorGrid = nullptr;
    PaletteContainer = nullptr;
    PaletteImage = nullptr;
    Palette = nullptr;
    REdit = GEdit = BEdit = HEdit = SEdit = LEdit = nullptr;
    RLabel = GLabel = BLabel = HLabel = SLabel = LLabel = nullptr;
    ColorViewer = nullptr;
    OKButton = CancelButton = AddCustomColorButton = nullptr;
    FPalette.reset();
    FRGBGuard = FHSLGuard = FPaletteFlag = false;
    FAnchorValid = false;
}

void TspSkinColorDialog::Build(TForm* W)
{
    W->SetBorderStyle(bsDialog);
    W->SetPosition(poScreenCenter);
    W->SetCaption(Caption);
    Frame = new TspFormFrame(W);
    Frame->Sizeable = false;
    Frame->SetBorderIcons(0);
    Frame->SetSkinData(FSkinData);
    Frame->SetMenusSkinData(FCtrlSkinData);
    Frame->SetAlphaBlend(AlphaBlend);
    Frame->AlphaBlendAnimation = AlphaBlendAnimation;
    Frame->SetAlphaBlendValue(AlphaBlendValue);
    W->SetClientWidth(378);

    ColorGrid = new TspSkinColorGrid(W);
    ColorGrid->SetParent(W);
    ColorGrid->SetBorderStyle(TspSkinBorderStyle::bvNone);
    ColorGrid->SetCaptionMode(true);
    ColorGrid->SetRowCount(8);
    ColorGrid->SetColCount(6);
    ColorGrid->SetBounds(5, 5, 167, 195);
    ColorGrid->SetSkinDataName("groupbox");
    ColorGrid->SetSkinData(FCtrlSkinData);
    ColorGrid->OnChange = [this](TObject* S) { ColorGridChange(S); };

    CustomColorGrid = new TspSkinCustomColorGrid(W);
    CustomColorGrid->SetParent(W);
    CustomColorGrid->SetCaptionMode(true);
    CustomColorGrid->SetBounds(5, Bottom(ColorGrid) + 10, 167, 68);
    CustomColorGrid->SetSkinDataName("groupbox");
    CustomColorGrid->SetSkinData(FCtrlSkinData);
    for (int i = 1; i <= CustomColorCount; ++i) CustomColorGrid->SetSlot(i, FCustomColors[i - 1]);
    CustomColorGrid->SetFillCount(FCustomFillCount);
    CustomColorGrid->OnChange = [this](TObject* S) { CustomColorGridChange(S); };

    PaletteContainer = new TspEmptyControl(W);
    PaletteContainer->SetParent(W);
    PaletteContainer->SetBounds(Right(ColorGrid) + 5, 5, TspColorPalette::PaletteSize, TspColorPalette::PaletteSize);
    PaletteImage = new TImage(W);
    PaletteImage->SetParent(PaletteContainer);
    PaletteImage->SetBounds(0, 0, TspColorPalette::PaletteSize, TspColorPalette::PaletteSize);
    PaletteImage->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        PalettePSPMouseDown(S, B, Sh, X, Y);
    };
    PaletteImage->OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) { PalettePSPMouseMove(S, Sh, X, Y); };
    PaletteImage->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        PalettePSPMouseUp(S, B, Sh, X, Y);
    };
    TRGB black;
    FPaletteColor->SetRGB(black);
    FPalette = std::make_unique<TspColorPalette>(PaletteImage->GetPicture()->GetBitmap(), FPaletteColor.get());
    Palette = FPalette.get();
    Palette->OnChangeEdits = [this] { ChangeEdits(); };
    Palette->OnRepaint = [this] {
        if (PaletteImage) PaletteImage->Invalidate();
    };
    Palette->InitPSPPalette(FCtrlSkinData);

    auto label = [&](const char* Caption, int Left, int Top) {
        auto* l = new TspSkinStdLabel(W);
        l->SetParent(W);
        l->SetDefaultFont(FDefaultLabelFont.get());
        l->UseSkinFont = UseSkinFont;
        l->SetSkinData(FCtrlSkinData);
        l->SetCaption(Caption);
        l->SetLeft(Left);
        l->SetTop(Top);
        return l;
    };
    auto edit = [&](int Left, int Top, int Max, int BarWidth, bool Rgb) {
        auto* e = new TspSkinTrackEdit(W);
        e->SetParent(W);
        e->PopupKind = tbpLeft;
        // A skin without an edit element leaves the field at this height too.
        e->SetDefaultHeight(21);
        e->SetBounds(Left, Top, 50, 21);
        e->SetMinValue(0);
        e->SetMaxValue(Max);
        e->SetValue(0);
        e->SetSkinData(FCtrlSkinData);
        e->TrackBarWidth = BarWidth;
        e->SetJumpWhenClick(true);
        if (Rgb)
            e->OnChange = [this](TObject* S) { RGBEditChange(S); };
        else
            e->OnChange = [this](TObject* S) { HSLEditChange(S); };
        return e;
    };
    const int left = PaletteContainer->GetLeft(), base = Bottom(ColorGrid);
    RLabel = label("R:", left, base + 12);
    REdit = edit(Right(RLabel) + 5, base + 10, 255, 200, true);
    GLabel = label("G:", left, Bottom(REdit) + 12);
    GEdit = edit(REdit->GetLeft(), Bottom(REdit) + 10, 255, 200, true);
    BLabel = label("B:", left, Bottom(GEdit) + 12);
    BEdit = edit(REdit->GetLeft(), Bottom(GEdit) + 10, 255, 200, true);
    HLabel = label("H:", Right(REdit) + 5, base + 12);
    HEdit = edit(Right(HLabel) + 5, base + 10, 359, 250, false);
    SLabel = label("S:", Right(REdit) + 5, Bottom(HEdit) + 12);
    SEdit = edit(HEdit->GetLeft(), Bottom(HEdit) + 10, 100, 120, false);
    LLabel = label("L:", Right(REdit) + 5, Bottom(SEdit) + 12);
    LEdit = edit(HEdit->GetLeft(), Bottom(SEdit) + 10, 100, 120, false);

    ColorViewer = new TspColorViewer(W);
    ColorViewer->SetParent(W);
    const int vl = Right(HEdit) + 5, vs = std::max(1, Right(PaletteContainer) - vl);
    ColorViewer->SetBounds(vl, Bottom(PaletteContainer) + 10, vs, vs);

    auto button = [&](const std::string& Caption, int Left, int Width) {
        auto* b = new TspSkinButton(W);
        b->SetParent(W);
        b->SetDefaultFont(FDefaultButtonFont.get());
        b->UseSkinFont = UseSkinFont;
        b->SetDefaultHeight(25);
        b->SetSkinDataName(ButtonSkinDataName);
        b->SetSkinData(FCtrlSkinData);
        b->SetCaption(Caption);
        b->SetBounds(Left, Bottom(LEdit) + 15, Width, 25);
        return b;
    };
    OKButton = button(Text(SPCONST_ID_SP_MSG_BTN_OK, "OK"), 5, 70);
    OKButton->ModalResult = mrOk;
    OKButton->SetDefault(true);
    CancelButton = button(Text(SPCONST_ID_SP_MSG_BTN_CANCEL, "Cancel"), 90, 70);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
    AddCustomColorButton = button(Text(SPCONST_ID_SP_ADDCUSTOMCOLORBUTTON_CAP, "Add to Custom Colors"),
                                  PaletteContainer->GetLeft(), PaletteContainer->GetWidth());
    AddCustomColorButton->OnClick = [this](TObject* S) { AddCustomColorButtonClick(S); };

    W->SetClientHeight(Bottom(AddCustomColorButton) + 10);
    W->SetClientWidth(378);

    ColorViewer->SetColorValue(Color);
    ColorGrid->SetColorValue(Color);
    BYTE r, g, b;
    Spcolorctrls::SplitColorRGB(Color, r, g, b);
    REdit->SetValue(r);
    GEdit->SetValue(g);
    BEdit->SetValue(b);
}

bool TspSkinColorDialog::Execute()
{
    std::unique_ptr<TForm> w(new TForm(nullptr));
    struct Holder {
        TspSkinColorDialog* D;
        ~Holder() { D->ForgetWindow(); }
    } holder{this};
    Window = w.get();
    Build(w.get());
    if (OnShowWindow) OnShowWindow(this);
    const bool ok = w->ShowModal() == mrOk;
    if (ok) {
        Color = ColorViewer->GetColorValue();
        for (int i = 1; i <= CustomColorCount; ++i) FCustomColors[i - 1] = CustomColorGrid->GetSlot(i);
        FCustomFillCount = CustomColorGrid->GetFillCount();
    }
    return ok;
}

void TspSkinColorDialog::SetEdits(TspSkinTrackEdit* A, TspSkinTrackEdit* B, TspSkinTrackEdit* C, int VA, int VB,
                                  int VC)
{
    A->SetValue(VA);
    B->SetValue(VB);
    C->SetValue(VC);
}

void TspSkinColorDialog::PaletteFollow(BYTE R, BYTE G, BYTE B)
{
    if (FPaletteFlag || !Palette) return;
    Palette->DrawCursor();
    TRGB c;
    c.R = R;
    c.G = G;
    c.B = B;
    FPaletteColor->SetRGB(c);
    Palette->DrawPSPPalette();
}

void TspSkinColorDialog::ApplyHSVColor(BYTE R, BYTE G, BYTE B)
{
    ColorViewer->SetColorValue(Spcolorctrls::RGBToColor(R, G, B));
    FRGBGuard = true;
    SetEdits(REdit, GEdit, BEdit, R, G, B);
    PaletteFollow(R, G, B);
    FRGBGuard = false;
}

void TspSkinColorDialog::ShowHSV(BYTE R, BYTE G, BYTE B)
{
    int h, s, v;
    Spcolorctrls::RGBToHSVExact(R, G, B, h, s, v);
    FAnchorValid = true;
    FAnchorH = h, FAnchorS = s, FAnchorV = v;
    FAnchorColor = Spcolorctrls::RGBToColor(R, G, B);
    FHSLGuard = true;
    SetEdits(HEdit, SEdit, LEdit, h, s, v);
    PaletteFollow(R, G, B);
    FHSLGuard = false;
}

// The edit handlers run inside the edits' window procedures: whatever an edit
// holds, nothing may escape from here.
void TspSkinColorDialog::RGBEditChange(TObject*)
{
    if (FRGBGuard || !REdit || !GEdit || !BEdit || !HEdit || !SEdit || !LEdit) return;
    try {
        const BYTE r = static_cast<BYTE>(EditInt(REdit, 255)), g = static_cast<BYTE>(EditInt(GEdit, 255)),
                   b = static_cast<BYTE>(EditInt(BEdit, 255));
        ColorViewer->SetColorValue(Spcolorctrls::RGBToColor(r, g, b));
        ShowHSV(r, g, b);
    } catch (...) {
        Trace::Caught(Trace::Skin, "colour dialog RGB edits");
        FHSLGuard = false;
    }
}

void TspSkinColorDialog::HSLEditChange(TObject*)
{
    if (FHSLGuard || !REdit || !GEdit || !BEdit || !HEdit || !SEdit || !LEdit) return;
    try {
        const int h = EditInt(HEdit, 359), s = EditInt(SEdit, 100), v = EditInt(LEdit, 100);
        // Numbers that read back as the colour they were taken from give that
        // colour again, not one rebuilt from rounded percentages: stepping a
        // field away and back, or retyping it, never drifts.
        BYTE r, g, b;
        if (FAnchorValid && h == FAnchorH && s == FAnchorS && v == FAnchorV) {
            Spcolorctrls::SplitColorRGB(FAnchorColor, r, g, b);
            ApplyHSVColor(r, g, b);
            return;
        }
        Spcolorctrls::HSVToRGBBytes(h, s, v, r, g, b);
        ApplyHSVColor(r, g, b);
    } catch (...) {
        Trace::Caught(Trace::Skin, "colour dialog HSL edits");
        FRGBGuard = false;
    }
}

void TspSkinColorDialog::ColorGridChange(TObject* Sender)
{
    if (!REdit || !HEdit) return;
    try {
        const TColor c = Sender == CustomColorGrid ? CustomColorGrid->GetColorValue() : ColorGrid->GetColorValue();
        BYTE r, g, b;
        Spcolorctrls::SplitColorRGB(c, r, g, b);
        FRGBGuard = true;
        SetEdits(REdit, GEdit, BEdit, r, g, b);
        FRGBGuard = false;
        ColorViewer->SetColorValue(Spcolorctrls::RGBToColor(r, g, b));
        ShowHSV(r, g, b);
    } catch (...) {
        Trace::Caught(Trace::Skin, "colour dialog grid");
        FRGBGuard = FHSLGuard = false;
    }
}

void TspSkinColorDialog::CustomColorGridChange(TObject* Sender) { ColorGridChange(Sender); }

void TspSkinColorDialog::ChangeEdits()
{
    if (!REdit) return;
    FPaletteFlag = true;
    try {
        const TRGB& c = FPaletteColor->GetRGB();
        SetEdits(REdit, GEdit, BEdit, c.R, c.G, c.B);
    } catch (...) {
        Trace::Caught(Trace::Skin, "colour dialog palette colour");
    }
    FPaletteFlag = false;
}

void TspSkinColorDialog::AddCustomColorButtonClick(TObject*)
{
    if (CustomColorGrid && ColorViewer) CustomColorGrid->AddColor(ColorViewer->GetColorValue());
}

void TspSkinColorDialog::PalettePSPMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    if (!Palette) return;
    try {
        Palette->MouseDown(Button, X, Y);
    } catch (...) {
        // A picture that cannot be drawn leaves the colour as it was.
        Trace::Caught(Trace::Skin, "colour palette press");
    }
}

void TspSkinColorDialog::PalettePSPMouseMove(TObject*, TShiftState Shift, int X, int Y)
{
    if (!Palette) return;
    try {
        Palette->MouseMove(Shift, X, Y);
    } catch (...) {
        // A picture that cannot be drawn leaves the colour as it was.
        Trace::Caught(Trace::Skin, "colour palette move");
    }
}

void TspSkinColorDialog::PalettePSPMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    if (!Palette) return;
    try {
        Palette->MouseUp(Button, X, Y);
    } catch (...) {
        // A picture that cannot be drawn leaves the colour as it was.
        Trace::Caught(Trace::Skin, "colour palette release");
    }
}
