#include "ActiveFormXImpl.h"
#include "ComSupport.h"
#include "Application.h"
#include "SysUtils.h"
#include <cstdio>
#include <new>

namespace {

const DISPID kDispVisible = 1, kDispAutoScroll = 2, kDispAutoSize = 3, kDispAxBorderStyle = 4, kDispBorderWidth = 5,
             kDispKeyPreview = 6, kDispPixelsPerInch = 7, kDispPrintScale = 8, kDispScaled = 9,
             kDispDropTarget = 11, kDispHelpFile = 12, kDispDoubleBuffered = 13, kDispSkin = 16, kDispAddress = 20,
             kDispPort = 21;
const DISPID kDispCaption = -518, kDispColor = -501, kDispFont = -512, kDispEnabled = -514;

// Event DISPIDs of IActiveFormXEvents.
const DISPID kOnActivate = 1, kOnClick = 2, kOnCreate = 3, kOnMouseMove = 4, kOnDblClick = 5, kOnDestroy = 6,
             kOnDeactivate = 7, kOnKeyPress = 11, kOnPaint = 16;

// Persistent state: a tag, a version, then address, skin and port.
const DWORD kStreamTag = 0x41444E51; // "QNDA"
const DWORD kStreamVersion = 1;

template <class T> void ReleaseAndNull(T*& p)
{
    if (p) {
        T* q = p;
        p = nullptr;
        q->Release();
    }
}

int PixelsPerInch(bool X)
{
    HDC dc = GetDC(nullptr);
    int n = GetDeviceCaps(dc, X ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return n > 0 ? n : 96;
}

HRESULT WriteBytes(IStream* s, const void* data, ULONG n)
{
    ULONG done = 0;
    HRESULT hr = s->Write(data, n, &done);
    return FAILED(hr) ? hr : (done == n ? S_OK : STG_E_WRITEFAULT);
}

HRESULT ReadBytes(IStream* s, void* data, ULONG n)
{
    ULONG done = 0;
    HRESULT hr = s->Read(data, n, &done);
    return FAILED(hr) ? hr : (done == n ? S_OK : STG_E_READFAULT);
}

HRESULT WriteString(IStream* s, const std::string& v)
{
    DWORD n = static_cast<DWORD>(v.size());
    HRESULT hr = WriteBytes(s, &n, sizeof(n));
    return FAILED(hr) || !n ? hr : WriteBytes(s, v.data(), n);
}

HRESULT ReadString(IStream* s, std::string& v)
{
    DWORD n = 0;
    HRESULT hr = ReadBytes(s, &n, sizeof(n));
    if (FAILED(hr)) return hr;
    if (n > 4096) return STG_E_READFAULT; // no property of ours is that long
    v.assign(n, '\0');
    return n ? ReadBytes(s, &v[0], n) : S_OK;
}

const WCHAR kContentsStream[] = {'C', 'o', 'n', 't', 'e', 'n', 't', 's', 0};

} // namespace

HRESULT TActiveFormXImpl::Create(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    TActiveFormXImpl* obj = nullptr;
    try {
        obj = new TActiveFormXImpl();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        OutputDebugStringA(("Quenda: the control cannot be created: " + std::string(e.what()) + "\n").c_str());
        return E_FAIL;
    }
    HRESULT hr = obj->QueryInterface(riid, ppv);
    obj->Release();
    return hr;
}

TActiveFormXImpl::TActiveFormXImpl()
    : FPropertyNotify(this, IID_IPropertyNotifySink, static_cast<size_t>(-1)),
      FEvents(this, DIID_IActiveFormXEvents, MaxEventSinks)
{
    ModuleLock();
    try {
        if (ITypeLib* lib = ControlTypeLib()) lib->GetTypeInfoOfGuid(IID_IActiveFormX, &FTypeInfo);
        if (!FTypeInfo) throw Exception("The control's type library cannot be loaded");
        FForm = std::make_unique<TActiveFormX>(nullptr);
    } catch (...) {
        ReleaseAndNull(FTypeInfo);
        ModuleUnlock();
        throw;
    }
    BindEvents();
    FireEvent(kOnCreate);
}

TActiveFormXImpl::~TActiveFormXImpl()
{
    // The connections close before the sinks hear of the end.
    if (FForm) {
        FForm->Disconnect();
        FireEvent(kOnDestroy);
        FForm->View().Events = TFormEvents();
        FForm.reset();
    }
    FEvents.UnadviseAll();
    FPropertyNotify.UnadviseAll();
    ReleaseAndNull(FInPlaceSite);
    ReleaseAndNull(FClientSite);
    ReleaseAndNull(FOleAdvise);
    ReleaseAndNull(FViewAdvise);
    ReleaseAndNull(FFont);
    ReleaseAndNull(FTypeInfo);
    ModuleUnlock();
}

void TActiveFormXImpl::BindEvents()
{
    TFormEvents& e = FForm->View().Events;
    e.OnActivate = [this] {
        // The focus came into the form: the control becomes UI active, so the
        // host offers it its keys (TranslateAccelerator).
        if (FInPlaceActive && !FUIActive) {
            try {
                InPlaceActivate(true);
            } catch (...) {
            }
        }
        FireEvent(kOnActivate);
    };
    e.OnClick = [this] { FireEvent(kOnClick); };
    e.OnCreate = [this] { FireEvent(kOnCreate); };
    e.OnDblClick = [this] { FireEvent(kOnDblClick); };
    e.OnDeactivate = [this] { FireEvent(kOnDeactivate); };
    e.OnDestroy = [this] { FireEvent(kOnDestroy); };
    e.OnPaint = [this] { FireEvent(kOnPaint); };
    e.OnMouseMove = [this] { FireEvent(kOnMouseMove); };
    e.OnKeyPress = [this](short& Key) { FireEvent(kOnKeyPress, &Key); };
}

void TActiveFormXImpl::FireEvent(DISPID Id, short* Key)
{
    if (FFreezeEvents > 0) return;
    for (IUnknown* unk : FEvents.Sinks()) {
        IDispatch* sink = static_cast<IDispatch*>(unk);
        VARIANT arg;
        VariantInit(&arg);
        DISPPARAMS params = {nullptr, nullptr, 0, 0};
        if (Key) {
            V_VT(&arg) = VT_I2 | VT_BYREF;
            V_I2REF(&arg) = Key;
            params.rgvarg = &arg;
            params.cArgs = 1;
        }
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO excep = {};
        UINT argErr = 0;
        HRESULT hr = sink->Invoke(Id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &excep, &argErr);
        char line[128];
        snprintf(line, sizeof(line), "Inv(%d) %s, 0x%lX, retVT(0x%X), ErrArg(%d)\n", static_cast<int>(Id),
                 SUCCEEDED(hr) ? "OK" : "FL", static_cast<unsigned long>(hr), static_cast<unsigned>(V_VT(&result)),
                 static_cast<int>(argErr));
        OutputDebugStringA(line);
        VariantClear(&result);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        sink->Release();
    }
}

HRESULT TActiveFormXImpl::FireOnRequestEdit(DISPID Id)
{
    HRESULT result = S_OK;
    for (IUnknown* unk : FPropertyNotify.Sinks()) {
        if (result == S_OK && static_cast<IPropertyNotifySink*>(unk)->OnRequestEdit(Id) == S_FALSE) result = S_FALSE;
        unk->Release();
    }
    return result;
}

void TActiveFormXImpl::FireOnChanged(DISPID Id)
{
    for (IUnknown* unk : FPropertyNotify.Sinks()) {
        static_cast<IPropertyNotifySink*>(unk)->OnChanged(Id);
        unk->Release();
    }
}

HRESULT TActiveFormXImpl::ReportException(const std::exception& E)
{
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(IID_IActiveFormX);
        std::basic_string<WCHAR> source = ToWide("Quenda.ActiveFormX");
        std::basic_string<WCHAR> text = ToWide(E.what());
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return E_FAIL;
}

template <class F> HRESULT TActiveFormXImpl::Guard(F Body)
{
    try {
        return Body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        return ReportException(e);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

template <class F> HRESULT TActiveFormXImpl::Change(DISPID Id, F Store)
{
    return Guard([&]() -> HRESULT {
        if (FireOnRequestEdit(Id) == S_FALSE) return S_FALSE;
        Store();
        FDirty = true;
        FireOnChanged(Id);
        return S_OK;
    });
}

// IUnknown

STDMETHODIMP TActiveFormXImpl::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    void* p = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IActiveFormX))
        p = static_cast<IActiveFormX*>(this);
    else if (IsEqualIID(riid, IID_IOleObject)) p = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleControl)) p = static_cast<IOleControl*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        p = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) p = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
        p = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit))
        p = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IPersistStream)) p = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IPersistStorage)) p = static_cast<IPersistStorage*>(this);
    else if (IsEqualIID(riid, IID_IDataObject)) p = static_cast<IDataObject*>(this);
    else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
        p = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(riid, IID_ISpecifyPropertyPages)) p = static_cast<ISpecifyPropertyPages*>(this);
    else if (IsEqualIID(riid, IID_IQuickActivate)) p = static_cast<IQuickActivate*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer)) p = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_ISupportErrorInfo)) p = static_cast<ISupportErrorInfo*>(this);
    *ppv = p;
    if (!p) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TActiveFormXImpl::AddRef() { return InterlockedIncrement(&FRefs); }

