#include "skin_data_fixtures.h"
#include "Canvas.h"
#include "SysUtils.h"
#include <windows.h>
#include <shellapi.h>

namespace skinfix {

TTempDir::TTempDir()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    for (;;) {
        FPath = std::string(base) + "skin_data_" + IntToStr(GetCurrentProcessId()) + "_" + IntToStr(++serial) + "\\";
        if (CreateDirectoryA(FPath.c_str(), nullptr)) break;
    }
}

TTempDir::~TTempDir()
{
    std::string from = FPath.substr(0, FPath.size() - 1);
    from.push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

void PaintFlat(TBitmap& B, int W, int H, TColor Colour, TPixelFormat Format)
{
    B.SetPixelFormat(Format);
    B.SetSize(W, H);
    B.GetCanvas()->GetBrush()->SetColor(Colour);
    B.GetCanvas()->FillRect(TRect(0, 0, W, H));
}

TColor Probe(TBitmap& B, int X, int Y)
{
    return B.GetCanvas()->GetPixel(X, Y);
}

void SaveBmp(TBitmap& B, const std::string& FileName)
{
    TFileStream f(FileName, fmCreate);
    B.SaveToStream(&f);
}

std::vector<char> ReadFileBytes(const std::string& FileName)
{
    TMemoryStream m;
    m.LoadFromFile(FileName);
    return StreamBytes(m);
}

void WriteFileBytes(const std::string& FileName, const std::vector<char>& Bytes)
{
    TFileStream f(FileName, fmCreate);
    if (!Bytes.empty()) f.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
}

std::vector<char> StreamBytes(TMemoryStream& S)
{
    const char* p = static_cast<const char*>(S.Memory());
    return p ? std::vector<char>(p, p + S.GetSize()) : std::vector<char>();
}

std::vector<std::string> FixtureLines(const TFixtureSkin& Skin)
{
    std::vector<std::string> pics = {"picture=main.bmp", std::string("inactivepicture=") + (Skin.WithInactive ? "inactive.bmp" : ""),
                                     std::string("mask=") + (Skin.WithMask ? "mask.bmp" : ""), "rolluppicture=",
                                     "rollupmask="};
    for (const auto& o : Skin.PictureOverrides) {
        std::string key = o.substr(0, o.find('='));
        bool done = false;
        for (auto& p : pics)
            if (p.substr(0, p.find('=')) == key) p = o, done = true;
        if (!done) pics.push_back(o);
    }
    std::vector<std::string> l = {"[VERSION]", "ver=2", "skinname=Fixture", "skinauthor=Tests", ""};
    l.push_back("[PICTURES]");
    for (auto& p : pics) l.push_back(p);
    l.push_back("activepicturescount=" + IntToStr(Skin.ActiveCount));
    const char* names[] = {"green.bmp", "yellow.bmp"};
    for (int i = 0; i < Skin.ActiveCount; ++i) l.push_back(IntToStr(i) + "=" + names[i % 2]);
    l.push_back("");
    for (const char* s : {"[FORMINFO]", "lefttoppoint=5,6", "righttoppoint=35,6", "leftbottompoint=5,25",
                          "rightbottompoint=35,25", "clientrect=5,6,35,25", "buttonsrect=-3,-4,10,12",
                          "buttonsoffset=-7", "inactiveeffect=ieinvert", "",
                          "[POPUPWINDOW]", "windowpictureindex=0", "itemsrect=1,2,18,9", "",
                          "[HINTWINDOW]", "windowpictureindex=1", "fontname=Courier", "",
                          "[SKINAREAS]", "count=1", "0=dragarea:-2,0,40,5", "",
                          "[SKINOBJECTS]", "count=1", "0=closebutton:stdbutton", "",
                          "[closebutton]", "pictureindex=0", "skinrect=0,0,8,8", "command=cmclose", "",
                          "[SKINCONTROLS]", "count=2", "0=button:button", "1=panel:panel", "",
                          "[button]", "pictureindex=0", "skinrect=-4,-5,12,10", "fontname=Tahoma", "",
                          "[panel]", "pictureindex=1", "skinrect=0,0,8,6", ""})
        l.push_back(s);
    for (auto& e : Skin.ExtraLines) l.push_back(e);
    return l;
}

std::string WriteFixtureSkin(const TTempDir& Dir, const TFixtureSkin& Skin)
{
    TBitmap b;
    PaintFlat(b, 40, 30, clRed);
    SaveBmp(b, Dir.File("main.bmp"));
    PaintFlat(b, 40, 30, clBlue);
    SaveBmp(b, Dir.File("inactive.bmp"));
    PaintFlat(b, 40, 30, clBlack);
    SaveBmp(b, Dir.File("mask.bmp"));
    PaintFlat(b, 20, 10, clLime);
    SaveBmp(b, Dir.File("green.bmp"));
    PaintFlat(b, 8, 6, clYellow, pf8bit);
    SaveBmp(b, Dir.File("yellow.bmp"));
    std::string path = Dir.File("skin.ini");
    // Through Win32: the C++ library would take the Windows path as a Unix one.
    std::string text;
    for (auto& line : FixtureLines(Skin)) text += line + "\r\n";
    WriteFileBytes(path, std::vector<char>(text.begin(), text.end()));
    return path;
}

} // namespace skinfix
