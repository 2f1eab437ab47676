// The frame's part in multiple-document forms. On the MDI main form it paints
// the MDI client window from the skin (by subclassing it), keeps a maximised
// child filling the MDI work area, arranges the children and keeps the window
// menu and the tabs bar in step; on an MDI child it keeps the window states
// inside the MDI client and tells the main form's frame what changed.
#include "FormFrame.h"
#include "Application.h"
#include "Screen.h"
#include "SkinMdiTabsBar.h"
#include "SkinMenuBar.h"
#include <algorithm>
#include <cmath>

namespace {
const std::string ChildItemSuffix = "_DSFCHILDITEM";
const char* const HookFrameProp = "spMDIClientFrame";
const char* const HookOldProcProp = "spMDIClientOldProc";

LRESULT CALLBACK MDIClientHookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* frame = static_cast<TspFormFrame*>(GetPropA(Wnd, HookFrameProp));
    auto old = reinterpret_cast<WNDPROC>(GetPropA(Wnd, HookOldProcProp));
    if (!frame) return old ? CallWindowProcA(old, Wnd, Msg, WParam, LParam) : DefWindowProcA(Wnd, Msg, WParam, LParam);
    try {
        return frame->FormClientWindowProcHook(Wnd, Msg, WParam, LParam);
    } catch (...) {
        if (Application) Application->HandleException(frame);
        return 0;
    }
}

TCustomForm* MainForm() { return Application ? Application->GetMainForm() : nullptr; }

std::vector<TCustomForm*> MDIChildren(TCustomForm* Main)
{
    std::vector<TCustomForm*> v;
    if (!Main || Main->GetFormStyle() != fsMDIForm) return v;
    for (int i = 0; i < Main->GetMDIChildCount(); ++i) v.push_back(Main->GetMDIChildren(i));
    return v;
}

// The child name an item of the window menu stands for; false for other items.
bool ChildNameOfItem(TMenuItem* Item, std::string& Name)
{
    const std::string& n = Item->GetName();
    const size_t p = n.find(ChildItemSuffix);
    if (p == std::string::npos) return false;
    Name = n;
    Name.erase(p, ChildItemSuffix.size());
    return true;
}

TMenuItem* FindChildItem(TMenuItem* WindowMenu, TCustomForm* Form)
{
    if (!WindowMenu || !Form) return nullptr;
    std::string name;
    for (int i = 0; i < WindowMenu->GetCount(); ++i)
        if (ChildNameOfItem(WindowMenu->GetItem(i), name) && name == Form->GetName()) return WindowMenu->GetItem(i);
    return nullptr;
}

TspMDITab* FindTab(TspSkinMDITabsBar* Bar, TCustomForm* Form)
{
    for (int i = 0; Bar && i < Bar->TabCount(); ++i)
        if (Bar->GetTabByIndex(i)->ChildForm == Form) return Bar->GetTabByIndex(i);
    return nullptr;
}
}  // namespace

namespace Formframe {

TspFormFrame* GetMDIChildFormFrameComponent()
{
    // A hidden child shows nothing, maximised or not.
    for (TCustomForm* f : MDIChildren(MainForm()))
        if (TspFormFrame* ff = GetFormFrameComponent(f))
            if (f->GetVisible() && ff->GetWindowState() == fwsMaximized) return ff;
    return nullptr;
}

TspFormFrame* GetMDIChildFormFrameComponent2()
{
    TCustomForm* main = MainForm();
    TCustomForm* active = main ? main->GetActiveMDIChild() : nullptr;
    return active ? GetFormFrameComponent(active) : nullptr;
}

std::vector<TRect> TileRects(int Count, int W, int H)
{
    std::vector<TRect> rects(Count > 0 ? Count : 0);
    const int c = static_cast<int>(std::lround(std::sqrt(static_cast<double>(Count))));
    if (Count <= 0 || c <= 0) return rects;
    int rows = Count / c;
    if (c * rows < Count) ++rows;
    const int colW = W / c;
    int rowH = std::max(1, H / rows);
    int x = W, y = H, columnsLeft = c;
    for (int i = Count - 1; i >= 0; --i) {
        rects[i] = TRect(std::max(0, x - colW), std::max(0, y - rowH), std::max(0, x - colW) + colW,
                         std::max(0, y - rowH) + rowH);
        y -= rowH;
        if (i > 0 && y - rowH < 0) {
            // This column is full: the rest share the columns to the left.
            x -= colW;
            y = H;
            columnsLeft = std::max(1, columnsLeft - 1);
            const int rest = i;
            rowH = std::max(1, H / std::max(1, (rest + columnsLeft - 1) / columnsLeft));
        }
    }
    return rects;
}

std::vector<TRect> CascadeRects(int Count, int W, int H, int Step, int MinW, int MinH)
{
    std::vector<TRect> rects(Count > 0 ? Count : 0);
    if (Count <= 0 || Step <= 0) return rects;
    const int k = (W - static_cast<int>(std::lround(W * 0.8))) / Step;
    const int steps = Count < k ? Count - 1 : k;
    const int w = std::max(W - Step * steps, MinW), h = std::max(H - Step * steps, MinH);
    int o = 0;
    for (int i = Count - 1; i >= 0; --i) {
        if (o > 0 && (o + w > W || o + h > H)) o = 0;
        rects[i] = TRect(o, o, o + w, o + h);
        o += Step;
    }
    return rects;
}

}  // namespace Formframe

