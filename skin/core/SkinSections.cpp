#include "SkinSections.h"

void TspDataSkinPopupWindow::VisitFields(TspSkinFieldVisitor& V)
{
    V.PictureIndex("windowpictureindex", WindowPictureIndex);
    V.PictureIndex("maskpictureindex", MaskPictureIndex);
    V.Point("lefttoppoint", LeftTopPoint);
    V.Point("righttoppoint", RightTopPoint);
    V.Point("leftbottompoint", LeftBottomPoint);
    V.Point("rightbottompoint", RightBottomPoint);
    V.Rect("itemsrect", ItemsRect);
    V.Int("cursorindex", CursorIndex, -1);
    V.Color("scrollmarkercolor", ScrollMarkerColor, 0);
    V.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor, 0);
    V.Bool("leftstretch", LeftStretch);
    V.Bool("rightstretch", RightStretch);
    V.Bool("topstretch", TopStretch);
    V.Bool("bottomstretch", BottomStretch);
}

void TspDataSkinPopupWindow::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspSkinFieldReader r(IniFile, "POPUPWINDOW");
    VisitFields(r);
}

void TspDataSkinPopupWindow::SaveToFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection("POPUPWINDOW");
    TspSkinFieldWriter w(IniFile, "POPUPWINDOW");
    VisitFields(w);
}

void TspDataSkinHintWindow::VisitFields(TspSkinFieldVisitor& V)
{
    V.PictureIndex("windowpictureindex", WindowPictureIndex);
    V.PictureIndex("maskpictureindex", MaskPictureIndex);
    V.Point("lefttoppoint", LeftTopPoint);
    V.Point("righttoppoint", RightTopPoint);
    V.Point("leftbottompoint", LeftBottomPoint);
    V.Point("rightbottompoint", RightBottomPoint);
    V.Rect("clientrect", ClientRect);
    V.Str("fontname", FontName, "Arial");
    V.Int("fontheight", FontHeight, 14);
    V.FontStyles("fontstyle", FontStyle);
    V.Color("fontcolor", FontColor, 0);
    V.Bool("leftstretch", LeftStretch);
    V.Bool("rightstretch", RightStretch);
    V.Bool("topstretch", TopStretch);
    V.Bool("bottomstretch", BottomStretch);
}

void TspDataSkinHintWindow::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspSkinFieldReader r(IniFile, "HINTWINDOW");
    VisitFields(r);
}

void TspDataSkinHintWindow::SaveToFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection("HINTWINDOW");
    TspSkinFieldWriter w(IniFile, "HINTWINDOW");
    VisitFields(w);
}

namespace Skindata {

const char* const TopLevelSections[9] = {"VERSION", "PICTURES", "CURSORS", "FORMINFO", "POPUPWINDOW",
                                         "HINTWINDOW", "SKINAREAS", "SKINOBJECTS", "SKINCONTROLS"};

bool IsTopLevelSection(const std::string& Name)
{
    for (const char* s : TopLevelSections)
        if (SameText(Name, s)) return true;
    return false;
}

bool CheckSkinFile(const TCustomIniFile* IniFile)
{
    return IniFile->SectionExists("VERSION") && IniFile->SectionExists("PICTURES") &&
           IniFile->SectionExists("FORMINFO") && IniFile->SectionExists("SKINOBJECTS") &&
           IniFile->SectionExists("SKINCONTROLS");
}

void GetObjectTypeName(const std::string& S, std::string& AName, std::string& AType)
{
    size_t p = S.find(':');
    if (p == std::string::npos) {
        AName.clear();
        AType.clear();
        return;
    }
    AName = S.substr(0, p);
    AType = S.substr(p + 1);
}

void GetAreaNameRect(const std::string& S, std::string& AName, TRect& ARect)
{
    size_t p = S.find(':');
    if (p == std::string::npos) {
        AName.clear();
        ARect = TRect();
        return;
    }
    AName = S.substr(0, p);
    ARect = Sputils::GetRect(S.substr(p + 1));
    if (ARect.right < ARect.left) ARect.right = ARect.left;
    if (ARect.bottom < ARect.top) ARect.bottom = ARect.top;
}

} // namespace Skindata
