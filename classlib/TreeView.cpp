#include "TreeView.h"
#include "GraphicsObjects.h"
#include "ImgList.h"
#include "SysUtils.h"
#include <functional>

// ---- TTreeNode ----
void TTreeNode::SetText(const std::string& Value)
{
    FText = Value;
    TCustomTreeView* tv = GetTreeView();
    if (FItemId && tv->HandleAllocated()) {
        TVITEMA it = {};
        it.mask = TVIF_TEXT;
        it.hItem = FItemId;
        it.pszText = const_cast<char*>(FText.c_str());
        SendMessageA(tv->GetWindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
}

TTreeNode* TTreeNode::GetItem(int Index) const
{
    if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FChildren[Index].get();
}

int TTreeNode::GetIndex() const
{
    const auto& list = FOwner->SiblingsOf(FParent);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::GetLevel() const
{
    int n = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent) ++n;
    return n;
}

TCustomTreeView* TTreeNode::GetTreeView() const { return FOwner->FOwner; }

bool TTreeNode::GetExpanded() const
{
    TCustomTreeView* tv = GetTreeView();
    if (!FItemId || !tv->HandleAllocated()) return FExpanded;
    return (SendMessageA(tv->GetWindowHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId),
                         TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool Value)
{
    FExpanded = Value;
    TCustomTreeView* tv = GetTreeView();
    if (FItemId && tv->HandleAllocated())
        SendMessageA(tv->GetWindowHandle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::Expand(bool Recurse)
{
    if (GetHasChildren()) SetExpanded(true);
    if (Recurse)
        for (auto& c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    if (Recurse)
        for (auto& c : FChildren) c->Collapse(true);
    SetExpanded(false);
}

bool TTreeNode::GetSelected() const { return GetTreeView()->GetSelected() == this; }

void TTreeNode::SetSelected(bool Value)
{
    TCustomTreeView* tv = GetTreeView();
    if (Value) tv->SetSelected(this);
    else if (GetSelected()) tv->SetSelected(nullptr);
}

// ---- TTreeNodes ----
std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent)
{
    return Parent ? Parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S)
{
    auto& list = SiblingsOf(Parent);
    list.emplace_back(new TTreeNode(this, Parent));
    TTreeNode* n = list.back().get();
    n->FText = S;
    if (FOwner->HandleAllocated() && (!Parent || Parent->FItemId)) FOwner->InsertInWindow(n);
    return n;
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (!Node || Node->FOwner != this) return;
    if (FOwner->FSavedSelection == Node) FOwner->FSavedSelection = nullptr;
    if (Node->FItemId && FOwner->HandleAllocated()) {
        HTREEITEM id = Node->FItemId;
        FOwner->ForgetIds(Node);
        SendMessageA(FOwner->GetWindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(id));
    }
    auto& list = SiblingsOf(Node->FParent);
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->get() == Node) {
            list.erase(it);
            break;
        }
}

void TTreeNodes::Clear()
{
    FOwner->FSavedSelection = nullptr;
    if (FOwner->HandleAllocated()) {
        for (auto& r : FRoots) FOwner->ForgetIds(r.get());
        SendMessageA(FOwner->GetWindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    FRoots.clear();
}

namespace {

// Depth-first walk; stops when Visit answers true.
bool Walk(TTreeNode* Node, const std::function<bool(TTreeNode*)>& Visit)
{
    if (Visit(Node)) return true;
    for (int i = 0; i < Node->GetCount(); ++i)
        if (Walk(Node->GetItem(i), Visit)) return true;
    return false;
}

}  // namespace

int TTreeNodes::GetCount() const
{
    int n = 0;
    for (const auto& r : FRoots) Walk(r.get(), [&n](TTreeNode*) { ++n; return false; });
    return n;
}

TTreeNode* TTreeNodes::GetItem(int Index) const
{
    if (Index < 0) return nullptr;
    TTreeNode* found = nullptr;
    int i = 0;
    for (const auto& r : FRoots)
        if (Walk(r.get(), [&](TTreeNode* N) {
                if (i++ == Index) found = N;
                return found != nullptr;
            }))
            break;
    return found;
}

TTreeNode* TTreeNodes::GetRoot(int Index) const
{
    if (Index < 0 || Index >= GetRootCount()) return nullptr;
    return FRoots[Index].get();
}

TTreeNode* TTreeNodes::FindNode(HTREEITEM Item) const
{
    if (!Item) return nullptr;
    TTreeNode* found = nullptr;
    for (const auto& r : FRoots)
        if (Walk(r.get(), [&](TTreeNode* N) {
                if (N->FItemId == Item) found = N;
                return found != nullptr;
            }))
            break;
    return found;
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdateCount++ == 0 && FOwner->HandleAllocated())
        SendMessageA(FOwner->GetWindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
        SendMessageA(FOwner->GetWindowHandle(), WM_SETREDRAW, TRUE, 0);
        FOwner->Invalidate();
    }
}

// ---- TCustomTreeView ----
TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(new TTreeNodes(this))
{
    FControlStyle = csSetCaption | csDoubleClicks;
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FParentColor = false;
    FColor = clWindow;
    FBrush->SetColor(FColor);
}

TCustomTreeView::~TCustomTreeView()
{
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWA);
    if (FShowLines) Params.Style |= TVS_HASLINES;
    if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
    if (FShowRoot) Params.Style |= TVS_LINESATROOT;
    if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
    if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TTreeView";
}

void TCustomTreeView::InsertInWindow(TTreeNode* Node)
{
    TVINSERTSTRUCTA ins = {};
    ins.hParent = Node->FParent ? Node->FParent->FItemId : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(Node->FText.c_str());
    ins.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->FItemId = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_INSERTITEMA, 0,
                                                             reinterpret_cast<LPARAM>(&ins)));
    for (auto& c : Node->FChildren) InsertInWindow(c.get());
    if (Node->FExpanded && !Node->FChildren.empty())
        SendMessageA(FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItemId));
}

void TCustomTreeView::ForgetIds(TTreeNode* Node)
{
    Walk(Node, [](TTreeNode* N) {
        N->FItemId = nullptr;
        return false;
    });
}

void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColors();
    ApplyImages();
    for (auto& r : FItems->FRoots) InsertInWindow(r.get());
    if (FSavedSelection) SetSelected(FSavedSelection);
    FSavedSelection = nullptr;
}

