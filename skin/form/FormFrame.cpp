// TspFormFrame: construction, properties, the skin change and the window
// states the caption buttons command. The window procedure, geometry,
// painting and the object handling live in their own source files.
#include "FormFrame.h"
#include "Application.h"
#include "FrameMainMenuItem.h"
#include "Screen.h"
#include "SkinChangeWalk.h"
#include "SkinMenuMode.h"
#include "SkinPlatform.h"
#include "SkinPopupMenu.h"
#include "TrayIcon.h"

TspFormFrame::TspFormFrame(TComponent* AOwner) : TComponent(AOwner)
{
    OwnerForm = dynamic_cast<TCustomForm*>(AOwner);
    FLogoBitMap = std::make_unique<TBitmap>();
    FDefCaptionFont = std::make_unique<TFont>();
    FDefCaptionFont->SetName("Arial");
    FDefCaptionFont->SetHeight(14);
    FDefCaptionFont->SetStyle(fsBold);
    FDefCaptionFont->SetColor(clBtnText);
    FDefInActiveCaptionFont = std::make_unique<TFont>();
    FDefInActiveCaptionFont->Assign(FDefCaptionFont.get());
    FDefInActiveCaptionFont->SetColor(clBtnShadow);
    FDefMenuItemFont = std::make_unique<TFont>();
    FDefMenuItemFont->SetName("Arial");
    FDefMenuItemFont->SetHeight(14);
    for (auto* s : {&FTopMaskStrip, &FBottomMaskStrip, &FLeftMaskStrip, &FRightMaskStrip}) s->reset(new TBitmap);

    auto makeTimer = [this](UINT Interval, void (TspFormFrame::*Tick)()) {
        auto t = std::make_unique<TTimer>(nullptr);
        t->SetEnabled(false);
        t->SetInterval(Interval);
        t->OnTimer = [this, Tick](TObject*) { (this->*Tick)(); };
        return t;
    };
    FMorphingTimer = makeTimer(20, &TspFormFrame::TestMorph);
    FPointerTimer = makeTimer(50, &TspFormFrame::TestMouse);
    FAnimationTimer = makeTimer(25, &TspFormFrame::TestAnimate);

    FSystemPopupMenu = std::make_unique<TPopupMenu>(nullptr);
    CreateSysTrayMenu();
    if (OwnerForm) {
        OwnerForm->SetBorderIcons(0);
        OwnerForm->AutoSize = false;
        OwnerForm->OnShortCut = [this](TMessage& Msg, bool& Handled) { FormShortCut(Msg, Handled); };
    }
    if (!IsDesigning()) InstallHook();
}

TspFormFrame::~TspFormFrame()
{
    // The form gets its own procedure back before our parts go, so messages
    // that arrive meanwhile never reach a half-destroyed frame.
    if (!IsDesigning()) RemoveHook();
    UnhookMDIClient();
    // While the form itself is being destroyed its own members are already
    // gone (owned components go last): only a frame freed alone gives the
    // form's shortcut handler back.
    if (OwnerForm && !OwnerForm->IsDestroying()) OwnerForm->OnShortCut = nullptr;
    FMainMenuActive = false;
    // A tray icon that outlives us must not keep our menu or our handler.
    SetTrayIcon(nullptr);
    StopTimers();
    ClearObjects();
    if (FWindowRegion) FWindowRegion.Reset();   // only our copy; the window keeps its own
}

// ---- properties ----

void TspFormFrame::SetLogoBitMap(TBitmap* Value)
{
    if (Value)
        FLogoBitMap->Assign(Value);
    else
        FLogoBitMap = std::make_unique<TBitmap>();
}

void TspFormFrame::SetShowIcon(bool Value)
{
    FShowIcon = Value;
    if (!IsLoading() && !IsDesigning()) SendNCPaint();
}

void TspFormFrame::SetDefCaptionFont(TFont* Value)
{
    if (Value) FDefCaptionFont->Assign(Value);
    if (!IsLoading() && !IsDesigning() && !FSkinLoaded) SendNCPaint();
}

void TspFormFrame::SetDefInActiveCaptionFont(TFont* Value)
{
    if (Value) FDefInActiveCaptionFont->Assign(Value);
    if (!IsLoading() && !IsDesigning() && !FSkinLoaded) SendNCPaint();
}

