#include "Registration.h"
#include "Handles.h"

std::string DosPath(const std::string& UnixPath)
{
    std::string p = "Z:" + UnixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

int Regsvr32(const std::string& DllUnixPath, bool Unregister)
{
    std::string cmd = std::string("regsvr32.exe /s ") + (Unregister ? "/u " : "") + "\"" + DosPath(DllUnixPath) + "\"";
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    TKernelHandle process(pi.hProcess), thread(pi.hThread);
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) return -1;
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

HRESULT RegisterServerInProcess(const std::string& DllUnixPath)
{
    HMODULE dll = LoadLibraryA(DosPath(DllUnixPath).c_str());
    if (!dll) return HRESULT_FROM_WIN32(GetLastError());
    typedef HRESULT(WINAPI * TRegister)();
    auto reg = reinterpret_cast<TRegister>(GetProcAddress(dll, "DllRegisterServer"));
    HRESULT hr = reg ? reg() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    FreeLibrary(dll);
    return hr;
}
