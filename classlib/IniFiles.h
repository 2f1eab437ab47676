// INI files: one interface over two stores. TIniFile goes through the platform's
// private-profile functions on a file on disk; TMemIniFile holds the text in
// memory and parses it by the same rules, so a description reads alike from
// either (skins are read from disk and from inflated blocks).
#pragma once
#include "Classes.h"
#include <memory>
#include <unordered_map>

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const std::string& FileName) : FFileName(FileName) {}
    const std::string& FileName() const { return FFileName; }

    virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                   const std::string& Default) const = 0;
    virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) = 0;
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives Default.
    virtual int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    virtual void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    virtual bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    virtual void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
    // Key names of a section, in file order; the list is cleared first.
    virtual void ReadSection(const std::string& Section, TStrings* Strings) const = 0;
    virtual void ReadSections(TStrings* Strings) const = 0;
    // "key=value" lines of a section.
    virtual void ReadSectionValues(const std::string& Section, TStrings* Strings) const;
    // A section counts as present only when it holds a key.
    virtual bool SectionExists(const std::string& Section) const;
    virtual bool ValueExists(const std::string& Section, const std::string& Ident) const;
    virtual void EraseSection(const std::string& Section) = 0;
    virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
    virtual void UpdateFile() = 0;

protected:
    std::string FFileName;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& FileName) : TCustomIniFile(FileName) {}
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const override
    {
        return ReadString(Section, Ident, Default, 2047);
    }
    // Values longer than MaxLen characters are cut, as the profile functions do.
    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default,
                           int MaxLen) const;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    void ReadSection(const std::string& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;
    void UpdateFile() override;
};

// The whole INI text in memory. Reading rules: lines are trimmed; empty lines and
// lines starting with ";" are skipped; "[name]" opens a section; other lines split
// at the first "=" into a trimmed key and value (a line without "=" is skipped);
// lines before the first section are ignored. Names compare
// without regard to case and the first match wins. Writing replaces a value in
// place or appends the key at the end of its section, a new section at the end.
// The profile functions under Wine differ in two corners no skin uses: a key
// whose name begins with ";" can still be looked up there, and lines before the
// first section form a section with an empty name.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads FileName when it names an existing file; an empty name starts empty.
    explicit TMemIniFile(const std::string& FileName = "");
    ~TMemIniFile() override;
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const override;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    void ReadSection(const std::string& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) const override;
    bool SectionExists(const std::string& Section) const override;
    bool ValueExists(const std::string& Section, const std::string& Ident) const override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;
    // Writes the text to FileName (nothing when the name is empty).
    void UpdateFile() override;

    void Clear();
    // Replaces the content with the lines of Strings, parsed as above.
    void SetStrings(const TStrings* Strings);
    void SetText(const std::string& Text);
    // The content as INI lines: "[section]" and "key=value".
    void GetStrings(TStrings* Strings) const;
    std::string GetText() const;
    void Rename(const std::string& FileName, bool Reload);

private:
    struct Key { std::string Name, Value; };
    // Index: upper-cased key name -> its first place, so a text with many keys
    // (an untrusted skin, say) reads in linear time, not quadratic.
    struct Section {
        std::string Name;
        std::vector<Key> Keys;
        std::unordered_map<std::string, size_t> Index;
        void AddKey(const std::string& Name, const std::string& Value);
        void Reindex();
        const Key* Find(const std::string& Name) const;
    };
    const Section* FindSection(const std::string& Name) const;
    Section* FindSection(const std::string& Name);
    Section& AddSection(const std::string& Name);
    void Reindex();
    void ParseLine(Section*& Current, const std::string& Raw);
    std::vector<Section> FSections;
    std::unordered_map<std::string, size_t> FIndex;   // upper-cased name -> first section of that name
};
