#include "SkinMdiTabsBar.h"
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include <algorithm>

// ---- TspMDITab ----

void TspMDITab::Draw(TCanvas* Cnvs)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0 || !Cnvs) return;
    TspSkinMDITabsBar* bar = OwnerBar;
    TBitmap b(w, h, pf24bit);
    TCanvas* c = b.GetCanvas();
    TRect text;
    const bool skinned = bar->Skinned() && bar->TabPicture;
    if (!skinned) {
        // The active child's tab shows pressed.
        c->GetBrush()->SetColor(Hovered && !Active ? clPlainHotFill : Active ? clPlainDownFill : clPlainFace);
        c->FillRect(TRect(0, 0, w, h));
        c->SetFont(bar->GetDefaultFont());
        text = TRect(2, 0, w - 2, h);
    } else {
        TRect r = bar->TabRect;
        TColor fc = bar->TabFont.Color;
        if (Hovered && !Active) {
            r = bar->MouseInTabRect;
            fc = bar->MouseInTabFontColor;
        } else if (Active) {
            r = bar->ActiveTabRect;
            fc = bar->ActiveTabFontColor;
        }
        Sputils::CreateHSkinImage(bar->TabLeftOffset, bar->TabRightOffset, &b, bar->TabPicture, r, w, h);
        c = b.GetCanvas();
        ApplySkinFontFields(c->GetFont(), bar->TabFont);
        c->GetFont()->SetCharset(bar->GetDefaultFont()->GetCharset());
        c->GetFont()->SetColor(fc);
        text = TRect(bar->TabLeftOffset, 0, w - bar->TabRightOffset, h);
    }
    std::string caption = ChildForm ? ChildForm->GetText() : std::string();
    Sputils::CorrectTextbyWidth(c, caption, text.Width());
    c->GetBrush()->SetStyle(bsClear);
    c->DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &b);
}

// ---- TspSkinMDITabsBar ----

TspSkinMDITabsBar::TspSkinMDITabsBar(TComponent* AOwner) : TspSkinControl(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    SetControlStyle(csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    FSkinDataName = "tab";
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(0);
    SetBounds(GetLeft(), GetTop(), 150, 21);
}

TspSkinMDITabsBar::~TspSkinMDITabsBar() { ClearObjects(); }

void TspSkinMDITabsBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (Value > 0 && !Skinned()) SetHeight(Value);
}

void TspSkinMDITabsBar::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TspSkinMDITabsBar::RepaintBar()
{
    if (HandleAllocated()) InvalidateRect(GetHandle(), nullptr, FALSE);
}

void TspSkinMDITabsBar::AddTab(TCustomForm* Form)
{
    if (!Form) return;
    FTabs.push_back(std::make_unique<TspMDITab>(this, Form));
    // A child freed without its frame telling the bar takes its tab along.
    Form->FreeNotification(this);
    RepaintBar();
}

void TspSkinMDITabsBar::DeleteTab(TCustomForm* Form)
{
    auto it = std::find_if(FTabs.begin(), FTabs.end(), [Form](const auto& t) { return t->ChildForm == Form; });
    if (it == FTabs.end()) return;
    FTabs.erase(it);
    if (Form && std::none_of(FTabs.begin(), FTabs.end(), [Form](const auto& t) { return t->ChildForm == Form; }))
        Form->RemoveFreeNotification(this);
    // The indices of the pointer and of a drag no longer name the same tabs.
    FActiveIndex = FOldActiveIndex = FMoveIndex = -1;
    FPressed = FDragging = false;
    FDragOffset = 0;
    RepaintBar();
}

void TspSkinMDITabsBar::SetSkinData(TspSkinData* Value)
{
    const bool dropping = !Value && GetSkinDataComponent();
    TspSkinControl::SetSkinData(Value);
    if (dropping) ChangeSkinData();
}

void TspSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    const bool skinGone = Operation == opRemove && AComponent && AComponent == GetSkinDataComponent();
    TspSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (skinGone) TabPicture = nullptr;
    for (;;) {
        auto it = std::find_if(FTabs.begin(), FTabs.end(), [AComponent](const auto& t) {
            return static_cast<TComponent*>(t->ChildForm) == AComponent;
        });
        if (it == FTabs.end()) break;
        FTabs.erase(it);
        FActiveIndex = FOldActiveIndex = FMoveIndex = -1;
        FPressed = FDragging = false;
        RepaintBar();
    }
}

void TspSkinMDITabsBar::CheckActive()
{
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    TCustomForm* active = main ? main->GetActiveMDIChild() : nullptr;
    if (!active) return;
    for (auto& t : FTabs) t->Active = t->ChildForm == active;
    RepaintBar();
}

