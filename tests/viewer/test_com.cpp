// The control's COM surface as a host sees it: registration with regsvr32,
// creation by ProgID, properties through the dual interface and through
// IDispatch (as a page's script sets them), change notification with veto,
// event sinks, in-place activation in a host window, persistence.
#include "QuendaIdl.h"
#include <ocidl.h>
#include <olectl.h>
#include "Classes.h"
#include "SysUtils.h"
#include "LoopbackServer.h"
#include "Registration.h"
#include "Thread.h"
#include "test_gtest.h"
#include <atomic>
#include <mutex>

#define EXPECT_FAILED(hr) EXPECT_TRUE(FAILED(hr))

namespace {

TWideString W(const std::string& s) { return AnsiToWide(s); }
std::string A(BSTR b) { return WideToAnsi(b); }


// Plays the visitor who closes the control's address message box: closes
// every message box of the process, after a short look, and keeps its text.
class TBoxCloser : public TThread {
public:
    std::mutex Lock;
    std::vector<std::string> Texts;
    std::atomic<DWORD> Delay{300};
protected:
    void Execute() override
    {
        while (!Terminated()) {
            Sleep(50);
            HWND box = FindWindowA("#32770", "Quenda");
            if (!box || !IsWindowVisible(box)) continue;   // a box on its way out is hidden first
            Sleep(Delay);
            char text[256] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            {
                std::lock_guard<std::mutex> hold(Lock);
                Texts.push_back(text);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(10);
        }
    }
};

// A base for the sinks: one interface besides IUnknown, reference counted.
template <class I> class TSink : public I {
public:
    explicit TSink(REFIID Iid) : FIid(Iid) {}
    virtual ~TSink() = default;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, FIid) || IsEqualIID(riid, ExtraIid())) {
            *ppv = static_cast<I*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG r = --FRefs;
        if (!r) delete this;
        return r;
    }
    virtual REFIID ExtraIid() { return IID_NULL; }
    ULONG Refs() const { return FRefs; }
private:
    IID FIid;
    ULONG FRefs = 1;
};

class TNotifySink : public TSink<IPropertyNotifySink> {
public:
    TNotifySink() : TSink(IID_IPropertyNotifySink) {}
    std::vector<DISPID> Requests, Changes;
    bool Veto = false;
    STDMETHODIMP OnChanged(DISPID id) override
    {
        Changes.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID id) override
    {
        Requests.push_back(id);
        return Veto ? S_FALSE : S_OK;
    }
};

class TEventSink : public TSink<IDispatch> {
public:
    TEventSink() : TSink(DIID_IActiveFormXEvents) {}
    std::vector<DISPID> Events;
    std::vector<short> Keys;
    short ReplaceKey = 0;
    REFIID ExtraIid() override { return IID_IDispatch; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override
    {
        Events.push_back(id);
        if (id == 11 && p && p->cArgs == 1 && V_VT(&p->rgvarg[0]) == (VT_I2 | VT_BYREF)) {
            Keys.push_back(*V_I2REF(&p->rgvarg[0]));
            if (ReplaceKey) *V_I2REF(&p->rgvarg[0]) = ReplaceKey;
        }
        return S_OK;
    }
};

// The host's side of in-place activation: a client site in a plain window.
class THostSite : public IOleClientSite, public IOleInPlaceSite {
public:
    HWND Wnd = nullptr;
    RECT Pos = {10, 20, 210, 320};
    int Activated = 0, Deactivated = 0;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }   // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override
    {
        *m = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** c) override
    {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    STDMETHODIMP GetWindow(HWND* h) override
    {
        *h = Wnd;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override
    {
        ++Activated;
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO) override
    {
        *f = nullptr;
        *d = nullptr;
        *pos = Pos;
        *clip = Pos;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override
    {
        ++Deactivated;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
};

class ViewerCom : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(0, Regsvr32(QUENDA_DLL));
        Closer = new TBoxCloser;
        Closer->Resume();
    }
    static void TearDownTestSuite()
    {
        delete Closer;
        Closer = nullptr;
        EXPECT_EQ(0, Regsvr32(QUENDA_DLL, true));
        CLSID clsid;
        EXPECT_FAILED(CLSIDFromProgID(W("Quenda.ActiveFormX").c_str(), &clsid));
    }
    void SetUp() override
    {
        HRESULT hr = CoInitialize(nullptr);
        ASSERT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
        FComReady = true;
    }
    void TearDown() override
    {
        if (FComReady) CoUninitialize();
    }
    bool FComReady = false;

    // Creates the control by its ProgID; the closer dismisses the message box.
    IActiveFormX* Create()
    {
        CLSID clsid = {};
        EXPECT_EQ(S_OK, CLSIDFromProgID(W("Quenda.ActiveFormX").c_str(), &clsid));
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ActiveFormX));
        IActiveFormX* x = nullptr;
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveFormX,
                                         reinterpret_cast<void**>(&x)));
        return x;
    }
    static TBoxCloser* Closer;
};
TBoxCloser* ViewerCom::Closer = nullptr;

