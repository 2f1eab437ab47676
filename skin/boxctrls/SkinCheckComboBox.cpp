#include "SkinCheckComboBox.h"
#include "ImgList.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
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

TspSkinCustomCheckComboBox::TspSkinCustomCheckComboBox(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable);
    SetBounds(GetLeft(), GetTop(), 120, 20);
    SetTabStop(true);
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    GetFont()->SetColor(clWindowText);
    GetFont()->SetStyle(0);
    FSkinDataName = "combobox";
    FListBox = new TspPopupCheckListBox(this);
    FListBox->SetParent(this);
    FListBox->OnToggleItem = [this](int Index) { SetChecked(Index, !GetChecked(Index)); };
    FListBox->OnHotItem = [this](int Index) { MoveListIndex(Index); };
    CalcRects();
}

TspSkinCustomCheckComboBox::~TspSkinCustomCheckComboBox()
{
    TspPopupCheckListBox* list = FListBox;
    FListBox = nullptr;
    delete list;
}

bool TspSkinCustomCheckComboBox::ListShown() const { return FListBox && FListBox->GetVisible(); }

TStrings* TspSkinCustomCheckComboBox::GetItems() const { return FListBox->GetItems(); }

void TspSkinCustomCheckComboBox::SetItems(TStrings* Value)
{
    FListBox->SetItems(Value);
    CheckText();
}

bool TspSkinCustomCheckComboBox::GetChecked(int Index) { return FListBox->GetChecked(Index); }

void TspSkinCustomCheckComboBox::SetChecked(int Index, bool Checked)
{
    FListBox->SetChecked(Index, Checked);
    CheckText();
    Repaint();
}

void TspSkinCustomCheckComboBox::CheckText()
{
    std::string s;
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        if (!FListBox->GetChecked(i)) continue;
        if (!s.empty()) s += ",";
        s += items->Get(i);
    }
    if (s != GetText()) SetText(s);
}

void TspSkinCustomCheckComboBox::SetDropDownCount(int Value)
{
    if (Value > 0) FDropDownCount = Value;
}

bool TspSkinCustomCheckComboBox::GetSorted() const { return FListBox->GetSorted(); }

void TspSkinCustomCheckComboBox::SetSorted(bool Value)
{
    FListBox->SetSorted(Value);
    CheckText();
}

void TspSkinCustomCheckComboBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    FListBox->SetImages(Value);
    Repaint();
}

void TspSkinCustomCheckComboBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    FListBox->SetImageIndex(Value);
    Repaint();
}

void TspSkinCustomCheckComboBox::SetListBoxDrawItem(TspDrawSkinItemEvent Value)
{
    OnListBoxDrawItem = Value;
    FListBox->OnDrawItem = std::move(Value);
}

void TspSkinCustomCheckComboBox::SetListBoxCaptionMode(bool Value)
{
    FListBox->SetCaptionMode(Value);
    ChangeSkinData();
}

void TspSkinCustomCheckComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
    if (Operation == opRemove && AComponent == FListBox) FListBox = nullptr;
}

void TspSkinCustomCheckComboBox::Invalidate() { TspSkinCustomControl::Invalidate(); }

void TspSkinCustomCheckComboBox::Change()
{
    if (OnChange) OnChange(this);
}

// ---- skin ----

bool TspSkinCustomCheckComboBox::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinComboBox*>(Rec) != nullptr;
}

void TspSkinCustomCheckComboBox::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    const auto* rec = dynamic_cast<const TspDataSkinComboBox*>(CurrentRecord());
    if (!Skinned() || !rec) return;
    FItemRect = rec->ItemRect;
    FFocusItemRect = IsNullSkinRect(rec->FocusItemRect) ? rec->ItemRect : rec->FocusItemRect;
    FItemLeftOffset = rec->ItemLeftOffset;
    FItemRightOffset = rec->ItemRightOffset;
    FItemTextRect = rec->ItemTextRect;
    FFontName = rec->FontName;
    FFontStyle = rec->FontStyle;
    FFontHeight = rec->FontHeight;
    FFontColor = rec->FontColor;
    FFocusFontColor = rec->FocusFontColor;
    FButtonRect = rec->ButtonRect;
    FActiveButtonRect = rec->ActiveButtonRect;
    FDownButtonRect = rec->DownButtonRect;
    FUnEnabledButtonRect = rec->UnEnabledButtonRect;
}

void TspSkinCustomCheckComboBox::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
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
    FItem.R = Intersect(FItem.R, TRect(0, 0, w, h));
}

void TspSkinCustomCheckComboBox::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    CalcRects();
    Repaint();
    if (!FListBox) return;
    std::string name;
    if (Skinned()) name = FListBox->GetCaptionMode() ? "captionchecklistbox" : "checklistbox";
    FListBox->SetSkinDataName(name);
    FListBox->SetSkinData(FSD);
    FListBox->UpDateScrollBar();
}

