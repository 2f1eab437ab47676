// OLE embedding: the object's site, verbs and extent, in-place activation and
// the keys a host offers an active control; quick activation.
#include "ActiveFormXImpl.h"
#include "Application.h"
#include "Trace.h"

namespace {

// Tells the host's frame and document windows which object is UI active
// (Object null: none).
void SetActiveObject(IOleInPlaceSite* Site, IOleInPlaceActiveObject* Object)
{
    TComPtr<IOleInPlaceFrame> frame;
    TComPtr<IOleInPlaceUIWindow> doc;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {sizeof(info)};
    HRESULT hr = Site->GetWindowContext(frame.Put(), doc.Put(), &pos, &clip, &info);
    if (FAILED(hr)) {
        Trace::Failure(Trace::Viewer, "in-place site gave no window context", hr);
        return;
    }
    if (frame) frame->SetActiveObject(Object, nullptr);
    if (doc) doc->SetActiveObject(Object, nullptr);
}

} // namespace

// IOleObject

STDMETHODIMP TActiveFormXImpl::SetClientSite(IOleClientSite* pClientSite)
{
    FClientSite.Assign(pClientSite);
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetClientSite(IOleClientSite** ppClientSite)
{
    if (!ppClientSite) return E_POINTER;
    *ppClientSite = FClientSite.Copy().Detach();
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP TActiveFormXImpl::Close(DWORD dwSaveOption)
{
    return Guard([&]() -> HRESULT {
        if ((dwSaveOption == OLECLOSE_SAVEIFDIRTY || dwSaveOption == OLECLOSE_PROMPTSAVE) && FDirty && FClientSite)
            FClientSite->SaveObject();
        HRESULT hr = InPlaceDeactivate();
        if (FOleAdvise) FOleAdvise->SendOnClose();
        return hr;
    });
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
        TComPtr<IOleInPlaceSite> site;
        if (FAILED(FClientSite.As(IID_IOleInPlaceSite, site)) || !site) return E_NOINTERFACE;
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        site->OnInPlaceActivate();
        HWND parent = nullptr;
        site->GetWindow(&parent);
        TComPtr<IOleInPlaceFrame> frame;
        TComPtr<IOleInPlaceUIWindow> doc;
        RECT pos = {}, clip = {};
        OLEINPLACEFRAMEINFO info = {sizeof(info)};
        site->GetWindowContext(frame.Put(), doc.Put(), &pos, &clip, &info);
        IActiveFormXView& view = FForm->View();
        view.SetParentWindow(parent);
        if (pos.right > pos.left && pos.bottom > pos.top)
            view.SetBounds(pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top);
        view.SetProp(fpVisible, 1);
        FInPlaceSite = std::move(site);
        FInPlaceActive = true;
    }
    if (UIActivate && !FUIActive) {
        FUIActive = true;
        FInPlaceSite->OnUIActivate();
        SetActiveObject(FInPlaceSite.Get(), static_cast<IOleInPlaceActiveObject*>(this));
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

STDMETHODIMP TActiveFormXImpl::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb)
{
    return Guard([&] { return OleRegEnumVerbs(CLSID_ActiveFormX, ppEnumOleVerb); });
}
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
    return Guard([&] { return OleRegGetUserType(CLSID_ActiveFormX, dwFormOfType, pszUserType); });
}

SIZEL TActiveFormXImpl::ExtentHimetric()
{
    IActiveFormXView& v = FForm->View();
    SIZEL s = {MulDiv(v.Width(), 2540, ScreenPixelsPerInch(true)), MulDiv(v.Height(), 2540, ScreenPixelsPerInch(false))};
    return s;
}

STDMETHODIMP TActiveFormXImpl::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return Guard([&]() -> HRESULT {
        FForm->View().SetSize(MulDiv(psizel->cx, ScreenPixelsPerInch(true), 2540), MulDiv(psizel->cy, ScreenPixelsPerInch(false), 2540));
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return Guard([&]() -> HRESULT {
        *psizel = ExtentHimetric();
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    return Guard([&]() -> HRESULT {
        if (!FOleAdvise) OleCheck(CreateOleAdviseHolder(FOleAdvise.Put()), "No advise holder");
        return FOleAdvise->Advise(pAdvSink, pdwConnection);
    });
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
    *phwnd = nullptr;
    return Guard([&]() -> HRESULT {
        *phwnd = FForm->View().Handle();
        return *phwnd ? S_OK : E_FAIL;
    });
}

STDMETHODIMP TActiveFormXImpl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP TActiveFormXImpl::InPlaceDeactivate()
{
    if (!FInPlaceActive) return S_OK;
    return Guard([&]() -> HRESULT {
        UIDeactivate();
        FInPlaceActive = false;
        TComPtr<IOleInPlaceSite> site = std::move(FInPlaceSite);
        IActiveFormXView& view = FForm->View();
        view.SetProp(fpVisible, 0);
        view.SetParentWindow(nullptr);
        if (site) site->OnInPlaceDeactivate();
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::UIDeactivate()
{
    if (!FUIActive) return S_OK;
    FUIActive = false;
    return Guard([&]() -> HRESULT {
        if (FInPlaceSite) {
            SetActiveObject(FInPlaceSite.Get(), nullptr);
            FInPlaceSite->OnUIDeactivate(FALSE);
        }
        return S_OK;
    });
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
    // A form inside another program's message loop gets its dialog keys
    // (Tab between its parts, the keys its controls reflect) only here. A
    // failure leaves the key to the host.
    HRESULT hr = Guard([&] { return Application->IsKeyMsg(*lpmsg) ? S_OK : S_FALSE; });
    return FAILED(hr) ? S_FALSE : hr;
}
STDMETHODIMP TActiveFormXImpl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP TActiveFormXImpl::EnableModeless(BOOL) { return S_OK; }

// IQuickActivate

STDMETHODIMP TActiveFormXImpl::QuickActivate(QACONTAINER* pQaContainer, QACONTROL* pQaControl)
{
    if (!pQaContainer || !pQaControl) return E_POINTER;
    if (pQaContainer->cbSize < sizeof(QACONTAINER) || pQaControl->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        SetClientSite(pQaContainer->pClientSite);
        if (pQaContainer->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, pQaContainer->pAdviseSink);
        pQaControl->dwMiscStatus = MiscStatus;
        pQaControl->dwViewStatus = 0;
        pQaControl->dwEventCookie = 0;
        pQaControl->dwPropNotifyCookie = 0;
        pQaControl->dwPointerActivationPolicy = 0;
        if (pQaContainer->pUnkEventSink) {
            HRESULT hr = FEvents.Advise(pQaContainer->pUnkEventSink, &pQaControl->dwEventCookie);
            if (FAILED(hr)) Trace::Failure(Trace::Viewer, "quick activation: event sink not advised", hr);
        }
        if (pQaContainer->pPropertyNotifySink) {
            HRESULT hr = FPropertyNotify.Advise(pQaContainer->pPropertyNotifySink, &pQaControl->dwPropNotifyCookie);
            if (FAILED(hr)) Trace::Failure(Trace::Viewer, "quick activation: notify sink not advised", hr);
        }
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::SetContentExtent(LPSIZEL pSizel) { return SetExtent(DVASPECT_CONTENT, pSizel); }
STDMETHODIMP TActiveFormXImpl::GetContentExtent(LPSIZEL pSizel) { return GetExtent(DVASPECT_CONTENT, pSizel); }

