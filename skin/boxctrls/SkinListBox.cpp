#include "SkinListBox.h"
#include "GdiHandles.h"
#include "ScopeGuard.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinScrollBar.h"
#include <algorithm>

namespace {

const UINT RepeatTimer = 1;
// Asks the frame to bring its bars in line once the current bar call has returned.
const UINT WM_SPUPDATEBARS = WM_USER + 0x2A1;

// A rectangle of the skin picture that is empty, or of a size no control has,
// counts as missing.
bool UsableSkinRect(const TRect& R)
{
    return !R.IsEmpty() && R.Width() <= MaxSkinControlSide && R.Height() <= MaxSkinControlSide;
}

TRect MoveRect(const TRect& R, int DX, int DY) { return TRect(R.left + DX, R.top + DY, R.right + DX, R.bottom + DY); }

}  // namespace

// ---- TspListBox ----

TspListBox::TspListBox(TComponent* AOwner) : TListBox(AOwner)
{
    FControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
}

int TspListBox::SafeItemHeight()
{
    const int h = GetItemHeight();
    return h > 0 ? h : 1;
}

void TspListBox::CreateParams(TCreateParams& Params)
{
    TListBox::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.WindowClass.style = CS_DBLCLKS;
    Params.Style |= WS_TABSTOP;
    Params.WinClassName = "TspListBox";
}

void TspListBox::CreateWnd()
{
    TListBox::CreateWnd();
    if (FOwnerBox) FOwnerBox->ListBoxCreateWnd();
}

void TspListBox::WndProc(TMessage& Message)
{
    if (FOwnerBox) {
        bool callDefault = true;
        FOwnerBox->ListBoxWProc(Message, callDefault);
        if (!callDefault) return;
    }
    if (Message.Msg == WM_NCCALCSIZE) {
        // No non-client area: the system bars keep their range and position but
        // take no room and are never drawn; the frame's bars stand in for them.
        Message.Result = 0;
        return;
    }
    TListBox::WndProc(Message);
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (FOwnerBox) FOwnerBox->UpDateScrollBar();
        break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
        if (FOwnerBox) FOwnerBox->UpDateScrollBar();
        break;
    case WM_LBUTTONDBLCLK:
        if (FOwnerBox) FOwnerBox->ListBoxDblClick();
        break;
    case WM_MOUSEWHEEL:
        if (!FOwnerBox) break;
        if (FOwnerBox->FScrollBar) {
            const int delta = static_cast<int>(static_cast<LONG>(Message.WParam));
            SendMessageA(GetHandle(), WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            FOwnerBox->UpDateScrollBar();
        } else if (TspSkinScrollBar* h = FOwnerBox->FHorzBar) {
            const int delta = static_cast<int>(static_cast<LONG>(Message.WParam));
            h->SetPosition(h->GetPosition() + (delta > 0 ? -h->GetSmallChange() : h->GetSmallChange()));
        }
        break;
    }
}

void TspListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = GetWidth();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (oldWidth != GetWidth() && FHScrollOffset > 0) {
        FHScrollOffset = std::max(0, FHScrollOffset + oldWidth - GetWidth());
        Repaint();
    }
}

void TspListBox::WMPaint(TMessage& Message)
{
    if (Message.WParam) {
        PaintWindow(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    TPaintGuard paint(GetHandle());
    PaintWindow(paint.Get());
}

void TspListBox::PaintWindow(HDC DC)
{
    if (GetWidth() <= 0 || GetHeight() <= 0) return;
    TSaveDCGuard saved(DC);
    if (GetColumns() <= 0) PaintList(DC);
    else PaintColumnsList(DC);
}

void TspListBox::WMEraseBkgnd(TMessage& Message)
{
    if (GetWidth() > 0 && GetHeight() > 0) PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TspListBox::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    auto* canvas = static_cast<TControlCanvas*>(GetCanvas());
    TPaintDCScope painting(*canvas, dis->hDC);
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetColor(GetColor());
    DrawItemByMode(canvas, static_cast<int>(dis->itemID), TRect(dis->rcItem), OwnerDrawState(dis->itemState));
    Message.Result = 1;
}

void TspListBox::CMEnter(TMessage& Message)
{
    if (FOwnerBox) FOwnerBox->ListBoxEnter();
    TListBox::CMEnter(Message);
}

void TspListBox::CMExit(TMessage& Message)
{
    if (FOwnerBox) FOwnerBox->ListBoxExit();
    TListBox::CMExit(Message);
}

void TspListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOwnerBox) FOwnerBox->ListBoxMouseDown(Button, Shift, X, Y);
    TListBox::MouseDown(Button, Shift, X, Y);
}

void TspListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FOwnerBox) FOwnerBox->ListBoxMouseMove(Shift, X, Y);
    TListBox::MouseMove(Shift, X, Y);
}

void TspListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOwnerBox) FOwnerBox->ListBoxMouseUp(Button, Shift, X, Y);
    TListBox::MouseUp(Button, Shift, X, Y);
}

void TspListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FOwnerBox) {
        FOwnerBox->ListBoxKeyDown(Key, Shift);
        if (TspSkinScrollBar* h = FOwnerBox->FHorzBar) {
            if (Key == VK_LEFT) {
                h->SetPosition(h->GetPosition() - h->GetSmallChange());
                Key = 0;
            } else if (Key == VK_RIGHT) {
                h->SetPosition(h->GetPosition() + h->GetSmallChange());
                Key = 0;
            }
        }
    }
    TListBox::KeyDown(Key, Shift);
}

void TspListBox::KeyPress(char& Key)
{
    if (FOwnerBox) FOwnerBox->ListBoxKeyPress(Key);
    TListBox::KeyPress(Key);
}

void TspListBox::Click()
{
    if (FOwnerBox) FOwnerBox->ListBoxClick();
    TListBox::Click();
}

TOwnerDrawState TspListBox::GetState(int Index)
{
    const int count = GetItems()->GetCount();
    if (Index < 0 || Index >= count) return 0;
    if (Index == GetItemIndex()) return odSelected | (Focused() ? odFocused : 0);
    if (GetSelCount() > 0 && GetSelected(Index)) return odSelected;
    return 0;
}

