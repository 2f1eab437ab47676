#include "SkinComboFrame.h"
#include "ImgList.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinDropDown.h"
#include "SkinImage.h"
#include "SkinPlatform.h"
#include "SkinScrollBar.h"
#include <algorithm>

namespace {

TRect Intersect(const TRect& A, const TRect& B)
{
    TRect r(std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
            std::min(A.bottom, B.bottom));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

TspSkinComboFrame::TspSkinComboFrame(TComponent* AOwner, TControlStyle Style) : TspSkinCustomControl(AOwner)
{
    SetControlStyle(Style);
    SetBounds(GetLeft(), GetTop(), 120, 20);
    SetTabStop(true);
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    GetFont()->SetColor(clWindowText);
    GetFont()->SetStyle(0);
    FSkinDataName = "combobox";
}

bool TspSkinComboFrame::ListShown() const
{
    const TspSkinCustomListBox* list = DropList();
    return list && list->GetVisible();
}

void TspSkinComboFrame::SetDropDownCount(int Value)
{
    if (Value > 0) FDropDownCount = Value;
}

void TspSkinComboFrame::SetImages(TCustomImageList* Value)
{
    FImages.Set(Value);
    DropList()->SetImages(Value);
    Repaint();
}

void TspSkinComboFrame::SetImageIndex(int Value)
{
    FImageIndex = Value;
    DropList()->SetImageIndex(Value);
    Repaint();
}

void TspSkinComboFrame::SetListBoxDrawItem(TspDrawSkinItemEvent Value)
{
    OnListBoxDrawItem = Value;
    DropList()->OnDrawItem = std::move(Value);
}

void TspSkinComboFrame::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    FImages.Removed(AComponent, Operation);
}

// ---- skin ----

bool TspSkinComboFrame::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinComboBox*>(Rec) != nullptr;
}

void TspSkinComboFrame::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    const auto* rec = dynamic_cast<const TspDataSkinComboBox*>(CurrentRecord());
    if (!Skinned() || !rec) return;
    FItemRect = rec->ItemRect;
    FFocusItemRect = rec->FocusItemRect.IsEmpty() ? rec->ItemRect : rec->FocusItemRect;
    FItemLeftOffset = rec->ItemLeftOffset;
    FItemRightOffset = rec->ItemRightOffset;
    FItemTextRect = rec->ItemTextRect;
    FSkinFont = rec->Font;
    FFocusFontColor = rec->FocusFontColor;
    FButtonRect = rec->ButtonRect;
    FActiveButtonRect = rec->ActiveButtonRect;
    FDownButtonRect = rec->DownButtonRect;
    FUnEnabledButtonRect = rec->UnEnabledButtonRect;
}

void TspSkinComboFrame::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    const TRect client(0, 0, w, h);
    if (!Skinned()) {
        FButton.R = TRect(w - 19, 2, w - 2, h - 2);
        FItem.R = TRect(2, 2, FButton.R.left - 1, h - 2);
    } else {
        const int grow = w - FElement.SkinRect.Width();
        FButton.R = FButtonRect;
        if (FButtonRect.left >= FElement.SkinRect.Width() - FElement.RTPoint.x) {
            FButton.R.left += grow;
            FButton.R.right += grow;
        }
        FItem.R = FElement.ClRect;
        FItem.R.right += grow;
    }
    // Whatever a skin says, the text area stays inside the control.
    FItem.R = Intersect(FItem.R, client);
}

void TspSkinComboFrame::DefaultFontChange() { GetFont()->Assign(GetDefaultFont()); }

// ---- painting ----

void TspSkinComboFrame::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, GetWidth(), GetHeight()));
    DrawDefaultButton(c);
    if (OwnsItemArea()) DrawDefaultItem(c);
}

void TspSkinComboFrame::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    TspSkinCustomControl::CreateControlSkinImage(B);
    DrawSkinButton(B->GetCanvas());
    if (OwnsItemArea()) DrawSkinItem(B->GetCanvas());
}

