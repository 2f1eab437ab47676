// setup.ini: the program's settings, section SETTINGS, read where each value is used.
#pragma once
#include <string>

namespace Settings {

// The program's folder (with a trailing separator) and its setup.ini.
std::string ProgramFolder();
std::string SetupPath();
// Overrides the folder (tests, and a program started from elsewhere).
void SetProgramFolder(const std::string& folder);

// One key of SETTINGS, cut to maxLen characters, or def when absent.
std::string Read(const std::string& key, const std::string& def, int maxLen = 254);
// As Read, from an in-memory copy for the readers that ask per packet or per
// request: a value is read from the file once and kept until setup.ini changes
// (our own writes at once, anyone else's within CacheCheckInterval ms, seen by
// its last-write time and size).
std::string ReadCached(const std::string& key, const std::string& def, int maxLen = 254);
const unsigned CacheCheckInterval = 250;
// The same converted with StrToInt: raises EConvertError when not a number.
int ReadInt(const std::string& key, const std::string& def, int maxLen = 254);
void Write(const std::string& key, const std::string& value);
void WriteBool(const std::string& key, bool on);

bool Exists();
// Writes the first-run keys, in their order, when setup.ini does not exist.
void WriteFirstRun();

} // namespace Settings
