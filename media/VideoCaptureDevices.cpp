#include "VideoCaptureDevices.h"
#include "SysUtils.h"

namespace {

const GUID& CategoryOf(TCapDeviceKind Kind)
{
    switch (Kind) {
    case cdkVideoCapture: return CLSID_VideoInputDeviceCategory;
    case cdkAudioCapture: return CLSID_AudioInputDeviceCategory;
    case cdkVideoCompressor: return CLSID_VideoCompressorCategory;
    default: return CLSID_AudioCompressorCategory;
    }
}

TStringList* NamesOf(TCapDeviceKind Kind, bool Refresh)
{
    if (Refresh || CapDeviceList(Kind).Count() == 0) EnumerateCapDevices(Kind);
    const TCapDeviceList& list = CapDeviceList(Kind);
    auto* names = new TStringList();
    for (int i = 0; i < list.Count(); ++i) names->Add(list.Item(i)->UniqueName);
    return names;
}

} // namespace

void EnsureComInitialized()
{
    // Each call after the first only counts up; the apartment lives as long as the
    // thread, since the lists keep monikers for the program's lifetime.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

const TCapDeviceInfo* TCapDeviceList::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) return nullptr;
    return FItems[static_cast<size_t>(Index)].get();
}

int TCapDeviceList::IndexOfName(const std::string& UniqueName) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)]->UniqueName == UniqueName) return i;
    return -1;
}

int TCapDeviceList::IndexOfMoniker(IMoniker* Moniker) const
{
    if (!Moniker) return -1;
    for (int i = 0; i < Count(); ++i)
        if (SameMoniker(FItems[static_cast<size_t>(i)]->Moniker.Get(), Moniker)) return i;
    return -1;
}

TCapDeviceList& CapDeviceList(TCapDeviceKind Kind)
{
    static TCapDeviceList lists[4];
    return lists[Kind];
}

bool SameMoniker(IMoniker* a, IMoniker* b)
{
    if (a == b) return true;
    if (!a || !b) return false;
    return a->IsEqual(b) == S_OK;
}

std::string MonikerFriendlyName(IMoniker* Moniker)
{
    if (!Moniker) return std::string();
    TComPtr<IPropertyBag> bag;
    if (FAILED(Moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())) || !bag)
        return std::string();
    VARIANT v;
    VariantInit(&v);
    TWideString key = AnsiToWide("FriendlyName");
    std::string name;
    if (SUCCEEDED(bag->Read(key.c_str(), &v, nullptr)) && V_VT(&v) == VT_BSTR) name = WideToAnsi(V_BSTR(&v));
    VariantClear(&v);
    return name;
}

void EnumerateCapDevices(TCapDeviceKind Kind)
{
    TCapDeviceList& list = CapDeviceList(Kind);
    list.Clear();
    EnsureComInitialized();
    TComPtr<ICreateDevEnum> devEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devEnum.PutVoid())) || !devEnum)
        return;
    TComPtr<IEnumMoniker> monikers;
    // S_FALSE with no enumerator: the category is empty.
    if (devEnum->CreateClassEnumerator(CategoryOf(Kind), monikers.Put(), 0) != S_OK || !monikers) return;
    for (;;) {
        TComPtr<IMoniker> m;
        ULONG fetched = 0;
        if (monikers->Next(1, m.Put(), &fetched) != S_OK || fetched != 1 || !m) break;
        TComPtr<IPropertyBag> bag;
        if (FAILED(m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid())) || !bag) continue;
        auto info = std::make_unique<TCapDeviceInfo>();
        info->FriendlyName = MonikerFriendlyName(m.Get());
        int same = 0;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Item(i)->FriendlyName == info->FriendlyName) ++same;
        info->UniqueName = same == 0 ? info->FriendlyName : info->FriendlyName + Format(" (%d)", same + 1);
        info->Moniker = std::move(m);
        list.Add(std::move(info));
    }
}

void ClearCapDeviceLists()
{
    for (int k = cdkVideoCapture; k <= cdkAudioCompressor; ++k) CapDeviceList(static_cast<TCapDeviceKind>(k)).Clear();
}

TStringList* GetVideoDevicesList(bool Refresh)
{
    return NamesOf(cdkVideoCapture, Refresh);
}

TStringList* GetAudioDevicesList(bool Refresh)
{
    return NamesOf(cdkAudioCapture, Refresh);
}

TStringList* GetVideoCompressorsList(bool Refresh)
{
    return NamesOf(cdkVideoCompressor, Refresh);
}

TStringList* GetAudioCompressorsList(bool Refresh)
{
    return NamesOf(cdkAudioCompressor, Refresh);
}