void TspSkinComboFrame::DrawDefaultButton(TCanvas* C)
{
    const TRect& r = FButton.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    C->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(C, r, LookState(FButton.Down && FButton.MouseIn, FButton.MouseIn));
    Sputils::DrawArrowImage(C, r, IsEnabled() ? clBlack : clBtnShadow, adDown);
}

void TspSkinComboFrame::DrawSkinButton(TCanvas* C)
{
    TRect piece;
    if (!IsEnabled() && !FUnEnabledButtonRect.IsEmpty())
        piece = FUnEnabledButtonRect;
    else if (FButton.Down && FButton.MouseIn)
        piece = FDownButtonRect;
    else if (FButton.MouseIn)
        piece = FActiveButtonRect;
    if (piece.IsEmpty() || !FElement.Picture) return;
    Sputils::CopyPiece(C, FButton.R, FElement.Picture, piece);
}

void TspSkinComboFrame::DrawItemContent(TBitmap* B, TRect TextRect, TOwnerDrawState)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText2(c, GetText(), TextRect);
}

void TspSkinComboFrame::DrawDefaultItem(TCanvas* C)
{
    const TRect& r = FItem.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const bool focused = Focused();
    TBitmap b(r.Width(), r.Height(), pf24bit);
    TCanvas* bc = b.GetCanvas();
    bc->GetFont()->SetName(GetFont()->GetName());
    bc->GetFont()->SetStyle(GetFont()->GetStyle());
    bc->GetFont()->SetHeight(ClampFontHeight(GetFont()->GetHeight()));
    bc->GetFont()->SetColor(focused ? clHighlightText : clWindowText);
    bc->GetBrush()->SetStyle(bsSolid);
    bc->GetBrush()->SetColor(focused ? clHighlight : clWindow);
    bc->FillRect(TRect(0, 0, r.Width(), r.Height()));
    DrawItemContent(&b, TRect(2, 0, r.Width() - 2, r.Height()), focused ? odFocused : 0);
    if (focused) {
        bc->GetBrush()->SetStyle(bsSolid);
        bc->GetFont()->SetColor(clWindowText);
        bc->DrawFocusRect(TRect(0, 0, r.Width(), r.Height()));
    }
    C->Draw(r.left, r.top, &b);
}

void TspSkinComboFrame::DrawSkinItem(TCanvas* C)
{
    const TRect& r = FItem.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const bool focused = Focused();
    // Only what lies inside the picture is a piece: a damaged skin gets no giant bitmaps.
    const TRect piece = FElement.Picture ? ClipToPicture(focused ? FFocusItemRect : FItemRect, FElement.Picture)
                                         : TRect();
    TBitmap b;
    if (!piece.IsEmpty() && FElement.Picture) {
        Sputils::CreateHSkinImage(FItemLeftOffset, FItemRightOffset, &b, FElement.Picture, piece, r.Width(),
                                  piece.Height());
    } else {
        int h = r.Height();
        if (!FItemRect.IsEmpty())
            h = FItemRect.Height();
        else if (!FFocusItemRect.IsEmpty())
            h = FFocusItemRect.Height();
        h = std::min(ClampSide(h), r.Height());
        b.SetSize(r.Width(), h);
        b.GetCanvas()->CopyRect(TRect(0, 0, r.Width(), h), C, TRect(r.left, r.top, r.right, r.top + h));
    }
    if (b.GetWidth() <= 0 || b.GetHeight() <= 0) return;
    TCanvas* bc = b.GetCanvas();
    ApplySkinFont(bc, FSkinFont, focused ? FFocusFontColor : FSkinFont.Color);
    bc->GetBrush()->SetStyle(bsClear);
    TRect text = FItemTextRect;
    const int base = FItemRect.IsEmpty() ? FElement.ClRect.Width() : FItemRect.Width();
    text.right += r.Width() - base;
    if (text.IsEmpty()) text = TRect(2, 0, b.GetWidth() - 2, b.GetHeight());
    DrawItemContent(&b, text, focused ? odFocused : 0);
    C->Draw(r.left, r.top, &b);
}

// ---- drop-down ----

