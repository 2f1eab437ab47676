// TspFormFrame and its live objects: creating them from the skin (or the
// default caption buttons), deciding which caption buttons show, laying them
// out, finding the one under the pointer and passing it the mouse.
#include "FormFrame.h"
#include "SkinHint.h"
#include "SkinDrawHelpers.h"

#include "FrameObjects.h"

using Sputils::IsNullRect;

namespace {

bool PtIn(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

TspSkinStdButtonObject* AsStdButton(TspActiveSkinObject* O) { return dynamic_cast<TspSkinStdButtonObject*>(O); }
TspSkinAnimateObject* AsAnimate(TspActiveSkinObject* O) { return dynamic_cast<TspSkinAnimateObject*>(O); }
TspSkinCaptionObject* AsCaption(TspActiveSkinObject* O) { return dynamic_cast<TspSkinCaptionObject*>(O); }

// The command of a caption button or button-style animation; false for other objects.
bool CommandOf(TspActiveSkinObject* O, TStdCommand& Command)
{
    if (auto* b = AsStdButton(O)) {
        Command = b->Command;
        return true;
    }
    if (auto* a = AsAnimate(O)) {
        Command = a->Command;
        return true;
    }
    return false;
}

}  // namespace

void TspActiveSkinObjectDeleter::operator()(TspActiveSkinObject* AObject) const { delete AObject; }

bool TspFormFrame::ObjectTested(TspActiveSkinObject* O) const { return O && CanObjectTest(O->rollup); }

void TspFormFrame::DrawObject(TspActiveSkinObject* O, TCanvas* Canvas, bool Forced) { O->Draw(Canvas, Forced); }

bool TspFormFrame::IsCaptionObject(int Index) const { return AsCaption(GetObject(Index)) != nullptr; }

bool TspFormFrame::OverCaption(TPoint P) const
{
    for (const auto& o : FObjectList)
        if (AsCaption(o.get()) && CanObjectTest(o->rollup) && PtIn(o->ObjectRect, P.x, P.y)) return true;
    return false;
}

TspActiveSkinObject* TspFormFrame::GetObject(int Index) const
{
    return Index >= 0 && Index < ObjectCount() ? FObjectList[Index].get() : nullptr;
}

TRect TspFormFrame::GetObjectRect(int Index) const
{
    const TspActiveSkinObject* o = GetObject(Index);
    return o ? o->ObjectRect : TRect();
}

int TspFormFrame::GetIndex(const std::string& IDName) const
{
    for (int i = 0; i < ObjectCount(); ++i)
        if (FObjectList[i]->IDName == IDName) return i;
    return -1;
}

void TspFormFrame::ClearObjects()
{
    // The keyboard mode ends with its items (it would hold the keys for nothing).
    if (FMainMenuActive && MainMenuItemCount() > 0) SkinMainMenuClose();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FPressClosedItem = nullptr;
    FObjectList.clear();
    FAreaLinks.clear();
}

void TspFormFrame::LoadObjects()
{
    ClearObjects();
    if (!FSkinData) return;
    for (auto& r : FSkinData->ObjectList)
        if (TspActiveSkinObject* o = Formframe::CreateSkinObject(this, r.get())) FObjectList.emplace_back(o);
    CreateMainMenu();
}

void TspFormFrame::LoadDefObjects()
{
    ClearObjects();
    static const struct {
        const char* Name;
        TStdCommand Command;
    } buttons[] = {{"closebutton", cmClose},   {"maxbutton", cmMaximize},    {"minbutton", cmMinimize},
                   {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
    for (const auto& b : buttons)
        if (TspActiveSkinObject* o = Formframe::CreateDefaultCaptionButton(this, b.Name, b.Command))
            FObjectList.emplace_back(o);
    CheckObjects();
}

bool TspFormFrame::CommandOffered(TStdCommand Command) const
{
    switch (Command) {
    case cmMinimizeToTray: return (FBorderIcons & biMinimizeToTray) != 0;
    case cmRollUp: return (FBorderIcons & biRollUp) != 0;
    case cmMaximize: return (FBorderIcons & biMaximize) != 0;
    case cmMinimize: return (FBorderIcons & biMinimize) != 0;
    case cmSysMenu: return (FBorderIcons & biSystemMenu) != 0;
    default: return true;
    }
}

void TspFormFrame::CheckObjects()
{
    auto hide = [](TspActiveSkinObject* o) {
        o->Enabled = false;
        o->Visible = !o->skinrectinapicture;
    };
    auto show = [](TspActiveSkinObject* o) {
        o->Enabled = !o->DisabledByName;
        o->Visible = true;
    };
    if (HideCaptionButtons) {
        for (auto& o : FObjectList)
            if (AsStdButton(o.get()) || AsAnimate(o.get())) hide(o.get());
    } else {
        for (auto& p : FObjectList) {
            TspActiveSkinObject* o = p.get();
            if (auto* a = AsAnimate(o)) {
                if (a->ButtonStyle && a->Command != cmDefault) {
                    if (CommandOffered(a->Command)) show(o); else hide(o);
                }
            } else if (auto* b = AsStdButton(o)) {
                if (b->Command == cmDefault) {
                    bool visible = false;
                    if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
                    o->Visible = visible;
                } else if (CommandOffered(b->Command)) {
                    show(o);
                } else {
                    hide(o);
                }
            } else if (auto* c = AsCaption(o)) {
                if (c->DefaultCaption) c->SimpleSetTextValue(GetCaptionText());
            }
        }
    }
    bool anyDefault = false;
    for (auto& o : FObjectList)
        if (auto* c = AsCaption(o.get()))
            if (c->DefaultCaption) anyDefault = true;
    if (!anyDefault)
        for (auto& o : FObjectList)
            if (auto* c = AsCaption(o.get())) {
                c->DefaultCaption = true;
                c->SimpleSetTextValue(GetCaptionText());
                break;
            }
}

bool TspFormFrame::CanObjectTest(bool RollUp) const
{
    return FSupportNCArea ? !RollUp : RollUp == FRolledUp;
}

void TspFormFrame::SetDefaultCaptionText(const std::string& Text)
{
    if (!FSkinLoaded) return;
    for (auto& o : FObjectList)
        if (auto* c = AsCaption(o.get()))
            if (c->DefaultCaption) c->SimpleSetTextValue(Text);
}

void TspFormFrame::SetEnabled(const std::string& IDName, bool Value)
{
    if (TspActiveSkinObject* o = GetObject(GetIndex(IDName))) {
        o->Enabled = Value;
        o->DisabledByName = !Value;
    }
}

void TspFormFrame::UserObjectDraw(const std::string& IDName)
{
    if (auto* u = dynamic_cast<TspUserObject*>(GetObject(GetIndex(IDName)))) DrawSkinObject(u);
}

// ---- layout ----

void TspFormFrame::CalcAllRealObjectRect()
{
    for (auto& o : FObjectList) CalcRealObjectRect(o->skinrect, o->ObjectRect);
    // The main-menu items follow one another in the main-menu area instead.
    LayoutMainMenuItems();
    TRect row;
    bool fromCaption = false;
    if (!IsNullRect(FrameButtonsRect))
        row = FrameButtonsRect;
    else if (!IsNullRect(FrameCaptionRect)) {
        row = FrameCaptionRect;
        fromCaption = true;
    } else
        return;
    const int top = row.top;
    int x = ButtonsInLeft ? row.left : row.right;
    auto laidOut = [this](TStdCommand Command) -> TspActiveSkinObject* {
        for (auto& o : FObjectList) {
            TStdCommand c;
            if (CommandOf(o.get(), c) && c == Command && o->Visible && o->skinrectinapicture) return o.get();
        }
        return nullptr;
    };
    auto sizeOf = [this](TspActiveSkinObject* o, int& W, int& H) {
        W = o->skinrect.Width();
        H = o->skinrect.Height();
        TStdCommand c;
        if (FShowIcon && CommandOf(o, c) && c == cmSysMenu) GetIconSize(W, H);
    };
    std::vector<TspActiveSkinObject*> order;
    for (TStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (TspActiveSkinObject* o = laidOut(c)) order.push_back(o);
    for (auto& o : FObjectList) {
        TStdCommand c;
        if (CommandOf(o.get(), c) && c == cmDefault && o->Visible && o->skinrectinapicture) order.push_back(o.get());
    }
    TspSkinCaptionObject* caption = nullptr;
    for (auto& o : FObjectList)
        if ((caption = AsCaption(o.get()))) break;
    TspActiveSkinObject* sys = laidOut(cmSysMenu);
    int w, h;
    if (!ButtonsInLeft) {
        for (TspActiveSkinObject* o : order) {
            sizeOf(o, w, h);
            o->ObjectRect = TRect(x - w, top, x, top + h);
            x = x - w - ButtonsOffset;
        }
        if (fromCaption && caption) caption->ObjectRect.right = x + ButtonsOffset;
        if (sys) {
            sizeOf(sys, w, h);
            const int t = FrameCaptionRect.top + FrameCaptionRect.Height() / 2 - h / 2;
            sys->ObjectRect = TRect(FrameCaptionRect.left, t, FrameCaptionRect.left + w, t + h);
            if (caption) caption->ObjectRect.left = sys->ObjectRect.right;
        }
    } else {
        for (TspActiveSkinObject* o : order) {
            sizeOf(o, w, h);
            o->ObjectRect = TRect(x, top, x + w, top + h);
            x = x + w + ButtonsOffset;
        }
        if (fromCaption) {
            if (sys) {
                sizeOf(sys, w, h);
                const int t = FrameCaptionRect.top + FrameCaptionRect.Height() / 2 - h / 2;
                sys->ObjectRect = TRect(x, t, x + w, t + h);
                x = x + w + ButtonsOffset;
            }
            if (caption) caption->ObjectRect.left = x + ButtonsOffset;
        }
    }
}

void TspFormFrame::CalcDefRects()
{
    SyncFrameSize();
    const int ch = GetDefCaptionHeight(), bs = GetDefButtonSize();
    int x = FrameWidth - 3;
    DefaultCaptionRect = TRect(3, 3, x, ch);
    if (FObjectList.empty()) return;
    for (TStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        for (auto& o : FObjectList) {
            auto* b = AsStdButton(o.get());
            if (b && b->Command == c && o->Visible && o->skinrectinapicture) {
                o->ObjectRect = TRect(x - bs, 4, x, 4 + bs);
                x -= bs;
                break;
            }
        }
    DefaultCaptionRect.right = x;
    x = DefaultCaptionRect.left;
    for (auto& o : FObjectList) {
        auto* b = AsStdButton(o.get());
        if (b && b->Command == cmSysMenu && o->Visible && o->skinrectinapicture) {
            int w = bs, h = bs;
            if (FShowIcon) GetIconSize(w, h);
            o->ObjectRect = TRect(x, 4, x + w, 4 + h);
            DefaultCaptionRect.left = x + w;
            break;
        }
    }
}

TRect TspFormFrame::GetDefCaptionRect()
{
    CalcDefRects();
    return DefaultCaptionRect;
}

// ---- drawing the objects into the frame parts ----

void TspFormFrame::DrawFrameObjects(TCanvas* Top, TCanvas* Bottom)
{
    for (auto& p : FObjectList) {
        TspActiveSkinObject* o = p.get();
        if (!CanObjectTest(o->rollup) || !o->Visible) continue;
        if (o->ObjectRect.bottom <= FrameClientRect.top) {
            if (Top) o->Draw(Top, false);
        } else if (Bottom) {
            const TRect saved = o->ObjectRect;
            o->ObjectRect.top -= FrameClientRect.bottom;
            o->ObjectRect.bottom -= FrameClientRect.bottom;
            o->Draw(Bottom, false);
            o->ObjectRect = saved;
        }
    }
}

void TspFormFrame::DrawDefaultObjects(TCanvas* Caption)
{
    for (auto& p : FObjectList) {
        TspActiveSkinObject* o = p.get();
        if (!o->Visible) continue;
        const TRect saved = o->ObjectRect;
        o->ObjectRect.left -= 3;
        o->ObjectRect.right -= 3;
        o->ObjectRect.top -= 3;
        o->ObjectRect.bottom -= 3;
        o->Draw(Caption, true);
        o->ObjectRect = saved;
    }
}

// ---- tracking and dispatch ----

void TspFormFrame::TestActive(int X, int Y, bool CanActivate)
{
    if (FObjectList.empty()) return;
    if (FSupportNCArea && !GetFormActive()) return;
    OldActiveObject = ActiveObject;
    int found = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        TspActiveSkinObject* o = FObjectList[i].get();
        if (CanObjectTest(o->rollup) && o->Enabled && o->Visible && PtIn(o->ObjectRect, X, Y)) {
            found = i;
            break;
        }
    }
    ActiveObject = CanActivate ? found : -1;
    if (MouseCaptureObject != -1 && ActiveObject != MouseCaptureObject) ActiveObject = -1;
    if (ActiveObject >= ObjectCount()) ActiveObject = -1;
    if (OldActiveObject >= ObjectCount()) OldActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    if (TspActiveSkinObject* old = GetObject(OldActiveObject))
        if (old->Enabled && old->Visible) {
            old->MouseLeave();
            if (ShowObjectHint && FSkinHint && !old->Hint.empty()) FSkinHint->HideHint();
        }
    // The enter handler may have changed the object list (a skin change from an
    // event): look the object up again before showing its hint.
    if (TspActiveSkinObject* now = GetObject(ActiveObject))
        if (now->Enabled && now->Visible) {
            now->MouseEnter();
            now = GetObject(ActiveObject);
            if (now && GetFormActive() && ShowObjectHint && FSkinHint && !now->Hint.empty())
                FSkinHint->ActivateHint2(now->Hint);
        }
}

void TspFormFrame::TestMouse()
{
    if (!FSupportNCArea) {
        ClientAreaTestMouse();
        return;
    }
    if (InSizeMove) {
        FPointerTimer->SetEnabled(false);
        return;
    }
    POINT c;
    if (!GetCursorPos(&c)) return;
    const TPoint p = PointToNCPoint(TPoint(c.x, c.y));
    if (!PtIn(FrameClientRect, p.x, p.y) || !FSkinLoaded)
        TestActive(p.x, p.y, true);
    else if (ActiveObject != -1)
        TestActive(-1, -1, true);
}

void TspFormFrame::TestMorph()
{
    bool any = false;
    for (auto& o : FObjectList)
        if (o->morphing && o->CanMorphing()) {
            o->DoMorphing();
            any = true;
        }
    if (!any) FMorphingTimer->SetEnabled(false);
}

void TspFormFrame::TestAnimate()
{
    bool any = false;
    for (auto& o : FObjectList)
        if (auto* a = AsAnimate(o.get()))
            if (a->Active) {
                a->ChangeFrame();
                any = true;
            }
    if (!any) FAnimationTimer->SetEnabled(false);
}

void TspFormFrame::MouseDown(TMouseButton Button, int X, int Y)
{
    TspActiveSkinObject* o = GetObject(ActiveObject);
    if (!o) return;
    HWND wnd = FormHandle();
    if (!IsCaptionObject(ActiveObject) && wnd) SetCapture(wnd);
    MouseCaptureObject = ActiveObject;
    o->MouseDown(X, Y, Button);
}

void TspFormFrame::MouseUp(TMouseButton Button, int X, int Y)
{
    TspActiveSkinObject* o = GetObject(MouseCaptureObject);
    if (!o) return;
    if (!IsCaptionObject(MouseCaptureObject)) ReleaseCapture();
    // The object may run a command that changes the frame (close, re-skin):
    // the capture index is cleared first so nothing refers to it afterwards.
    MouseCaptureObject = -1;
    o->MouseUp(X, Y, Button);
}

void TspFormFrame::MouseMove(int X, int Y)
{
    if (TspActiveSkinObject* o = GetObject(MouseCaptureObject))
        o->MouseMove(X, Y);
    else if (TspActiveSkinObject* a = GetObject(ActiveObject))
        a->MouseMove(X, Y);
}

void TspFormFrame::MouseDBlClick()
{
    if (TspActiveSkinObject* o = GetObject(ActiveObject)) o->DblClick();
}

void TspFormFrame::UpDateActiveObjects()
{
    for (auto& p : FObjectList) {
        TspActiveSkinObject* o = p.get();
        if (auto* a = AsAnimate(o)) {
            a->Hovered = a->Active = false;
            a->CurrentFrame = 1;
        } else if (!AsCaption(o)) {
            o->Active = o->Hovered = false;
            o->MorphKf = 0;
        }
    }
}

void TspFormFrame::FormChangeActive(bool Redraw)
{
    const bool a = GetFormActive();
    for (auto& p : FObjectList) {
        auto* c = AsCaption(p.get());
        if (!c) continue;
        if (Redraw && CanObjectTest(c->rollup)) {
            if (!FSupportNCArea) c->Active = a;
            if (!FSupportNCArea || !IsNullRect(c->activeskinrect)) c->Redraw();
        } else if (c->morphing) {
            c->MorphKf = a ? 1 : 0;
        }
    }
    if (a) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}
