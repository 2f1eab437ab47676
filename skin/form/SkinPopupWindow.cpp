// A level of a skinned menu: building its items and size, placement, scrolling,
// the mouse poll, keys, and its items' enter/leave/choose behaviour.
#include "SkinPopupWindow.h"
#include "Application.h"
#include "Button.h"
#include "ImgList.h"
#include "Screen.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinObjects.h"
#include "SkinPlatform.h"
#include <algorithm>

namespace {

// Bounds that keep a hostile skin or a huge tree from asking for absurd windows.
const int MaxItemHeight = 512;
const int MaxTextWidth = 4096;
const int DefaultDividerHeight = 4;

bool PictureAt(TspSkinData* D, int Index, TBitmap*& Out)
{
    Out = nullptr;
    if (!D || Index < 0 || Index >= static_cast<int>(D->ActivePictures.size())) return false;
    TBitmap* b = D->ActivePictures[Index].get();
    if (!b || b->Empty()) return false;
    Out = b;
    return true;
}

bool Inside(const TRect& R, int W, int H)
{
    return R.left >= 0 && R.top >= 0 && R.right <= W && R.bottom <= H && R.right > R.left && R.bottom > R.top;
}

}  // namespace

// ---------------------------------------------------------------------------
// TspSkinMenuItem: state and behaviour (its drawing is in SkinMenuPaint.cpp).

TspSkinMenuItem::TspSkinMenuItem(TspSkinPopupWindow* AParent, TMenuItem* AMenuItem, TspDataSkinMenuItem* AData)
    : Parent(AParent), Data(AData), MenuItem(AMenuItem)
{
    if (Data) Picture = AParent->GetItemPicture();
}

TspSkinMenuItem::~TspSkinMenuItem() = default;

bool TspSkinMenuItem::IsDivider() const
{
    return MenuItem->GetCaption() == "-";
}

bool TspSkinMenuItem::Selectable() const
{
    return MenuItem->GetEnabled() && !IsDivider();
}

void TspSkinMenuItem::MouseEnter(bool ByKeyboard)
{
    TspSkinMenu* engine = Parent->GetEngine();
    Active = true;
    for (int i = 0; i < Parent->GetItemCount(); ++i) {
        TspSkinMenuItem* other = Parent->GetItem(i);
        if (other != this && other->Down) {
            other->Down = false;
            other->Redraw();
        }
    }
    if (SelectedAtOpen && !ByKeyboard) {
        Redraw();
        return;
    }
    const int level = engine->GetPWIndex(Parent);
    if (Down && engine->GetLevelCount() > level + 1) {
        engine->GetLevel(level + 1)->UpDatePW();
        return;
    }
    Redraw();
    engine->CheckItem(Parent, this, false, ByKeyboard);
}

void TspSkinMenuItem::MouseLeave()
{
    TspSkinMenu* engine = Parent->GetEngine();
    SelectedAtOpen = false;
    Active = false;
    if (!Down) Redraw();
    engine->CancelWaiting(this);
}

void TspSkinMenuItem::MouseDown(int, int)
{
    SelectedAtOpen = false;
    if (Down || !MenuItem->GetEnabled()) return;
    Parent->GetEngine()->CheckItem(Parent, this, true, false);
}

void TspSkinMenuItem::Redraw()
{
    if (Data && Data->Morphing) {
        Parent->TestMorph(nullptr);
        return;
    }
    Parent->DrawItemOnWindow(this);
}

void TspSkinMenuItem::SetMorphKf(double Value)
{
    MorphKf = std::min(1.0, std::max(0.0, Value));
}

bool TspSkinMenuItem::CanMorphing()
{
    if (!Visible) {
        if (MorphKf != 0) {
            Active = false;
            Down = false;
            MorphKf = 0;
        }
        return false;
    }
    const double target = (Active || Down) ? 1.0 : 0.0;
    return MorphKf != target;
}

void TspSkinMenuItem::DoMorphing()
{
    SetMorphKf(MorphKf + ((Active || Down) ? 0.2 : -0.2));
    Parent->DrawItemOnWindow(this);
}

// ---------------------------------------------------------------------------
// TspSkinPopupWindow

