#include "ShellNamespace.h"
#include "ScopeGuard.h"
#include <cstring>

namespace Spskinshellctrls {

const char* const SShellNoDetails = "Unable to retrieve folder details for \"%s\". Error code $%x";
const char* const SCallLoadDetails = "%s: Missing call to LoadColumnDetails";
const char* const SRenamedFailedError = "Rename to %s failed";
const char* const SErrorSettingPath = "Error setting path: \"%s\"";

namespace {

struct TRootEntry {
    const char* Name;
    int Csidl;
};
const TRootEntry RootTable[RootFolderCount] = {
    {"rfDesktop", 0}, {"rfMyComputer", 17}, {"rfNetwork", 18}, {"rfRecycleBin", 10},
    {"rfAppData", 26}, {"rfCommonDesktopDirectory", 25}, {"rfCommonPrograms", 23},
    {"rfCommonStartMenu", 22}, {"rfCommonStartup", 24}, {"rfControlPanel", 3},
    {"rfDesktopDirectory", 16}, {"rfFavorites", 6}, {"rfFonts", 20}, {"rfInternet", 1},
    {"rfPersonal", 5}, {"rfPrinters", 4}, {"rfPrintHood", 27}, {"rfPrograms", 2},
    {"rfRecent", 8}, {"rfSendTo", 9}, {"rfStartMenu", 11}, {"rfStartup", 7}, {"rfTemplates", 21},
};

// The last item of a list, in place (it ends with the list's own terminator).
LPCITEMIDLIST LastItemInPlace(LPCITEMIDLIST Pidl)
{
    LPCITEMIDLIST last = Pidl;
    for (LPCITEMIDLIST p = Pidl; PidlItemCount(p) > 0; p = PidlNext(p)) last = p;
    return last;
}

ULONG Attributes(IShellFolder* Parent, LPCITEMIDLIST Pidl, ULONG Request)
{
    if (!Parent || !Pidl) return 0;
    // A list of several items is asked of the folder that holds its last item:
    // Wine's desktop folder answers a deeper list with the attributes of its
    // first item only (a root item made from "C:\\dir" is a child of the desktop).
    TComPtr<IShellFolder> holder;
    if (PidlItemCount(Pidl) > 1) {
        TPidl prefix = PidlCopy(Pidl);
        PidlStripLast(prefix.Get());
        if (FAILED(Parent->BindToObject(prefix.Get(), nullptr, IID_IShellFolder, holder.PutVoid())) || !holder)
            return 0;
        Parent = holder.Get();
        Pidl = LastItemInPlace(Pidl);
    }
    ULONG attrs = Request;
    if (FAILED(Parent->GetAttributesOf(1, &Pidl, &attrs))) return 0;
    return attrs & Request;
}

} // namespace

CRITICAL_SECTION& UnitLock()
{
    // Never deleted: notifier threads still running at exit may take it.
    static CRITICAL_SECTION* lock = [] {
        auto* cs = new CRITICAL_SECTION;
        InitializeCriticalSection(cs);
        return cs;
    }();
    return *lock;
}

int RootFolderCsidl(TspRootFolder Root) { return RootTable[Root].Csidl; }
const char* RootFolderName(TspRootFolder Root) { return RootTable[Root].Name; }

bool TryRootFolderFromName(const std::string& Name, TspRootFolder& Root)
{
    for (int i = 0; i < RootFolderCount; ++i)
        if (SameText(Name, RootTable[i].Name)) {
            Root = static_cast<TspRootFolder>(i);
            return true;
        }
    return false;
}

TspRootFolder RootFolderFromName(const std::string& Name)
{
    TspRootFolder r;
    if (!TryRootFolderFromName(Name, r)) throw EConvertError("Not a root folder name: " + Name);
    return r;
}

DWORD ObjectTypesToEnumFlags(TShellObjectTypes Types) { return (Types.Bits() & 7u) * 32u; }

TComPtr<IShellFolder> GetDesktopShellFolder()
{
    TComPtr<IShellFolder> f;
    HRESULT hr = SHGetDesktopFolder(f.Put());
    if (FAILED(hr) || !f) throw EOleSysError("The desktop folder is not available", FAILED(hr) ? hr : E_FAIL);
    return f;
}

TPidl GetDesktopPidl()
{
    TPidl p;
    HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, p.Put());
    if (FAILED(hr) || !p) throw EOleSysError("The desktop's ID list is not available", FAILED(hr) ? hr : E_FAIL);
    return p;
}