void TspSkinCustomCheckComboBox::SetSkinData(TspSkinData* Value)
{
    const bool unbind = !Value && FSD;
    TspSkinCustomControl::SetSkinData(Value);
    if (unbind && !IsDestroying()) ChangeSkinData();
}

void TspSkinCustomCheckComboBox::DefaultFontChange() { GetFont()->Assign(GetDefaultFont()); }

// ---- painting ----

void TspSkinCustomCheckComboBox::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, GetWidth(), GetHeight()));
    DrawDefaultButton(c);
    DrawDefaultItem(c);
}

void TspSkinCustomCheckComboBox::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    TspSkinCustomControl::CreateControlSkinImage(B);
    DrawSkinButton(B->GetCanvas());
    DrawSkinItem(B->GetCanvas());
}

void TspSkinCustomCheckComboBox::DrawDefaultButton(TCanvas* C)
{
    const TRect& r = FButton.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (FButton.Down && FButton.MouseIn) {
        frame = clNavy;
        fill = RGB(133, 147, 181);
    } else if (FButton.MouseIn) {
        frame = clNavy;
        fill = RGB(182, 189, 210);
    }
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(fill);
    C->FillRect(r);
    C->GetBrush()->SetColor(frame);
    C->FrameRect(r);
    Sputils::DrawArrowImage(C, r, IsEnabled() ? clBlack : clBtnShadow, 4);
}

void TspSkinCustomCheckComboBox::DrawSkinButton(TCanvas* C)
{
    TRect piece;
    if (!IsEnabled() && !IsNullSkinRect(FUnEnabledButtonRect))
        piece = FUnEnabledButtonRect;
    else if (FButton.Down && FButton.MouseIn)
        piece = FDownButtonRect;
    else if (FButton.MouseIn)
        piece = FActiveButtonRect;
    if (IsNullSkinRect(piece) || !FElement.Picture) return;
    Sputils::CopyPiece(C, FButton.R, FElement.Picture, piece);
}

void TspSkinCustomCheckComboBox::DrawDefaultItem(TCanvas* C)
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
    bc->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText2(bc, GetText(), TRect(2, 0, r.Width() - 2, r.Height()));
    if (focused) {
        bc->GetBrush()->SetStyle(bsSolid);
        bc->GetFont()->SetColor(clWindowText);
        bc->DrawFocusRect(TRect(0, 0, r.Width(), r.Height()));
    }
    C->Draw(r.left, r.top, &b);
}

void TspSkinCustomCheckComboBox::DrawSkinItem(TCanvas* C)
{
    const TRect& r = FItem.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const bool focused = Focused();
    const TRect piece = FElement.Picture ? ClipToPicture(focused ? FFocusItemRect : FItemRect, FElement.Picture)
                                         : TRect();
    TBitmap b;
    if (!IsNullSkinRect(piece) && FElement.Picture) {
        Sputils::CreateHSkinImage(FItemLeftOffset, FItemRightOffset, &b, FElement.Picture, piece, r.Width(),
                                  piece.Height());
    } else {
        int h = r.Height();
        if (!IsNullSkinRect(FItemRect))
            h = FItemRect.Height();
        else if (!IsNullSkinRect(FFocusItemRect))
            h = FFocusItemRect.Height();
        h = std::min(ClampSide(h), r.Height());
        b.SetSize(r.Width(), h);
        b.GetCanvas()->CopyRect(TRect(0, 0, r.Width(), h), C, TRect(r.left, r.top, r.right, r.top + h));
    }
    if (b.GetWidth() <= 0 || b.GetHeight() <= 0) return;
    TCanvas* bc = b.GetCanvas();
    ApplySkinFont(bc, FFontName, FFontHeight, FFontStyle, focused ? FFocusFontColor : FFontColor);
    bc->GetBrush()->SetStyle(bsClear);
    TRect text = FItemTextRect;
    const int base = IsNullSkinRect(FItemRect) ? FElement.ClRect.Width() : FItemRect.Width();
    text.right += r.Width() - base;
    if (IsNullSkinRect(text)) text = TRect(2, 0, b.GetWidth() - 2, b.GetHeight());
    Sputils::SPDrawText2(bc, GetText(), text);
    C->Draw(r.left, r.top, &b);
}

// ---- drop-down ----

bool TspSkinCustomCheckComboBox::IsPopupVisible() const { return ListShown(); }

bool TspSkinCustomCheckComboBox::CanCancelDropDown() const { return ListShown() && !FPointerInside; }

