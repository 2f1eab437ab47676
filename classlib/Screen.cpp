#include "Screen.h"
#include "Form.h"
#include <algorithm>

// Never destroyed: forms that outlive main (owned by the static application
// object) still unregister themselves at exit.
TScreen* Screen = new TScreen(nullptr);

namespace {
BOOL CALLBACK CollectMonitor(HMONITOR h, HDC, LPRECT, LPARAM data)
{
    reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(h);
    return TRUE;
}
}

TRect TMonitor::GetBoundsRect() const
{
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(FHandle, &mi);
    return TRect(mi.rcMonitor);
}

TRect TMonitor::GetWorkareaRect() const
{
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(FHandle, &mi);
    return TRect(mi.rcWork);
}

bool TMonitor::GetPrimary() const
{
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(FHandle, &mi);
    return (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen()
{
    for (auto& c : FCursors)
        if (c.first > 0) DestroyCursor(c.second);
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FocusedForm == Form) FocusedForm = nullptr;
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        FActiveControl = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::SetActive(TCustomForm* Form, TWinControl* Control)
{
    bool formChanged = Form != FActiveForm;
    bool controlChanged = Control != FActiveControl;
    FActiveForm = Form;
    FActiveControl = Control;
    if (Form) {
        // The active form moves to the front of the list.
        auto it = std::find(FForms.begin(), FForms.end(), Form);
        if (it != FForms.end()) {
            FForms.erase(it);
            FForms.insert(FForms.begin(), Form);
        }
    }
    if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
    if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor) return;
    FCursor = Value;
    if (Value != crDefault) {
        ::SetCursor(GetCursors(Value));
        return;
    }
    // Back to the controls' own cursors: ask the window under the mouse.
    POINT p;
    GetCursorPos(&p);
    HWND w = WindowFromPoint(p);
    if (w) SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), WM_MOUSEMOVE));
}

HCURSOR TScreen::GetCursors(TCursor Index)
{
    auto it = FCursors.find(Index);
    if (it != FCursors.end()) return it->second;
    LPCSTR id;
    switch (Index) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass:
    case crSQLWait: id = IDC_WAIT; break;
    case crNo:
    case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: id = IDC_ARROW; break;
    }
    HCURSOR h = LoadCursorA(nullptr, id);
    if (Index <= 0) FCursors[Index] = h;
    return h;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Value)
{
    auto it = FCursors.find(Index);
    if (it != FCursors.end() && Index > 0 && it->second != Value) DestroyCursor(it->second);
    if (Value) FCursors[Index] = Value;
    else FCursors.erase(Index);
}

int TScreen::GetPixelsPerInch() const { return ScreenPixelsPerInch(); }

TRect TScreen::GetWorkAreaRect() const
{
    RECT r;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return TRect(0, 0, GetWidth(), GetHeight());
    return TRect(r);
}

TRect TScreen::GetDesktopRect() const
{
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Bounds(x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void TScreen::GetMonitorsList()
{
    std::vector<HMONITOR> list;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&list));
    FMonitors.clear();
    for (size_t i = 0; i < list.size(); ++i) {
        std::unique_ptr<TMonitor> m(new TMonitor);
        m->FHandle = list[i];
        m->FNum = static_cast<int>(i);
        FMonitors.push_back(std::move(m));
    }
}

int TScreen::GetMonitorCount()
{
    GetMonitorsList();
    return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::GetMonitors(int Index)
{
    if (FMonitors.empty()) GetMonitorsList();
    if (Index < 0 || Index >= static_cast<int>(FMonitors.size())) return nullptr;
    return FMonitors[Index].get();
}

TMonitor* TScreen::FindMonitor(HMONITOR h)
{
    for (auto& m : FMonitors)
        if (m->FHandle == h) return m.get();
    GetMonitorsList();
    for (auto& m : FMonitors)
        if (m->FHandle == h) return m.get();
    return nullptr;
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd) { return FindMonitor(::MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST)); }

TMonitor* TScreen::MonitorFromPoint(const TPoint& P) { return FindMonitor(::MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST)); }