// ---- roles ----

bool TspFormFrame::IsMDIChildFrame() const { return OwnerForm && OwnerForm->GetFormStyle() == fsMDIChild; }

bool TspFormFrame::IsMDIMainFrame() const { return OwnerForm && OwnerForm->GetFormStyle() == fsMDIForm; }

TspFormFrame* TspFormFrame::MDIMainFrame() const
{
    TCustomForm* main = MainForm();
    return main && main != OwnerForm ? Formframe::GetFormFrameComponent(main) : nullptr;
}

bool TspFormFrame::GetMDIChildActive() const
{
    TCustomForm* main = MainForm();
    return IsMDIChildFrame() && main && main->GetActiveMDIChild() == OwnerForm;
}

void TspFormFrame::SetMDITabsBar(TspSkinMDITabsBar* Value)
{
    FMDITabsBar.Set(Value);
}

void TspFormFrame::MDIForgetComponent(TComponent* AComponent)
{
    FMDITabsBar.Removed(AComponent, opRemove);
}

// ---- the MDI client window ----

void TspFormFrame::HookMDIClient()
{
    if (FMDIClient || !IsMDIMainFrame()) return;
    HWND client = OwnerForm->GetClientHandle();
    if (!client) return;
    OldMDIClientProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(client, GWLP_WNDPROC));
    SetPropA(client, HookOldProcProp, reinterpret_cast<HANDLE>(OldMDIClientProc));
    SetPropA(client, HookFrameProp, this);
    SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MDIClientHookProc));
    FMDIClient = client;
    // The client loses its border at once, and the form its size messages follow.
    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpDateForm();
}

void TspFormFrame::UnhookMDIClient()
{
    HWND client = FMDIClient;
    FMDIClient = nullptr;
    if (!client || !IsWindow(client)) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(client, GWLP_WNDPROC)) == &MDIClientHookProc)
        SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldMDIClientProc));
    // A procedure subclassed over ours keeps reaching the old one through the property.
    RemovePropA(client, HookFrameProp);
}

LRESULT TspFormFrame::FormClientWindowProcHook(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_SIZE: {
        const LRESULT r = CallWindowProcA(OldMDIClientProc, Wnd, Msg, WParam, LParam);
        ResizeMDIChilds();
        if (!FLogoBitMap->Empty() && OwnerForm) {
            const TRect c = OwnerForm->GetClientRect();
            RECT rr = {0, 0, c.Width(), c.Height()};
            RedrawWindow(Wnd, &rr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        }
        return r;
    }
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return 0;
    case WM_ERASEBKGND:
        PaintMDIBG(reinterpret_cast<HDC>(WParam));
        return 1;
    case WM_NCACTIVATE: return 1;
    default: return CallWindowProcA(OldMDIClientProc, Wnd, Msg, WParam, LParam);
    }
}

