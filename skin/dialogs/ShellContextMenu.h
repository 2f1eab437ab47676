// The shell's own context menu of an item, shown over a control, and the verbs
// of that menu run without a menu.
#pragma once
#include "ShellFolder.h"
#include <string>

class TWinControl;

// Implemented by controls that want to run (or watch) the commands chosen from
// an item's shell context menu themselves.
class IShellCommandVerb {
public:
    // Handled starts false; set it to keep the shell from running the command.
    virtual void ExecuteCommand(const std::string& Verb, bool& Handled) = 0;
    virtual void CommandCompleted(const std::string& Verb, bool Succeeded) = 0;
protected:
    ~IShellCommandVerb() = default;
};

namespace Spskinshellctrls {

// Shows Folder's shell context menu at (X, Y) of Control's client area and runs
// the command chosen; nothing runs when the menu is dismissed.
void InvokeContextMenu(TWinControl* Control, const TspShellFolder* Folder, int X, int Y);
// The same at the screen point a WM_CONTEXTMENU carries in Pos, or at the
// control's top left when the keyboard asked for the menu (-1, -1).
void InvokeContextMenuAt(TWinControl* Control, const TspShellFolder* Folder, LPARAM Pos);
// The owner-drawn menu messages the open context menu wants to hear.
bool IsContextMenuMessage(UINT Msg);
// Before the shell opens Folder: remembers the current directory in SavedDir
// and makes Folder's own directory current, so that a program it starts finds
// its files; the verb's completion goes back to SavedDir.
void EnterFolderDirectory(std::string& SavedDir, const TspShellFolder* Folder);
// The extended menu interface of the context menu open at the moment (null
// otherwise): the views route the owner-drawn menu messages to it.
IContextMenu2* CurrentContextMenu2();

} // namespace Spskinshellctrls
