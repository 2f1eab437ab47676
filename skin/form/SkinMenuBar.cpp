#include "SkinMenuBar.h"
#include "ActiveSkinObject.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinMenuBarObjects.h"
#include "SkinMenuMode.h"
#include "SkinPopupWindow.h"
#include "Button.h"
#include "Trace.h"
#include <algorithm>

namespace {

// The one bar in keyboard menu mode, and the thread keyboard hook that feeds it.
// A thread hook sees each key before any window does, so the keys of the mode
// never reach the focused control, and it is removed as soon as the mode ends.
TspSkinMainMenuBar* KeyBar = nullptr;
HHOOK KeyHook = nullptr;
// Escape went to the open drop-down: when it has closed, the item stays
// highlighted and the mode goes on (any other close ends the mode).
bool EscapeToDropDown = false;

// While a drop-down is open its own keys go to the menu engine (through the
// frame's menu mode); the bar takes only the moves along the bar itself: Left on
// the first level, Right on a first-level item without a submenu.
bool BarTakesKey(TspSkinMainMenuBar* Bar, WORD Key)
{
    TspFormFrame* frame = Bar->GetFormFrame();
    TspSkinMenu* engine = frame ? TspSkinMenuMode::ForFrame(frame)->GetSkinMenu() : nullptr;
    if (!engine || !engine->GetOpen()) return true;
    if (engine->GetLevelCount() != 1) return false;
    if (Key == VK_ESCAPE) EscapeToDropDown = true;
    if (Key == VK_LEFT) return true;
    if (Key != VK_RIGHT) return false;
    TspSkinPopupWindow* level = engine->GetLevel(0);
    for (int i = 0; level && i < level->GetItemCount(); ++i) {
        TspSkinMenuItem* it = level->GetItem(i);
        if (it->Active && it->MenuItem && it->MenuItem->GetCount() > 0) return false;
    }
    return true;
}

// Returns whether the key is used up.
bool BarKeyDown(TspSkinMainMenuBar* Bar, WORD Key)
{
    if (!BarTakesKey(Bar, Key)) return false;
    switch (Key) {
    case VK_LEFT: Bar->PriorMainMenuItem(); return true;
    case VK_RIGHT: Bar->NextMainMenuItem(); return true;
    case VK_RETURN:
    case VK_DOWN: Bar->CheckReturnKey(); return true;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10: Bar->MenuExit(); return true;
    default: Bar->FindHotKeyItem(Key); return true;
    }
}

// Whether the bar's own window is the active one: keys meant for a dialog or
// another window of the thread are never the mode's.
bool BarFormActive(TspSkinMainMenuBar* Bar)
{
    TCustomForm* form = GetParentForm(Bar);
    // A form placed inside another window is active with the window it sits in.
    return form && form->HandleAllocated() && GetActiveWindow() == GetAncestor(form->GetHandle(), GA_ROOT);
}

LRESULT CALLBACK BarKeyboardProc(int Code, WPARAM WParam, LPARAM LParam)
{
    // Key-down transitions only, when the message is really taken from the queue.
    if (Code == HC_ACTION && KeyBar && (LParam & 0x80000000) == 0) {
        try {
            if (!BarFormActive(KeyBar) && !KeyBar->MenuShown()) {
                // The activation moved on without the form hearing of it: the
                // mode is over and the key goes where it was sent.
                KeyBar->MenuExit();
                return CallNextHookEx(nullptr, Code, WParam, LParam);
            }
            if (BarKeyDown(KeyBar, static_cast<WORD>(WParam))) return 1;
        } catch (...) {
            // No exception may cross the hook; the key then goes on as usual.
            Trace::Caught(Trace::Skin, "menu bar key hook");
        }
    }
    return CallNextHookEx(KeyHook, Code, WParam, LParam);
}

void StartKeys(TspSkinMainMenuBar* Bar)
{
    KeyBar = Bar;
    if (!KeyHook) KeyHook = SetWindowsHookExA(WH_KEYBOARD, BarKeyboardProc, nullptr, GetCurrentThreadId());
}

void StopKeys(TspSkinMainMenuBar* Bar)
{
    if (KeyBar != Bar) return;
    KeyBar = nullptr;
    EscapeToDropDown = false;
    if (KeyHook) UnhookWindowsHookEx(KeyHook);
    KeyHook = nullptr;
}

TspSkinMainMenuBarItem* AsItem(TspMenuBarObject* O) { return dynamic_cast<TspSkinMainMenuBarItem*>(O); }

// Wraps the form's window procedure for the system key-menu command (Alt pressed
// and released, F10, Alt with a letter). It keeps the procedure it replaced and
// only passes messages on once its bar is gone, whoever wrapped the form after it.
struct TBarFormHook {
    std::shared_ptr<const bool> Alive;
    TspSkinMainMenuBar* Bar;
    TWndMethod Previous;
    void operator()(TMessage& Message) const
    {
        if (*Alive && Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_KEYMENU &&
            Bar->KeyMenu(static_cast<WORD>(Message.LParam))) {
            Message.Result = 0;
            return;
        }
        if (Previous) Previous(Message);
    }
};

}  // namespace

