#include "SkinComboBox.h"
#include "Classes.h"
#include "ImgList.h"
#include "ScopeGuard.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinEdits.h"
#include "SkinImage.h"
#include "SkinPlatform.h"
#include "SkinScrollBar.h"
#include "SysUtils.h"
#include <algorithm>

namespace {

bool StartsWithNoCase(const std::string& S, const std::string& Prefix)
{
    if (Prefix.size() > S.size()) return false;
    return CompareText(S.substr(0, Prefix.size()), Prefix) == 0;
}

TRect Intersect(const TRect& A, const TRect& B)
{
    TRect r(std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
            std::min(A.bottom, B.bottom));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

// ---- TspSkinCustomComboBox ----

TspSkinCustomComboBox::TspSkinCustomComboBox(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks);
    SetBounds(GetLeft(), GetTop(), 120, 20);
    SetTabStop(true);
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    GetFont()->SetColor(clWindowText);
    GetFont()->SetStyle(0);
    FSkinDataName = "combobox";
    FListBox = new TspPopupListBox(this);
    FListBox->SetParent(this);
    FListBox->OnListBoxMouseMove = [this](TObject*, TShiftState, int X, int Y) { ListMouseMove(X, Y); };
    FListBox->OnListBoxMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ListMouseDown(); };
    FListBox->OnListBoxMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ListMouseUp(); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    CalcRects();
}

TspSkinCustomComboBox::~TspSkinCustomComboBox()
{
    FreeEditor();
    TspPopupListBox* list = FListBox;
    FListBox = nullptr;
    delete list;
}

bool TspSkinCustomComboBox::ListShown() const { return FListBox && FListBox->GetVisible(); }

TStrings* TspSkinCustomComboBox::GetItems() const { return FListBox->GetItems(); }

void TspSkinCustomComboBox::SetItems(TStrings* Value) { FListBox->SetItems(Value); }

int TspSkinCustomComboBox::GetItemIndex() const { return FListBox->GetItemIndex(); }

void TspSkinCustomComboBox::SetItemIndex(int Index) { SelectItem(Index, false); }

void TspSkinCustomComboBox::SelectItem(int Index, bool ByUser)
{
    FListBox->SetItemIndex(Index);
    const int i = FListBox->GetItemIndex();
    if (GetItems()->GetCount() > 0 && i != -1) {
        // The forms select items while they set themselves up; their OnChange
        // handlers are for what the user picks, not for that.
        TRestore<bool> quiet(FQuietText, !ByUser);
        SetText(GetItems()->Get(i));
    }
    FOldItemIndex = i;
    if (!FEdit) Repaint();
    if (IsDesigning() || IsLoading()) return;
    if (OnClick) OnClick(this);
    Change();
}

void TspSkinCustomComboBox::SetDropDownCount(int Value)
{
    if (Value > 0) FDropDownCount = Value;
}

bool TspSkinCustomComboBox::GetSorted() const { return FListBox->GetSorted(); }

void TspSkinCustomComboBox::SetSorted(bool Value) { FListBox->SetSorted(Value); }

void TspSkinCustomComboBox::SetHideSelection(bool Value) { FHideSelection = Value; }

void TspSkinCustomComboBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    FListBox->SetImages(Value);
    Repaint();
}

void TspSkinCustomComboBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    FListBox->SetImageIndex(Value);
    Repaint();
}

void TspSkinCustomComboBox::SetListBoxDrawItem(TspDrawSkinItemEvent Value)
{
    OnListBoxDrawItem = Value;
    FListBox->OnDrawItem = std::move(Value);
}

void TspSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
    if (Operation == opRemove && AComponent == FEdit) FEdit = nullptr;
    if (Operation == opRemove && AComponent == FListBox) FListBox = nullptr;
}

void TspSkinCustomComboBox::Invalidate()
{
    TspSkinCustomControl::Invalidate();
    if (FEdit && Skinned()) FEdit->Invalidate();
}

bool TspSkinCustomComboBox::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinComboBox*>(Rec) != nullptr;
}

void TspSkinCustomComboBox::GetSkinData()
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
    FListBoxName = rec->ListBoxName;
}

void TspSkinCustomComboBox::CalcRects()
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
    if (FEdit) FEdit->SetBounds(FItem.R.left, FItem.R.top, FItem.R.Width(), FItem.R.Height());
}

void TspSkinCustomComboBox::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    CalcRects();
    if (FEdit) ApplyEditorFont();
    Repaint();
    // The drop-down wears the list element that the combo's element names.
    FListBox->SetSkinDataName(Skinned() ? FListBoxName : std::string());
    FListBox->SetSkinData(FSD);
}

