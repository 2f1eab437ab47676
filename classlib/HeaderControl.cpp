#include "HeaderControl.h"
#include "ImgList.h"
#include <commctrl.h>

// ---- sections

void THeaderSection::Changed()
{
    if (FOwner) FOwner->UpdateSection(FIndex);
}

void THeaderSection::SetText(const std::string& Value)
{
    FText = Value;
    Changed();
}

void THeaderSection::SetWidth(int Value)
{
    if (Value < FMinWidth) Value = FMinWidth;
    if (Value > FMaxWidth) Value = FMaxWidth;
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void THeaderSection::SetMinWidth(int Value)
{
    FMinWidth = Value < 0 ? 0 : Value;
    if (FWidth < FMinWidth) SetWidth(FMinWidth);
}

void THeaderSection::SetMaxWidth(int Value)
{
    FMaxWidth = Value < FMinWidth ? FMinWidth : Value;
    if (FWidth > FMaxWidth) SetWidth(FMaxWidth);
}

void THeaderSection::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Changed();
}

void THeaderSection::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Changed();
}

void THeaderSection::SetStyle(THeaderSectionStyle Value)
{
    FStyle = Value;
    Changed();
}

int THeaderSection::GetLeft() const
{
    if (!FOwner) return 0;
    int x = 0;
    for (int i : FOwner->OrderArray()) {
        if (i == FIndex) return x;
        if (THeaderSection* s = FOwner->GetSections()->Items(i)) x += s->GetWidth();
    }
    return x;
}

THeaderSection* THeaderSections::Add()
{
    FItems.push_back(std::make_unique<THeaderSection>(FOwner, Count()));
    THeaderSection* s = FItems.back().get();
    if (FOwner) FOwner->UpdateSections();
    return s;
}

void THeaderSections::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
    for (int i = 0; i < Count(); ++i) FItems[i]->FIndex = i;
    if (FOwner) FOwner->UpdateSections();
}

void THeaderSections::Clear()
{
    FItems.clear();
    if (FOwner) FOwner->UpdateSections();
}

THeaderSection* THeaderSections::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[Index].get() : nullptr;
}

// ---- the control

THeaderControl::THeaderControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this))
{
    FControlStyle = csCaptureMouse | csClickEvents;
    FWidth = 200;
    FHeight = 17;
}

THeaderControl::~THeaderControl()
{
    FCanvas->FreeHandle();
}

void THeaderControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_HEADERA);
    Params.Style |= HDS_HORZ | HDS_FULLDRAG | HDS_HOTTRACK;
    if (FStyle == hsButtons) Params.Style |= HDS_BUTTONS;
    if (FDragReorder) Params.Style |= HDS_DRAGDROP;
    Params.WinClassName = "THeaderControl";
}

void THeaderControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FImages) SendMessageA(FHandle, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
    UpdateSections();
}

void THeaderControl::DestroyWnd()
{
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

void THeaderControl::UpdateSections()
{
    if (!FHandle) return;
    while (SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageA(FHandle, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < FSections.Count(); ++i) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        item.cxy = FSections.Items(i)->GetWidth();
        SendMessageA(FHandle, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        UpdateSection(i);
    }
    Invalidate();
}

void THeaderControl::UpdateSection(int Index)
{
    THeaderSection* s = FSections.Items(Index);
    if (!FHandle || !s) return;
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    std::string text = s->GetText();
    item.pszText = &text[0];
    item.cchTextMax = static_cast<int>(text.size());
    item.cxy = s->GetWidth();
    static const int aligns[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
    item.fmt = aligns[s->GetAlignment()] | (s->GetStyle() == hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING);
    if (s->GetImageIndex() >= 0 && FImages) {
        item.mask |= HDI_IMAGE;
        item.fmt |= HDF_IMAGE;
        item.iImage = s->GetImageIndex();
    }
    SendMessageA(FHandle, HDM_SETITEMA, Index, reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::SetStyle(THeaderStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    RecreateWnd();
}

void THeaderControl::SetDragReorder(bool Value)
{
    if (Value == FDragReorder) return;
    FDragReorder = Value;
    RecreateWnd();
}

void THeaderControl::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    if (FHandle)
        SendMessageA(FHandle, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
    UpdateSections();
}

void THeaderControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (FHandle && !IsDestroying()) SendMessageA(FHandle, HDM_SETIMAGELIST, 0, 0);
    }
}

std::vector<int> THeaderControl::OrderArray()
{
    std::vector<int> order(FSections.Count());
    for (int i = 0; i < FSections.Count(); ++i) order[i] = i;
    if (FHandle && !order.empty() &&
        SendMessageA(FHandle, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()))) {
        // A damaged answer must not name sections that do not exist.
        for (int& i : order)
            if (i < 0 || i >= FSections.Count()) i = 0;
    }
    return order;
}

TRect THeaderControl::ItemRect(int Index)
{
    RECT r{};
    if (Index < 0 || Index >= FSections.Count()) return TRect();
    if (FHandle && SendMessageA(FHandle, HDM_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r))) return TRect(r);
    THeaderSection* s = FSections.Items(Index);
    const int left = s->GetLeft();
    return TRect(left, 0, left + s->GetWidth(), FHeight);
}

void THeaderControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void THeaderControl::CNNotify(TMessage& Message)
{
    const auto* nm = reinterpret_cast<const NMHEADERA*>(Message.LParam);
    // The parent answers WM_NOTIFYFORMAT for ANSI or Unicode: both forms are taken.
    switch (nm->hdr.code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
        if (THeaderSection* s = FSections.Items(nm->iItem)) SectionClick(s);
        break;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) {
            if (THeaderSection* s = FSections.Items(nm->iItem)) {
                if (s->FWidth != nm->pitem->cxy) {
                    s->FWidth = nm->pitem->cxy;
                    SectionResize(s);
                }
            }
        }
        break;
    default: break;
    }
}

void THeaderControl::CNDrawItem(TMessage& Message)
{
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    THeaderSection* s = FSections.Items(static_cast<int>(dis->itemID));
    if (!s) return;
    TPaintDCScope painting(*FCanvas, dis->hDC);
    DrawSection(s, TRect(dis->rcItem), (dis->itemState & ODS_SELECTED) != 0);
    Message.Result = 1;
}

void THeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed)
{
    if (OnDrawSection) OnDrawSection(this, Section, Rect, Pressed);
}

void THeaderControl::SectionClick(THeaderSection* Section)
{
    if (Section->AllowClick && OnSectionClick) OnSectionClick(this, Section);
}

void THeaderControl::SectionResize(THeaderSection* Section)
{
    if (OnSectionResize) OnSectionResize(this, Section);
}
