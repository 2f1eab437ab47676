// TspFormFrame in client-area mode: the window has no non-client area, its
// whole surface is the skin picture with the objects drawn on it, it is moved
// by dragging, and controls may be pinned to named areas of the skin.
#include "FormFrame.h"
#include "ActiveSkinObject.h"
#include "GraphicSkinControl.h"
#include "Screen.h"
#include "SkinControl.h"
#include "SkinImage.h"
#include "SkinRegion.h"

namespace {

bool Stretchable(const TspSkinData* D) { return D->RollUpLeftPoint.x < D->RollUpRightPoint.x; }

bool Usable(const TBitmap* B) { return B && !B->Empty(); }

}  // namespace

bool TspFormFrame::ClientAreaUsable() const
{
    return FSkinData && !FSkinData->Empty && SkinPicture();
}

// ---- painting ----

void TspFormFrame::CreateRealBitMap(TBitmap* Bitmap, TBitmap* Picture)
{
    if (!Bitmap || !Usable(Picture) || !FSkinData) return;
    SyncFrameSize();
    CalcRects();
    Sputils::CreateSkinImage(Bitmap, FrameImageArgs(Picture));
}

Sputils::TSkinImageArgs TspFormFrame::FrameImageArgs(TBitmap* Picture) const
{
    const TspSkinContent& s = *FSkinData;
    Sputils::TSkinImageArgs a;
    a.Skin = {s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.ClientRect};
    a.Target = {LeftTopCorner, RightTopCorner, LeftBottomCorner, RightBottomCorner, FrameClientRect};
    a.Source = Picture;
    a.SourceRect = TRect(0, 0, Picture->GetWidth(), Picture->GetHeight());
    a.Width = FrameWidth;
    a.Height = FrameHeight;
    a.Stretch = {s.LeftStretch, s.TopStretch, s.RightStretch, s.BottomStretch};   // for the border strips
    return a;
}

