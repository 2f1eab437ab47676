#include "SkinCheckListBox.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SysUtils.h"
#include "Trace.h"
#include <algorithm>

namespace {

// The plain look's check column.
const int CheckColumn = 20;

}  // namespace

// ---- TspCheckListBox: the states beside the items ----

TspCheckListBox::TspCheckListBox(TComponent* AOwner) : TspListBox(AOwner) {}

TspSkinCheckListBox* TspCheckListBox::CheckOwner() const { return static_cast<TspSkinCheckListBox*>(FOwnerBox); }

void TspCheckListBox::FitStates()
{
    const size_t n = static_cast<size_t>(std::max(0, GetItems()->GetCount()));
    if (FStates.size() != n) FStates.resize(n, cbUnchecked);
}

void TspCheckListBox::CheckIndex(int Index)
{
    FitStates();
    if (Index < 0 || Index >= static_cast<int>(FStates.size()))
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

TCheckBoxState TspCheckListBox::GetState(int Index)
{
    CheckIndex(Index);
    return FStates[Index];
}

bool TspCheckListBox::GetChecked(int Index) { return GetState(Index) == cbChecked; }

void TspCheckListBox::SetState(int Index, TCheckBoxState State)
{
    // Items kept outside a window are not followed one by one: the first state
    // written brings the window (and with it the tracking of every later change).
    if (!HandleAllocated() && GetParent()) {
        try {
            HandleNeeded();
        } catch (const Exception&) {
            // No top-level window above the list yet: the states follow by position.
            Trace::Caught(Trace::Skin, "check list box handle");
        }
    }
    CheckIndex(Index);
    if (FStates[Index] == State) return;
    FStates[Index] = State;
    InvalidateCheck(Index);
}

void TspCheckListBox::SetChecked(int Index, bool Checked)
{
    if (GetChecked(Index) == Checked) return;
    SetState(Index, Checked ? cbChecked : cbUnchecked);
}

void TspCheckListBox::ToggleClickCheck(int Index)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    const TCheckBoxState s = GetState(Index);
    if (s == cbUnchecked) SetState(Index, cbChecked);
    else if (s == cbChecked) SetState(Index, cbUnchecked);
    if (OnInnerClickCheck) OnInnerClickCheck(this);
}

void TspCheckListBox::InvalidateCheck(int Index)
{
    if (!HandleAllocated()) return;
    const TRect r = ItemRect(Index);
    if (r.IsEmpty()) return;
    RECT rc = r;
    InvalidateRect(GetHandle(), &rc, FALSE);
    UpdateWindow(GetHandle());
}

void TspCheckListBox::ItemAdded(const std::string& Text, LRESULT At, bool Insert)
{
    const int count = static_cast<int>(SendMessageA(GetHandle(), LB_GETCOUNT, 0, 0));
    if (At < 0 || count <= 0) return;
    // The list held count - 1 items before this one.
    FStates.resize(static_cast<size_t>(count - 1), cbUnchecked);
    TCheckBoxState s = cbUnchecked;
    if (Insert && FCarryValid && FCarryText == Text) s = FCarryState;
    FCarryValid = false;
    const size_t at = std::min(static_cast<size_t>(At), FStates.size());
    FStates.insert(FStates.begin() + at, s);
}

void TspCheckListBox::ItemDeleting(int Index)
{
    FCarryValid = false;
    FitStates();
    if (Index < 0 || Index >= static_cast<int>(FStates.size())) return;
    const LRESULT len = SendMessageA(GetHandle(), LB_GETTEXTLEN, Index, 0);
    std::string text(len > 0 ? len + 1 : 1, '\0');
    const LRESULT got = len > 0 ? SendMessageA(GetHandle(), LB_GETTEXT, Index, reinterpret_cast<LPARAM>(&text[0])) : 0;
    text.resize(got > 0 ? got : 0);
    FCarryText = text;
    FCarryState = FStates[Index];
    FCarryValid = true;
    FStates.erase(FStates.begin() + Index);
}

void TspCheckListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const char* p = reinterpret_cast<const char*>(Message.LParam);
        const std::string text = p ? p : "";
        TspListBox::WndProc(Message);
        if (HandleAllocated()) ItemAdded(text, Message.Result, Message.Msg == LB_INSERTSTRING);
        return;
    }
    case LB_DELETESTRING: {
        const int index = static_cast<int>(Message.WParam);
        const bool exists = HandleAllocated() && index >= 0 &&
                            index < static_cast<int>(SendMessageA(GetHandle(), LB_GETCOUNT, 0, 0));
        if (exists) ItemDeleting(index);
        TspListBox::WndProc(Message);
        return;
    }
    case LB_RESETCONTENT:
        TspListBox::WndProc(Message);
        FStates.clear();
        FCarryValid = false;
        return;
    default:
        TspListBox::WndProc(Message);
    }
}

std::vector<TspCheckListBox::TKeptItem> TspCheckListBox::KeepItems()
{
    FitStates();
    std::vector<TKeptItem> kept;
    TStrings* items = GetItems();
    const int n = items->GetCount();
    kept.reserve(n);
    for (int i = 0; i < n; ++i)
        kept.push_back({items->Get(i), reinterpret_cast<LPARAM>(items->GetObject(i)), FStates[i]});
    return kept;
}