TspSkinPopupWindow::TspSkinPopupWindow(TComponent* AOwner, TspSkinMenu* AEngine, TspDataSkinPopupWindow* AData)
    : TCustomControl(AOwner), FEngine(AEngine), FEngineAlive(AEngine->AliveWatch()),
      FLevelFont(std::make_unique<TFont>())
{
    SetVisible(false);
    TspSkinData* skin = AEngine->GetSkinData();
    if (AData && PictureAt(skin, AData->WindowPictureIndex, FFramePicture) &&
        Inside(AData->ItemsRect, FFramePicture->GetWidth(), FFramePicture->GetHeight())) {
        FData = AData;
        FSkin = skin;
        PictureAt(skin, AData->MaskPictureIndex, FFrameMask);
        if (FFrameMask && (FFrameMask->GetWidth() != FFramePicture->GetWidth() ||
                           FFrameMask->GetHeight() != FFramePicture->GetHeight()))
            FFrameMask = nullptr;   // a mask that does not match its picture cannot cut the window
    } else {
        FFramePicture = nullptr;
    }
    FAlphaBlend = AEngine->AlphaBlend;
    FAlphaBlendValue = std::min(255, std::max(0, AEngine->AlphaBlendValue));
    FAlphaBlendAnimation = AEngine->AlphaBlendAnimation;
    FHoverTimer = new TTimer(this);
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(50);
    FHoverTimer->OnTimer = [this](TObject* S) { TestMouse(S); };
    FMorphTimer = new TTimer(this);
    FMorphTimer->SetEnabled(false);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject* S) { TestMorph(S); };
    FShowDelayTimer = new TTimer(this);
    FShowDelayTimer->SetEnabled(false);
    FShowDelayTimer->SetInterval(100);
    FShowDelayTimer->OnTimer = [this](TObject* S) { WTProc(S); };
}

TspSkinPopupWindow::~TspSkinPopupWindow()
{
    FHoverTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    FShowDelayTimer->SetEnabled(false);
    FItems.clear();
    // The window owns its region once set; ours is only the copy kept for tests.
    if (HandleAllocated()) DestroyHandle();
}

void TspSkinPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS;
    if (Sputils::CheckWXP()) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.WinClassName = "TspSkinPopupWindow";
}

void TspSkinPopupWindow::WndProc(TMessage& Message)
{
    if (!*FEngineAlive) {
        // An orphan waiting to be freed: only the window's own handling.
        TCustomControl::WndProc(Message);
        return;
    }
    TspSkinMenu::THandlerScope scope(FEngine);
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); break;
    case WM_ERASEBKGND: WMEraseBkgndMenu(Message); break;
    case WM_TIMER: WMTimerScroll(Message); break;
    default: TCustomControl::WndProc(Message); break;
    }
}

void TspSkinPopupWindow::WMMouseActivate(TMessage& Message)
{
    Message.Result = MA_NOACTIVATE;
}

