#include "ViewerLayout.h"
#include "Trace.h"
#include "Classes.h"
#include "MultiThreadClass.h"
#include <memory>

namespace {

struct LayoutStore {
    CMultiThreadClass Lock;
    std::string Name = "prop1.skn";
    std::unique_ptr<TStringList> Lines;
};

LayoutStore& Store()
{
    static LayoutStore store;
    return store;
}

// The module whose resources hold the layouts: the one this code is linked into.
HMODULE LayoutModule()
{
    HMODULE m = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LayoutModule), &m);
    return m;
}

bool ReadLayoutResource(const std::string& Name, TStringList& Lines)
{
    HMODULE module = LayoutModule();
    HRSRC res = FindResourceA(module, Name.c_str(), "DEFAULTSKIN");
    if (!res) return false;
    HGLOBAL data = LoadResource(module, res);
    const char* text = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!text) return false;
    Lines.SetText(std::string(text, SizeofResource(module, res)));
    return true;
}

const TLayoutKey kLayoutKeys[] = {
    {"VideoWidth", 160},
    {"VideoHeight", 120},
    {"VideoX", 5},
    {"VideoY", 33},
    {"PopUpVideoWidth", 328},
    {"PopUpVideoHeight", 267},
    {"PopUpVideoX", 0},
    {"PopUpVideoY", 0},
    {"VideoStateX", 7},
    {"VideoStateY", 454},
    {"AudioStateX", 46},
    {"AudioStateY", 454},
    {"CallStateX", 120},
    {"CallStateY", 454},
    {"PopUpVideoStateX", 85},
    {"PopUpVideoStateY", 454},
    {"WorkStateX", 84},
    {"WorkStateY", 5},
    {"AppletWidth", 170},
    {"AppletHeight", 510},
    {"InputMessageX", 12},
    {"InputMessageY", 352},
    {"InputMessageWidth", 143},
    {"InputMessageHeight", 26},
    {"ChatViewX", 4},
    {"ChatViewY", 167},
    {"ChatViewWidth", 160},
    {"ChatViewHeight", 172},
    {"SendButtonX", 82},
    {"SendButtonY", 380},
    {"VideoButtonX", 10},
    {"VideoButtonY", 406},
    {"AudioButtonX", 82},
    {"AudioButtonY", 406},
    {"PopUpButtonX", 10},
    {"PopUpButtonY", 431},
    {"CallButtonX", 82},
    {"CallButtonY", 431},
};

} // namespace

const TLayoutKey* LayoutKeys(size_t& Count)
{
    Count = sizeof(kLayoutKeys) / sizeof(kLayoutKeys[0]);
    return kLayoutKeys;
}

int LayoutDefault(const std::string& Key)
{
    for (const TLayoutKey& k : kLayoutKeys)
        if (Key == k.Key) return k.Default;
    throw EListError("Not a layout key of the control: " + Key);
}

int GetSkinInt(const std::string& Key)
{
    return GetSkinInt(Key, LayoutDefault(Key));
}

bool LoadSkin(const std::string& Name)
{
    LayoutStore& s = Store();
    TLockGuard<CMultiThreadClass> hold(s.Lock);
    if (s.Lines && Name == s.Name) return true;
    s.Lines.reset();
    s.Name = Name;
    try {
        auto lines = std::make_unique<TStringList>();
        if (Name.empty() || !ReadLayoutResource(Name, *lines)) return false;
        s.Lines = std::move(lines);
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, "layout " + Name + " not read: " + e.what());
        s.Lines.reset();
        return false;
    }
    return true;
}

bool EnsureSkinLoaded()
{
    LayoutStore& s = Store();
    TLockGuard<CMultiThreadClass> hold(s.Lock);
    return LoadSkin(s.Name);
}

void FreeSkin()
{
    LayoutStore& s = Store();
    TLockGuard<CMultiThreadClass> hold(s.Lock);
    s.Lines.reset();
}

std::string CurrentSkinName()
{
    LayoutStore& s = Store();
    TLockGuard<CMultiThreadClass> hold(s.Lock);
    return s.Name;
}

std::string GetSkinValue(const std::string& Key, const std::string& Default)
{
    LayoutStore& s = Store();
    TLockGuard<CMultiThreadClass> hold(s.Lock);
    if (!EnsureSkinLoaded()) return Default;
    std::string k = Trim(LowerCase(Key));
    // One retry from a fresh load when the scan fails.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            for (int i = 0; i < s.Lines->GetCount(); ++i) {
                std::string l = Trim(LowerCase(s.Lines->Get(i)));
                if (l.size() > k.size() && l.compare(0, k.size(), k) == 0 && l[k.size()] == '=')
                    return Trim(l.substr(k.size() + 1));
            }
            return Default;
        } catch (const std::exception& e) {
            Trace::Line(Trace::Viewer, std::string("layout lookup failed, reloading: ") + e.what());
            FreeSkin();
            if (!EnsureSkinLoaded()) return Default;
        }
    }
    return Default;
}

int GetSkinInt(const std::string& Key, int Default)
{
    return StrToInt(GetSkinValue(Key, IntToStr(Default)));
}
