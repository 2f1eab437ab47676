#include "FrameAnimateObject.h"
#include "FrameButtonObjects.h"
#include <algorithm>
#include <climits>

TspSkinAnimateObject::TspSkinAnimateObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    auto* r = dynamic_cast<TspDataSkinAnimate*>(AData);
    if (!r) return;
    // A strip needs at least one frame; the interval never beats the 25 ms tick.
    countframes = std::max(1, r->CountFrames);
    Cycle = r->Cycle;
    ButtonStyle = r->ButtonStyle;
    Interval = std::max(25, r->TimerInterval);
    Command = r->Command;
}

void TspSkinAnimateObject::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    const long long w = skinrect.Width(), h = skinrect.Height();
    const int frame = std::clamp(CurrentFrame, 1, countframes);
    const long long left = activeskinrect.left + (frame - 1) * w;
    if (!ActivePictureBitmap || w <= 0 || h <= 0 || left + w > INT_MAX) return;
    DrawPiece(Cnvs, ActivePictureBitmap,
              TRect(int(left), activeskinrect.top, int(left + w), int(activeskinrect.top + h)));
}

void TspSkinAnimateObject::Start()
{
    Elapsed = 25;
    CurrentFrame = 1;
    Active = true;
    SkinForm->EnableAnimationTimer();
}

void TspSkinAnimateObject::Stop()
{
    SetFrame(1);
    Active = false;
    Elapsed = 25;
}

void TspSkinAnimateObject::SetFrame(int N)
{
    // Playing forwards wraps past the last frame to the first, backwards past the
    // first to the last; a number outside the strip either way lands on that end.
    if (Forward)
        CurrentFrame = N > countframes || N < 1 ? 1 : N;
    else
        CurrentFrame = N <= 0 || N > countframes ? countframes : N;
    SkinForm->DrawSkinObject(this);
}

bool TspSkinAnimateObject::LinkMenu(TMenuItem* Item, bool PopupUp)
{
    // Only a button-style animation is clicked, so only it can open a menu.
    if (!ButtonStyle) return false;
    LinkedMenuItem = Item;
    PopupToUp = PopupUp;
    return true;
}

void TspSkinAnimateObject::ChangeFrame()
{
    if (Elapsed < Interval) {
        Elapsed += 25;
        return;
    }
    if (Forward) {
        SetFrame(CurrentFrame + 1);
        if (!Cycle && CurrentFrame >= countframes) Active = false;
    } else {
        SetFrame(CurrentFrame - 1);
        if (CurrentFrame <= 1) Active = false;
    }
    Elapsed = 25;
}

void TspSkinAnimateObject::MouseEnter()
{
    Hovered = true;
    if (ButtonStyle) {
        Active = true;
        Forward = true;
        SkinForm->EnableAnimationTimer();
    }
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinAnimateObject::MouseLeave()
{
    if (!Hovered) return;
    Hovered = false;
    if (ButtonStyle) {
        Active = true;
        Forward = false;
        SkinForm->EnableAnimationTimer();
    }
    SkinForm->MouseLeaveEvent(IDName);
}

void TspSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button)
{
    const bool in = Hovered;
    TspActiveSkinObject::MouseUp(X, Y, Button);
    if (in && ButtonStyle && Button == mbLeft) DoCommand();
}

void TspSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu) SkinForm->CloseForm();
}

void TspSkinAnimateObject::DoCommand()
{
    switch (Command) {
    case cmClose: SkinForm->CloseForm(); break;
    case cmMaximize:
        SkinForm->SetWindowState(SkinForm->GetWindowState() == fwsMaximized ? fwsNormal : fwsMaximized);
        break;
    case cmMinimize:
        if (SkinForm->AlwaysMinimizeToTray)
            SkinForm->MinimizeToTray();
        else
            SkinForm->SetWindowState(SkinForm->SupportNCArea() && SkinForm->GetWindowState() == fwsMinimized
                                         ? fwsNormal
                                         : fwsMinimized);
        break;
    case cmSysMenu: {
        TPopupMenu* m = SkinForm->GetSystemMenu();
        LinkedMenuItem = m ? m->GetItems() : nullptr;
        TrackMenu();
        break;
    }
    case cmDefault: TrackMenu(); break;
    case cmRollUp: SkinForm->SetRollUpState(!SkinForm->GetRolledUp()); break;
    case cmMinimizeToTray: SkinForm->MinimizeToTray(); break;
    }
}

void TspSkinAnimateObject::TrackMenu()
{
    if (!LinkedMenuItem || LinkedMenuItem->GetCount() == 0) return;
    Frameobjects::PopupLinkedMenu(SkinForm, Frameobjects::ScreenRect(SkinForm, ObjectRect), LinkedMenuItem,
                                  PopupToUp);
}
