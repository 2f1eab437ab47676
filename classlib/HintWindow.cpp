#include "HintWindow.h"
#include "GdiHandles.h"
#include <vector>

namespace {
// Text sits this far inside the client area on every side.
const int kTextMargin = 2;
const UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    // Made hidden: only ActivateHint shows it.
    FVisible = false;
    FColor = clInfoBk;
    FParentColor = false;
    FParentFont = false;
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = nullptr;
    // What lies under a hint is kept, not repainted, when the hint goes.
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WinClassName = "THintWindow";
}

void THintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); break;
    default: TCustomControl::Dispatch(Message); break;
    }
}

void THintWindow::WMNCHitTest(TMessage& Message)
{
    // The mouse belongs to the control under the hint.
    Message.Result = HTTRANSPARENT;
}

void THintWindow::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint)
{
    // Measured on a screen-compatible DC so no window is needed yet.
    TMemoryDC dc(nullptr);
    TSelectGuard font(dc.Get(), FFont->GetHandle());
    RECT r = {0, 0, MaxWidth > 0 ? MaxWidth : GetSystemMetrics(SM_CXSCREEN), 0};
    DrawTextA(dc.Get(), AHint.c_str(), static_cast<int>(AHint.size()), &r, kTextFormat | DT_CALCRECT);
    // The border (one pixel each side) and the margin around the text.
    const int extra = 2 * (kTextMargin + 1);
    return TRect(0, 0, r.right - r.left + extra, r.bottom - r.top + extra);
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    SetCaption(AHint);
    TRect r = Rect;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    if (r.right > sw) r.Offset(sw - r.right, 0);
    if (r.left < 0) r.Offset(-r.left, 0);
    if (r.bottom > sh) r.Offset(0, sh - r.bottom);
    if (r.top < 0) r.Offset(0, -r.top);
    HWND wnd = GetHandle();
    FVisible = true;
    SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateBoundsRect(r);
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
}

void THintWindow::ReleaseHandle()
{
    FVisible = false;
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

bool THintWindow::GetActive() const { return FHandle && IsWindowVisible(FHandle); }

bool THintWindow::IsHintMsg(const MSG& Msg)
{
    switch (Msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL: case WM_ACTIVATEAPP: case WM_CANCELMODE:
        return GetActive();
    default:
        return false;
    }
}

void THintWindow::Paint()
{
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(r);
    c->GetFont()->Assign(GetFont());
    c->GetFont()->SetColor(clInfoText);
    c->GetBrush()->SetStyle(bsClear);
    r.Inflate(-kTextMargin, -kTextMargin);
    c->DrawText(GetCaption(), r, kTextFormat);
}

std::string GetShortHint(const std::string& Hint)
{
    size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint)
{
    size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

int CursorHeightMargin(HCURSOR Cursor)
{
    const int fallback = GetSystemMetrics(SM_CYCURSOR);
    ICONINFO ii = {};
    if (!Cursor || !GetIconInfo(Cursor, &ii)) return fallback;
    TBitmapHandle mask(ii.hbmMask), color(ii.hbmColor);
    BITMAP bm = {};
    if (!mask || !GetObjectA(mask.Get(), sizeof(bm), &bm) || bm.bmBitsPixel != 1 || bm.bmPlanes != 1)
        return fallback;
    const int w = bm.bmWidth, stride = bm.bmWidthBytes;
    // A cursor without a colour bitmap carries its AND mask over its XOR mask in one bitmap.
    const int rows = color ? bm.bmHeight : bm.bmHeight / 2;
    if (w <= 0 || rows <= 0 || w > 1024 || bm.bmHeight > 2048 || stride < (w + 7) / 8) return fallback;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * bm.bmHeight);
    if (GetBitmapBits(mask.Get(), static_cast<LONG>(bits.size()), bits.data()) != static_cast<LONG>(bits.size()))
        return fallback;
    auto bit = [&](int row, int x) { return (bits[static_cast<size_t>(row) * stride + x / 8] >> (7 - x % 8)) & 1; };
    // A pixel shows where the AND bit is clear, or, in a monochrome cursor, where
    // the XOR bit inverts the screen. Rows run from the top (device bitmap order).
    int lowest = -1;
    for (int y = rows - 1; y >= 0 && lowest < 0; --y)
        for (int x = 0; x < w; ++x)
            if (!bit(y, x) || (!color && bit(y + rows, x))) {
                lowest = y;
                break;
            }
    if (lowest < 0) return fallback;
    return lowest + 1 - static_cast<int>(ii.yHotspot);
}

int GetCursorHeightMargin()
{
    CURSORINFO ci = {sizeof(ci)};
    HCURSOR cur = GetCursorInfo(&ci) && ci.hCursor ? ci.hCursor : GetCursor();
    return CursorHeightMargin(cur);
}
