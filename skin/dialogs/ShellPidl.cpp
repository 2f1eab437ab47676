#include "ShellPidl.h"
#include <cstring>

namespace Spskinshellctrls {

namespace {

// Item counts are read byte by byte: items carry no alignment guarantee.
USHORT ItemSize(LPCITEMIDLIST p)
{
    USHORT cb;
    std::memcpy(&cb, p, sizeof(cb));
    return cb;
}

void* ShellAlloc(SIZE_T Size)
{
    IMalloc* m = nullptr;
    if (FAILED(SHGetMalloc(&m)) || !m) return nullptr;
    void* p = m->Alloc(Size);
    m->Release();
    return p;
}

} // namespace

} // namespace Spskinshellctrls

using Spskinshellctrls::PidlFree;
using Spskinshellctrls::PidlCopy;

TPidl& TPidl::operator=(TPidl&& o) noexcept
{
    if (this != &o) Reset(o.Release());
    return *this;
}

LPITEMIDLIST TPidl::Release()
{
    LPITEMIDLIST p = FPidl;
    FPidl = nullptr;
    return p;
}

void TPidl::Reset(LPITEMIDLIST p)
{
    if (FPidl && FPidl != p) PidlFree(FPidl);
    FPidl = p;
}

LPITEMIDLIST* TPidl::Put()
{
    Reset();
    return &FPidl;
}

TPidl TPidl::Copy() const { return PidlCopy(FPidl); }

namespace Spskinshellctrls {

TPidl PidlAlloc(UINT Size)
{
    void* p = ShellAlloc(Size);
    if (p) std::memset(p, 0, Size);
    return TPidl(static_cast<LPITEMIDLIST>(p));
}

void PidlFree(LPITEMIDLIST Pidl)
{
    if (!Pidl) return;
    IMalloc* m = nullptr;
    if (SUCCEEDED(SHGetMalloc(&m)) && m) {
        m->Free(Pidl);
        m->Release();
    }
}

LPCITEMIDLIST PidlNext(LPCITEMIDLIST Pidl)
{
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(Pidl) + ItemSize(Pidl));
}

int PidlItemCount(LPCITEMIDLIST Pidl)
{
    int n = 0;
    if (!Pidl) return 0;
    while (ItemSize(Pidl) != 0) {
        ++n;
        Pidl = PidlNext(Pidl);
    }
    return n;
}

UINT PidlByteSize(LPCITEMIDLIST Pidl)
{
    if (!Pidl) return 0;
    UINT size = sizeof(USHORT);
    while (USHORT cb = ItemSize(Pidl)) {
        size += cb;
        Pidl = PidlNext(Pidl);
    }
    return size;
}

void PidlStripLast(LPITEMIDLIST Pidl)
{
    if (!Pidl || ItemSize(Pidl) == 0) return;
    LPCITEMIDLIST last = Pidl;
    for (LPCITEMIDLIST p = Pidl; ItemSize(p) != 0; p = PidlNext(p)) last = p;
    std::memset(const_cast<LPITEMIDLIST>(last), 0, sizeof(USHORT));
}

TPidl PidlCopy(LPCITEMIDLIST Pidl)
{
    if (!Pidl) return TPidl();
    UINT size = PidlByteSize(Pidl);
    TPidl r = PidlAlloc(size);
    if (r) std::memcpy(r.Get(), Pidl, size);
    return r;
}

TPidl PidlConcat(LPCITEMIDLIST First, LPCITEMIDLIST Second)
{
    if (!First) return PidlCopy(Second);
    UINT first = PidlByteSize(First) - sizeof(USHORT);
    UINT second = Second ? PidlByteSize(Second) : sizeof(USHORT);
    TPidl r = PidlAlloc(first + second);
    if (!r) return r;
    BYTE* out = reinterpret_cast<BYTE*>(r.Get());
    std::memcpy(out, First, first);
    if (Second) std::memcpy(out + first, Second, second);
    return r;
}

TPidl PidlLastItemCopy(LPCITEMIDLIST Pidl)
{
    if (!Pidl) return TPidl();
    LPCITEMIDLIST last = Pidl;
    for (LPCITEMIDLIST p = Pidl; ItemSize(p) != 0; p = PidlNext(p)) last = p;
    UINT cb = ItemSize(last);
    TPidl r = PidlAlloc(cb + sizeof(USHORT));
    if (r) std::memcpy(r.Get(), last, cb);
    return r;
}

std::vector<TPidl> PidlAncestorList(LPCITEMIDLIST Pidl)
{
    std::vector<TPidl> list;
    int n = PidlItemCount(Pidl);
    UINT bytes = 0;
    LPCITEMIDLIST p = Pidl;
    for (int i = 0; i < n; ++i) {
        TPidl a = PidlAlloc(bytes + sizeof(USHORT));
        if (a) std::memcpy(a.Get(), Pidl, bytes);
        list.push_back(std::move(a));
        bytes += ItemSize(p);
        p = PidlNext(p);
    }
    return list;
}

} // namespace Spskinshellctrls
