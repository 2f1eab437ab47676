// Every skin record lists its keys once, in the writer's order, through a field
// visitor; reading, writing (and the tests' filling and comparing) are visitors.
// So the key names of a record exist in one place, and a reader cannot drift
// from its writer.
#pragma once
#include "SkinIniValues.h"

// The text font of a record: the four keys "fontname", "fontheight", "fontstyle"
// and "fontcolor" (with a prefix where a record has a second font). A control
// copies it whole and gives it to its canvas's font with ApplySkinFontFields.
struct TspSkinFontFields {
    std::string Name = "Arial";
    int Height = 14;
    TFontStyles Style = 0;
    TColor Color = 0;
};

// Gives Font the skin font's name, height (clamped to what a skin may ask) and
// style; its colour and character set stay the caller's, since they follow the
// control's state.
void ApplySkinFontFields(TFont* Font, const TspSkinFontFields& Fields);

class TspSkinFieldVisitor {
public:
    virtual ~TspSkinFieldVisitor() = default;
    virtual void Int(const char* Key, int& Value, int Default) = 0;
    virtual void Color(const char* Key, TColor& Value, TColor Default) { Int(Key, Value, Default); }
    // An index into the skin's active pictures: -1 (none) when absent; any value
    // below -1 also reads as -1, so users only ever test the upper bound.
    virtual void PictureIndex(const char* Key, int& Value) { Int(Key, Value, -1); }
    virtual void Bool(const char* Key, bool& Value) = 0;
    virtual void Str(const char* Key, std::string& Value, const char* Default) = 0;
    virtual void Rect(const char* Key, TRect& Value) = 0;
    virtual void Point(const char* Key, TPoint& Value) = 0;
    virtual void FontStyles(const char* Key, TFontStyles& Value) = 0;
    virtual void Alignment(const char* Key, TAlignment& Value) = 0;
    virtual void MorphKind(const char* Key, TMorphKind& Value) = 0;
    virtual void StdCommand(const char* Key, TStdCommand& Value) = 0;
    virtual void FramesPlacement(const char* Key, TFramesPlacement& Value) = 0;
    virtual void RegulatorKind(const char* Key, TRegulatorKind& Value) = 0;
    virtual void GaugeKind(const char* Key, TGaugeKind& Value) = 0;
    virtual void InActiveEffect(const char* Key, TspInActiveEffect& Value) = 0;
    // A line list: Key+"linecount", Key+"line"+i.
    virtual void Lines(const char* Key, TStringList& Value) = 0;
    // The four font keys, Prefix+"fontname", "fontheight", "fontstyle", "fontcolor", in that order.
    void Font(const std::string& Prefix, TspSkinFontFields& Value);
    // A resizable picture's four corner points: Prefix+"lefttoppoint", "righttoppoint",
    // "leftbottompoint", "rightbottompoint", in that order.
    void Corners(const std::string& Prefix, TPoint& LeftTop, TPoint& RightTop, TPoint& LeftBottom, TPoint& RightBottom);
    // Which edges of a window picture stretch: "leftstretch", "rightstretch",
    // "topstretch", "bottomstretch", in that order.
    void Stretches(bool& Left, bool& Right, bool& Top, bool& Bottom);
};

// Reads every visited field from one section; a line list is replaced, not appended
// to, so loading a record twice leaves it as loading it once.
class TspSkinFieldReader : public TspSkinFieldVisitor {
public:
    TspSkinFieldReader(const TCustomIniFile* IniFile, const std::string& Section) : FIni(IniFile), FSection(Section) {}
    void Int(const char* Key, int& Value, int Default) override;
    void PictureIndex(const char* Key, int& Value) override;
    void Bool(const char* Key, bool& Value) override;
    void Str(const char* Key, std::string& Value, const char* Default) override;
    void Rect(const char* Key, TRect& Value) override;
    void Point(const char* Key, TPoint& Value) override;
    void FontStyles(const char* Key, TFontStyles& Value) override;
    void Alignment(const char* Key, TAlignment& Value) override;
    void MorphKind(const char* Key, TMorphKind& Value) override;
    void StdCommand(const char* Key, TStdCommand& Value) override;
    void FramesPlacement(const char* Key, TFramesPlacement& Value) override;
    void RegulatorKind(const char* Key, TRegulatorKind& Value) override;
    void GaugeKind(const char* Key, TGaugeKind& Value) override;
    void InActiveEffect(const char* Key, TspInActiveEffect& Value) override;
    void Lines(const char* Key, TStringList& Value) override;
private:
    const TCustomIniFile* FIni;
    std::string FSection;
};

// Writes every visited field into one section, in visiting order; it never changes a field.
class TspSkinFieldWriter : public TspSkinFieldVisitor {
public:
    TspSkinFieldWriter(TCustomIniFile* IniFile, const std::string& Section) : FIni(IniFile), FSection(Section) {}
    void Int(const char* Key, int& Value, int Default) override;
    void Bool(const char* Key, bool& Value) override;
    void Str(const char* Key, std::string& Value, const char* Default) override;
    void Rect(const char* Key, TRect& Value) override;
    void Point(const char* Key, TPoint& Value) override;
    void FontStyles(const char* Key, TFontStyles& Value) override;
    void Alignment(const char* Key, TAlignment& Value) override;
    void MorphKind(const char* Key, TMorphKind& Value) override;
    void StdCommand(const char* Key, TStdCommand& Value) override;
    void FramesPlacement(const char* Key, TFramesPlacement& Value) override;
    void RegulatorKind(const char* Key, TRegulatorKind& Value) override;
    void GaugeKind(const char* Key, TGaugeKind& Value) override;
    void InActiveEffect(const char* Key, TspInActiveEffect& Value) override;
    void Lines(const char* Key, TStringList& Value) override;
private:
    TCustomIniFile* FIni;
    std::string FSection;
};