void TspListBox::PaintBG(HDC DC)
{
    if (!DC) return;
    TBorrowedCanvas dc(DC);
    if (FOwnerBox) FOwnerBox->GetSkinData();
    if (!FOwnerBox || !FOwnerBox->SkinnedList()) {
        dc->GetBrush()->SetStyle(bsSolid);
        dc->GetBrush()->SetColor(clWindow);
        dc->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
        return;
    }
    PaintBGWH(dc.Get(), GetWidth(), GetHeight(), 0, 0);
}

void TspListBox::PaintBGWH(TCanvas* Cnvs, int AW, int AH, int AX, int AY)
{
    if (AW <= 0 || AH <= 0 || !FOwnerBox) return;
    const TspSkinElement& e = FOwnerBox->Element();
    TBitmap b(AW, AH, pf24bit);
    TCanvas* c = b.GetCanvas();
    const TRect tile = ClipToPicture(TRect(e.SkinRect.left + e.ClRect.left, e.SkinRect.top + e.ClRect.top,
                                           e.SkinRect.left + e.ClRect.right, e.SkinRect.top + e.ClRect.bottom),
                                     e.Picture);
    if (!e.Picture || tile.IsEmpty()) {
        // An element whose client area is empty has no tile to repeat: the plain background.
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clWindow);
        c->FillRect(TRect(0, 0, AW, AH));
    } else {
        // One tile, then the covered part copied onto itself, doubling each time:
        // a one-pixel tile costs a handful of copies, not one per pixel.
        const int tw = std::min(tile.Width(), AW), th = std::min(tile.Height(), AH);
        c->CopyRect(TRect(0, 0, tw, th), e.Picture->GetCanvas(), TRect(tile.left, tile.top, tile.left + tw, tile.top + th));
        for (int w = tw; w < AW; w *= 2) {
            const int n = std::min(w, AW - w);
            c->CopyRect(TRect(w, 0, w + n, th), c, TRect(0, 0, n, th));
        }
        for (int h = th; h < AH; h *= 2) {
            const int n = std::min(h, AH - h);
            c->CopyRect(TRect(0, h, AW, h + n), c, TRect(0, 0, AW, n));
        }
    }
    Cnvs->Draw(AX, AY, &b);
}

void TspListBox::DrawItemByMode(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (!FOwnerBox || !FOwnerBox->SkinnedList()) DrawDefaultItem(Cnvs, Index, Rect, State);
    else if (FOwnerBox->FUseSkinItemHeight) DrawSkinItem(Cnvs, Index, Rect, State);
    else DrawStretchSkinItem(Cnvs, Index, Rect, State);
}

void TspListBox::PaintList(HDC DC)
{
    TBorrowedCanvas dc(DC);
    const int count = GetItems()->GetCount();
    const int top = std::max(0, GetTopIndex());
    const int v = GetHeight() / SafeItemHeight();
    const int last = std::min(top + v, count - 1);
    int bottom = 0;
    for (int i = top; i <= last; ++i) {
        const TRect r = ItemRect(i);
        DrawItemByMode(dc.Get(), i, r, GetState(i));
        bottom = r.bottom;
    }
    if (bottom < GetHeight()) {
        if (FOwnerBox) FOwnerBox->GetSkinData();
        if (!FOwnerBox || !FOwnerBox->SkinnedList()) {
            dc->GetBrush()->SetStyle(bsSolid);
            dc->GetBrush()->SetColor(clWindow);
            dc->FillRect(TRect(0, bottom, GetWidth(), GetHeight()));
        } else {
            PaintBGWH(dc.Get(), GetWidth(), GetHeight() - bottom, 0, bottom);
        }
    }
}

void TspListBox::PaintColumnsList(HDC DC)
{
    TBorrowedCanvas dc(DC);
    const int count = GetItems()->GetCount();
    const int top = std::max(0, GetTopIndex());
    const long long span = static_cast<long long>(GetHeight() / SafeItemHeight()) * GetColumns();
    const int last = static_cast<int>(std::min<long long>(top + span, count - 1));
    for (int i = top; i <= last; ++i) DrawItemByMode(dc.Get(), i, ItemRect(i), GetState(i));
}

void TspListBox::DrawImageAndText(TCanvas* C, int Index, int W, int H, const TRect& T, TOwnerDrawState State)
{
    if (FOwnerBox->OnDrawItem) {
        FOwnerBox->OnDrawItem(C, Index, W, H, T, State);
        return;
    }
    int d = 0;
    if (TCustomImageList* images = FOwnerBox->FImages) {
        const int n = FOwnerBox->FImageIndex >= 0 ? FOwnerBox->FImageIndex : Index;
        if (n < images->GetCount())
            images->Draw(C, T.left - FHScrollOffset, T.top + T.Height() / 2 - images->GetHeight() / 2, n, true);
        d = images->GetWidth() + 2;
    }
    C->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText3(C, GetItems()->Get(Index), T, d - FHScrollOffset);
}

TFont* TspListBox::PlainItemCanvas(TCanvas* C)
{
    TFont* font = FOwnerBox ? FOwnerBox->GetFont() : GetFont();
    C->GetFont()->SetName(font->GetName());
    C->GetFont()->SetStyle(font->GetStyle());
    C->GetFont()->SetHeight(font->GetHeight());
    C->GetBrush()->SetStyle(bsSolid);
    return font;
}

void TspListBox::DrawDefaultItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= GetItems()->GetCount() || Rect.IsEmpty()) return;
    TBitmap b(Rect.Width(), Rect.Height(), pf24bit);
    TCanvas* c = b.GetCanvas();
    TFont* font = PlainItemCanvas(c);
    if (State & odSelected) {
        c->GetBrush()->SetColor(clHighlight);
        c->GetFont()->SetColor(clHighlightText);
    } else {
        c->GetBrush()->SetColor(clWindow);
        c->GetFont()->SetColor(font->GetColor());
    }
    const TRect all(0, 0, b.GetWidth(), b.GetHeight());
    c->FillRect(all);
    const TRect t(2, 0, b.GetWidth() - 2, b.GetHeight());
    if (FOwnerBox) {
        DrawImageAndText(c, Index, b.GetWidth(), b.GetHeight(), t, State);
    } else {
        c->GetBrush()->SetStyle(bsClear);
        Sputils::SPDrawText3(c, GetItems()->Get(Index), t, 0);
    }
    if (State & odFocused) {
        c->GetBrush()->SetStyle(bsSolid);
        c->DrawFocusRect(all);
    }
    Cnvs->Draw(Rect.left, Rect.top, &b);
}

