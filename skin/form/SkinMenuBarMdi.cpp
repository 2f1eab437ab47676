// The skinned menu bar's part in multiple-document forms: the system buttons of
// a maximised MDI child, and the child's main menu.
#include "SkinMenuBar.h"
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinMenuBarButton.h"
#include "SkinMenuMode.h"
#include "SkinMenus.h"
#include <algorithm>

namespace {
TspSkinMainMenuBarButton* AsButton(TspMenuBarObject* O) { return dynamic_cast<TspSkinMainMenuBarButton*>(O); }
}  // namespace

// ---- TspSkinMainMenuBarButton ----

TspSkinMainMenuBarButton::TspSkinMainMenuBarButton(TspSkinMainMenuBar* ABar, TspDataSkinMainMenuBarButton* AData)
    : TspMenuBarObject(ABar, AData)
{
    if (!AData) return;
    HasSkin = Picture != nullptr;
    Command = AData->Command;
    downrect = AData->DownRect;
}

void TspSkinMainMenuBarButton::Draw(TCanvas* Cnvs)
{
    if (!Cnvs || ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    if (!HasSkin || !Picture) {
        DefaultDraw(Cnvs);
        return;
    }
    TRect src = skinrect;
    if (Down && Active && !downrect.IsEmpty())
        src = downrect;
    else if ((Active || Down) && !activeskinrect.IsEmpty())
        src = activeskinrect;
    Sputils::CopyPiece(Cnvs, ObjectRect, Picture, src);
}

void TspSkinMainMenuBarButton::DefaultDraw(TCanvas* Cnvs)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap img(w, h, pf24bit);
    TCanvas* c = img.GetCanvas();
    const bool pressed = Down && Active;
    if (pressed || Active) {
        c->GetBrush()->SetColor(clPlainHotFrame);
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(pressed ? clPlainDownFill : clPlainHotFill);
        c->FillRect(TRect(1, 1, w - 1, h - 1));
    } else {
        c->GetBrush()->SetColor(clPlainFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    const int x = w / 2 - 5 + (pressed ? 1 : 0), y = h / 2 - 4 + (pressed ? 1 : 0);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: Sputils::DrawCloseImage(c, x, y, color); break;
    case cmMaximize: Sputils::DrawRestoreImage(c, x, y, color); break;
    case cmMinimize: Sputils::DrawMinimizeImage(c, x, y, color); break;
    case cmSysMenu: Sputils::DrawSysMenuImage(c, x, y, color); break;
    default: break;
    }
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &img);
}

void TspSkinMainMenuBarButton::MouseEnter()
{
    if (Command == cmSysMenu && Down) {
        Hovered = Active = true;
        if (morphing) MorphKf = 0;
        return;
    }
    TspMenuBarObject::MouseEnter();
}

void TspSkinMainMenuBarButton::MouseLeave()
{
    if (Command == cmSysMenu && Down) {
        Hovered = Active = false;
        return;
    }
    TspMenuBarObject::MouseLeave();
}

void TspSkinMainMenuBarButton::MouseDown(int, int, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || Down) return;
    Down = true;
    if (morphing && !downrect.IsEmpty()) MorphKf = 1;
    if (Bar) Bar->DrawSkinObject(this);
    if (Command == cmSysMenu) DoCommand();
}

void TspSkinMainMenuBarButton::MouseUp(int, int, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || Command == cmSysMenu) return;
    Down = false;
    Redraw();
    if (Active) DoCommand();
}

void TspSkinMainMenuBarButton::DblClick()
{
    if (Command != cmSysMenu || !Bar || !Bar->GetFormFrame()) return;
    TspFormFrame* child = Formframe::GetMDIChildFormFrameComponent();
    if (!child || !child->GetOwnerForm()) return;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(Bar->GetFormFrame());
    mode->GetSkinMenu()->Hide();
    mode->SkinMenuClose();
    child->GetOwnerForm()->Close();
}

void TspSkinMainMenuBarButton::DoCommand()
{
    TspFormFrame* child = Formframe::GetMDIChildFormFrameComponent();
    if (!child) return;
    switch (Command) {
    case cmClose:
        if (child->GetOwnerForm()) child->GetOwnerForm()->Close();
        break;
    case cmMaximize: child->SetWindowState(fwsNormal); break;
    case cmMinimize: child->SetWindowState(fwsMinimized); break;
    case cmSysMenu: {
        TspFormFrame* frame = Bar ? Bar->GetFormFrame() : nullptr;
        TPopupMenu* menu = child->GetSystemMenu();
        if (!frame || !menu) return;
        Bar->Repaint();
        const TRect r = Bar->ObjectToScreen(ObjectRect);
        TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(frame);
        mode->SkinMenuOpen();
        TspSkinData* sd = frame->GetMenusSkinData() ? frame->GetMenusSkinData() : frame->GetSkinData();
        mode->GetSkinMenu()->Popup(Bar, sd, 0, r, menu->GetItems(), Bar->PopupToUp);
        break;
    }
    default: break;
    }
}

// ---- TspSkinMainMenuBar: system buttons ----

