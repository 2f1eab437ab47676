// TTreeView on the system tree view (SysTreeView32): nodes held by the control
// object and mirrored into the window (a recreated window gets them back with
// their expanded state), selection and expansion through the window, and the
// node-change notification.
#pragma once
#include "WinControl.h"
#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomImageList;

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
public:
    TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent) : FOwner(AOwner), FParent(AParent) {}
    std::string GetText() const { return FText; }
    void SetText(const std::string& Value);
    TTreeNode* GetParent() const { return FParent; }
    int GetCount() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* GetItem(int Index) const;
    bool GetHasChildren() const { return !FChildren.empty(); }
    int GetIndex() const;
    int GetLevel() const;
    bool GetExpanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool GetSelected() const;
    void SetSelected(bool Value);
    HTREEITEM GetItemId() const { return FItemId; }
    TCustomTreeView* GetTreeView() const;
    void* Data = nullptr;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::string FText;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    HTREEITEM FItemId = nullptr;
    bool FExpanded = false;   // kept for a recreated window
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}
    // A node at the top level (after the last one).
    TTreeNode* Add(const std::string& S) { return AddChild(nullptr, S); }
    // A node as the last child of Parent (none: the top level).
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
    void Delete(TTreeNode* Node);
    void Clear();
    // All nodes, counted depth first.
    int GetCount() const;
    // The node at Index in depth-first order; none outside the nodes.
    TTreeNode* GetItem(int Index) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    int GetRootCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode* GetRoot(int Index) const;
    TTreeNode* FindNode(HTREEITEM Item) const;
    void BeginUpdate();
    void EndUpdate();
    TCustomTreeView* GetOwner() const { return FOwner; }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdateCount = 0;
};

typedef std::function<void(TObject* Sender, TTreeNode* Node)> TTVChangedEvent;
// A label edit is ending with S as the new text; the handler may change it.
typedef std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)> TTVEditedEvent;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* GetItems() const { return FItems.get(); }
    TTreeNode* GetSelected();
    void SetSelected(TTreeNode* Value);
    TTreeNode* GetTopItem();
    void FullExpand();
    void FullCollapse();
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool GetShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool GetShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // With RightClickSelect a right click selects the node under the mouse
    // before the context menu is asked for.
    bool GetRightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
    // The node at client point (X, Y): on its label or icon, else none.
    TTreeNode* GetNodeAt(int X, int Y) const;
    // The pictures of the nodes (not owned; forgotten when it is freed).
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    TTVChangedEvent OnChange;
    TTVEditedEvent OnEdited;
    void Dispatch(TMessage& Message) override;

protected:
    friend class TTreeNode;
    friend class TTreeNodes;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // The selected node changed (by the user or the program).
    virtual void Change(TTreeNode* Node);
    virtual void CNNotify(TMessage& Message);
    // A right click on the window (NM_RCLICK): selects the clicked node with
    // RightClickSelect, then asks for the context menu at the mouse position.
    virtual void RightClick(TMessage& Message);
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ApplyColors();
    // Hands the Images list to the window; a tree with pictures of its own replaces this.
    virtual void ApplyImages();
    void InsertInWindow(TTreeNode* Node);
    void ForgetIds(TTreeNode* Node);

private:
    std::unique_ptr<TTreeNodes> FItems;
    TTreeNode* FSavedSelection = nullptr;
    bool FReadOnly = false, FShowLines = true, FShowButtons = true, FShowRoot = true, FHideSelection = true;
    bool FRightClickSelect = false;
    TCustomImageList* FImages = nullptr;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