void TspFormFrame::Paint(HDC DC)
{
    if (!DC || !OwnerForm) return;
    if (FrameWidth == 0) FrameWidth = OwnerForm->GetWidth();
    if (FrameHeight == 0) FrameHeight = OwnerForm->GetHeight();
    TBorrowedCanvas c(DC);
    if (!ClientAreaUsable()) {
        const TRect r = OwnerForm->GetClientRect();
        c.Get()->GetBrush()->SetStyle(bsSolid);
        c.Get()->GetBrush()->SetColor(clBtnFace);
        c.Get()->FillRect(r);
        c.Get()->GetBrush()->SetColor(clBlack);
        c.Get()->FrameRect(r);
        return;
    }
    const TspSkinContent& s = *FSkinData;
    TBitmap image;
    TBitmap* rollUp = Usable(s.RollUpPicture.get()) ? s.RollUpPicture.get() : nullptr;
    if (!FRolledUp || !rollUp) {
        if (s.LTPoint.x || s.LTPoint.y || s.RBPoint.x || s.RBPoint.y)
            CreateRealBitMap(&image, SkinPicture());
        else
            image.Assign(SkinPicture());
    } else if (Stretchable(FSkinData)) {
        Sputils::CreateHSkinImage(s.RollUpLeftPoint.x, rollUp->GetWidth() - s.RollUpRightPoint.x, &image, rollUp,
                                  TRect(0, 0, rollUp->GetWidth(), rollUp->GetHeight()), OwnerForm->GetWidth(),
                                  rollUp->GetHeight());
    } else {
        image.Assign(rollUp);
    }
    if (image.Empty()) return;
    for (auto& o : FObjectList)
        if (o->Visible && CanObjectTest(o->rollup)) DrawObject(o.get(), image.GetCanvas(), false);
    BitBlt(DC, 0, 0, image.GetWidth(), image.GetHeight(), image.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// ---- skin change and size ----

void TspFormFrame::CheckSize()
{
    TBitmap* pic = SkinPicture();
    if (!OwnerForm || !pic) return;
    const int pw = pic->GetWidth(), ph = pic->GetHeight();
    if (!CanScale()) {
        if (OwnerForm->GetClientWidth() != pw) OwnerForm->SetClientWidth(pw);
        if (OwnerForm->GetClientHeight() != ph) OwnerForm->SetClientHeight(ph);
        Sizeable = false;
        return;
    }
    if (MinWidth > 0 && MinHeight > 0) return;
    if (OwnerForm->GetClientWidth() < pw) OwnerForm->SetClientWidth(pw);
    if (OwnerForm->GetClientHeight() < ph) OwnerForm->SetClientHeight(ph);
}

void TspFormFrame::ClientAreaChangeSkinData()
{
    if (!FSkinLoaded) {
        // Without a skin the form paints the plain look and keeps no shape.
        ClearObjects();
        RemoveRegion();
        if (OwnerForm->HandleAllocated()) OwnerForm->Invalidate();
        return;
    }
    const bool scale = CanScale();
    const bool wasRolledUp = FRolledUp;
    if (FRolledUp && !Usable(FSkinData->RollUpPicture.get())) {
        FRolledUp = false;
        RestoreRollUpForm();
    }
    if (!FRolledUp) CheckSize();
    LoadObjects();
    CheckObjects();
    if (wasRolledUp && FRolledUp) CreateRollUpForm();
    FSkinChanging = true;
    if (OnChangeSkinData) OnChangeSkinData(this);
    FrameWidth = OwnerForm->GetWidth();
    FrameHeight = OwnerForm->GetHeight();
    TBitmap* pic = SkinPicture();
    const bool pictureSize =
        pic && OwnerForm->GetClientWidth() == pic->GetWidth() && OwnerForm->GetClientHeight() == pic->GetHeight();
    if (!FRolledUp && (scale || pictureSize)) CreateNewForm(scale);
    LinkControlsToAreas();
    ControlsToAreas();
    FormChangeActive(true);
    FSkinChanging = false;
    FPointerTimer->SetEnabled(true);
    if (OwnerForm->HandleAllocated()) OwnerForm->Invalidate();
}

// ---- areas ----

void TspFormFrame::LinkControlToArea(const std::string& AreaName, TControl* Control)
{
    if (!Control || !FSkinData) return;
    const int i = FSkinData->GetAreaIndex(AreaName);
    if (i < 0 || i >= static_cast<int>(FSkinData->AreaList.size())) return;
    const TRect r = FSkinData->AreaList[i]->AreaRect;
    if (r.IsEmpty()) return;
    Control->SetAlign(alNone);
    Control->FreeNotification(this);
    FAreaLinks.push_back({Control, r});
}

void TspFormFrame::UnLinkControlFromArea(TControl* Control)
{
    for (auto it = FAreaLinks.begin(); it != FAreaLinks.end(); ++it)
        if (it->Control == Control) {
            FAreaLinks.erase(it);
            return;
        }
}

void TspFormFrame::ForgetAreaControl(TComponent* AComponent)
{
    for (size_t i = FAreaLinks.size(); i-- > 0;)
        if (FAreaLinks[i].Control == AComponent) FAreaLinks.erase(FAreaLinks.begin() + i);
    for (size_t i = FHiddenControls.size(); i-- > 0;)
        if (FHiddenControls[i] == AComponent) FHiddenControls.erase(FHiddenControls.begin() + i);
}

void TspFormFrame::LinkControlsToAreas()
{
    if (!OwnerForm) return;
    for (int i = 0; i < OwnerForm->GetControlCount(); ++i) {
        TControl* c = OwnerForm->GetControl(i);
        std::string area;
        if (auto* w = dynamic_cast<TspSkinControl*>(c)) area = w->AreaName;
        else if (auto* g = dynamic_cast<TspGraphicSkinControl*>(c)) area = g->AreaName;
        if (!area.empty()) LinkControlToArea(area, c);
    }
}

void TspFormFrame::ControlsToAreas()
{
    if (FAreaLinks.empty()) return;
    const bool scale = CanScale();
    for (const TspAreaLink& l : FAreaLinks) {
        TRect r = l.AreaRect;
        if (scale) CalcRealObjectRect(l.AreaRect, r);
        l.Control->SetBounds(r.left, r.top, r.Width(), r.Height());
    }
}

// ---- hit test, pointer and cursors ----

LRESULT TspFormFrame::NewHitTest(TPoint P)
{
    if (!Sizeable || FWindowState == fwsMaximized || FRolledUp || ActiveObject != -1 || !ClientAreaUsable())
        return HTCLIENT;
    // The non-client test's edge rule; whatever is not a sizing edge is client here.
    const LRESULT r = NewNCHitTest(P);
    return r >= HTLEFT && r <= HTBOTTOMRIGHT ? r : HTCLIENT;
}

bool TspFormFrame::InForm(TPoint P) const
{
    HWND wnd = FormHandle();
    return wnd && WindowFromPoint(POINT{P.x, P.y}) == wnd;
}

void TspFormFrame::ClientAreaTestMouse()
{
    POINT c;
    if (!GetCursorPos(&c) || !OwnerForm || !OwnerForm->HandleAllocated()) return;
    if (!FDragging) {
        if (InForm(TPoint(c.x, c.y))) {
            const TPoint p = OwnerForm->ScreenToClient(TPoint(c.x, c.y));
            TestActive(p.x, p.y, true);
        } else {
            TestActive(-1, -1, false);
            FMouseTracking = false;
            FPointerTimer->SetEnabled(false);
        }
    }
    if (UseSkinCursors) TestCursors();
}

void TspFormFrame::TestCursors()
{
    if (!OwnerForm || !FSkinData) return;
    int index = -1;
    if (TspActiveSkinObject* o = GetObject(ActiveObject))
        if (o->cursorindex != -1) index = o->cursorindex;
    if (index == -1 && FSkinData->CursorIndex != -1) index = FSkinData->CursorIndex;
    const TCursor cursor = index == -1 ? crDefault : static_cast<TCursor>(FSkinData->StartCursorIndex + index);
    if (OwnerForm->GetCursor() != cursor) OwnerForm->SetCursor(cursor);
}

// ---- window procedure ----

bool TspFormFrame::ClientAreaWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Paint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return true;
    case WM_NCHITTEST: {
        if (!FSkinLoaded || !ClientAreaUsable() || !OwnerForm) return false;
        const TPoint p = OwnerForm->ScreenToClient(TPoint(MsgX(Message), MsgY(Message)));
        if (!FMouseTracking) {
            FMouseTracking = true;
            TestActive(p.x, p.y, true);
            FPointerTimer->SetEnabled(true);
        }
        Message.Result = NewHitTest(p);
        return true;
    }
    case WM_SIZE:
        CallOldWndProc(Message);
        if (!OwnerForm) return true;
        FrameWidth = OwnerForm->GetWidth();
        FrameHeight = OwnerForm->GetHeight();
        if (FSkinLoaded && !FRolledUp) {
            TBitmap* pic = SkinPicture();
            if (CanScale())
                CreateNewForm(true);
            else if (pic && OwnerForm->GetClientWidth() == pic->GetWidth() &&
                     OwnerForm->GetClientHeight() == pic->GetHeight())
                CreateNewForm(false);
        }
        return true;
    case WM_ACTIVATE: FDragging = false; return false;
    case WM_SHOWWINDOW:
        if (Message.WParam) ControlsToAreas();
        return false;
    default: return false;
    }
}