void TspSkinCustomComboBox::DefaultFontChange() { GetFont()->Assign(GetDefaultFont()); }

// ---- painting ----

int TspSkinCustomComboBox::ShownIndex() const
{
    return ListShown() ? FOldItemIndex : GetItemIndex();
}

void TspSkinCustomComboBox::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, GetWidth(), GetHeight()));
    DrawDefaultButton(c);
    if (FStyle == spcbFixedStyle) DrawDefaultItem(c);
}

void TspSkinCustomComboBox::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    TspSkinCustomControl::CreateControlSkinImage(B);
    DrawSkinButton(B->GetCanvas());
    if (FStyle == spcbFixedStyle) DrawSkinItem(B->GetCanvas());
}

void TspSkinCustomComboBox::DrawDefaultButton(TCanvas* C)
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

void TspSkinCustomComboBox::DrawSkinButton(TCanvas* C)
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

void TspSkinCustomComboBox::DrawItemContent(TBitmap* B, TRect TextRect, TOwnerDrawState State)
{
    const int index = ShownIndex();
    if (index < 0 || index >= GetItems()->GetCount()) return;
    TCanvas* c = B->GetCanvas();
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(c, index, B->GetWidth(), B->GetHeight(), TextRect, State);
        return;
    }
    if (FImages) {
        const int image = FImageIndex < 0 ? index : FImageIndex;
        if (image >= 0 && image < FImages->GetCount()) {
            FImages->Draw(c, TextRect.left, TextRect.top + (TextRect.Height() - FImages->GetHeight()) / 2, image,
                          IsEnabled());
            TextRect.left += FImages->GetWidth() + 2;
        }
    }
    c->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText2(c, GetItems()->Get(index), TextRect);
}

void TspSkinCustomComboBox::DrawDefaultItem(TCanvas* C)
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

void TspSkinCustomComboBox::DrawSkinItem(TCanvas* C)
{
    const TRect& r = FItem.R;
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const bool focused = Focused();
    // Only what lies inside the picture is a piece: a damaged skin gets no giant bitmaps.
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
    DrawItemContent(&b, text, focused ? odFocused : 0);
    C->Draw(r.left, r.top, &b);
}

// ---- drop-down ----

bool TspSkinCustomComboBox::IsPopupVisible() const { return ListShown(); }

bool TspSkinCustomComboBox::CanCancelDropDown() const { return ListShown() && !FPointerInside; }

HWND TspSkinCustomComboBox::GetPopupHandle() const
{
    return FListBox->HandleAllocated() ? FListBox->GetWindowHandle() : nullptr;
}