template <class I> I* QI(IUnknown* u, REFIID iid)
{
    I* p = nullptr;
    u->QueryInterface(iid, reinterpret_cast<void**>(&p));
    return p;
}

TEST_F(ViewerCom, RegistrationValues)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    const std::string key = "CLSID\\{FFD85318-7565-4886-945C-D31E428F0947}";
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, (key + "\\ProgID").c_str(), value, &size));
    EXPECT_STREQ("Quenda.ActiveFormX", value);
    size = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, (key + "\\MiscStatus\\1").c_str(), value, &size));
    EXPECT_STREQ("131473", value);
    size = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, (key + "\\TypeLib").c_str(), value, &size));
    EXPECT_STREQ("{DFC2EDC1-5C1D-4CCC-BEC0-96D71A30CD00}", value);
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, (key + "\\InprocServer32").c_str(), 0, KEY_READ, &k));
    DWORD type = 0, len = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(k, "ThreadingModel", nullptr, &type, reinterpret_cast<BYTE*>(value), &len));
    EXPECT_STREQ("Apartment", value);
    // The library registers the file COM is to load: the one regsvr32 loaded.
    len = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(k, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &len));
    EXPECT_EQ(0, lstrcmpiA(DosPath(QUENDA_DLL).c_str(), value)) << value;
    RegCloseKey(k);
    ITypeLib* lib = nullptr;
    ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_Quenda, 1, 0, 0x409, &lib));
    BSTR name = nullptr;
    lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    EXPECT_EQ("Quenda", A(name));
    SysFreeString(name);
    lib->Release();
}

TEST_F(ViewerCom, CreationShowsTheAddressAndWaitsForIt)
{
    // Something that listens on the default address: while the creation's
    // message box is open, the start timer must not connect to it. Without
    // that port the check would prove nothing: say so instead of passing.
    CLoopbackServer watch([](CServerConn&) {}, 8080);
    ASSERT_EQ(8080, watch.Port()) << "port 8080 is taken by another program; this test needs it";
    {
        std::lock_guard<std::mutex> hold(Closer->Lock);
        Closer->Texts.clear();
    }
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    {
        std::lock_guard<std::mutex> hold(Closer->Lock);
        std::string all;
        for (const std::string& t : Closer->Texts) all += "[" + t + "]";
        ASSERT_EQ(1u, Closer->Texts.size()) << all;
        EXPECT_EQ("127.0.0.1:8080", Closer->Texts[0]);
    }
    EXPECT_TRUE(watch.Requests().empty()) << "connected from inside the message box";
    BSTR a = nullptr;
    EXPECT_EQ(S_OK, x->get_address(&a));
    EXPECT_EQ("127.0.0.1", A(a));
    SysFreeString(a);
    x->Release();
}

