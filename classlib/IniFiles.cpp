#include "IniFiles.h"
#include <cstring>
#include <vector>

// ---- TCustomIniFile: the typed operations over the text ones ----

int TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const
{
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TCustomIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const
{
    TStringList keys;
    ReadSection(Section, &keys);
    Strings->BeginUpdate();
    Strings->Clear();
    for (int i = 0; i < keys.GetCount(); ++i) Strings->Add(keys[i] + "=" + ReadString(Section, keys[i], ""));
    Strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const std::string& Section) const
{
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& Section, const std::string& Ident) const
{
    TStringList keys;
    ReadSection(Section, &keys);
    for (int i = 0; i < keys.GetCount(); ++i)
        if (SameText(keys[i], Ident)) return true;
    return false;
}

// ---- TIniFile: the platform's private-profile functions ----

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

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(const std::string& FileName) : TCustomIniFile(FileName)
{
    if (!FileName.empty() && FileExists(FileName)) {
        TStringList lines;
        lines.LoadFromFile(FileName);
        SetStrings(&lines);
    }
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Section::AddKey(const std::string& KeyName, const std::string& Value)
{
    Index.emplace(UpperCase(KeyName), Keys.size());   // keeps the first of equal names
    Keys.push_back(Key{KeyName, Value});
}

void TMemIniFile::Section::Reindex()
{
    Index.clear();
    for (size_t i = 0; i < Keys.size(); ++i) Index.emplace(UpperCase(Keys[i].Name), i);
}

const TMemIniFile::Key* TMemIniFile::Section::Find(const std::string& KeyName) const
{
    auto it = Index.find(UpperCase(KeyName));
    return it == Index.end() ? nullptr : &Keys[it->second];
}

const TMemIniFile::Section* TMemIniFile::FindSection(const std::string& Name) const
{
    auto it = FIndex.find(UpperCase(Name));
    return it == FIndex.end() ? nullptr : &FSections[it->second];
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::string& Name)
{
    return const_cast<Section*>(static_cast<const TMemIniFile*>(this)->FindSection(Name));
}

TMemIniFile::Section& TMemIniFile::AddSection(const std::string& Name)
{
    FIndex.emplace(UpperCase(Name), FSections.size());
    FSections.push_back(Section{Name, {}, {}});
    return FSections.back();
}

void TMemIniFile::Reindex()
{
    FIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i) FIndex.emplace(UpperCase(FSections[i].Name), i);
}

void TMemIniFile::ParseLine(Section*& Current, const std::string& Raw)
{
    std::string line = Trim(Raw);
    if (line.empty() || line[0] == ';') return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        Current = &AddSection(Trim(line.substr(1, line.size() - 2)));
        return;
    }
    if (!Current) return;  // text before the first section belongs to none
    // A line without "=" is no key, as the profile functions treat it.
    size_t eq = line.find('=');
    if (eq != std::string::npos) Current->AddKey(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
}

void TMemIniFile::SetStrings(const TStrings* Strings)
{
    Clear();
    Section* current = nullptr;
    for (int i = 0; i < Strings->GetCount(); ++i) ParseLine(current, Strings->Get(i));
}

void TMemIniFile::SetText(const std::string& Text)
{
    // Parsed straight from the text, line by line as TStrings::SetText splits
    // it: a large text (a skin description) is never held twice.
    Clear();
    Section* current = nullptr;
    std::string line;
    size_t i = 0;
    const size_t n = Text.size();
    while (i < n) {
        size_t j = i;
        while (j < n && Text[j] != '\r' && Text[j] != '\n') ++j;
        line.assign(Text, i, j - i);
        ParseLine(current, line);
        if (j < n && Text[j] == '\r') ++j;
        if (j < n && Text[j] == '\n') ++j;
        i = j;
    }
}

void TMemIniFile::GetStrings(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (const Section& s : FSections) {
        Strings->Add("[" + s.Name + "]");
        for (const Key& k : s.Keys) Strings->Add(k.Name + "=" + k.Value);
        Strings->Add("");
    }
    Strings->EndUpdate();
}

std::string TMemIniFile::GetText() const
{
    TStringList lines;
    GetStrings(&lines);
    return lines.GetText();
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FIndex.clear();
}

void TMemIniFile::Rename(const std::string& FileName, bool Reload)
{
    FFileName = FileName;
    if (Reload) {
        Clear();
        if (!FileName.empty() && FileExists(FileName)) {
            TStringList lines;
            lines.LoadFromFile(FileName);
            SetStrings(&lines);
        }
    }
}

std::string TMemIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) const
{
    if (const TMemIniFile::Section* s = FindSection(Section))
        if (const Key* k = s->Find(Ident)) return k->Value;
    return Default;
}

void TMemIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    TMemIniFile::Section* s = FindSection(Section);
    if (!s) s = &AddSection(Section);
    auto it = s->Index.find(UpperCase(Ident));
    if (it != s->Index.end())
        s->Keys[it->second].Value = Value;
    else
        s->AddKey(Ident, Value);
}

void TMemIniFile::ReadSection(const std::string& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (const TMemIniFile::Section* s = FindSection(Section))
        for (const Key& k : s->Keys) Strings->Add(k.Name);
    Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (const Section& s : FSections) Strings->Add(s.Name);
    Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (const TMemIniFile::Section* s = FindSection(Section))
        for (const Key& k : s->Keys) Strings->Add(k.Name + "=" + k.Value);
    Strings->EndUpdate();
}

bool TMemIniFile::SectionExists(const std::string& Section) const
{
    const TMemIniFile::Section* s = FindSection(Section);
    return s && !s->Keys.empty();
}

bool TMemIniFile::ValueExists(const std::string& Section, const std::string& Ident) const
{
    const TMemIniFile::Section* s = FindSection(Section);
    return s && s->Find(Ident);
}

void TMemIniFile::EraseSection(const std::string& Section)
{
    // Every section of that name goes, so a later one cannot surface in its place.
    std::string name = UpperCase(Section);
    for (size_t i = FSections.size(); i-- > 0;)
        if (UpperCase(FSections[i].Name) == name) FSections.erase(FSections.begin() + i);
    Reindex();
}

void TMemIniFile::DeleteKey(const std::string& Section, const std::string& Ident)
{
    TMemIniFile::Section* s = FindSection(Section);
    if (!s) return;
    auto it = s->Index.find(UpperCase(Ident));
    if (it == s->Index.end()) return;
    s->Keys.erase(s->Keys.begin() + it->second);
    s->Reindex();
}

void TMemIniFile::UpdateFile()
{
    if (FFileName.empty()) return;
    TStringList lines;
    GetStrings(&lines);
    lines.SaveToFile(FFileName);
}
