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

}  // namespace

// ---- TspSkinCustomComboBox ----

TspSkinCustomComboBox::TspSkinCustomComboBox(TComponent* AOwner)
    : TspSkinComboFrame(AOwner, csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks)
{
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

void TspSkinCustomComboBox::SetSorted(bool Value) { FListBox->SetSorted(Value); }

void TspSkinCustomComboBox::SetHideSelection(bool Value) { FHideSelection = Value; }

void TspSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinComboFrame::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEdit) FEdit = nullptr;
    if (Operation == opRemove && AComponent == FListBox) FListBox = nullptr;
}

void TspSkinCustomComboBox::Invalidate()
{
    TspSkinCustomControl::Invalidate();
    if (FEdit && Skinned()) FEdit->Invalidate();
}

void TspSkinCustomComboBox::GetSkinData()
{
    TspSkinComboFrame::GetSkinData();
    const auto* rec = dynamic_cast<const TspDataSkinComboBox*>(CurrentRecord());
    if (Skinned() && rec) FListBoxName = rec->ListBoxName;
}

void TspSkinCustomComboBox::CalcRects()
{
    TspSkinComboFrame::CalcRects();
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

// ---- painting ----

int TspSkinCustomComboBox::ShownIndex() const
{
    return ListShown() ? FOldItemIndex : GetItemIndex();
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

// ---- drop-down ----

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

int TspSkinCustomComboBox::GetListTopIndex() const { return FListBox->GetTopIndex(); }

void TspSkinCustomComboBox::DropDown()
{
    const int count = GetItems()->GetCount();
    if (count == 0 || ListShown()) return;
    if (OnDropDown) OnDropDown(this);
    const int rows = std::min(count, FDropDownCount);
    FListBox->SetWidth(GetWidth());
    FListBox->SetHeight(FListBox->CalcHeight(rows));
    const TPoint p = DropListPoint(FListBox->GetHeight());
    if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
    FOldItemIndex = ReadyDropList(count);
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
        ApplySkinFontFields(f, FSkinFont);
        f->SetColor(FSkinFont.Color);
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

bool TspSkinCustomComboBox::IsListPart(const TControl* C) const
{
    return TspSkinComboFrame::IsListPart(C) || (FListBox && C == FListBox->GetHScrollBar());
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

void TspSkinCustomComboBox::WMSetFocus(TMessage& Message)
{
    if (FEdit) {
        if (FEdit->CanFocus()) FEdit->SetFocus();
        return;
    }
    TspSkinComboFrame::WMSetFocus(Message);
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

void TspSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    // The editor has the keys while it is there.
    if (FEdit)
        TspSkinCustomControl::KeyDown(Key, Shift);
    else
        TspSkinComboFrame::KeyDown(Key, Shift);
}

void TspSkinCustomComboBox::OtherKey(WORD Key)
{
    if (Key != VK_F4) return;
    if (ListShown())
        CloseUp(true);
    else
        DropDown();
}

void TspSkinCustomComboBox::KeyPress(char& Key)
{
    TspSkinCustomControl::KeyPress(Key);
    if (FEdit || Key == 0) return;
    if (static_cast<unsigned char>(Key) < 0x20) return;   // Enter, Escape and the other controls search nothing
    FindLBItem(std::string(1, Key));
}