TEST_F(ViewerCom, PropertiesThroughTheDualInterfaceAndDispatch)
{
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    IConnectionPointContainer* cpc = QI<IConnectionPointContainer>(x, IID_IConnectionPointContainer);
    ASSERT_NE(nullptr, cpc);
    IConnectionPoint* cp = nullptr;
    ASSERT_EQ(S_OK, cpc->FindConnectionPoint(IID_IPropertyNotifySink, &cp));
    TNotifySink* sink = new TNotifySink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, cp->Advise(sink, &cookie));

    // As the page's script does it: by name, any case, the port as text.
    struct { const char* name; const char* value; DISPID id; } script[] = {
        {"port", "8081", 21}, {"ADDRESS", "127.0.0.2", 20}, {"skin", "prop3.skn", 16}};
    for (auto& s : script) {
        std::basic_string<WCHAR> n = W(s.name);
        LPOLESTR names[] = {&n[0]};
        DISPID id = 0;
        ASSERT_EQ(S_OK, x->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << s.name;
        EXPECT_EQ(s.id, id);
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(W(s.value).c_str());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&v, &named, 1, 1};
        EXPECT_EQ(S_OK, x->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                  nullptr)) << s.name;
        VariantClear(&v);
    }
    LONG port = 0;
    EXPECT_EQ(S_OK, x->get_Port(&port));
    EXPECT_EQ(8081, port);
    BSTR b = nullptr;
    x->get_address(&b);
    EXPECT_EQ("127.0.0.2", A(b));
    SysFreeString(b);
    x->get_Skin(&b);
    EXPECT_EQ("prop3.skn", A(b));
    SysFreeString(b);
    EXPECT_EQ((std::vector<DISPID>{21, 20, 16}), sink->Changes);
    EXPECT_EQ((std::vector<DISPID>{21, 20, 16}), sink->Requests);

    // Booleans read back as -1 / 0; any non-zero value counts as true.
    VARIANT_BOOL vb = 0;
    EXPECT_EQ(S_OK, x->put_KeyPreview(5));
    EXPECT_EQ(S_OK, x->get_KeyPreview(&vb));
    EXPECT_EQ(VARIANT_TRUE, vb);
    EXPECT_EQ(S_OK, x->put_KeyPreview(VARIANT_FALSE));
    x->get_KeyPreview(&vb);
    EXPECT_EQ(VARIANT_FALSE, vb);
    EXPECT_EQ(S_OK, x->put_AxBorderStyle(afbSunken));
    TxActiveFormBorderStyle bs = afbNone;
    x->get_AxBorderStyle(&bs);
    EXPECT_EQ(afbSunken, bs);
    EXPECT_EQ(S_OK, x->put_Caption(SysAllocString(W("Viewer").c_str())));
    x->get_Caption(&b);
    EXPECT_EQ("Viewer", A(b));
    SysFreeString(b);
    OLE_COLOR color = 0;
    x->get_Color(&color);
    EXPECT_EQ(static_cast<OLE_COLOR>(RGB(212, 216, 228)), color);
    IFontDisp* font = nullptr;
    EXPECT_EQ(S_OK, x->get_Font(&font));
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(S_OK, x->putref_Font(font));
    font->Release();

    // A veto leaves the value alone and says S_FALSE.
    sink->Veto = true;
    sink->Changes.clear();
    EXPECT_EQ(S_FALSE, x->put_Port(9000));
    x->get_Port(&port);
    EXPECT_EQ(8081, port);
    EXPECT_TRUE(sink->Changes.empty());

    EXPECT_EQ(S_OK, cp->Unadvise(cookie));
    EXPECT_EQ(1u, sink->Refs());
    sink->Release();
    cp->Release();
    cpc->Release();
    x->Release();
}