TRect TspSkinCustomComboBox::GetPopupBounds() const
{
    RECT r = {0, 0, 0, 0};
    if (FListBox->HandleAllocated()) GetWindowRect(FListBox->GetWindowHandle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

int TspSkinCustomComboBox::GetListItemIndex() const { return FListBox->GetItemIndex(); }

int TspSkinCustomComboBox::GetListTopIndex() const { return FListBox->GetTopIndex(); }

void TspSkinCustomComboBox::DropDown()
{
    const int count = GetItems()->GetCount();
    if (count == 0 || ListShown()) return;
    if (OnDropDown) OnDropDown(this);
    const int rows = std::min(count, FDropDownCount);
    FListBox->SetWidth(GetWidth());
    FListBox->SetHeight(FListBox->CalcHeight(rows));
    const int h = FListBox->GetHeight();
    TPoint p = ClientToScreen(TPoint(0, GetHeight()));
    const TRect work = Sputils::GetMonitorWorkArea(GetHandle(), true);
    // Only the height moves the list (above the combo when the work area ends);
    // its left edge stays the combo's.
    if (p.y + h > work.bottom) p.y = p.y - GetHeight() - h;
    if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
    FListBox->HandleNeeded();
    FOldItemIndex = FListBox->GetItemIndex();
    if (FOldItemIndex == 0 && count > 1) {
        // Stepping away and back makes the system list scroll its first row into view.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FListBox->SetTopIndex(std::max(0, FOldItemIndex));
    FListBox->Show(p);
}

void TspSkinCustomComboBox::CloseUp(bool AcceptChanges)
{
    if (!ListShown()) return;
    FListBox->Hide();
    FLBDown = false;
    const int i = FListBox->GetItemIndex();
    if (i < 0) {
        FListBox->SetItemIndex(FOldItemIndex);
    } else if (i < GetItems()->GetCount() && AcceptChanges) {
        const std::string s = GetItems()->Get(i);
        if (FEdit) {
            SetEditText(s);
        } else {
            SetText(s);
        }
        if (OnClick) OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    Repaint();
    if (AcceptChanges && OnCloseUp) OnCloseUp(this);
}

void TspSkinCustomComboBox::ListMouseMove(int X, int Y)
{
    if (FLBDown) return;
    const int i = FListBox->ItemAtPos(TPoint(X, Y), true);
    if (i >= 0 && i != FListBox->GetItemIndex()) FListBox->SetItemIndex(i);
}

void TspSkinCustomComboBox::ListMouseDown() { FLBDown = true; }

void TspSkinCustomComboBox::ListMouseUp()
{
    FLBDown = false;
    CloseUp(true);
}

// ---- searching ----

int TspSkinCustomComboBox::FindPrefix(const std::string& S, int After) const
{
    const TStrings* items = GetItems();
    const int count = items->GetCount();
    if (S.empty() || count == 0) return -1;
    const int start = (After < -1 || After >= count) ? -1 : After;
    for (int k = 1; k <= count; ++k) {
        const int i = (start + k) % count;
        if (StartsWithNoCase(items->Get(i), S)) return i;
    }
    return -1;
}

void TspSkinCustomComboBox::FindLBItem(const std::string& S)
{
    std::string search;
    if (AutoComplete) {
        const DWORD now = GetTickCount();
        if (now - FLastSearchTime >= 500) FSearchString.clear();   // unsigned: the counter's wrap is harmless
        FLastSearchTime = now;
        FSearchString += S;
        search = FSearchString;
    } else {
        search = S;
    }
    if (search.empty()) return;
    const int match = FindPrefix(search, search.size() == 1 ? GetItemIndex() : -1);
    if (match >= 0) SelectItem(match, true);
}

void TspSkinCustomComboBox::FindLBItemFromEdit()
{
    const DWORD now = GetTickCount();
    if (now - FLastSearchTime <= 200) return;
    FLastSearchTime = now;
    const std::string typed = GetText();
    if (typed.empty()) return;
    const int match = FindPrefix(typed, typed.size() == 1 ? GetItemIndex() : -1);
    if (match < 0) return;
    SelectItem(match, true);
    const std::string full = GetText();
    SetSelStart(static_cast<int>(typed.size()));
    SetSelLength(static_cast<int>(full.size()) - static_cast<int>(typed.size()));
}

int TspSkinCustomComboBox::GetSelStart() { return FEdit ? FEdit->GetSelStart() : 0; }

void TspSkinCustomComboBox::SetSelStart(int Value)
{
    if (FEdit) FEdit->SetSelStart(Value);
}

int TspSkinCustomComboBox::GetSelLength() { return FEdit ? FEdit->GetSelLength() : 0; }

void TspSkinCustomComboBox::SetSelLength(int Value)
{
    if (FEdit) FEdit->SetSelLength(Value);
}

// ---- the editor of the edit style ----

void TspSkinCustomComboBox::SetStyle(TspSkinCustomComboBoxStyle Value)
{
    if (IsDesigning() && Value == FStyle) return;
    FStyle = Value;
    if (FStyle == spcbEditStyle) {
        SetTabStop(false);
        if (!FEdit) CreateEditor();
        FEdit->SetText(GetText());
        if (HandleAllocated() && Focused() && FEdit->CanFocus()) FEdit->SetFocus();
    } else {
        SetTabStop(true);
        FreeEditor();
    }
    CalcRects();
    Repaint();
}

void TspSkinCustomComboBox::CreateEditor()
{
    FEdit = new TspCustomEdit(this);
    FEdit->FreeNotification(this);
    FEdit->SetHideSelection(FHideSelection);
    FEditOldProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& M) { EditWindowProc(M); };
    FEdit->OnEditCancelMode = [this](TControl* Sender) {
        if (!IsListPart(Sender)) CloseUp(false);
    };
    FEdit->OnChange = [this](TObject* Sender) { EditChange(Sender); };
    FEdit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
    FEdit->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyUp) OnKeyUp(this, Key, Shift);
    };
    FEdit->OnKeyPress = [this](TObject*, char& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    };
    FEdit->SetParent(this);
    FEdit->SetVisible(true);
    ApplyEditorFont();
    CalcRects();
}

void TspSkinCustomComboBox::FreeEditor()
{
    if (!FEdit) return;
    TspCustomEdit* e = FEdit;
    FEdit = nullptr;
    e->WindowProc = FEditOldProc;
    e->OnChange = nullptr;
    e->OnEditCancelMode = nullptr;
    e->Hide();
    delete e;
}

void TspSkinCustomComboBox::ApplyEditorFont()
{
    if (!FEdit) return;
    TFont* f = FEdit->GetFont();
    if (Skinned()) {
        f->SetName(FFontName);
        f->SetStyle(FFontStyle);
        f->SetHeight(ClampFontHeight(FFontHeight));
        f->SetColor(FFontColor);
        f->SetCharset(GetDefaultFont()->GetCharset());
    } else {
        f->SetName(GetFont()->GetName());
        f->SetStyle(GetFont()->GetStyle());
        f->SetHeight(ClampFontHeight(GetFont()->GetHeight()));
        f->SetColor(GetFont()->GetColor());
    }
    FEdit->SetEditTransparent(Skinned());
}

void TspSkinCustomComboBox::EditChange(TObject*)
{
    if (!FEdit) return;
    TRestore<bool> guard(FEditChange, true);
    const std::string t = FEdit->GetText();
    if (!t.empty()) {
        const int match = FindPrefix(t, -1);
        if (match >= 0) {
            if (AutoComplete)
                FListBox->SetItemIndex(match);
            else
                FListBox->SetTopIndex(match);
        }
    }
    SetText(t);
}

void TspSkinCustomComboBox::SetEditText(const std::string& S)
{
    FEdit->SetText(S);
    // The editor is a multi-line EDIT (for its alignment styles), and such an EDIT
    // reports no EN_CHANGE for WM_SETTEXT: the text it was given is a change all the same.
    if (FEdit && GetText() != FEdit->GetText()) EditChange(FEdit);
}

void TspSkinCustomComboBox::EditPrevItem(bool WithText)
{
    const int i = FListBox->GetItemIndex();
    if (i <= 0) return;
    FListBox->SetItemIndex(i - 1);
    if (!WithText) return;
    if (FEdit) SetEditText(GetItems()->Get(i - 1));
    if (OnClick) OnClick(this);
}

void TspSkinCustomComboBox::EditNextItem(bool WithText)
{
    const int i = FListBox->GetItemIndex();
    if (i >= GetItems()->GetCount() - 1) return;
    FListBox->SetItemIndex(i + 1);
    if (!WithText) return;
    if (FEdit) SetEditText(GetItems()->Get(i + 1));
    if (OnClick) OnClick(this);
}

void TspSkinCustomComboBox::EditWindowProc(TMessage& Message)
{
    const bool shown = ListShown();
    const int count = GetItems()->GetCount();
    const int index = FListBox->GetItemIndex();
    switch (Message.Msg) {
    case WM_KILLFOCUS:
        if (shown) CloseUp(false);
        break;
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_RETURN: if (shown) CloseUp(true); break;
        case VK_ESCAPE: if (shown) CloseUp(false); break;
        case VK_F4:
            if (shown) CloseUp(true); else DropDown();
            return;
        case VK_PRIOR: if (shown) FListBox->SetItemIndex(std::max(0, index - (FDropDownCount + 1))); break;
        case VK_NEXT: if (shown) FListBox->SetItemIndex(std::min(count - 1, index + (FDropDownCount - 1))); break;
        case VK_UP: EditPrevItem(true); return;
        case VK_DOWN: EditNextItem(true); return;
        default: break;
        }
        break;
    case WM_SYSKEYDOWN:
        if (Message.WParam == VK_DOWN && !shown) {
            DropDown();
            return;
        }
        if (Message.WParam == VK_UP && shown) {
            CloseUp(false);
            return;
        }
        break;
    case WM_KEYUP:
        if (FEditOldProc) FEditOldProc(Message);
        if (Message.WParam >= 0x30 && AutoComplete) FindLBItemFromEdit();
        return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
        if (shown) CloseUp(false);
        break;
    case WM_MOUSEWHEEL:
        if (GET_WHEEL_DELTA_WPARAM(Message.WParam) < 1)
            EditNextItem(!shown);
        else
            EditPrevItem(!shown);
        break;
    default: break;
    }
    if (FEditOldProc) FEditOldProc(Message);
}

