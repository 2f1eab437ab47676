#include "ShellFolder.h"
#include "Application.h"
#include "DateRules.h"
#include "Trace.h"
#include <cstdio>

namespace Spskinshellctrls {

namespace {

// The unit's state. Heap objects released only by Finalization: a static
// destructor would run after the system libraries are detached.
struct TUnitState {
    bool Started = false;
    bool OleStarted = false;
    TspShellFolder* Desktop = nullptr;
};
TUnitState Unit;

} // namespace

void Initialization()
{
    if (Unit.Started) return;
    // Marked first: the desktop item's constructor asks for the desktop item,
    // which is still none while it is being made (it has no parent).
    Unit.Started = true;
    Unit.OleStarted = SUCCEEDED(OleInitialize(nullptr));
    UnitLock();
    try {
        TPidl desktop;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.Put())) && desktop) {
            TComPtr<IShellFolder> folder = GetDesktopShellFolder();
            // The item's absolute list is the desktop's joined with its own (both empty).
            Unit.Desktop = new TspShellFolder(nullptr, desktop.Get(), folder.Get());
        }
    } catch (const Exception&) {
        // No desktop: items are made without a shared parent.
        Trace::Caught(Trace::Skin, "shell unit start-up");
    }
}

void Finalization()
{
    if (!Unit.Started) return;
    delete Unit.Desktop;
    Unit.Desktop = nullptr;
    if (Unit.OleStarted) OleUninitialize();
    Unit = TUnitState();
}

TspShellFolder* DesktopItem()
{
    Initialization();
    return Unit.Desktop;
}

std::string ModifiedText(const FILETIME& LastWrite)
{
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (!FileTimeToLocalFileTime(&LastWrite, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
        return "-1";
    TDateTime date = 0;
    if (!Spdates::TryEncodeDate(1980 + (dosDate >> 9), (dosDate >> 5) & 15, dosDate & 31, date)) return "-1";
    std::string text = Spdates::DateToStr(date);
    // Midnight shows as the date alone, as the library's date-time text does.
    if (dosTime == 0) return text;
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
    st.wMonth = static_cast<WORD>((dosDate >> 5) & 15);
    st.wDay = static_cast<WORD>(dosDate & 31);
    st.wHour = static_cast<WORD>(dosTime >> 11);
    st.wMinute = static_cast<WORD>((dosTime >> 5) & 63);
    st.wSecond = static_cast<WORD>((dosTime & 31) * 2);
    char time[64] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time) <= 0) return text;
    return text + " " + time;
}

} // namespace Spskinshellctrls

using namespace Spskinshellctrls;

TspShellFolder::TspShellFolder(TspShellFolder* AParent, LPCITEMIDLIST Id, IShellFolder* ShellFolder)
    : FDetails(new TStringList)
{
    FIShellFolder.Assign(ShellFolder);
    FParent = AParent;
    FPidl = PidlCopy(Id);
    if (AParent) {
        FFullPidl = PidlConcat(AParent->AbsoluteID(), Id);
    } else {
        TPidl desktop = GetDesktopPidl();
        FFullPidl = PidlConcat(desktop.Get(), Id);
        FParent = DesktopItem();
    }
    for (TspShellFolder* p = AParent; p && p->FParent; p = p->FParent) ++FLevel;
}

TspShellFolder::~TspShellFolder() = default;

IShellFolder* TspShellFolder::ParentShellFolder() const
{
    if (FParent) return FParent->ShellFolder();
    // Kept for the item's life: callers use the pointer without a reference of their own.
    static IShellFolder* desktop = GetDesktopShellFolder().Detach();
    return desktop;
}

TspShellFolderProperties TspShellFolder::Properties() const
{
    return GetShellPropertySet(ParentShellFolder(), FPidl.Get());
}

TspShellFolderCapabilities TspShellFolder::Capabilities() const
{
    return GetShellCapabilitySet(ParentShellFolder(), FPidl.Get());
}

bool TspShellFolder::SubFolders() const { return PidlHasSubFolders(ParentShellFolder(), FPidl.Get()); }

