#include "FilePaths.h"
#include "FileListing.h"
#include "SysUtils.h"
#include <windows.h>
#include <winnetwk.h>
#include <cctype>

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

std::string DriveNetworkText(char Letter)
{
    const std::string local = std::string(1, static_cast<char>(toupper(static_cast<unsigned char>(Letter)))) + ":";
    char remote[MAX_PATH + 1] = "";
    DWORD size = sizeof(remote);
    if (WNetGetConnectionA(local.c_str(), remote, &size) != NO_ERROR) return DriveVolumeText(Letter);
    const std::string text = remote;
    return (Letter >= 'a' && Letter <= 'z') ? LowerCase(text) : UpperCase(text);
}

namespace {

bool FileThere(const std::string& Path)
{
    const DWORD a = GetFileAttributesA(Path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Path without its drive part ("\" for a drive root).
std::string WithoutDrive(const std::string& Path)
{
    const std::string rest = Path.substr(ExtractFileDrive(Path).size());
    return rest.empty() ? std::string("\\") : rest;
}

// Dir resolved against the drive part Drive and the folder Base on it; the
// folder must exist.
std::string EnterFolder(const std::string& Drive, const std::string& Base, const std::string& Dir)
{
    std::string joined;
    if (!Dir.empty() && (Dir[0] == '\\' || Dir[0] == '/')) joined = Drive + Dir;
    else joined = AppendPathPart(Base, Dir);
    char full[MAX_PATH + 1] = "";
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(joined.c_str(), sizeof full, full, &name);
    std::string result = n > 0 && n < sizeof full ? std::string(full, n) : joined;
    while (result.size() > Drive.size() + 1 && (result.back() == '\\' || result.back() == '/')) result.pop_back();
    if (!DirectoryExists(result)) throw Exception("Folder not found: " + joined);
    return result;
}

} // namespace

void ProcessPath(const std::string& EditText, const std::string& BaseDir, char& Drive, std::string& DirPart,
                 std::string& FilePart)
{
    DirPart = EditText;
    std::string drivePart;
    if (DirPart.size() >= 2 && DirPart.front() == '[' && DirPart.back() == ']') {
        // A volume text typed into the path stands for the drive shown.
        DirPart = DirPart.substr(1, DirPart.size() - 2);
        drivePart = ExtractFileDrive(BaseDir);
    } else {
        drivePart = ExtractFileDrive(DirPart);
        if (drivePart.empty()) drivePart = ExtractFileDrive(BaseDir);
        else DirPart = DirPart.substr(drivePart.size());
    }
    Drive = drivePart.size() == 2 && drivePart[1] == ':' ? drivePart[0] : '\0';
    // The folder the rest is relative to: BaseDir on its own drive, else the
    // other drive's root.
    std::string base = BaseDir;
    if (lstrcmpiA(ExtractFileDrive(BaseDir).c_str(), drivePart.c_str()) != 0) base = drivePart + "\\";
    FilePart = ExtractFileName(DirPart);
    if (DirPart.size() == FilePart.size() + 1) DirPart = "\\";
    else if (DirPart.size() > FilePart.size()) DirPart = DirPart.substr(0, DirPart.size() - FilePart.size() - 1);
    else DirPart.clear();
    std::string folder = DirPart.empty() ? base : EnterFolder(drivePart, base, DirPart);
    if (!FilePart.empty() && FilePart.find_first_of("*?") == std::string::npos &&
        !FileThere(AppendPathPart(folder, FilePart))) {
        folder = EnterFolder(drivePart, folder, FilePart);
        FilePart.clear();
    }
    DirPart = WithoutDrive(folder);
    if (Drive == '\0') DirPart = drivePart + DirPart;
}

} // namespace Spfilectrl