void TspFormFrame::SetDefMenuItemFont(TFont* Value)
{
    if (Value) FDefMenuItemFont->Assign(Value);
}

void TspFormFrame::SetDefMenuItemHeight(int Value)
{
    if (Value > 0) DefMenuItemHeight = Value;
}

void TspFormFrame::SetSkinHint(TspSkinHint* Value) { FSkinHint = Value; }
void TspFormFrame::SetTrayIcon(TspTrayIcon* Value)
{
    if (Value == FTrayIcon) return;
    if (FTrayIcon && FTrayIcon->GetPopupMenu() == FTrayPopupMenu.get()) {
        FTrayIcon->SetPopupMenu(nullptr);
        FTrayIcon->OnDblClick = nullptr;
    }
    FTrayIcon.Set(Value);
    if (!Value) return;
    if (!AlwaysShowInTray) Value->SetIconVisible(false);
    if (!Value->IsDesigning() && !Value->GetPopupMenu()) {
        Value->SetPopupMenu(FTrayPopupMenu.get());
        Value->OnDblClick = [this](TObject* Sender) { TrayIconDBLCLK(Sender); };
    }
}
void TspFormFrame::SetMainMenuBar(TspSkinMainMenuBar* Value)
{
    if (Value == FMainMenuBar) return;
    FMainMenuBar = Value;
    // The bar shows the main menu instead of the frame (and the other way round).
    if (FSkinLoaded && !IsDesigning()) UpdateMainMenu(true);
}

void TspFormFrame::SetSupportNCArea(bool Value)
{
    FSupportNCArea = Value;
    if (!Value && IsDesigning() && OwnerForm) OwnerForm->SetBorderStyle(bsNone);
}

void TspFormFrame::SetAlphaBlend(bool Value)
{
    if (Value == FAlphaBlend) return;
    FAlphaBlend = Value;
    HWND wnd = FormHandle();
    // Without a window yet the window's creation applies it.
    if (GetComponentState() != 0 || !wnd) return;
    if (Value) {
        ApplyAlphaBlend(wnd);
    } else {
        SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }
}

void TspFormFrame::ApplyAlphaBlend(HWND Wnd)
{
    if (!FAlphaBlend || !Wnd || GetComponentState() != 0) return;
    SetWindowLongA(Wnd, GWL_EXSTYLE, GetWindowLongA(Wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    Sputils::SetAlphaBlendTransparent(Wnd, FAlphaBlendValue);
}

void TspFormFrame::SetFormStyle(TFormStyle Value)
{
    if (!OwnerForm || (Value != fsNormal && Value != fsStayOnTop)) return;
    OwnerForm->SetFormStyle(Value);
    if (FAlphaBlend && FSkinData) Skinctrls::ReskinControls(OwnerForm, FSkinData, false);
}

void TspFormFrame::SetAlphaBlendValue(BYTE Value)
{
    if (Value == FAlphaBlendValue) return;
    FAlphaBlendValue = Value;
    HWND wnd = FormHandle();
    if (FAlphaBlend && GetComponentState() == 0 && wnd) Sputils::SetAlphaBlendTransparent(wnd, Value);
}

void TspFormFrame::SetMainMenu(TMainMenu* Value)
{
    if (Value == FMainMenu) return;
    FMainMenu = Value;
    if (FMainMenu) FMainMenu->FreeNotification(this);
    if (FSkinLoaded && !IsDesigning()) UpdateMainMenu(true);
}

void TspFormFrame::SetSystemMenu(TPopupMenu* Value) { FSystemMenu = Value; }

void TspFormFrame::SetSkinData(TspSkinData* Value)
{
    FSkinData.Set(Value);
    FTrayPopupMenu->SetSkinData(Value);
    if (!IsDesigning()) ChangeSkinData();
}

void TspFormFrame::SetBorderIcons(TspBorderIcons Value)
{
    FBorderIcons = Value;
    if (FSupportNCArea || FSkinLoaded) {
        if (FSkinLoaded) {
            // Keeps the skin's own buttons, hiding those whose command is gone;
            // the repaint lines up the ones left.
            CheckObjects();
            SendNCPaint();
        } else {
            LoadDefObjects();
            SendNCPaint();
        }
    }
}

void TspFormFrame::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // Every reference is tested on its own: one component may hold two roles.
    // A skin data component freed under a live form leaves it the default frame.
    if (FSkinData.Removed(AComponent, Operation) && !IsDestroying() && OwnerForm && !OwnerForm->IsDestroying())
        ChangeSkinData();
    FMenusSkinData.Removed(AComponent, Operation);
    if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        FMainMenuActive = false;
        for (int i = 0; i < MainMenuItemCount(); ++i) ForgetMainMenuItem(GetMainMenuItem(i)->LinkedMenuItem);
    }
    ForgetMainMenuItem(AComponent);
    if (AComponent == FSystemMenu) FSystemMenu = nullptr;
    if (reinterpret_cast<void*>(AComponent) == reinterpret_cast<void*>(FMainMenuBar)) FMainMenuBar = nullptr;
    MDIForgetComponent(AComponent);
    FTrayIcon.Removed(AComponent, Operation);
    if (reinterpret_cast<void*>(AComponent) == reinterpret_cast<void*>(FSkinHint)) FSkinHint = nullptr;
    ForgetLinkedMenu(AComponent);
    ForgetAreaControl(AComponent);
}