TPoint TspSkinComboFrame::DropListPoint(int H)
{
    TPoint p = ClientToScreen(TPoint(0, 0));
    const TRect work = Sputils::GetMonitorWorkArea(GetHandle(), true);
    // Only the height moves the list (above the combo when the work area ends);
    // its left edge stays the combo's.
    p.y = SpDropDown::DropTop(p.y, GetHeight(), H, work.bottom);
    return p;
}

int TspSkinComboFrame::ReadyDropList(int Count)
{
    TspSkinCustomListBox* list = DropList();
    list->HandleNeeded();
    const int index = list->GetItemIndex();
    if (index == 0 && Count > 1) {
        // Stepping away and back makes the system list scroll its first row into view.
        list->SetItemIndex(1);
        list->SetItemIndex(0);
    }
    list->SetTopIndex(std::max(0, index));
    return index;
}

// ---- messages ----

void TspSkinComboFrame::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: TspSkinCustomControl::Dispatch(Message); break;
    }
}

void TspSkinComboFrame::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TspSkinComboFrame::CMWantSpecialKey(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    switch (Message.WParam) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Message.Result = 1; break;
    // While the list is open, Enter and Escape close it rather than pressing the form's buttons.
    case VK_RETURN: case VK_ESCAPE: if (ListShown()) Message.Result = 1; break;
    default: break;
    }
}

void TspSkinComboFrame::CMCancelMode(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (!IsListPart(sender)) CloseUp(false);
}

bool TspSkinComboFrame::IsListPart(const TControl* C) const
{
    if (C == this) return true;
    const TspSkinCustomListBox* list = DropList();
    if (!list) return false;
    return C == list || C == list->GetListBox() || C == list->GetScrollBar();
}

void TspSkinComboFrame::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

void TspSkinComboFrame::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    Repaint();
}

void TspSkinComboFrame::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (ListShown()) CloseUp(false);
    Repaint();
}

void TspSkinComboFrame::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    FPointerInside = true;
}

void TspSkinComboFrame::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    FPointerInside = false;
    if (FButton.MouseIn) {
        FButton.MouseIn = false;
        Repaint();
    }
}

void TspSkinComboFrame::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    // A list left open over a combo that can no longer take it back would stay forever.
    if (!IsEnabled()) CloseUp(false);
    Repaint();
}

void TspSkinComboFrame::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Focused() && OwnsItemArea() && CanFocus()) SetFocus();
    if (Button != mbLeft) return;
    // A press arrives without a move before it when the pointer jumped here.
    FButton.MouseIn = FButton.R.Contains(TPoint(X, Y));
    if (FButton.MouseIn || (OwnsItemArea() && FItem.R.Contains(TPoint(X, Y)))) {
        FButton.Down = true;
        Repaint();
        if (ListShown())
            CloseUp(false);
        else
            DropDown();
    } else if (ListShown()) {
        CloseUp(false);
    }
}

void TspSkinComboFrame::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    const bool in = FButton.R.Contains(TPoint(X, Y));
    if (in != FButton.MouseIn) {
        FButton.MouseIn = in;
        Repaint();
    }
}

void TspSkinComboFrame::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButton.Down) {
        FButton.Down = false;
        Repaint();
    }
}

void TspSkinComboFrame::KeyDown(WORD& Key, TShiftState Shift)
{
    TspSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = (Shift & ssAlt) != 0;
    const bool shown = ListShown();
    const int index = DropList()->GetItemIndex();
    const int count = GetItems()->GetCount();
    switch (Key) {
    case VK_RETURN: if (shown) CloseUp(true); break;
    case VK_ESCAPE: if (shown) CloseUp(false); break;
    case VK_PRIOR: if (count > 0) KeyStep(std::max(0, index - (FDropDownCount + 1))); break;
    case VK_NEXT: if (count > 0) KeyStep(std::min(count - 1, index + (FDropDownCount - 1))); break;
    case VK_LEFT: case VK_UP:
        if (alt) {
            if (shown) CloseUp(false);
        } else if (index > 0) {
            KeyStep(index - 1);
        }
        break;
    case VK_RIGHT: case VK_DOWN:
        if (alt) {
            if (!shown) DropDown();
        } else if (index < count - 1) {
            KeyStep(index + 1);
        }
        break;
    default: OtherKey(Key); break;
    }
}
