#include "SkinMenuButtons.h"
#include "Button.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinMenuMode.h"
#include "SkinParentImage.h"
#include "SkinPopupMenu.h"

namespace {
// The track part of a record, or an empty rectangle for a plain button record.
TRect ReadTrackRect(const TspDataSkinControl* Rec)
{
    if (auto* m = dynamic_cast<const TspDataSkinMenuButtonControl*>(Rec)) return m->TrackButtonRect;
    return TRect();
}

TRect MovedTrackRect(const TRect& Track, const TspSkinElement& E, int W, int H)
{
    TRect r = Track;
    const int mode = E.GetResizeMode();
    if (mode == rmHorizontal) r.Offset(W - E.SkinRect.Width(), 0);
    if (mode == rmVertical) r.Offset(0, H - E.SkinRect.Height());
    return r;
}

bool PointIn(const TRect& R, int X, int Y) { return X >= R.left && X <= R.right && Y >= R.top && Y <= R.bottom; }

// Whether the popup menu is on screen now, opened by Opener. The component shows
// nothing without a frame on its form or without items; then no close message
// will ever come, so the opener must not wait for one.
bool MenuShownBy(TspSkinPopupMenu* Menu, TControl* Opener)
{
    TspFormFrame* frame = Menu->FindFrame();
    if (!frame) return false;
    TspSkinMenu* engine = TspSkinMenuMode::ForFrame(frame)->GetSkinMenu();
    return engine->GetOpen() && engine->GetOpener() == Opener;
}

TRect ScreenRectOf(TControl* C)
{
    const TPoint p = C->ClientToScreen(TPoint(0, 0));
    return TRect(p.x, p.y, p.x + C->GetWidth(), p.y + C->GetHeight());
}

// Copies the track part of the down look over the face: the track rectangle lies
// in element coordinates inside the down look of the picture. Both come from the
// skin, so the source is clipped to the down look and the picture.
void CopyDownTrack(TCanvas* Dest, TBitmap* Picture, const TRect& Track, const TRect& DownRect, const TRect& Target)
{
    if (!Picture || Picture->Empty()) return;
    TRect src = Track;
    src.Offset(DownRect.left, DownRect.top);
    TRect clipped = src;
    clipped.left = std::max(clipped.left, DownRect.left);
    clipped.top = std::max(clipped.top, DownRect.top);
    clipped.right = std::min(clipped.right, DownRect.right);
    clipped.bottom = std::min(clipped.bottom, DownRect.bottom);
    clipped = ClipToPicture(clipped, Picture);
    if (clipped.IsEmpty()) return;
    TRect dst(Target.left + (clipped.left - src.left), Target.top + (clipped.top - src.top), 0, 0);
    dst.right = dst.left + clipped.Width();
    dst.bottom = dst.top + clipped.Height();
    Dest->CopyRect(dst, Picture->GetCanvas(), clipped);
}

void FillFramed(TCanvas* C, const TRect& R, TspLookState State)
{
    C->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(C, R, State);
}

// The unskinned faces with a track part: F the face, T the track part.
// Returns whether the content is drawn pressed.
bool DrawTrackFaces(TCanvas* C, int W, int H, bool MenuOpen, bool DownUnderMouse, bool Hot)
{
    const TRect f(0, 0, W - MenuTrackWidth, H), t(W - MenuTrackWidth, 0, W, H);
    if (MenuOpen) {
        FillFramed(C, f, lsHot);
        FillFramed(C, t, lsDown);
        return false;
    }
    const TspLookState state = LookState(DownUnderMouse, Hot);
    FillFramed(C, f, state);
    FillFramed(C, t, state);
    return state == lsDown;
}

// The whole button as one face (no track part).
void DrawWholeFace(TCanvas* C, int W, int H, bool DownUnderMouse, bool Hot)
{
    FillFramed(C, TRect(0, 0, W, H), LookState(DownUnderMouse, Hot));
}
}  // namespace

// ---------------------------------------------------------- both menu buttons