void TspFormFrame::PaintMDIBG(HDC DC)
{
    if (!DC || !OwnerForm) return;
    const bool skin = FSkinLoaded && FSkinData && !FSkinData->Empty;
    if (!skin) {
        RECT r;
        GetClientRect(FMDIClient, &r);
        HBRUSH b = GetSysColorBrush(COLOR_APPWORKSPACE);
        FillRect(DC, &r, b);
        return;
    }
    const int mi = FSkinData->MDIBGPictureIndex;
    if (mi != -1) {
        if (mi >= 0 && mi < static_cast<int>(FSkinData->ActivePictures.size()) && FSkinData->ActivePictures[mi] &&
            !FSkinData->ActivePictures[mi]->Empty()) {
            TBitmap* tile = FSkinData->ActivePictures[mi].get();
            RECT r;
            GetClientRect(FMDIClient, &r);
            TBorrowedCanvas c(DC);
            for (int y = 0; y < r.bottom; y += tile->GetHeight())
                for (int x = 0; x < r.right; x += tile->GetWidth()) c->Draw(x, y, tile);
            return;
        }
        PaintBG(DC);
        return;
    }
    if (FSkinData->BGPictureIndex == -1)
        PaintBG(DC);
    else
        PaintBG2(DC);
}

// ---- main form: arrangement ----

void TspFormFrame::GetMDIWorkArea(TRect& R) const
{
    TCustomForm* main = MainForm();
    if (!main) return;
    R = main->GetMDIClientRect();
}

void TspFormFrame::ResizeMDIChilds()
{
    for (TCustomForm* f : MDIChildren(MainForm()))
        if (f->HandleAllocated()) SendMessageA(f->GetWindowHandle(), WM_MDICHILDRESIZE, 0, 0);
    ArangeMinimizedChilds();
}

void TspFormFrame::ArangeMinimizedChilds()
{
    for (TCustomForm* f : MDIChildren(MainForm())) {
        TspFormFrame* ff = Formframe::GetFormFrameComponent(f);
        if (!ff || ff->GetWindowState() != fwsMinimized) continue;
        const TPoint p = ff->GetMDIMinimizeCoord();
        f->SetBounds(p.x, p.y, ff->GetMinWidth(), ff->GetMinHeight());
    }
}

TCustomForm* TspFormFrame::GetMaximizeMDIChild() const
{
    TCustomForm* main = MainForm();
    if (!main || main->GetFormStyle() != fsMDIForm) return nullptr;
    if (TCustomForm* a = main->GetActiveMDIChild()) {
        TspFormFrame* ff = Formframe::GetFormFrameComponent(a);
        if (ff && a->GetVisible() && ff->GetWindowState() == fwsMaximized) return a;
    }
    for (TCustomForm* f : MDIChildren(main)) {
        TspFormFrame* ff = Formframe::GetFormFrameComponent(f);
        if (ff && f->GetVisible() && ff->GetWindowState() == fwsMaximized) return f;
    }
    return nullptr;
}

void TspFormFrame::Tile()
{
    if (!IsMDIMainFrame()) return;
    RestoreAll();
    const std::vector<TCustomForm*> kids = MDIChildren(OwnerForm);
    TRect area = OwnerForm->GetMDIClientRect();
    GetMDIWorkArea(area);
    const std::vector<TRect> r = Formframe::TileRects(static_cast<int>(kids.size()), area.Width(), area.Height());
    for (size_t i = 0; i < kids.size(); ++i) kids[i]->SetBounds(r[i].left, r[i].top, r[i].Width(), r[i].Height());
}

void TspFormFrame::Cascade()
{
    if (!IsMDIMainFrame()) return;
    RestoreAll();
    const std::vector<TCustomForm*> kids = MDIChildren(OwnerForm);
    TRect area = OwnerForm->GetMDIClientRect();
    GetMDIWorkArea(area);
    // A skin whose client area starts at the top has no caption height to
    // step by; the default caption's keeps the cascade going.
    int step = FSkinLoaded && FSkinData && !FSkinData->Empty ? static_cast<int>(FrameClientRect.top) : 0;
    if (step <= 0) step = GetDefCaptionHeight() + 3;
    const std::vector<TRect> r =
        Formframe::CascadeRects(static_cast<int>(kids.size()), area.Width(), area.Height(), step, GetMinWidth(), GetMinHeight());
    for (size_t i = 0; i < kids.size(); ++i) {
        if (kids[i]->GetBorderStyle() == bsSingle)
            kids[i]->SetBounds(r[i].left, r[i].top, kids[i]->GetWidth(), kids[i]->GetHeight());
        else
            kids[i]->SetBounds(r[i].left, r[i].top, r[i].Width(), r[i].Height());
    }
}

