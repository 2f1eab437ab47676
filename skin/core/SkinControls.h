// Records of the skin's controls ([SKINCONTROLS]), first family: the bases,
// buttons, check boxes, panels, labels, bevels, bars, gauges, track bars,
// sliders, up-down buttons, scroll bars and tabs. The edits, lists, combo boxes,
// grids, views and the menu bar are in SkinBoxControls.h.
#pragma once
#include "SkinFields.h"
#include "SkinLooks.h"

// A skinned control finds its record by name, tests its class (dynamic_cast) and
// copies what it needs.
class TspDataSkinControl : public TObject {
public:
    explicit TspDataSkinControl(const std::string& AIDName) : IDName(AIDName) {}
    virtual void LoadFromFile(const TCustomIniFile* IniFile);
    // Erases the record's section first, so it then holds exactly the record's keys.
    virtual void SaveToFile(TCustomIniFile* IniFile);
    // Every key in the writer's order: the base keys, then each class's keys from the root down.
    virtual void VisitFields(TspSkinFieldVisitor& V);
    // The record's word in [SKINCONTROLS]; empty for the two abstract bases.
    virtual const char* TypeWord() const { return ""; }

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
    int CursorIndex = -1;
};

// The resize model: four split points and the client area, in element coordinates.
class TspDataSkinCustomControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
};

// A strip of equal frames; never fewer than one frame.
class TspDataSkinFrameControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void VisitFields(TspSkinFieldVisitor& V) override;
    int FramesCount = 1;
    TFramesPlacement FramesPlacement = fpHorizontal;
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* TypeWord() const override { return "animate"; }
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* TypeWord() const override { return "switch"; }
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* TypeWord() const override { return "framegauge"; }
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "frameregulator"; }
    TRegulatorKind Kind = rkRound;
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "button"; }
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
public:
    using TspDataSkinButtonControl::TspDataSkinButtonControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "menubutton"; }
    TRect TrackButtonRect;
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "checkradio"; }
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TColor FrameFontColor = 0;
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "panel"; }
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    TspSkinFontFields Font;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "expanel"; }
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
    TspSkinFontFields Font;
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "label"; }
    TspSkinFontFields Font;
};

class TspDataSkinStdLabelControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "stdlabel"; }
    TspSkinFontFields Font;
    TColor ActiveFontColor = 16711680;
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "bitlabel"; }
    TRect SkinTextRect;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
    TStringList SkinTextSymbols;   // "symbols"
};

class TspDataSkinBevel : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "bevel"; }
    TColor LightColor = 0;
    TColor DarkColor = 0;
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* TypeWord() const override { return "splitter"; }
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "controlbar"; }
    TRect ItemRect;
    int BGPictureIndex = -1;
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "scrollbox"; }
    int BGPictureIndex = -1;
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "gauge"; }
    TRect ProgressArea;
    TRect ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    TspSkinFontFields Font;
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "trackbar"; }
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
};

class TspDataSkinSlider : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "slider"; }
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
};

// Split points and client area of its own, although it is no custom control.
class TspDataSkinTabControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "tab"; }
    TspTabLooks TabLooks;   // by TspTabState
    TRect ClientRect;
    TRect TabsBGRect;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
};

// A part's three looks under their keys, in the skin file's order: normal, hot, down.
void VisitLooks(TspSkinFieldVisitor& V, TspStateLooks& Looks, const char* Normal, const char* Hot, const char* Down);
// The looks of an up and a down button under the keys every record with such buttons uses.
void VisitUpDownLooks(TspSkinFieldVisitor& V, TspStateLooks& Up, TspStateLooks& Down);

// Its split points and client area always read and write as zeros.
class TspDataSkinUpDownControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void LoadFromFile(const TCustomIniFile* IniFile) override;
    void SaveToFile(TCustomIniFile* IniFile) override;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "updown"; }
    TspStateLooks UpButtonLooks, DownButtonLooks;
private:
    void ClearResizeModel();
};

// The parts of a scroll bar: the thumb, the up button (towards Max) and the down
// button (towards Min).
enum TspScrollBarPart { sbpThumb, sbpUpButton, sbpDownButton };
constexpr int ScrollBarPartCount = 3;

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "scrollbar"; }
    TRect TrackArea;
    std::array<TspStateLooks, ScrollBarPartCount> Looks;   // [part][state]
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TspStateLooks GlyphLooks;   // drawn centred on the thumb
};
