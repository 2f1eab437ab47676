#include "ResourceStream.h"
#include <cstring>

TResourceStream::TResourceStream(HINSTANCE Instance, const std::string& ResName, LPCSTR ResType)
{
    Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, LPCSTR ResType)
{
    Initialize(Instance, MAKEINTRESOURCEA(ResID), ResType, IntToStr(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, LPCSTR Name, LPCSTR ResType, const std::string& Shown)
{
    HRSRC r = FindResourceA(Instance, Name, ResType);
    if (!r) throw EResNotFound("Resource " + Shown + " not found");
    HGLOBAL g = LoadResource(Instance, r);
    const void* p = g ? LockResource(g) : nullptr;
    DWORD size = SizeofResource(Instance, r);
    if (!p && size) throw EResNotFound("Resource " + Shown + " not found");
    // A copy keeps the stream valid whatever happens to the module later.
    FData.resize(size);
    if (size) std::memcpy(FData.data(), p, size);
    FPosition = 0;
}

long TResourceStream::Write(const void*, long)
{
    throw EStreamError("Can't write to a read-only resource stream");
}
