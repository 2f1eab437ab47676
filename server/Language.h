// Translation of a form's captions through the language file chosen in setup.ini.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace Language {

// One translatable caption of a form: its key in the form's section, and how to
// read and set it. Write false: read only, never written back in caption-writing mode.
struct TCaption {
    std::string Key;
    std::function<std::string()> Get;
    std::function<void(const std::string&)> Set;
    bool Write = true;
};

// "Languages\" + LanguageFileName beside the program.
std::string FilePath();
// True when LanguageFileNameR is not "0": forms write their captions instead of reading them.
bool WriteMode();
// Reads each caption from the section (its current text as the default) or, in
// writing mode, writes the current captions into it.
void Apply(const std::string& section, const std::vector<TCaption>& captions);
// A value of the language file's own section "Language" (Lang, HelpFile).
std::string Info(const std::string& fileName, const std::string& key, const std::string& def);

} // namespace Language