bool PidlEqual(LPCITEMIDLIST First, LPCITEMIDLIST Second)
{
    return GetDesktopShellFolder()->CompareIDs(0, First, Second) == 0;
}

int GetShellIconIndex(LPCITEMIDLIST AbsolutePidl, bool Large, bool Open)
{
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX;
    if (Open) flags |= SHGFI_OPENICON;
    if (!Large) flags |= SHGFI_SMALLICON;
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(AbsolutePidl), 0, &info, sizeof(info), flags);
    return info.iIcon;
}

TspShellFolderCapabilities GetShellCapabilitySet(IShellFolder* Parent, LPCITEMIDLIST Pidl)
{
    static const struct { ULONG Bit; TspShellFolderCapability Member; } map[] = {
        {SFGAO_CANCOPY, fcCanCopy}, {SFGAO_CANDELETE, fcCanDelete}, {SFGAO_CANLINK, fcCanLink},
        {SFGAO_CANMOVE, fcCanMove}, {SFGAO_CANRENAME, fcCanRename}, {SFGAO_DROPTARGET, fcDropTarget},
        {SFGAO_HASPROPSHEET, fcHasPropSheet},
    };
    ULONG attrs = Attributes(Parent, Pidl, 0x177);
    TspShellFolderCapabilities r;
    for (const auto& m : map)
        if (attrs & m.Bit) r.Include(m.Member);
    return r;
}

TspShellFolderProperties GetShellPropertySet(IShellFolder* Parent, LPCITEMIDLIST Pidl)
{
    static const struct { ULONG Bit; TspShellFolderProperty Member; } first[] = {
        {SFGAO_GHOSTED, fpCut}, {SFGAO_LINK, fpIsLink}, {SFGAO_READONLY, fpReadOnly}, {SFGAO_SHARE, fpShared},
    }, second[] = {
        {SFGAO_FILESYSTEM, fpFileSystem}, {SFGAO_FILESYSANCESTOR, fpFileSystemAncestor},
        {SFGAO_REMOVABLE, fpRemovable}, {SFGAO_VALIDATE, fpValidate},
    };
    TspShellFolderProperties r;
    if (!Parent) return r;
    ULONG attrs = Attributes(Parent, Pidl, 0xF0000);
    for (const auto& m : first)
        if (attrs & m.Bit) r.Include(m.Member);
    attrs = Attributes(Parent, Pidl, SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE | SFGAO_VALIDATE);
    for (const auto& m : second)
        if (attrs & m.Bit) r.Include(m.Member);
    return r;
}

bool PidlIsFolder(IShellFolder* Parent, LPCITEMIDLIST Pidl)
{
    return Attributes(Parent, Pidl, SFGAO_FOLDER) != 0;
}

bool PidlHasSubFolders(IShellFolder* Parent, LPCITEMIDLIST Pidl)
{
    return Attributes(Parent, Pidl, SFGAO_HASSUBFOLDER) != 0;
}

bool FolderHasChildren(IShellFolder* Folder, DWORD Flags)
{
    if (!Folder) return false;
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    TScopeExit restore([old] { SetErrorMode(old); });
    TComPtr<IEnumIDList> items;
    if (Folder->EnumObjects(nullptr, Flags, items.Put()) != S_OK || !items) return false;
    TPidl item;
    ULONG fetched = 0;
    return items->Next(1, item.Put(), &fetched) == S_OK && fetched == 1;
}