void TspSkinMainMenuBar::MDIChildMaximize()
{
    if (ChildMaximized) return;
    ChildMaximized = true;
    FActiveIndex = FOldActiveIndex = FCapturedIndex = -1;
    AddButtons();
    if (TspFormFrame* child = Formframe::GetMDIChildFormFrameComponent()) CheckButtons(child->GetBorderIcons());
    LayoutItems();
    RepaintBar();
}

void TspSkinMainMenuBar::MDIChildRestore()
{
    TspFormFrame* child = Formframe::GetMDIChildFormFrameComponent();
    if (!child) {
        if (!ChildMaximized) return;
        ChildMaximized = false;
        DeleteButtons();
        LayoutItems();
        RepaintBar();
        return;
    }
    CheckButtons(child->GetBorderIcons());
}

void TspSkinMainMenuBar::AddButtons()
{
    SystemButtonCount = 0;
    struct Plain {
        const char* Name;
        TStdCommand Command;
    };
    static const Plain plain[] = {
        {"MinButton", cmMinimize}, {"MaxButton", cmMaximize}, {"CloseButton", cmClose}, {"SysMenuButton", cmSysMenu}};
    auto* r = dynamic_cast<TspDataSkinMainMenuBar*>(CurrentRecord());
    const bool skinned = FHasSkin && Skinned() && r;
    for (int i = 0; i < 4; ++i) {
        std::unique_ptr<TspSkinMainMenuBarButton> b;
        if (skinned) {
            const std::string& name = i == 0 ? r->MinButton : i == 1 ? r->MaxButton : i == 2 ? r->CloseButton : r->SysMenuButton;
            TspDataSkinMainMenuBarButton* data = nullptr;
            if (FSD && !FSD->Empty && !name.empty()) {
                const int k = FSD->GetIndex(name);
                if (k >= 0) data = dynamic_cast<TspDataSkinMainMenuBarButton*>(FSD->ObjectList[k].get());
            }
            b = std::make_unique<TspSkinMainMenuBarButton>(this, data);
            b->IDName = name;
            // A button whose record is missing still does its own job.
            if (!data) b->Command = plain[i].Command;
        } else {
            b = std::make_unique<TspSkinMainMenuBarButton>(this, nullptr);
            b->IDName = plain[i].Name;
            b->Command = plain[i].Command;
        }
        FObjects.insert(FObjects.begin(), std::move(b));
        ++SystemButtonCount;
    }
}

void TspSkinMainMenuBar::DeleteButtons()
{
    const int n = std::min(SystemButtonCount, ObjectCount());
    FActiveIndex = FCapturedIndex = -1;
    FObjects.erase(FObjects.begin(), FObjects.begin() + n);
    SystemButtonCount = 0;
}

void TspSkinMainMenuBar::CheckButtons(unsigned BorderIcons)
{
    for (int i = 0; i < std::min(SystemButtonCount, ObjectCount()); ++i) {
        TspSkinMainMenuBarButton* b = AsButton(FObjects[i].get());
        if (!b) continue;
        b->Enabled = !((b->Command == cmMinimize && !(BorderIcons & biMinimize)) ||
                       (b->Command == cmSysMenu && !(BorderIcons & biSystemMenu)));
    }
    RepaintBar();
}

void TspSkinMainMenuBar::CloseSysMenu()
{
    for (int i = 0; i < std::min(SystemButtonCount, ObjectCount()); ++i) {
        TspSkinMainMenuBarButton* b = AsButton(FObjects[i].get());
        if (!b || b->Command != cmSysMenu || !b->Down) continue;
        b->Down = false;
        if (i != FActiveIndex) b->Active = b->Hovered = false;
        DrawSkinObject(b);
    }
}

void TspSkinMainMenuBar::PlaceSystemButtons()
{
    if (!ChildMaximized || SystemButtonCount != 4 || ObjectCount() < 4) return;
    const int areaH = FItemsArea.Height();
    auto size = [&](TspMenuBarObject* o) {
        auto* b = AsButton(o);
        if (b && b->HasSkin && !b->skinrect.IsEmpty()) return TPoint(b->skinrect.Width(), b->skinrect.Height());
        return TPoint(areaH, areaH);
    };
    // The system-menu button at the left end.
    TspMenuBarObject* sys = FObjects[0].get();
    TPoint s = size(sys);
    int top = FItemsArea.top + areaH / 2 - s.y / 2;
    sys->ObjectRect = TRect(FItemsArea.left, top, FItemsArea.left + s.x, top + s.y);
    FItemsArea.left += s.x + 2;
    // Close, restore and minimise from the right end leftwards.
    for (int i = 1; i < 4; ++i) {
        TspMenuBarObject* o = FObjects[i].get();
        s = size(o);
        top = FItemsArea.top + areaH / 2 - s.y / 2;
        o->ObjectRect = TRect(FItemsArea.right - s.x, top, FItemsArea.right, top + s.y);
        FItemsArea.right -= s.x + 2;
    }
}

TMainMenu* TspSkinMainMenuBar::GetChildMainMenu() const
{
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    TCustomForm* child = main ? main->GetActiveMDIChild() : nullptr;
    if (!child) return nullptr;
    for (int i = 0; i < child->GetComponentCount(); ++i)
        if (auto* m = dynamic_cast<TMainMenu*>(child->GetComponent(i))) return m;
    return nullptr;
}