void TspSkinMDITabsBar::ClearObjects()
{
    for (auto& t : FTabs)
        if (t->ChildForm) t->ChildForm->RemoveFreeNotification(this);
    FTabs.clear();
    FActiveIndex = FOldActiveIndex = FMoveIndex = -1;
    FPressed = FDragging = false;
}

TspMDITab* TspSkinMDITabsBar::GetTabByIndex(int Index) const
{
    return Index >= 0 && Index < TabCount() ? FTabs[Index].get() : nullptr;
}

int TspSkinMDITabsBar::GetTabIndex(int X, int Y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TRect& r = FTabs[i]->ObjectRect;
        if (X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom) return i;
    }
    return -1;
}

TspMDITab* TspSkinMDITabsBar::GetTab(int X, int Y) const { return GetTabByIndex(GetTabIndex(X, Y)); }

void TspSkinMDITabsBar::TestActive(int X, int Y)
{
    FActiveIndex = GetTabIndex(X, Y);
    if (FActiveIndex == FOldActiveIndex) return;
    TCanvas* c = HandleAllocated() ? GetCanvas() : nullptr;
    if (TspMDITab* old = GetTabByIndex(FOldActiveIndex)) {
        old->Hovered = false;
        if (c) old->Draw(c);
        if (OnTabMouseLeave) OnTabMouseLeave(old);
    }
    if (TspMDITab* now = GetTabByIndex(FActiveIndex)) {
        now->Hovered = true;
        if (c) now->Draw(c);
        if (OnTabMouseEnter) OnTabMouseEnter(now);
    }
    FOldActiveIndex = FActiveIndex;
}

void TspSkinMDITabsBar::CMMouseLeave(TMessage& Message)
{
    TspSkinControl::CMMouseLeave(Message);
    TestActive(-1, -1);
}

void TspSkinMDITabsBar::CalcObjectRects()
{
    const int n = TabCount();
    if (n == 0) return;
    const int bw = GetWidth(), bh = GetHeight();
    const int w = std::min(bw / n, DefaultTabWidth);
    for (int i = 0; i < n; ++i) FTabs[i]->ObjectRect = TRect(i * w, 0, (i + 1) * w, bh);
    if (w < DefaultTabWidth) FTabs[n - 1]->ObjectRect.right = bw;
    if (FDragging) {
        if (TspMDITab* t = GetTabByIndex(FMoveIndex)) {
            TRect& r = t->ObjectRect;
            r.Offset(FDragOffset, 0);
            if (r.right > bw) r.Offset(-(r.right - bw), 0);
            if (r.left < 0) r.Offset(-r.left, 0);
        }
    }
}

int TspSkinMDITabsBar::GetMoveIndex() const
{
    TspMDITab* dragged = GetTabByIndex(FMoveIndex);
    if (!dragged) return -1;
    const TRect& d = dragged->ObjectRect;
    int result = -1;
    if (FDragOffset > 0) {
        for (int i = FMoveIndex + 1; i < TabCount(); ++i) {
            const TRect& r = FTabs[i]->ObjectRect;
            if (r.left + r.Width() / 2 < d.right) result = i;
        }
    } else if (FDragOffset < 0) {
        for (int i = FMoveIndex - 1; i >= 0; --i) {
            const TRect& r = FTabs[i]->ObjectRect;
            if (r.left + r.Width() / 2 > d.left) result = i;
        }
    }
    return result;
}

// ---- skin ----

void TspSkinMDITabsBar::GetSkinData()
{
    TspSkinControl::GetSkinData();
    TabPicture = nullptr;
    auto* r = dynamic_cast<TspDataSkinTabControl*>(CurrentRecord());
    if (!r) {
        FIndex = -1;
        return;
    }
    TabPicture = SkinPicture(FSD, r->PictureIndex);
    const TspTabLooks& looks = r->TabLooks;
    TabRect = looks[tabNormal];
    ActiveTabRect = looks[tabActive].IsEmpty() ? looks[tabNormal] : looks[tabActive];
    MouseInTabRect = looks[tabMouseIn].IsEmpty() ? looks[tabNormal] : looks[tabMouseIn];
    BackgroundRect = r->TabsBGRect;
    TabLeftOffset = std::max(0, r->TabLeftOffset);
    TabRightOffset = std::max(0, r->TabRightOffset);
    TabFont = r->Font;
    ActiveTabFontColor = r->FocusFontColor;
    MouseInTabFontColor = r->MouseInFontColor;
    // A record whose picture or tab image is unusable leaves the bar plain.
    if (!TabPicture || ClipToPicture(TabRect, TabPicture).IsEmpty()) {
        FIndex = -1;
        TabPicture = nullptr;
    }
}

