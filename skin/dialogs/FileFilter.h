// The file types of a filter text such as "Compressed skin (*.skn)|*.skn|All files (*.*)|*.*":
// pairs of a description and a mask, every part separated from the next by "|".
#pragma once
#include <string>
#include <vector>

namespace Spfilectrl {

struct TFileFilterEntry {
    std::string Description;
    std::string Mask;
    bool operator==(const TFileFilterEntry& o) const { return Description == o.Description && Mask == o.Mask; }
};

// The entries of Filter in order; a last description without a mask is dropped.
std::vector<TFileFilterEntry> ParseFileFilter(const std::string& Filter);
// The mask of entry Index; a negative Index stands for the last entry; "*.*"
// when there is no such entry.
std::string FileFilterMask(const std::vector<TFileFilterEntry>& Entries, int Index);

} // namespace Spfilectrl