bool TspShellFolder::IsFolder() const
{
    if (FIsFolder < 0)
        FIsFolder = PidlIsFolder(ParentShellFolder(), FPidl.Get()) &&
                    UpperCase(ExtractFileExt(PathName())) != ".ZIP";
    return FIsFolder != 0;
}

std::string TspShellFolder::PathName() const
{
    if (FPathKnown) return FPathName;
    // The parent's folder is bound already and gives the same full name; the
    // desktop would bind every folder of the absolute list again for each item.
    if (FParent && FParent->ShellFolder())
        FPathName = GetShellDisplayText(FParent->ShellFolder(), FPidl.Get(), SHGDN_FORPARSING);
    if (FPathName.empty())
        FPathName = GetShellDisplayText(GetDesktopShellFolder().Get(), FFullPidl.Get(), SHGDN_FORPARSING);
    FPathKnown = true;
    return FPathName;
}

std::string TspShellFolder::DisplayName() const
{
    if (!FDisplayKnown) {
        FDisplayName = GetShellDisplayText(ParentShellFolder(), FPidl.Get(), SHGDN_INFOLDER);
        FDisplayKnown = true;
    }
    return FDisplayName;
}

int TspShellFolder::ImageIndex(bool LargeIcon) const { return GetShellIconIndex(FFullPidl.Get(), LargeIcon, false); }

bool TspShellFolder::Rename(const std::string& NewName)
{
    if (!Capabilities().Contains(fcCanRename)) return false;
    IShellFolder* parent = ParentShellFolder();
    TWideString wide = AnsiToWide(NewName);
    TPidl renamed;
    HRESULT hr = parent ? parent->SetNameOf(nullptr, FPidl.Get(), wide.c_str(), SHGDN_NORMAL, renamed.Put()) : E_FAIL;
    if (FAILED(hr)) throw Exception(Format(SRenamedFailedError, NewName.c_str()));
    FPathKnown = false;
    FPathName.clear();
    FDisplayKnown = false;
    FDisplayName.clear();
    FIsFolder = -1;
    if (!renamed) return true;   // the shell kept the item's identity
    FPidl = std::move(renamed);
    FFullPidl = FParent ? PidlConcat(FParent->AbsoluteID(), FPidl.Get()) : PidlCopy(FPidl.Get());
    return true;
}

BOOL TspShellFolder::ExecuteDefault()
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = Application ? Application->Handle() : nullptr;
    info.lpIDList = FFullPidl.Get();
    info.nShow = SW_SHOW;
    return ShellExecuteExA(&info);
}

IUnknown* TspShellFolder::GetDetailInterface()
{
    if (FDetailInterface || !FIShellFolder) return FDetailInterface.Get();
    FIShellDetails = BindShellDetailsObject(FIShellFolder.Get(), FFullPidl.Get(), FViewHandle);
    if (!FIShellDetails) {
        FIShellFolder2 = BindShellFolder2Object(FIShellFolder.Get(), FFullPidl.Get(), FViewHandle);
        // The item's own folder serves only when it really is an IShellFolder2.
        if (!FIShellFolder2) FIShellFolder.As(IID_IShellFolder2, FIShellFolder2);
    }
    if (FIShellFolder2)
        FDetailInterface.Assign(FIShellFolder2.Get());
    else if (FIShellDetails)
        FDetailInterface.Assign(FIShellDetails.Get());
    return FDetailInterface.Get();
}

IShellDetails* TspShellFolder::GetShellDetails()
{
    if (!FDetailInterface) GetDetailInterface();
    return FIShellDetails.Get();
}

IShellFolder2* TspShellFolder::GetShellFolder2()
{
    if (!FDetailInterface) GetDetailInterface();
    return FIShellFolder2.Get();
}

void TspShellFolder::LoadColumnDetails(TspShellFolder* RootFolder, HWND Handle, int ColumnCount)
{
    if (!RootFolder || FDetails->GetCount() >= ColumnCount) return;
    FDetails->Clear();
    FViewHandle = Handle;
    IShellFolder2* folder2 = RootFolder->GetShellFolder2();
    IShellDetails* details = folder2 ? nullptr : RootFolder->GetShellDetails();
    if (folder2 || details) {
        for (UINT column = 1; column <= static_cast<UINT>(ColumnCount); ++column) {
            SHELLDETAILS sd = {};
            HRESULT hr = folder2 ? folder2->GetDetailsOf(FPidl.Get(), column, &sd)
                                 : details->GetDetailsOf(FPidl.Get(), column, &sd);
            FDetails->Add(SUCCEEDED(hr) ? StrRetText(FPidl.Get(), sd.str) : std::string());
        }
    } else if (RootFolder->Properties().Contains(fpFileSystem)) {
        LoadFileSystemDetails(ColumnCount);
    }
}

