// The built-in context menu of the skinned edits and memos (Undo, -, Cut, Copy,
// Paste, Delete, -, Select All): made afresh at each WM_CONTEXTMENU while the
// control has no popup menu of its own, and freed at WM_AFTERDISPATCH.
#pragma once
#include "Edit.h"

class TspSkinPopupMenu;

// Fills Menu with the built-in edit menu acting on Edit, each item enabled by
// the tests given.
void FillEditContextMenu(TspSkinPopupMenu* Menu, TCustomEdit* Edit, bool HasSelection, bool AllSelected,
                         bool ReadOnly);

// The centre of C on the screen: where a menu asked for from the keyboard opens.
TPoint ScreenCentreOf(TControl* C);

// The menu while it exists. It is owned by the edit through the component tree:
// the edit frees it in its destructor and forgets it on its removal.
class TspEditSysMenu {
public:
    TspSkinPopupMenu* Get() const { return FMenu; }
    // A new menu (an earlier one freed first) whose items act on Edit.
    void Create(TCustomEdit* Edit, bool HasSelection, bool AllSelected, bool ReadOnly);
    // Shows the menu at the point of a WM_CONTEXTMENU's LParam, or at
    // KeyboardPoint when the menu was asked for from the keyboard.
    void Popup(TControl* Opener, LPARAM Pos, const TPoint& KeyboardPoint);
    void Free();
    // The owner's Notification: C is being freed.
    void Removed(TComponent* C);

private:
    TspSkinPopupMenu* FMenu = nullptr;
};
