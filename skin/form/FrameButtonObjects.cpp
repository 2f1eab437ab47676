#include "FrameButtonObjects.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"

namespace Frameobjects {

TRect ScreenRect(TspFormFrame* Frame, const TRect& ObjectRect)
{
    TRect r = ObjectRect;
    TCustomForm* f = Frame ? Frame->GetOwnerForm() : nullptr;
    if (!f) return r;
    // Objects sit in window coordinates: the window's own position on the screen.
    RECT wr;
    if (f->HandleAllocated() && GetWindowRect(f->GetHandle(), &wr))
        r.Offset(wr.left, wr.top);
    else
        r.Offset(f->GetLeft(), f->GetTop());
    return r;
}

bool MenuOpen(TspFormFrame* Frame)
{
    TspSkinMenuMode* mode = Frame ? TspSkinMenuMode::ForFrame(Frame) : nullptr;
    return mode && mode->GetSkinMenu() && mode->GetSkinMenu()->GetOpen();
}

void PopupLinkedMenu(TspFormFrame* Frame, const TRect& R, TMenuItem* Item, bool PopupUp)
{
    if (!Frame || !Item || Item->GetCount() == 0) return;
    if (auto* pm = dynamic_cast<TspSkinPopupMenu*>(Item->GetParentMenu())) {
        pm->PopupFromRect(R, PopupUp);
        return;
    }
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(Frame);
    if (!mode || !mode->GetSkinMenu()) return;
    TspSkinData* skin = Frame->GetMenusSkinData() ? Frame->GetMenusSkinData() : Frame->GetSkinData();
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(nullptr, skin, 0, R, Item, PopupUp);
    // Menu mode stays only while a level is really shown.
    mode->CheckOpened();
}

void ReleaseMenuButtons(TspFormFrame* Frame)
{
    if (!Frame) return;
    for (int i = 0; i < Frame->ObjectCount(); ++i) {
        auto* b = dynamic_cast<TspSkinButtonObject*>(Frame->GetObject(i));
        if (b && b->Down && b->LinkedMenuItem) b->SetDown(false);
    }
}

}  // namespace Frameobjects

// ---- TspSkinButtonObject ----

TspSkinButtonObject::TspSkinButtonObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    auto* r = dynamic_cast<TspDataSkinButton*>(AData);
    if (!r) return;
    GroupIndex = r->GroupIndex;
    // The pressed and disabled images lie in the active picture; without one the
    // button has neither (our copies only).
    if (ActivePictureBitmap) {
        downrect = r->DownRect;
        disableskinrsect = r->DisableSkinRsect;
    }
}

TspSkinButtonObject::~TspSkinButtonObject() = default;

void TspSkinButtonObject::Draw(TCanvas* Cnvs, bool Forced)
{
    if (!Enabled && !disableskinrsect.IsEmpty()) {
        DrawPiece(Cnvs, ActivePictureBitmap, disableskinrsect);
        return;
    }
    // A plain button dragged off while pressed looks released.
    if (Down && !downrect.IsEmpty() && (GroupIndex != -1 || Hovered)) {
        DrawPiece(Cnvs, ActivePictureBitmap, downrect);
        return;
    }
    TspActiveSkinObject::Draw(Cnvs, Forced);
}

void TspSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft && !Down) {
        SetDown(true);
        TrackMenu();
    }
    TspActiveSkinObject::MouseDown(X, Y, Button);
}

void TspSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft && !LinkedMenuItem && Down && GroupIndex == -1) SetDown(false);
    TspActiveSkinObject::MouseUp(X, Y, Button);
}