TspSkinCustomListBox* TspListBox::SkinItemOwner(TCanvas* Cnvs, int Index, const TRect& Rect,
                                                 TOwnerDrawState State)
{
    if (!FOwnerBox || !FOwnerBox->FElement.Picture) return nullptr;
    if (Index < 0 || Index >= GetItems()->GetCount() || Rect.IsEmpty()) return nullptr;
    if (!UsableSkinRect(FOwnerBox->SItemRect)) {
        DrawDefaultItem(Cnvs, Index, Rect, State);
        return nullptr;
    }
    return FOwnerBox;
}

void TspListBox::SkinItemStrip(TBitmap* B, const TRect& Source, int Width)
{
    TspSkinCustomListBox* o = FOwnerBox;
    Sputils::CreateHSkinImage(o->SItemLeftOffset, o->SItemRightOffset, B, o->FElement.Picture, Source, Width,
                              o->SItemRect.Height());
}

TspListBox::TSkinItemLook TspListBox::SkinItemLook(TOwnerDrawState State, bool Stretch) const
{
    const TspSkinCustomListBox* o = FOwnerBox;
    TSkinItemLook look{o->SItemRect, o->SFont.Color, false};
    const bool focused = (State & odFocused) != 0, selected = (State & odSelected) != 0;
    if (focused && !selected && !Stretch) {
        look.FocusFrame = true;
    } else if (focused) {
        look.Source = o->SFocusItemRect;
        look.FontColor = o->SFocusFontColor;
    } else if (selected) {
        look.Source = o->SActiveItemRect;
        look.FontColor = o->SActiveFontColor;
    }
    return look;
}

TRect TspListBox::SkinItemTextRect(int W, int H, bool Stretch) const
{
    const TspSkinCustomListBox* o = FOwnerBox;
    TRect t = o->SItemTextRect;
    t.right += W - o->SItemRect.Width();
    if (Stretch) t.bottom += H - o->SItemRect.Height();
    return t;
}

void TspListBox::DrawSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    TspSkinCustomListBox* o = SkinItemOwner(Cnvs, Index, Rect, State);
    if (!o) return;
    const TSkinItemLook look = SkinItemLook(State, false);
    TBitmap b;
    SkinItemStrip(&b, look.Source, Rect.Width());
    if (b.Empty()) return;
    TCanvas* c = b.GetCanvas();
    DrawSkinItemExtras(c, Index, b.GetWidth(), b.GetHeight(), false);
    o->ApplySkinFont(c, o->SFont, look.FontColor);
    DrawSkinItemText(c, Index, b.GetWidth(), b.GetHeight(), SkinItemTextRect(Rect.Width(), Rect.Height(), false),
                     State, false);
    if (look.FocusFrame) {
        c->GetBrush()->SetStyle(bsSolid);
        c->DrawFocusRect(TRect(0, 0, b.GetWidth(), b.GetHeight()));
    }
    Cnvs->Draw(Rect.left, Rect.top, &b);
}

void TspListBox::DrawStretchSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    TspSkinCustomListBox* o = SkinItemOwner(Cnvs, Index, Rect, State);
    if (!o) return;
    const TSkinItemLook look = SkinItemLook(State, true);
    TBitmap first;
    SkinItemStrip(&first, look.Source, Rect.Width());
    TBitmap b(Rect.Width(), Rect.Height(), pf24bit);
    TCanvas* c = b.GetCanvas();
    if (!first.Empty()) c->StretchDraw(TRect(0, 0, b.GetWidth(), b.GetHeight()), &first);
    DrawSkinItemExtras(c, Index, b.GetWidth(), b.GetHeight(), true);
    o->ApplySkinFont(c, o->SFont, look.FontColor);
    DrawSkinItemText(c, Index, b.GetWidth(), b.GetHeight(), SkinItemTextRect(Rect.Width(), Rect.Height(), true),
                     State, true);
    Cnvs->Draw(Rect.left, Rect.top, &b);
}

void TspListBox::DrawSkinItemText(TCanvas* C, int Index, int W, int H, const TRect& T, TOwnerDrawState State, bool)
{
    C->GetBrush()->SetStyle(bsClear);
    DrawImageAndText(C, Index, W, H, T, State);
}

// ---- TspSkinCustomListBox ----

TspSkinCustomListBox::TspSkinCustomListBox(TComponent* AOwner)
    : TspSkinCustomControl(AOwner), FDefaultCaptionFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable;
    FWidth = 120;
    FHeight = 120;
    FSkinDataName = "listbox";
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    GetFont()->SetColor(clWindowText);
    GetFont()->SetStyle(0);
    FDefaultCaptionFont->SetName("Arial");
    FDefaultCaptionFont->SetHeight(14);
    FDefaultCaptionFont->OnChange = [this](TObject* Sender) { OnDefaultCaptionFontChange(Sender); };
    FInnerListBox = new TspListBox(this);
    FInnerListBox->SetParent(this);
    FInnerListBox->SetStyle(lbOwnerDrawFixed);
    FInnerListBox->SetItemHeight(FDefaultItemHeight);
    FInnerListBox->FOwnerBox = this;
    CalcRects();
}

TspSkinCustomListBox::~TspSkinCustomListBox()
{
    StopTimer();
    FDefaultCaptionFont->OnChange = nullptr;
    if (FHorzBar) FHorzBar->OnChange = nullptr;
    delete FScrollBar;
    FScrollBar = nullptr;
    FInnerListBox->FOwnerBox = nullptr;
    delete FInnerListBox;
    FInnerListBox = nullptr;
    delete FHorzBar;
    FHorzBar = nullptr;
}

bool TspSkinCustomListBox::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return TspSkinCustomControl::AcceptsRecord(Rec);
}