void TspFormFrame::AfterClientAreaMouse(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (FDragging)
            DraggTo();
        else
            MouseMove(MsgX(Message), MsgY(Message));
        break;
    case WM_LBUTTONDOWN: ClientAreaMouseDown(Message, mbLeft); break;
    case WM_RBUTTONDOWN: ClientAreaMouseDown(Message, mbRight); break;
    case WM_LBUTTONUP: ClientAreaMouseUp(Message, mbLeft); break;
    case WM_RBUTTONUP: ClientAreaMouseUp(Message, mbRight); break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: AfterClientMouse(Message); break;
    default: break;
    }
}

void TspFormFrame::ClientAreaMouseDown(TMessage& Message, TMouseButton Button)
{
    if (!FSkinLoaded) return;
    const int x = MsgX(Message), y = MsgY(Message);
    FDragging = false;
    TestActive(x, y, true);
    if (TspActiveSkinObject* o = GetObject(ActiveObject)) {
        MouseCaptureObject = ActiveObject;
        o->MouseDown(x, y, Button);
    } else if (Button == mbLeft && DraggAble) {
        StartDragg(x, y);
    }
}

void TspFormFrame::ClientAreaMouseUp(TMessage& Message, TMouseButton Button)
{
    EndDragg();
    TspActiveSkinObject* o = GetObject(MouseCaptureObject);
    if (!o) return;
    // The object may run a command that changes the frame: forget it first.
    MouseCaptureObject = -1;
    o->MouseUp(MsgX(Message), MsgY(Message), Button);
}

// ---- dragging ----

void TspFormFrame::StartDragg(int, int)
{
    // DraggAble governs presses off the objects only (the caller's test): a
    // caption object always moves its window.
    if (FWindowState == fwsMaximized || !OwnerForm) return;
    POINT c;
    if (!GetCursorPos(&c)) return;
    FDragging = true;
    FDragPoint = TPoint(c.x, c.y);
}

