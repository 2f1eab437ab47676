#include "Settings.h"
#include "SysUtils.h"
#include "SyncObjs.h"
#include <atomic>
#include <map>
#include <vector>

namespace Settings {

namespace {
std::string& Folder()
{
    static std::string folder;
    return folder;
}
// The profile functions already serialise within the process; this lock also
// keeps a read from falling between the steps of a multi-key write.
TCriticalSection& Lock()
{
    static TCriticalSection cs;
    return cs;
}
const char* const kSection = "SETTINGS";

// Bumped by every write of ours: the kept values are then stale. A counter, not the
// cache's lock, because a write holds the profile lock, which ReadCached takes
// inside its own.
std::atomic<unsigned> Writes{0};

// The values read through ReadCached, by key, default and length (as the profile
// function answers them), and the file's state they were read from.
struct ValueCache {
    TCriticalSection Lock;
    std::map<std::string, std::string> Values;
    std::string Path;
    unsigned Writes = 0;
    WIN32_FILE_ATTRIBUTE_DATA Stamp = {};
    bool StampValid = false;
    DWORD CheckedAt = 0;
};
ValueCache& Cache()
{
    static ValueCache cache;
    return cache;
}

bool SameStamp(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b)
{
    return CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 && a.nFileSizeLow == b.nFileSizeLow &&
           a.nFileSizeHigh == b.nFileSizeHigh;
}

// Forgets every kept value; the caller holds the cache lock.
void Forget(ValueCache& c, const std::string& path)
{
    c.Values.clear();
    c.Path = path;
    c.Writes = Writes;
    c.StampValid = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &c.Stamp) != 0;
    c.CheckedAt = GetTickCount();
}

} // namespace

std::string ProgramFolder()
{
    if (Folder().empty()) Folder() = ModuleFolder(GetModuleHandleA(nullptr));
    return Folder();
}

void SetProgramFolder(const std::string& folder)
{
    Folder() = IncludeTrailingPathDelimiter(folder);
    ++Writes;
}

std::string SetupPath() { return ProgramFolder() + "setup.ini"; }

std::string Read(const std::string& key, const std::string& def, int maxLen)
{
    std::vector<char> buf(static_cast<size_t>(maxLen) + 1, '\0');
    TLockGuard<TCriticalSection> hold(Lock());
    DWORD n = GetPrivateProfileStringA(kSection, key.c_str(), def.c_str(), buf.data(), static_cast<DWORD>(buf.size()),
                                       SetupPath().c_str());
    return std::string(buf.data(), n);
}

std::string ReadCached(const std::string& key, const std::string& def, int maxLen)
{
    ValueCache& c = Cache();
    std::string path = SetupPath();
    TLockGuard<TCriticalSection> hold(c.Lock);
    if (path != c.Path || c.Writes != Writes) {
        Forget(c, path);
    } else if (GetTickCount() - c.CheckedAt >= CacheCheckInterval) {
        // A cheap look at the file (no open, no read): a change made by someone else.
        WIN32_FILE_ATTRIBUTE_DATA now;
        bool exists = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &now) != 0;
        if (exists != c.StampValid || (exists && !SameStamp(now, c.Stamp)))
            Forget(c, path);
        else
            c.CheckedAt = GetTickCount();
    }
    // Profile keys are case-insensitive; the default and the cut are part of the answer.
    std::string id = key;
    CharUpperBuffA(&id[0], static_cast<DWORD>(id.size()));
    id += '\0' + IntToStr(maxLen) + '\0' + def;
    auto it = c.Values.find(id);
    if (it != c.Values.end()) return it->second;
    std::string value = Read(key, def, maxLen);
    c.Values.emplace(id, value);
    return value;
}

int ReadInt(const std::string& key, const std::string& def, int maxLen) { return StrToInt(Read(key, def, maxLen)); }

void Write(const std::string& key, const std::string& value)
{
    TLockGuard<TCriticalSection> hold(Lock());
    WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), SetupPath().c_str());
    ++Writes;
}

void WriteBool(const std::string& key, bool on) { Write(key, on ? "1" : "0"); }

bool Exists() { return FileExists(SetupPath()); }

void WriteFirstRun()
{
    TLockGuard<TCriticalSection> hold(Lock());
    if (Exists()) return;
    std::string f = ProgramFolder();
    const std::pair<const char*, std::string> keys[] = {
        {"AUTOVIDEO_STATE", "0"}, {"AUTOONLINE_STATE", "0"}, {"AUTOOFFLINE_STATE", "0"},
        {"AUTOVIDEO", ""}, {"AUTOONLINE", ""}, {"AUTOOFFLINE", ""},
        {"SOUND", "1"},
        {"CONNECT", f + "Sounds\\connect.wav"}, {"DISCONNECT", f + "Sounds\\disconnect.wav"},
        {"ALARM", f + "Sounds\\alarm.wav"},
        {"AVAL", "0"}, {"OT", ""}, {"DO", ""}, {"ALLAVAL", "0"},
        {"0", "0"}, {"1", "0"}, {"2", "0"}, {"3", "0"}, {"4", "0"}, {"5", "0"}, {"6", "0"},
        {"PASS", ""},
        {"SKIN", f + "SKINS\\Korvel2.skn"},
    };
    for (auto& k : keys) Write(k.first, k.second);
}

} // namespace Settings