void TspSkinCustomListBox::CreateParams(TCreateParams& Params)
{
    TspSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

int TspSkinCustomListBox::SkinItemHeight() const
{
    const int h = SItemRect.Height();
    return UsableSkinRect(SItemRect) ? h : 0;
}

void TspSkinCustomListBox::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    const auto* rec = Skinned() ? dynamic_cast<const TspDataSkinListBox*>(CurrentRecord()) : nullptr;
    if (!rec) return;
    SItemRect = rec->ItemRect;
    SActiveItemRect = rec->ActiveItemRect.IsEmpty() ? rec->ItemRect : rec->ActiveItemRect;
    SFocusItemRect = rec->FocusItemRect.IsEmpty() ? rec->ItemRect : rec->FocusItemRect;
    // Offsets beyond the item picture would read outside it: at most the whole width.
    const int iw = std::max(0, SItemRect.Width());
    SItemLeftOffset = std::clamp(rec->ItemLeftOffset, 0, iw);
    SItemRightOffset = std::clamp(rec->ItemRightOffset, 0, iw - SItemLeftOffset);
    SItemTextRect = rec->ItemTextRect;
    SFont = rec->Font;
    SFont.Height = ClampFontHeight(SFont.Height);
    SActiveFontColor = rec->ActiveFontColor;
    SFocusFontColor = rec->FocusFontColor;
    SCaptionRect = rec->CaptionRect;
    SCaptionFont = rec->CaptionFont;
    SCaptionFont.Height = ClampFontHeight(SCaptionFont.Height);
    SButtonLooks = rec->ButtonLooks;
    for (TspStateLooks& looks : SButtonLooks) InheritEmptyLooks(looks, lsDown);
    SVScrollBarName = rec->VScrollBarName;
    SHScrollBarName = rec->HScrollBarName;
    SBothHScrollBarName = rec->BothHScrollBarName;
}

// ---- property plumbing ----

TStrings* TspSkinCustomListBox::GetItems() const { return FInnerListBox->GetItems(); }

void TspSkinCustomListBox::SetItems(TStrings* Value)
{
    FInnerListBox->SetItems(Value);
    UpDateScrollBar();
}

int TspSkinCustomListBox::GetItemIndex() const { return FInnerListBox->GetItemIndex(); }

void TspSkinCustomListBox::SetItemIndex(int Value) { FInnerListBox->SetItemIndex(Value); }

bool TspSkinCustomListBox::GetMultiSelect() const { return FInnerListBox->GetMultiSelect(); }

void TspSkinCustomListBox::SetMultiSelect(bool Value) { FInnerListBox->SetMultiSelect(Value); }

bool TspSkinCustomListBox::GetExtandedSelect() const { return FInnerListBox->GetExtendedSelect(); }

void TspSkinCustomListBox::SetExtandedSelect(bool Value) { FInnerListBox->SetExtendedSelect(Value); }

bool TspSkinCustomListBox::GetSorted() const { return FInnerListBox->GetSorted(); }

void TspSkinCustomListBox::SetSorted(bool Value)
{
    if (FScrollBar) HideScrollBar();
    FInnerListBox->SetSorted(Value);
}

int TspSkinCustomListBox::GetColumns() const { return FInnerListBox->GetColumns(); }

void TspSkinCustomListBox::SetColumns(int Value)
{
    // The bar's kind follows the mode: a bar of the other mode is made anew.
    if (FScrollBar && (Value > 0) != (GetColumns() > 0)) HideScrollBar();
    FInnerListBox->SetColumns(Value);
    UpDateScrollBar();
}

TFont* TspSkinCustomListBox::GetListBoxFont() const { return FInnerListBox->GetFont(); }

void TspSkinCustomListBox::SetListBoxFont(TFont* Value) { FInnerListBox->GetFont()->Assign(Value); }

void TspSkinCustomListBox::SetUseSkinItemHeight(bool Value)
{
    FUseSkinItemHeight = Value;
}

void TspSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    FHorizontalExtent = Value;
    UpDateScrollBar();
}

void TspSkinCustomListBox::SetRowCount(int Value)
{
    FRowCount = std::max(0, Value);
    if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
}

void TspSkinCustomListBox::SetDefaultItemHeight(int Value)
{
    if (Value <= 0) return;   // a row has at least one pixel
    FDefaultItemHeight = Value;
    if (!Skinned()) FInnerListBox->SetItemHeight(Value);
}

void TspSkinCustomListBox::SetImages(TCustomImageList* Value)
{
    FImages.Set(Value);
    FInnerListBox->Invalidate();
}

void TspSkinCustomListBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    FInnerListBox->Invalidate();
}

void TspSkinCustomListBox::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    if (!Skinned()) {
        CalcRects();
        Repaint();
    }
}

void TspSkinCustomListBox::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    if (FCaptionMode) Repaint();
}

void TspSkinCustomListBox::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = std::clamp(Value, 0, MaxSkinControlSide);
    if (!Skinned() && FCaptionMode) {
        CalcRects();
        Repaint();
    }
}

void TspSkinCustomListBox::SetDefaultCaptionFont(TFont* Value) { FDefaultCaptionFont->Assign(Value); }

void TspSkinCustomListBox::OnDefaultCaptionFontChange(TObject*)
{
    if (!Skinned() && FCaptionMode) Repaint();
}

void TspSkinCustomListBox::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TspSkinCustomListBox::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value;
    Repaint();
}

void TspSkinCustomListBox::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

int TspSkinCustomListBox::GetSelCount() const { return FInnerListBox->GetSelCount(); }

bool TspSkinCustomListBox::GetSelected(int Index) const
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return false;
    return FInnerListBox->GetSelected(Index);
}

void TspSkinCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    FInnerListBox->SetSelected(Index, Value);
}

int TspSkinCustomListBox::GetTopIndex() const { return FInnerListBox->GetTopIndex(); }

void TspSkinCustomListBox::SetTopIndex(int Value)
{
    FInnerListBox->SetTopIndex(Value);
    UpDateScrollBar();
}

TCanvas* TspSkinCustomListBox::GetListCanvas() const { return FInnerListBox->GetCanvas(); }

void TspSkinCustomListBox::Clear()
{
    FInnerListBox->Clear();
    UpDateScrollBar();
}

int TspSkinCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) { return FInnerListBox->ItemAtPos(Pos, Existing); }

TRect TspSkinCustomListBox::ItemRect(int Index) { return FInnerListBox->ItemRect(Index); }

void TspSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinCustomControl::Notification(AComponent, Operation);
    FImages.Removed(AComponent, Operation);
    if (Operation == opRemove && AComponent == FScrollBar) FScrollBar = nullptr;
    if (Operation == opRemove && AComponent == FHorzBar) FHorzBar = nullptr;
}

void TspSkinCustomListBox::DefaultFontChange()
{
    if (!Skinned()) GetFont()->Assign(FDefaultFont.get());
}

void TspSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Skinned()) Repaint();
}

// ---- events of the inner list, raised with the frame as sender ----

int TspSkinCustomListBox::GetFullItemWidth(int Index, TCanvas* ACanvas)
{
    return ACanvas->TextWidth(GetItems()->Get(Index));
}

void TspSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TspSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TspSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TspSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick) OnListBoxClick(this);
}

void TspSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TspSkinCustomListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TspSkinCustomListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TspSkinCustomListBox::ListBoxKeyPress(char& Key)
{
    if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

void TspSkinCustomListBox::ListBoxWProc(TMessage&, bool& CallDefault) { CallDefault = true; }

// ---- layout and scroll bars ----

void TspSkinCustomListBox::CalcRects()
{
    // Placing a bar can bring the list's bars up to date from inside the bar's own
    // code; that update waits until the placing is done.
    ++FInBarChange;
    TScopeExit leave([this] { --FInBarChange; });
    PlaceParts();
}

void TspSkinCustomListBox::PlaceParts()
{
    const int w = GetWidth(), h = GetHeight();
    int k = 1;
    const bool skin = Skinned();
    if (skin) {
        const int dW = w - FElement.SkinRect.Width(), dH = h - FElement.SkinRect.Height();
        FListArea = TRect(FElement.ClRect.left, FElement.ClRect.top, FElement.ClRect.right + dW,
                          FElement.ClRect.bottom + dH);
    } else if (FCaptionMode) {
        k = FDefaultCaptionHeight;
    }
    int r = 0;
    const int cols = GetColumns();
    if (cols == 0 && FHorzBar && FHorzBar->GetVisible()) {
        if (!skin) {
            FHorzBar->SetBounds(1, h - 20, w - 2, 19);
            r = FHorzBar->GetHeight() - 1;
        } else {
            const int bh = FHorzBar->GetHeight();
            FHorzBar->SetBounds(FListArea.left, FListArea.bottom - bh, FListArea.Width(), bh);
            r = FHorzBar->GetHeight();
        }
    }
    if (FScrollBar && FScrollBar->GetVisible()) {
        if (!skin && cols < 1) {
            FScrollBar->SetBounds(w - 20, k, 19, h - k - r - 1);
            FListRect = TRect(2, k + 1, FScrollBar->GetLeft(), h - r - 2);
        } else if (!skin) {
            FScrollBar->SetBounds(1, h - 20, w - 2, 19);
            FListRect = TRect(2, k + 1, w - 2, FScrollBar->GetTop());
        } else if (cols < 1) {
            const int bw = FScrollBar->GetWidth();
            FScrollBar->SetBounds(FListArea.right - bw, FListArea.top, bw, FListArea.Height() - r);
            FListRect = TRect(FListArea.left, FListArea.top, FListArea.right - bw, FListArea.bottom - r);
        } else {
            const int bh = FScrollBar->GetHeight();
            FScrollBar->SetBounds(FListArea.left, FListArea.bottom - bh, FListArea.Width(), bh);
            FListRect = TRect(FListArea.left, FListArea.top, FListArea.right, FListArea.bottom - bh);
        }
    } else {
        FListRect = skin ? FListArea : TRect(2, k + 1, w - 2, h - 2);
    }
    // A skin whose client area lies outside the control leaves an empty list, not a negative one.
    FListRect.right = std::max(FListRect.left, FListRect.right);
    FListRect.bottom = std::max(FListRect.top, FListRect.bottom);
    if (FInnerListBox)
        FInnerListBox->SetBounds(FListRect.left, FListRect.top, FListRect.Width(), FListRect.Height());
}

int TspSkinCustomListBox::CalcHeight(int Rows)
{
    const int ih = FInnerListBox->GetItemHeight();
    long long h;
    if (!Skinned()) {
        h = static_cast<long long>(Rows) * ih + 4;
        if (FCaptionMode) h += FDefaultCaptionHeight;
    } else {
        h = FElement.SkinRect.Height() + static_cast<long long>(Rows) * ih + FElement.ClRect.top -
            FElement.ClRect.bottom;
    }
    if (FHorzBar) h += FHorzBar->GetHeight();
    return static_cast<int>(std::clamp<long long>(h, 0, MaxSkinControlSide));
}

void TspSkinCustomListBox::UpDateScrollBar()
{
    if (!FInnerListBox || FUpdatingBars) return;
    if (FInBarChange > 0) {
        // A bar's change handler scrolled the list: updating now could free the
        // very bar whose code is still running. The update runs right after it.
        if (!FUpdatePosted && HandleAllocated()) {
            FUpdatePosted = true;
            PostMessageA(GetHandle(), WM_SPUPDATEBARS, 0, 0);
        }
        return;
    }
    TRestore<bool> updating(FUpdatingBars, true);
    UpdateBarsNow();
}

void TspSkinCustomListBox::UpdateBarsNow()
{
    TspListBox* lb = FInnerListBox;
    const int cols = GetColumns();
    const int count = GetItems()->GetCount();
    const int ih = std::max(1, lb->GetItemHeight());
    if (cols < 1) {
        if (FHorizontalExtent && !FSkinChanging) {
            TCanvas* c = lb->GetCanvas();
            if (SkinnedList() && UseSkinFont) {
                ApplySkinFontFields(c->GetFont(), SFont);
            } else {
                c->SetFont(lb->GetFont());
            }
            int m = 0;
            for (int i = 0; i < count; ++i) m = std::max(m, GetFullItemWidth(i, c));
            int a = SkinnedList() ? lb->GetWidth() + SItemTextRect.Width() - SItemRect.Width() : lb->GetWidth() - 4;
            if (FImages) a -= FImages->GetWidth() + 4;
            if (a < m) {
                if (!FHorzBar) ShowHScrollBar();
                FHorzBar->SetRange(0, m, FHorzBar->GetPosition(), std::max(0, a));
                const int zero = std::max(1, c->TextWidth("0"));
                FHorzBar->SetSmallChange(zero);
                FHorzBar->SetLargeChange(zero);
            } else if (FHorzBar) {
                HideHScrollBar();
            }
        } else if (FHorzBar) {
            HideHScrollBar();
        }
        if (!(FRowCount >= 1 && count == FRowCount) && lb->HandleAllocated()) {
            SCROLLINFO si = {};
            si.cbSize = sizeof(si);
            si.fMask = SIF_RANGE | SIF_POS;
            if (!GetScrollInfo(lb->GetHandle(), SB_VERT, &si)) si.nMin = si.nMax = si.nPos = 0;
            const int v = lb->GetHeight() / ih;
            if (si.nMin < si.nMax && si.nMax >= si.nPos && v < count) {
                if (!FScrollBar) ShowScrollBar();
                FScrollBar->SetRange(si.nMin, si.nMax, si.nPos, v);
                FScrollBar->SetLargeChange(std::max(1, v));
                return;
            }
        }
    } else if (lb->HandleAllocated()) {
        if (FHorzBar) HideHScrollBar();
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_POS;
        if (!GetScrollInfo(lb->GetHandle(), SB_HORZ, &si)) si.nMin = si.nMax = si.nPos = 0;
        const long long shown = static_cast<long long>(lb->GetHeight() / ih) * cols;
        if (si.nMin < si.nMax && si.nMax >= si.nPos && si.nMax >= cols && shown < count) {
            if (!FScrollBar) ShowScrollBar();
            FScrollBar->SetRange(si.nMin, si.nMax, si.nPos, cols);
            return;
        }
    }
    if (FScrollBar) HideScrollBar();
}

void TspSkinCustomListBox::ShowScrollBar()
{
    if (FScrollBar) return;
    const bool skin = Skinned();
    FScrollBar = new TspSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetKind(GetColumns() <= 0 ? sbVertical : sbHorizontal);
    FScrollBar->SetBounds(0, 0, 20, 100);
    FScrollBar->SetPageSize(0);
    FScrollBar->SetMin(0);
    FScrollBar->SetPosition(0);
    FScrollBar->OnChange = [this](TObject* Sender) { SBChange(Sender); };
    FScrollBar->SetSkinDataName(!skin ? "" : (GetColumns() <= 0 ? SVScrollBarName : SHScrollBarName));
    FScrollBar->SetSkinData(FSD);
    FScrollBar->SetParent(this);
    if (FHorzBar) {
        SetCornerForm(FHorzBar, skin ? SBothHScrollBarName : "");
        if (!skin) FHorzBar->SetBothMarkerWidth(19);
        FHorzBar->SetSkinData(FSD);
    }
    CalcRects();
    FScrollBar->SetVisible(true);
    CalcRects();
    Repaint();
}

void TspSkinCustomListBox::ShowHScrollBar()
{
    if (FHorzBar) return;
    const bool skin = Skinned();
    FHorzBar = new TspSkinScrollBar(this);
    FHorzBar->SetVisible(false);
    FHorzBar->SetKind(sbHorizontal);
    FHorzBar->SetBounds(0, 0, 20, 100);
    FHorzBar->SetPageSize(0);
    FHorzBar->SetMin(0);
    FHorzBar->SetPosition(0);
    FHorzBar->OnChange = [this](TObject* Sender) { HSBChange(Sender); };
    if (!skin) {
        FHorzBar->SetSkinDataName("");
        if (FScrollBar) {
            SetCornerForm(FHorzBar, "");
            FHorzBar->SetBothMarkerWidth(19);
        }
    } else if (FScrollBar) {
        SetCornerForm(FHorzBar, SBothHScrollBarName);
    } else {
        FHorzBar->SetBothSkinDataName(SHScrollBarName);
        FHorzBar->SetSkinDataName(SHScrollBarName);
    }
    FHorzBar->SetSkinData(FSD);
    FHorzBar->SetParent(this);
    FHorzBar->SetVisible(true);
    CalcRects();
    Repaint();
}

void TspSkinCustomListBox::SetCornerForm(TspSkinScrollBar* Bar, const std::string& Name)
{
    // The bar's Both switch takes its corner name from BothSkinDataName; with both
    // names the same nothing is swapped.
    Bar->SetBothSkinDataName(Name);
    Bar->SetSkinDataName(Name);
    Bar->SetBoth(true);
}

void TspSkinCustomListBox::HideScrollBar()
{
    if (!FScrollBar) return;
    TspSkinScrollBar* bar = FScrollBar;
    FScrollBar = nullptr;
    bar->OnChange = nullptr;
    bar->SetVisible(false);
    delete bar;
    CalcRects();
}

void TspSkinCustomListBox::HideHScrollBar()
{
    if (!FHorzBar) return;
    FInnerListBox->FHScrollOffset = 0;
    TspSkinScrollBar* bar = FHorzBar;
    FHorzBar = nullptr;
    bar->OnChange = nullptr;
    bar->SetVisible(false);
    delete bar;
    CalcRects();
    FInnerListBox->Invalidate();
}

void TspSkinCustomListBox::SBChange(TObject*)
{
    if (!FScrollBar || !FInnerListBox->HandleAllocated()) return;
    const WPARAM w = MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(FScrollBar->GetPosition()));
    ++FInBarChange;
    TScopeExit leave([this] { --FInBarChange; });
    SendMessageA(FInnerListBox->GetHandle(), GetColumns() <= 0 ? WM_VSCROLL : WM_HSCROLL, w, 0);
}

