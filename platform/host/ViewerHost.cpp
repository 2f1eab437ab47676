#include "ViewerHost.h"
#include "ControlSinks.h"
#include "SysUtils.h"
#include <cstdlib>
#include <vector>

namespace {

const char* const WindowClassName = "ViewerHostWindow";
const UINT_PTR CloseTimer = 1;
// The largest layout's size, for a page whose element gives none.
const int DefaultWidth = 808;
const int DefaultHeight = 524;

void FreeExcepInfo(EXCEPINFO& e)
{
    SysFreeString(e.bstrSource);
    SysFreeString(e.bstrDescription);
    SysFreeString(e.bstrHelpFile);
}

// How the page wrote the value: text in quotation marks, a number without.
std::string Literal(const TScriptAssignment& a) { return a.Quoted ? "\"" + a.Value + "\"" : a.Value; }

} // namespace

std::string GuidText(const GUID& guid)
{
    WCHAR w[40] = {0};
    StringFromGUID2(guid, w, 40);
    return WideToAnsi(w);
}

bool GuidFromText(const std::string& text, GUID& guid)
{
    std::string braced = text;
    if (braced.empty() || braced.front() != '{') braced = "{" + braced + "}";
    // Exactly a GUID: the conversion would otherwise look the text up as a ProgID.
    if (braced.size() != 38) return false;
    TWideString w = AnsiToWide(braced);
    return SUCCEEDED(CLSIDFromString(&w[0], &guid));
}

TViewerHost::TViewerHost(THostLog& log) : FLog(log) {}

TViewerHost::~TViewerHost()
{
    CloseControl();
    if (FWindow) DestroyWindow(FWindow);
    if (FSite) FSite->Release();
}

int TViewerHost::Run(const TViewerPage& page, int seconds)
{
    int width = page.Width > 0 ? page.Width : DefaultWidth;
    int height = page.Height > 0 ? page.Height : DefaultHeight;
    if (!CreateWnd(width, height)) {
        FLog.Line("error no window (is there a display?)");
        return heWindow;
    }
    FPosition = {0, 0, width, height};
    FSite = new TControlSite(FWindow, FPosition, page.ObjectId, FLog);

    // Everything up to the activation happens before any message is pumped, as
    // the page's script runs before the browser gets back to its message loop.
    if (!CreateControl(page)) return heCreate;
    DWORD misc = 0;
    FOleObject->GetMiscStatus(DVASPECT_CONTENT, &misc);
    FLog.Line("misc-status " + HexResult(static_cast<HRESULT>(misc)));
    if (misc & OLEMISC_SETCLIENTSITEFIRST) SetSite();
    TComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(FControl.As(IID_IPersistStreamInit, persist)))
        FLog.Line("init-new hr=" + HexResult(persist->InitNew()));
    SetSite();
    ConnectSinks();
    SetProperties(page.Assignments);
    if (!Activate()) {
        CloseControl();
        return heActivate;
    }
    ShowWindow(FWindow, SW_SHOW);
    UpdateWindow(FWindow);
    if (seconds > 0) SetTimer(FWindow, CloseTimer, static_cast<UINT>(seconds) * 1000u, nullptr);
    FLog.Line("running");
    return MessageLoop();
}

bool TViewerHost::CreateWnd(int clientWidth, int clientHeight)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), WindowClassName, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = WindowClassName;
        if (!RegisterClassExA(&wc)) return false;
    }
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT r = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    FWindow = CreateWindowExA(0, WindowClassName, "Viewer host", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    return FWindow != nullptr;
}

bool TViewerHost::CreateControl(const TViewerPage& page)
{
    CLSID clsid;
    if (!GuidFromText(page.ClassId, clsid)) {
        FLog.Line("error not a class identifier: " + page.ClassId);
        return false;
    }
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, FControl.PutVoid());
    if (FAILED(hr)) {
        FLog.Line("error create " + GuidText(clsid) + " hr=" + HexResult(hr) + " (is the control registered?)");
        return false;
    }
    FLog.Line("created " + GuidText(clsid));
    hr = FControl.As(IID_IOleObject, FOleObject);
    if (FAILED(hr)) {
        FLog.Line("error the object is no control (IOleObject hr=" + HexResult(hr) + ")");
        FControl.Reset();
        return false;
    }
    return true;
}

void TViewerHost::SetSite()
{
    if (FSiteSet) return;
    HRESULT hr = FOleObject->SetClientSite(static_cast<IOleClientSite*>(FSite));
    FSiteSet = true;
    FLog.Line("site set hr=" + HexResult(hr));
}

void TViewerHost::ConnectSinks()
{
    TComPtr<IConnectionPointContainer> points;
    if (FAILED(FControl.As(IID_IConnectionPointContainer, points))) {
        FLog.Line("sinks none (no connection points)");
        return;
    }
    // The control names its default event interface when it can; otherwise it is
    // the viewer control's.
    IID eventsIid = DIID_ViewerEvents;
    TComPtr<IProvideClassInfo2> info;
    if (SUCCEEDED(FControl.As(IID_IProvideClassInfo2, info))) {
        IID named;
        if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &named))) eventsIid = named;
    }
    HRESULT hr = points->FindConnectionPoint(eventsIid, FEventsPoint.Put());
    if (SUCCEEDED(hr)) {
        TEventSink* sink = new TEventSink(eventsIid, FLog);
        hr = FEventsPoint->Advise(sink, &FEventsCookie);
        sink->Release();
        if (FAILED(hr)) FEventsPoint.Reset();
    }
    FLog.Line(std::string(SUCCEEDED(hr) ? "sink events connected " : "sink events failed ") + GuidText(eventsIid) +
              " hr=" + HexResult(hr));

    hr = points->FindConnectionPoint(IID_IPropertyNotifySink, FPropertyPoint.Put());
    if (SUCCEEDED(hr)) {
        TPropertySink* sink = new TPropertySink(FLog);
        hr = FPropertyPoint->Advise(sink, &FPropertyCookie);
        sink->Release();
        if (FAILED(hr)) FPropertyPoint.Reset();
    }
    FLog.Line(std::string(SUCCEEDED(hr) ? "sink property-notify connected" : "sink property-notify failed") +
              " hr=" + HexResult(hr));
}

