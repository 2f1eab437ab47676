#include "ConnectionPoints.h"
#include <olectl.h>
#include <new>

namespace {

// A snapshot enumerator over a list of items that are AddRef'd while held.
template <class TEnum, class TItem, class TOut, const IID& EnumIid> class TSnapshotEnum : public TEnum {
public:
    explicit TSnapshotEnum(const std::vector<TItem>& Items) : FItems(Items)
    {
        for (auto& i : FItems) Hold(i, true);
    }
    virtual ~TSnapshotEnum()
    {
        for (auto& i : FItems) Hold(i, false);
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, EnumIid)) {
            *ppv = static_cast<TEnum*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&FRefs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG r = InterlockedDecrement(&FRefs);
        if (!r) delete this;
        return r;
    }
    STDMETHODIMP Next(ULONG Count, TOut* Items, ULONG* Fetched) override
    {
        if (!Items) return E_POINTER;
        ULONG n = 0;
        while (n < Count && FPos < FItems.size()) {
            Items[n] = Copy(FItems[FPos++]);
            ++n;
        }
        if (Fetched) *Fetched = n;
        return n == Count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG Count) override
    {
        FPos += Count;
        if (FPos > FItems.size()) {
            FPos = FItems.size();
            return S_FALSE;
        }
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        FPos = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(TEnum** ppEnum) override
    {
        if (!ppEnum) return E_POINTER;
        *ppEnum = nullptr;
        try {
            auto* e = new TSnapshotEnum(FItems);
            e->FPos = FPos;
            *ppEnum = e;
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

private:
    static void Hold(IConnectionPoint* p, bool on) { on ? p->AddRef() : p->Release(); }
    static void Hold(CONNECTDATA& d, bool on) { on ? d.pUnk->AddRef() : d.pUnk->Release(); }
    static IConnectionPoint* Copy(IConnectionPoint* p)
    {
        p->AddRef();
        return p;
    }
    static CONNECTDATA Copy(const CONNECTDATA& d)
    {
        d.pUnk->AddRef();
        return d;
    }
    LONG FRefs = 1;
    std::vector<TItem> FItems;
    size_t FPos = 0;
};

typedef TSnapshotEnum<IEnumConnections, CONNECTDATA, CONNECTDATA, IID_IEnumConnections> TConnectionEnum;
typedef TSnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, IConnectionPoint*, IID_IEnumConnectionPoints>
    TPointEnum;

} // namespace

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* Container, REFIID Iid, size_t MaxSinks)
    : FContainer(Container), FIid(Iid), FMaxSinks(MaxSinks)
{
}

CConnectionPoint::~CConnectionPoint() { UnadviseAll(); }

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* pIID)
{
    if (!pIID) return E_POINTER;
    *pIID = FIid;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (!ppCPC) return E_POINTER;
    *ppCPC = FContainer;
    FContainer->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (!pUnkSink || !pdwCookie) return E_POINTER;
    *pdwCookie = 0;
    if (FSinks.size() >= FMaxSinks) return CONNECT_E_ADVISELIMIT;
    TComPtr<IUnknown> sink;
    if (FAILED(pUnkSink->QueryInterface(FIid, sink.PutVoid())) || !sink) return CONNECT_E_CANNOTCONNECT;
    try {
        FSinks.push_back({std::move(sink), FNextCookie});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *pdwCookie = FNextCookie++;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD dwCookie)
{
    for (auto it = FSinks.begin(); it != FSinks.end(); ++it) {
        if (it->Cookie == dwCookie) {
            // Released after the list is whole again: the sink's end may call back.
            TComPtr<IUnknown> sink = std::move(it->Unk);
            FSinks.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    try {
        std::vector<CONNECTDATA> items;
        for (const Sink& s : FSinks) items.push_back({s.Unk.Get(), s.Cookie});
        *ppEnum = new TConnectionEnum(items);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

std::vector<TComPtr<IUnknown>> CConnectionPoint::Sinks()
{
    std::vector<TComPtr<IUnknown>> out;
    for (const Sink& s : FSinks) out.push_back(s.Unk.Copy());
    return out;
}

void CConnectionPoint::UnadviseAll()
{
    std::vector<Sink> sinks;
    sinks.swap(FSinks);
}

HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& Points, IEnumConnectionPoints** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    try {
        *ppEnum = new TPointEnum(Points);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
