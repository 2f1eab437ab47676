#include "SkinViews.h"
#include "ImgList.h"
#include "Bitmap.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinBarSync.h"
#include "SkinScrollBar.h"
#include "Trace.h"
#include <algorithm>
#include <vector>

namespace {

// The window property that leads a taken-over header back to its list view.
const char* const HeaderOwnerProp = "SkinListViewHeaderOwner";

using Skinbars::NativeScroll;
using Skinbars::ReapplyAlign;
using Skinbars::TNativeScroll;

// Shows or hides a bound bar; answers whether its visibility changed.
bool ShowBar(TspSkinScrollBar* Bar, bool Visible)
{
    if (!Bar || Bar->GetVisible() == Visible) return false;
    Bar->SetVisible(Visible);
    return true;
}

// Both mode of the horizontal bar exactly while the vertical one shows.
void MatchBoth(TspSkinScrollBar* V, TspSkinScrollBar* H)
{
    if (!V || !H) return;
    const bool both = V->GetVisible();
    if (H->GetBoth() != both) H->SetBoth(both);
}

}  // namespace

// ======================= shared by both views =======================
template <class TBase>
TspSkinBarsView<TBase>::TspSkinBarsView(TComponent* AOwner, const char* SkinDataName)
    : TBase(AOwner), FSkinDataName(SkinDataName)
{
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
}

template <class TBase>
TspSkinBarsView<TBase>::~TspSkinBarsView()
{
}

template <class TBase>
void TspSkinBarsView<TBase>::CreateParams(TCreateParams& Params)
{
    TBase::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

template <class TBase>
void TspSkinBarsView<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) FSkinIndex = -1;
    FVScrollBar.Removed(AComponent, Operation);
    FHScrollBar.Removed(AComponent, Operation);
}

template <class TBase>
void TspSkinBarsView<TBase>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FSkinIndex == -1) {
        this->GetFont()->Assign(Value);
    }
}

template <class TBase>
void TspSkinBarsView<TBase>::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FSkinIndex == -1) this->SetColor(Value);
}

template <class TBase>
void TspSkinBarsView<TBase>::BindBar(TspComponentLink<TspSkinScrollBar>& Slot, TspSkinScrollBar* Value, bool Vertical)
{
    Slot.Set(Value);
    if (Value) {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        if (Vertical) Value->OnChange = [this](TObject* S) { OnVScrollBarChange(S); };
        else Value->OnChange = [this](TObject* S) { OnHScrollBarChange(S); };
    }
    UpDateScrollBars();
}

template <class TBase>
void TspSkinBarsView<TBase>::SetVScrollBar(TspSkinScrollBar* Value)
{
    BindBar(FVScrollBar, Value, true);
}

template <class TBase>
void TspSkinBarsView<TBase>::SetHScrollBar(TspSkinScrollBar* Value)
{
    BindBar(FHScrollBar, Value, false);
}

template <class TBase>
void TspSkinBarsView<TBase>::CMVisibleChanged(TMessage& Message)
{
    TBase::CMVisibleChanged(Message);
    if (FVScrollBar) FVScrollBar->SetVisible(this->GetVisible());
    if (FHScrollBar) FHScrollBar->SetVisible(this->GetVisible());
}

template <class TBase>
bool TspSkinBarsView<TBase>::NoFrame(TMessage& Message)
{
    if (Message.Msg != WM_NCCALCSIZE && Message.Msg != WM_NCPAINT) return false;
    Message.Result = 0;
    return true;
}

template class TspSkinBarsView<TCustomTreeView>;
template class TspSkinBarsView<TCustomListView>;

// ======================= tree view =======================
TspSkinCustomTreeView::TspSkinCustomTreeView(TComponent* AOwner) : TspSkinBarsView(AOwner, "treeview") {}

TspSkinCustomTreeView::~TspSkinCustomTreeView() = default;

void TspSkinCustomTreeView::Loaded()
{
    TCustomTreeView::Loaded();
    ChangeSkinData();
}