void TspCheckListBox::RestoreStates(const std::vector<TKeptItem>& Kept)
{
    TStrings* items = GetItems();
    const int n = items->GetCount();
    std::vector<bool> used(Kept.size(), false);
    std::vector<TCheckBoxState> states(static_cast<size_t>(std::max(0, n)), cbUnchecked);
    for (int i = 0; i < n; ++i) {
        const std::string text = items->Get(i);
        const LPARAM data = reinterpret_cast<LPARAM>(items->GetObject(i));
        for (size_t k = 0; k < Kept.size(); ++k) {
            if (used[k] || Kept[k].Data != data || Kept[k].Text != text) continue;
            used[k] = true;
            states[i] = Kept[k].State;
            break;
        }
    }
    FStates.swap(states);
    FCarryValid = false;
}

void TspCheckListBox::DestroyWnd()
{
    // The items move out of the window, into a list that may sort them: the states follow.
    const std::vector<TKeptItem> kept = HandleAllocated() ? KeepItems() : std::vector<TKeptItem>();
    TspListBox::DestroyWnd();
    if (!kept.empty()) RestoreStates(kept);
}

void TspCheckListBox::CreateWnd()
{
    const std::vector<TKeptItem> kept = KeepItems();
    TspListBox::CreateWnd();
    RestoreStates(kept);
}

// ---- TspCheckListBox: keys and mouse ----

void TspCheckListBox::KeyPress(char& Key)
{
    const char typed = Key;
    TspListBox::KeyPress(Key);
    if (typed == ' ') ToggleClickCheck(GetItemIndex());
    // Without AutoComplete the typed characters search nothing.
    TspSkinCheckListBox* o = CheckOwner();
    if (o && !o->FAutoComplete && static_cast<unsigned char>(Key) >= 32) Key = 0;
}

void TspCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspListBox::MouseDown(Button, Shift, X, Y);
    if (!HandleAllocated()) return;
    const int index = ItemAtPos(TPoint(X, Y), true);
    if (index < 0) return;
    const TRect r = ItemRect(index);
    bool hit;
    TspSkinCheckListBox* o = CheckOwner();
    if (!o || !o->SkinnedList()) {
        hit = X - r.left < CheckColumn;
    } else {
        const TRect k = CheckRect(r.Width(), r.Height(), false);
        hit = TRect(k.left + r.left, k.top + r.top, k.right + r.left, k.bottom + r.top).Contains(TPoint(X, Y));
    }
    if (hit) ToggleClickCheck(index);
}

// ---- TspCheckListBox: painting ----

TRect TspCheckListBox::CheckRect(int ItemWidth, int ItemHeight, bool Stretch)
{
    TspSkinCheckListBox* o = CheckOwner();
    if (!o) return TRect();
    TRect k = o->SItemCheckRect;
    // A check area at the row's right (past the text, or in the right half of the
    // row picture) stays at the row's right end as the row widens.
    if (k.left >= o->SItemTextRect.right || k.left >= o->SItemRect.Width() / 2) {
        const int dx = ItemWidth - o->SItemRect.Width();
        k.left += dx;
        k.right += dx;
    }
    if (Stretch) k.bottom += ItemHeight - o->SItemRect.Height();
    return k;
}

void TspCheckListBox::SkinDrawCheckImage(TCanvas* Cnvs, const TRect& K, const TRect& R)
{
    TspSkinCheckListBox* o = CheckOwner();
    if (!o || !o->FElement.Picture) return;
    const TRect src = ClipToPicture(R, o->FElement.Picture);
    if (src.IsEmpty()) return;
    TBitmap b(src.Width(), src.Height(), pf24bit);
    b.GetCanvas()->CopyRect(TRect(0, 0, src.Width(), src.Height()), o->FElement.Picture->GetCanvas(), src);
    b.SetTransparent(true);
    Cnvs->Draw(K.left + K.Width() / 2 - src.Width() / 2, K.top + K.Height() / 2 - src.Height() / 2, &b);
}

void TspCheckListBox::DrawTextPart(TCanvas* C, int Index, int W, int H, TRect T, TOwnerDrawState State, bool Inset)
{
    TspSkinCheckListBox* o = CheckOwner();
    if (o && o->OnDrawItem) {
        o->OnDrawItem(C, Index, W, H, T, State);
        return;
    }
    if (o && o->FImages) {
        TCustomImageList* images = o->FImages;
        const int n = o->FImageIndex >= 0 ? o->FImageIndex : Index;
        if (n < images->GetCount()) images->Draw(C, T.left, T.top + T.Height() / 2 - images->GetHeight() / 2, n, true);
        T.left += images->GetWidth() + 2;
    }
    C->GetBrush()->SetStyle(bsClear);
    if (Inset) Sputils::SPDrawText2(C, GetItems()->Get(Index), T);
    else Sputils::SPDrawText(C, GetItems()->Get(Index), T);
}

