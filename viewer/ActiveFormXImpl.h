// The viewer control's COM object: wraps the form (TActiveFormX) and exposes it
// through the dual interface IActiveFormX, the event interface's connection
// point and the control interfaces an ActiveX host calls.
//
// One class, its methods in files by interface group: ActiveFormXImpl.cpp
// (creation, IUnknown, IDispatch, class information, connection points, error
// reporting), ActiveFormXImplProperties.cpp (properties and events),
// ActiveFormXImplEmbedding.cpp (OLE embedding, in-place activation),
// ActiveFormXImplPersistence.cpp and ActiveFormXImplView.cpp (IViewObject2).
#pragma once
#include "QuendaIdl.h"
#include "ActiveFormX.h"
#include "ComSupport.h"
#include "ConnectionPoints.h"
#include "Handles.h"
#include <olectl.h>
#include <memory>
#include <new>

class TActiveFormXImpl final : public IActiveFormX,
                         public IOleObject,
                         public IOleControl,
                         public IOleInPlaceObject,
                         public IOleInPlaceActiveObject,
                         public IViewObject2,
                         public IPersistStreamInit,
                         public IPersistStorage,
                         public IDataObject,
                         public IProvideClassInfo2,
                         public ISpecifyPropertyPages,
                         public IQuickActivate,
                         public IConnectionPointContainer,
                         public ISupportErrorInfo {
public:
    // Makes the object with its form; the caller owns the one reference.
    static HRESULT Create(REFIID riid, void** ppv);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // IActiveFormX
    STDMETHODIMP get_Visible(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_Visible(VARIANT_BOOL Value) override;
    STDMETHODIMP get_AutoScroll(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_AutoScroll(VARIANT_BOOL Value) override;
    STDMETHODIMP get_AutoSize(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_AutoSize(VARIANT_BOOL Value) override;
    STDMETHODIMP get_AxBorderStyle(TxActiveFormBorderStyle* Value) override;
    STDMETHODIMP put_AxBorderStyle(TxActiveFormBorderStyle Value) override;
    STDMETHODIMP get_BorderWidth(LONG* Value) override;
    STDMETHODIMP put_BorderWidth(LONG Value) override;
    STDMETHODIMP get_Caption(BSTR* Value) override;
    STDMETHODIMP put_Caption(BSTR Value) override;
    STDMETHODIMP get_Color(OLE_COLOR* Value) override;
    STDMETHODIMP put_Color(OLE_COLOR Value) override;
    STDMETHODIMP get_Font(IFontDisp** Value) override;
    STDMETHODIMP put_Font(IFontDisp* Value) override;
    STDMETHODIMP putref_Font(IFontDisp* Value) override;
    STDMETHODIMP get_KeyPreview(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_KeyPreview(VARIANT_BOOL Value) override;
    STDMETHODIMP get_PixelsPerInch(LONG* Value) override;
    STDMETHODIMP put_PixelsPerInch(LONG Value) override;
    STDMETHODIMP get_PrintScale(TxPrintScale* Value) override;
    STDMETHODIMP put_PrintScale(TxPrintScale Value) override;
    STDMETHODIMP get_Scaled(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_Scaled(VARIANT_BOOL Value) override;
    STDMETHODIMP get_Active(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_DropTarget(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_DropTarget(VARIANT_BOOL Value) override;
    STDMETHODIMP get_HelpFile(BSTR* Value) override;
    STDMETHODIMP put_HelpFile(BSTR Value) override;
    STDMETHODIMP get_DoubleBuffered(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_DoubleBuffered(VARIANT_BOOL Value) override;
    STDMETHODIMP get_AlignDisabled(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_VisibleDockClientCount(LONG* Value) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL Value) override;
    STDMETHODIMP get_Skin(BSTR* Value) override;
    STDMETHODIMP put_Skin(BSTR Value) override;
    STDMETHODIMP get_address(BSTR* Value) override;
    STDMETHODIMP put_address(BSTR Value) override;
    STDMETHODIMP get_Port(LONG* Value) override;
    STDMETHODIMP put_Port(LONG Value) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override;
    STDMETHODIMP SetHostNames(LPCOLESTR szContainerApp, LPCOLESTR szContainerObj) override;
    STDMETHODIMP Close(DWORD dwSaveOption) override;
    STDMETHODIMP SetMoniker(DWORD dwWhichMoniker, IMoniker* pmk) override;
    STDMETHODIMP GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHODIMP InitFromData(IDataObject* pDataObject, BOOL fCreation, DWORD dwReserved) override;
    STDMETHODIMP GetClipboardData(DWORD dwReserved, IDataObject** ppDataObject) override;
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex, HWND hwndParent,
                        LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override;
    STDMETHODIMP GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType) override;
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP Unadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    STDMETHODIMP GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* pLogpal) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* pCI) override;
    STDMETHODIMP OnMnemonic(MSG* pMsg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispID) override;
    STDMETHODIMP FreezeEvents(BOOL bFreeze) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
    STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fFrameWindow) override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcTargetDev,
                      HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL lprcWBounds, BOOL(STDMETHODCALLTYPE* pfnContinue)(ULONG_PTR),
                      ULONG_PTR dwContinue) override;
    STDMETHODIMP GetColorSet(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hicTargetDev,
                             LOGPALETTE** ppColorSet) override;
    STDMETHODIMP Freeze(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DWORD* pdwFreeze) override;
    STDMETHODIMP Unfreeze(DWORD dwFreeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) override;
    STDMETHODIMP GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, LONG lindex, DVTARGETDEVICE* ptd, LPSIZEL lpsizel) override;

    // IPersist, IPersistStreamInit, IPersistStorage
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM pStm) override;
    STDMETHODIMP Save(LPSTREAM pStm, BOOL fClearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* pCbSize) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP InitNew(IStorage* pStg) override;
    STDMETHODIMP Load(IStorage* pStg) override;
    STDMETHODIMP Save(IStorage* pStgSave, BOOL fSameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage* pStgNew) override;
    STDMETHODIMP HandsOffStorage() override;

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    STDMETHODIMP GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    STDMETHODIMP QueryGetData(FORMATETC* pformatetc) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    STDMETHODIMP SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    STDMETHODIMP DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP DUnadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** ppTI) override;
    STDMETHODIMP GetGUID(DWORD dwGuidKind, GUID* pGUID) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pPages) override;

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* pQaContainer, QACONTROL* pQaControl) override;
    STDMETHODIMP SetContentExtent(LPSIZEL pSizel) override;
    STDMETHODIMP GetContentExtent(LPSIZEL pSizel) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // Status bits of the control (OLEMISC_*): 0x20191.
    static const DWORD MiscStatus = 131473;
    // At most this many event sinks.
    static const size_t MaxEventSinks = 5;

    TActiveFormX& Form() { return *FForm; }