void TspSkinCustomTreeView::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinCustomTreeView::ChangeSkinData()
{
    if (IsLoading()) return;
    FSkinIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FSkinIndex == -1) {
        SetColor(FDefaultColor);
        GetFont()->Assign(FDefaultFont.get());
    } else if (const auto* r = dynamic_cast<const TspDataSkinTreeView*>(FSD->ControlRecord(FSkinIndex))) {
        GetFont()->SetCharset(FDefaultFont->GetCharset());
        ApplySkinFontFields(GetFont(), r->Font);
        GetFont()->SetColor(r->Font.Color);
        SetColor(r->BGColor);
    }
    UpDateScrollBars();
}

void TspSkinCustomTreeView::UpDateScrollBars()
{
    if (IsLoading() || FSyncingBars || !HandleAllocated()) return;
    bool changed = false;
    FSyncingBars = true;
    if (FVScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_VERT);
        const int rows = static_cast<int>(SendMessageA(FHandle, TVM_GETVISIBLECOUNT, 0, 0));
        const int count = static_cast<int>(SendMessageA(FHandle, TVM_GETCOUNT, 0, 0));
        const bool show = s.Max > 0 && s.Max >= rows && s.Max < count && GetVisible();
        changed |= ShowBar(FVScrollBar, show);
        if (show) FVScrollBar->SetRange(s.Min, s.Max, s.Pos, rows);
    }
    if (FHScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_HORZ);
        const bool show = GetWidth() < s.Max && GetVisible();
        changed |= ShowBar(FHScrollBar, show);
        if (show) FHScrollBar->SetRange(s.Min, s.Max, s.Pos, GetWidth());
    }
    MatchBoth(FVScrollBar, FHScrollBar);
    if (changed && GetAlign() != alNone && GetParent()) GetParent()->Realign();
    FSyncingBars = false;
}

void TspSkinCustomTreeView::OnVScrollBarChange(TObject*)
{
    if (FVScrollBar && HandleAllocated())
        SendMessageA(FHandle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FVScrollBar->GetPosition() & 0xFFFF), 0);
}

void TspSkinCustomTreeView::OnHScrollBarChange(TObject*)
{
    if (FHScrollBar && HandleAllocated())
        SendMessageA(FHandle, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->GetPosition() & 0xFFFF), 0);
}

void TspSkinCustomTreeView::Change(TTreeNode* Node)
{
    TCustomTreeView::Change(Node);
    UpDateScrollBars();
}

void TspSkinCustomTreeView::WndProc(TMessage& Message)
{
    if (NoFrame(Message)) return;
    TCustomTreeView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        if (!FSyncingBars) UpDateScrollBars();
        break;
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case TVM_EXPAND: UpDateScrollBars(); break;
    default: break;
    }
}

// ======================= list view =======================
TspSkinCustomListView::TspSkinCustomListView(TComponent* AOwner) : TspSkinBarsView(AOwner, "listview")
{
    GetFont()->Assign(FDefaultFont.get());
}

TspSkinCustomListView::~TspSkinCustomListView()
{
    UnhookHeader();
}

void TspSkinCustomListView::CreateWnd()
{
    TCustomListView::CreateWnd();
    ApplyColors();
    // A header made before our window procedure could hear of it is taken over here.
    if (!FHeaderWindow && GetShowColumnHeaders()) {
        HWND h = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
        if (h) HookHeader(h);
    }
}

void TspSkinCustomListView::DestroyWnd()
{
    UnhookHeader();
    TCustomListView::DestroyWnd();
}

void TspSkinCustomListView::Loaded()
{
    TCustomListView::Loaded();
    ChangeSkinData();
}

void TspSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation)
{
    const bool skinDataGone = Operation == opRemove && AComponent && AComponent == FSD;
    TspSkinBarsView::Notification(AComponent, Operation);
    if (skinDataGone) {
        FHeaderIndex = -1;
        FHPicture = nullptr;
    }
}

void TspSkinCustomListView::SetSkinData(TspSkinData* Value)
{
    if (FSD.Set(Value)) {
        // The header reads the skin at every paint; it must not keep a picture of the old one.
        FHPicture = nullptr;
        FHeaderIndex = -1;
    }
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
    else if (FHeaderWindow) InvalidateRect(FHeaderWindow, nullptr, TRUE);
}