void TspFormFrame::MinimizeAll()
{
    if (!IsMDIMainFrame()) return;
    for (TCustomForm* f : MDIChildren(OwnerForm))
        if (TspFormFrame* ff = Formframe::GetFormFrameComponent(f)) ff->SetWindowState(fwsMinimized);
}

void TspFormFrame::MaximizeAll()
{
    if (!IsMDIMainFrame()) return;
    for (TCustomForm* f : MDIChildren(OwnerForm))
        if (TspFormFrame* ff = Formframe::GetFormFrameComponent(f)) ff->SetWindowState(fwsMaximized);
}

void TspFormFrame::RestoreAll()
{
    if (!IsMDIMainFrame()) return;
    for (TCustomForm* f : MDIChildren(OwnerForm)) {
        TspFormFrame* ff = Formframe::GetFormFrameComponent(f);
        if (!ff) continue;
        if (ff->GetWindowState() != fwsNormal) ff->SetWindowState(fwsNormal);
        if (ff->GetWindowState() == fwsNormal && ff->GetRolledUp()) ff->SetRollUpState(false);
    }
}

void TspFormFrame::CloseAll()
{
    if (!IsMDIMainFrame()) return;
    const std::vector<TCustomForm*> kids = MDIChildren(OwnerForm);
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) (*it)->Close();
}

// ---- child: window states ----

TPoint TspFormFrame::GetMDIMinimizeCoord() const
{
    HWND client = OwnerForm && OwnerForm->HandleAllocated() ? ::GetParent(OwnerForm->GetWindowHandle()) : nullptr;
    RECT cr = {0, 0, 0, 0};
    if (client) GetClientRect(client, &cr);
    const int w = GetMinWidth(), h = GetMinHeight();
    int x = 0, y = cr.bottom - h;
    if (w <= 0 || h <= 0) return TPoint(x, y);
    for (;;) {
        bool taken = false;
        for (TCustomForm* f : MDIChildren(MainForm())) {
            if (f == OwnerForm || !f->GetVisible()) continue;
            TspFormFrame* ff = Formframe::GetFormFrameComponent(f);
            if (ff && ff->GetWindowState() == fwsMinimized && f->GetLeft() == x && f->GetTop() == y) taken = true;
        }
        if (!taken) return TPoint(x, y);
        x += w;
        if (x + w > cr.right) {
            x = 0;
            y -= h;
            if (y < 0) return TPoint(0, cr.bottom - h);
        }
    }
}

void TspFormFrame::MDIChildMaximize()
{
    if (!OwnerForm || !OwnerForm->HandleAllocated()) return;
    HWND wnd = OwnerForm->GetWindowHandle();
    HWND client = ::GetParent(wnd);
    if (!client) return;
    RECT area, wr, cr;
    GetClientRect(client, &area);
    GetWindowRect(wnd, &wr);
    GetClientRect(wnd, &cr);
    POINT o = {0, 0};
    ClientToScreen(wnd, &o);
    // The frame goes beyond the client window's edges: the child's client
    // area is what fills the MDI work area.
    const int l = o.x - wr.left, t = o.y - wr.top;
    const int r = wr.right - (o.x + cr.right), b = wr.bottom - (o.y + cr.bottom);
    OwnerForm->SetBounds(-l, -t, area.right + l + r, area.bottom + t + b);
}

bool TspFormFrame::MDIChildSetWindowState(int Value)
{
    if (!IsMDIChildFrame() || !OwnerForm->HandleAllocated()) return false;
    HWND main = MainForm() && MainForm()->HandleAllocated() ? MainForm()->GetWindowHandle() : nullptr;
    switch (Value) {
    case fwsMaximized:
        if (FNormalBounds.Width() <= 0 && FNormalBounds.Height() <= 0) FNormalBounds = OwnerForm->GetBoundsRect();
        MDIChildMaximize();
        OwnerForm->Show();
        if (main) SendMessageA(main, WM_MDICHILDMAX, 0, 0);
        break;
    case fwsMinimized: {
        if (FNormalBounds.Width() <= 0 && FNormalBounds.Height() <= 0) FNormalBounds = OwnerForm->GetBoundsRect();
        const TPoint p = GetMDIMinimizeCoord();
        OwnerForm->SetBounds(p.x, p.y, GetMinWidth(), GetMinHeight());
        if (main) SendMessageA(main, WM_MDICHILDRESTORE, 0, 0);
        break;
    }
    default:
        DoNormal();
        if (main) SendMessageA(main, WM_MDICHILDRESTORE, 0, 0);
        break;
    }
    return true;
}

