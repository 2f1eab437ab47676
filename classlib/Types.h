// Points, rectangles and sizes of the class library: the Win32 structures with
// the constructors and measures the library's code expects.
#pragma once
#include <windows.h>

struct TPoint : POINT {
    TPoint() { x = 0; y = 0; }
    TPoint(int ax, int ay) { x = ax; y = ay; }
    TPoint(const POINT& p) { x = p.x; y = p.y; }
    bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const TPoint& o) const { return !(*this == o); }
};

struct TRect : RECT {
    TRect() { left = top = right = bottom = 0; }
    TRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    TRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    TRect(const TPoint& tl, const TPoint& br) { left = tl.x; top = tl.y; right = br.x; bottom = br.y; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    TPoint TopLeft() const { return TPoint(left, top); }
    TPoint BottomRight() const { return TPoint(right, bottom); }
    // A rectangle without a positive width or height holds no point.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Left and top inclusive, right and bottom exclusive, as PtInRect.
    bool Contains(const TPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Inflate(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    bool operator==(const TRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const TRect& o) const { return !(*this == o); }
};

struct TSize : SIZE {
    TSize() { cx = 0; cy = 0; }
    TSize(int w, int h) { cx = w; cy = h; }
    TSize(const SIZE& s) { cx = s.cx; cy = s.cy; }
};

inline TPoint Point(int x, int y) { return TPoint(x, y); }
inline TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
inline TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