void TspSkinCustomListView::SetHeaderSkinDataName(const std::string& Value)
{
    FHeaderSkinDataName = Value;
    if (FHeaderWindow) InvalidateRect(FHeaderWindow, nullptr, TRUE);
}

void TspSkinCustomListView::ChangeSkinData()
{
    FSkinIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FSkinIndex == -1) {
        SetColor(FDefaultColor);
        GetFont()->Assign(FDefaultFont.get());
    } else if (const auto* r = dynamic_cast<const TspDataSkinListView*>(FSD->ControlRecord(FSkinIndex))) {
        if (UseSkinFont) {
            GetFont()->SetCharset(FDefaultFont->GetCharset());
            ApplySkinFontFields(GetFont(), r->Font);
        } else {
            GetFont()->Assign(FDefaultFont.get());
        }
        GetFont()->SetColor(r->Font.Color);
        SetColor(r->BGColor);
    }
    UpDateScrollBars();
    ReapplyAlign(FVScrollBar);
    ReapplyAlign(FHScrollBar);
    if (FHeaderWindow) InvalidateRect(FHeaderWindow, nullptr, TRUE);
}

void TspSkinCustomListView::ApplyColors()
{
    if (!HandleAllocated()) return;
    SendMessageA(FHandle, LVM_SETBKCOLOR, 0, ColorToRGB(GetColor()));
    SendMessageA(FHandle, LVM_SETTEXTBKCOLOR, 0, ColorToRGB(GetColor()));
    SendMessageA(FHandle, LVM_SETTEXTCOLOR, 0, ColorToRGB(GetFont()->GetColor()));
}

void TspSkinCustomListView::CMColorChanged(TMessage& Message)
{
    TCustomListView::CMColorChanged(Message);
    ApplyColors();
}

void TspSkinCustomListView::CMFontChanged(TMessage& Message)
{
    TCustomListView::CMFontChanged(Message);
    ApplyColors();
}

// ---- external bars ----
int TspSkinCustomListView::FirstItemHeight()
{
    RECT r = {};
    r.left = LVIR_BOUNDS;
    if (SendMessageA(FHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return r.bottom - r.top;
    return 0;
}

int TspSkinCustomListView::FirstItemWidth()
{
    RECT r = {};
    r.left = LVIR_BOUNDS;
    if (SendMessageA(FHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return r.right - r.left;
    return 0;
}

void TspSkinCustomListView::UpDateScrollBars()
{
    if (!HandleAllocated() || FScrollingByBar || GetWidth() <= 5 || GetHeight() <= 5) return;
    switch (GetViewStyle()) {
    case vsIcon:
    case vsSmallIcon: UpDateScrollBars1(); break;
    case vsReport: UpDateScrollBars2(); break;
    case vsList: UpDateScrollBars3(); break;
    }
}

void TspSkinCustomListView::EndScrollBarsUpdate(bool VWasVisible, bool HWasVisible)
{
    MatchBoth(FVScrollBar, FHScrollBar);
    const bool changed = (FVScrollBar && FVScrollBar->GetVisible() != VWasVisible) ||
                         (FHScrollBar && FHScrollBar->GetVisible() != HWasVisible);
    if (changed && GetAlign() != alNone && GetParent()) {
        FSyncingBars = true;
        GetParent()->Realign();
        FSyncingBars = false;
    }
}

void TspSkinCustomListView::ShowBarQuietly(TspSkinScrollBar* Bar, bool Visible)
{
    // The bar's own realign must not come back into the update under way.
    FSyncingBars = true;
    Bar->SetVisible(Visible);
    FSyncingBars = false;
}

void TspSkinCustomListView::UpDateScrollBars1()
{
    if (FSyncingBars) return;
    const bool vWas = FVScrollBar && FVScrollBar->GetVisible(), hWas = FHScrollBar && FHScrollBar->GetVisible();
    int step = FirstItemHeight() / 2;
    if (step <= 0) step = 1;
    if (FVScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_VERT);
        ShowBarQuietly(FVScrollBar, GetHeight() < s.Max && GetVisible());
        FVScrollBar->SetSmallChange(step);
        FVScrollBar->SetLargeChange(step);
        FVScrollBar->SetRange(s.Min, s.Max, s.Pos, GetHeight());
        FOldVScrollPos = s.Pos;
    }
    if (FHScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_HORZ);
        ShowBarQuietly(FHScrollBar, GetWidth() < s.Max && GetVisible());
        FHScrollBar->SetSmallChange(step);
        FHScrollBar->SetLargeChange(step);
        FHScrollBar->SetRange(s.Min, s.Max, s.Pos, GetWidth());
        FOldHScrollPos = s.Pos;
    }
    EndScrollBarsUpdate(vWas, hWas);
}

void TspSkinCustomListView::UpDateScrollBars2()
{
    if (FSyncingBars) return;
    const bool vWas = FVScrollBar && FVScrollBar->GetVisible(), hWas = FHScrollBar && FHScrollBar->GetVisible();
    if (FVScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_VERT);
        const int rows = static_cast<int>(SendMessageA(FHandle, LVM_GETCOUNTPERPAGE, 0, 0));
        ShowBarQuietly(FVScrollBar, rows < s.Max + 1 && GetVisible());
        FVScrollBar->SetRange(s.Min, s.Max, s.Pos, rows);
        FOldVScrollPos = s.Pos;
        FVScrollBar->SetSmallChange(1);
        FVScrollBar->SetLargeChange(std::max(rows, 1));
    }
    if (FHScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_HORZ);
        ShowBarQuietly(FHScrollBar, GetWidth() < s.Max && GetVisible());
        FHScrollBar->SetRange(s.Min, s.Max, s.Pos, GetWidth());
        FOldHScrollPos = s.Pos;
    }
    EndScrollBarsUpdate(vWas, hWas);
}

