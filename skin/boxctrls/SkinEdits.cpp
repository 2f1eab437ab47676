#include "SkinEdits.h"
#include "Bitmap.h"
#include "EffectBmp.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinParentImage.h"
#include <algorithm>

namespace {

// The one-pixel frame in C, inside R.
void FrameIn(TCanvas* C, const TRect& R, TColor Color)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->FrameRect(R);
}

}  // namespace

// ---- TspCustomEdit ----
TspCustomEdit::TspCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) { FControlStyle |= csOpaque; }

TspCustomEdit::~TspCustomEdit() { FSysMenu.Free(); }

void TspCustomEdit::SetEditTransparent(bool Value)
{
    FEditTransparent = Value;
    RecreateWnd();
}

void TspCustomEdit::Invalidate()
{
    if (!FEditTransparent) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    if (!GetParent() || !HandleAllocated()) return;
    // What lies behind the text must be painted again before the text.
    TWinControl* parent = GetParent();
    if (parent->HandleAllocated()) {
        RECT r;
        ::GetClientRect(FHandle, &r);
        MapWindowPoints(FHandle, parent->GetWindowHandle(), reinterpret_cast<POINT*>(&r), 2);
        InvalidateRect(parent->GetWindowHandle(), &r, TRUE);
    }
    RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TspCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    if (FEditTransparent) Params.ExStyle |= WS_EX_TRANSPARENT;
    // A multi-line EDIT, so that the alignment styles work on one line.
    if (GetPasswordChar()) Params.Style |= ES_PASSWORD;
    else Params.Style |= ES_MULTILINE;
}

void TspCustomEdit::Change()
{
    TCustomMaskEdit::Change();
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation == opRemove) FSysMenu.Removed(AComponent);
}

void TspCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_AFTERDISPATCH: WMAfterDispatch(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case WM_SETFONT: WMSetFont(Message); break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: WMEditCommand(Message); break;
    default: TCustomMaskEdit::Dispatch(Message); break;
    }
}

bool TspCustomEdit::HasSelection()
{
    DWORD s = 0, e = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return s < e;
}

bool TspCustomEdit::IsAllSelected()
{
    DWORD s = 0, e = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return s == 0 && e == static_cast<DWORD>(GetText().size());
}

void TspCustomEdit::CreateSysPopupMenu()
{
    FSysMenu.Create(this, HasSelection(), IsAllSelected(), ReadOnly);
}

void TspCustomEdit::DoUndo(TObject*) { Undo(); }
void TspCustomEdit::DoCut(TObject*) { CutToClipboard(); }
void TspCustomEdit::DoCopy(TObject*) { CopyToClipboard(); }
void TspCustomEdit::DoPaste(TObject*) { PasteFromClipboard(); }
void TspCustomEdit::DoDelete(TObject*) { ClearSelection(); }
void TspCustomEdit::DoSelectAll(TObject*) { SelectAll(); }

TPoint TspCustomEdit::KeyboardMenuPoint() { return ScreenCentreOf(this); }

void TspCustomEdit::WMContextMenu(TMessage& Message)
{
    if (GetPopupMenu()) {
        TCustomMaskEdit::WMContextMenu(Message);
        return;
    }
    CreateSysPopupMenu();
    FSysMenu.Popup(this, Message.LParam, KeyboardMenuPoint());
    Message.Result = 0;
}

void TspCustomEdit::WMAfterDispatch(TMessage& Message)
{
    // The engine touches neither the menu nor its items after this message.
    FSysMenu.Free();
    Message.Result = 0;
}

void TspCustomEdit::CMCancelMode(TMessage& Message)
{
    DefaultHandler(&Message);
    if (OnEditCancelMode) OnEditCancelMode(reinterpret_cast<TControl*>(Message.LParam));
}

void TspCustomEdit::WMSetFont(TMessage& Message)
{
    DefaultHandler(&Message);
    SendMessageA(FHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 0));
}

