#include "ComSupport.h"
#include "GdiHandles.h"
#include "Trace.h"
#include <oleauto.h>
#include <vector>

namespace {
HINSTANCE g_Module = nullptr;
LONG g_Locks = 0;
ITypeLib* g_TypeLib = nullptr;
} // namespace

void SetModuleInstance(HINSTANCE Instance) { g_Module = Instance; }
HINSTANCE ModuleInstance() { return g_Module; }
void ModuleLock() { InterlockedIncrement(&g_Locks); }
void ModuleUnlock() { InterlockedDecrement(&g_Locks); }
LONG ModuleLockCount() { return g_Locks; }

std::string ModuleFileName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(g_Module, path, MAX_PATH);
    return path;
}

std::string BstrToString(BSTR Value)
{
    return Value ? WideToAnsi(Value, SysStringLen(Value)) : std::string();
}

BSTR StringToBstr(const std::string& Value)
{
    TWideString w = AnsiToWide(Value);
    BSTR b = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
    if (!b) throw EOleSysError("Out of memory for a string", E_OUTOFMEMORY);
    return b;
}

std::string GuidText(REFGUID Guid)
{
    WCHAR w[40] = {};
    StringFromGUID2(Guid, w, 40);
    return WideToAnsi(w);
}

void OleCheck(HRESULT Result, const std::string& What)
{
    if (FAILED(Result)) throw EOleSysError(What, Result);
}

int ScreenPixelsPerInch(bool X)
{
    TWindowDC screen(nullptr);
    int n = screen.Get() ? GetDeviceCaps(screen.Get(), X ? LOGPIXELSX : LOGPIXELSY) : 0;
    return n > 0 ? n : 96;
}

std::string TypeLibFileName()
{
    std::string path = ModuleFileName();
    size_t slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "quenda.tlb";
}

bool WriteTypeLibFile(const std::string& FileName)
{
    HRSRC res = FindResourceA(g_Module, MAKEINTRESOURCEA(1), "TYPELIB");
    HGLOBAL data = res ? LoadResource(g_Module, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return false;
    DWORD size = SizeofResource(g_Module, res);
    HANDLE h = CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes, size, &written, nullptr);
    CloseHandle(h);
    return ok && written == size;
}

ITypeLib* ControlTypeLib()
{
    if (g_TypeLib) return g_TypeLib;
    // This module is loaded, so its own path finds its TYPELIB resource.
    TWideString self = AnsiToWide(ModuleFileName());
    HRESULT hr = LoadTypeLibEx(self.c_str(), REGKIND_NONE, &g_TypeLib);
    if (FAILED(hr)) {
        Trace::Failure(Trace::Viewer, "type library not loaded from " + ModuleFileName(), hr);
        g_TypeLib = nullptr;
    }
    return g_TypeLib;
}