void TspSkinCustomListView::UpDateScrollBars3()
{
    if (FSyncingBars) return;
    const bool vWas = FVScrollBar && FVScrollBar->GetVisible(), hWas = FHScrollBar && FHScrollBar->GetVisible();
    if (FVScrollBar && FVScrollBar->GetVisible()) ShowBarQuietly(FVScrollBar, false);
    if (FHScrollBar) {
        const TNativeScroll s = NativeScroll(FHandle, SB_HORZ);
        const int count = static_cast<int>(SendMessageA(FHandle, LVM_GETITEMCOUNT, 0, 0));
        int w = count > 0 ? FirstItemWidth() : 0;
        if (w <= 0) w = 1;
        const int page = GetWidth() / w;
        const int rows = static_cast<int>(SendMessageA(FHandle, LVM_GETCOUNTPERPAGE, 0, 0));
        ShowBarQuietly(FHScrollBar, rows < count && GetVisible());
        FHScrollBar->SetRange(s.Min, s.Max, s.Pos, page);
        FHScrollBar->SetSmallChange(1);
        FHScrollBar->SetLargeChange(1);
        FOldHScrollPos = s.Pos;
    }
    EndScrollBarsUpdate(vWas, hWas);
}

void TspSkinCustomListView::OnVScrollBarChange(TObject*)
{
    if (!FVScrollBar || !HandleAllocated()) return;
    FScrollingByBar = true;
    const int delta = FVScrollBar->GetPosition() - FOldVScrollPos;
    const TViewStyle vs = GetViewStyle();
    const int dy = (vs == vsReport || vs == vsList) ? delta * FirstItemHeight() : delta;
    if (dy) SendMessageA(FHandle, LVM_SCROLL, 0, dy);
    FOldVScrollPos = FVScrollBar->GetPosition();
    FScrollingByBar = false;
}

