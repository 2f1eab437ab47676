#include "ComSupport.h"
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

std::basic_string<WCHAR> ToWide(const std::string& Value)
{
    if (Value.empty()) return std::basic_string<WCHAR>();
    int n = MultiByteToWideChar(CP_ACP, 0, Value.data(), static_cast<int>(Value.size()), nullptr, 0);
    std::basic_string<WCHAR> out(static_cast<size_t>(n), 0);
    MultiByteToWideChar(CP_ACP, 0, Value.data(), static_cast<int>(Value.size()), &out[0], n);
    return out;
}

std::string BstrToString(BSTR Value)
{
    UINT len = Value ? SysStringLen(Value) : 0;
    if (!len) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, Value, static_cast<int>(len), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, Value, static_cast<int>(len), &out[0], n, nullptr, nullptr);
    return out;
}

BSTR StringToBstr(const std::string& Value)
{
    std::basic_string<WCHAR> w = ToWide(Value);
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
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
    std::basic_string<WCHAR> self = ToWide(ModuleFileName());
    if (FAILED(LoadTypeLibEx(self.c_str(), REGKIND_NONE, &g_TypeLib))) g_TypeLib = nullptr;
    return g_TypeLib;
}
