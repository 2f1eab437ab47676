#include "Language.h"
#include "IniFiles.h"
#include "Settings.h"

namespace Language {

std::string FilePath()
{
    return Settings::ProgramFolder() + "Languages\\" + Settings::Read("LanguageFileName", "english.lng", 511);
}

bool WriteMode() { return Settings::Read("LanguageFileNameR", "0", 511) != "0"; }

void Apply(const std::string& section, const std::vector<TCaption>& captions)
{
    TIniFile ini(FilePath());
    bool write = WriteMode();
    for (const TCaption& c : captions) {
        if (write) {
            if (c.Write) ini.WriteString(section, c.Key, c.Get());
        } else {
            c.Set(ini.ReadString(section, c.Key, c.Get()));
        }
    }
}

std::string Info(const std::string& fileName, const std::string& key, const std::string& def)
{
    TIniFile ini(fileName);
    return ini.ReadString("Language", key, def);
}

} // namespace Language