void TspSkinCustomListBox::HSBChange(TObject*)
{
    if (!FHorzBar) return;
    FInnerListBox->FHScrollOffset = FHorzBar->GetPosition();
    FInnerListBox->Invalidate();
}

// ---- skin change and size ----

void TspSkinCustomListBox::ChangeSkinData()
{
    TspSkinCustomControl::ChangeSkinData();
    {
        // The bars take the new skin inside their own code, which can scroll the list
        // and ask for a bar update; a bar freed there would be freed under its own
        // feet. The update runs once, at the end.
        TRestore<bool> changing(FSkinChanging, true);
        ++FInBarChange;
        TScopeExit leave([this] { --FInBarChange; });
        if (!Skinned()) {
            FInnerListBox->SetItemHeight(FDefaultItemHeight);
            FInnerListBox->GetFont()->Assign(FDefaultFont.get());
        } else if (FUseSkinItemHeight && SkinItemHeight() > 0) {
            FInnerListBox->SetItemHeight(SkinItemHeight());
        }
        if (FScrollBar) {
            FScrollBar->SetSkinDataName(!Skinned() ? "" : (GetColumns() < 1 ? SVScrollBarName : SHScrollBarName));
            FScrollBar->SetSkinData(FSD);
        }
        if (FHorzBar) {
            if (!Skinned()) {
                FHorzBar->SetSkinDataName("");
                if (FScrollBar) FHorzBar->SetBothMarkerWidth(19);
            } else {
                FHorzBar->SetSkinDataName(FScrollBar ? SBothHScrollBarName : SHScrollBarName);
            }
            FHorzBar->SetSkinData(FSD);
        }
        if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
        CalcRects();
    }
    UpDateScrollBar();
    FInnerListBox->Invalidate();
}