template <class TButton>
TspSkinMenuButtonBase<TButton>::~TspSkinMenuButtonBase()
{
    SetSkinPopupMenu(nullptr);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::SetSkinPopupMenu(TspSkinPopupMenu* Value)
{
    FSkinPopupMenu.Set(Value);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::Notification(TComponent* AComponent, TOperation Operation)
{
    TButton::Notification(AComponent, Operation);
    FSkinPopupMenu.Removed(AComponent, Operation);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::GetSkinData()
{
    TButton::GetSkinData();
    // Unskinned, nothing of an earlier skin's track part stays in use.
    FTrackButtonRect = this->Skinned() ? ReadTrackRect(this->CurrentRecord()) : TRect();
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (!this->Skinned()) this->Repaint();
}

template <class TButton>
TRect TspSkinMenuButtonBase<TButton>::GetNewTrackButtonRect()
{
    return MovedTrackRect(FTrackButtonRect, this->FElement, this->GetWidth(), this->GetHeight());
}

template <class TButton>
bool TspSkinMenuButtonBase<TButton>::CanMenuTrack(int X, int Y)
{
    if (!FSkinPopupMenu) return false;
    if (!FTrackButtonMode) return true;
    const int w = this->GetWidth(), h = this->GetHeight();
    if (!this->Skinned()) return PointIn(TRect(w - MenuTrackWidth, 0, w, h), X, Y);
    return PointIn(GetNewTrackButtonRect(), X, Y);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::TrackMenu()
{
    if (!FSkinPopupMenu) return;
    if (this->FFace.Morphing) this->FMorphKf = 1;
    auto alive = this->FAlive.Watch();
    FSkinPopupMenu->PopupFromRect2(this, ScreenRectOf(this), false);
    if (!*alive) return;
    // Opening again closes an earlier menu first, whose close message cleared the
    // state; and a menu that could not show sends no close at all. So the state
    // follows what is really on screen.
    if (!FSkinPopupMenu || !MenuShownBy(FSkinPopupMenu, this)) {
        FMenuOpen = false;
        if (this->FDown) this->SetDown(false);
        return;
    }
    FMenuOpen = true;
    if (!this->FDown) this->SetDown(true);
    if (OnShowTrackMenu) OnShowTrackMenu(this);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::OpenFromInput()
{
    FMenuOpen = true;
    if (!this->FDown) this->SetDown(true);
    TrackMenu();
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::WMCloseSkinMenu(TMessage&)
{
    // A close for a menu this button no longer counts as open (one it replaced
    // itself) changes nothing, so OnHideTrackMenu follows each showing once.
    if (!FMenuOpen) return;
    FMenuOpen = false;
    this->SetDown(false);
    // Last: the handler may free the button.
    if (OnHideTrackMenu) OnHideTrackMenu(this);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CLOSESKINMENU) {
        WMCloseSkinMenu(Message);
        return;
    }
    TButton::WndProc(Message);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && CanMenuTrack(X, Y)) {
        FMenuPress = true;
        OpenFromInput();
        return;
    }
    TButton::MouseDown(Button, Shift, X, Y);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The release of the press that opened the menu is no click, even when the
    // menu is already gone again (an item chosen with the button held).
    if (Button == mbLeft && FMenuPress) {
        FMenuPress = false;
        return;
    }
    if (FMenuOpen) return;
    TButton::MouseUp(Button, Shift, X, Y);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::CMMouseEnter(TMessage& Message)
{
    if (FMenuOpen) {
        if (!this->IsDesigning()) this->FMouseIn = true;
        return;
    }
    TButton::CMMouseEnter(Message);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::CMMouseLeave(TMessage& Message)
{
    if (FMenuOpen) {
        if (!this->IsDesigning()) this->FMouseIn = false;
        return;
    }
    TButton::CMMouseLeave(Message);
}

template <class TButton>
void TspSkinMenuButtonBase<TButton>::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    const TspButtonFace& face = this->FFace;
    if (FMenuOpen && FTrackButtonMode && !FTrackButtonRect.IsEmpty() && !face.DownSkinRect.IsEmpty()) {
        TButton::CreateButtonImage(B, face.ActiveSkinRect, false, true);
        CopyDownTrack(B->GetCanvas(), this->FElement.Picture, FTrackButtonRect, face.DownSkinRect,
                      GetNewTrackButtonRect());
        return;
    }
    TButton::CreateButtonImage(B, R, ADown, AMouseIn);
}

template <class TButton>
bool TspSkinMenuButtonBase<TButton>::DrawDefaultFaces(TCanvas* C, bool DownUnderMouse, bool Hot)
{
    const int w = this->GetWidth(), h = this->GetHeight();
    bool pressed = false;
    if (FTrackButtonMode)
        pressed = DrawTrackFaces(C, w, h, FMenuOpen, DownUnderMouse, Hot);
    else
        DrawWholeFace(C, w, h, DownUnderMouse, Hot);
    C->GetFont()->Assign(this->FDefaultFont.get());
    if (!this->IsEnabled()) C->GetFont()->SetColor(clBtnShadow);
    C->GetBrush()->SetStyle(bsClear);
    return pressed;
}

template class TspSkinMenuButtonBase<TspSkinButton>;
template class TspSkinMenuButtonBase<TspSkinSpeedButton>;

// ---------------------------------------------------------------- menu button

TspSkinMenuButton::TspSkinMenuButton(TComponent* AOwner) : TspSkinMenuButtonBase<TspSkinButton>(AOwner)
{
    FSkinDataName = "toolmenubutton";
}

TspSkinMenuButton::~TspSkinMenuButton() = default;

void TspSkinMenuButton::WndProc(TMessage& Message)
{
    if (GetCanFocused()) {
        switch (Message.Msg) {
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE && !FTrackButtonMode && CanMenuTrack(0, 0)) {
                FMenuKey = true;
                OpenFromInput();
                return;
            }
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                // The key that opened the menu comes up later, menu open or not
                // any more: it neither clicks nor raises the button.
                if (FMenuKey || FMenuOpen) {
                    FMenuKey = false;
                    return;
                }
                SetDown(false);
                if (OnClick) OnClick(this);
                return;
            }
            // Enter already clicked when it went down (the push button's key
            // handling); its release only passes on, so one Enter is one click.
            break;
        default: break;
        }
    }
    TspSkinMenuButtonBase::WndProc(Message);
}

void TspSkinMenuButton::CMDialogChar(TMessage& Message)
{
    if (FTrackButtonMode || !FSkinPopupMenu) {
        TspSkinButton::CMDialogChar(Message);
        return;
    }
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus() && GetCanFocused()) {
        auto alive = FAlive.Watch();
        SetFocus();
        if (!*alive) return;
        Message.Result = 1;
        OpenFromInput();
        return;
    }
    TspSkinButton::CMDialogChar(Message);
}

void TspSkinMenuButton::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    const bool downUnderMouse = FDown && FMouseIn;
    const bool pressed = DrawDefaultFaces(c, downUnderMouse, FMouseIn || IsFocused());
    Skinctrls::DrawGlyphAndText(c, TRect(0, 0, w - MenuTrackWidth, h), FMargin, FSpacing, FLayout, GetText(),
                                FGlyph.get(), FNumGlyphs, 1, pressed);
    TRect arrow(w - MenuTrackWidth, 0, w, h);
    if (downUnderMouse || FMenuOpen) arrow.Offset(2, 2);
    Sputils::DrawTrackArrowImage(c, arrow, clBtnText);
}

// ---------------------------------------------------------- menu speed button

TspSkinMenuSpeedButton::TspSkinMenuSpeedButton(TComponent* AOwner) : TspSkinMenuButtonBase<TspSkinSpeedButton>(AOwner)
{
    SetSkinDataName("menubutton");
}

TspSkinMenuSpeedButton::~TspSkinMenuSpeedButton() = default;

void TspSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B)
{
    TspGraphicSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    const bool downUnderMouse = FDown && FMouseIn;
    const bool trackPressed = DrawDefaultFaces(c, downUnderMouse, FMouseIn);
    const bool pressed = FTrackButtonMode ? trackPressed : downUnderMouse;
    DrawContent(c, TRect(0, 0, w - MenuTrackWidth, h), 1, pressed, true, FMouseIn || FDown);
    TRect strip(w - MenuTrackWidth, 0, w, h);
    if (downUnderMouse || FMenuOpen) {
        strip.left += 2;
        strip.top += 2;
    }
    Sputils::DrawTrackArrowImage(c, strip, clBtnText);
}

