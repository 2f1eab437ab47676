#include "ControlCanvas.h"
#include "Thread.h"
#include "WinControl.h"
#include <algorithm>
#include <vector>

namespace {
struct CanvasList {
    TCriticalSection Lock;
    std::vector<TControlCanvas*> Items;
};
CanvasList& Canvases()
{
    static CanvasList l;
    return l;
}
}

TControlCanvas::TControlCanvas(TControl* AControl) : FControl(AControl)
{
    CanvasList& l = Canvases();
    TLockGuard<TCriticalSection> g(l.Lock);
    l.Items.push_back(this);
}

TControlCanvas::~TControlCanvas()
{
    {
        CanvasList& l = Canvases();
        TLockGuard<TCriticalSection> g(l.Lock);
        l.Items.erase(std::remove(l.Items.begin(), l.Items.end(), this), l.Items.end());
    }
    FreeHandle();
}

void TControlCanvas::ReleaseAcquired()
{
    DeselectHandles();
    if (FAcquired && FHandle) {
        if (FScratch) DeleteDC(FHandle);
        else ReleaseDC(FWindow, FHandle);
    }
    FAcquired = false;
    FScratch = false;
    FWindow = nullptr;
    FHandle = nullptr;
    FState = 0;
}

void TControlCanvas::FreeHandle()
{
    TLockGuard<TCriticalSection> g(FHandleLock);
    ReleaseAcquired();
}

HDC TControlCanvas::BeginPaintDC(HDC DC)
{
    TLockGuard<TCriticalSection> g(FHandleLock);
    HDC prev = FPaintThread == GetCurrentThreadId() ? FPaintDC : nullptr;
    if (FHandle && FHandle == FPaintDC) ReleaseAcquired();
    FPaintDC = DC;
    FPaintThread = GetCurrentThreadId();
    return prev;
}

void TControlCanvas::EndPaintDC(HDC Previous)
{
    TLockGuard<TCriticalSection> g(FHandleLock);
    if (FHandle && FHandle == FPaintDC) ReleaseAcquired();
    FPaintDC = Previous;
    if (!Previous) FPaintThread = 0;
}

void TControlCanvas::ValidateHandle()
{
    TLockGuard<TCriticalSection> g(FHandleLock);
    DWORD me = GetCurrentThreadId();
    HDC want = (FPaintDC && FPaintThread == me) ? FPaintDC : nullptr;
    if (FHandle) {
        bool keep;
        if (want) keep = FHandle == want;
        else keep = FAcquired && FOwnerThread == me && !FStale;
        if (!keep) ReleaseAcquired();
    }
    if (!FHandle && want) {
        FHandle = want;
        FState = csHandleValid;
        FOwnerThread = me;
        FAcquired = false;
    }
}

void TControlCanvas::CreateHandle()
{
    TLockGuard<TCriticalSection> g(FHandleLock);
    if (FHandle) return;
    bool gui = MainThreadID == 0 || GetCurrentThreadId() == MainThreadID;
    HDC dc = nullptr;
    HWND wnd = nullptr;
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
        wnd = gui ? w->GetHandle() : w->GetWindowHandle();
        if (wnd) dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    } else if (TWinControl* p = FControl->GetParent()) {
        wnd = gui ? p->GetHandle() : p->GetWindowHandle();
        if (wnd) {
            dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
            if (dc) {
                SetViewportOrgEx(dc, FControl->GetLeft(), FControl->GetTop(), nullptr);
                IntersectClipRect(dc, 0, 0, FControl->GetWidth(), FControl->GetHeight());
            }
        }
    }
    FScratch = false;
    if (!dc) {
        // No window to draw on (no parent yet, or it is being taken away):
        // the drawing goes to a scratch DC instead of failing.
        dc = CreateCompatibleDC(nullptr);
        FScratch = true;
        wnd = nullptr;
    }
    FHandle = dc;
    FWindow = wnd;
    FAcquired = true;
    FOwnerThread = GetCurrentThreadId();
    FStale = false;
}

void TControlCanvas::FreeDeviceContexts()
{
    CanvasList& l = Canvases();
    TLockGuard<TCriticalSection> g(l.Lock);
    DWORD me = GetCurrentThreadId();
    for (TControlCanvas* c : l.Items) {
        if (!c->FAcquired || c->FOwnerThread != me) continue;
        if (!c->TryLock()) continue;
        c->FreeHandle();
        c->Unlock();
    }
}