void TspCustomEdit::WMChar(TMessage& Message)
{
    const char ch = static_cast<char>(Message.WParam);
    // Ctrl+Enter types a line feed, which the multi-line EDIT under this
    // one-line edit would take as a line break.
    if (ch == 10) {
        Message.Result = 0;
        return;
    }
    if (ch == 13) {
        // Enter is the form's (it sends the chat line): never a line break here.
        char key = 13;
        if (OnKeyPress) OnKeyPress(this, key);
        Message.Result = 0;
        return;
    }
    if (ch == 27) {
        WORD key = 27;
        if (OnKeyDown) OnKeyDown(this, key, 0);
    }
    if (ReadOnly) {
        // Escape keeps its event even here; every other character is dropped silently.
        if (ch == 27 && OnKeyPress) {
            char key = 27;
            OnKeyPress(this, key);
        }
        Message.Result = 0;
        return;
    }
    TCustomMaskEdit::WMChar(Message);
}

void TspCustomEdit::WMKeyDown(TMessage& Message)
{
    if (Message.WParam == VK_DELETE && ReadOnly) {
        Message.Result = 0;
        return;
    }
    // The EDIT pastes on Shift+Insert by itself, past WM_PASTE: the paste goes
    // through our own handling (read-only, one line, the mask) instead.
    if (Message.WParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
        SendMessageA(FHandle, WM_PASTE, 0, 0);
        Message.Result = 0;
        return;
    }
    TCustomMaskEdit::WMKeyDown(Message);
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::CNCtlColor(TMessage& Message)
{
    if (!FEditTransparent) {
        DefaultHandler(&Message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TspCustomEdit::WMEraseBkgnd(TMessage& Message)
{
    if (!FEditTransparent) {
        TCustomMaskEdit::WMEraseBkgnd(Message);
        return;
    }
    Invalidate();
    Message.Result = 1;
}

void TspCustomEdit::WMSetText(TMessage& Message)
{
    TCustomMaskEdit::WMSetText(Message);
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::WMMove(TMessage& Message)
{
    TCustomMaskEdit::WMMove(Message);
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::WMEditCommand(TMessage& Message)
{
    if (ReadOnly) {
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_PASTE && !IsMasked() && !GetPasswordChar()) {
        PasteFirstLine();
        Message.Result = 0;
        if (FEditTransparent) Invalidate();
        return;
    }
    // The mask keeps its literals through cut, paste, clear and undo.
    TCustomMaskEdit::Dispatch(Message);
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::PasteFirstLine()
{
    // One line, as a one-line EDIT pastes: the clipboard's text up to its first line break.
    std::string clip;
    if (OpenClipboard(FHandle)) {
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            if (const char* p = static_cast<const char*>(GlobalLock(h))) clip = p;
            GlobalUnlock(h);
        }
        CloseClipboard();
    }
    clip = clip.substr(0, clip.find_first_of("\r\n"));
    SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(clip.c_str()));
}

void TspCustomEdit::WMLButtonDown(TMessage& Message)
{
    FLButtonDown = true;
    TCustomMaskEdit::WMLButtonDown(Message);
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::WMLButtonUp(TMessage& Message)
{
    FLButtonDown = false;
    TCustomMaskEdit::WMLButtonUp(Message);
}

void TspCustomEdit::WMMouseMove(TMessage& Message)
{
    TCustomMaskEdit::WMMouseMove(Message);
    if (FLButtonDown && FEditTransparent) Invalidate();
}

void TspCustomEdit::WMSetFocus(TMessage& Message)
{
    TCustomMaskEdit::WMSetFocus(Message);
    if (AutoSelect) SelectAll();
    if (FEditTransparent) Invalidate();
}

void TspCustomEdit::WMKillFocus(TMessage& Message)
{
    TCustomMaskEdit::WMKillFocus(Message);
    if (FEditTransparent) Invalidate();
}

// ---- TspSkinCustomEdit ----
TspSkinCustomEdit::TspSkinCustomEdit(TComponent* AOwner) : TspCustomEdit(AOwner)
{
    FBorderStyle = bsNone;
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    GetFont()->SetColor(clWindowText);
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->Assign(GetFont());
    FDefaultFont->OnChange = [this](TObject* S) { OnDefaultFontChange(S); };
    FEditTransparent = true;
    TspCustomEdit::SetBounds(GetLeft(), GetTop(), GetWidth(), 20);
}

TspSkinCustomEdit::~TspSkinCustomEdit() = default;

void TspSkinCustomEdit::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TspCustomEdit::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) {
        FIndex = -1;
        FPicture = nullptr;
    }
}

void TspSkinCustomEdit::GetSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
    if (!FSD || FSD->Empty) return;
    const int index = FSD->GetControlIndex(FSkinDataName);
    const auto* r = dynamic_cast<const TspDataSkinEditControl*>(FSD->ControlRecord(index));
    // A record of another kind, or one whose frame no edit can have, leaves the edit plain.
    if (!r || r->SkinRect.IsEmpty() || r->SkinRect.Width() > MaxSkinControlSide ||
        r->SkinRect.Height() > MaxSkinControlSide)
        return;
    FIndex = index;
    FSkinRect = r->SkinRect;
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    const int w = FSkinRect.Width(), h = FSkinRect.Height();
    FLOffset = std::min(std::max(0, static_cast<int>(r->LeftTopPoint.x)), w);
    FROffset = std::min(std::max(0, w - static_cast<int>(r->RightTopPoint.x)), w - FLOffset);
    // The client rectangle kept inside the frame: the non-client sizes never go negative.
    FClRect = TRect(std::min(std::max(0, static_cast<int>(r->ClientRect.left)), w),
                    std::min(std::max(0, static_cast<int>(r->ClientRect.top)), h), 0, 0);
    FClRect.right = std::min<LONG>(std::max(FClRect.left, r->ClientRect.right), w);
    FClRect.bottom = std::min<LONG>(std::max(FClRect.top, r->ClientRect.bottom), h);
    FPicture = SkinPicture(FSD, r->PictureIndex);
    FSkinFont = r->Font;
    FSkinFont.Height = ClampFontHeight(FSkinFont.Height);
    FontColor = r->Font.Color;
    ActiveFontColor = r->ActiveFontColor;
    DisabledFontColor = r->DisabledFontColor;
    FSkinButtonRect = r->ButtonRect;
    FActiveButtonRect = r->ActiveButtonRect;
    FDownButtonRect = r->DownButtonRect.IsEmpty() ? r->ActiveButtonRect : r->DownButtonRect;
    FUnEnabledButtonRect = r->UnEnabledButtonRect;
}

bool TspSkinCustomEdit::MouseOrFocus() { return FMouseIn || (HandleAllocated() && Focused()); }

void TspSkinCustomEdit::ApplyTextColor()
{
    if (!GetEnabled()) GetFont()->SetColor(Skinned() ? DisabledFontColor : clGrayText);
    else if (!Skinned()) GetFont()->SetColor(FDefaultFont->GetColor());
    else GetFont()->SetColor(HandleAllocated() && Focused() ? ActiveFontColor : FontColor);
}

void TspSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    if (!Skinned()) {
        GetFont()->Assign(FDefaultFont.get());
        if (FDefaultWidth > 0) TspCustomEdit::SetBounds(GetLeft(), GetTop(), FDefaultWidth, GetHeight());
        if (FDefaultHeight > 0) TspCustomEdit::SetBounds(GetLeft(), GetTop(), GetWidth(), FDefaultHeight);
    } else {
        if (UseSkinFont) {
            ApplySkinFontFields(GetFont(), FSkinFont);
            GetFont()->SetCharset(FDefaultFont->GetCharset());
        } else {
            GetFont()->Assign(FDefaultFont.get());
        }
        TspCustomEdit::SetBounds(GetLeft(), GetTop(), GetWidth(), FSkinRect.Height());
    }
    RecreateWnd();
    ApplyTextColor();
}

void TspSkinCustomEdit::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (!Skinned()) GetFont()->Assign(Value);
}

void TspSkinCustomEdit::OnDefaultFontChange(TObject*)
{
    if (!Skinned()) GetFont()->Assign(FDefaultFont.get());
}

void TspSkinCustomEdit::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned() && Value > 0) TspCustomEdit::SetBounds(GetLeft(), GetTop(), Value, GetHeight());
}

