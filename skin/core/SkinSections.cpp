#include "SkinSections.h"
#include <algorithm>

namespace {

// A section's record read from its section, or written to it anew (the section erased first).
template <class TRecord>
void ReadSection(TRecord& Record, const TCustomIniFile* IniFile, const char* Section)
{
    TspSkinFieldReader r(IniFile, Section);
    Record.VisitFields(r);
}

template <class TRecord>
void WriteSection(TRecord& Record, TCustomIniFile* IniFile, const char* Section)
{
    IniFile->EraseSection(Section);
    TspSkinFieldWriter w(IniFile, Section);
    Record.VisitFields(w);
}

}  // namespace

void TspDataSkinPopupWindow::VisitFields(TspSkinFieldVisitor& V)
{
    V.PictureIndex("windowpictureindex", WindowPictureIndex);
    V.PictureIndex("maskpictureindex", MaskPictureIndex);
    V.Corners("", LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
    V.Rect("itemsrect", ItemsRect);
    V.Int("cursorindex", CursorIndex, -1);
    V.Color("scrollmarkercolor", ScrollMarkerColor, 0);
    V.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor, 0);
    V.Stretches(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TspDataSkinPopupWindow::LoadFromFile(const TCustomIniFile* IniFile) { ReadSection(*this, IniFile, "POPUPWINDOW"); }

void TspDataSkinPopupWindow::SaveToFile(TCustomIniFile* IniFile) { WriteSection(*this, IniFile, "POPUPWINDOW"); }

void TspDataSkinHintWindow::VisitFields(TspSkinFieldVisitor& V)
{
    V.PictureIndex("windowpictureindex", WindowPictureIndex);
    V.PictureIndex("maskpictureindex", MaskPictureIndex);
    V.Corners("", LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
    V.Rect("clientrect", ClientRect);
    V.Font("", Font);
    V.Stretches(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TspDataSkinHintWindow::LoadFromFile(const TCustomIniFile* IniFile) { ReadSection(*this, IniFile, "HINTWINDOW"); }

void TspDataSkinHintWindow::SaveToFile(TCustomIniFile* IniFile) { WriteSection(*this, IniFile, "HINTWINDOW"); }

void TspDataSkinFormInfo::VisitFields(TspSkinFieldVisitor& V)
{
    V.Corners("", LTPoint, RTPoint, LBPoint, RBPoint);
    V.Rect("clientrect", ClientRect);
    V.Int("bgpictureindex", BGPictureIndex, -1);
    V.Int("mdibgpictureindex", MDIBGPictureIndex, -1);
    V.Rect("maskrectarea", MaskRectArea);
    V.Stretches(LeftStretch, RightStretch, TopStretch, BottomStretch);
    V.Rect("buttonsrect", ButtonsRect);
    V.Rect("captionrect", CaptionRect);
    V.Int("buttonsoffset", ButtonsOffset, 0);
    V.Bool("buttonsinleft", ButtonsInLeft);
    V.Corners("hittest", HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint);
    V.Point("rollupleftpoint", RollUpLeftPoint);
    V.Point("rolluprightpoint", RollUpRightPoint);
    V.Rect("mainmenurect", MainMenuRect);
    V.Rect("iconrect", IconRect);
    V.Bool("mainmenupopupup", MainMenuPopupUp);
    V.Int("borderwidth", BorderWidth, 0);
    V.Int("cursorindex", CursorIndex, -1);
    V.Bool("autorenderinginactiveimage", AutoRenderingInActiveImage);
    V.InActiveEffect("inactiveeffect", InActiveEffect);
}

void TspDataSkinFormInfo::FitAfterRead(bool HasMask)
{
    if (HasMask) {
        if (MaskRectArea.Width() <= 0 || MaskRectArea.Height() <= 0) {
            MaskRectArea = ClientRect;
        } else {
            MaskRectArea.left = std::min(MaskRectArea.left, ClientRect.left);
            MaskRectArea.top = std::min(MaskRectArea.top, ClientRect.top);
            MaskRectArea.right = std::max(MaskRectArea.right, ClientRect.right);
            MaskRectArea.bottom = std::max(MaskRectArea.bottom, ClientRect.bottom);
        }
        auto unset = [](const TPoint& P) { return P.x == 0 || P.y == 0; };
        if (unset(HitTestLTPoint)) HitTestLTPoint = LTPoint;
        if (unset(HitTestRTPoint)) HitTestRTPoint = RTPoint;
        if (unset(HitTestLBPoint)) HitTestLBPoint = LBPoint;
        if (unset(HitTestRBPoint)) HitTestRBPoint = RBPoint;
    }
    if (RBPoint.x != LTPoint.x && RBPoint.y != LTPoint.y) {
        LTPoint.x = std::max(LTPoint.x, ClientRect.left);
        LTPoint.y = std::max(LTPoint.y, ClientRect.top);
        RTPoint.x = std::min(RTPoint.x, ClientRect.right);
        RTPoint.y = std::max(RTPoint.y, ClientRect.top);
        LBPoint.x = std::max(LBPoint.x, ClientRect.left);
        LBPoint.y = std::min(LBPoint.y, ClientRect.bottom);
        RBPoint.x = std::min(RBPoint.x, ClientRect.right);
        RBPoint.y = std::min(RBPoint.y, ClientRect.bottom);
    }
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
