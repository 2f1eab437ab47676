#include "ListBox.h"

TOwnerDrawState OwnerDrawState(UINT s)
{
    TOwnerDrawState r = 0;
    if (s & ODS_SELECTED) r |= odSelected;
    if (s & ODS_GRAYED) r |= odGrayed;
    if (s & ODS_DISABLED) r |= odDisabled;
    if (s & ODS_CHECKED) r |= odChecked;
    if (s & ODS_FOCUS) r |= odFocused;
    if (s & ODS_DEFAULT) r |= odDefault;
    if (s & ODS_HOTLIGHT) r |= odHotLight;
    if (s & ODS_NOACCEL) r |= odNoAccel;
    if (s & ODS_NOFOCUSRECT) r |= odNoFocusRect;
    if (s & ODS_COMBOBOXEDIT) r |= odComboBoxEdit;
    return r;
}

void PrepareItemCanvas(TCanvas* Canvas, TFont* Font, TColor Color, TOwnerDrawState State)
{
    Canvas->SetFont(Font);
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (State & odSelected) {
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->GetFont()->SetColor(clHighlightText);
    } else {
        Canvas->GetBrush()->SetColor(Color);
    }
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TItemStrings(this, ListBoxMessages)), FCanvas(new TControlCanvas(this))
{
    FControlStyle = csSetCaption | csDoubleClicks | csReplicatable;
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FParentColor = false;
    FColor = clWindow;
    FBrush->SetColor(FColor);
}

TCustomListBox::~TCustomListBox()
{
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
    FCanvas->FreeHandle();
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TListBox";
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FStyle != lbStandard) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
    if (FColumns > 0) SendMessageA(FHandle, LB_SETCOLUMNWIDTH, (FWidth - 4) / FColumns, 0);
    FItems->WindowCreated();
}

void TCustomListBox::DestroyWnd()
{
    FItems->WindowDestroying();
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

int TCustomListBox::GetItemIndex()
{
    if (!FHandle) return FItems->SavedIndex;
    if (FMultiSelect) return static_cast<int>(SendMessageA(FHandle, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
    if (!FHandle) {
        FItems->SavedIndex = Value;
        return;
    }
    if (FMultiSelect) {
        SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
        if (Value >= 0) SendMessageA(FHandle, LB_SETSEL, TRUE, Value);
        SendMessageA(FHandle, LB_SETCARETINDEX, Value, 0);
    } else {
        SendMessageA(FHandle, LB_SETCURSEL, Value, 0);
    }
}

bool TCustomListBox::GetSelected(int Index)
{
    LRESULT r = SendMessageA(GetHandle(), LB_GETSEL, Index, 0);
    if (r < 0) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (FMultiSelect) SendMessageA(GetHandle(), LB_SETSEL, Value, Index);
    else SetItemIndex(Value ? Index : -1);
}

int TCustomListBox::GetSelCount()
{
    if (!FMultiSelect) return GetItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageA(GetHandle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::GetTopIndex() { return static_cast<int>(SendMessageA(GetHandle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int Value) { SendMessageA(GetHandle(), LB_SETTOPINDEX, Value, 0); }

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (Value == FMultiSelect) return;
    FMultiSelect = Value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    if (Value == FExtendedSelect) return;
    FExtendedSelect = Value;
    if (FMultiSelect) RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value)
{
    if (Value == FSorted) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    RecreateWnd();
}

int TCustomListBox::GetItemHeight()
{
    if (FHandle && FStyle == lbStandard) return static_cast<int>(SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0 || Value == FItemHeight) return;
    FItemHeight = Value;
    if (FHandle && FStyle != lbStandard) {
        SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, Value);
        Invalidate();
    }
}

void TCustomListBox::SetColumns(int Value)
{
    if (Value < 0 || Value == FColumns) return;
    bool recreate = (Value == 0) != (FColumns == 0);
    FColumns = Value;
    if (recreate) RecreateWnd();
    else if (FHandle) SendMessageA(FHandle, LB_SETCOLUMNWIDTH, (FWidth - 4) / FColumns, 0);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    LRESULT r = SendMessageA(GetHandle(), LB_ITEMFROMPOINT, 0, PointToLParam(Pos.x, Pos.y));
    int index = LOWORD(r);
    bool outside = HIWORD(r) != 0;
    if (outside && Existing) return -1;
    if (index >= FItems->GetCount()) return Existing ? -1 : FItems->GetCount();
    return index;
}

TRect TCustomListBox::ItemRect(int Index)
{
    RECT r = {0, 0, 0, 0};
    if (SendMessageA(GetHandle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r)) == LB_ERR) return TRect();
    return TRect(r);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FItems->GetCount()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Get(Index));
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    }
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state = OwnerDrawState(dis->itemState);
    TPaintDCScope painting(*FCanvas, dis->hDC);
    PrepareItemCanvas(FCanvas.get(), FFont.get(), FColor, state);
    DrawItem(static_cast<int>(dis->itemID), TRect(dis->rcItem), state);
    if (state & odFocused) DrawFocusRect(dis->hDC, &dis->rcItem);
    Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    mis->itemHeight = FItemHeight;
    Message.Result = 1;
}