void TspSkinCustomListBox::SetSkinData(TspSkinData* Value)
{
    const bool unbind = !Value && FSD;
    TspSkinCustomControl::SetSkinData(Value);
    if (unbind && !IsDestroying()) ChangeSkinData();
}

void TspSkinCustomListBox::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
    UpDateScrollBar();
    if (FScrollBar) FScrollBar->Repaint();
}

// ---- looks ----

void TspSkinCustomListBox::DrawCaptionText(TCanvas* C, const TRect& T, int TextY, bool Skin)
{
    const std::string text = GetText();
    const bool glyph = !FGlyph->Empty();
    const int numGlyphs = FNumGlyphs <= 0 ? 1 : FNumGlyphs;
    const int gw = glyph ? FGlyph->GetWidth() / numGlyphs : 0;
    int w = C->TextWidth(text);
    if (glyph) w += gw + FSpacing;
    const int pad = Skin ? 2 : 0;
    int x;
    switch (FAlignment) {
    case taRightJustify: x = T.right - w - pad; break;
    case taCenter: x = T.left + pad + T.Width() / 2 - w / 2; break;
    default: x = T.left + pad; break;
    }
    if (glyph) {
        const int frame = (!GetEnabled() && numGlyphs == 2) ? 2 : 1;
        const int gy = T.top + T.Height() / 2 - FGlyph->GetHeight() / 2 - (Skin ? 0 : 1);
        Sputils::DrawGlyph(C, x, gy, FGlyph.get(), numGlyphs, frame);
        x += gw + FSpacing;
    }
    C->GetBrush()->SetStyle(bsClear);
    C->TextRect(T, x, TextY, text);
}

void TspSkinCustomListBox::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    const int s = std::min(17, FDefaultCaptionHeight - 3);
    if (FCaptionMode) {
        FCaptionButtons[0].R = TRect(w - s - 2, 2, w - 2, s + 1);
        FCaptionButtons[1].R = TRect(FCaptionButtons[0].R.left - s, 2, FCaptionButtons[0].R.left, s + 1);
        FCaptionButtons[2].R = TRect(FCaptionButtons[1].R.left - s, 2, FCaptionButtons[1].R.left, s + 1);
    }
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(0, 0, w, h));
    if (!FCaptionMode) return;
    const TRect t(3, 2, w - 3 * s - 3, FDefaultCaptionHeight - 2);
    c->SetFont(FDefaultCaptionFont.get());
    const int ty = (FDefaultCaptionHeight - 2) / 2 - c->TextHeight(GetText()) / 2;
    DrawCaptionText(c, t, ty, false);
    c->GetPen()->SetColor(clBtnShadow);
    c->MoveTo(1, FDefaultCaptionHeight - 1);
    c->LineTo(w - 1, FDefaultCaptionHeight - 1);
    for (int i = 0; i < ListBoxButtonCount; ++i) DrawButton(c, i);
}

void TspSkinCustomListBox::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    const int w = GetWidth(), h = GetHeight();
    const int dW = w - FElement.SkinRect.Width(), dH = h - FElement.SkinRect.Height();
    FListArea = TRect(FElement.ClRect.left, FElement.ClRect.top, FElement.ClRect.right + dW, FElement.ClRect.bottom + dH);
    if (FCaptionMode) {
        FCaptionRect = SCaptionRect;
        if (SCaptionRect.right >= FElement.RTPoint.x) FCaptionRect.right += dW;
        auto map = [&](const TRect& R) {
            TRect r = R;
            if (r.top > FElement.LTPoint.y) {
                r = MoveRect(r, 0, dH);
                if (r.left > FElement.RBPoint.x) r = MoveRect(r, dW, 0);
            } else if (r.left > FElement.RTPoint.x) {
                r = MoveRect(r, dW, 0);
            }
            return r;
        };
        for (int i = 0; i < ListBoxButtonCount; ++i) FCaptionButtons[i].R = map(SButtonLooks[i][lsNormal]);
    }
    TCanvas* c = B->GetCanvas();
    if (!SCaptionRect.IsEmpty()) {
        ApplySkinFont(c, SCaptionFont, SCaptionFont.Color);
        if (UseSkinFont) c->GetFont()->SetCharset(FDefaultCaptionFont->GetCharset());
        const TRect& r = FCaptionRect;
        const int ty = r.top + r.Height() / 2 - c->TextHeight(GetText()) / 2;
        DrawCaptionText(c, r, ty, true);
    }
    for (int i = 0; i < ListBoxButtonCount; ++i) DrawButton(c, i);
}

