// TScreen: the forms that exist, the active form and control, the monitors and
// their work areas, and the cursors by number (negative: the system's).
#pragma once
#include "Control.h"
#include <map>
#include <vector>

class TCustomForm;
class TWinControl;

class TMonitor : public TObject {
public:
    HMONITOR GetHandle() const { return FHandle; }
    int GetMonitorNum() const { return FNum; }
    TRect GetBoundsRect() const;
    TRect GetWorkareaRect() const;
    bool GetPrimary() const;
    int GetWidth() const { return GetBoundsRect().Width(); }
    int GetHeight() const { return GetBoundsRect().Height(); }
private:
    friend class TScreen;
    HMONITOR FHandle = nullptr;
    int FNum = 0;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int GetFormCount() const { return static_cast<int>(FForms.size()); }
    // Forms in z-order of activation: the most recently active first.
    TCustomForm* GetForms(int Index) const { return FForms.at(Index); }
    TCustomForm* GetActiveForm() const { return FActiveForm; }
    TWinControl* GetActiveControl() const { return FActiveControl; }

    // A cursor shown everywhere (crHourGlass while busy); crDefault gives each control its own.
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    HCURSOR GetCursors(TCursor Index);
    // Cursor slots of the program (positive numbers); the screen destroys them.
    void SetCursors(TCursor Index, HCURSOR Value);

    int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
    int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
    int GetPixelsPerInch() const;
    TRect GetWorkAreaRect() const;
    int GetWorkAreaLeft() const { return GetWorkAreaRect().left; }
    int GetWorkAreaTop() const { return GetWorkAreaRect().top; }
    int GetWorkAreaWidth() const { return GetWorkAreaRect().Width(); }
    int GetWorkAreaHeight() const { return GetWorkAreaRect().Height(); }
    TRect GetDesktopRect() const;
    int GetMonitorCount();
    TMonitor* GetMonitors(int Index);
    TMonitor* MonitorFromWindow(HWND Wnd);
    TMonitor* MonitorFromPoint(const TPoint& P);

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Kept by the forms.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActive(TCustomForm* Form, TWinControl* Control);
    TCustomForm* FocusedForm = nullptr;

private:
    void GetMonitorsList();
    TMonitor* FindMonitor(HMONITOR h);
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::map<int, HCURSOR> FCursors;
    std::vector<std::unique_ptr<TMonitor>> FMonitors;
};

// The screen object of the program; it lives until the process ends.
extern TScreen* Screen;
