#include "IniFiles.h"
#include <cstring>
#include <vector>

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default,
                                 int MaxLen) const
{
    std::vector<char> buf(static_cast<size_t>(MaxLen) + 1, '\0');
    DWORD n = GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), FFileName.c_str());
    return std::string(buf.data(), n);
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    if (!WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), FFileName.c_str()))
        throw EIniFileException("Unable to write to " + FFileName);
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const
{
    std::string s = ReadString(Section, Ident, "");
    return StrToIntDef(s, Default);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

// Reads a double-NUL-terminated list, growing the buffer until it fits.
static std::vector<std::string> ReadList(const char* section, const char* file)
{
    std::vector<char> buf(4096);
    for (;;) {
        DWORD n = section ? GetPrivateProfileStringA(section, nullptr, "", buf.data(), (DWORD)buf.size(), file)
                          : GetPrivateProfileSectionNamesA(buf.data(), (DWORD)buf.size(), file);
        if (n + 2 < buf.size()) {
            std::vector<std::string> r;
            for (const char* p = buf.data(); p < buf.data() + n && *p; p += strlen(p) + 1) r.emplace_back(p);
            return r;
        }
        buf.resize(buf.size() * 4);
    }
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (auto& k : ReadList(Section.c_str(), FFileName.c_str())) Strings->Add(k);
    Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (auto& k : ReadList(nullptr, FFileName.c_str())) Strings->Add(k);
    Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (auto& k : ReadList(Section.c_str(), FFileName.c_str())) Strings->Add(k + "=" + ReadString(Section, k, ""));
    Strings->EndUpdate();
}

bool TIniFile::SectionExists(const std::string& Section) const
{
    return !ReadList(Section.c_str(), FFileName.c_str()).empty();
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const
{
    for (auto& k : ReadList(Section.c_str(), FFileName.c_str()))
        if (SameText(k, Ident)) return true;
    return false;
}

void TIniFile::EraseSection(const std::string& Section)
{
    if (!WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, FFileName.c_str()))
        throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident)
{
    WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()); }