private:
    TActiveFormXImpl();
    ~TActiveFormXImpl();
    void BindEvents();
    void FireEvent(DISPID Id, short* Key = nullptr);
    HRESULT FireOnRequestEdit(DISPID Id);
    void FireOnChanged(DISPID Id);
    // Sets the error information (naming the class and IActiveFormX) and
    // returns Code. Never throws.
    HRESULT ReportError(HRESULT Code, const std::string& Message);
    HRESULT InPlaceActivate(bool UIActivate);
    HRESULT GetBool(TFormProp Prop, VARIANT_BOOL* Value);
    HRESULT SetBool(TFormProp Prop, DISPID Id, VARIANT_BOOL Value);
    HRESULT GetInt(TFormProp Prop, LONG* Value);
    // GetInt for a property of an enumeration or colour type.
    template <class T> HRESULT GetIntAs(TFormProp Prop, T* Value);
    HRESULT SetInt(TFormProp Prop, DISPID Id, LONG Value);
    HRESULT GetTextProp(TFormTextProp Prop, BSTR* Value);
    HRESULT SetTextProp(TFormTextProp Prop, DISPID Id, BSTR Value);
    // One of the control's own text properties as a new BSTR.
    template <class F> HRESULT GetOwnText(F Read, BSTR* Value);
    // Runs a COM method's body; an exception becomes its result code with
    // error information, so none crosses into the host.
    template <class F> HRESULT Guard(F Body);
    // Stores a changed property with the sinks' consent.
    template <class F> HRESULT Change(DISPID Id, F Store);
    HRESULT LoadFrom(IStream* Stream);
    HRESULT SaveTo(IStream* Stream);
    SIZEL ExtentHimetric();

    // Event DISPIDs of IActiveFormXEvents.
    enum : DISPID {
        kOnActivate = 1, kOnClick = 2, kOnCreate = 3, kOnMouseMove = 4, kOnDblClick = 5, kOnDestroy = 6,
        kOnDeactivate = 7, kOnKeyPress = 11, kOnPaint = 16
    };

    LONG FRefs = 1;
    std::unique_ptr<TActiveFormX> FForm;
    TComPtr<ITypeInfo> FTypeInfo;
    TComPtr<IOleClientSite> FClientSite;
    TComPtr<IOleInPlaceSite> FInPlaceSite;
    TComPtr<IOleAdviseHolder> FOleAdvise;
    TComPtr<IAdviseSink> FViewAdvise;
    DWORD FViewAdviseFlags = 0;
    TComPtr<IFontDisp> FFont;
    CConnectionPoint FPropertyNotify;
    CConnectionPoint FEvents;
    LONG FFreezeEvents = 0;
    bool FInPlaceActive = false;
    bool FUIActive = false;
    bool FDirty = false;
};

template <class F> HRESULT TActiveFormXImpl::Guard(F Body)
{
    try {
        return Body();
    } catch (const EOleSysError& e) {
        return ReportError(e.ErrorCode(), e.what());
    } catch (const EOutOfMemory& e) {
        return ReportError(E_OUTOFMEMORY, e.what());
    } catch (const std::bad_alloc&) {
        return ReportError(E_OUTOFMEMORY, "Out of memory");
    } catch (const std::exception& e) {
        return ReportError(E_FAIL, e.what());
    } catch (...) {
        return ReportError(E_UNEXPECTED, "Unexpected failure");
    }
}