TspSkinMainMenuBar::TspSkinMainMenuBar(TComponent* AOwner)
    : TspSkinControl(AOwner), FDefItemFont(std::make_unique<TFont>()), FMouseTimer(std::make_unique<TTimer>(nullptr)),
      FMorphTimer(std::make_unique<TTimer>(nullptr)), FMenuWatch(std::make_unique<TTimer>(nullptr))
{
    SetControlStyle(csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    FSkinDataName = "mainmenubar";
    FDefItemFont->SetName("Arial");
    FDefItemFont->SetHeight(14);
    FDefItemFont->SetStyle(0);
    FDefItemFont->SetColor(clBtnText);
    FMouseTimer->SetEnabled(false);
    FMouseTimer->SetInterval(50);
    FMouseTimer->OnTimer = [this](TObject*) { TestMouse(); };
    FMorphTimer->SetEnabled(false);
    FMorphTimer->SetInterval(20);
    FMorphTimer->OnTimer = [this](TObject*) { TestMorph(); };
    FMenuWatch->SetEnabled(false);
    FMenuWatch->SetInterval(50);
    FMenuWatch->OnTimer = [this](TObject*) { MenuWatchTick(); };
    SetAlign(alTop);
    SetBounds(GetLeft(), GetTop(), GetWidth() > 0 ? GetWidth() : 100, 22);
}

TspSkinMainMenuBar::~TspSkinMainMenuBar()
{
    StopKeys(this);
    UnhookForm();
    FMouseTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    FMenuWatch->SetEnabled(false);
}

// ---- properties ----

void TspSkinMainMenuBar::SetScrollMenu(bool Value)
{
    FScrollMenu = Value;
    RepaintBar();
}

void TspSkinMainMenuBar::SetDefItemFont(TFont* Value)
{
    if (Value) FDefItemFont->Assign(Value);
    RepaintBar();
}

void TspSkinMainMenuBar::SetFormFrame(TspFormFrame* Value)
{
    if (FFormFrame == Value) return;
    FFormFrame.Set(Value);
    HookForm(FFormFrame ? FFormFrame->GetOwnerForm() : nullptr);
}

void TspSkinMainMenuBar::HookForm(TCustomForm* Form)
{
    if (Form == FHookedForm) return;
    UnhookForm();
    if (!Form) return;
    FHookedForm.Set(Form);
    FHookedForm->WindowProc = TBarFormHook{FAlive.Watch(), this, FHookedForm->WindowProc};
}

void TspSkinMainMenuBar::UnhookForm()
{
    if (!FHookedForm) return;
    // Only while ours is the outermost wrapper; otherwise it stays and passes on.
    if (auto* h = FHookedForm->WindowProc.target<TBarFormHook>())
        if (h->Bar == this) FHookedForm->WindowProc = h->Previous;
    FHookedForm.Set(nullptr);
}

bool TspSkinMainMenuBar::KeyMenu(WORD Key)
{
    if (!HandleAllocated() || !IsWindowVisible(GetHandle()) || FObjects.empty()) return false;
    if (Key == 0) {
        if (FMenuActive)
            MenuExit();
        else
            MenuEnter();
        return true;
    }
    // Alt with a letter: the item with that access key, when there is one.
    const WORD k = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(Key)))));
    if (!FMenuActive) EnterMenuMode();
    if (FindHotKeyItem(k)) return true;
    if (!MenuShown()) MenuExit();
    return false;
}

void TspSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu == Value) return;
    FMainMenu.Set(Value);
    CreateMenu();
    RepaintBar();
}

void TspSkinMainMenuBar::SetSkinData(TspSkinData* Value)
{
    const bool dropping = !Value && GetSkinDataComponent();
    TspSkinControl::SetSkinData(Value);
    // The objects built from the skin let go of its pictures: the bar goes plain.
    if (dropping) ChangeSkinData();
}

void TspSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    const bool skinGone = Operation == opRemove && AComponent && AComponent == GetSkinDataComponent();
    TspSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (skinGone) {
        // Nothing may draw from the pictures of a skin that is gone.
        ClearObjects();
        FHasSkin = false;
        FNeedRebuild = true;
    }
    FHookedForm.Removed(AComponent, Operation);
    if (FFormFrame.Removed(AComponent, Operation)) FMenuWatch->SetEnabled(false);
    if (FMainMenu.Removed(AComponent, Operation)) {
        MenuExit();
        ClearObjects();
    } else {
        FreeItemsOf(AComponent);
    }
}

void TspSkinMainMenuBar::FreeItemsOf(TComponent* AComponent)
{
    // A menu item freed under the bar: its object lets go at once and the bar
    // is rebuilt at the next paint, once the menu's own lists are whole again.
    for (auto& o : FObjects)
        if (auto* it = AsItem(o.get()))
            if (static_cast<TComponent*>(it->LinkedMenuItem) == AComponent) {
                it->LinkedMenuItem = nullptr;
                it->Visible = false;
                it->Enabled = false;
                FNeedRebuild = true;
                RepaintBar();
            }
}

// ---- skin ----

void TspSkinMainMenuBar::GetSkinData()
{
    TspSkinControl::GetSkinData();
    FBarPicture = nullptr;
    auto* r = dynamic_cast<TspDataSkinMainMenuBar*>(CurrentRecord());
    if (!r) {
        FIndex = -1;
        return;
    }
    FSkinRect = r->SkinRect;
    FSkinItemsRect = r->ItemsRect;
    FItemRecordName = r->MenuBarItem;
    FMarkColor = r->TrackMarkColor;
    FMarkActiveColor = r->TrackMarkActiveColor;
    FBarPicture = SkinPicture(FSD, r->PictureIndex);
    // A record whose picture or rectangles are unusable leaves the bar plain.
    if (!FBarPicture || ClipToPicture(FSkinRect, FBarPicture).IsEmpty() || FSkinItemsRect.IsEmpty())
        FIndex = -1;
}

void TspSkinMainMenuBar::BeforeChangeSkinData()
{
    FHasSkin = false;
    TspSkinControl::BeforeChangeSkinData();
    MenuExit();
    ClearObjects();
}

void TspSkinMainMenuBar::ChangeSkinData()
{
    TspSkinControl::ChangeSkinData();
    GetSkinData();
    FHasSkin = Skinned();
    CreateMenu();
    if (FHasSkin)
        SetHeight(FSkinRect.Height());
    else if (DefaultHeight > 0)
        SetHeight(DefaultHeight);
    RepaintBar();
}

void TspSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    if (Skinned()) AHeight = FSkinRect.Height();
    TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    RepaintBar();
}

void TspSkinMainMenuBar::RepaintBar()
{
    if (HandleAllocated()) InvalidateRect(GetHandle(), nullptr, FALSE);
}

// ---- objects ----

void TspSkinMainMenuBar::ClearObjects()
{
    FObjects.clear();
    SystemButtonCount = 0;
    FActiveIndex = FOldActiveIndex = FCapturedIndex = -1;
}

