// A small stand-in control for the viewer host's tests: an in-process COM server
// with the viewer control's three own properties (Skin 16, address 20, Port 21),
// its event interface and property change notifications, and just enough of
// OLE embedding to be activated in place. It writes what happens to it on
// standard output ("control: ..."), which is the host's output too, so a test
// sees both sides in one ordered record.
#include <windows.h>
#include "SysUtils.h"
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

HINSTANCE ModuleInstance = nullptr;
LONG LiveObjects = 0;

// {6A1C3F20-8D4B-4E57-9B0E-2F7D51C4A9E3}
const CLSID CLSID_HostTestControl = {0x6A1C3F20, 0x8D4B, 0x4E57, {0x9B, 0x0E, 0x2F, 0x7D, 0x51, 0xC4, 0xA9, 0xE3}};
const char* const ClassKey = "CLSID\\{6A1C3F20-8D4B-4E57-9B0E-2F7D51C4A9E3}";
// The viewer control's event interface, which the host connects to.
const IID DIID_Events = {0xE16AA1D3, 0xF5D2, 0x4222, {0x87, 0xBA, 0x23, 0x14, 0x42, 0xC9, 0x5A, 0x24}};
const DWORD MiscStatus = 0x20191; // the viewer control's: set client site first, inside-out, ...
const char* const WindowClass = "HostTestControl";
const DISPID OnActivate = 1;

void Trace(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Trace(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::fputs("control: ", stdout);
    std::vprintf(fmt, ap);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    va_end(ap);
}

struct TPropertyInfo {
    const char* Name;
    DISPID Id;
    VARTYPE Type;
};
const TPropertyInfo Properties[] = {{"Skin", 16, VT_BSTR}, {"address", 20, VT_BSTR}, {"Port", 21, VT_I4}};

const TPropertyInfo* FindProperty(DISPID id)
{
    for (const TPropertyInfo& p : Properties)
        if (p.Id == id) return &p;
    return nullptr;
}

std::string Narrow(const WCHAR* w) { return WideToAnsi(w); }

class TTestControl;

// One outgoing interface with any number of sinks; its lifetime is its control's.
class TConnectionPoint final : public IConnectionPoint {
public:
    TConnectionPoint(TTestControl* owner, REFIID iid) : FOwner(owner), FIid(iid) {}
    ~TConnectionPoint()
    {
        for (IUnknown* s : FSinks)
            if (s) s->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IConnectionPoint)) return E_NOINTERFACE;
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        if (!iid) return E_POINTER;
        *iid = FIid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        if (!sink || !cookie) return E_POINTER;
        IUnknown* typed = nullptr;
        if (FAILED(sink->QueryInterface(FIid, reinterpret_cast<void**>(&typed)))) return CONNECT_E_CANNOTCONNECT;
        FSinks.push_back(typed);
        *cookie = static_cast<DWORD>(FSinks.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        if (cookie == 0 || cookie > FSinks.size() || !FSinks[cookie - 1]) return CONNECT_E_NOCONNECTION;
        FSinks[cookie - 1]->Release();
        FSinks[cookie - 1] = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** e) override
    {
        if (e) *e = nullptr;
        return E_NOTIMPL;
    }

    const std::vector<IUnknown*>& Sinks() const { return FSinks; }

private:
    TTestControl* FOwner;
    IID FIid;
    std::vector<IUnknown*> FSinks;
};