void TspSkinPopupWindow::WMEraseBkgndMenu(TMessage& Message)
{
    PaintMenu(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TspSkinPopupWindow::WMTimerScroll(TMessage& Message)
{
    if (Message.WParam != 1) {
        TCustomControl::WndProc(Message);
        return;
    }
    if (FScrollDirection == 1 && CanScroll(1))
        ScrollUp(false);
    else if (FScrollDirection == 2 && CanScroll(2))
        ScrollDown(false);
    else
        StopScroll();
}

TspSkinMenuItem* TspSkinPopupWindow::GetHotItem() const
{
    if (FHotIndex < 0 || FHotIndex >= GetItemCount()) return nullptr;
    return FItems[FHotIndex].get();
}

bool TspSkinPopupWindow::GetSoftwareAlpha() const
{
    return FAlphaBlend && !Sputils::CheckW2KWXP();
}

void TspSkinPopupWindow::AddItems(TMenuItem* Item, int StartIndex)
{
    if (!Item) return;
    for (int i = std::max(0, StartIndex); i < Item->GetCount(); ++i) {
        TMenuItem* child = Item->GetItem(i);
        if (!child->GetVisible()) continue;
        if (child->GetAction()) child->InitiateAction();
        if (!child->GetVisible()) continue;
        FItems.push_back(std::make_unique<TspSkinMenuItem>(this, child, FItemData));
        FEngine->WatchShownItem(child);
    }
}

void TspSkinPopupWindow::CreateMenu(TMenuItem* Item, int StartIndex)
{
    CreateMenu2(Item, nullptr, StartIndex);
}

void TspSkinPopupWindow::CreateMenu2(TMenuItem* Item1, TMenuItem* Item2, int StartIndex)
{
    // The item record counts only when its picture and rectangles are usable: a
    // record with no picture, or an empty normal look, would give items of no
    // height; such a skin gets the default item look instead. The shared record
    // is never written.
    FItemData = nullptr;
    FItemPicture = nullptr;
    // Only a level drawn from the skin's window picture takes the item record: a
    // skin without one gives the default look to the window and its items alike.
    TspSkinData* skin = FSkin;
    if (skin && !skin->Empty) {
        int index = skin->GetIndex("MENUITEM");
        if (index < 0) index = skin->GetIndex("menuitem");
        if (index >= 0 && index < static_cast<int>(skin->ObjectList.size())) {
            auto* rec = dynamic_cast<TspDataSkinMenuItem*>(skin->ObjectList[index].get());
            TBitmap* pic = nullptr;
            if (rec && PictureAt(skin, rec->ActivePictureIndex, pic) &&
                Inside(rec->SkinRect, pic->GetWidth(), pic->GetHeight()) &&
                Inside(rec->ActiveSkinRect, pic->GetWidth(), pic->GetHeight()) &&
                rec->SkinRect.Height() <= MaxItemHeight) {
                FItemData = rec;
                FItemPicture = pic;
            }
        }
    }
    TFont* def = FEngine->GetDefaultMenuItemFont();
    if (FData && FItemData && FEngine->UseSkinFont) {
        ApplySkinFontFields(FLevelFont.get(), FItemData->Font);
        FLevelFont->SetCharset(def->GetCharset());
    } else {
        FLevelFont->Assign(def);
    }
    GetCanvas();
    TMenu* menu = Item1 ? Item1->GetParentMenu() : nullptr;
    FImages = menu ? menu->GetImages() : nullptr;
    FGlyphColumn = FImages ? FImages->GetWidth() + 5 : 16;
    FItems.clear();
    const int count1 = Item1 ? Item1->GetCount() : 0;
    AddItems(Item1, StartIndex);
    if (Item2) AddItems(Item2, std::max(0, StartIndex - count1));
    CalcSize();
    CalcItemRects();
    if (FFrameMask) SetMenuWindowRegion();
}

int TspSkinPopupWindow::TextWidthOf(TMenuItem* Item)
{
    TBitmap measure(1, 1);
    measure.GetCanvas()->GetFont()->Assign(FLevelFont.get());
    std::string text = Item->GetCaption();
    if (Item->GetShortCut()) text += "  " + ShortCutToText(Item->GetShortCut());
    TRect r(0, 0, 0, 0);
    measure.GetCanvas()->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    return std::min(MaxTextWidth, r.Width()) + 2;
}

int TspSkinPopupWindow::ItemHeightOf(TspSkinMenuItem* Item) const
{
    if (FItemData) {
        if (Item->IsDivider()) return std::max(0, std::min(MaxItemHeight, FItemData->DividerRect.Height()));
        return FItemData->SkinRect.Height();
    }
    if (Item->IsDivider()) return DefaultDividerHeight;
    return std::max(1, std::min(MaxItemHeight, FEngine->ItemHeight));
}

void TspSkinPopupWindow::CalcSize()
{
    int w = 0;
    for (auto& item : FItems) w = std::max(w, TextWidthOf(item->MenuItem));
    const int base = FGlyphColumn + w + 16;
    long long sum = 0;
    for (auto& item : FItems) sum += ItemHeightOf(item.get());
    int width, height;
    if (FData) {
        const int wpic = FFramePicture->GetWidth(), hpic = FFramePicture->GetHeight();
        const TRect& ir = FData->ItemsRect;
        const int itemExtra = FItemData ? std::max(0, FItemData->SkinRect.Width() - FItemData->TextRect.Width()) : 10;
        width = base + (wpic - ir.Width()) + itemExtra;
        height = static_cast<int>(std::min<long long>(1 << 20, hpic - ir.Height() + sum));
    } else {
        width = base + 10;
        height = static_cast<int>(std::min<long long>(1 << 20, sum + 6));
    }
    const TRect& wa = FEngine->GetCachedWorkArea();
    if (wa.Width() > 0) width = std::min(width, wa.Width());
    FTopIndex = 0;
    FFitCount = GetItemCount();
    FScrollable = false;
    if (wa.Height() > 0 && wa.Height() < height) {
        height = wa.Height();
        FScrollable = true;
    }
    FWidth = width;
    FHeight = height;
    if (FData) {
        const int wpic = FFramePicture->GetWidth(), hpic = FFramePicture->GetHeight();
        FNewLTPoint = FData->LeftTopPoint;
        FNewRTPoint = TPoint(width + FData->RightTopPoint.x - wpic, FData->RightTopPoint.y);
        FNewLBPoint = TPoint(FData->LeftBottomPoint.x, height + FData->LeftBottomPoint.y - hpic);
        FNewRBPoint = TPoint(width + FData->RightBottomPoint.x - wpic, height + FData->RightBottomPoint.y - hpic);
        const TRect& ir = FData->ItemsRect;
        FNewItemsRect = TRect(ir.left, ir.top, width + ir.right - wpic, height + ir.bottom - hpic);
    } else {
        FNewItemsRect = TRect(3, 3, width - 3, height - 3);
    }
    if (HandleAllocated()) SetWindowPos(GetWindowHandle(), nullptr, 0, 0, width, height,
                                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TspSkinPopupWindow::CalcItemRects()
{
    int y = FNewItemsRect.top + (FScrollable ? 10 : 0);
    const int limit = FNewItemsRect.bottom - (FScrollable ? 10 : 0);
    FFitCount = 0;
    for (int i = FTopIndex; i < GetItemCount(); ++i) {
        TspSkinMenuItem* item = FItems[i].get();
        const int h = ItemHeightOf(item);
        item->ObjectRect = TRect(FNewItemsRect.left, y, FNewItemsRect.right, y + h);
        if (y + h > limit) break;
        item->Visible = true;
        ++FFitCount;
        y += h;
    }
    if (!FScrollable) {
        for (int i = FTopIndex + FFitCount; i < GetItemCount(); ++i) FItems[i]->Visible = false;
        return;
    }
    for (int i = 0; i < GetItemCount(); ++i)
        if (i < FTopIndex || i >= FTopIndex + FFitCount) FItems[i]->Visible = false;
}

int TspSkinPopupWindow::GetEndStartVisibleIndex()
{
    // The last page starts where the items from the end stop fitting between the
    // two marker zones (the items area's own top, not the window's).
    int a = FNewItemsRect.bottom - 10;
    const int top = FNewItemsRect.top + 10;
    int passed = 0;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        a -= ItemHeightOf(FItems[i].get());
        if (a < top) break;
        ++passed;
    }
    return std::max(0, GetItemCount() - passed);
}

bool TspSkinPopupWindow::CanScroll(int Direction)
{
    if (Direction == 1) return FTopIndex > 0;
    if (Direction == 2) return FTopIndex + FFitCount - 1 < GetItemCount() - 1;
    return false;
}

void TspSkinPopupWindow::ScrollUp(bool Wrap)
{
    if (FTopIndex > 0)
        --FTopIndex;
    else if (Wrap)
        FTopIndex = GetEndStartVisibleIndex();
    else
        return;
    CalcItemRects();
    Repaint();
}

void TspSkinPopupWindow::ScrollDown(bool Wrap)
{
    if (CanScroll(2))
        ++FTopIndex;
    else if (Wrap)
        FTopIndex = 0;
    else
        return;
    CalcItemRects();
    Repaint();
}

void TspSkinPopupWindow::StartScroll()
{
    FEngine->CloseMenu(FEngine->GetPWIndex(this) + 1);
    FShowDelayTimer->SetEnabled(false);
    if (!HandleAllocated()) return;
    KillTimer(GetWindowHandle(), 1);
    SetTimer(GetWindowHandle(), 1, 100, nullptr);
    FScrollTimerOn = true;
}

void TspSkinPopupWindow::StopScroll()
{
    FScrollDirection = 0;
    if (HandleAllocated() && IsWindowVisible(GetWindowHandle())) {
        DrawUpMarker(GetCanvas());
        DrawDownMarker(GetCanvas());
    }
    if (HandleAllocated() && FScrollTimerOn) KillTimer(GetWindowHandle(), 1);
    FScrollTimerOn = false;
}

void TspSkinPopupWindow::Show(const TRect& R, TMenuItem* Item, int StartIndex, bool IsSubMenu, bool PopupUp)
{
    Show2(R, Item, nullptr, StartIndex, IsSubMenu, PopupUp);
}

void TspSkinPopupWindow::Show2(const TRect& R, TMenuItem* Item1, TMenuItem* Item2, int StartIndex, bool IsSubMenu,
                               bool PopupUp)
{
    if (Sputils::CheckW2KWXP() && FAlphaBlend && FAlphaBlendAnimation && FEngine->FreshPopup)
        Application->ProcessMessages();
    CreateMenu2(Item1, Item2, StartIndex);
    const TRect& wa = FEngine->GetCachedWorkArea();
    FShowPosition = Skinmenus::CalcShowPosition(R, wa, FWidth, FHeight, FNewItemsRect.top, IsSubMenu, PopupUp,
                                                FScrollable);
    FLeft = FShowPosition.x;
    FTop = FShowPosition.y;
    if (GetSoftwareAlpha()) {
        FShowDelayTimer->SetEnabled(true);
        return;
    }
    if (Sputils::CheckW2KWXP() && FEngine->AlphaBlend) {
        HWND h = GetHandle();
        SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) | WS_EX_LAYERED);
        Sputils::SetAlphaBlendTransparent(h, FEngine->FreshPopup && FAlphaBlendAnimation ? 0 : FAlphaBlendValue);
    }
    ShowWindowAt();
    if (Sputils::CheckW2KWXP() && FAlphaBlend && FAlphaBlendAnimation && FEngine->FreshPopup) {
        for (int v = 0; v < FAlphaBlendValue;) {
            v = std::min(FAlphaBlendValue, v + 2);
            Sputils::SetAlphaBlendTransparent(GetWindowHandle(), v);
        }
    }
    FHoverTimer->SetEnabled(true);
    FHotIndex = -1;
    SelectFirstItem();
}

void TspSkinPopupWindow::ShowWindowAt()
{
    HWND h = GetHandle();
    if (FData && FData->CursorIndex != -1 && FSkin) SetCursor(static_cast<TCursor>(FSkin->StartCursorIndex + FData->CursorIndex));
    SetWindowPos(h, HWND_TOPMOST, FShowPosition.x, FShowPosition.y, FWidth, FHeight,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FShownOnce = true;
}

void TspSkinPopupWindow::SelectFirstItem()
{
    for (int i = 0; i < GetItemCount(); ++i) {
        TspSkinMenuItem* item = FItems[i].get();
        if (!item->Selectable()) continue;
        item->SelectedAtOpen = true;
        FHotIndex = i;
        item->MouseEnter(true);
        return;
    }
}

void TspSkinPopupWindow::WTProc(TObject*)
{
    if (!*FEngineAlive) return;
    TspSkinMenu::THandlerScope scope(FEngine);
    FShowDelayTimer->SetEnabled(false);
    FScreenCopy = std::make_unique<TBitmap>(FWidth + 1, FHeight + 1, pf24bit);
    Sputils::GetScreenImage(FShowPosition.x, FShowPosition.y, FScreenCopy.get());
    FScreenEffect = std::make_unique<TspEffectBmp>(FScreenCopy.get());
    ShowWindowAt();
    FHoverTimer->SetEnabled(true);
    // Even here the first selectable item, not blindly item 0 (a divider or a
    // disabled item must not be the one Return chooses).
    FHotIndex = -1;
    SelectFirstItem();
}

void TspSkinPopupWindow::Hide()
{
    FHoverTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    FShowDelayTimer->SetEnabled(false);
    if (HandleAllocated()) {
        if (FScrollTimerOn) KillTimer(GetWindowHandle(), 1);
        SetWindowPos(GetWindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    FScrollTimerOn = false;
}

bool TspSkinPopupWindow::InWindow(const TPoint& ScreenPoint)
{
    if (!HandleAllocated()) return false;
    POINT p{ScreenPoint.x, ScreenPoint.y};
    HWND w = WindowFromPoint(p);
    return w == GetWindowHandle();
}

bool TspSkinPopupWindow::GetActive(int X, int Y)
{
    for (auto& item : FItems)
        if (item->Visible && Sputils::PointInRect(item->ObjectRect, TPoint(X, Y))) return true;
    return false;
}

void TspSkinPopupWindow::TestMouse(TObject*)
{
    if (!*FEngineAlive) return;
    TspSkinMenu::THandlerScope scope(FEngine);
    if (!HandleAllocated()) return;
    POINT sp{};
    GetCursorPos(&sp);
    POINT cp = sp;
    ::ScreenToClient(GetWindowHandle(), &cp);
    if (cp.x == FOldPoint.x && cp.y == FOldPoint.y) return;
    if (InWindow(TPoint(sp.x, sp.y))) {
        TestActive(cp.x, cp.y);
    } else if (FScrollable && FScrollDirection != 0) {
        StopScroll();
    }
    FOldPoint = TPoint(cp.x, cp.y);
}

void TspSkinPopupWindow::TestActive(int X, int Y)
{
    const TPoint p(X, Y);
    if (FScrollable) {
        const TRect up(FNewItemsRect.left, FNewItemsRect.top, FNewItemsRect.right, FNewItemsRect.top + 10);
        const TRect down(FNewItemsRect.left, FNewItemsRect.bottom - 10, FNewItemsRect.right, FNewItemsRect.bottom);
        if (Sputils::PointInRect(up, p) && FScrollDirection == 0 && CanScroll(1)) {
            FScrollDirection = 1;
            DrawUpMarker(GetCanvas());
            StartScroll();
        } else if (Sputils::PointInRect(down, p) && FScrollDirection == 0 && CanScroll(2)) {
            FScrollDirection = 2;
            DrawDownMarker(GetCanvas());
            StartScroll();
        } else if (FScrollDirection != 0 && !Sputils::PointInRect(up, p) && !Sputils::PointInRect(down, p)) {
            StopScroll();
        }
    }
    if (FItems.empty()) return;
    FOldHotIndex = FHotIndex;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (FItems[i]->Visible && Sputils::PointInRect(FItems[i]->ObjectRect, p)) {
            FHotIndex = i;
            break;
        }
    }
    if (FHotIndex >= GetItemCount()) FHotIndex = -1;
    if (FOldHotIndex >= GetItemCount()) FOldHotIndex = -1;
    if (FHotIndex == FOldHotIndex && FHotIndex != -1) {
        TspSkinMenuItem* item = FItems[FHotIndex].get();
        if (item->SelectedAtOpen) {
            item->SelectedAtOpen = false;
            if (item->MenuItem->GetCount() > 0) item->MouseEnter(false);
        }
        return;
    }
    if (FHotIndex == FOldHotIndex) return;
    TspSkinPopupWindow* self = this;
    const int level = FEngine->GetPWIndex(self);
    if (FOldHotIndex != -1 && FItems[FOldHotIndex]->Selectable()) FItems[FOldHotIndex]->MouseLeave();
    if (FEngine->GetPWIndex(self) != level) return;   // the leave closed this level
    if (FHotIndex != -1 && FItems[FHotIndex]->Selectable()) FItems[FHotIndex]->MouseEnter(false);
}

void TspSkinPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    TestActive(X, Y);
    if (Button != mbLeft) return;
    TspSkinMenuItem* hot = GetHotItem();
    if (!hot || !GetActive(X, Y) || hot->IsDivider()) return;
    if (!Sputils::PointInRect(hot->ObjectRect, TPoint(X, Y))) return;
    hot->MouseDown(X, Y);
}

void TspSkinPopupWindow::HotChange(int OldHot)
{
    if (FHotIndex == OldHot) return;
    // A key never selects an item out of sight (the level may have been
    // scrolled by the mouse away from the hot item).
    if (FScrollable && FHotIndex >= 0) {
        const int before = FTopIndex;
        if (FHotIndex < FTopIndex) FTopIndex = FHotIndex;
        CalcItemRects();
        while (FHotIndex >= FTopIndex + FFitCount && FTopIndex < GetItemCount() - 1) {
            ++FTopIndex;
            CalcItemRects();
        }
        if (FTopIndex != before) Repaint();
    }
    if (FHotIndex >= 0) FItems[FHotIndex]->MouseEnter(true);
    if (OldHot >= 0 && OldHot < GetItemCount()) FItems[OldHot]->MouseLeave();
}

void TspSkinPopupWindow::PopupKeyDown(int Key)
{
    if (!*FEngineAlive) return;
    TspSkinMenu::THandlerScope scope(FEngine);
    if (!HandleAllocated() || !IsWindowVisible(GetWindowHandle())) return;
    // Accelerators first: a caption's marked character chooses its item. Only keys
    // that stand for a character count; a function or cursor key whose code
    // happens to equal a letter (F1 is 'p') chooses nothing.
    const UINT ch = MapVirtualKeyA(static_cast<UINT>(Key), MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    for (int i = 0; ch != 0 && i < GetItemCount(); ++i) {
        TspSkinMenuItem* item = FItems[i].get();
        if (!IsAccel(static_cast<WORD>(ch), item->MenuItem->GetCaption())) continue;
        const int old = FHotIndex;
        if (old != i && old >= 0 && old < GetItemCount()) FItems[old]->MouseLeave();
        FHotIndex = i;
        item->MouseEnter(false);
        // MouseEnter may have closed levels or the menu; choose only if still ours.
        if (FEngine->GetPWIndex(this) < FEngine->GetLevelCount()) item->MouseDown(0, 0);
        return;
    }
    const int count = GetItemCount();
    switch (Key) {
    case VK_RETURN:
        if (TspSkinMenuItem* hot = GetHotItem()) hot->MouseDown(0, 0);
        return;
    case VK_ESCAPE:
    case VK_LEFT: {
        const int levels = FEngine->GetLevelCount();
        if (Key == VK_LEFT && levels < 2) return;
        FEngine->CloseMenu(levels - 1);
        if (TspSkinPopupWindow* last = FEngine->GetLastLevel()) {
            if (TspSkinMenuItem* hot = last->GetHotItem()) {
                hot->Down = false;
                last->DrawItemOnWindow(hot);
            }
        }
        return;
    }
    case VK_RIGHT:
        if (TspSkinMenuItem* hot = GetHotItem())
            if (hot->MenuItem->GetCount() > 0) hot->MouseDown(0, 0);
        return;
    case VK_DOWN: {
        if (count == 0) return;
        const int old = FHotIndex;
        if (FScrollable && FScrollDirection == 0 && old >= 0 && old == FTopIndex + FFitCount - 1) ScrollDown(true);
        int start = old + 1;
        if (old < 0 || start >= count) start = 0;
        for (int i = start; i < count; ++i) {
            if (FItems[i]->Selectable()) {
                FHotIndex = i;
                break;
            }
            if (FScrollable && i == FTopIndex + FFitCount - 1) ScrollDown(true);
        }
        HotChange(old);
        return;
    }
    case VK_UP: {
        if (count == 0) return;
        const int old = FHotIndex;
        if (FScrollable && FScrollDirection == 0 && old >= 0 && old == FTopIndex) ScrollUp(true);
        int start = old - 1;
        if (old <= 0) start = count - 1;
        for (int i = start; i >= 0; --i) {
            if (FItems[i]->Selectable()) {
                FHotIndex = i;
                break;
            }
            if (FScrollable && i == FTopIndex) ScrollUp(true);
        }
        HotChange(old);
        return;
    }
    default:
        return;
    }
}

void TspSkinPopupWindow::UpDatePW()
{
    FEngine->CloseMenu(FEngine->GetPWIndex(this) + 1);
    for (auto& item : FItems) {
        if (!item->Down) continue;
        item->Down = false;
        item->Redraw();
    }
}
