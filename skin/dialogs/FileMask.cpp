#include "FileMask.h"
#include <windows.h>

namespace Spfilectrl {

namespace {

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Iterative wildcard match with one back-tracking point (the last "*"):
// linear in practice, never recursive, whatever the pattern.
bool Wildcard(const std::string& s, const std::string& p)
{
    size_t si = 0, pi = 0, star = std::string::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '?' || Fold(p[pi]) == Fold(s[si]))) {
            ++si;
            ++pi;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = si;
        } else if (star != std::string::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::string LastPart(const std::string& Name)
{
    size_t cut = Name.find_last_of("\\/:");
    return cut == std::string::npos ? Name : Name.substr(cut + 1);
}

} // namespace

std::vector<std::string> SplitFileMask(const std::string& Mask)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= Mask.size()) {
        size_t end = Mask.find_first_of(";|", start);
        if (end == std::string::npos) end = Mask.size();
        size_t b = Mask.find_first_not_of(" \t", start);
        size_t e = Mask.find_last_not_of(" \t", end ? end - 1 : 0);
        if (b != std::string::npos && b < end && e != std::string::npos && e >= b)
            parts.push_back(Mask.substr(b, e - b + 1));
        start = end + 1;
    }
    return parts;
}

bool MatchesFilePattern(const std::string& Name, const std::string& Pattern)
{
    if (Pattern == "*" || Pattern == "*.*") return true;
    if (Wildcard(Name, Pattern)) return true;
    // "name.*" stands for the name with any extension or none.
    if (Pattern.size() >= 2 && Pattern.compare(Pattern.size() - 2, 2, ".*") == 0 &&
        Name.find('.') == std::string::npos)
        return Wildcard(Name, Pattern.substr(0, Pattern.size() - 2));
    return false;
}

bool MatchesFileMask(const std::string& Name, const std::string& Mask)
{
    std::vector<std::string> patterns = SplitFileMask(Mask);
    if (patterns.empty()) return true;
    std::string file = LastPart(Name);
    for (const std::string& p : patterns)
        if (MatchesFilePattern(file, p)) return true;
    return false;
}

} // namespace Spfilectrl