void TspCheckListBox::DrawDefaultItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= GetItems()->GetCount() || Rect.IsEmpty()) return;
    const int w = Rect.Width(), h = Rect.Height();
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    TFont* font = PlainItemCanvas(c);
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, w, h));
    const TRect content(CheckColumn, 0, w, h);
    if (State & odSelected) {
        c->GetBrush()->SetColor(clHighlight);
        c->GetFont()->SetColor(clHighlightText);
    } else {
        c->GetFont()->SetColor(font->GetColor());
    }
    c->FillRect(content);
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(3, h / 2 - 6, 16, h / 2 + 7));
    if (GetState(Index) == cbChecked) Sputils::DrawCheckImage(c, 6, h / 2 - 4, clWindowText);
    DrawTextPart(c, Index, w, h, TRect(22, 0, w - 2, h), State, false);
    if (State & odFocused) {
        c->GetBrush()->SetStyle(bsSolid);
        c->DrawFocusRect(content);
    }
    Cnvs->Draw(Rect.left, Rect.top, &b);
}

TspSkinCustomListBox* TspCheckListBox::SkinItemOwner(TCanvas* Cnvs, int Index, const TRect& Rect,
                                                    TOwnerDrawState State)
{
    TspSkinCheckListBox* o = CheckOwner();
    if (!o || !o->SkinnedList() || Index < 0 || Index >= GetItems()->GetCount() || Rect.IsEmpty()) return nullptr;
    if (ClipToPicture(o->SItemRect, o->FElement.Picture).IsEmpty()) {
        DrawDefaultItem(Cnvs, Index, Rect, State);
        return nullptr;
    }
    return o;
}

void TspCheckListBox::DrawSkinItemExtras(TCanvas* C, int Index, int W, int H, bool Stretch)
{
    TspSkinCheckListBox* o = CheckOwner();
    const TRect& image = GetState(Index) == cbChecked ? o->SCheckImageRect : o->SUnCheckImageRect;
    SkinDrawCheckImage(C, CheckRect(W, H, Stretch), image);
}

void TspCheckListBox::DrawSkinItemText(TCanvas* C, int Index, int W, int H, const TRect& T, TOwnerDrawState State,
                                       bool Stretch)
{
    DrawTextPart(C, Index, W, H, T, State, Stretch);
}

// ---- TspSkinCheckListBox ----

TspSkinCheckListBox::TspSkinCheckListBox(TComponent* AOwner) : TspSkinCustomListBox(AOwner)
{
    // The frame's plain inner list gives way to the one that keeps the check states.
    FInnerListBox->FOwnerBox = nullptr;
    delete FInnerListBox;
    auto* lb = new TspCheckListBox(this);
    FInnerListBox = lb;
    lb->SetParent(this);
    lb->SetStyle(lbOwnerDrawFixed);
    lb->SetItemHeight(FDefaultItemHeight);
    lb->FOwnerBox = this;
    FSkinDataName = "checklistbox";
    CalcRects();
}

void TspSkinCheckListBox::GetSkinData()
{
    TspSkinCustomListBox::GetSkinData();
    const auto* rec = Skinned() ? dynamic_cast<const TspDataSkinCheckListBox*>(CurrentRecord()) : nullptr;
    if (!rec) return;
    SCheckImageRect = rec->CheckImageRect;
    SUnCheckImageRect = rec->UnCheckImageRect;
    // The check area is part of a row: a skin's giant rectangle is bounded.
    SItemCheckRect = TRect(std::clamp(static_cast<int>(rec->ItemCheckRect.left), -MaxSkinControlSide, MaxSkinControlSide),
                           std::clamp(static_cast<int>(rec->ItemCheckRect.top), -MaxSkinControlSide, MaxSkinControlSide),
                           std::clamp(static_cast<int>(rec->ItemCheckRect.right), -MaxSkinControlSide, MaxSkinControlSide),
                           std::clamp(static_cast<int>(rec->ItemCheckRect.bottom), -MaxSkinControlSide, MaxSkinControlSide));
}

void TspSkinCheckListBox::ListBoxOnClickCheck(TObject*)
{
    if (OnClickCheck) OnClickCheck(this);
}

void TspSkinCheckListBox::ButtonUp(int I, int X, int Y)
{
    if (I < 0 || I > 2) return;
    const TNotifyEvent event = I == 0 ? OnUpButtonClick : (I == 1 ? OnDownButtonClick : OnCheckButtonClick);
    if (!event && I != 2) {
        TspSkinCustomListBox::ButtonUp(I, X, Y);
        return;
    }
    FCaptionButtons[I].Down = false;
    if (I != FActiveButton) FCaptionButtons[I].MouseIn = false;
    if (HandleAllocated()) DrawButton(GetCanvas(), I);
    // A press begun on a button is its click, wherever the release lands.
    if (event) {
        event(this);
        return;
    }
    // The caption's check button ticks the selected row (a grayed one becomes checked).
    const int index = GetItemIndex();
    if (index < 0) return;
    SetChecked(index, !GetChecked(index));
    ListBoxOnClickCheck(this);
}