// A failing property call returns the failure's own code, with error
// information that names the control's class and its interface.
TEST_F(ViewerCom, ErrorsCarryTheirCodeAndNameTheClass)
{
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    ISupportErrorInfo* support = QI<ISupportErrorInfo>(x, IID_ISupportErrorInfo);
    ASSERT_NE(nullptr, support);
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IActiveFormX));
    support->Release();
    SetErrorInfo(0, nullptr);
    // A system colour index beyond the last one cannot be translated.
    const OLE_COLOR bad = 0x800000FF;
    COLORREF ignored = 0;
    const HRESULT expected = OleTranslateColor(bad, nullptr, &ignored);
    ASSERT_TRUE(FAILED(expected));
    EXPECT_EQ(expected, x->put_Color(bad));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    ASSERT_NE(nullptr, info);
    GUID g = {};
    EXPECT_EQ(S_OK, info->GetGUID(&g));
    EXPECT_TRUE(IsEqualGUID(g, IID_IActiveFormX));
    BSTR text = nullptr;
    EXPECT_EQ(S_OK, info->GetSource(&text));
    EXPECT_EQ("{FFD85318-7565-4886-945C-D31E428F0947}", A(text));
    SysFreeString(text);
    text = nullptr;
    EXPECT_EQ(S_OK, info->GetDescription(&text));
    EXPECT_FALSE(A(text).empty());
    SysFreeString(text);
    info->Release();
    OLE_COLOR color = 0;
    x->get_Color(&color);
    EXPECT_EQ(static_cast<OLE_COLOR>(RGB(212, 216, 228)), color);   // unchanged
    x->Release();
}

TEST_F(ViewerCom, EventsReachTheSinksInPlace)
{
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    CLoopbackServer refuse([](CServerConn& c) { c.Close(); });
    x->put_Port(refuse.Port());   // the start finds no broadcast here
    IConnectionPointContainer* cpc = QI<IConnectionPointContainer>(x, IID_IConnectionPointContainer);
    IConnectionPoint* cp = nullptr;
    ASSERT_EQ(S_OK, cpc->FindConnectionPoint(DIID_IActiveFormXEvents, &cp));
    std::vector<TEventSink*> sinks;
    std::vector<DWORD> cookies;
    for (int i = 0; i < 6; ++i) {
        TEventSink* s = new TEventSink;
        DWORD c = 0;
        HRESULT hr = cp->Advise(static_cast<IDispatch*>(s), &c);
        if (i < 5) {
            EXPECT_EQ(S_OK, hr);
            sinks.push_back(s);
            cookies.push_back(c);
        } else {
            EXPECT_EQ(CONNECT_E_ADVISELIMIT, hr);   // at most five
            s->Release();
        }
    }
    sinks[4]->ReplaceKey = 'Z';   // the last sink may change the key for the form

    // In place in a host window.
    THostSite site;
    site.Wnd = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr,
                               nullptr, nullptr);
    IOleObject* ole = QI<IOleObject>(x, IID_IOleObject);
    ASSERT_NE(nullptr, ole);
    DWORD misc = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    EXPECT_EQ(131473u, misc);
    ASSERT_EQ(S_OK, ole->SetClientSite(&site));
    ASSERT_EQ(S_OK, ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Wnd, &site.Pos));
    EXPECT_EQ(1, site.Activated);
    IOleInPlaceObject* ip = QI<IOleInPlaceObject>(x, IID_IOleInPlaceObject);
    HWND control = nullptr;
    ASSERT_EQ(S_OK, ip->GetWindow(&control));
    EXPECT_EQ(site.Wnd, GetParent(control));
    EXPECT_TRUE(IsWindowVisible(control));
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, site.Wnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(site.Pos.left, r.left);
    EXPECT_EQ(site.Pos.top, r.top);
    PumpFor(200);   // the start timer runs and finds no broadcast

    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(control, WM_CHAR, 'a', 0);
    for (TEventSink* s : sinks) {
        std::vector<DISPID> ev;
        for (DISPID d : s->Events)
            if (d != 16 && d != 4 && d != 1 && d != 7) ev.push_back(d);   // leave paint, move, focus aside
        EXPECT_EQ((std::vector<DISPID>{2, 5, 11}), ev);
        EXPECT_EQ((std::vector<short>{'a'}), s->Keys);
    }
    EXPECT_EQ(S_OK, ip->InPlaceDeactivate());
    EXPECT_EQ(1, site.Deactivated);
    EXPECT_FALSE(IsWindowVisible(control));
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ip->Release();
    ole->Release();

    // The end of the control reaches the sinks that are still advised.
    cp->Unadvise(cookies[1]);
    cp->Release();
    cpc->Release();
    x->Release();
    EXPECT_EQ(6, sinks[0]->Events.back());
    EXPECT_NE(6, sinks[1]->Events.empty() ? 0 : sinks[1]->Events.back());
    for (TEventSink* s : sinks) {
        EXPECT_EQ(1u, s->Refs());
        s->Release();
    }
    DestroyWindow(site.Wnd);
}

