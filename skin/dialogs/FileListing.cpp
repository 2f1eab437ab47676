#include "FileListing.h"
#include "FileMask.h"
#include "FilePaths.h"
#include "SysUtils.h"
#include <windows.h>
#include <algorithm>

namespace Spfilectrl {

namespace {

bool LessNoCase(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

std::vector<std::string> SubFolders(const std::string& Directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(AppendPathPart(Directory, "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = fd.cFileName;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

} // namespace

std::string ExtractFileDrive(const std::string& Path)
{
    if (Path.size() >= 2 && Path[1] == ':') return Path.substr(0, 2);
    if (Path.size() >= 2 && Path[0] == '\\' && Path[1] == '\\') {
        size_t server = Path.find('\\', 2);
        if (server == std::string::npos) return Path;
        size_t share = Path.find('\\', server + 1);
        return share == std::string::npos ? Path : Path.substr(0, share);
    }
    return "";
}

std::vector<TDirectoryEntry> DirectoryListEntries(const std::string& Directory, int& CurrentIndex)
{
    std::vector<TDirectoryEntry> entries;
    CurrentIndex = -1;
    std::string drive = ExtractFileDrive(Directory);
    std::string root = drive + "\\";
    std::string rest = Directory;
    bool share = root.size() > 1 && root[1] == '\\';
    if (share) {
        entries.push_back({root, dkPathFolder});
        rest = Directory.size() > root.size() ? Directory.substr(root.size()) : std::string();
    }
    if (!rest.empty()) {
        if (rest.back() != '\\') {
            size_t start = 0, cut;
            bool first = true;
            while ((cut = rest.find('\\', start)) != std::string::npos) {
                std::string part = rest.substr(start, cut - start);
                // The first part of a drive path is its root, shown as "D:\".
                if (first && !share) part += "\\";
                entries.push_back({part, dkPathFolder});
                first = false;
                start = cut + 1;
            }
            entries.push_back({rest.substr(start), dkCurrentFolder});
        } else {
            entries.push_back({rest, dkCurrentFolder});
        }
        CurrentIndex = static_cast<int>(entries.size()) - 1;
    }
    for (const std::string& name : SubFolders(Directory)) entries.push_back({name, dkSubFolder});
    return entries;
}

std::string DirectoryEntryPath(const std::string& Directory, const std::vector<TDirectoryEntry>& Entries, int Index)
{
    if (Index < 0 || Index >= static_cast<int>(Entries.size())) return "";
    std::string drive = ExtractFileDrive(Directory);
    if (Index == 0) return drive + "\\";
    if (Entries[Index].Kind == dkSubFolder) return AppendPathPart(Directory, Entries[Index].Text);
    if (Entries[Index].Kind == dkCurrentFolder) return Directory;
    // The ancestor ends before the (Index + 1)-th backslash of the path after the drive.
    std::string path = Directory.substr(drive.size());
    int seen = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
            ++i;
            continue;
        }
        if (path[i] == '\\' && ++seen == Index + 1) return drive + path.substr(0, i);
    }
    return Directory;
}

std::vector<std::string> ReadFileNames(const std::string& Directory, const std::string& Mask, TFileTypeSet FileType)
{
    std::vector<std::string> names;
    std::vector<std::string> patterns = SplitFileMask(Mask);
    if (patterns.empty()) patterns.push_back("*.*");
    for (const std::string& pattern : patterns) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(AppendPathPart(Directory, pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            // The platform's search matches short (8.3) names as well: "*.skn"
            // also finds "x.sknx" (seen on Wine). Each name is checked again.
            std::string name = fd.cFileName;
            bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (!(dir && (name == "." || name == "..")) && !MatchesFilePattern(name, pattern)) continue;
            if (!FileType.Normal && !(fd.dwFileAttributes & FileType.Attributes)) continue;
            std::string text = dir ? "[" + name + "]" : name;
            if (std::find(names.begin(), names.end(), text) == names.end()) names.push_back(text);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

} // namespace Spfilectrl