bool TspFormFrame::GetFormActive()
{
    if (AlwaysActive) return true;
    if (!OwnerForm) return false;
    if (IsMDIChildFrame() || IsMDIMainFrame()) return FMDIChildActive;
    return OwnerForm->GetActive() && Screen && Screen->GetActiveForm() == OwnerForm;
}

// ---- events raised for the objects ----

void TspFormFrame::MouseDownEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, R, B);
}
void TspFormFrame::MouseUpEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, R, B);
}
void TspFormFrame::MouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& R)
{
    if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, R);
}
void TspFormFrame::MouseEnterEvent(const std::string& IDName)
{
    if (OnMouseEnterEvent) OnMouseEnterEvent(IDName);
}
void TspFormFrame::MouseLeaveEvent(const std::string& IDName)
{
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName);
}
void TspFormFrame::PaintEvent(const std::string& IDName, TCanvas* Canvas, const TRect& R)
{
    if (OnPaintEvent) OnPaintEvent(IDName, Canvas, R);
}

std::string TspFormFrame::GetCaptionText() const
{
    return OwnerForm ? OwnerForm->GetText() + MDICaptionSuffix() : std::string();
}

TFont* TspFormFrame::GetCaptionFont()
{
    return GetFormActive() ? FDefCaptionFont.get() : FDefInActiveCaptionFont.get();
}

int TspFormFrame::GetDefCaptionHeight() const
{
    const TFormBorderStyle b = OwnerForm ? OwnerForm->GetBorderStyle() : bsSizeable;
    return b == bsToolWindow || b == bsSizeToolWin ? 15 : 19;
}

int TspFormFrame::GetDefButtonSize() const
{
    const TFormBorderStyle b = OwnerForm ? OwnerForm->GetBorderStyle() : bsSizeable;
    return b == bsToolWindow || b == bsSizeToolWin ? 13 : 17;
}

// ---- skin change ----

