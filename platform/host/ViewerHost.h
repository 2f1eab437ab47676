// The browser's part for one viewer page: a window that embeds the page's
// control, sets the properties the page's script sets, activates the control in
// place and pumps messages until the window is closed.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include "Handles.h"
#include "ControlSite.h"
#include "HostLog.h"
#include "ViewerPage.h"

// Exit codes of the host program.
enum THostExit { heOk = 0, heUsage = 1, hePage = 2, heCreate = 3, heActivate = 4, heWindow = 5 };

class TViewerHost {
public:
    explicit TViewerHost(THostLog& log);
    ~TViewerHost();
    TViewerHost(const TViewerHost&) = delete;
    TViewerHost& operator=(const TViewerHost&) = delete;

    // Embeds the page's control and runs until the window closes (or, with
    // seconds > 0, until that many seconds have passed). Returns a THostExit.
    int Run(const TViewerPage& page, int seconds);

private:
    bool CreateWnd(int clientWidth, int clientHeight);
    bool CreateControl(const TViewerPage& page);
    void SetSite();
    void ConnectSinks();
    void SetProperties(const std::vector<TScriptAssignment>& assignments);
    bool Activate();
    int MessageLoop();
    // Deactivates, closes and lets go of the control; safe to call twice.
    void CloseControl();

    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void WMClose();
    void WMDestroy();
    void WMTimer(UINT_PTR id);

    THostLog& FLog;
    HWND FWindow = nullptr;
    RECT FPosition = {0, 0, 0, 0};
    TControlSite* FSite = nullptr; // one reference of the host's own
    TComPtr<IUnknown> FControl;
    TComPtr<IOleObject> FOleObject;
    TComPtr<IOleInPlaceObject> FInPlaceObject;
    TComPtr<IConnectionPoint> FEventsPoint;
    TComPtr<IConnectionPoint> FPropertyPoint;
    DWORD FEventsCookie = 0;
    DWORD FPropertyCookie = 0;
    bool FSiteSet = false;
    bool FClosed = false;
};

// The text of a GUID in braces, upper case.
std::string GuidText(const GUID& guid);
// A GUID from its text, with or without braces. False when it is none.
bool GuidFromText(const std::string& text, GUID& guid);
