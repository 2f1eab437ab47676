// Move-only owners of the GDI and USER handles that the class library creates
// (the one holder of UniqueHandle.h with their traits), and scoped guards that
// undo a selection or release a borrowed device context.
#pragma once
#include "UniqueHandle.h"
#include <windows.h>
#include <utility>

// Owns one GDI object (pen, brush, font, bitmap, region, palette) and deletes it.
template <class H> struct TGdiObjectTraits {
    typedef H Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr; }
    static void Close(Type h) { DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
};
template <class H> using TGdiObject = TUniqueHandle<TGdiObjectTraits<H>>;

typedef TGdiObject<HFONT> TFontHandle;
typedef TGdiObject<HPEN> TPenHandle;
typedef TGdiObject<HBRUSH> TBrushHandle;
typedef TGdiObject<HBITMAP> TBitmapHandle;
typedef TGdiObject<HRGN> TRegionHandle;
typedef TGdiObject<HPALETTE> TPaletteHandle;

// A memory device context made with CreateCompatibleDC, deleted with DeleteDC.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible = nullptr) : FDC(CreateCompatibleDC(compatible)) {}
    ~TMemoryDC() { if (FDC) DeleteDC(FDC); }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return FDC; }
private:
    HDC FDC;
};

// A window's device context, given back with ReleaseDC: its client area
// (GetDC; no window gives the screen's), or with Whole the whole window, frame
// included (GetWindowDC; no window gives no DC, never the screen's).
template <bool Whole>
class TBorrowedDC {
public:
    explicit TBorrowedDC(HWND wnd) : FWnd(wnd), FDC(Whole ? (wnd ? GetWindowDC(wnd) : nullptr) : GetDC(wnd)) {}
    ~TBorrowedDC() { if (FDC) ReleaseDC(FWnd, FDC); }
    TBorrowedDC(const TBorrowedDC&) = delete;
    TBorrowedDC& operator=(const TBorrowedDC&) = delete;
    HDC Get() const { return FDC; }
private:
    HWND FWnd;
    HDC FDC;
};
using TWindowDC = TBorrowedDC<false>;
using TWholeWindowDC = TBorrowedDC<true>;

// Hands Rgn to Wnd as its window region; a null region takes the region away.
// On success the system owns Rgn (and has freed the region the window had): the
// caller must not delete it. On failure Rgn is deleted here. Returns whether the
// window took it.
inline bool GiveWindowRegion(HWND wnd, HRGN rgn)
{
    if (SetWindowRgn(wnd, rgn, TRUE)) return true;
    if (rgn) DeleteObject(rgn);
    return false;
}

// Selects an object into a device context for the scope and puts the old one back.
class TSelectGuard {
public:
    TSelectGuard(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
    ~TSelectGuard() { if (FOld) SelectObject(FDC, FOld); }
    TSelectGuard(const TSelectGuard&) = delete;
    TSelectGuard& operator=(const TSelectGuard&) = delete;
private:
    HDC FDC;
    HGDIOBJ FOld;
};

// SaveDC for the scope; RestoreDC undoes clipping and origin changes made inside.
class TSaveDCGuard {
public:
    explicit TSaveDCGuard(HDC dc) : FDC(dc), FIndex(SaveDC(dc)) {}
    ~TSaveDCGuard() { if (FIndex) RestoreDC(FDC, FIndex); }
    TSaveDCGuard(const TSaveDCGuard&) = delete;
    TSaveDCGuard& operator=(const TSaveDCGuard&) = delete;
private:
    HDC FDC;
    int FIndex;
};

// BeginPaint ... EndPaint for the scope of a WM_PAINT handler.
class TPaintGuard {
public:
    explicit TPaintGuard(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPS)) {}
    ~TPaintGuard() { EndPaint(FWnd, &FPS); }
    TPaintGuard(const TPaintGuard&) = delete;
    TPaintGuard& operator=(const TPaintGuard&) = delete;
    HDC Get() const { return FDC; }
    const PAINTSTRUCT& PS() const { return FPS; }
private:
    HWND FWnd;
    PAINTSTRUCT FPS;
    HDC FDC;
};

// Owns an icon or cursor made by our code (not a shared one from LoadIcon).
struct TIconHandleTraits {
    typedef HICON Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};
typedef TUniqueHandle<TIconHandleTraits> TIconHandle;

// Owns a menu handle that no window holds (a window destroys its own menu bar).
struct TMenuHandleTraits {
    typedef HMENU Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};
typedef TUniqueHandle<TMenuHandleTraits> TMenuHandle;
