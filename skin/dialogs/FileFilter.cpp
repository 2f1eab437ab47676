#include "FileFilter.h"

namespace Spfilectrl {

std::vector<TFileFilterEntry> ParseFileFilter(const std::string& Filter)
{
    std::vector<TFileFilterEntry> entries;
    size_t pos = 0;
    for (;;) {
        size_t bar = Filter.find('|', pos);
        if (bar == std::string::npos) break;
        TFileFilterEntry e;
        e.Description = Filter.substr(pos, bar - pos);
        size_t next = Filter.find('|', bar + 1);
        if (next == std::string::npos) {
            e.Mask = Filter.substr(bar + 1);
            pos = Filter.size();
        } else {
            e.Mask = Filter.substr(bar + 1, next - bar - 1);
            pos = next + 1;
        }
        entries.push_back(e);
    }
    return entries;
}

std::string FileFilterMask(const std::vector<TFileFilterEntry>& Entries, int Index)
{
    if (Entries.empty()) return "*.*";
    if (Index < 0) Index = static_cast<int>(Entries.size()) - 1;
    if (Index >= static_cast<int>(Entries.size())) return "*.*";
    return Entries[Index].Mask;
}

} // namespace Spfilectrl
