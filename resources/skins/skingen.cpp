// Writes the folders of our own skins: skingen <output folder>
// gives <output folder>/Korvel2/ and <output folder>/Sarnic/, each with skin.ini and its pictures.
#include "SkinBuilder.h"
#include <windows.h>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    std::string root = argv[1];
    CreateDirectoryA(root.c_str(), nullptr);
    for (const Skingen::SkinStyle& style : {Skingen::Korvel2Style(), Skingen::SarnicStyle()}) {
        std::string folder = root + "/" + style.Name;
        CreateDirectoryA(folder.c_str(), nullptr);
        if (!Skingen::WriteSkinFolder(Skingen::BuildSkin(style), folder)) {
            std::fprintf(stderr, "skingen: cannot write %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
