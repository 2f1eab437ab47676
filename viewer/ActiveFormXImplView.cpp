// IViewObject2: the host draws the control into a device context of its own.
#include "ActiveFormXImpl.h"

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
    FViewAdvise.Assign(pAdvSink);
    FViewAdviseFlags = advf;
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink)
{
    if (pAspects) *pAspects = DVASPECT_CONTENT;
    if (pAdvf) *pAdvf = FViewAdviseFlags;
    if (ppAdvSink) {
        *ppAdvSink = FViewAdvise.Copy().Detach();
    }
    return S_OK;
}

STDMETHODIMP TActiveFormXImpl::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return GetExtent(dwDrawAspect, lpsizel);
}

