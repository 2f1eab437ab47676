// TResourceStream: a read-only memory stream over a resource of a module
// (RCDATA and the like), found by name or by number.
#pragma once
#include "Streams.h"
#include "SysUtils.h"

class EResNotFound : public Exception { public: using Exception::Exception; };

class TResourceStream : public TCustomMemoryStream {
public:
    // ResType is a type name or MAKEINTRESOURCE number (RT_RCDATA).
    // EResNotFound when the module has no such resource.
    TResourceStream(HINSTANCE Instance, const std::string& ResName, LPCSTR ResType);
    TResourceStream(HINSTANCE Instance, int ResID, LPCSTR ResType);
    // A resource is part of the module: it cannot be written.
    long Write(const void* Buffer, long Count) override;
private:
    void Initialize(HINSTANCE Instance, LPCSTR Name, LPCSTR ResType, const std::string& Shown);
};
