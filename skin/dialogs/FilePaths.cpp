#include "FilePaths.h"
#include "SysUtils.h"
#include <windows.h>

namespace Spfilectrl {

bool DirectoryExists(const std::string& Name)
{
    DWORD a = GetFileAttributesA(Name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(std::string Dir)
{
    if (!Dir.empty() && Dir.back() == '\\') Dir.pop_back();
    if (Dir.size() <= 2 || DirectoryExists(Dir)) return true;
    std::string parent = ExtractFilePath(Dir);
    if (parent == Dir) return true;
    if (!ForceDirectories(parent)) return false;
    return CreateDirectoryA(Dir.c_str(), nullptr) || DirectoryExists(Dir);
}

std::string AppendPathPart(const std::string& Dir, const std::string& Name)
{
    if (!Dir.empty() && Dir.back() == '\\') return Dir + Name;
    return Dir + "\\" + Name;
}

void DropFirstDirectory(std::string& Dir)
{
    if (Dir == "\\") {
        Dir.clear();
        return;
    }
    std::string root;
    if (!Dir.empty() && Dir[0] == '\\') {
        root = "\\";
        Dir.erase(0, 1);
    }
    if (!Dir.empty() && Dir[0] == '.') Dir.erase(0, 4);   // a previous "...\"
    size_t cut = Dir.find('\\');
    Dir = cut == std::string::npos ? std::string() : "...\\" + Dir.substr(cut + 1);
    Dir = root + Dir;
}

std::string MinimizeName(const std::string& FileName, const std::function<int(const std::string&)>& TextWidth,
                         int MaxLen)
{
    std::string result = FileName;
    std::string dir = ExtractFilePath(FileName);
    std::string name = ExtractFileName(FileName);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    while ((!dir.empty() || !drive.empty()) && TextWidth(result) > MaxLen) {
        if (dir == "\\...\\") {
            drive.clear();
            dir = "...\\";
        } else if (!dir.empty()) {
            DropFirstDirectory(dir);
        } else {
            drive.clear();
        }
        result = drive + dir + name;
    }
    return result;
}

std::string DriveVolumeText(char Letter)
{
    char label[MAX_PATH + 1] = "";
    std::string root = std::string(1, Letter) + ":\\";
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (!GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0))
        label[0] = 0;
    SetErrorMode(old);
    std::string text = label;
    text = (Letter >= 'a' && Letter <= 'z') ? LowerCase(text) : UpperCase(text);
    return "[" + text + "]";
}

} // namespace Spfilectrl