class TTestControl final : public IDispatch,
                           public IOleObject,
                           public IOleInPlaceObject,
                           public IConnectionPointContainer {
public:
    TTestControl() : FEvents(this, DIID_Events), FNotify(this, IID_IPropertyNotifySink)
    {
        InterlockedIncrement(&LiveObjects);
        Trace("created");
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        else if (IsEqualIID(riid, IID_IOleObject))
            *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (IsEqualIID(riid, IID_IConnectionPointContainer))
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = InterlockedDecrement(&FRefs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IDispatch: the three properties, matched by name without regard to case
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (!names || !ids || count != 1) return E_INVALIDARG;
        std::string name = Narrow(names[0]);
        for (const TPropertyInfo& p : Properties)
            if (lstrcmpiA(name.c_str(), p.Name) == 0) {
                ids[0] = p.Id;
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        const TPropertyInfo* p = FindProperty(id);
        if (!p) return DISP_E_MEMBERNOTFOUND;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return Put(*p, params);
        if (flags & DISPATCH_PROPERTYGET) return Get(*p, result);
        return DISP_E_MEMBERNOTFOUND;
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override
    {
        if (FSite) FSite->Release();
        FSite = site;
        if (!site) {
            DestroyWnd();
            Trace("site cleared");
            return S_OK;
        }
        site->AddRef();
        Trace("site set");
        // Like the viewer control, the visible part is made at once, as a child of the host's window.
        IOleInPlaceSite* ips = nullptr;
        HWND parent = nullptr;
        if (SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips)))) {
            ips->GetWindow(&parent);
            ips->Release();
        }
        if (parent && CreateWnd(parent)) Trace("window created in the host's window");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override
    {
        if (!site) return E_POINTER;
        *site = FSite;
        if (FSite) FSite->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override
    {
        InPlaceDeactivate();
        Trace("closed");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override
    {
        if (m) *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** d) override
    {
        if (d) *d = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND parent,
                                     LPCRECT) override
    {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE &&
            verb != OLEIVERB_PRIMARY)
            return OLEOBJ_E_INVALIDVERB;
        return ActivateInPlace(active ? active : FSite, parent);
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** e) override
    {
        if (e) *e = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override
    {
        if (!clsid) return E_POINTER;
        *clsid = CLSID_HostTestControl;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* t) override
    {
        if (t) *t = nullptr;
        return OLE_S_USEREG;
    }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL* s) override
    {
        if (!s) return E_POINTER;
        FExtent = *s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* s) override
    {
        if (!s) return E_POINTER;
        *s = FExtent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD* c) override
    {
        if (c) *c = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** e) override
    {
        if (e) *e = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override
    {
        if (!status) return E_POINTER;
        *status = MiscStatus;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* wnd) override
    {
        if (!wnd) return E_POINTER;
        *wnd = FWindow;
        return FWindow ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override
    {
        if (!FInPlace) return S_OK;
        FInPlace = false;
        DestroyWnd();
        Trace("deactivated");
        IOleInPlaceSite* ips = nullptr;
        if (FSite && SUCCEEDED(FSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips)))) {
            ips->OnInPlaceDeactivate();
            ips->Release();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT) override
    {
        if (!pos) return E_POINTER;
        if (FWindow)
            SetWindowPos(FWindow, nullptr, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** e) override
    {
        if (e) *e = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override
    {
        if (!point) return E_POINTER;
        *point = nullptr;
        if (IsEqualIID(riid, DIID_Events))
            *point = &FEvents;
        else if (IsEqualIID(riid, IID_IPropertyNotifySink))
            *point = &FNotify;
        else
            return CONNECT_E_NOCONNECTION;
        (*point)->AddRef();
        return S_OK;
    }

    void FirstMessage() { Trace("first message after %d properties", FPuts); }

private:
    ~TTestControl()
    {
        DestroyWnd();
        if (FSite) FSite->Release();
        Trace("destroyed");
        InterlockedDecrement(&LiveObjects);
    }

    HRESULT Put(const TPropertyInfo& p, DISPPARAMS* params)
    {
        if (!params || params->cArgs != 1 || params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_BADPARAMCOUNT;
        VARTYPE incoming = V_VT(&params->rgvarg[0]);
        VARIANT v;
        VariantInit(&v);
        if (FAILED(VariantChangeType(&v, &params->rgvarg[0], 0, p.Type))) return DISP_E_TYPEMISMATCH;
        for (IUnknown* s : FNotify.Sinks())
            if (s && static_cast<IPropertyNotifySink*>(s)->OnRequestEdit(p.Id) == S_FALSE) {
                VariantClear(&v);
                return S_FALSE;
            }
        std::string text;
        if (p.Type == VT_BSTR) {
            text = Narrow(V_BSTR(&v));
            (p.Id == 16 ? FSkin : FAddress) = text;
        } else {
            FPort = V_I4(&v);
            text = std::to_string(FPort);
        }
        VariantClear(&v);
        ++FPuts;
        Trace("put %s vt=%d value=%s", p.Name, static_cast<int>(incoming), text.c_str());
        for (IUnknown* s : FNotify.Sinks())
            if (s) static_cast<IPropertyNotifySink*>(s)->OnChanged(p.Id);
        return S_OK;
    }

    HRESULT Get(const TPropertyInfo& p, VARIANT* result)
    {
        if (!result) return E_POINTER;
        VariantInit(result);
        if (p.Type == VT_I4) {
            V_VT(result) = VT_I4;
            V_I4(result) = FPort;
            return S_OK;
        }
        const std::string& s = p.Id == 16 ? FSkin : FAddress;
        TWideString w = AnsiToWide(s);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
        return S_OK;
    }

    HRESULT ActivateInPlace(IOleClientSite* site, HWND parent)
    {
        if (FInPlace) return S_OK;
        IOleInPlaceSite* ips = nullptr;
        if (!site || FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips))))
            return E_NOINTERFACE;
        if (ips->CanInPlaceActivate() != S_OK) {
            ips->Release();
            return E_FAIL;
        }
        ips->OnInPlaceActivate();
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* doc = nullptr;
        RECT pos = {0, 0, 0, 0}, clip = {0, 0, 0, 0};
        OLEINPLACEFRAMEINFO info = {};
        info.cb = sizeof(info);
        HRESULT hr = ips->GetWindowContext(&frame, &doc, &pos, &clip, &info);
        if (frame) frame->Release();
        if (doc) doc->Release();
        ips->Release();
        if (FAILED(hr)) return hr;
        if (!FWindow && !CreateWnd(parent)) return E_FAIL;
        SetWindowPos(FWindow, nullptr, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        FInPlace = true;
        Trace("activated in place at %ldx%ld", static_cast<long>(pos.right - pos.left),
              static_cast<long>(pos.bottom - pos.top));
        FireEvent(OnActivate);
        return S_OK;
    }

    void FireEvent(DISPID id)
    {
        for (IUnknown* s : FEvents.Sinks()) {
            if (!s) continue;
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            static_cast<IDispatch*>(s)->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                                               nullptr, nullptr);
        }
    }

    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<TTestControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (msg == WM_APP && self) {
            self->FirstMessage();
            return 0;
        }
        if (msg == WM_NCDESTROY) SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }

    bool CreateWnd(HWND parent)
    {
        WNDCLASSA wc = {};
        if (!GetClassInfoA(ModuleInstance, WindowClass, &wc)) {
            wc.lpfnWndProc = WindowProc;
            wc.hInstance = ModuleInstance;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = WindowClass;
            RegisterClassA(&wc);
        }
        FWindow = CreateWindowExA(0, WindowClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent, nullptr,
                                  ModuleInstance, this);
        // Tells, once the host pumps its first message, how many properties it had set by then.
        if (FWindow) PostMessageA(FWindow, WM_APP, 0, 0);
        return FWindow != nullptr;
    }

    void DestroyWnd()
    {
        if (FWindow) DestroyWindow(FWindow);
        FWindow = nullptr;
    }

    LONG FRefs = 1;
    IOleClientSite* FSite = nullptr;
    HWND FWindow = nullptr;
    bool FInPlace = false;
    int FPuts = 0;
    std::string FSkin = "prop1.skn";
    std::string FAddress = "127.0.0.1";
    LONG FPort = 8080;
    SIZEL FExtent = {0, 0};
    TConnectionPoint FEvents;
    TConnectionPoint FNotify;

    friend class TConnectionPoint;
};

ULONG STDMETHODCALLTYPE TConnectionPoint::AddRef() { return FOwner->AddRef(); }
ULONG STDMETHODCALLTYPE TConnectionPoint::Release() { return FOwner->Release(); }

HRESULT STDMETHODCALLTYPE TConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    return FOwner->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
}

class TClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        // As the viewer control does: a message box while it is being created,
        // when the test asks for one (its text in HOSTTESTCTL_BOX).
        char box[128] = {0};
        if (GetEnvironmentVariableA("HOSTTESTCTL_BOX", box, sizeof(box)) && box[0])
            MessageBoxA(nullptr, box, "Test control", MB_OK);
        TTestControl* control = new (std::nothrow) TTestControl();
        if (!control) return E_OUTOFMEMORY;
        HRESULT hr = control->QueryInterface(riid, ppv);
        control->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TClassFactory Factory;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_HostTestControl)) return CLASS_E_CLASSNOTAVAILABLE;
    return Factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return LiveObjects == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer()
{
    char path[MAX_PATH] = {0};
    if (!GetModuleFileNameA(ModuleInstance, path, MAX_PATH)) return SELFREG_E_CLASS;
    std::string server = std::string(ClassKey) + "\\InprocServer32";
    const char* name = "Viewer host test control";
    const char* model = "Apartment";
    if (RegSetValueA(HKEY_CLASSES_ROOT, ClassKey, REG_SZ, name, static_cast<DWORD>(std::strlen(name))) !=
            ERROR_SUCCESS ||
        RegSetValueA(HKEY_CLASSES_ROOT, server.c_str(), REG_SZ, path, static_cast<DWORD>(std::strlen(path))) !=
            ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, server.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    LONG rc = RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model),
                             static_cast<DWORD>(std::strlen(model) + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    LONG rc = RegDeleteTreeA(HKEY_CLASSES_ROOT, ClassKey);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
