// What the directory and file list boxes show, read from the file system for a
// directory given by name (the process's current directory is never changed).
#pragma once
#include <string>
#include <vector>

namespace Spfilectrl {

// "D:" of "D:\dir", "\\server\share" of "\\server\share\dir"; empty for neither.
std::string ExtractFileDrive(const std::string& Path);

enum TDirectoryEntryKind { dkPathFolder, dkCurrentFolder, dkSubFolder };
struct TDirectoryEntry {
    std::string Text;
    TDirectoryEntryKind Kind;
    bool operator==(const TDirectoryEntry& o) const { return Text == o.Text && Kind == o.Kind; }
};

// The directory list of Directory: the folders of its path from the drive root
// down (the root as "D:\", the last one the current folder), then its
// subfolders sorted by name. CurrentIndex receives the current folder's index.
std::vector<TDirectoryEntry> DirectoryListEntries(const std::string& Directory, int& CurrentIndex);
// The full path that entry Index of DirectoryListEntries(Directory) stands for;
// empty beyond the entries.
std::string DirectoryEntryPath(const std::string& Directory, const std::vector<TDirectoryEntry>& Entries,
                               int Index);

// Attribute bits of the file list's FileType (ftReadOnly 1 ... ftArchive 32);
// Normal stands for ftNormal (every entry).
struct TFileTypeSet {
    unsigned Attributes = 0;
    bool Normal = true;
};
// The entries of Directory that match one of Mask's patterns and FileType,
// sorted without regard to case; folders as "[name]".
std::vector<std::string> ReadFileNames(const std::string& Directory, const std::string& Mask, TFileTypeSet FileType);

} // namespace Spfilectrl