STDMETHODIMP_(ULONG) TActiveFormXImpl::Release()
{
    LONG r = InterlockedDecrement(&FRefs);
    if (r == 0) {
        FRefs = 1; // calls made while the object ends must not end it twice
        try {
            delete this;
        } catch (...) {
        }
        return 0;
    }
    return static_cast<ULONG>(r);
}

// IDispatch, through the type library's description of IActiveFormX.

STDMETHODIMP TActiveFormXImpl::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo)
{
    if (!ppTInfo) return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    FTypeInfo->AddRef();
    *ppTInfo = FTypeInfo;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    return DispGetIDsOfNames(FTypeInfo, rgszNames, cNames, rgDispId);
}

STDMETHODIMP TActiveFormXImpl::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    return DispInvoke(static_cast<IActiveFormX*>(this), FTypeInfo, dispIdMember, wFlags, pDispParams, pVarResult,
                      pExcepInfo, puArgErr);
}

// IActiveFormX: the form's standard properties and the control's own three.

HRESULT TActiveFormXImpl::GetBool(TFormProp Prop, VARIANT_BOOL* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = FForm->View().GetProp(Prop) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SetBool(TFormProp Prop, DISPID Id, VARIANT_BOOL Value)
{
    return Change(Id, [&] { FForm->View().SetProp(Prop, Value ? 1 : 0); });
}

HRESULT TActiveFormXImpl::GetInt(TFormProp Prop, LONG* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = FForm->View().GetProp(Prop);
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SetInt(TFormProp Prop, DISPID Id, LONG Value)
{
    return Change(Id, [&] { FForm->View().SetProp(Prop, Value); });
}

HRESULT TActiveFormXImpl::GetTextProp(TFormTextProp Prop, BSTR* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = StringToBstr(FForm->View().GetText(Prop));
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SetTextProp(TFormTextProp Prop, DISPID Id, BSTR Value)
{
    return Change(Id, [&] { FForm->View().SetText(Prop, BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_Visible(VARIANT_BOOL* Value) { return GetBool(fpVisible, Value); }
STDMETHODIMP TActiveFormXImpl::put_Visible(VARIANT_BOOL Value) { return SetBool(fpVisible, kDispVisible, Value); }
STDMETHODIMP TActiveFormXImpl::get_AutoScroll(VARIANT_BOOL* Value) { return GetBool(fpAutoScroll, Value); }
STDMETHODIMP TActiveFormXImpl::put_AutoScroll(VARIANT_BOOL Value) { return SetBool(fpAutoScroll, kDispAutoScroll, Value); }
STDMETHODIMP TActiveFormXImpl::get_AutoSize(VARIANT_BOOL* Value) { return GetBool(fpAutoSize, Value); }
STDMETHODIMP TActiveFormXImpl::put_AutoSize(VARIANT_BOOL Value) { return SetBool(fpAutoSize, kDispAutoSize, Value); }

STDMETHODIMP TActiveFormXImpl::get_AxBorderStyle(TxActiveFormBorderStyle* Value)
{
    if (!Value) return E_POINTER;
    LONG v = 0;
    HRESULT hr = GetInt(fpAxBorderStyle, &v);
    *Value = static_cast<TxActiveFormBorderStyle>(v);
    return hr;
}

STDMETHODIMP TActiveFormXImpl::put_AxBorderStyle(TxActiveFormBorderStyle Value)
{
    return SetInt(fpAxBorderStyle, kDispAxBorderStyle, static_cast<LONG>(Value));
}

STDMETHODIMP TActiveFormXImpl::get_BorderWidth(LONG* Value) { return GetInt(fpBorderWidth, Value); }
STDMETHODIMP TActiveFormXImpl::put_BorderWidth(LONG Value) { return SetInt(fpBorderWidth, kDispBorderWidth, Value); }
STDMETHODIMP TActiveFormXImpl::get_Caption(BSTR* Value) { return GetTextProp(fpCaption, Value); }
STDMETHODIMP TActiveFormXImpl::put_Caption(BSTR Value) { return SetTextProp(fpCaption, kDispCaption, Value); }

STDMETHODIMP TActiveFormXImpl::get_Color(OLE_COLOR* Value)
{
    if (!Value) return E_POINTER;
    LONG v = 0;
    HRESULT hr = GetInt(fpColor, &v);
    *Value = static_cast<OLE_COLOR>(v);
    return hr;
}

STDMETHODIMP TActiveFormXImpl::put_Color(OLE_COLOR Value)
{
    return Change(kDispColor, [&] {
        COLORREF c = RGB(0, 0, 0);
        if (FAILED(OleTranslateColor(Value, nullptr, &c))) throw Exception("Invalid colour");
        FForm->View().SetProp(fpColor, static_cast<int>(Value));
    });
}

STDMETHODIMP TActiveFormXImpl::get_Font(IFontDisp** Value)
{
    if (!Value) return E_POINTER;
    *Value = nullptr;
    return Guard([&]() -> HRESULT {
        if (!FFont) {
            LOGFONTA lf = {};
            FForm->View().GetFont(lf);
            std::basic_string<WCHAR> name = ToWide(lf.lfFaceName);
            FONTDESC fd = {sizeof(FONTDESC), const_cast<LPOLESTR>(name.c_str()), {}, 0, 0, FALSE, FALSE, FALSE};
            int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
            fd.cySize.int64 = static_cast<LONGLONG>(height) * 72 * 10000 / PixelsPerInch(false);
            fd.sWeight = static_cast<SHORT>(lf.lfWeight ? lf.lfWeight : FW_NORMAL);
            fd.sCharset = lf.lfCharSet;
            fd.fItalic = lf.lfItalic != 0;
            fd.fUnderline = lf.lfUnderline != 0;
            fd.fStrikethrough = lf.lfStrikeOut != 0;
            HRESULT hr = OleCreateFontIndirect(&fd, IID_IFontDisp, reinterpret_cast<void**>(&FFont));
            if (FAILED(hr)) return hr;
        }
        FFont->AddRef();
        *Value = FFont;
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::put_Font(IFontDisp* Value)
{
    if (!Value) return E_POINTER;
    return Change(kDispFont, [&] {
        IFont* font = nullptr;
        if (FAILED(Value->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font))) || !font)
            throw Exception("Not a font object");
        HFONT h = nullptr;
        LOGFONTA lf = {};
        if (SUCCEEDED(font->get_hFont(&h)) && h) GetObjectA(h, sizeof(lf), &lf);
        IFont* copy = nullptr;
        font->Clone(&copy);
        font->Release();
        FForm->View().SetFont(lf);
        ReleaseAndNull(FFont);
        if (copy) {
            copy->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&FFont));
            copy->Release();
        }
    });
}

STDMETHODIMP TActiveFormXImpl::putref_Font(IFontDisp* Value) { return put_Font(Value); }

STDMETHODIMP TActiveFormXImpl::get_KeyPreview(VARIANT_BOOL* Value) { return GetBool(fpKeyPreview, Value); }
STDMETHODIMP TActiveFormXImpl::put_KeyPreview(VARIANT_BOOL Value) { return SetBool(fpKeyPreview, kDispKeyPreview, Value); }
STDMETHODIMP TActiveFormXImpl::get_PixelsPerInch(LONG* Value) { return GetInt(fpPixelsPerInch, Value); }
STDMETHODIMP TActiveFormXImpl::put_PixelsPerInch(LONG Value) { return SetInt(fpPixelsPerInch, kDispPixelsPerInch, Value); }

STDMETHODIMP TActiveFormXImpl::get_PrintScale(TxPrintScale* Value)
{
    if (!Value) return E_POINTER;
    LONG v = 0;
    HRESULT hr = GetInt(fpPrintScale, &v);
    *Value = static_cast<TxPrintScale>(v);
    return hr;
}

STDMETHODIMP TActiveFormXImpl::put_PrintScale(TxPrintScale Value)
{
    return SetInt(fpPrintScale, kDispPrintScale, static_cast<LONG>(Value));
}

STDMETHODIMP TActiveFormXImpl::get_Scaled(VARIANT_BOOL* Value) { return GetBool(fpScaled, Value); }
STDMETHODIMP TActiveFormXImpl::put_Scaled(VARIANT_BOOL Value) { return SetBool(fpScaled, kDispScaled, Value); }
STDMETHODIMP TActiveFormXImpl::get_Active(VARIANT_BOOL* Value) { return GetBool(fpActive, Value); }
STDMETHODIMP TActiveFormXImpl::get_DropTarget(VARIANT_BOOL* Value) { return GetBool(fpDropTarget, Value); }
STDMETHODIMP TActiveFormXImpl::put_DropTarget(VARIANT_BOOL Value) { return SetBool(fpDropTarget, kDispDropTarget, Value); }
STDMETHODIMP TActiveFormXImpl::get_HelpFile(BSTR* Value) { return GetTextProp(fpHelpFile, Value); }
STDMETHODIMP TActiveFormXImpl::put_HelpFile(BSTR Value) { return SetTextProp(fpHelpFile, kDispHelpFile, Value); }
STDMETHODIMP TActiveFormXImpl::get_DoubleBuffered(VARIANT_BOOL* Value) { return GetBool(fpDoubleBuffered, Value); }
STDMETHODIMP TActiveFormXImpl::put_DoubleBuffered(VARIANT_BOOL Value)
{
    return SetBool(fpDoubleBuffered, kDispDoubleBuffered, Value);
}
STDMETHODIMP TActiveFormXImpl::get_AlignDisabled(VARIANT_BOOL* Value) { return GetBool(fpAlignDisabled, Value); }
STDMETHODIMP TActiveFormXImpl::get_VisibleDockClientCount(LONG* Value) { return GetInt(fpVisibleDockClientCount, Value); }
STDMETHODIMP TActiveFormXImpl::get_Enabled(VARIANT_BOOL* Value) { return GetBool(fpEnabled, Value); }
STDMETHODIMP TActiveFormXImpl::put_Enabled(VARIANT_BOOL Value) { return SetBool(fpEnabled, kDispEnabled, Value); }

STDMETHODIMP TActiveFormXImpl::get_Skin(BSTR* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = StringToBstr(FForm->GetSkin());
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::put_Skin(BSTR Value)
{
    return Change(kDispSkin, [&] { FForm->SetSkin(BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_address(BSTR* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = StringToBstr(FForm->GetAddress());
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::put_address(BSTR Value)
{
    return Change(kDispAddress, [&] { FForm->SetAddress(BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_Port(LONG* Value)
{
    if (!Value) return E_POINTER;
    *Value = FForm->GetPort();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::put_Port(LONG Value)
{
    return Change(kDispPort, [&] { FForm->SetPort(Value); });
}

// IOleObject

STDMETHODIMP TActiveFormXImpl::SetClientSite(IOleClientSite* pClientSite)
{
    if (pClientSite) pClientSite->AddRef();
    ReleaseAndNull(FClientSite);
    FClientSite = pClientSite;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetClientSite(IOleClientSite** ppClientSite)
{
    if (!ppClientSite) return E_POINTER;
    *ppClientSite = FClientSite;
    if (FClientSite) FClientSite->AddRef();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP TActiveFormXImpl::Close(DWORD dwSaveOption)
{
    if ((dwSaveOption == OLECLOSE_SAVEIFDIRTY || dwSaveOption == OLECLOSE_PROMPTSAVE) && FDirty && FClientSite)
        FClientSite->SaveObject();
    InPlaceDeactivate();
    if (FOleAdvise) FOleAdvise->SendOnClose();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TActiveFormXImpl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::GetClipboardData(DWORD, IDataObject** ppDataObject)
{
    if (ppDataObject) *ppDataObject = nullptr;
    return E_NOTIMPL;
}

HRESULT TActiveFormXImpl::InPlaceActivate(bool UIActivate)
{
    if (!FClientSite) return E_UNEXPECTED;
    if (!FInPlaceActive) {
        IOleInPlaceSite* site = nullptr;
        if (FAILED(FClientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))) || !site)
            return E_NOINTERFACE;
        if (site->CanInPlaceActivate() != S_OK) {
            site->Release();
            return E_FAIL;
        }
        site->OnInPlaceActivate();
        HWND parent = nullptr;
        site->GetWindow(&parent);
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* doc = nullptr;
        RECT pos = {}, clip = {};
        OLEINPLACEFRAMEINFO info = {sizeof(info)};
        site->GetWindowContext(&frame, &doc, &pos, &clip, &info);
        ReleaseAndNull(frame);
        ReleaseAndNull(doc);
        IActiveFormXView& view = FForm->View();
        view.SetParentWindow(parent);
        if (pos.right > pos.left && pos.bottom > pos.top)
            view.SetBounds(pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top);
        view.SetProp(fpVisible, 1);
        FInPlaceSite = site;
        FInPlaceActive = true;
    }
    if (UIActivate && !FUIActive) {
        FUIActive = true;
        FInPlaceSite->OnUIActivate();
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* doc = nullptr;
        RECT pos = {}, clip = {};
        OLEINPLACEFRAMEINFO info = {sizeof(info)};
        if (SUCCEEDED(FInPlaceSite->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
            if (frame) frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
            if (doc) doc->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        }
        ReleaseAndNull(frame);
        ReleaseAndNull(doc);
        // The focus comes to the control, unless it is in one of its parts already.
        HWND form = FForm->View().Handle(), focus = GetFocus();
        if (focus != form && !IsChild(form, focus)) SetFocus(form);
    }
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND, LPCRECT lprcPosRect)
{
    return Guard([&]() -> HRESULT {
        if (pActiveSite && !FClientSite) SetClientSite(pActiveSite);
        switch (iVerb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_UIACTIVATE: {
            HRESULT hr = InPlaceActivate(true);
            if (SUCCEEDED(hr) && lprcPosRect) SetObjectRects(lprcPosRect, lprcPosRect);
            return hr;
        }
        case OLEIVERB_INPLACEACTIVATE: {
            HRESULT hr = InPlaceActivate(false);
            if (SUCCEEDED(hr) && lprcPosRect) SetObjectRects(lprcPosRect, lprcPosRect);
            return hr;
        }
        case OLEIVERB_HIDE:
            FForm->View().SetProp(fpVisible, 0);
            return S_OK;
        default:
            return iVerb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
        }
    });
}

STDMETHODIMP TActiveFormXImpl::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) { return OleRegEnumVerbs(CLSID_ActiveFormX, ppEnumOleVerb); }
STDMETHODIMP TActiveFormXImpl::Update() { return S_OK; }
STDMETHODIMP TActiveFormXImpl::IsUpToDate() { return S_OK; }

STDMETHODIMP TActiveFormXImpl::GetUserClassID(CLSID* pClsid)
{
    if (!pClsid) return E_POINTER;
    *pClsid = CLSID_ActiveFormX;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType)
{
    return OleRegGetUserType(CLSID_ActiveFormX, dwFormOfType, pszUserType);
}

SIZEL TActiveFormXImpl::ExtentHimetric()
{
    IActiveFormXView& v = FForm->View();
    SIZEL s = {MulDiv(v.Width(), 2540, PixelsPerInch(true)), MulDiv(v.Height(), 2540, PixelsPerInch(false))};
    return s;
}

STDMETHODIMP TActiveFormXImpl::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return Guard([&]() -> HRESULT {
        FForm->View().SetSize(MulDiv(psizel->cx, PixelsPerInch(true), 2540), MulDiv(psizel->cy, PixelsPerInch(false), 2540));
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *psizel = ExtentHimetric();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    if (!FOleAdvise && FAILED(CreateOleAdviseHolder(&FOleAdvise))) return E_OUTOFMEMORY;
    return FOleAdvise->Advise(pAdvSink, pdwConnection);
}

STDMETHODIMP TActiveFormXImpl::Unadvise(DWORD dwConnection)
{
    return FOleAdvise ? FOleAdvise->Unadvise(dwConnection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP TActiveFormXImpl::EnumAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (!ppenumAdvise) return E_POINTER;
    *ppenumAdvise = nullptr;
    return FOleAdvise ? FOleAdvise->EnumAdvise(ppenumAdvise) : E_FAIL;
}

STDMETHODIMP TActiveFormXImpl::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (!pdwStatus) return E_POINTER;
    *pdwStatus = MiscStatus;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// IOleControl

STDMETHODIMP TActiveFormXImpl::GetControlInfo(CONTROLINFO* pCI)
{
    if (!pCI) return E_POINTER;
    pCI->cb = sizeof(CONTROLINFO);
    pCI->hAccel = nullptr;
    pCI->cAccel = 0;
    pCI->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::OnMnemonic(MSG*) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP TActiveFormXImpl::FreezeEvents(BOOL bFreeze)
{
    if (bFreeze) ++FFreezeEvents;
    else if (FFreezeEvents > 0) --FFreezeEvents;
    return S_OK;
}

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

STDMETHODIMP TActiveFormXImpl::GetWindow(HWND* phwnd)
{
    if (!phwnd) return E_POINTER;
    *phwnd = FForm->View().Handle();
    return *phwnd ? S_OK : E_FAIL;
}

STDMETHODIMP TActiveFormXImpl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::InPlaceDeactivate()
{
    if (!FInPlaceActive) return S_OK;
    UIDeactivate();
    FInPlaceActive = false;
    IActiveFormXView& view = FForm->View();
    view.SetProp(fpVisible, 0);
    view.SetParentWindow(nullptr);
    if (FInPlaceSite) FInPlaceSite->OnInPlaceDeactivate();
    ReleaseAndNull(FInPlaceSite);
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::UIDeactivate()
{
    if (!FUIActive) return S_OK;
    FUIActive = false;
    if (FInPlaceSite) {
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* doc = nullptr;
        RECT pos = {}, clip = {};
        OLEINPLACEFRAMEINFO info = {sizeof(info)};
        if (SUCCEEDED(FInPlaceSite->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
            if (frame) frame->SetActiveObject(nullptr, nullptr);
            if (doc) doc->SetActiveObject(nullptr, nullptr);
        }
        ReleaseAndNull(frame);
        ReleaseAndNull(doc);
        FInPlaceSite->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (!lprcPosRect) return E_POINTER;
    return Guard([&]() -> HRESULT {
        FForm->View().SetBounds(lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                                lprcPosRect->bottom - lprcPosRect->top);
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }
STDMETHODIMP TActiveFormXImpl::TranslateAccelerator(LPMSG lpmsg)
{
    if (!lpmsg) return E_POINTER;
    try {
        // A form inside another program's message loop gets its dialog keys
        // (Tab between its parts, the keys its controls reflect) only here.
        return Application->IsKeyMsg(*lpmsg) ? S_OK : S_FALSE;
    } catch (...) {
        return S_FALSE;
    }
}
STDMETHODIMP TActiveFormXImpl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::EnableModeless(BOOL) { return S_OK; }

// IViewObject2

STDMETHODIMP TActiveFormXImpl::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw,
                                    LPCRECTL lprcBounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!hdcDraw || !lprcBounds) return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        RECT r = {lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom};
        FForm->View().PaintTo(hdcDraw, r);
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** ppColorSet)
{
    if (ppColorSet) *ppColorSet = nullptr;
    return S_FALSE;
}

STDMETHODIMP TActiveFormXImpl::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP TActiveFormXImpl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::SetAdvise(DWORD, DWORD advf, IAdviseSink* pAdvSink)
{
    if (pAdvSink) pAdvSink->AddRef();
    ReleaseAndNull(FViewAdvise);
    FViewAdvise = pAdvSink;
    FViewAdviseFlags = advf;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink)
{
    if (pAspects) *pAspects = DVASPECT_CONTENT;
    if (pAdvf) *pAdvf = FViewAdviseFlags;
    if (ppAdvSink) {
        *ppAdvSink = FViewAdvise;
        if (FViewAdvise) FViewAdvise->AddRef();
    }
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return GetExtent(dwDrawAspect, lpsizel);
}

// IPersist*: the three own properties.

STDMETHODIMP TActiveFormXImpl::GetClassID(CLSID* pClassID)
{
    if (!pClassID) return E_POINTER;
    *pClassID = CLSID_ActiveFormX;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::IsDirty() { return FDirty ? S_OK : S_FALSE; }

HRESULT TActiveFormXImpl::LoadFrom(IStream* Stream)
{
    if (!Stream) return E_POINTER;
    return Guard([&]() -> HRESULT {
        DWORD head[2] = {};
        HRESULT hr = ReadBytes(Stream, head, sizeof(head));
        if (FAILED(hr)) return hr;
        if (head[0] != kStreamTag || head[1] != kStreamVersion) return STG_E_OLDFORMAT;
        std::string address, skin;
        LONG port = 0;
        if (FAILED(hr = ReadString(Stream, address)) || FAILED(hr = ReadString(Stream, skin)) ||
            FAILED(hr = ReadBytes(Stream, &port, sizeof(port))))
            return hr;
        FForm->SetAddress(address);
        FForm->SetSkin(skin);
        FForm->SetPort(port);
        FDirty = false;
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SaveTo(IStream* Stream)
{
    if (!Stream) return E_POINTER;
    return Guard([&]() -> HRESULT {
        DWORD head[2] = {kStreamTag, kStreamVersion};
        LONG port = FForm->GetPort();
        HRESULT hr;
        if (FAILED(hr = WriteBytes(Stream, head, sizeof(head))) || FAILED(hr = WriteString(Stream, FForm->GetAddress())) ||
            FAILED(hr = WriteString(Stream, FForm->GetSkin())) || FAILED(hr = WriteBytes(Stream, &port, sizeof(port))))
            return hr;
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::Load(LPSTREAM pStm) { return LoadFrom(pStm); }

STDMETHODIMP TActiveFormXImpl::Save(LPSTREAM pStm, BOOL fClearDirty)
{
    HRESULT hr = SaveTo(pStm);
    if (SUCCEEDED(hr) && fClearDirty) FDirty = false;
    return hr;
}

STDMETHODIMP TActiveFormXImpl::GetSizeMax(ULARGE_INTEGER* pCbSize)
{
    if (!pCbSize) return E_POINTER;
    pCbSize->QuadPart = 4 * sizeof(DWORD) + sizeof(LONG) + FForm->GetAddress().size() + FForm->GetSkin().size();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::InitNew() { return S_OK; }
STDMETHODIMP TActiveFormXImpl::InitNew(IStorage*) { return S_OK; }

STDMETHODIMP TActiveFormXImpl::Load(IStorage* pStg)
{
    if (!pStg) return E_POINTER;
    IStream* s = nullptr;
    HRESULT hr = pStg->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &s);
    if (FAILED(hr)) return hr;
    hr = LoadFrom(s);
    s->Release();
    return hr;
}

STDMETHODIMP TActiveFormXImpl::Save(IStorage* pStgSave, BOOL)
{
    if (!pStgSave) return E_POINTER;
    IStream* s = nullptr;
    HRESULT hr = pStgSave->CreateStream(kContentsStream, STGM_WRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &s);
    if (FAILED(hr)) return hr;
    hr = SaveTo(s);
    s->Release();
    return hr;
}

STDMETHODIMP TActiveFormXImpl::SaveCompleted(IStorage*)
{
    FDirty = false;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::HandsOffStorage() { return S_OK; }

// IDataObject: no data formats of its own.

STDMETHODIMP TActiveFormXImpl::GetData(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }
STDMETHODIMP TActiveFormXImpl::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }
STDMETHODIMP TActiveFormXImpl::QueryGetData(FORMATETC*) { return DV_E_FORMATETC; }

STDMETHODIMP TActiveFormXImpl::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut)
{
    if (pformatetcOut) pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TActiveFormXImpl::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::EnumFormatEtc(DWORD, IEnumFORMATETC** ppenumFormatEtc)
{
    if (ppenumFormatEtc) *ppenumFormatEtc = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TActiveFormXImpl::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP TActiveFormXImpl::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP TActiveFormXImpl::EnumDAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (ppenumAdvise) *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// IProvideClassInfo2, ISpecifyPropertyPages

STDMETHODIMP TActiveFormXImpl::GetClassInfo(ITypeInfo** ppTI)
{
    if (!ppTI) return E_POINTER;
    *ppTI = nullptr;
    ITypeLib* lib = ControlTypeLib();
    return lib ? lib->GetTypeInfoOfGuid(CLSID_ActiveFormX, ppTI) : E_FAIL;
}

STDMETHODIMP TActiveFormXImpl::GetGUID(DWORD dwGuidKind, GUID* pGUID)
{
    if (!pGUID) return E_POINTER;
    if (dwGuidKind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *pGUID = DIID_IActiveFormXEvents;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetPages(CAUUID* pPages)
{
    if (!pPages) return E_POINTER;
    pPages->cElems = 0;
    pPages->pElems = nullptr;
    return S_OK;
}

// IQuickActivate

STDMETHODIMP TActiveFormXImpl::QuickActivate(QACONTAINER* pQaContainer, QACONTROL* pQaControl)
{
    if (!pQaContainer || !pQaControl) return E_POINTER;
    if (pQaContainer->cbSize < sizeof(QACONTAINER) || pQaControl->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    SetClientSite(pQaContainer->pClientSite);
    if (pQaContainer->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, pQaContainer->pAdviseSink);
    pQaControl->dwMiscStatus = MiscStatus;
    pQaControl->dwViewStatus = 0;
    pQaControl->dwEventCookie = 0;
    pQaControl->dwPropNotifyCookie = 0;
    pQaControl->dwPointerActivationPolicy = 0;
    if (pQaContainer->pUnkEventSink) FEvents.Advise(pQaContainer->pUnkEventSink, &pQaControl->dwEventCookie);
    if (pQaContainer->pPropertyNotifySink)
        FPropertyNotify.Advise(pQaContainer->pPropertyNotifySink, &pQaControl->dwPropNotifyCookie);
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetContentExtent(LPSIZEL pSizel) { return SetExtent(DVASPECT_CONTENT, pSizel); }
STDMETHODIMP TActiveFormXImpl::GetContentExtent(LPSIZEL pSizel) { return GetExtent(DVASPECT_CONTENT, pSizel); }

// IConnectionPointContainer, ISupportErrorInfo

STDMETHODIMP TActiveFormXImpl::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    return CreateConnectionPointEnum({&FEvents, &FPropertyNotify}, ppEnum);
}

STDMETHODIMP TActiveFormXImpl::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP) return E_POINTER;
    *ppCP = nullptr;
    if (IsEqualIID(riid, DIID_IActiveFormXEvents)) *ppCP = &FEvents;
    else if (IsEqualIID(riid, IID_IPropertyNotifySink)) *ppCP = &FPropertyNotify;
    else return CONNECT_E_NOCONNECTION;
    (*ppCP)->AddRef();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::InterfaceSupportsErrorInfo(REFIID riid)
{
    return IsEqualIID(riid, IID_IActiveFormX) ? S_OK : S_FALSE;
}