void TspSkinCustomListView::OnHScrollBarChange(TObject*)
{
    if (!FHScrollBar || !HandleAllocated()) return;
    FScrollingByBar = true;
    const int pos = FHScrollBar->GetPosition();
    if (GetViewStyle() == vsList) {
        // Each step is one column; the count is bounded by the bar's own range.
        const int steps = std::min(std::abs(pos - FOldHScrollPos), 100000);
        const WPARAM code = pos < FOldHScrollPos ? SB_LINELEFT : SB_LINERIGHT;
        for (int i = 0; i < steps; ++i) SendMessageA(FHandle, WM_HSCROLL, code, 0);
    } else if (pos != FOldHScrollPos) {
        SendMessageA(FHandle, LVM_SCROLL, pos - FOldHScrollPos, 0);
    }
    FOldHScrollPos = pos;
    FScrollingByBar = false;
}

void TspSkinCustomListView::WndProc(TMessage& Message)
{
    if (NoFrame(Message)) return;
    switch (Message.Msg) {
    case WM_PARENTNOTIFY:
        if (LOWORD(Message.WParam) == WM_CREATE && GetShowColumnHeaders()) {
            HWND child = reinterpret_cast<HWND>(Message.LParam);
            char name[80] = {};
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpA(name, "SysHeader32") == 0) HookHeader(child);
        }
        break;
    default: break;
    }
    TCustomListView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!FSyncingBars) UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case LVM_SETITEMCOUNT:
    case LVM_ENSUREVISIBLE: UpDateScrollBars(); break;
    default: break;
    }
}

// ---- header ----
void TspSkinCustomListView::HookHeader(HWND Header)
{
    if (Header == FHeaderWindow) return;
    UnhookHeader();
    FHeaderWindow = Header;
    SetPropA(Header, HeaderOwnerProp, this);
    FOldHeaderProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TspSkinCustomListView::HeaderHook)));
}

void TspSkinCustomListView::UnhookHeader()
{
    if (!FHeaderWindow) return;
    if (IsWindow(FHeaderWindow)) {
        if (FOldHeaderProc) SetWindowLongPtrA(FHeaderWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldHeaderProc));
        RemovePropA(FHeaderWindow, HeaderOwnerProp);
    }
    FHeaderWindow = nullptr;
    FOldHeaderProc = nullptr;
}

LRESULT CALLBACK TspSkinCustomListView::HeaderHook(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* self = static_cast<TspSkinCustomListView*>(GetPropA(Wnd, HeaderOwnerProp));
    if (!self || self->FHeaderWindow != Wnd) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    try {
        return self->HeaderWndProc(Msg, WParam, LParam);
    } catch (...) {
        // A failure in one paint must not leave through the window procedure.
        Trace::Caught(Trace::Skin, "list view header window");
        return 0;
    }
}

LRESULT TspSkinCustomListView::HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    HWND wnd = FHeaderWindow;
    if (Msg == WM_PAINT) {
        PaintHeader(reinterpret_cast<HDC>(WParam));
        return 0;
    }
    if (Msg == WM_ERASEBKGND) return 1;
    WNDPROC old = FOldHeaderProc;
    if (Msg == WM_NCDESTROY) {
        // The header goes with its list window: forget it before its last message.
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(wnd, HeaderOwnerProp);
        FHeaderWindow = nullptr;
        FOldHeaderProc = nullptr;
        return CallWindowProcA(old, wnd, Msg, WParam, LParam);
    }
    const LRESULT result = CallWindowProcA(old, wnd, Msg, WParam, LParam);
    if (Msg == WM_LBUTTONDOWN) {
        const TPoint p(static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam)));
        FPressedSection = -1;
        const int count = GetColumns()->GetCount();
        for (int i = 0; i < count; ++i) {
            const TRect r = GetHeaderSectionRect(i);
            if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) {
                FPressedSection = i;
                break;
            }
        }
        HDHITTESTINFO hit = {};
        hit.pt = p;
        SendMessageA(wnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        FHeaderPressed = (hit.flags & HHT_ONDIVIDER) == 0;
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);
    } else if (Msg == WM_LBUTTONUP) {
        FHeaderPressed = false;
        FPressedSection = -1;
        if (FHeaderWindow) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);
    }
    return result;
}

