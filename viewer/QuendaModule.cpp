// The control library's exports: the class factory of ActiveFormX, unloading,
// and self-registration (class keys, ProgID "Quenda.ActiveFormX", type library).
#include "ActiveFormXImpl.h"
#include "ComSupport.h"
#include "SysUtils.h"
#include "Trace.h"
#include <shlwapi.h>
#include <new>

namespace {

const char* const kProgID = "Quenda.ActiveFormX";
const char* const kClassName = "ActiveFormX Control";
const char* const kLibID = "{DFC2EDC1-5C1D-4CCC-BEC0-96D71A30CD00}";

class TClassFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object: its life is the module's.
    STDMETHODIMP_(ULONG) AddRef() override
    {
        ModuleLock();
        return 2;
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        ModuleUnlock();
        return 1;
    }
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter) return CLASS_E_NOAGGREGATION;
        try {
            return TActiveFormXImpl::Create(riid, ppv);
        } catch (...) {
            Trace::Line(Trace::Viewer, "class factory: the control failed while it was made");
            return E_UNEXPECTED;
        }
    }
    STDMETHODIMP LockServer(BOOL fLock) override
    {
        if (fLock) ModuleLock();
        else ModuleUnlock();
        return S_OK;
    }
};

TClassFactory g_Factory;

// Writes the default value (Name empty) or a named value of a key under HKCR.
bool SetKey(const std::string& Key, const std::string& Name, const std::string& Value)
{
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, Key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(k, Name.empty() ? nullptr : Name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(Value.c_str()), static_cast<DWORD>(Value.size() + 1));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID)
{
    if (Reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(Instance);
        DisableThreadLibraryCalls(Instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_ActiveFormX)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_Factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer()
{
    try {
        const std::string path = ModuleFileName();
        const std::string clsid = "CLSID\\" + GuidText(CLSID_ActiveFormX);
        bool ok = SetKey(clsid, "", kClassName) && SetKey(clsid + "\\InprocServer32", "", path) &&
                  SetKey(clsid + "\\InprocServer32", "ThreadingModel", "Apartment") &&
                  SetKey(clsid + "\\ProgID", "", kProgID) && SetKey(clsid + "\\Control", "", "") &&
                  SetKey(clsid + "\\Verb\\0", "", "&Properties,0,2") &&
                  SetKey(clsid + "\\ToolboxBitmap32", "", path + ",1") &&
                  SetKey(clsid + "\\MiscStatus", "", IntToStr(TActiveFormXImpl::MiscStatus)) &&
                  SetKey(clsid + "\\MiscStatus\\1", "", IntToStr(TActiveFormXImpl::MiscStatus)) &&
                  SetKey(clsid + "\\TypeLib", "", kLibID) && SetKey(clsid + "\\Version", "", "1.0") &&
                  SetKey(kProgID, "", kClassName) && SetKey(std::string(kProgID) + "\\CLSID", "", GuidText(CLSID_ActiveFormX));
        if (!ok) return SELFREG_E_CLASS;
        // The type library is registered as a file of its own beside the
        // library: other processes load it from there without loading us
        // (a winelib DLL's file on disk is only a placeholder without resources).
        const std::string tlb = TypeLibFileName();
        if (!WriteTypeLibFile(tlb)) return SELFREG_E_TYPELIB;
        TWideString w = AnsiToWide(tlb);
        TWideString dir = AnsiToWide(ExtractFileDir(path));
        TComPtr<ITypeLib> lib;
        HRESULT hr = LoadTypeLibEx(w.c_str(), REGKIND_NONE, lib.Put());
        if (SUCCEEDED(hr) && lib) hr = RegisterTypeLib(lib.Get(), const_cast<LPOLESTR>(w.c_str()), const_cast<LPOLESTR>(dir.c_str()));
        if (FAILED(hr) || !lib) {
            Trace::Failure(Trace::Viewer, "type library not registered: " + tlb, hr);
            return SELFREG_E_TYPELIB;
        }
        return S_OK;
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, std::string("registration failed: ") + e.what());
        return E_UNEXPECTED;
    } catch (...) {
        Trace::Line(Trace::Viewer, "registration failed");
        return E_UNEXPECTED;
    }
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    try {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, ("CLSID\\" + GuidText(CLSID_ActiveFormX)).c_str());
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kProgID);
        UnRegisterTypeLib(LIBID_Quenda, 1, 0, 0x409, SYS_WIN64);
        UnRegisterTypeLib(LIBID_Quenda, 1, 0, 0x409, SYS_WIN32);
        DeleteFileA(TypeLibFileName().c_str());
        return S_OK;
    } catch (...) {
        Trace::Line(Trace::Viewer, "unregistration failed");
        return E_UNEXPECTED;
    }
}
