// File masks of the file lists and filter combos: one or more file patterns
// ("*.skn;*.ini") matched against file names as the file system does.
#pragma once
#include <string>
#include <vector>

namespace Spfilectrl {

// The patterns of a mask: split at ";" (and "|", which a file name cannot hold),
// blanks around each pattern dropped, empty patterns left out.
std::vector<std::string> SplitFileMask(const std::string& Mask);
// Whether Name matches Pattern: "*" any run of characters, "?" any one
// character, letter case ignored; "*.*" and "*" match every name, and a pattern
// ending in ".*" also matches the name without an extension ("name.*" passes "name").
bool MatchesFilePattern(const std::string& Name, const std::string& Pattern);
// Whether Name (a file name, or a path whose last part is taken) matches one of
// the patterns of Mask; a mask without patterns passes every name.
bool MatchesFileMask(const std::string& Name, const std::string& Mask);

} // namespace Spfilectrl