void TspSkinCustomListView::HGetSkinData()
{
    FHeaderIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FHeaderSkinDataName);
    FHPicture = nullptr;
    if (FHeaderIndex == -1) return;
    const auto* r = dynamic_cast<const TspDataSkinButtonControl*>(FSD->ControlRecord(FHeaderIndex));
    if (!r) return;
    if (r->PictureIndex >= 0 && r->PictureIndex < static_cast<int>(FSD->ActivePictures.size()))
        FHPicture = FSD->ActivePictures[r->PictureIndex].get();
    FHLTPoint = r->LeftTopPoint;
    FHRTPoint = r->RightTopPoint;
    FHLBPoint = r->LeftBottomPoint;
    FHRBPoint = r->RightBottomPoint;
    FHSkinRect = r->SkinRect;
    FHClRect = r->ClientRect;
    FHFontColor = r->Font.Color;
    FHActiveFontColor = r->ActiveFontColor;
    FHDownFontColor = r->DownFontColor;
    FHActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FHDownSkinRect = r->DownSkinRect.IsEmpty() ? FHActiveSkinRect : r->DownSkinRect;
    // A source that lies outside the picture leaves nothing to draw from.
    if (FHPicture && ClipToPicture(FHSkinRect, FHPicture).IsEmpty()) FHPicture = nullptr;
}

TRect TspSkinCustomListView::GetHeaderSectionRect(int Index)
{
    TRect r(0, 0, 0, 0);
    if (!FHeaderWindow) return r;
    int item = Index;
    const DWORD ex = static_cast<DWORD>(SendMessageA(FHandle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    if (ex & LVS_EX_HEADERDRAGDROP) {
        // Columns can be dragged to a new order: Index is a place on screen.
        const int count = GetColumns()->GetCount();
        if (Index < 0 || Index >= count) return r;
        std::vector<int> order(count);
        if (SendMessageA(FHeaderWindow, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data())))
            item = order[Index];
    }
    RECT rr = {};
    if (SendMessageA(FHeaderWindow, HDM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rr))) r = TRect(rr);
    return r;
}

// Fits the source rectangle of the header element to W x H in B: the eight-point
// model when the element has a left-bottom point, else a horizontal three-part
// strip stretched to the height. Open leaves the right end out (the empty area
// after the last section).
void TspSkinCustomListView::HeaderImage(TBitmap* B, const TRect& Source, int W, int H, bool Open)
{
    const int sw = Source.right - Source.left, sh = Source.bottom - Source.top;
    if (!Sputils::IsNullPoint(FHLBPoint)) {
        Sputils::TSkinImageArgs a;
        a.Skin = {FHLTPoint, FHRTPoint, FHLBPoint, FHRBPoint, FHClRect};
        a.Target = a.Skin.Grown(W - (FHSkinRect.right - FHSkinRect.left), H - (FHSkinRect.bottom - FHSkinRect.top));
        a.Source = FHPicture;
        a.SourceRect = Source;
        a.Width = W;
        a.Height = H;
        if (Open) Sputils::CreateSkinImage2(B, a);
        else Sputils::CreateSkinImage(B, a);
        return;
    }
    TBitmap strip;
    if (Open)
        Sputils::CreateHSkinImage2(FHLTPoint.x, sw - FHRTPoint.x, &strip, FHPicture, Source, W, sh);
    else
        Sputils::CreateHSkinImage(FHLTPoint.x, sw - FHRTPoint.x, &strip, FHPicture, Source, W, sh);
    B->SetSize(W, H);
    B->GetCanvas()->StretchDraw(TRect(0, 0, W, H), &strip);
}