TspMenuBarObject* TspSkinMainMenuBar::GetObject(int Index) const
{
    return Index >= 0 && Index < ObjectCount() ? FObjects[Index].get() : nullptr;
}

int TspSkinMainMenuBar::ItemCount() const
{
    int n = 0;
    for (auto& o : FObjects)
        if (AsItem(o.get())) ++n;
    return n;
}

TspSkinMainMenuBarItem* TspSkinMainMenuBar::GetItem(int Index) const
{
    for (auto& o : FObjects)
        if (auto* it = AsItem(o.get()))
            if (Index-- == 0) return it;
    return nullptr;
}

void TspSkinMainMenuBar::CreateMenu()
{
    ClearObjects();
    if (!FMainMenu) return;
    GetSkinData();
    TspDataSkinObject* record = nullptr;
    if (Skinned() && FSD && !FItemRecordName.empty()) {
        const int i = FSD->GetIndex(FItemRecordName);
        if (i >= 0) record = dynamic_cast<TspDataSkinMainMenuItem*>(FSD->ObjectList[i].get());
    }
    // On an MDI main form the active child's own main menu follows the bar's.
    TMainMenu* childMenu = nullptr;
    if (FFormFrame && FFormFrame->GetOwnerForm() && FFormFrame->GetOwnerForm()->GetFormStyle() == fsMDIForm)
        childMenu = GetChildMainMenu();
    ChildMenuMerged = false;
    for (TMainMenu* menu : {FMainMenu.Get(), childMenu}) {
        if (!menu) continue;
        ChildMenuMerged = ChildMenuMerged || menu == childMenu;
        TMenuItem* items = menu->GetItems();
        for (int i = 0; i < items->GetCount(); ++i) {
            TMenuItem* mi = items->GetItem(i);
            if (!mi->GetVisible()) continue;
            auto it = std::make_unique<TspSkinMainMenuBarItem>(this, record);
            it->IDName = mi->GetName();
            it->Enabled = mi->GetEnabled();
            it->SavedEnabled = it->Enabled;
            it->LinkedMenuItem = mi;
            mi->FreeNotification(this);
            FObjects.push_back(std::move(it));
        }
    }
    if (ChildMaximized) {
        AddButtons();
        if (TspFormFrame* child = Formframe::GetMDIChildFormFrameComponent()) CheckButtons(child->GetBorderIcons());
    }
    LayoutItems();
}

void TspSkinMainMenuBar::UpDateItems()
{
    CreateMenu();
    RepaintBar();
    FActiveIndex = FOldActiveIndex = -1;
    FMouseTimer->SetEnabled(true);
}

void TspSkinMainMenuBar::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    if (FHasSkin && Skinned())
        FItemsArea = TRect(FSkinItemsRect.left, FSkinItemsRect.top, w - (FSkinRect.Width() - FSkinItemsRect.right),
                           FSkinItemsRect.bottom);
    else
        FItemsArea = TRect(2, 2, w - 2, h - 2);
    PlaceSystemButtons();
}

void TspSkinMainMenuBar::LayoutItems()
{
    CalcRects();
    FHasHiddenItems = false;
    int left = 0;
    for (auto& o : FObjects) {
        auto* it = AsItem(o.get());
        if (!it || !it->Visible) continue;
        if (!it->Layout(left, FItemsArea, MarkerWidth())) FHasHiddenItems = true;
        left = it->ObjectRect.right;
    }
}