// The host's message loop offers key messages to the UI-active control first
// (TranslateAccelerator); the control becomes UI active when the focus comes
// into its form, takes its dialog keys there and lets typing through.
TEST_F(ViewerCom, KeysComeThroughTheHostsTranslation)
{
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    CLoopbackServer refuse([](CServerConn& c) { c.Close(); });
    x->put_Port(refuse.Port());
    THostSite site;
    site.Wnd = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 600, nullptr, nullptr,
                               nullptr, nullptr);
    IOleObject* ole = QI<IOleObject>(x, IID_IOleObject);
    ASSERT_EQ(S_OK, ole->SetClientSite(&site));
    ASSERT_EQ(S_OK, ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Wnd, &site.Pos));
    IOleInPlaceActiveObject* active = QI<IOleInPlaceActiveObject>(x, IID_IOleInPlaceActiveObject);
    ASSERT_NE(nullptr, active);
    IOleInPlaceObject* ip = QI<IOleInPlaceObject>(x, IID_IOleInPlaceObject);
    HWND control = nullptr;
    ip->GetWindow(&control);
    HWND edit = FindWindowExA(control, nullptr, "TEdit", nullptr);
    ASSERT_NE(nullptr, edit);
    SetForegroundWindow(site.Wnd);
    SetFocus(edit);
    EXPECT_EQ(edit, GetFocus());

    MSG typing = {edit, WM_KEYDOWN, 'A', 0x001E0001, 0, {0, 0}};
    EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&typing));
    MSG tab = {edit, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
    EXPECT_EQ(S_OK, active->TranslateAccelerator(&tab));
    MSG foreign = {site.Wnd, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
    EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&foreign));

    active->Release();
    ip->InPlaceDeactivate();
    ip->Release();
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole->Release();
    x->Release();
    DestroyWindow(site.Wnd);
}

TEST_F(ViewerCom, PersistsItsOwnPropertiesAndDescribesItself)
{
    IActiveFormX* x = Create();
    ASSERT_NE(nullptr, x);
    x->put_Port(8123);
    x->put_address(SysAllocString(W("127.0.0.9").c_str()));
    x->put_Skin(SysAllocString(W("prop4.skn").c_str()));
    IPersistStreamInit* ps = QI<IPersistStreamInit>(x, IID_IPersistStreamInit);
    ASSERT_NE(nullptr, ps);
    EXPECT_EQ(S_OK, ps->IsDirty());
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    EXPECT_EQ(S_OK, ps->Save(stream, TRUE));
    EXPECT_EQ(S_FALSE, ps->IsDirty());
    ps->Release();
    IProvideClassInfo2* ci = QI<IProvideClassInfo2>(x, IID_IProvideClassInfo2);
    ASSERT_NE(nullptr, ci);
    GUID g = {};
    EXPECT_EQ(S_OK, ci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &g));
    EXPECT_TRUE(IsEqualGUID(g, DIID_IActiveFormXEvents));
    ci->Release();
    x->Release();

    IActiveFormX* y = Create();
    ASSERT_NE(nullptr, y);
    IPersistStreamInit* load = QI<IPersistStreamInit>(y, IID_IPersistStreamInit);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(S_OK, load->Load(stream));
    LONG port = 0;
    y->get_Port(&port);
    EXPECT_EQ(8123, port);
    BSTR b = nullptr;
    y->get_address(&b);
    EXPECT_EQ("127.0.0.9", A(b));
    SysFreeString(b);
    y->get_Skin(&b);
    EXPECT_EQ("prop4.skn", A(b));
    SysFreeString(b);
    load->Release();
    stream->Release();
    y->Release();
}

} // namespace