void TspSkinMenuSpeedButton::PaintFlatWithArrow()
{
    const int w = GetWidth(), h = GetHeight();
    TBitmap b(w, h, pf24bit);
    Sputils::GetParentImage2(this, b.GetCanvas());
    TCanvas* c = b.GetCanvas();
    const TRect content = Skinned() ? FElement.NewClRect : TRect(0, 0, w - MenuTrackWidth, h);
    c->GetFont()->Assign(FDefaultFont.get());
    if (!IsEnabled()) c->GetFont()->SetColor(clBtnShadow);
    c->GetBrush()->SetStyle(bsClear);
    DrawContent(c, content, 1, false, false, false);
    TRect strip(Skinned() ? content.right : w - MenuTrackWidth, 0, w, h);
    if ((FDown && FMouseIn) || FMenuOpen) {
        strip.left += 2;
        strip.top += 2;
    }
    if (strip.right > strip.left) Sputils::DrawTrackArrowImage(c, strip, clBtnText);
    GetCanvas()->Draw(0, 0, &b);
}

void TspSkinMenuSpeedButton::Paint()
{
    if (GetWidth() <= 0 || GetHeight() <= 0) return;
    GetSkinData();
    if (FMouseIn || FDown || FMenuOpen || !FFlat)
        TspSkinSpeedButton::Paint();
    else
        PaintFlatWithArrow();
}
