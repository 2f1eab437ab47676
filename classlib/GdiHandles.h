// Move-only owners of the GDI and USER handles that the class library creates,
// and scoped guards that undo a selection or release a borrowed device context.
#pragma once
#include <windows.h>
#include <utility>

// Owns one GDI object (pen, brush, font, bitmap, region, palette) and deletes it.
template <class H> class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H h) : FHandle(h) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& o) noexcept : FHandle(o.Release()) {}
    TGdiObject& operator=(TGdiObject&& o) noexcept
    {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    H Release()
    {
        H h = FHandle;
        FHandle = nullptr;
        return h;
    }
    void Reset(H h = nullptr)
    {
        if (FHandle && FHandle != h) DeleteObject(reinterpret_cast<HGDIOBJ>(FHandle));
        FHandle = h;
    }
private:
    H FHandle = nullptr;
};

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

// A device context borrowed with GetDC, given back with ReleaseDC.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
    ~TWindowDC() { if (FDC) ReleaseDC(FWnd, FDC); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FDC; }
private:
    HWND FWnd;
    HDC FDC;
};

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
class TIconHandle {
public:
    TIconHandle() = default;
    explicit TIconHandle(HICON h) : FHandle(h) {}
    ~TIconHandle() { Reset(); }
    TIconHandle(TIconHandle&& o) noexcept : FHandle(o.Release()) {}
    TIconHandle& operator=(TIconHandle&& o) noexcept
    {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    TIconHandle(const TIconHandle&) = delete;
    TIconHandle& operator=(const TIconHandle&) = delete;
    HICON Get() const { return FHandle; }
    HICON Release()
    {
        HICON h = FHandle;
        FHandle = nullptr;
        return h;
    }
    void Reset(HICON h = nullptr)
    {
        if (FHandle && FHandle != h) DestroyIcon(FHandle);
        FHandle = h;
    }
private:
    HICON FHandle = nullptr;
};

// Owns a menu handle that no window holds (a window destroys its own menu bar).
class TMenuHandle {
public:
    TMenuHandle() = default;
    explicit TMenuHandle(HMENU h) : FHandle(h) {}
    ~TMenuHandle() { Reset(); }
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    HMENU Get() const { return FHandle; }
    HMENU Release()
    {
        HMENU h = FHandle;
        FHandle = nullptr;
        return h;
    }
    void Reset(HMENU h = nullptr)
    {
        if (FHandle && FHandle != h) DestroyMenu(FHandle);
        FHandle = h;
    }
private:
    HMENU FHandle = nullptr;
};