void TspSkinButtonObject::MouseEnter()
{
    Hovered = true;
    Active = true;
    if (Down && !downrect.IsEmpty()) {
        if (GroupIndex == -1) SkinForm->DrawSkinObject(this);   // pressed again under the pointer
    } else if (!activeskinrect.IsEmpty()) {
        Redraw();
    }
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinButtonObject::MouseLeave()
{
    Hovered = false;
    const bool keepsLook = Down && !downrect.IsEmpty() && (GroupIndex != -1 || LinkedMenuItem);
    if (!keepsLook) {
        Active = false;
        if (morphing && Down) MorphKf = 1;   // the fade starts from the active image
        if (!activeskinrect.IsEmpty() || (!downrect.IsEmpty() && GroupIndex == -1)) Redraw();
    }
    SkinForm->MouseLeaveEvent(IDName);
}

void TspSkinButtonObject::SetDown(bool Value)
{
    Down = Value;
    if (downrect.IsEmpty()) {
        if (Value) ReleaseGroup();
        return;
    }
    if (Value) {
        if (morphing) MorphKf = 1;
        SkinForm->DrawSkinObject(this);
        ReleaseGroup();
        return;
    }
    if (FMenuWatch) FMenuWatch->SetEnabled(false);
    if (GroupIndex != -1 || LinkedMenuItem) Active = false;
    // Redraw of a morphing object only starts the fade: the pressed image must
    // go now, so the fade's first image is drawn at once.
    if (morphing) SkinForm->DrawSkinObject(this);
    Redraw();
}

void TspSkinButtonObject::ReleaseGroup()
{
    if (GroupIndex == -1) return;
    for (int i = 0; i < SkinForm->ObjectCount(); ++i) {
        auto* b = dynamic_cast<TspSkinButtonObject*>(SkinForm->GetObject(i));
        if (b && b != this && b->IDName != IDName && b->GroupIndex == GroupIndex && b->Down) {
            b->SetDown(false);
            return;
        }
    }
}

TRect TspSkinButtonObject::ScreenRect() const { return Frameobjects::ScreenRect(SkinForm, ObjectRect); }

void TspSkinButtonObject::TrackMenu()
{
    if (!LinkedMenuItem || LinkedMenuItem->GetCount() == 0) return;
    Frameobjects::PopupLinkedMenu(SkinForm, ScreenRect(), LinkedMenuItem, PopupToUp);
    if (!FMenuWatch) {
        FMenuWatch = std::make_unique<TTimer>(nullptr);
        FMenuWatch->SetInterval(50);
        FMenuWatch->OnTimer = [this](TObject*) { MenuWatchTick(); };
    }
    FMenuWatch->SetEnabled(true);
}

void TspSkinButtonObject::MenuWatchTick()
{
    // Only disabled here, never freed: this runs inside the timer's own tick.
    if (Down && LinkedMenuItem && Frameobjects::MenuOpen(SkinForm)) return;
    FMenuWatch->SetEnabled(false);
    if (Down && LinkedMenuItem) SetDown(false);
}

// ---- TspSkinStdButtonObject ----

TspSkinStdButtonObject::TspSkinStdButtonObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspSkinButtonObject(AForm, AData), HasSkin(AData != nullptr)
{
    auto* r = dynamic_cast<TspDataSkinStdButton*>(AData);
    if (!r) return;
    Command = r->Command;
    if (ActivePictureBitmap) {
        RestoreRect = r->RestoreRect;
        RestoreActiveRect = r->RestoreActiveRect;
        RestoreDownRect = r->RestoreDownRect;
    }
}

bool TspSkinStdButtonObject::CommandInForce() const
{
    switch (Command) {
    case cmMaximize: return SkinForm->GetWindowState() == fwsMaximized;
    case cmMinimize: return SkinForm->GetWindowState() == fwsMinimized;
    case cmRollUp: return SkinForm->GetRolledUp();
    default: return false;
    }
}

bool TspSkinStdButtonObject::ShowsFormIcon() const
{
    return Command == cmSysMenu && SkinForm->GetShowIcon() && skinrectinapicture;
}

void TspSkinStdButtonObject::Draw(TCanvas* Cnvs, bool Forced)
{
    if (!HasSkin) {
        DrawDefault(Cnvs);
        return;
    }
    if (!Enabled || (!inactiveskinrect.IsEmpty() && !FormActive())) {
        TspSkinButtonObject::Draw(Cnvs, Forced);
        return;
    }
    if (ShowsFormIcon()) {
        SkinForm->DrawFormIcon(Cnvs, ObjectRect.left, ObjectRect.top);
        MorphKf = 0;
        return;
    }
    if (CommandInForce() && !RestoreRect.IsEmpty()) {
        DrawRestoreImages(Cnvs);
        return;
    }
    TspSkinButtonObject::Draw(Cnvs, Forced);
}

void TspSkinStdButtonObject::DrawRestoreImages(TCanvas* Cnvs)
{
    if (Down && Hovered && !RestoreDownRect.IsEmpty()) {
        DrawPiece(Cnvs, ActivePictureBitmap, RestoreDownRect);
    } else if (morphing && !RestoreActiveRect.IsEmpty() && MorphUnderWay()) {
        auto normal = PieceImage(ActivePictureBitmap, RestoreRect);
        auto act = PieceImage(ActivePictureBitmap, RestoreActiveRect);
        DrawMorph(Cnvs, normal.get(), act.get());
    } else if (Active && !RestoreActiveRect.IsEmpty()) {
        DrawPiece(Cnvs, ActivePictureBitmap, RestoreActiveRect);
    } else {
        DrawPiece(Cnvs, ActivePictureBitmap, RestoreRect);
    }
}

void TspSkinStdButtonObject::DrawDefault(TCanvas* Cnvs)
{
    if (!Cnvs) return;
    if (Command == cmSysMenu && SkinForm->GetShowIcon()) {
        int iw = 16, ih = 16;
        SkinForm->GetIconSize(iw, ih);
        SkinForm->DrawFormIcon(Cnvs, ObjectRect.left + (ObjectRect.Width() - iw) / 2,
                               ObjectRect.top + (ObjectRect.Height() - ih) / 2);
        return;
    }
    auto b = Frameobjects::NewImage(ObjectRect.Width(), ObjectRect.Height());
    if (!b) return;
    TCanvas* c = b->GetCanvas();
    const int w = b->GetWidth(), h = b->GetHeight();
    const bool pressedIn = Down && Hovered;
    c->GetBrush()->SetStyle(bsSolid);
    if (Hovered) {
        c->GetBrush()->SetColor(clPlainHotFrame);
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(pressedIn ? clPlainDownFill : clPlainHotFill);
        c->FillRect(TRect(1, 1, w - 1, h - 1));
    } else {
        c->GetBrush()->SetColor(clPlainFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    int x = w / 2 - 5, y = h / 2 - 4;
    if (pressedIn) {
        ++x;
        ++y;
    }
    const TColor gc = Enabled ? clBtnText : clBtnShadow;
    const int state = SkinForm->GetWindowState();
    switch (Command) {
    case cmClose: Sputils::DrawCloseImage(c, x, y, gc); break;
    case cmMaximize:
        if (state == fwsMaximized)
            Sputils::DrawRestoreImage(c, x, y, gc);
        else
            Sputils::DrawMaximizeImage(c, x, y, gc);
        break;
    case cmMinimize:
        if (state == fwsMinimized)
            Sputils::DrawRestoreImage(c, x, y, gc);
        else
            Sputils::DrawMinimizeImage(c, x, y, gc);
        break;
    case cmSysMenu: Sputils::DrawSysMenuImage(c, x, y, gc); break;
    case cmRollUp:
        if (SkinForm->GetRolledUp())
            Sputils::DrawRestoreRollUpImage(c, x, y, gc);
        else
            Sputils::DrawRollUpImage(c, x, y, gc);
        break;
    case cmMinimizeToTray: Sputils::DrawMTImage(c, x, y, gc); break;
    case cmDefault: break;
    }
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, b.get());
}

void TspSkinStdButtonObject::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || Down) return;
    SetDown(true);
    if (Command == cmSysMenu) {
        TPopupMenu* m = SkinForm->GetSystemMenu();
        LinkedMenuItem = m ? m->GetItems() : nullptr;
        TrackMenu();
    }
}

void TspSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled) return;
    // The command, and the application's handler of the release, may free the
    // frame and this object with it: neither is followed by a touch of a freed one.
    auto alive = WatchAlive();
    if (Command == cmClose) {
        // Released (drawn normal) before the form is asked to close.
        const bool run = Active && Button == mbLeft;
        TspSkinButtonObject::MouseUp(X, Y, Button);
        if (run && *alive) DoCommand();
        return;
    }
    if (Active && Button == mbLeft) DoCommand();
    if (*alive) TspSkinButtonObject::MouseUp(X, Y, Button);
}

void TspSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu) DoClose();
}

bool TspSkinStdButtonObject::CanMorphing()
{
    if (ShowsFormIcon()) return false;
    return TspSkinButtonObject::CanMorphing();
}

void TspSkinStdButtonObject::DoCommand()
{
    switch (Command) {
    case cmClose: DoClose(); break;
    case cmMaximize: DoMax(); break;
    case cmMinimize:
        if (SkinForm->AlwaysMinimizeToTray)
            SkinForm->MinimizeToTray();
        else
            DoMin();
        break;
    case cmRollUp: DoRollUp(); break;
    case cmMinimizeToTray: DoMinimizeToTray(); break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

void TspSkinStdButtonObject::DoClose() { SkinForm->CloseForm(); }

void TspSkinStdButtonObject::DoMax()
{
    SkinForm->SetWindowState(SkinForm->GetWindowState() == fwsMaximized ? fwsNormal : fwsMaximized);
}

void TspSkinStdButtonObject::DoMin()
{
    const bool restore = SkinForm->SupportNCArea() && SkinForm->GetWindowState() == fwsMinimized;
    SkinForm->SetWindowState(restore ? fwsNormal : fwsMinimized);
}

void TspSkinStdButtonObject::DoRollUp() { SkinForm->SetRollUpState(!SkinForm->GetRolledUp()); }

void TspSkinStdButtonObject::DoMinimizeToTray() { SkinForm->MinimizeToTray(); }