void TspSkinMDITabsBar::ChangeSkinData()
{
    TspSkinControl::ChangeSkinData();
    if (!Skinned()) {
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else if (TabRect.Height() > 0) {
        SetHeight(TabRect.Height());
    }
    RepaintBar();
}

// ---- painting ----

void TspSkinMDITabsBar::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, B->GetWidth(), B->GetHeight()));
    PaintTabs(B);
}

void TspSkinMDITabsBar::CreateControlSkinImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    const int w = B->GetWidth(), h = B->GetHeight();
    const TRect bg = TabPicture ? ClipToPicture(BackgroundRect, TabPicture) : TRect();
    if (bg.IsEmpty()) {
        // No usable background tile: the plain face rather than a tiling by zero.
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, w, h));
    } else {
        for (int y = 0; y < h; y += bg.Height())
            for (int x = 0; x < w; x += bg.Width()) {
                const int pw = std::min(static_cast<int>(bg.Width()), w - x);
                const int ph = std::min(static_cast<int>(bg.Height()), h - y);
                Sputils::CopyPiece(c, TRect(x, y, x + pw, y + ph), TabPicture,
                                   TRect(bg.left, bg.top, bg.left + pw, bg.top + ph));
            }
    }
    PaintTabs(B);
}

void TspSkinMDITabsBar::PaintTabs(TBitmap* B)
{
    if (FTabs.empty()) return;
    CalcObjectRects();
    TCanvas* c = B->GetCanvas();
    for (int i = 0; i < TabCount(); ++i)
        if (!(FDragging && i == FMoveIndex)) FTabs[i]->Draw(c);
    if (!FDragging) return;
    if (TspMDITab* d = GetTabByIndex(FMoveIndex)) d->Draw(c);
    const int target = GetMoveIndex();
    if (TspMDITab* t = GetTabByIndex(target)) DrawMoveMark(c, FDragOffset < 1 ? t->ObjectRect.left : t->ObjectRect.right);
}

void TspSkinMDITabsBar::DrawMoveMark(TCanvas* C, int X)
{
    const int hgt = GetHeight(), h = hgt / 2;
    C->GetPen()->SetMode(pmNot);
    for (int dx = -1; dx <= 1; ++dx) {
        C->MoveTo(X + dx, 0);
        C->LineTo(X + dx, hgt);
    }
    const TPoint right[] = {TPoint(X + 2, h), TPoint(X + 5, h - 3), TPoint(X + 5, h + 3), TPoint(X + 2, h)};
    const TPoint left[] = {TPoint(X - 2, h), TPoint(X - 5, h - 3), TPoint(X - 5, h + 3), TPoint(X - 2, h)};
    C->Polygon(right, 4);
    C->Polygon(left, 4);
    C->GetPen()->SetMode(pmCopy);
}

// ---- mouse ----

void TspSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    CalcObjectRects();
    const int index = GetTabIndex(X, Y);
    TspMDITab* tab = GetTabByIndex(index);
    if (!tab || !tab->ChildForm) return;
    TCustomForm* child = tab->ChildForm;
    child->Show();
    if (TspFormFrame* f = Formframe::GetFormFrameComponent(child))
        if (f->GetWindowState() == fwsMinimized) f->SetWindowState(fwsNormal);
    // Showing the child may have changed the tabs (the frame keeps them in step).
    if (GetTabByIndex(index) != tab) return;
    FPressed = true;
    FMoveIndex = MoveTabs ? index : -1;
    FDragStartX = X;
    FDragOffset = 0;
    if (OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
}

void TspSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinControl::MouseMove(Shift, X, Y);
    if (FPressed && FMoveIndex != -1 && !FDragging && X != FDragStartX) FDragging = true;
    if (FDragging) {
        FDragOffset = X - FDragStartX;
        RepaintBar();
    } else {
        CalcObjectRects();
        TestActive(X, Y);
    }
}

void TspSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinControl::MouseUp(Button, Shift, X, Y);
    FPressed = false;
    if (FDragging) {
        CalcObjectRects();
        const int target = GetMoveIndex();
        FDragging = false;
        if (target != -1 && target != FMoveIndex && FMoveIndex >= 0 && FMoveIndex < TabCount()) {
            std::unique_ptr<TspMDITab> moved = std::move(FTabs[FMoveIndex]);
            FTabs.erase(FTabs.begin() + FMoveIndex);
            FTabs.insert(FTabs.begin() + target, std::move(moved));
        }
        FMoveIndex = -1;
        FDragStartX = FDragOffset = 0;
        RepaintBar();
        return;
    }
    FMoveIndex = -1;
    CalcObjectRects();
    if (TspMDITab* tab = GetTab(X, Y))
        if (OnTabMouseUp) OnTabMouseUp(Button, Shift, tab);
}
