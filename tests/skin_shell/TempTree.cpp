#include "TempTree.h"
#include <cstring>

namespace {

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

} // namespace

TTempTree::TTempTree()
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char long_[MAX_PATH];
    if (GetLongPathNameA(temp, long_, MAX_PATH)) std::strcpy(temp, long_);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    FRoot = base + "\\shelltree_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
    RemoveTree(FRoot);
    CreateDirectoryA(FRoot.c_str(), nullptr);
    CreateDirectoryA(Path("alpha").c_str(), nullptr);
    CreateDirectoryA(Path("beta").c_str(), nullptr);
    CreateDirectoryA(Path("beta\\gamma").c_str(), nullptr);
    WriteFile(Path("beta\\gamma\\deep.txt"), "deep");
    WriteFile(Path("one.txt"), "hello");
    WriteFile(Path("two.skn"), "skin");
}

TTempTree::~TTempTree() { RemoveTree(FRoot); }

void TTempTree::WriteFile(const std::string& Path, const std::string& Text)
{
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(h, Text.data(), static_cast<DWORD>(Text.size()), &written, nullptr);
    CloseHandle(h);
}

std::string TTempTree::MakeFolder(const std::string& Relative) const
{
    std::string p = Path(Relative);
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
}