std::string TspFormFrame::MDICaptionSuffix() const
{
    if (!FMDIChildMaximized || !IsMDIMainFrame()) return std::string();
    TCustomForm* child = GetMaximizeMDIChild();
    return child ? " - [" + child->GetText() + "]" : std::string();
}

// ---- window procedure parts ----

bool TspFormFrame::MDIMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MDICHILDMAX:
        if (!IsMDIMainFrame()) return true;
        FMDIChildMaximized = true;
        SendNCPaint();
        if (FMainMenuBar) FMainMenuBar->MDIChildMaximize();
        return false;
    case WM_MDICHILDRESTORE:
        if (!IsMDIMainFrame()) return true;
        if (!GetMaximizeMDIChild() && FMDIChildMaximized) {
            FMDIChildMaximized = false;
            SendNCPaint();
        }
        if (FMainMenuBar) FMainMenuBar->MDIChildRestore();
        return false;
    case WM_MDICHILDRESIZE:
        if (!IsMDIChildFrame()) return true;
        if (FWindowState == fwsMaximized) MDIChildMaximize();
        return false;
    case WM_MOUSEACTIVATE:
        // A click into the active child whose activation the system did not
        // announce (its frame still shows it inactive).
        if (GetMDIChildActive() && !FMDIChildActive) {
            FMDIChildActive = true;
            FormChangeActive(FWindowState != fwsMaximized);
        }
        return true;
    case WM_AFTERCHANGESKINDATA:
        // Only a change of this frame's own skin changes the children's room.
        if (IsMDIMainFrame() && FMDIClient && reinterpret_cast<TspSkinData*>(Message.WParam) == FSkinData)
            ResizeMDIChilds();
        return true;
    default: return true;
    }
}

void TspFormFrame::MDIAfterMessage(TMessage& Message)
{
    if (!OwnerForm) return;
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        if (IsMDIMainFrame() && Message.WParam) HookMDIClient();
        if (!IsMDIChildFrame()) break;
        if (Message.WParam) {
            AddChildToMenu(OwnerForm);
            AddChildToBar(OwnerForm);
        } else {
            DeleteChildFromMenu(OwnerForm);
            DeleteChildFromBar(OwnerForm);
            // A maximised child that hides takes its buttons and caption along.
            if (FWindowState == fwsMaximized)
                if (TCustomForm* main = MainForm())
                    if (main->HandleAllocated()) SendMessageA(main->GetWindowHandle(), WM_MDICHILDRESTORE, 0, 0);
        }
        break;
    case WM_DESTROY:
        if (IsMDIMainFrame()) FMDIClient = nullptr;
        if (!IsMDIChildFrame()) break;
        DeleteChildFromMenu(OwnerForm);
        DeleteChildFromBar(OwnerForm);
        // The child goes, in whatever state: the main form checks whether a
        // maximised child is left, and its menu bar and tabs follow.
        FWindowState = fwsNormal;
        if (TCustomForm* main = MainForm())
            if (main->HandleAllocated()) SendMessageA(main->GetWindowHandle(), WM_MDICHILDRESTORE, 0, 0);
        CheckMDIMainMenu();
        CheckMDIBar();
        break;
    case WM_SETTEXT:
        if (!IsMDIChildFrame()) break;
        UpDateChildCaptionInMenu(OwnerForm);
        RefreshMDIBarTab(OwnerForm);
        if (FWindowState == fwsMaximized)
            if (TspFormFrame* mf = MDIMainFrame()) mf->SendNCPaint();
        break;
    case WM_NCACTIVATE:
        if (FWindowState == fwsMaximized && IsMDIChildFrame())
            if (TspFormFrame* mf = MDIMainFrame()) mf->SendNCPaint();
        [[fallthrough]];
    case WM_MDIACTIVATE:
        if (!IsMDIChildFrame()) break;
        UpDateChildActiveInMenu();
        CheckMDIBar();
        CheckMDIMainMenu();
        break;
    default: break;
    }
}