void TspSkinMainMenuBar::DrawSkinObject(TspMenuBarObject* AObject)
{
    if (!AObject || !HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    AObject->Draw(GetCanvas());
}

// ---- painting ----

void TspSkinMainMenuBar::Paint() { PaintMenuBar(GetCanvas()); }

void TspSkinMainMenuBar::PaintMenuBar(TCanvas* Cnvs)
{
    if (FNeedRebuild) {
        FNeedRebuild = false;
        CreateMenu();
    }
    GetSkinData();
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1 || !Cnvs) return;
    TBitmap b(w, h, pf24bit);
    if (FHasSkin && Skinned()) {
        Sputils::CreateHSkinImage(FSkinItemsRect.left, std::max(0, FSkinRect.Width() - static_cast<int>(FSkinItemsRect.right)), &b,
                                  FBarPicture, FSkinRect, w, h);
        if (b.GetWidth() != w || b.GetHeight() != h) b.SetSize(w, h);
    } else {
        b.GetCanvas()->GetBrush()->SetColor(clBtnFace);
        b.GetCanvas()->FillRect(TRect(0, 0, w, h));
    }
    LayoutItems();
    for (auto& o : FObjects)
        if (o->Visible) o->Draw(b.GetCanvas());
    if (FHasHiddenItems && FScrollMenu) DrawMarker(b.GetCanvas());
    Cnvs->Draw(0, 0, &b);
}

TRect TspSkinMainMenuBar::GetMarkerRect() const
{
    return TRect(FItemsArea.right - 5, FItemsArea.top, FItemsArea.right, FItemsArea.bottom);
}

void TspSkinMainMenuBar::DrawMarker(TCanvas* Cnvs)
{
    TColor c;
    if (FHasSkin && Skinned())
        c = FMarkerHot ? FMarkActiveColor : FMarkColor;
    else
        c = FMarkerHot ? clBtnText : clBtnShadow;
    Sputils::DrawArrowImage(Cnvs, GetMarkerRect(), c, adRight);
}

TRect TspSkinMainMenuBar::ObjectToScreen(const TRect& R)
{
    const TPoint tl = ClientToScreen(TPoint(R.left, R.top));
    return TRect(tl.x, tl.y, tl.x + R.Width(), tl.y + R.Height());
}

// ---- menu mode ----

bool TspSkinMainMenuBar::MenuShown() const
{
    return FFormFrame && TspSkinMenuMode::ForFrame(FFormFrame)->GetSkinMenu()->GetOpen();
}

void TspSkinMainMenuBar::EnterMenuMode()
{
    if (FMenuActive) return;
    FMenuActive = true;
    // The frame's menu mode watches the form's presses and activation, which
    // end this mode again (it wraps the form once it exists).
    if (FFormFrame) TspSkinMenuMode::ForFrame(FFormFrame);
    StartKeys(this);
    if (OnMainMenuEnter) OnMainMenuEnter(this);
}

void TspSkinMainMenuBar::PopupItem(TMenuItem* Item, const TRect& R, int StartIndex)
{
    if (!FFormFrame || !Item) return;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(FFormFrame);
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(nullptr, FSD, StartIndex, R, Item, PopupToUp);
    // Menu mode stays only while a level is really shown.
    mode->CheckOpened();
    if (mode->GetSkinMenu()->GetOpen()) FMenuWatch->SetEnabled(true);
}

void TspSkinMainMenuBar::MenuWatchTick()
{
    if (MenuShown()) return;
    FMenuWatch->SetEnabled(false);
    // The drop-down closed: by Escape or a click elsewhere, or after a command.
    // With the keyboard mode on, the item stays highlighted; otherwise the mode ends.
    bool down = false;
    for (int i = 0; i < ItemCount(); ++i) down = down || GetItem(i)->Down;
    if (!down) return;
    const bool escaped = EscapeToDropDown && KeyBar == this;
    EscapeToDropDown = false;
    if (escaped)
        MenuClose();
    else
        MenuExit();
}

void TspSkinMainMenuBar::MenuEnter()
{
    EnterMenuMode();
    TspSkinMainMenuBarItem* target = nullptr;
    for (int i = 0; i < ItemCount() && !target; ++i)
        if (GetItem(i)->Active) target = GetItem(i);
    for (int i = 0; i < ItemCount() && !target; ++i)
        if (GetItem(i)->Enabled && GetItem(i)->InMenuRect) target = GetItem(i);
    if (target) target->MouseEnter();
}

void TspSkinMainMenuBar::MenuClose()
{
    for (int i = 0; i < ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = GetItem(i);
        if (!it->Down) continue;
        it->Down = false;
        it->Active = true;
        it->MorphKf = 1;
        DrawSkinObject(it);
        return;
    }
}