void TspFormFrame::EndDragg() { FDragging = false; }

void TspFormFrame::DraggTo()
{
    POINT c;
    if (!OwnerForm || !GetCursorPos(&c)) return;
    if (c.x == FDragPoint.x && c.y == FDragPoint.y) return;
    int left = OwnerForm->GetLeft() + c.x - FDragPoint.x, top = OwnerForm->GetTop() + c.y - FDragPoint.y;
    const int w = OwnerForm->GetWidth(), h = OwnerForm->GetHeight();
    if (Magnetic) DoMagnetic(left, top, w, h);
    OwnerForm->SetBounds(left, top, w, h);
    FDragPoint = TPoint(c.x, c.y);
}

// ---- roll-up with the roll-up picture ----

void TspFormFrame::ClientAreaRollUp(bool Value)
{
    if (!FSkinData || !Usable(FSkinData->RollUpPicture.get())) {
        FRolledUp = false;
        return;
    }
    if (Value) {
        FHeightBeforeRollUp = OwnerForm->GetHeight();
        CreateRollUpForm();
    } else {
        RestoreRollUpForm();
    }
}

void TspFormFrame::CreateRollUpForm()
{
    if (!OwnerForm || !FSkinData) return;
    TBitmap* pic = FSkinData->RollUpPicture.get();
    if (!Usable(pic)) return;
    const int h = pic->GetHeight();
    int w = pic->GetWidth();
    const bool stretch = Stretchable(FSkinData);
    if (stretch) {
        w = OwnerForm->GetWidth();
        const int dx = w - pic->GetWidth();
        for (auto& o : FObjectList) {
            if (!o->rollup) continue;
            o->ObjectRect = o->skinrect;
            if (o->skinrect.left >= FSkinData->RollUpRightPoint.x) {
                o->ObjectRect.left += dx;
                o->ObjectRect.right += dx;
            } else if (o->skinrect.left <= FSkinData->RollUpLeftPoint.x &&
                       o->skinrect.right >= FSkinData->RollUpRightPoint.x) {
                o->ObjectRect.right += dx;
            }
        }
    }
    TestActive(-1, -1, true);
    FPointerTimer->SetEnabled(false);
    FMorphingTimer->SetEnabled(false);
    if (FHiddenControls.empty())
        for (int i = 0; i < OwnerForm->GetControlCount(); ++i) {
            TControl* c = OwnerForm->GetControl(i);
            if (!c->GetVisible()) continue;
            c->FreeNotification(this);
            FHiddenControls.push_back(c);
            c->SetVisible(false);
        }
    if (stretch)
        OwnerForm->SetHeight(h);
    else
        OwnerForm->SetBounds(OwnerForm->GetLeft(), OwnerForm->GetTop(), w, h);
    SetRollUpFormRegion();
    OwnerForm->Invalidate();
    FPointerTimer->SetEnabled(true);
    FMorphingTimer->SetEnabled(true);
}

void TspFormFrame::RestoreRollUpForm()
{
    if (!OwnerForm) return;
    TestActive(-1, -1, true);
    FPointerTimer->SetEnabled(false);
    FMorphingTimer->SetEnabled(false);
    for (TControl* c : FHiddenControls) c->SetVisible(true);
    FHiddenControls.clear();
    if (CanScale() && FHeightBeforeRollUp > 0) OwnerForm->SetHeight(FHeightBeforeRollUp);
    CheckSize();
    if (FSkinLoaded) CreateNewForm(CanScale());
    FPointerTimer->SetEnabled(true);
    FMorphingTimer->SetEnabled(true);
}

void TspFormFrame::SetRollUpFormRegion()
{
    TBitmap* mask = FSkinData ? FSkinData->RollUpMask.get() : nullptr;
    if (!Usable(mask)) {
        RemoveRegion();
        return;
    }
    TBitmap stretched;
    TBitmap* source = mask;
    if (Stretchable(FSkinData) && OwnerForm) {
        Sputils::CreateHSkinImage(FSkinData->RollUpLeftPoint.x, mask->GetWidth() - FSkinData->RollUpRightPoint.x,
                                  &stretched, mask, TRect(0, 0, mask->GetWidth(), mask->GetHeight()),
                                  OwnerForm->GetWidth(), mask->GetHeight());
        source = &stretched;
    }
    // A mask past the bound of a window region gives none: the window shows whole.
    if (HRGN rgn = Sputils::CreateMaskRegion(source, 0, 0)) GiveRegion(rgn);
    else RemoveRegion();
}