// ---- messages ----

void TspSkinCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: TspSkinCustomControl::Dispatch(Message); break;
    }
}

void TspSkinCustomComboBox::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TspSkinCustomComboBox::CMWantSpecialKey(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    switch (Message.WParam) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Message.Result = 1; break;
    // While the list is open, Enter and Escape close it rather than pressing the form's buttons.
    case VK_RETURN: case VK_ESCAPE: if (ListShown()) Message.Result = 1; break;
    default: break;
    }
}

void TspSkinCustomComboBox::CMCancelMode(TMessage& Message)
{
    TspSkinCustomControl::Dispatch(Message);
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (!IsListPart(sender)) CloseUp(false);
}

bool TspSkinCustomComboBox::IsListPart(const TControl* C) const
{
    if (C == this) return true;
    if (!FListBox) return false;
    return C == FListBox || C == FListBox->GetListBox() || C == FListBox->GetScrollBar() ||
           C == FListBox->GetHScrollBar();
}

void TspSkinCustomComboBox::WMMouseWheel(TMessage& Message)
{
    Message.Result = 0;
    if (FEdit || !FListBox) return;
    const bool up = GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0;
    const int i = GetItemIndex();
    const int next = up ? i - 1 : i + 1;
    if (next < 0 || next >= GetItems()->GetCount()) return;
    if (ListShown())
        FListBox->SetItemIndex(next);
    else
        SelectItem(next, true);
}