void TspSkinCustomEdit::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned() && Value > 0) TspCustomEdit::SetBounds(GetLeft(), GetTop(), GetWidth(), Value);
}

void TspSkinCustomEdit::SetButtonMode(bool Value)
{
    FButtonMode = Value;
    if (IsDesigning() && !IsLoading()) FSkinDataName = Value ? "buttonedit" : "edit";
    RecreateWnd();
}

void TspSkinCustomEdit::SetAlphaBlend(bool Value)
{
    if (Value == FAlphaBlend) return;
    FAlphaBlend = Value;
    Invalidate();
}

void TspSkinCustomEdit::SetAlphaBlendValue(BYTE Value)
{
    FAlphaBlendValue = Value;
    if (FAlphaBlend) Invalidate();
}

void TspSkinCustomEdit::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

void TspSkinCustomEdit::Invalidate()
{
    if (GetParent() && HandleAllocated()) RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TspSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    // A skinned edit always has its skin's height.
    if (Skinned() && (AWidth != GetWidth() || AHeight != GetHeight())) AHeight = FSkinRect.Height();
    TspCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
}

void TspSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    TspCustomEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
    Params.Style &= ~WS_BORDER;
    static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= align[FAlignment == taRightJustify ? 1 : (FAlignment == taCenter ? 2 : 0)];
}

