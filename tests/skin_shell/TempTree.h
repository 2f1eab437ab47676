// A temporary folder tree for the shell tests, removed again at the end:
//   <root>\alpha\          (empty folder)
//   <root>\beta\gamma\deep.txt
//   <root>\one.txt  <root>\two.skn
#pragma once
#include <windows.h>
#include <string>

class TTempTree {
public:
    TTempTree();
    ~TTempTree();
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;
    // The root folder, without a trailing backslash.
    const std::string& Root() const { return FRoot; }
    std::string Path(const std::string& Relative) const { return FRoot + "\\" + Relative; }
    static void WriteFile(const std::string& Path, const std::string& Text);
    // A new empty folder beside the tree's contents, removed with the tree.
    std::string MakeFolder(const std::string& Relative) const;
private:
    std::string FRoot;
};
