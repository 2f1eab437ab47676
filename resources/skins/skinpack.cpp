// Packs an uncompressed skin into a compressed skin file with the engine's own
// stored-skin writer: skinpack <folder>/skin.ini <file>.skn
#include "CompressedStoredSkin.h"
#include <windows.h>
#include <cstdio>

// A Unix path reaches Wine's file functions through the drive that maps the root.
static std::string WinePath(const std::string& p)
{
    return !p.empty() && p[0] == '/' ? "Z:" + p : p;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: skinpack <skin.ini> <file.skn>\n");
        return 2;
    }
    try {
        TspCompressedStoredSkin stored(nullptr);
        if (!stored.LoadFromIniFile(WinePath(argv[1]))) {
            std::fprintf(stderr, "skinpack: %s is no usable skin description\n", argv[1]);
            return 1;
        }
        stored.SaveToCompressFile(WinePath(argv[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpack: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