void TspSkinCustomComboBox::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

void TspSkinCustomComboBox::WMSetFocus(TMessage& Message)
{
    if (FEdit) {
        if (FEdit->CanFocus()) FEdit->SetFocus();
        return;
    }
    TspSkinCustomControl::WMSetFocus(Message);
    Repaint();
}

void TspSkinCustomComboBox::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    if (!FEdit && ListShown()) CloseUp(false);
    Repaint();
}

void TspSkinCustomComboBox::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FEdit && !FEditChange) FEdit->SetText(GetText());
    if (OnChange && !FQuietText) OnChange(this);
    if (FEditChange) Change();
}

void TspSkinCustomComboBox::CMVisibleChanged(TMessage& Message)
{
    TspSkinCustomControl::CMVisibleChanged(Message);
    if (!GetVisible()) CloseUp(false);
}

void TspSkinCustomComboBox::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    FPointerInside = true;
}

void TspSkinCustomComboBox::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    FPointerInside = false;
    if (FButton.MouseIn) {
        FButton.MouseIn = false;
        Repaint();
    }
}

void TspSkinCustomComboBox::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    // A list left open over a combo that can no longer take it back would stay forever.
    if (!IsEnabled()) CloseUp(false);
    Repaint();
}

void TspSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Focused() && FStyle != spcbEditStyle && CanFocus()) SetFocus();
    if (Button != mbLeft) return;
    // A press arrives without a move before it when the pointer jumped here.
    FButton.MouseIn = FButton.R.Contains(TPoint(X, Y));
    if (FButton.MouseIn || (FStyle == spcbFixedStyle && FItem.R.Contains(TPoint(X, Y)))) {
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

void TspSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    const bool in = FButton.R.Contains(TPoint(X, Y));
    if (in != FButton.MouseIn) {
        FButton.MouseIn = in;
        Repaint();
    }
}

void TspSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButton.Down) {
        FButton.Down = false;
        Repaint();
    }
}

void TspSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TspSkinCustomControl::KeyDown(Key, Shift);
    if (FEdit) return;
    const bool alt = (Shift & ssAlt) != 0;
    const bool shown = ListShown();
    const int index = GetItemIndex();
    const int count = GetItems()->GetCount();
    switch (Key) {
    case VK_RETURN: if (shown) CloseUp(true); break;
    case VK_ESCAPE: if (shown) CloseUp(false); break;
    case VK_F4: if (shown) CloseUp(true); else DropDown(); break;
    case VK_PRIOR: if (count > 0) SelectItem(std::max(0, index - (FDropDownCount + 1)), true); break;
    case VK_NEXT: if (count > 0) SelectItem(std::min(count - 1, index + (FDropDownCount - 1)), true); break;
    case VK_LEFT: case VK_UP:
        if (alt) {
            if (shown) CloseUp(false);
        } else if (index > 0) {
            SelectItem(index - 1, true);
        }
        break;
    case VK_RIGHT: case VK_DOWN:
        if (alt) {
            if (!shown) DropDown();
        } else if (index < count - 1) {
            SelectItem(index + 1, true);
        }
        break;
    default: break;
    }
}

void TspSkinCustomComboBox::KeyPress(char& Key)
{
    TspSkinCustomControl::KeyPress(Key);
    if (FEdit || Key == 0) return;
    if (static_cast<unsigned char>(Key) < 0x20) return;   // Enter, Escape and the other controls search nothing
    FindLBItem(std::string(1, Key));
}