void TViewerHost::SetProperties(const std::vector<TScriptAssignment>& assignments)
{
    TComPtr<IDispatch> disp;
    if (FAILED(FControl.As(IID_IDispatch, disp))) {
        if (!assignments.empty()) FLog.Line("error the control has no IDispatch: no property set");
        return;
    }
    for (const TScriptAssignment& a : assignments) {
        // The name goes as the script wrote it; the control matches it without regard to case.
        TWideString name = AnsiToWide(a.Name);
        LPOLESTR names[1] = {&name[0]};
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) {
            FLog.Line("set " + a.Name + " " + Literal(a) + " unknown hr=" + HexResult(hr));
            continue;
        }
        VARIANT value;
        VariantInit(&value);
        if (a.Quoted) {
            V_VT(&value) = VT_BSTR;
            V_BSTR(&value) = AnsiToBstr(a.Value);
        } else {
            V_VT(&value) = VT_I4;
            V_I4(&value) = std::atoi(a.Value.c_str());
        }
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&value, &put, 1, 1};
        EXCEPINFO excep = {};
        UINT argErr = 0;
        hr = disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &excep, &argErr);
        VariantClear(&value);
        FreeExcepInfo(excep);
        FLog.Line("set " + a.Name + " " + Literal(a) + " dispid=" + std::to_string(id) + " hr=" + HexResult(hr));
    }
}

bool TViewerHost::Activate()
{
    // Tell the control its size on the page before it shows itself.
    HDC dc = GetDC(nullptr);
    int dpiX = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96, dpiY = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    SIZEL extent = {MulDiv(FPosition.right - FPosition.left, 2540, dpiX),
                    MulDiv(FPosition.bottom - FPosition.top, 2540, dpiY)};
    FOleObject->SetExtent(DVASPECT_CONTENT, &extent);

    IOleClientSite* site = static_cast<IOleClientSite*>(FSite);
    HRESULT hr = FOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, FWindow, &FPosition);
    FLog.Line("activated verb=" + std::to_string(OLEIVERB_INPLACEACTIVATE) + " hr=" + HexResult(hr));
    if (FAILED(hr)) {
        hr = FOleObject->DoVerb(OLEIVERB_SHOW, nullptr, site, 0, FWindow, &FPosition);
        FLog.Line("activated verb=" + std::to_string(OLEIVERB_SHOW) + " hr=" + HexResult(hr));
    }
    if (FAILED(hr)) {
        FLog.Line("error the control did not activate");
        return false;
    }
    if (SUCCEEDED(FControl.As(IID_IOleInPlaceObject, FInPlaceObject)))
        FSite->SetInPlaceObject(FInPlaceObject.Get());
    return true;
}

int TViewerHost::MessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && FSite && FSite->PreTranslate(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return heOk;
}

void TViewerHost::CloseControl()
{
    if (FClosed || !FOleObject) return;
    FClosed = true;
    FLog.Line("closing");
    if (FInPlaceObject) {
        HRESULT hr = FInPlaceObject->InPlaceDeactivate();
        if (FAILED(hr)) FLog.Line("deactivate hr=" + HexResult(hr));
    }
    HRESULT hr = FOleObject->Close(OLECLOSE_NOSAVE);
    if (FAILED(hr)) FLog.Line("close hr=" + HexResult(hr));
    if (FEventsPoint) FEventsPoint->Unadvise(FEventsCookie);
    if (FPropertyPoint) FPropertyPoint->Unadvise(FPropertyCookie);
    FEventsPoint.Reset();
    FPropertyPoint.Reset();
    if (FSiteSet) FOleObject->SetClientSite(nullptr);
    if (FSite) FSite->Detach();
    FInPlaceObject.Reset();
    FOleObject.Reset();
    FControl.Reset();
    FLog.Line("closed");
}

LRESULT CALLBACK TViewerHost::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TViewerHost*>(cs->lpCreateParams);
        self->FWindow = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TViewerHost*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);
    try {
        return self->WndProc(msg, wParam, lParam);
    } catch (...) {
        self->FLog.Line("error unexpected failure in the host window");
        return 0;
    }
}

LRESULT TViewerHost::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        WMClose();
        return 0;
    case WM_DESTROY:
        WMDestroy();
        return 0;
    case WM_TIMER:
        WMTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    default:
        return DefWindowProcA(FWindow, msg, wParam, lParam);
    }
}

void TViewerHost::WMClose()
{
    KillTimer(FWindow, CloseTimer);
    CloseControl();
    DestroyWindow(FWindow);
}

void TViewerHost::WMDestroy()
{
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
    FWindow = nullptr;
    PostQuitMessage(0);
}

void TViewerHost::WMTimer(UINT_PTR id)
{
    if (id == CloseTimer) PostMessageA(FWindow, WM_CLOSE, 0, 0);
}
