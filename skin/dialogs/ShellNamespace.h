// The common layer of the skinned shell controls over the shell namespace: the
// desktop folder, special-folder roots, display names, attribute sets, icon
// indexes and the interface look-ups with their fallbacks. GUI thread only.
#pragma once
#include "ShellPidl.h"
#include "Handles.h"
#include "SysUtils.h"
#include <shellapi.h>
#include <shlobj.h>
#include <string>

// A set of up to 32 members of an enumeration (the members are bit numbers).
template <class E> class TEnumSet {
public:
    TEnumSet() = default;
    TEnumSet(std::initializer_list<E> members)
    {
        for (E m : members) Include(m);
    }
    static TEnumSet FromBits(unsigned bits)
    {
        TEnumSet s;
        s.FBits = bits;
        return s;
    }
    void Include(E m) { FBits |= 1u << static_cast<unsigned>(m); }
    void Exclude(E m) { FBits &= ~(1u << static_cast<unsigned>(m)); }
    bool Contains(E m) const { return (FBits >> static_cast<unsigned>(m)) & 1u; }
    bool Empty() const { return FBits == 0; }
    unsigned Bits() const { return FBits; }
    bool operator==(const TEnumSet& o) const { return FBits == o.FBits; }
    bool operator!=(const TEnumSet& o) const { return FBits != o.FBits; }
private:
    unsigned FBits = 0;
};

// A folder of the shell: a special root's name (any letter case) or anything the
// desktop folder can parse, such as a file-system path.
typedef std::string TRoot;

enum TspRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory,
    rfCommonPrograms, rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory,
    rfFavorites, rfFonts, rfInternet, rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent,
    rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
const int RootFolderCount = rfTemplates + 1;

enum TShellObjectType { otFolders, otNonFolders, otHidden };
typedef TEnumSet<TShellObjectType> TShellObjectTypes;

enum TspShellFolderCapability {
    fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet
};
typedef TEnumSet<TspShellFolderCapability> TspShellFolderCapabilities;

enum TspShellFolderProperty {
    fpCut, fpIsLink, fpReadOnly, fpShared, fpFileSystem, fpFileSystemAncestor, fpRemovable, fpValidate
};
typedef TEnumSet<TspShellFolderProperty> TspShellFolderProperties;

// A folder path that cannot be resolved or read.
class EInvalidPath : public Exception {
public:
    using Exception::Exception;
};

namespace Spskinshellctrls {

// The special-folder number (CSIDL) of a root.
int RootFolderCsidl(TspRootFolder Root);
const char* RootFolderName(TspRootFolder Root);
// True and the root when Name is one of the root names, letter case ignored.
bool TryRootFolderFromName(const std::string& Name, TspRootFolder& Root);
// The root of Name; EConvertError when it is none.
TspRootFolder RootFolderFromName(const std::string& Name);

// SHCONTF_FOLDERS, SHCONTF_NONFOLDERS, SHCONTF_INCLUDEHIDDEN of the set.
DWORD ObjectTypesToEnumFlags(TShellObjectTypes Types);

// A failed OLE call, with its result code.
class EOleSysError : public Exception {
public:
    EOleSysError(const std::string& Message, HRESULT Code) : Exception(Message), FCode(Code) {}
    HRESULT ErrorCode() const { return FCode; }
private:
    HRESULT FCode;
};
// Texts of the unit.
extern const char* const SShellNoDetails;      // display name, error code
extern const char* const SCallLoadDetails;     // display name
extern const char* const SRenamedFailedError;  // new name
extern const char* const SErrorSettingPath;    // root name

// The unit lock: guards the options of the change notifiers' worker threads.
CRITICAL_SECTION& UnitLock();

TComPtr<IShellFolder> GetDesktopShellFolder();
TPidl GetDesktopPidl();
bool PidlEqual(LPCITEMIDLIST First, LPCITEMIDLIST Second);

int GetShellIconIndex(LPCITEMIDLIST AbsolutePidl, bool Large, bool Open);
TspShellFolderCapabilities GetShellCapabilitySet(IShellFolder* Parent, LPCITEMIDLIST Pidl);
TspShellFolderProperties GetShellPropertySet(IShellFolder* Parent, LPCITEMIDLIST Pidl);
bool PidlIsFolder(IShellFolder* Parent, LPCITEMIDLIST Pidl);
bool PidlHasSubFolders(IShellFolder* Parent, LPCITEMIDLIST Pidl);
// Whether the folder's enumeration with Flags yields at least one item; never
// shows a critical-error box (a drive without a medium).
bool FolderHasChildren(IShellFolder* Folder, DWORD Flags);

// The text of a STRRET that GetDisplayNameOf or GetDetailsOf returned for Pidl;
// a wide text held by the STRRET is freed here.
std::string StrRetText(LPCITEMIDLIST Pidl, STRRET& Str);
// The display name of Pidl in Folder; a virtual folder's "::{...}" parsing name
// gives way to its normal name.
std::string GetShellDisplayText(IShellFolder* Folder, LPCITEMIDLIST Pidl, DWORD Flags);

// Interface look-ups with their fallbacks; empty when none yields an object.
TComPtr<IShellFolder> BindShellFolderObject(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd);
TComPtr<IShellDetails> BindShellDetailsObject(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd);
TComPtr<IShellFolder2> BindShellFolder2Object(IShellFolder* Folder, LPCITEMIDLIST Pidl, HWND Wnd);

// Unit start-up (the shared desktop item, the lock, OLE) runs on first use;
// Finalization undoes it explicitly (never from a static destructor: by then the
// system libraries are gone).
void Initialization();
void Finalization();

} // namespace Spskinshellctrls