std::string StrRetText(LPCITEMIDLIST Pidl, STRRET& Str)
{
    std::string r;
    switch (Str.uType) {
    case STRRET_WSTR:
        if (Str.pOleStr) {
            r = WideToAnsi(Str.pOleStr);
            CoTaskMemFree(Str.pOleStr);
            Str.pOleStr = nullptr;
        }
        break;
    case STRRET_OFFSET:
        if (Pidl) {
            USHORT cb;
            std::memcpy(&cb, Pidl, sizeof(cb));
            if (Str.uOffset < cb) {
                const char* p = reinterpret_cast<const char*>(Pidl) + Str.uOffset;
                r.assign(p, strnlen(p, cb - Str.uOffset));
            }
        }
        break;
    case STRRET_CSTR:
        r.assign(Str.cStr, strnlen(Str.cStr, sizeof(Str.cStr)));
        break;
    }
    // Names such as "?1?2" come from ID lists made for another code page.
    if (r.size() > 1 && r[0] == '?' && r[1] >= '0' && r[1] <= '9') r = StringReplaceAll(r, "?", "");
    return r;
}

std::string GetShellDisplayText(IShellFolder* Folder, LPCITEMIDLIST Pidl, DWORD Flags)
{
    if (!Folder) return "parentfolder = nil";
    STRRET str = {};
    if (FAILED(Folder->GetDisplayNameOf(Pidl, Flags, &str))) return "";
    std::string r = StrRetText(Pidl, str);
    if (r.compare(0, 3, "::{") == 0) {
        STRRET normal = {};
        r.clear();
        if (SUCCEEDED(Folder->GetDisplayNameOf(Pidl, SHGDN_NORMAL, &normal))) r = StrRetText(Pidl, normal);
    }
    return r;
}

namespace {

template <class I> TComPtr<I> BindWithFallbacks(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd, REFIID iid)
{
    TComPtr<I> r;
    if (Folder) {
        if (SUCCEEDED(Folder->BindToObject(Pidl, nullptr, iid, r.PutVoid())) && r) return r;
        if (SUCCEEDED(Folder->GetUIObjectOf(Wnd, 1, &Pidl, iid, nullptr, r.PutVoid())) && r) return r;
        if (SUCCEEDED(Folder->CreateViewObject(Wnd, iid, r.PutVoid())) && r) return r;
    }
    if (SUCCEEDED(GetDesktopShellFolder()->BindToObject(Pidl, nullptr, iid, r.PutVoid())) && r) return r;
    r.Reset();
    return r;
}

} // namespace

TComPtr<IShellFolder> BindShellFolderObject(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd)
{
    return BindWithFallbacks<IShellFolder>(Folder, Pidl, Wnd, IID_IShellFolder);
}

TComPtr<IShellDetails> BindShellDetailsObject(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd)
{
    return BindWithFallbacks<IShellDetails>(Folder, Pidl, Wnd, IID_IShellDetails);
}

TComPtr<IShellFolder2> BindShellFolder2Object(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd)
{
    // Every platform we run on has IShellFolder2 (Windows 2000 and later).
    TComPtr<IShellFolder2> r;
    if (SUCCEEDED(GetDesktopShellFolder()->BindToObject(Pidl, nullptr, IID_IShellFolder2, r.PutVoid())) && r)
        return r;
    if (Folder) {
        if (SUCCEEDED(Folder->GetUIObjectOf(Wnd, 1, &Pidl, IID_IShellFolder2, nullptr, r.PutVoid())) && r)
            return r;
        if (SUCCEEDED(Folder->BindToObject(Pidl, nullptr, IID_IShellFolder2, r.PutVoid())) && r) return r;
    }
    r.Reset();
    return r;
}

} // namespace Spskinshellctrls
