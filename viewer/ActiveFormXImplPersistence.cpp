// Persistence of the control's own three properties, in a stream or in a
// storage's "Contents" stream; the data object offers no formats.
#include "ActiveFormXImpl.h"

namespace {

// Persistent state: a tag, a version, then address, skin and port.
const DWORD kStreamTag = 0x41444E51; // "QNDA"
const DWORD kStreamVersion = 1;

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
    return Guard([&]() -> HRESULT {
        pCbSize->QuadPart = 4 * sizeof(DWORD) + sizeof(LONG) + FForm->GetAddress().size() + FForm->GetSkin().size();
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::InitNew() { return S_OK; }
STDMETHODIMP TActiveFormXImpl::InitNew(IStorage*) { return S_OK; }

STDMETHODIMP TActiveFormXImpl::Load(IStorage* pStg)
{
    if (!pStg) return E_POINTER;
    TComPtr<IStream> s;
    HRESULT hr = pStg->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, s.Put());
    return FAILED(hr) ? hr : LoadFrom(s.Get());
}

STDMETHODIMP TActiveFormXImpl::Save(IStorage* pStgSave, BOOL)
{
    if (!pStgSave) return E_POINTER;
    TComPtr<IStream> s;
    HRESULT hr = pStgSave->CreateStream(kContentsStream, STGM_WRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, s.Put());
    return FAILED(hr) ? hr : SaveTo(s.Get());
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