void TspSkinCustomListBox::DrawButton(TCanvas* C, int I)
{
    if (I < 0 || I > 2) return;
    const TCaptionButton& b = FCaptionButtons[I];
    const bool pressed = b.Down && b.MouseIn;
    if (!Skinned()) {
        if (!FCaptionMode || b.R.IsEmpty()) return;
        C->GetBrush()->SetStyle(bsSolid);
        if (b.MouseIn) {
            C->GetBrush()->SetColor(clPlainHotFrame);
            C->FrameRect(b.R);
            C->GetBrush()->SetColor(pressed ? clPlainDownFill : clPlainHotFill);
            C->FillRect(TRect(b.R.left + 1, b.R.top + 1, b.R.right - 1, b.R.bottom - 1));
        } else {
            C->GetBrush()->SetColor(clPlainFace);
            C->FillRect(b.R);
        }
        if (I == 2) Sputils::DrawCheckImage(C, b.R.left + 4, b.R.top + 4, clBlack);
        else Sputils::DrawArrowImage(C, b.R, clBlack, I == 0 ? adUp : adDown);
        return;
    }
    if (b.R.IsEmpty() || !FElement.Picture) return;
    // The hot and pressed looks are rectangles of the picture; the look at rest
    // (and any state without a look of its own) lies within the element's normal look.
    const TspStateLooks& looks = SButtonLooks[I];
    const TspLookState state = LookState(pressed, b.MouseIn);
    TRect src = state == lsNormal ? TRect() : looks[state];
    if (src.IsEmpty()) src = MoveRect(looks[lsNormal], FElement.SkinRect.left, FElement.SkinRect.top);
    src = ClipToPicture(src, FElement.Picture);
    if (src.IsEmpty()) return;
    C->CopyRect(b.R, FElement.Picture->GetCanvas(), src);
}

// ---- caption buttons ----

void TspSkinCustomListBox::TestActive(int X, int Y)
{
    if (Skinned() && SButtonLooks[lbbUp][lsNormal].IsEmpty() && SButtonLooks[lbbDown][lsNormal].IsEmpty()) return;
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = 0; i < ListBoxButtonCount; ++i)
        if (!FCaptionButtons[i].R.IsEmpty() && FCaptionButtons[i].R.Contains(TPoint(X, Y))) {
            FActiveButton = i;
            break;
        }
    if (FDownButton != -1 && FActiveButton != FDownButton) FActiveButton = -1;
    if (FActiveButton != FOldActiveButton) {
        if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
        if (FActiveButton != -1) ButtonEnter(FActiveButton);
    }
}

void TspSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FCaptionMode) {
        TestActive(X, Y);
        if (FActiveButton != -1) {
            FDownButton = FActiveButton;
            ButtonDown(FActiveButton, X, Y);
        }
    }
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FCaptionMode && FDownButton != -1) {
        const int i = FDownButton;
        FDownButton = -1;
        ButtonUp(i, X, Y);
    }
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    if (FCaptionMode) TestActive(X, Y);
}

void TspSkinCustomListBox::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    if (FCaptionMode) TestActive(-1, -1);
}

void TspSkinCustomListBox::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    if (!FCaptionMode) return;
    for (int i = 0; i < 2; ++i)
        if (FCaptionButtons[i].MouseIn) {
            FCaptionButtons[i].MouseIn = false;
            Repaint();
        }
}

void TspSkinCustomListBox::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FCaptionMode) Repaint();
}

static TNotifyEvent& ButtonEvent(TspSkinCustomListBox* L, int I)
{
    return I == 0 ? L->OnUpButtonClick : (I == 1 ? L->OnDownButtonClick : L->OnCheckButtonClick);
}

void TspSkinCustomListBox::ButtonDown(int I, int, int)
{
    FCaptionButtons[I].MouseIn = true;
    FCaptionButtons[I].Down = true;
    if (HandleAllocated()) DrawButton(GetCanvas(), I);
    if (ButtonEvent(this, I)) return;
    FRepeatTarget = I == 0 ? 1 : (I == 1 ? 2 : 0);
    if (FRepeatTarget != 0 && HandleAllocated()) {
        FWaitMode = true;
        SetTimer(GetHandle(), RepeatTimer, 500, nullptr);
    }
}

void TspSkinCustomListBox::ButtonEnter(int I)
{
    FCaptionButtons[I].MouseIn = true;
    if (HandleAllocated()) DrawButton(GetCanvas(), I);
    if (FRepeatTarget != 0 && FCaptionButtons[I].Down && HandleAllocated())
        SetTimer(GetHandle(), RepeatTimer, 50, nullptr);
}

void TspSkinCustomListBox::ButtonLeave(int I)
{
    FCaptionButtons[I].MouseIn = false;
    if (HandleAllocated()) DrawButton(GetCanvas(), I);
    if (FRepeatTarget != 0 && FCaptionButtons[I].Down && HandleAllocated()) KillTimer(GetHandle(), RepeatTimer);
}

void TspSkinCustomListBox::ButtonUp(int I, int X, int Y)
{
    if (I < 0 || I > 2) return;
    TCaptionButton& b = FCaptionButtons[I];
    b.Down = false;
    if (I != FActiveButton) b.MouseIn = false;
    if (HandleAllocated()) DrawButton(GetCanvas(), I);
    const bool over = !b.R.IsEmpty() && b.R.Contains(TPoint(X, Y));
    if (over && ButtonEvent(this, I)) {
        ButtonEvent(this, I)(this);
        return;
    }
    if (I == 0) StepItemIndex(-1);
    else if (I == 1) StepItemIndex(1);
    else FInnerListBox->Click();
    if (FRepeatTarget != 0) StopTimer();
}

void TspSkinCustomListBox::StepItemIndex(int Delta)
{
    // The buttons move within the items: at either end the selection stays.
    const int count = GetItems()->GetCount();
    const int i = GetItemIndex();
    const int next = i + Delta;
    if (next < 0 || next >= count) return;
    SetItemIndex(next);
}

void TspSkinCustomListBox::StartTimer()
{
    if (!HandleAllocated()) return;
    KillTimer(GetHandle(), RepeatTimer);
    SetTimer(GetHandle(), RepeatTimer, 100, nullptr);
}

void TspSkinCustomListBox::StopTimer()
{
    if (HandleAllocated()) KillTimer(GetHandle(), RepeatTimer);
    FRepeatTarget = 0;
}

void TspSkinCustomListBox::WMTimer(TMessage& Message)
{
    if (Message.WParam != RepeatTimer) return;
    if (FWaitMode) {
        FWaitMode = false;
        StartTimer();
        return;
    }
    if (FRepeatTarget == 1) StepItemIndex(-1);
    else if (FRepeatTarget == 2) StepItemIndex(1);
}

void TspSkinCustomListBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SPUPDATEBARS) {
        FUpdatePosted = false;
        UpDateScrollBar();
        return;
    }
    if (Message.Msg == WM_TIMER) {
        TspSkinCustomControl::WndProc(Message);
        WMTimer(Message);
        return;
    }
    TspSkinCustomControl::WndProc(Message);
}