void TspSkinCustomListView::DrawHeaderSection(TCanvas* Cnvs, TListColumn* Column, bool Hot, bool Pressed,
                                              const TRect& R)
{
    const int w = ClampSide(R.right - R.left), h = ClampSide(R.bottom - R.top);
    if (w <= 0 || h <= 0 || !Column) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    HGetSkinData();
    c->GetFont()->Assign(GetFont());
    if (!FHPicture) {
        c->GetBrush()->SetStyle(bsSolid);
        Sputils::DrawPlainFace(c, TRect(0, 0, w, h), LookState(Pressed, Hot));
        c->GetFont()->SetColor(clBtnText);
    } else {
        c->GetFont()->SetColor(Pressed ? FHDownFontColor : FHFontColor);
        HeaderImage(&b, Pressed ? FHDownSkinRect : FHSkinRect, w, h, false);
        c = b.GetCanvas();
    }
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(c, Column, Pressed, TRect(0, 0, w, h));
    } else {
        c->GetBrush()->SetStyle(bsClear);
        const TRect t(5, 0, w - 5, h);
        std::string caption = Column->GetCaption();
        TCustomImageList* images = GetSmallImages();
        const int image = Column->GetImageIndex();
        const bool withImage = images && image >= 0 && image < images->GetCount();
        const int iw = withImage ? images->GetWidth() + 10 : 0;   // the picture and its gap
        const std::string full = caption;
        Sputils::CorrectTextbyWidth(c, caption, t.right - t.left - iw);
        const int tw = c->TextWidth(caption), th = c->TextHeight(caption.empty() ? "Wq" : caption);
        // The picture leads the text; a shortened caption keeps both at the left.
        int x = t.left;
        if (!withImage || caption == full) {
            if (Column->GetAlignment() == taRightJustify) x = t.right - tw - (withImage ? iw : 10);
            // Centred in the text rectangle, which is centred in the section.
            else if (Column->GetAlignment() == taCenter) x = t.left + (t.right - t.left) / 2 - (tw + iw) / 2;
        }
        if (withImage) {
            images->Draw(c, x, t.top + (t.bottom - t.top) / 2 - images->GetHeight() / 2, image);
            x += iw;
        }
        const int y = t.top + (t.bottom - t.top) / 2 - th / 2;
        c->TextRect(t, x, y, caption);
    }
    Cnvs->Draw(R.left, R.top, &b);
}

void TspSkinCustomListView::PaintHeader(HDC DC)
{
    if (!FHeaderWindow) return;
    HWND wnd = FHeaderWindow;
    PAINTSTRUCT ps = {};
    HDC dc = DC;
    if (!dc) dc = BeginPaint(wnd, &ps);
    if (!dc) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    const int items = static_cast<int>(SendMessageA(wnd, HDM_GETITEMCOUNT, 0, 0));
    const int columns = GetColumns()->GetCount();
    int right = 0;
    TRect last(0, 0, 0, 0);
    std::vector<int> order;
    const DWORD ex = static_cast<DWORD>(SendMessageA(FHandle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    if ((ex & LVS_EX_HEADERDRAGDROP) && items > 0) {
        order.resize(items);
        if (!SendMessageA(wnd, HDM_GETORDERARRAY, items, reinterpret_cast<LPARAM>(order.data()))) order.clear();
    }
    for (int i = 0; i < items && i < columns; ++i) {
        const TRect r = GetHeaderSectionRect(i);
        // The section at place i shows the column the header holds there.
        const int column = (i < static_cast<int>(order.size()) && order[i] >= 0 && order[i] < columns) ? order[i] : i;
        DrawHeaderSection(&canvas, GetColumns()->GetItem(column), false, i == FPressedSection && FHeaderPressed, r);
        if (r.right > right) right = r.right;
        last = r;
    }
    RECT client;
    ::GetClientRect(wnd, &client);
    const int aw = ClampSide(client.right + 1 - right);
    const int ah = ClampSide(items > 0 ? last.bottom - last.top : client.bottom);
    if (aw > 0 && ah > 0) {
        HGetSkinData();
        if (!FHPicture) {
            canvas.GetBrush()->SetStyle(bsSolid);
            canvas.GetBrush()->SetColor(clBtnFace);
            canvas.FillRect(TRect(right, 0, right + aw, ah));
            canvas.GetBrush()->SetColor(clBtnShadow);
            canvas.FrameRect(TRect(right, 0, right + aw, ah));
        } else {
            TBitmap b(aw, ah, pf24bit);
            HeaderImage(&b, FHSkinRect, aw, ah, true);
            canvas.Draw(right, 0, &b);
        }
    }
    canvas.SetHandle(nullptr);
    if (!DC) EndPaint(wnd, &ps);
}