void TspSkinCustomCheckComboBox::DropDown()
{
    const int count = GetItems()->GetCount();
    if (count == 0 || ListShown()) return;
    if (OnDropDown) OnDropDown(this);
    FListBox->SetWidth(GetWidth());
    FListBox->SetRowCount(std::min(count, FDropDownCount));
    const int h = FListBox->GetHeight();
    TPoint p = ClientToScreen(TPoint(0, GetHeight()));
    const TRect work = Sputils::GetMonitorWorkArea(GetHandle(), true);
    if (p.y + h > work.bottom) p.y = p.y - GetHeight() - h;
    FListBox->HandleNeeded();
    const int index = FListBox->GetItemIndex();
    if (index == 0 && count > 1) {
        // Stepping away and back makes the system list scroll its first row into view.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FListBox->SetTopIndex(std::max(0, index));
    FListBox->Show(p);
}

void TspSkinCustomCheckComboBox::CloseUp(bool AcceptChanges)
{
    if (!ListShown()) return;
    FListBox->Hide();
    if (!AcceptChanges) return;
    Repaint();
    if (OnCloseUp) OnCloseUp(this);
    if (OnClick) OnClick(this);
}

void TspSkinCustomCheckComboBox::MoveListIndex(int Index)
{
    const int count = GetItems()->GetCount();
    if (Index < 0 || Index >= count || Index == FListBox->GetItemIndex()) return;
    FListBox->SetItemIndex(Index);
}

void TspSkinCustomCheckComboBox::ToggleCurrent()
{
    const int i = FListBox->GetItemIndex();
    if (i < 0 || i >= GetItems()->GetCount()) return;
    SetChecked(i, !GetChecked(i));
}

// ---- messages ----

void TspSkinCustomCheckComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: TspSkinCustomControl::Dispatch(Message); break;
    }
}

void TspSkinCustomCheckComboBox::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TspSkinCustomCheckComboBox::CMWantSpecialKey(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    switch (Message.WParam) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Message.Result = 1; break;
    case VK_RETURN: case VK_ESCAPE: if (ListShown()) Message.Result = 1; break;
    default: break;
    }
}

bool TspSkinCustomCheckComboBox::IsListPart(const TControl* C) const
{
    if (C == this) return true;
    if (!FListBox) return false;
    return C == FListBox || C == FListBox->GetListBox() || C == FListBox->GetScrollBar();
}

void TspSkinCustomCheckComboBox::CMCancelMode(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    if (!IsListPart(reinterpret_cast<TControl*>(Message.LParam))) CloseUp(false);
}

void TspSkinCustomCheckComboBox::WMMouseWheel(TMessage& Message)
{
    Message.Result = 0;
    if (!FListBox) return;
    const int delta = static_cast<int>(static_cast<LONG>(Message.WParam));
    const int i = FListBox->GetItemIndex();
    MoveListIndex(delta > 0 ? i - 1 : i + 1);
}

void TspSkinCustomCheckComboBox::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

void TspSkinCustomCheckComboBox::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    Repaint();
}

void TspSkinCustomCheckComboBox::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (ListShown()) CloseUp(false);
    Repaint();
}

void TspSkinCustomCheckComboBox::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    FPointerInside = true;
}

void TspSkinCustomCheckComboBox::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    FPointerInside = false;
    if (FButton.MouseIn) {
        FButton.MouseIn = false;
        Repaint();
    }
}

void TspSkinCustomCheckComboBox::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    // A list left open over a combo that can no longer take it back would stay forever.
    if (!IsEnabled()) CloseUp(false);
    Repaint();
    Change();
}

void TspSkinCustomCheckComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Focused() && CanFocus()) SetFocus();
    if (Button != mbLeft) return;
    FButton.MouseIn = FButton.R.Contains(TPoint(X, Y));
    if (FButton.MouseIn || FItem.R.Contains(TPoint(X, Y))) {
        FButton.Down = true;
        Repaint();
        if (ListShown()) CloseUp(false);
        else DropDown();
    } else if (ListShown()) {
        CloseUp(false);
    }
}

void TspSkinCustomCheckComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    const bool in = FButton.R.Contains(TPoint(X, Y));
    if (in != FButton.MouseIn) {
        FButton.MouseIn = in;
        Repaint();
    }
}

void TspSkinCustomCheckComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButton.Down) {
        FButton.Down = false;
        Repaint();
    }
}

void TspSkinCustomCheckComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TspSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = (Shift & ssAlt) != 0;
    const bool shown = ListShown();
    const int index = FListBox->GetItemIndex();
    const int count = GetItems()->GetCount();
    switch (Key) {
    case VK_RETURN: if (shown) CloseUp(true); break;
    case VK_ESCAPE: if (shown) CloseUp(false); break;
    case VK_SPACE: ToggleCurrent(); break;
    case VK_PRIOR: if (count > 0) MoveListIndex(std::max(0, index - (FDropDownCount + 1))); break;
    case VK_NEXT: if (count > 0) MoveListIndex(std::min(count - 1, index + (FDropDownCount - 1))); break;
    case VK_LEFT: case VK_UP:
        if (alt) {
            if (shown) CloseUp(false);
        } else if (index > 0) {
            MoveListIndex(index - 1);
        }
        break;
    case VK_RIGHT: case VK_DOWN:
        if (alt) {
            if (!shown) DropDown();
        } else if (index < count - 1) {
            MoveListIndex(index + 1);
        }
        break;
    default: break;
    }
}
