#include "Settings.h"
#include "SysUtils.h"
#include "SyncObjs.h"
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
} // namespace

std::string ProgramFolder()
{
    if (Folder().empty()) Folder() = ModuleFolder(GetModuleHandleA(nullptr));
    return Folder();
}

void SetProgramFolder(const std::string& folder) { Folder() = IncludeTrailingPathDelimiter(folder); }

std::string SetupPath() { return ProgramFolder() + "setup.ini"; }

std::string Read(const std::string& key, const std::string& def, int maxLen)
{
    std::vector<char> buf(static_cast<size_t>(maxLen) + 1, '\0');
    TLockGuard<TCriticalSection> hold(Lock());
    DWORD n = GetPrivateProfileStringA(kSection, key.c_str(), def.c_str(), buf.data(), static_cast<DWORD>(buf.size()),
                                       SetupPath().c_str());
    return std::string(buf.data(), n);
}

int ReadInt(const std::string& key, const std::string& def, int maxLen) { return StrToInt(Read(key, def, maxLen)); }

void Write(const std::string& key, const std::string& value)
{
    TLockGuard<TCriticalSection> hold(Lock());
    WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), SetupPath().c_str());
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