void TspSkinCustomEdit::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    if (!Skinned()) {
        FButtonRect = TRect(w - h, 0, w, h);
        FEditRect = TRect(2, 2, FButtonRect.left - 2, h - 2);
        return;
    }
    const int dx = w - FSkinRect.Width();
    FEditRect = FClRect;
    FEditRect.right += dx;
    FButtonRect = FSkinButtonRect;
    // A button in the skin's right part stays at the right end.
    if (FButtonRect.left >= FSkinRect.Width() - FROffset) OffsetRect(&FButtonRect, dx, 0);
}

void TspSkinCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(Message); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); break;
    default: TspCustomEdit::Dispatch(Message); break;
    }
}

void TspSkinCustomEdit::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    RECT* r = reinterpret_cast<RECT*>(Message.LParam);   // the first rectangle in both forms
    if (!Skinned()) {
        r->left += 2;
        r->top += 2;
        r->bottom -= 2;
        r->right -= FButtonMode ? 22 : 2;
    } else {
        r->left += FClRect.left;
        r->top += FClRect.top;
        r->right -= FSkinRect.Width() - FClRect.right;
        r->bottom -= FSkinRect.Height() - FClRect.bottom;
    }
    // Never an inverted client area on a narrow edit.
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    Message.Result = 0;
}

void TspSkinCustomEdit::PaintFrame(TBitmap* B)
{
    const int w = GetWidth(), h = GetHeight();
    B->SetSize(std::max(1, w), std::max(1, h));
    TCanvas* c = B->GetCanvas();
    CalcRects();
    const int bw = FButtonMode ? w - FButtonRect.left : 0;
    const TRect src = Skinned() ? ClipToPicture(MouseOrFocus() ? FActiveSkinRect : FSkinRect, FPicture) : TRect();
    // The three-part image needs a middle of at least one pixel; without one the plain look.
    if (!Skinned() || !FPicture || src.Width() <= FLOffset + FROffset || src.Height() <= 0) {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(0, 0, w, h));
        TRect f(0, 0, w - bw, h);
        FrameIn(c, f, clBtnShadow);
        InflateRect(&f, -1, -1);
        FrameIn(c, f, clBtnFace);
        if (FButtonMode && !Skinned()) {
            const TspPlainLook& look = PlainLooks[LookState(FButtonPressed && FButtonHot, FButtonHot)];
            c->GetBrush()->SetColor(look.Fill);
            c->FillRect(FButtonRect);
            FrameIn(c, FButtonRect, look.Frame);
        }
        return;
    }
    Sputils::CreateHSkinImage(FLOffset, FROffset, B, FPicture, src, w, h);
    if (!FButtonMode) return;
    TRect look;
    if (!GetEnabled() && !FUnEnabledButtonRect.IsEmpty()) look = FUnEnabledButtonRect;
    else if (FButtonPressed && FButtonHot) look = FDownButtonRect;
    else if (FButtonHot) look = FActiveButtonRect;
    look = ClipToPicture(look, FPicture);
    if (look.IsEmpty()) return;
    c->CopyRect(TRect(FButtonRect.left, FButtonRect.top, FButtonRect.left + look.Width(),
                      FButtonRect.top + look.Height()),
                FPicture->GetCanvas(), look);
}

void TspSkinCustomEdit::SetParentImage()
{
    FParentImage = std::make_unique<TBitmap>(std::max(1, GetWidth()), std::max(1, GetHeight()), pf24bit);
    Sputils::GetParentImage(this, FParentImage->GetCanvas());
}