void TspSkinMainMenuBar::MenuExit()
{
    const bool was = FMenuActive;
    FMenuActive = false;
    StopKeys(this);
    for (int i = 0; i < ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = GetItem(i);
        if (!it->Down && !it->Active) continue;
        it->Active = it->Hovered = it->Down = false;
        it->Redraw();
    }
    FActiveIndex = FOldActiveIndex = -1;
    if (was && MenuShown()) TspSkinMenuMode::ForFrame(FFormFrame)->GetSkinMenu()->Hide();
}

void TspSkinMainMenuBar::NextMainMenuItem()
{
    std::vector<TspSkinMainMenuBarItem*> c;
    for (int i = 0; i < ItemCount(); ++i)
        if (GetItem(i)->Enabled && GetItem(i)->InMenuRect) c.push_back(GetItem(i));
    if (c.empty()) return;
    for (size_t i = 0; i < c.size(); ++i) {
        if (!c[i]->Active && !c[i]->Down) continue;
        const bool wasDown = c[i]->Down;
        TspSkinMainMenuBarItem* next = c[(i + 1) % c.size()];
        if (next == c[i]) return;
        // A drop-down that is open moves along: the next item opens its own.
        if (wasDown) {
            next->MouseEnter();
        } else {
            c[i]->MouseLeave();
            next->MouseEnter();
        }
        return;
    }
    c.front()->MouseEnter();
}

void TspSkinMainMenuBar::PriorMainMenuItem()
{
    std::vector<TspSkinMainMenuBarItem*> c;
    for (int i = 0; i < ItemCount(); ++i)
        if (GetItem(i)->Enabled && GetItem(i)->InMenuRect) c.push_back(GetItem(i));
    if (c.empty()) return;
    for (size_t k = c.size(); k-- > 0;) {
        if (!c[k]->Active && !c[k]->Down) continue;
        const bool wasDown = c[k]->Down;
        TspSkinMainMenuBarItem* prior = c[(k + c.size() - 1) % c.size()];
        if (prior == c[k]) return;
        if (wasDown) {
            prior->MouseEnter();
        } else {
            c[k]->MouseLeave();
            prior->MouseEnter();
        }
        return;
    }
    c.back()->MouseEnter();
}

bool TspSkinMainMenuBar::CheckReturnKey()
{
    const bool opened = MenuShown();
    for (int i = 0; i < ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = GetItem(i);
        if ((it->Down && !it->HasSubItems()) || (it->Active && !opened && !it->Down)) {
            it->Active = false;
            it->MouseDown(0, 0, mbLeft);
            return true;
        }
    }
    return false;
}

