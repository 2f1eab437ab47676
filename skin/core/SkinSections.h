// Records and helpers of the description's top-level sections: the named areas,
// the popup menu window and hint window looks, the validity check and the entry
// splitters of [SKINOBJECTS], [SKINCONTROLS] and [SKINAREAS].
#pragma once
#include "SkinFields.h"

// One [SKINAREAS] entry: a name and a rectangle.
class TspDataSkinArea : public TObject {
public:
    TspDataSkinArea(const std::string& AIDName, const TRect& R) : IDName(AIDName), AreaRect(R) {}
    std::string IDName;
    TRect AreaRect;
};

// [POPUPWINDOW]: window picture -1 means popup menus are drawn unskinned.
class TspDataSkinPopupWindow : public TObject {
public:
    void LoadFromFile(const TCustomIniFile* IniFile);
    // Erases the section and writes it.
    void SaveToFile(TCustomIniFile* IniFile);
    void VisitFields(TspSkinFieldVisitor& V);
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    int CursorIndex = -1;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
};

// [HINTWINDOW]: window picture -1 means hints are drawn unskinned.
class TspDataSkinHintWindow : public TObject {
public:
    void LoadFromFile(const TCustomIniFile* IniFile);
    void SaveToFile(TCustomIniFile* IniFile);
    void VisitFields(TspSkinFieldVisitor& V);
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
    TspSkinFontFields Font{"Arial", 12};   // height 12 before any skin; a skin without the key reads 14
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
};

// [FORMINFO]: the frame's resize model and client area, its caption band, menu
// bar and icon, the shape that hit tests follow, and the inactive look.
class TspDataSkinFormInfo {
public:
    // Every key in the writer's order.
    void VisitFields(TspSkinFieldVisitor& V);
    // Fits values just read together: a masked skin's mask area takes in the client
    // rectangle and its unset hit-test points are the split points; split points
    // that span an area are kept inside the client rectangle.
    void FitAfterRead(bool HasMask);

    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClientRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    TRect MaskRectArea;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TPoint RollUpLeftPoint, RollUpRightPoint;
    TRect MainMenuRect, IconRect;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    int CursorIndex = -1;
    bool AutoRenderingInActiveImage = false;
    TspInActiveEffect InActiveEffect = ieBrightness;
};

namespace Skindata {

// The top-level sections, in the order the description is written.
extern const char* const TopLevelSections[9];
// True when Name equals a top-level section name without regard to case: an
// element of that name would share (and on saving, erase) that section.
bool IsTopLevelSection(const std::string& Name);
// Valid when [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and [SKINCONTROLS]
// each hold at least one key.
bool CheckSkinFile(const TCustomIniFile* IniFile);
// "name:type": split at the first colon; both empty without a colon.
void GetObjectTypeName(const std::string& S, std::string& AName, std::string& AType);
// "name:l,t,r,b": the name and the rectangle (null without a colon). A malformed
// rectangle raises EConvertError as the value syntax does; negative extents read as 0.
void GetAreaNameRect(const std::string& S, std::string& AName, TRect& ARect);

} // namespace Skindata