void TspFormFrame::ChangeSkinData()
{
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FSkinLoaded = FSkinData && !FSkinData->Empty;
    if (!OwnerForm) return;
    if (!FSupportNCArea) {
        ClientAreaChangeSkinData();
        return;
    }
    if (FSkinLoaded) {
        LoadObjects();
        CheckObjects();
    } else {
        ClearObjects();
        CreateNewRegion(true);
    }
    FSkinChanging = true;
    const int mw = GetMinWidth(), mh = GetMinHeight();
    const int w = OwnerForm->GetWidth(), h = OwnerForm->GetHeight();
    if (w < mw && h < mh)
        OwnerForm->SetBounds(OwnerForm->GetLeft(), OwnerForm->GetTop(), mw, mh);
    else if (h < mh)
        OwnerForm->SetHeight(mh);
    else if (w < mw)
        OwnerForm->SetWidth(mw);
    else
        UpDateForm();
    if ((FRolledUp || FWindowState == fwsMinimized) && OwnerForm->GetHeight() != GetMinHeight())
        OwnerForm->SetHeight(GetMinHeight());
    if (FWindowState == fwsMinimized && OwnerForm->GetWidth() != GetMinWidth()) OwnerForm->SetWidth(GetMinWidth());
    FrameWidth = OwnerForm->GetWidth();
    FrameHeight = OwnerForm->GetHeight();
    if (FSkinLoaded) CreateNewForm(true);
    if (OwnerForm->HandleAllocated()) {
        RedrawWindow(OwnerForm->GetWindowHandle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        SendNCPaint();
    }
    FormChangeActive(true);
    FPointerTimer->SetEnabled(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    FSkinChanging = false;
    if (ClientWidth > 0) OwnerForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0) OwnerForm->SetClientHeight(ClientHeight);
}

void TspFormFrame::CreateNewForm(bool Scale)
{
    if (IsDesigning() || !FSkinLoaded || !(CanNCSupport() || ClientAreaUsable())) return;
    CalcRects();
    if (Scale) CalcAllRealObjectRect();
    CreateNewRegion(Scale);
    if (OnChangeClientRect) OnChangeClientRect(FrameClientRect);
    if (!FSupportNCArea) {
        if (OwnerForm) OwnerForm->Invalidate();
        ControlsToAreas();
        return;
    }
    if (FSupportNCArea && !FWindowRegion) SendNCPaint();
}

void TspFormFrame::UpDateForm()
{
    HWND wnd = FormHandle();
    if (!wnd) return;
    // A frame change makes the system ask for the non-client size again and
    // send the size messages, as two real size changes would.
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- window states ----

void TspFormFrame::SetWindowState(int Value)
{
    if (Value == FWindowState || !OwnerForm) return;
    const bool mainForm = Application && Application->GetMainForm() == OwnerForm;
    if (!(Value == fwsMinimized && mainForm)) FWindowState = Value;
    if (MDIChildSetWindowState(Value)) return;
    switch (Value) {
    case fwsNormal: DoNormal(); break;
    case fwsMinimized: DoMinimize(); break;
    case fwsMaximized: DoMaximize(); break;
    default: break;
    }
}

void TspFormFrame::DoMinimize()
{
    const bool mainForm = Application && Application->GetMainForm() == OwnerForm;
    if (mainForm || !FSupportNCArea) {
        if (Application) Application->Minimize();
        return;
    }
    if (FNormalBounds.Width() <= 0 && FNormalBounds.Height() <= 0) FNormalBounds = OwnerForm->GetBoundsRect();
    const TPoint p = GetMinimizeCoord();
    OwnerForm->SetBounds(p.x, p.y, GetMinWidth(), GetMinHeight());
}

TPoint TspFormFrame::GetMinimizeCoord() const
{
    const int w = GetMinWidth(), h = GetMinHeight();
    const TRect area = MaxAreaWork();
    int x = area.left, y = area.bottom - h;
    if (w <= 0 || h <= 0) return TPoint(x, y);
    // The first slot along the bottom rows that no other frame-minimised form
    // holds; when every row is full the first slot is used again.
    for (;;) {
        bool taken = false;
        for (int i = 0; Screen && i < Screen->GetFormCount() && !taken; ++i) {
            TCustomForm* f = Screen->GetForms(i);
            if (f == OwnerForm || (Application && f == Application->GetMainForm()) || !f->GetVisible()) continue;
            TspFormFrame* ff = Formframe::GetFormFrameComponent(f);
            taken = ff && ff->FWindowState == fwsMinimized && f->GetLeft() == x && f->GetTop() == y;
        }
        if (!taken) break;
        x += w;
        if (x + w > area.right) {
            x = area.left;
            y -= h;
            if (y < area.top) return TPoint(area.left, area.bottom - h);
        }
    }
    return TPoint(x, y);
}

void TspFormFrame::DoMaximize()
{
    if (FNormalBounds.Width() <= 0 && FNormalBounds.Height() <= 0) FNormalBounds = OwnerForm->GetBoundsRect();
    TRect r = MaxArea();
    if (!MaximizeOnFullScreen) {
        HWND wnd = FormHandle();
        const TRect whole = wnd ? Sputils::GetMonitorWorkArea(wnd, false) : Sputils::GetPrimaryMonitorWorkArea(false);
        // With no task bar a hidden one is still reachable along the edge.
        if (whole.left == r.left && whole.top == r.top && whole.right == r.right && whole.bottom == r.bottom)
            r.Inflate(-1, -1);
    }
    OwnerForm->SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TspFormFrame::DoNormal()
{
    FRolledUpMaximized = false;
    if (FNormalBounds.Width() > 0 || FNormalBounds.Height() > 0) {
        const TRect b = FNormalBounds;
        const bool same = b.Width() == OwnerForm->GetWidth() && b.Height() == OwnerForm->GetHeight();
        OwnerForm->SetBounds(b.left, b.top, b.Width(), b.Height());
        if (same) UpDateForm();
    }
    FPointerTimer->SetEnabled(true);
    if (FSupportNCArea) OwnerForm->Invalidate();
    FNormalBounds = TRect();
}

void TspFormFrame::SetRollUpState(bool Value)
{
    if (!OwnerForm) return;
    if (!FSupportNCArea && !FSkinLoaded) return;
    if (!(FBorderIcons & biRollUp)) return;
    if (FWindowState == fwsMaximized && FRolledUp && !FRolledUpMaximized) return;
    if (FWindowState == fwsMinimized) return;
    if (Value == FRolledUp) return;
    if (FWindowState == fwsMaximized) FRolledUpMaximized = Value;
    FRolledUp = Value;
    if (FSupportNCArea) {
        if (Value) {
            FHeightBeforeRollUp = OwnerForm->GetHeight();
            OwnerForm->SetHeight(GetMinHeight());
        } else {
            OwnerForm->SetHeight(FHeightBeforeRollUp);
        }
    } else {
        ClientAreaRollUp(Value);
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TspFormFrame::MinimizeToTray()
{
    // The tray icon component does the hiding when the application minimises;
    // without one there is nowhere to minimise to.
    if (!FTrayIcon) return;
    FTrayIcon->MinimizeToTray = true;
    if (Application) Application->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TspFormFrame::RestoreFromTray()
{
    if (!FTrayIcon) return;
    FTrayIcon->MinimizeToTray = false;
    FTrayIcon->ShowMainForm();
    if (Application) Application->Restore();
    if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TspFormFrame::TrayIconDBLCLK(TObject*) { RestoreFromTray(); }

int TspFormFrame::GetRealHeight() const { return FRolledUp ? FHeightBeforeRollUp : FrameHeight; }

void TspFormFrame::CheckWindowState()
{
    if (!IsCaptionObject(ActiveObject)) return;
    if (FRolledUp)
        SetRollUpState(false);
    else if (Sizeable)
        SetWindowState(FWindowState == fwsNormal ? fwsMaximized : fwsNormal);
    else
        SetRollUpState(true);
}

void TspFormFrame::DoMagnetic(int& L, int& T, int W, int H) const
{
    const int m = MagneticSize;
    const TRect a = MaxAreaWork();
    // Strictly closer than m pixels: a window exactly m away stays put.
    if (a.left - m < L && L < a.left + m) L = a.left;
    if (a.top - m < T && T < a.top + m) T = a.top;
    if (a.right - m < L + W && L + W < a.right + m) L = a.right - W;
    if (a.bottom - m < T + H && T + H < a.bottom + m) T = a.bottom - H;
}

void TspFormFrame::CloseForm()
{
    if (OwnerForm) OwnerForm->Close();
}

TRect TspFormFrame::MaxAreaWork() const
{
    HWND w = FormHandle();
    return w ? Sputils::GetMonitorWorkArea(w, true) : Sputils::GetPrimaryMonitorWorkArea(true);
}

namespace Formframe {

TspFormFrame* GetFormFrameComponent(TCustomForm* Form)
{
    if (!Form) return nullptr;
    for (int i = 0; i < Form->GetComponentCount(); ++i)
        if (auto* f = dynamic_cast<TspFormFrame*>(Form->GetComponent(i))) return f;
    return nullptr;
}

}  // namespace Formframe
