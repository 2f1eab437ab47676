// INI files on the platform's private-profile functions.
#pragma once
#include "Classes.h"

class TIniFile : public TObject {
public:
    explicit TIniFile(const std::string& FileName) : FFileName(FileName) {}
    const std::string& FileName() const { return FFileName; }
    // Values longer than MaxLen characters are cut, as the profile functions do.
    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default,
                           int MaxLen = 2047) const;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
    void ReadSection(const std::string& Section, TStrings* Strings) const;
    void ReadSections(TStrings* Strings) const;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) const;
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    void EraseSection(const std::string& Section);
    void DeleteKey(const std::string& Section, const std::string& Ident);
    void UpdateFile();
private:
    std::string FFileName;
};
