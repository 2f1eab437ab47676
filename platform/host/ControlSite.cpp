#include "ControlSite.h"
#include "SysUtils.h"
#include <vector>

namespace {

// Pixels per logical inch of the screen, across and down.
void ScreenDpi(int& x, int& y)
{
    HDC dc = GetDC(nullptr);
    x = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    y = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    if (x <= 0) x = 96;
    if (y <= 0) y = 96;
}

const int HimetricPerInch = 2540;

} // namespace

BSTR AnsiToBstr(const std::string& text)
{
    TWideString wide = AnsiToWide(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

TControlSite::TControlSite(HWND window, const RECT& position, const std::string& displayName, THostLog& log)
    : FWindow(window), FPosition(position), FDisplayName(displayName), FLog(log)
{
}

void TControlSite::Detach()
{
    FInPlaceObject.Reset();
    FActiveObject.Reset();
}

bool TControlSite::PreTranslate(MSG* msg)
{
    if (!FActiveObject) return false;
    return FActiveObject->TranslateAccelerator(msg) == S_OK;
}

// IUnknown

HRESULT STDMETHODCALLTYPE TControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        *ppv = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TControlSite::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }

ULONG STDMETHODCALLTYPE TControlSite::Release()
{
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

// IOleClientSite: there is no document to save or name.

HRESULT STDMETHODCALLTYPE TControlSite::SaveObject() { return S_OK; }

HRESULT STDMETHODCALLTYPE TControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TControlSite::GetContainer(IOleContainer** container)
{
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TControlSite::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

HRESULT STDMETHODCALLTYPE TControlSite::GetWindow(HWND* window)
{
    if (!window) return E_POINTER;
    *window = FWindow;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite

HRESULT STDMETHODCALLTYPE TControlSite::CanInPlaceActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE TControlSite::OnInPlaceActivate()
{
    FInPlaceActive = true;
    FLog.Line("in-place active");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::OnUIActivate()
{
    FUIActive = true;
    FLog.Line("ui active");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                                         LPRECT posRect, LPRECT clipRect,
                                                         LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !doc || !posRect || !clipRect || !frameInfo) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    // The frame is the document window too: no separate document window.
    *doc = nullptr;
    *posRect = FPosition;
    GetClientRect(FWindow, clipRect);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = FWindow;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::Scroll(SIZE) { return S_FALSE; }

HRESULT STDMETHODCALLTYPE TControlSite::OnUIDeactivate(BOOL)
{
    FUIActive = false;
    FActiveObject.Reset();
    FLog.Line("ui inactive");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::OnInPlaceDeactivate()
{
    FInPlaceActive = false;
    FLog.Line("in-place inactive");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::DiscardUndoState() { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::DeactivateAndUndo() { return S_OK; }

HRESULT STDMETHODCALLTYPE TControlSite::OnPosRectChange(LPCRECT posRect)
{
    if (!posRect) return E_POINTER;
    FPosition = *posRect;
    if (FInPlaceObject) {
        RECT clip;
        GetClientRect(FWindow, &clip);
        FInPlaceObject->SetObjectRects(&FPosition, &clip);
    }
    return S_OK;
}

// IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status line to share.

HRESULT STDMETHODCALLTYPE TControlSite::GetBorder(LPRECT border)
{
    if (!border) return E_POINTER;
    GetClientRect(FWindow, border);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE TControlSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }

HRESULT STDMETHODCALLTYPE TControlSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR)
{
    FActiveObject.Assign(object);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE TControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::RemoveMenus(HMENU) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::EnableModeless(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IOleControlSite

HRESULT STDMETHODCALLTYPE TControlSite::OnControlInfoChanged() { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::LockInPlaceActive(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE TControlSite::GetExtendedControl(IDispatch** disp)
{
    if (disp) *disp = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags)
{
    if (!himetric || !container) return E_POINTER;
    // The container's coordinates are screen pixels.
    int dpiX, dpiY;
    ScreenDpi(dpiX, dpiY);
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * dpiX / HimetricPerInch;
        container->y = static_cast<float>(himetric->y) * dpiY / HimetricPerInch;
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * HimetricPerInch / dpiX + 0.5f);
        himetric->y = static_cast<LONG>(container->y * HimetricPerInch / dpiY + 0.5f);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
HRESULT STDMETHODCALLTYPE TControlSite::OnFocus(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE TControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// IDispatch: the ambient properties of a page in a browser that is browsing, not designing.

HRESULT STDMETHODCALLTYPE TControlSite::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids)
{
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE TControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                               EXCEPINFO*, UINT*)
{
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    VariantInit(result);
    return Ambient(id, result);
}

HRESULT TControlSite::Ambient(DISPID id, VARIANT* result)
{
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_AUTOCLIP:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(GetSysColor(COLOR_WINDOW));
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(GetSysColor(COLOR_WINDOWTEXT));
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(GetUserDefaultLCID());
        return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = AnsiToBstr(FDisplayName);
        return V_BSTR(result) ? S_OK : E_OUTOFMEMORY;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
