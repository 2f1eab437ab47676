#include "SkinRichEdit.h"
#include "SkinBarSync.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinScrollBar.h"

TspSkinRichEdit::TspSkinRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner)
{
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
    GetFont()->Assign(FDefaultFont.get());
    SetScrollBars(ssBoth);
}

TspSkinRichEdit::~TspSkinRichEdit()
{
}

void TspSkinRichEdit::CreateParams(TCreateParams& Params)
{
    TCustomRichEdit::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TspSkinRichEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomRichEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) FSkinIndex = -1;
    FVScrollBar.Removed(AComponent, Operation);
    FHScrollBar.Removed(AComponent, Operation);
}

void TspSkinRichEdit::Loaded()
{
    TCustomRichEdit::Loaded();
    ChangeSkinData();
}

// ---- skin ----
void TspSkinRichEdit::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinRichEdit::ChangeSkinData()
{
    FSkinIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (SkinSupport) {
        const auto* r = FSkinIndex == -1 ? nullptr : dynamic_cast<const TspDataSkinRichEdit*>(FSD->ControlRecord(FSkinIndex));
        if (FSkinIndex == -1) {
            SetColor(FDefaultColor);
            GetFont()->Assign(FDefaultFont.get());
        } else if (r) {
            ApplySkinFontFields(GetFont(), r->Font);
            GetFont()->SetColor(r->Font.Color);
            SetColor(r->BGColor);
        }
    }
    UpDateScrollBars();
    Skinbars::ReapplyAlign(FVScrollBar);
    Skinbars::ReapplyAlign(FHScrollBar);
}

void TspSkinRichEdit::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FSkinIndex == -1 && SkinSupport) GetFont()->Assign(Value);
}

void TspSkinRichEdit::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FSkinIndex == -1 && SkinSupport) SetColor(Value);
}

// ---- external bars ----
void TspSkinRichEdit::SetVScrollBar(TspSkinScrollBar* Value)
{
    FVScrollBar.Set(Value);
    if (Value) {
        Value->OnChange = [this](TObject* S) { OnVScrollBarChange(S); };
        Value->OnUpButtonClick = [this](TObject* S) { OnVScrollBarUpButtonClick(S); };
        Value->OnDownButtonClick = [this](TObject* S) { OnVScrollBarDownButtonClick(S); };
    }
    UpDateScrollBars();
}

void TspSkinRichEdit::SetHScrollBar(TspSkinScrollBar* Value)
{
    FHScrollBar.Set(Value);
    if (Value) Value->OnChange = [this](TObject* S) { OnHScrollBarChange(S); };
    UpDateScrollBars();
}

void TspSkinRichEdit::SyncBar(TspSkinScrollBar* Bar, int Which, int Page)
{
    if (!Bar) return;
    const Skinbars::TNativeScroll s = Skinbars::NativeScroll(FHandle, Which);
    if (s.Min < s.Max && Page < s.Max && GetLines()->GetCount() > 0) {
        if (!Bar->GetEnabled()) Bar->SetEnabled(true);
        Bar->SetRange(s.Min, s.Max, s.Pos, Page);
        Bar->Invalidate();
    } else {
        Bar->SetEnabled(false);
        SetScrollRange(FHandle, Which, 0, 0, FALSE);
    }
}

void TspSkinRichEdit::UpDateScrollBars()
{
    if (!HandleAllocated()) return;
    SyncBar(FVScrollBar, SB_VERT, GetHeight());
    SyncBar(FHScrollBar, SB_HORZ, GetWidth());
}

void TspSkinRichEdit::OnVScrollBarChange(TObject*)
{
    if (FVScrollBar && HandleAllocated())
        SendMessageA(FHandle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FVScrollBar->GetPosition() & 0xFFFF), 0);
}

void TspSkinRichEdit::OnHScrollBarChange(TObject*)
{
    if (FHScrollBar && HandleAllocated())
        SendMessageA(FHandle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->GetPosition() & 0xFFFF), 0);
}

void TspSkinRichEdit::OnVScrollBarUpButtonClick(TObject*)
{
    if (!FVScrollBar || !HandleAllocated()) return;
    const int pos = FVScrollBar->GetPosition();
    if (pos < FVScrollBar->GetMax() - FVScrollBar->GetPageSize() + 1)
        SendMessageA(FHandle, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, pos & 0xFFFF), 0);
    UpDateScrollBars();
}

void TspSkinRichEdit::OnVScrollBarDownButtonClick(TObject*)
{
    if (!FVScrollBar || !HandleAllocated()) return;
    const int pos = FVScrollBar->GetPosition();
    if (pos != 0) SendMessageA(FHandle, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, pos & 0xFFFF), 0);
    UpDateScrollBars();
}

void TspSkinRichEdit::Change()
{
    TCustomRichEdit::Change();
    UpDateScrollBars();
}

// ---- messages ----
void TspSkinRichEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCCALCSIZE) {
        // The whole window is client area: the native bars get no room.
        Message.Result = 0;
        return;
    }
    TCustomRichEdit::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL: UpDateScrollBars(); break;
    default: break;
    }
}