void TCustomTreeView::DestroyWnd()
{
    FSavedSelection = GetSelected();
    for (auto& r : FItems->FRoots)
        Walk(r.get(), [this](TTreeNode* N) {
            N->FExpanded = N->GetExpanded();
            return false;
        });
    for (auto& r : FItems->FRoots) ForgetIds(r.get());
    TWinControl::DestroyWnd();
}

void TCustomTreeView::ApplyColors()
{
    if (!HandleAllocated()) return;
    SendMessageA(FHandle, TVM_SETBKCOLOR, 0, ColorToRGB(FColor));
    SendMessageA(FHandle, TVM_SETTEXTCOLOR, 0, ColorToRGB(FFont->GetColor()));
}

void TCustomTreeView::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    ApplyColors();
}

void TCustomTreeView::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ApplyColors();
}

TTreeNode* TCustomTreeView::GetSelected()
{
    if (!HandleAllocated()) return FSavedSelection;
    auto id = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return FItems->FindNode(id);
}

void TCustomTreeView::SetSelected(TTreeNode* Value)
{
    if (!HandleAllocated()) {
        FSavedSelection = Value;
        return;
    }
    SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value ? Value->FItemId : nullptr));
}

TTreeNode* TCustomTreeView::GetTopItem()
{
    if (!HandleAllocated()) return FItems->GetFirstNode();
    auto id = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    return FItems->FindNode(id);
}

void TCustomTreeView::FullExpand()
{
    for (auto& r : FItems->FRoots) r->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (auto& r : FItems->FRoots) r->Collapse(true);
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    RecreateWnd();
}

void TCustomTreeView::SetShowLines(bool Value)
{
    if (FShowLines == Value) return;
    FShowLines = Value;
    RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    if (FShowButtons == Value) return;
    FShowButtons = Value;
    RecreateWnd();
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    if (FShowRoot == Value) return;
    FShowRoot = Value;
    RecreateWnd();
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    RecreateWnd();
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange) OnChange(this, Node);
}

void TCustomTreeView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY) CNNotify(Message);
    else TWinControl::Dispatch(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        // itemNew.hItem sits at the same place in both forms.
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(Message.LParam);
        Change(FItems->FindNode(nm->itemNew.hItem));
        break;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(Message.LParam);
        if (TTreeNode* n = FItems->FindNode(nm->itemNew.hItem)) n->FExpanded = (nm->action & TVE_EXPAND) != 0;
        break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    case NM_RCLICK: RightClick(Message); break;
    default: break;
    }
}

void TCustomTreeView::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(this);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->RegisterChanges(this, [this](TObject*) { ApplyImages(); });
    }
    ApplyImages();
}

void TCustomTreeView::ApplyImages()
{
    if (!HandleAllocated()) return;
    SendMessageA(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        ApplyImages();
    }
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const
{
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO hit = {};
    hit.pt = {X, Y};
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(const_cast<TCustomTreeView*>(this)->GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return item && (hit.flags & TVHT_ONITEM) ? FItems->FindNode(item) : nullptr;
}

// The menu is asked for here, and the click reported handled, because the tree
// control's own follow-up differs: on Windows an unanswered NM_RCLICK turns into
// WM_CONTEXTMENU, on Wine none follows. Handled here, every platform gets one.
void TCustomTreeView::RightClick(TMessage& Message)
{
    const DWORD pos = GetMessagePos();
    POINT pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(GetHandle(), &pt);
    if (FRightClickSelect)
        if (TTreeNode* n = GetNodeAt(pt.x, pt.y)) SetSelected(n);
    SendMessageA(GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetHandle()), static_cast<LPARAM>(pos));
    Message.Result = 1;
}