void TspShellFolder::LoadFileSystemDetails(int ColumnCount)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(PathName().c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) RaiseFolderDetailsError(this, GetLastError());
    FindClose(h);
    bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    for (int column = 1; column <= ColumnCount; ++column) {
        switch (column) {
        case 1:
            FDetails->Add(dir ? "-1" : IntToStr((static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow));
            break;
        case 2:
            FDetails->Add(ExtractFileExt(fd.cFileName));
            break;
        case 3: {
            FDetails->Add(dir ? std::string("-1") : ModifiedText(fd.ftLastWriteTime));
            break;
        }
        case 4:
            FDetails->Add(IntToStr(fd.dwFileAttributes));
            break;
        default:
            FDetails->Add("");
        }
    }
}

std::string TspShellFolder::GetDetails(int Index) const
{
    if (FDetails->GetCount() == 0) throw Exception(Format(SCallLoadDetails, DisplayName().c_str()));
    return FDetails->Get(Index - 1);
}

void TspShellFolder::SetDetails(int Index, const std::string& Value)
{
    if (Index >= 1 && Index - 1 < FDetails->GetCount())
        FDetails->Put(Index - 1, Value);
    else
        FDetails->Insert(Index - 1, Value);
}

namespace Spskinshellctrls {

std::unique_ptr<TspShellFolder> CreateShellFolderFromPidl(LPCITEMIDLIST AbsolutePidl)
{
    TComPtr<IShellFolder> desktop = GetDesktopShellFolder();
    TComPtr<IShellFolder> folder = BindShellFolderObject(desktop.Get(), AbsolutePidl, nullptr);
    if (!folder) folder = desktop.Copy();
    return std::unique_ptr<TspShellFolder>(new TspShellFolder(DesktopItem(), AbsolutePidl, folder.Get()));
}

void CreateShellRootFolder(std::unique_ptr<TspShellFolder>& Root, const std::string& OldRootName,
                           std::string& RootName)
{
    TPidl pidl;
    bool ok = false;
    TspShellFolder* desktopItem = DesktopItem();
    (void)desktopItem;
    TspRootFolder special;
    if (TryRootFolderFromName(RootName, special)) {
        ok = SUCCEEDED(SHGetSpecialFolderLocation(nullptr, RootFolderCsidl(special), pidl.Put())) && pidl;
    } else if (!RootName.empty()) {
        if (RootName.back() == ':') RootName += "\\";
        TWideString wide = AnsiToWide(RootName);
        ULONG eaten = 0, attrs = 0;
        ok = SUCCEEDED(GetDesktopShellFolder()->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(wide.c_str()),
                                                                 &eaten, pidl.Put(), &attrs)) && pidl;
    }
    if (!ok) {
        std::string message = Format(SErrorSettingPath, RootName.c_str());
        RootName = OldRootName;
        throw Exception(message);
    }
    Root = CreateShellFolderFromPidl(pidl.Get());
}

void RaiseFolderDetailsError(const TspShellFolder* Folder, DWORD Code)
{
    throw EInvalidPath(Format(SShellNoDetails, Folder ? Folder->DisplayName().c_str() : "", static_cast<unsigned>(Code)));
}

void InvokeShellVerb(const TspShellFolder* Folder, const std::string& Verb)
{
    if (!Folder) return;
    IShellFolder* parent = Folder->ParentShellFolder();
    if (!parent) return;
    LPCITEMIDLIST id = Folder->RelativeID();
    TComPtr<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(nullptr, 1, &id, IID_IContextMenu, nullptr, menu.PutVoid())) || !menu) return;
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = CMIC_MASK_ASYNCOK;
    info.lpVerb = Verb.c_str();
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
}

} // namespace Spskinshellctrls
