// The pattern camera DLL: class factory and self-registration as a COM server
// and as a filter of the video input device category.
#include "PatternCamera.h"
#include "SysUtils.h"
#include <olectl.h>
#include <string>

const CLSID CLSID_PatternCamera = {0x3a64e357, 0x708c, 0x4668, {0xbf, 0xce, 0xa1, 0xc3, 0xeb, 0xdf, 0xf4, 0xb1}};
const char* const kPatternCameraName = "Test Pattern Camera";

namespace {

HINSTANCE g_module = nullptr;
volatile LONG g_objects = 0;
volatile LONG g_locks = 0;

class ClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: its count does not matter.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return CreatePatternCamera(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

ClassFactory g_factory;

std::string ClsidText()
{
    WCHAR w[64] = {};
    StringFromGUID2(CLSID_PatternCamera, w, 64);
    return WideToAnsi(w);
}

bool SetKeyValue(const std::string& key, const char* name, const std::string& value)
{
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

HRESULT WithMapper(HRESULT (*use)(IFilterMapper2*))
{
    HRESULT init = CoInitialize(nullptr);
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  reinterpret_cast<void**>(&mapper));
    if (SUCCEEDED(hr) && mapper) {
        hr = use(mapper);
        mapper->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return hr;
}

HRESULT RegisterInCategory(IFilterMapper2* mapper)
{
    REGPINTYPES type = {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24};
    REGFILTERPINS2 pin = {};
    pin.dwFlags = REG_PINFLAG_B_OUTPUT;
    pin.cInstances = 1;
    pin.nMediaTypes = 1;
    pin.lpMediaType = &type;
    pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
    REGFILTER2 rf = {};
    rf.dwVersion = 2;
    rf.dwMerit = MERIT_DO_NOT_USE;
    rf.cPins2 = 1;
    rf.rgPins2 = &pin;
    // The filter mapper takes wide text.
    TWideString name = AnsiToWide(kPatternCameraName);
    TWideString instance = AnsiToWide(ClsidText());
    return mapper->RegisterFilter(CLSID_PatternCamera, name.c_str(), nullptr, &CLSID_VideoInputDeviceCategory,
                                  instance.c_str(), &rf);
}

HRESULT UnregisterFromCategory(IFilterMapper2* mapper)
{
    TWideString instance = AnsiToWide(ClsidText());
    return mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, instance.c_str(), CLSID_PatternCamera);
}

} // namespace

void ModuleAddRef()
{
    InterlockedIncrement(&g_objects);
}

void ModuleRelease()
{
    InterlockedDecrement(&g_objects);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = inst;
        DisableThreadLibraryCalls(inst);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_PatternCamera)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    char path[MAX_PATH] = {};
    if (!GetModuleFileNameA(g_module, path, MAX_PATH - 4)) return E_FAIL;
    // Wine names a winelib DLL by its Windows name (x.dll) although the file is
    // x.dll.so, and a plain name is not looked up on WINEDLLPATH for such a DLL
    // (Wine 8): COM gets the file's full path so that every process finds it.
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        std::string so = std::string(path) + ".so";
        if (GetFileAttributesA(so.c_str()) != INVALID_FILE_ATTRIBUTES) lstrcpynA(path, so.c_str(), MAX_PATH);
    }
    const std::string key = "CLSID\\" + ClsidText();
    if (!SetKeyValue(key, nullptr, kPatternCameraName) || !SetKeyValue(key + "\\InprocServer32", nullptr, path) ||
        !SetKeyValue(key + "\\InprocServer32", "ThreadingModel", "Both"))
        return SELFREG_E_CLASS;
    return WithMapper(&RegisterInCategory);
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    WithMapper(&UnregisterFromCategory);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + ClsidText()).c_str());
    return S_OK;
}