void TspSkinCustomEdit::WMNCPaint(TMessage& Message)
{
    if (GetWidth() <= 0 || GetHeight() <= 0) return;
    if (FAlphaBlend) SetParentImage();
    GetSkinData();
    TBitmap b(GetWidth(), GetHeight(), pf24bit);
    PaintFrame(&b);
    TWholeWindowDC dc(FHandle);
    if (!dc.Get()) return;
    if (FAlphaBlend && FParentImage) {
        TspEffectBmp front(&b), under(FParentImage.get());
        front.Morph(&under, 1.0 - FAlphaBlendValue / 255.0);
        front.Draw(dc.Get(), 0, 0);
    } else {
        BitBlt(dc.Get(), 0, 0, GetWidth(), GetHeight(), b.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    }
    FParentImage.reset();
    Message.Result = 0;
}

void TspSkinCustomEdit::WMNCHitTest(TMessage& Message)
{
    if (!FButtonMode || IsDesigning()) {
        DefaultHandler(&Message);
        return;
    }
    TPoint p = ScreenToClient(TPoint(static_cast<short>(LOWORD(Message.LParam)),
                                     static_cast<short>(HIWORD(Message.LParam))));
    if (Skinned()) {
        p.x += FClRect.left;
        p.y += FClRect.top;
    } else {
        p.x += 2;
        p.y += 2;
    }
    CalcRects();
    POINT pt = {p.x, p.y};
    if (PtInRect(&FButtonRect, pt)) Message.Result = HTHSCROLL;
    else if (!PtInRect(&FEditRect, pt)) Message.Result = HTVSCROLL;
    else DefaultHandler(&Message);
}

void TspSkinCustomEdit::WMNCLButtonDown(TMessage& Message)
{
    // HTVSCROLL is only our name for the frame: the default handling would start
    // tracking a scroll bar the edit does not have (a modal loop until release).
    if (FButtonMode && Message.WParam == HTVSCROLL) {
        Message.Result = 0;
        return;
    }
    if (!FButtonMode || Message.WParam != HTHSCROLL) {
        DefaultHandler(&Message);
        return;
    }
    FButtonPressed = true;
    Invalidate();
}

void TspSkinCustomEdit::WMNCLButtonUp(TMessage& Message)
{
    if (!FButtonMode || Message.WParam != HTHSCROLL) {
        DefaultHandler(&Message);
        return;
    }
    FButtonPressed = false;
    Invalidate();
    if (!Focused() && CanFocus()) SetFocus();
    if (OnButtonClick) OnButtonClick(this);
}

void TspSkinCustomEdit::WMNCMouseMove(TMessage& Message)
{
    if (FButtonMode && Message.WParam == HTHSCROLL) {
        if (!FButtonHot) {
            FButtonHot = true;
            Invalidate();
        }
        return;
    }
    if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
    }
    DefaultHandler(&Message);
}

void TspSkinCustomEdit::WMMouseMove(TMessage& Message)
{
    TspCustomEdit::WMMouseMove(Message);
    if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
    }
}

void TspSkinCustomEdit::WMSetFocus(TMessage& Message)
{
    TspCustomEdit::WMSetFocus(Message);
    if (!FMouseIn && Skinned()) GetFont()->SetColor(ActiveFontColor);
}

void TspSkinCustomEdit::WMKillFocus(TMessage& Message)
{
    TspCustomEdit::WMKillFocus(Message);
    if (!FMouseIn && Skinned()) GetFont()->SetColor(FontColor);
}

void TspSkinCustomEdit::CMMouseEnter(TMessage& Message)
{
    TspCustomEdit::CMMouseEnter(Message);
    FMouseIn = true;
    if (Skinned() && !Focused()) {
        GetFont()->SetColor(ActiveFontColor);
        Invalidate();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TspSkinCustomEdit::CMMouseLeave(TMessage& Message)
{
    TspCustomEdit::CMMouseLeave(Message);
    FMouseIn = false;
    if (Skinned() && !Focused()) {
        GetFont()->SetColor(FontColor);
        Invalidate();
    }
    if (FButtonHot || FButtonPressed) {
        FButtonHot = false;
        FButtonPressed = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TspSkinCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TspCustomEdit::CMEnabledChanged(Message);
    if (!GetEnabled()) GetFont()->SetColor(Skinned() ? DisabledFontColor : clGrayText);
    else GetFont()->SetColor(Skinned() ? FontColor : FDefaultFont->GetColor());
    Invalidate();
}