// ---- window menu ----

void TspFormFrame::AddChildToMenu(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    TMenuItem* wm = mf && MainForm() ? MainForm()->GetWindowMenu() : nullptr;
    if (!wm || !Form || FindChildItem(wm, Form)) return;
    auto* item = new TMenuItem(this);
    item->SetName(Form->GetName() + ChildItemSuffix);
    item->SetCaption(Form->GetText());
    item->OnClick = [this](TObject* Sender) { MDIItemClick(Sender); };
    wm->Add(item);
}

void TspFormFrame::DeleteChildFromMenu(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    TMenuItem* wm = mf && MainForm() ? MainForm()->GetWindowMenu() : nullptr;
    if (!wm) return;
    if (TMenuItem* item = FindChildItem(wm, Form)) {
        wm->Remove(item);
        delete item;
    }
    // With no other child shown, no child item may stay behind.
    bool othersShown = false;
    for (TCustomForm* f : MDIChildren(MainForm()))
        if (f != Form && f->GetVisible()) othersShown = true;
    if (othersShown) return;
    std::string name;
    for (int i = wm->GetCount() - 1; i >= 0; --i) {
        TMenuItem* item = wm->GetItem(i);
        if (!ChildNameOfItem(item, name)) continue;
        wm->Remove(item);
        delete item;
    }
}

void TspFormFrame::UpDateChildCaptionInMenu(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    TMenuItem* wm = mf && MainForm() ? MainForm()->GetWindowMenu() : nullptr;
    if (TMenuItem* item = FindChildItem(wm, Form)) item->SetCaption(Form->GetText());
}

void TspFormFrame::UpDateChildActiveInMenu()
{
    TspFormFrame* mf = MDIMainFrame();
    TMenuItem* wm = mf && MainForm() ? MainForm()->GetWindowMenu() : nullptr;
    if (!wm) return;
    TCustomForm* active = MainForm()->GetActiveMDIChild();
    std::string name;
    for (int i = 0; i < wm->GetCount(); ++i)
        if (ChildNameOfItem(wm->GetItem(i), name)) wm->GetItem(i)->SetChecked(active && name == active->GetName());
}

void TspFormFrame::MDIItemClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    std::string name;
    if (!item || !ChildNameOfItem(item, name)) return;
    for (TCustomForm* f : MDIChildren(MainForm())) {
        if (f->GetName() != name) continue;
        if (TspFormFrame* ff = Formframe::GetFormFrameComponent(f))
            if (ff->GetWindowState() == fwsMinimized) ff->SetWindowState(fwsNormal);
        f->Show();
    }
}

// ---- tabs bar and menu bar ----

void TspFormFrame::AddChildToBar(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    if (!mf || !mf->FMDITabsBar || FindTab(mf->FMDITabsBar, Form)) return;
    mf->FMDITabsBar->AddTab(Form);
}

void TspFormFrame::DeleteChildFromBar(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    if (mf && mf->FMDITabsBar) mf->FMDITabsBar->DeleteTab(Form);
}

void TspFormFrame::RefreshMDIBarTab(TCustomForm* Form)
{
    TspFormFrame* mf = MDIMainFrame();
    TspSkinMDITabsBar* bar = mf ? mf->FMDITabsBar.Get() : nullptr;
    TspMDITab* tab = FindTab(bar, Form);
    if (!tab || !bar->HandleAllocated()) return;
    bar->CalcObjectRects();
    tab->Draw(bar->GetCanvas());
}

void TspFormFrame::CheckMDIBar()
{
    TspFormFrame* mf = MDIMainFrame();
    if (mf && mf->FMDITabsBar) mf->FMDITabsBar->CheckActive();
}

void TspFormFrame::CheckMDIMainMenu()
{
    TspFormFrame* mf = MDIMainFrame();
    TspSkinMainMenuBar* bar = mf ? mf->FMainMenuBar : nullptr;
    // A bar showing the menu of a child that is no longer active drops it too.
    if (bar && (bar->GetChildMainMenu() || bar->ChildMaximized || bar->ChildMenuMerged)) bar->UpDateItems();
}
