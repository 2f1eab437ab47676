// The canvas of a control. A window-less control draws on its parent's window
// through a DC whose origin and clipping are moved to the control; a windowed
// control draws on its own window. Inside a paint message the canvas draws on
// the message's DC; outside one it borrows a DC of the window, per thread, so
// a control may be repainted from a worker thread (as the video panel is).
#pragma once
#include "Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* AControl);
    ~TControlCanvas() override;
    TControl* GetControl() const { return FControl; }
    // Lets go of a DC this canvas borrowed (one handed in is only forgotten).
    void FreeHandle();
    // The control moved or lost its parent: the next drawing takes a new DC.
    void MarkStale() { FStale = true; }
    // A paint message runs on this thread with DC; returns what to give back to EndPaintDC.
    HDC BeginPaintDC(HDC DC);
    void EndPaintDC(HDC Previous);
    // Frees the DCs that canvases borrowed on the GUI thread (called when idle).
    static void FreeDeviceContexts();
protected:
    void CreateHandle() override;
    void ValidateHandle() override;
private:
    void ReleaseAcquired();
    TControl* FControl;
    HWND FWindow = nullptr;          // the window the DC came from
    bool FAcquired = false;          // FHandle was borrowed (GetDCEx or a scratch DC)
    bool FScratch = false;
    DWORD FOwnerThread = 0;
    volatile bool FStale = false;
    HDC FPaintDC = nullptr;
    DWORD FPaintThread = 0;
    TCriticalSection FHandleLock;
};

// A paint message's DC on a control's canvas for the scope of the painting:
// the canvas goes back to what it drew on before, also when Paint throws.
class TPaintDCScope {
public:
    TPaintDCScope(TControlCanvas& Canvas, HDC DC) : FCanvas(Canvas), FPrevious(Canvas.BeginPaintDC(DC)) {}
    ~TPaintDCScope() { FCanvas.EndPaintDC(FPrevious); }
    TPaintDCScope(const TPaintDCScope&) = delete;
    TPaintDCScope& operator=(const TPaintDCScope&) = delete;
private:
    TControlCanvas& FCanvas;
    HDC FPrevious;
};
