// The message record of the class library and its own messages: CM_ (control
// notifications sent by the library) and CN_ (notifications of child windows
// reflected back to the control that owns the child window).
#pragma once
#include <windows.h>
#include <functional>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};
typedef std::function<void(TMessage& Message)> TWndMethod;

// Decoders of the usual parameter packings.
inline int MsgX(const TMessage& M) { return static_cast<short>(LOWORD(M.LParam)); }
inline int MsgY(const TMessage& M) { return static_cast<short>(HIWORD(M.LParam)); }
inline LPARAM PointToLParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

const UINT CM_BASE = 0xB000;
const UINT CM_ACTIVATE = CM_BASE + 0;
const UINT CM_DEACTIVATE = CM_BASE + 1;
const UINT CM_GOTFOCUS = CM_BASE + 2;
const UINT CM_LOSTFOCUS = CM_BASE + 3;
const UINT CM_CANCELMODE = CM_BASE + 4;          // LParam: the control that takes the mouse
const UINT CM_DIALOGKEY = CM_BASE + 5;           // WParam: virtual key; Result 1 when used
const UINT CM_DIALOGCHAR = CM_BASE + 6;          // WParam: character; Result 1 when used
const UINT CM_FOCUSCHANGED = CM_BASE + 7;        // LParam: the control that has the focus now
const UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
const UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
const UINT CM_HITTEST = CM_BASE + 10;            // LParam: point; Result HTCLIENT or 0
const UINT CM_VISIBLECHANGED = CM_BASE + 11;
const UINT CM_ENABLEDCHANGED = CM_BASE + 12;
const UINT CM_COLORCHANGED = CM_BASE + 13;
const UINT CM_FONTCHANGED = CM_BASE + 14;
const UINT CM_CURSORCHANGED = CM_BASE + 15;
const UINT CM_TEXTCHANGED = CM_BASE + 18;
const UINT CM_MOUSEENTER = CM_BASE + 19;         // to the control under the mouse only
const UINT CM_MOUSELEAVE = CM_BASE + 20;
const UINT CM_MENUCHANGED = CM_BASE + 21;
const UINT CM_BUTTONPRESSED = CM_BASE + 24;
const UINT CM_SHOWINGCHANGED = CM_BASE + 25;
const UINT CM_ENTER = CM_BASE + 26;
const UINT CM_EXIT = CM_BASE + 27;
const UINT CM_ICONCHANGED = CM_BASE + 29;
const UINT CM_WANTSPECIALKEY = CM_BASE + 30;     // WParam: virtual key; Result 1 when the control wants it
const UINT CM_RELEASE = CM_BASE + 33;
const UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
const UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
const UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
const UINT CM_TABSTOPCHANGED = CM_BASE + 41;
const UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;  // WParam: control, LParam: inserted
const UINT CM_CHILDKEY = CM_BASE + 46;           // WParam: key, LParam: the control
const UINT CM_HINTSHOW = CM_BASE + 48;
const UINT CM_RECREATEWND = CM_BASE + 51;
const UINT CM_INVALIDATE = CM_BASE + 52;
const UINT CM_CONTROLCHANGE = CM_BASE + 54;      // WParam: control, LParam: inserted
const UINT CM_CHANGED = CM_BASE + 55;
const UINT CM_BORDERCHANGED = CM_BASE + 59;
const UINT CM_PARENTENABLEDCHANGED = CM_BASE + 60;

const UINT CN_BASE = 0xBC00;
const UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
const UINT CN_COMMAND = CN_BASE + WM_COMMAND;
const UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
const UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
const UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
const UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
const UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
const UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
const UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
const UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
const UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
const UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
const UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
const UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
const UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
const UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
const UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
const UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
const UINT CN_KEYUP = CN_BASE + WM_KEYUP;
const UINT CN_CHAR = CN_BASE + WM_CHAR;
const UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
const UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
const UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