bool TspSkinMainMenuBar::FindHotKeyItem(WORD Key)
{
    for (int i = 0; i < ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = GetItem(i);
        if (!it->Enabled || !it->InMenuRect || !it->LinkedMenuItem) continue;
        if (!IsAccel(Key, it->LinkedMenuItem->GetCaption())) continue;
        const bool opened = MenuShown();
        it->MouseEnter();
        // Entering with a drop-down open already opened this item's own.
        if (!opened || !it->HasSubItems()) it->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

// ---- morphing ----

void TspSkinMainMenuBar::StartMorph()
{
    if (!FMorphTimer->GetEnabled()) FMorphTimer->SetEnabled(true);
}

bool TspSkinMainMenuBar::MorphRunning() const { return FMorphTimer->GetEnabled(); }

void TspSkinMainMenuBar::TestMorph()
{
    bool stepped = false;
    for (auto& o : FObjects)
        if (o->morphing && o->CanMorphing()) {
            o->DoMorphing();
            stepped = true;
        }
    if (!stepped) FMorphTimer->SetEnabled(false);
}

// ---- scroll marker ----

void TspSkinMainMenuBar::TrackScrollMenu()
{
    if (!FFormFrame || !FMainMenu || !FHasHiddenItems || !FScrollMenu) return;
    // The drop-down starts at the first hidden item's place in the menu (a
    // count of the shown items would be off by every invisible item before it).
    int start = -1;
    for (int i = 0; i < ItemCount() && start < 0; ++i) {
        TspSkinMainMenuBarItem* it = GetItem(i);
        if (!it->InMenuRect && it->LinkedMenuItem) start = it->LinkedMenuItem->GetMenuIndex();
    }
    if (start < 0) return;
    const bool up = PopupToUp;
    PopupToUp = false;
    PopupItem(FMainMenu->GetItems(), ObjectToScreen(GetMarkerRect()), start);
    PopupToUp = up;
}

// ---- mouse ----

void TspSkinMainMenuBar::TestActive(int X, int Y)
{
    if (FObjects.empty()) return;
    FOldActiveIndex = FActiveIndex;
    int candidate = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        TspMenuBarObject* o = FObjects[i].get();
        if (o->Visible && o->Enabled && o->ObjectRect.Contains(TPoint(X, Y))) {
            candidate = i;
            break;
        }
    }
    if (candidate == -1 && FMenuActive && AsItem(GetObject(FOldActiveIndex)))
        candidate = FOldActiveIndex;
    if (FCapturedIndex != -1 && candidate != FCapturedIndex) candidate = -1;
    if (candidate >= ObjectCount()) candidate = -1;
    FActiveIndex = candidate;
    if (FActiveIndex != FOldActiveIndex) {
        if (TspMenuBarObject* old = GetObject(FOldActiveIndex))
            if (old->Enabled) old->MouseLeave();
        if (TspMenuBarObject* now = GetObject(FActiveIndex))
            if (now->Enabled) now->MouseEnter();
    }
    if (FHasHiddenItems && FScrollMenu) {
        const bool hot = GetMarkerRect().Contains(TPoint(X, Y));
        if (hot != FMarkerHot) {
            FMarkerHot = hot;
            if (HandleAllocated() && IsWindowVisible(GetHandle())) DrawMarker(GetCanvas());
        }
    }
}

void TspSkinMainMenuBar::TestMouse()
{
    if (!HandleAllocated()) return;
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(GetHandle(), &p);
    if (p.x < 0 || p.y < 0 || p.x >= GetWidth() || p.y >= GetHeight()) {
        if (FMouseTimer->GetEnabled()) {
            FMouseTimer->SetEnabled(false);
            TestActive(-1, -1);
        }
        return;
    }
    TestActive(p.x, p.y);
}

void TspSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinControl::MouseDown(Button, Shift, X, Y);
    TestActive(X, Y);
    if (TspMenuBarObject* o = GetObject(FActiveIndex)) {
        FCapturedIndex = FActiveIndex;
        auto alive = FAlive.Watch();
        o->MouseDown(X, Y, Button);
        // A command run by the press may have rebuilt the bar (or freed it).
        if (!*alive) return;
        if ((Shift & ssDouble) && GetObject(FCapturedIndex) == o) o->DblClick();
        return;
    }
    if (FHasHiddenItems && FScrollMenu && GetMarkerRect().Contains(TPoint(X, Y))) TrackScrollMenu();
}

void TspSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (TspMenuBarObject* o = GetObject(FCapturedIndex)) {
        FCapturedIndex = -1;
        o->MouseUp(X, Y, Button);
    }
    FCapturedIndex = -1;
    TspSkinControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinControl::MouseMove(Shift, X, Y);
    if (!FMouseTimer->GetEnabled()) FMouseTimer->SetEnabled(true);
    TestActive(X, Y);
}

void TspSkinMainMenuBar::CMMouseEnter(TMessage& Message)
{
    TspSkinControl::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseTimer->SetEnabled(true);
}

void TspSkinMainMenuBar::CMMouseLeave(TMessage& Message)
{
    TspSkinControl::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FMouseTimer->SetEnabled(false);
    TestActive(-1, -1);
}

void TspSkinMainMenuBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CLOSESKINMENU) CloseSysMenu();
    if (Message.Msg == WM_SIZE) {
        TspSkinControl::WndProc(Message);
        LayoutItems();
        return;
    }
    TspSkinControl::WndProc(Message);
}
