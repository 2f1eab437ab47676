// A plain window in place of the class library's form until that form is
// written: it keeps the standard properties and the parts' places and
// pictures, draws the parts as framed boxes, and turns clicks on the buttons
// into the form's actions. Replace CreateActiveFormXView to plug the real form in.
#include "ActiveFormXView.h"
#include "Classes.h"
#include <algorithm>

namespace {

const char* const kFormClass = "QuendaStandInForm";
const char* const kPopupClass = "QuendaStandInPopup";
const UINT_PTR kTimerId = 1;

HINSTANCE ThisModule()
{
    HMODULE m = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &m);
    return m;
}

const char* const kPartNames[fpPartCount] = {"Send", "Video", "Audio", "Call", "Pop-out", "video lamp", "sound lamp",
                                             "Call lamp", "pop-out lamp", "on-line", "chat", "input"};

class TStandInFormView : public IActiveFormXView {
public:
    explicit TStandInFormView(HWND Parent);
    ~TStandInFormView() override;

    HWND Handle() override { return FWnd; }
    void SetParentWindow(HWND Parent) override;
    void SetBounds(int Left, int Top, int Width, int Height) override
    {
        MoveWindow(FWnd, Left, Top, Width, Height, TRUE);
    }
    void SetSize(int Width, int Height) override
    {
        SetWindowPos(FWnd, nullptr, 0, 0, Width, Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int Width() override { return WindowRect().right - WindowRect().left; }
    int Height() override { return WindowRect().bottom - WindowRect().top; }
    void PaintTo(HDC DC, const RECT& Bounds) override;

    int GetProp(TFormProp Prop) override;
    void SetProp(TFormProp Prop, int Value) override;
    std::string GetText(TFormTextProp Prop) override { return Prop == fpCaption ? FCaption : FHelpFile; }
    void SetText(TFormTextProp Prop, const std::string& Value) override;
    void GetFont(LOGFONTA& Font) override { Font = FFont; }
    void SetFont(const LOGFONTA& Font) override { FFont = Font; }

    void SetPartBounds(TFormPart Part, int Left, int Top, int Width, int Height) override
    {
        SetRect(&FParts[Part], Left, Top, Left + Width, Top + Height);
        InvalidateRect(FWnd, nullptr, TRUE);
    }
    void MovePart(TFormPart Part, int Left, int Top) override
    {
        RECT& r = FParts[Part];
        OffsetRect(&r, Left - r.left, Top - r.top);
        InvalidateRect(FWnd, nullptr, TRUE);
    }
    RECT PartBounds(TFormPart Part) override { return FParts[Part]; }
    void SetPicture(TFormPart Part, int Index) override
    {
        FPictures[Part] = Index;
        InvalidateRect(FWnd, &FParts[Part], TRUE);
    }
    int Picture(TFormPart Part) override { return FPictures[Part]; }

    TStrings* ChatLines() override { return &FChat; }
    std::string InputText() override { return FInput; }
    void SetInputText(const std::string& Text) override { FInput = Text; }
    void FocusInput() override {}

    void InsertPanel(CMpeg4Panel* Panel, bool InPopup, int, int, int, int, bool) override
    {
        FPanel = Panel;
        FPanelInPopup = InPopup;
    }
    void RemovePanel(CMpeg4Panel* Panel) override
    {
        if (FPanel == Panel) FPanel = nullptr;
    }

    void OpenPopup(const std::string& Caption, int Width, int Height) override;
    void ClosePopup() override;
    bool PopupOpen() override { return FPopup != nullptr; }

    void StartTimer(UINT Interval) override
    {
        FTimer = SetTimer(FWnd, kTimerId, Interval, nullptr) != 0;
    }
    void StopTimer() override
    {
        if (FTimer) KillTimer(FWnd, kTimerId);
        FTimer = false;
    }
    bool TimerEnabled() override { return FTimer; }
    void ShowMessage(const std::string& Text) override { MessageBoxA(FWnd, Text.c_str(), "Quenda", MB_OK); }

private:
    static LRESULT CALLBACK WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    static LRESULT CALLBACK PopupProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    LRESULT Dispatch(UINT Msg, WPARAM WParam, LPARAM LParam);
    RECT WindowRect()
    {
        RECT r = {};
        GetWindowRect(FWnd, &r);
        return r;
    }
    void Paint(HDC DC);
    TFormPart ButtonAt(int X, int Y);
    void Raise(const std::function<void()>& Event)
    {
        if (Event) Event();
    }

    HWND FWnd = nullptr;
    HWND FPopup = nullptr;
    bool FTimer = false;
    int FProps[fpPropCount] = {};
    std::string FCaption = "Client";
    std::string FHelpFile;
    LOGFONTA FFont = {};
    RECT FParts[fpPartCount] = {};
    int FPictures[fpPartCount];
    TStringList FChat;
    std::string FInput;
    CMpeg4Panel* FPanel = nullptr;
    bool FPanelInPopup = false;
    TFormPart FPressed = fpPartCount;
};

TStandInFormView::TStandInFormView(HWND Parent)
{
    std::fill(std::begin(FPictures), std::end(FPictures), -1);
    FProps[fpVisible] = 1;
    FProps[fpEnabled] = 1;
    FProps[fpScaled] = 1;
    FProps[fpPixelsPerInch] = 96;
    FProps[fpColor] = RGB(212, 216, 228);
    FProps[fpAxBorderStyle] = 0;
    FProps[fpPrintScale] = 1;
    FFont.lfHeight = -11;
    lstrcpynA(FFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    HINSTANCE inst = ThisModule();
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TStandInFormView::WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    RegisterClassA(&wc);
    wc.style = 0;
    wc.lpfnWndProc = &TStandInFormView::PopupProc;
    wc.lpszClassName = kPopupClass;
    RegisterClassA(&wc);
    DWORD style = Parent ? WS_CHILD | WS_CLIPCHILDREN : WS_POPUP;
    FWnd = CreateWindowExA(0, kFormClass, FCaption.c_str(), style, 0, 0, 177, 536, Parent, nullptr, inst, this);
    if (!FWnd) throw EOSError("The form's window cannot be created");
}

TStandInFormView::~TStandInFormView()
{
    ClosePopup();
    if (FWnd) {
        SetWindowLongPtrA(FWnd, GWLP_USERDATA, 0);
        DestroyWindow(FWnd);
    }
}

void TStandInFormView::SetParentWindow(HWND Parent)
{
    LONG style = GetWindowLongA(FWnd, GWL_STYLE);
    style = Parent ? (style & ~WS_POPUP) | WS_CHILD : (style & ~WS_CHILD) | WS_POPUP;
    SetWindowLongA(FWnd, GWL_STYLE, style);
    SetParent(FWnd, Parent);
}

int TStandInFormView::GetProp(TFormProp Prop)
{
    if (Prop == fpVisible) return IsWindowVisible(FWnd) ? 1 : 0;
    if (Prop == fpActive) return GetFocus() == FWnd ? 1 : 0;
    return FProps[Prop];
}

void TStandInFormView::SetProp(TFormProp Prop, int Value)
{
    switch (Prop) {
    case fpActive: case fpAlignDisabled: case fpVisibleDockClientCount: return; // read only
    case fpVisible: ShowWindow(FWnd, Value ? SW_SHOWNA : SW_HIDE); break;
    case fpEnabled: EnableWindow(FWnd, Value != 0); break;
    default: break;
    }
    FProps[Prop] = Value;
    InvalidateRect(FWnd, nullptr, TRUE);
}

void TStandInFormView::SetText(TFormTextProp Prop, const std::string& Value)
{
    if (Prop == fpCaption) {
        FCaption = Value;
        SetWindowTextA(FWnd, Value.c_str());
    } else {
        FHelpFile = Value;
    }
}

void TStandInFormView::OpenPopup(const std::string& Caption, int Width, int Height)
{
    if (FPopup) return;
    int x = (GetSystemMetrics(SM_CXSCREEN) - Width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - Height) / 2;
    FPopup = CreateWindowExA(0, kPopupClass, Caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, Width, Height,
                             nullptr, nullptr, ThisModule(), nullptr);
    if (FPopup) SetWindowLongPtrA(FPopup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TStandInFormView::ClosePopup()
{
    HWND w = FPopup;
    FPopup = nullptr;
    if (w) {
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        DestroyWindow(w);
    }
}

TFormPart TStandInFormView::ButtonAt(int X, int Y)
{
    POINT p = {X, Y};
    for (int i = fpImageSend; i <= fpImagePopup; ++i)
        if (PtInRect(&FParts[i], p)) return static_cast<TFormPart>(i);
    return fpPartCount;
}

void TStandInFormView::Paint(HDC DC)
{
    RECT client;
    GetClientRect(FWnd, &client);
    HBRUSH back = CreateSolidBrush(static_cast<COLORREF>(FProps[fpColor]));
    FillRect(DC, &client, back);
    DeleteObject(back);
    SetBkMode(DC, TRANSPARENT);
    for (int i = 0; i < fpPartCount; ++i) {
        RECT r = FParts[i];
        if (IsRectEmpty(&r)) continue;
        FrameRect(DC, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        std::string label = kPartNames[i];
        if (FPictures[i] >= 0) label += " " + IntToStr(FPictures[i]);
        if (i == fpChatView && FChat.GetCount()) label = FChat[FChat.GetCount() - 1];
        if (i == fpInputMessage && !FInput.empty()) label = FInput;
        DrawTextA(DC, label.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void TStandInFormView::PaintTo(HDC DC, const RECT& Bounds)
{
    int saved = SaveDC(DC);
    SetViewportOrgEx(DC, Bounds.left, Bounds.top, nullptr);
    IntersectClipRect(DC, 0, 0, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    Paint(DC);
    RestoreDC(DC, saved);
}

LRESULT TStandInFormView::Dispatch(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    short x = static_cast<short>(LOWORD(LParam)), y = static_cast<short>(HIWORD(LParam));
    switch (Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FWnd, &ps);
        Paint(dc);
        EndPaint(FWnd, &ps);
        Raise(Events.OnPaint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (WParam == kTimerId && Actions.Timer1Timer) Actions.Timer1Timer();
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(FWnd);
        FPressed = ButtonAt(x, y);
        if (FPressed != fpPartCount && Actions.ButtonMouse) Actions.ButtonMouse(FPressed, true);
        return 0;
    case WM_LBUTTONUP: {
        TFormPart b = FPressed;
        FPressed = fpPartCount;
        if (b != fpPartCount && Actions.ButtonMouse) Actions.ButtonMouse(b, false);
        if (b != fpPartCount && b == ButtonAt(x, y) && Actions.ButtonClick) Actions.ButtonClick(b);
        Raise(Events.OnClick);
        return 0;
    }
    case WM_LBUTTONDBLCLK: Raise(Events.OnDblClick); return 0;
    case WM_MOUSEMOVE: Raise(Events.OnMouseMove); return 0;
    case WM_SETFOCUS: Raise(Events.OnActivate); return 0;
    case WM_KILLFOCUS: Raise(Events.OnDeactivate); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_CHAR: {
        short key = static_cast<short>(WParam);
        if (Events.OnKeyPress) Events.OnKeyPress(key);
        if (key == '\r') {
            if (Actions.ButtonClick) Actions.ButtonClick(fpImageSend);
        } else if (key == '\b') {
            if (!FInput.empty()) FInput.pop_back();
        } else if (key >= ' ') {
            FInput += static_cast<char>(key);
        }
        InvalidateRect(FWnd, &FParts[fpInputMessage], TRUE);
        return 0;
    }
    default: return DefWindowProcA(FWnd, Msg, WParam, LParam);
    }
}

LRESULT CALLBACK TStandInFormView::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(LParam);
        SetWindowLongPtrA(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<TStandInFormView*>(cs->lpCreateParams)->FWnd = Wnd;
    }
    auto* self = reinterpret_cast<TStandInFormView*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    try {
        return self->Dispatch(Msg, WParam, LParam);
    } catch (...) {
        // An exception of a handler ends here, not in the host's message loop.
        return 0;
    }
}

LRESULT CALLBACK TStandInFormView::PopupProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* self = reinterpret_cast<TStandInFormView*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (Msg == WM_CLOSE && self) {
        try {
            if (self->Actions.PopupFormClose) self->Actions.PopupFormClose();
        } catch (...) {
        }
        // The window goes only after its close handling is over.
        self->ClosePopup();
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

} // namespace

std::unique_ptr<IActiveFormXView> CreateActiveFormXView(HWND Parent)
{
    return std::make_unique<TStandInFormView>(Parent);
}
