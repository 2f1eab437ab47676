#include "ActiveFormXImpl.h"
#include "Trace.h"

HRESULT TActiveFormXImpl::Create(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    TActiveFormXImpl* obj = nullptr;
    try {
        obj = new TActiveFormXImpl();
    } catch (const std::bad_alloc&) {
        Trace::Failure(Trace::Viewer, "control not created: out of memory", E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    } catch (const EOleSysError& e) {
        Trace::Failure(Trace::Viewer, std::string("control not created: ") + e.what(), e.ErrorCode());
        return e.ErrorCode();
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, std::string("control not created: ") + e.what());
        return E_FAIL;
    } catch (...) {
        Trace::Line(Trace::Viewer, "control not created: unexpected failure");
        return E_UNEXPECTED;
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
        ITypeLib* lib = ControlTypeLib();
        if (!lib) throw EOleSysError("The control's type library cannot be loaded", TYPE_E_CANTLOADLIBRARY);
        OleCheck(lib->GetTypeInfoOfGuid(IID_IActiveFormX, FTypeInfo.Put()), "IActiveFormX is not in the type library");
        FForm = std::make_unique<TActiveFormX>(nullptr);
    } catch (...) {
        FTypeInfo.Reset();
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
    FInPlaceSite.Reset();
    FClientSite.Reset();
    FOleAdvise.Reset();
    FViewAdvise.Reset();
    FFont.Reset();
    FTypeInfo.Reset();
    ModuleUnlock();
}

HRESULT TActiveFormXImpl::ReportError(HRESULT Code, const std::string& Message)
{
    // The error names the class and the interface; the code is the failure's own.
    try {
        Trace::Failure(Trace::Viewer, "COM method failed: " + Message, Code);
        TComPtr<ICreateErrorInfo> create;
        if (FAILED(CreateErrorInfo(create.Put()))) return Code;
        TWideString source = AnsiToWide(GuidText(CLSID_ActiveFormX));
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetGUID(IID_IActiveFormX);
        TWideString text = AnsiToWide(Message);
        create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
        TComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(IID_IErrorInfo, info))) SetErrorInfo(0, info.Get());
    } catch (...) {
        Trace::Line(Trace::Viewer, "error information not set");
    }
    return Code;
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
            Trace::Line(Trace::Viewer, "the control failed while it ended");
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
    *ppTInfo = FTypeInfo.Copy().Detach();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    return Guard([&] { return DispGetIDsOfNames(FTypeInfo.Get(), rgszNames, cNames, rgDispId); });
}

STDMETHODIMP TActiveFormXImpl::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    return Guard([&] {
        return DispInvoke(static_cast<IActiveFormX*>(this), FTypeInfo.Get(), dispIdMember, wFlags, pDispParams,
                          pVarResult, pExcepInfo, puArgErr);
    });
}

// IProvideClassInfo2, ISpecifyPropertyPages

STDMETHODIMP TActiveFormXImpl::GetClassInfo(ITypeInfo** ppTI)
{
    if (!ppTI) return E_POINTER;
    *ppTI = nullptr;
    return Guard([&]() -> HRESULT {
        ITypeLib* lib = ControlTypeLib();
        return lib ? lib->GetTypeInfoOfGuid(CLSID_ActiveFormX, ppTI) : TYPE_E_CANTLOADLIBRARY;
    });
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

// IConnectionPointContainer, ISupportErrorInfo

STDMETHODIMP TActiveFormXImpl::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    return Guard([&] { return CreateConnectionPointEnum({&FEvents, &FPropertyNotify}, ppEnum); });
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
