// Records of the skin's frame objects ([SKINOBJECTS]): caption buttons, the
// caption, frame labels, gauges, track bars, animations and menu items. Each
// record reads and writes the section named by its IDName.
#pragma once
#include "SkinFields.h"

class TspDataSkinObject : public TObject {
public:
    explicit TspDataSkinObject(const std::string& AIDName) : IDName(AIDName) {}
    virtual void LoadFromFile(const TCustomIniFile* IniFile);
    // Erases the record's section first, so it then holds exactly the record's keys.
    virtual void SaveToFile(TCustomIniFile* IniFile);
    // Visits every key of the record in the writer's order: the base keys, then each
    // class's own keys from the root down.
    virtual void VisitFields(TspSkinFieldVisitor& V);
    // The record's word in [SKINOBJECTS].
    virtual const char* TypeWord() const { return ""; }

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    int ActivePictureIndex = -1;
    int CursorIndex = -1;
    bool RollUp = false;
};

// Reads and writes only "rollup", "skinrect" and "cursorindex".
class TspDataUserObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "userobject"; }
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* TypeWord() const override { return "switch"; }
};

class TspDataSkinButton : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "button"; }
    int GroupIndex = -1;
    TRect DownRect;
    TRect DisableSkinRsect;   // the key is spelled "disableskinrsect"
};

class TspDataSkinStdButton : public TspDataSkinButton {
public:
    using TspDataSkinButton::TspDataSkinButton;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "stdbutton"; }
    TStdCommand Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
    const char* TypeWord() const override { return "mainmenubarbutton"; }
};

class TspDataSkinCaption : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "caption"; }
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRect;
    bool DefaultCaption = false;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
};

class TspDataSkinMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "menuitem"; }
    TRect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TspSkinFontFields Font;
    TColor UnEnabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRect;
};

class TspDataSkinMainMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "mainmenuitem"; }
    TRect DownRect;
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;   // the key is written "unenabledfontColor"
    TRect TextRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
    const char* TypeWord() const override { return "mainmenubaritem"; }
};

// Morphing is always off for a track bar, whatever its section says.
class TspDataSkinTrackBar : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "trackbar"; }
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TPoint BeginPoint;
    TPoint EndPoint;
    int MinValue = 0;
    int MaxValue = 0;
    bool MouseDownChangeValue = false;
};

class TspDataSkinGauge : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "gauge"; }
    int MinValue = 0;
    int MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "framegauge"; }
    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
};

// The regulator's fields are its own (it does not derive from the frame gauge).
class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "frameregulator"; }
    int MinValue = 0;
    int MaxValue = 0;
    int CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;
    TRegulatorKind Kind = rkRound;
};

class TspDataSkinLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "label"; }
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    std::string TextValue;
};

// Morphing is always off for a bit label.
class TspDataSkinBitLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "bitlabel"; }
    TStringList SkinTextSymbols;   // "symbols": one row of character images per line
    std::string TextValue;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
};

// Morphing is always off for an animation.
class TspDataSkinAnimate : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "animate"; }
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TStdCommand Command = cmDefault;
};
