#include "SkinFields.h"
#include "SkinBudget.h"

using namespace Sputils;

void ApplySkinFontFields(TFont* Font, const TspSkinFontFields& Fields)
{
    Font->SetName(Fields.Name);
    Font->SetHeight(ClampFontHeight(Fields.Height));
    Font->SetStyle(Fields.Style);
}

void TspSkinFieldVisitor::Font(const std::string& Prefix, TspSkinFontFields& Value)
{
    Str((Prefix + "fontname").c_str(), Value.Name, "Arial");
    Int((Prefix + "fontheight").c_str(), Value.Height, 14);
    FontStyles((Prefix + "fontstyle").c_str(), Value.Style);
    Color((Prefix + "fontcolor").c_str(), Value.Color, 0);
}

void TspSkinFieldVisitor::Corners(const std::string& Prefix, TPoint& LeftTop, TPoint& RightTop, TPoint& LeftBottom,
                                  TPoint& RightBottom)
{
    Point((Prefix + "lefttoppoint").c_str(), LeftTop);
    Point((Prefix + "righttoppoint").c_str(), RightTop);
    Point((Prefix + "leftbottompoint").c_str(), LeftBottom);
    Point((Prefix + "rightbottompoint").c_str(), RightBottom);
}

void TspSkinFieldVisitor::Stretches(bool& Left, bool& Right, bool& Top, bool& Bottom)
{
    Bool("leftstretch", Left);
    Bool("rightstretch", Right);
    Bool("topstretch", Top);
    Bool("bottomstretch", Bottom);
}

void TspSkinFieldReader::Int(const char* Key, int& Value, int Default)
{
    Value = FIni->ReadInteger(FSection, Key, Default);
}
void TspSkinFieldReader::PictureIndex(const char* Key, int& Value)
{
    Value = FIni->ReadInteger(FSection, Key, -1);
    if (Value < -1) Value = -1;
}
void TspSkinFieldReader::Bool(const char* Key, bool& Value) { Value = ReadBoolean(FIni, FSection, Key); }
void TspSkinFieldReader::Str(const char* Key, std::string& Value, const char* Default)
{
    Value = FIni->ReadString(FSection, Key, Default);
}
void TspSkinFieldReader::Rect(const char* Key, TRect& Value) { Value = ReadRect(FIni, FSection, Key); }
void TspSkinFieldReader::Point(const char* Key, TPoint& Value) { Value = ReadPoint(FIni, FSection, Key); }
void TspSkinFieldReader::FontStyles(const char* Key, TFontStyles& Value)
{
    Value = ReadFontStyles(FIni, FSection, Key);
}
void TspSkinFieldReader::Alignment(const char* Key, TAlignment& Value) { Value = ReadAlignment(FIni, FSection, Key); }
void TspSkinFieldReader::MorphKind(const char* Key, TMorphKind& Value)
{
    Value = Skindata::ReadMorphKind(FIni, FSection, Key);
}
void TspSkinFieldReader::StdCommand(const char* Key, TStdCommand& Value)
{
    Value = Skindata::ReadStdCommand(FIni, FSection, Key);
}
void TspSkinFieldReader::FramesPlacement(const char* Key, TFramesPlacement& Value)
{
    Value = Skindata::ReadFramesPlacement(FIni, FSection, Key);
}
void TspSkinFieldReader::RegulatorKind(const char* Key, TRegulatorKind& Value)
{
    Value = Skindata::ReadRegulatorKind(FIni, FSection, Key);
}
void TspSkinFieldReader::GaugeKind(const char* Key, TGaugeKind& Value)
{
    Value = Skindata::ReadGaugeKind(FIni, FSection, Key);
}
void TspSkinFieldReader::InActiveEffect(const char* Key, TspInActiveEffect& Value)
{
    Value = Skindata::ReadInActiveEffect(FIni, FSection, Key);
}
void TspSkinFieldReader::Lines(const char* Key, TStringList& Value)
{
    Value.Clear();
    ReadStrings(FIni, FSection, Key, &Value);
}

void TspSkinFieldWriter::Int(const char* Key, int& Value, int) { FIni->WriteInteger(FSection, Key, Value); }
void TspSkinFieldWriter::Bool(const char* Key, bool& Value) { WriteBoolean(FIni, FSection, Key, Value); }
void TspSkinFieldWriter::Str(const char* Key, std::string& Value, const char*)
{
    FIni->WriteString(FSection, Key, Value);
}
void TspSkinFieldWriter::Rect(const char* Key, TRect& Value) { WriteRect(FIni, FSection, Key, Value); }
void TspSkinFieldWriter::Point(const char* Key, TPoint& Value) { WritePoint(FIni, FSection, Key, Value); }
void TspSkinFieldWriter::FontStyles(const char* Key, TFontStyles& Value)
{
    WriteFontStyles(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::Alignment(const char* Key, TAlignment& Value) { WriteAlignment(FIni, FSection, Key, Value); }
void TspSkinFieldWriter::MorphKind(const char* Key, TMorphKind& Value)
{
    Skindata::WriteMorphKind(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::StdCommand(const char* Key, TStdCommand& Value)
{
    Skindata::WriteStdCommand(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::FramesPlacement(const char* Key, TFramesPlacement& Value)
{
    Skindata::WriteFramesPlacement(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::RegulatorKind(const char* Key, TRegulatorKind& Value)
{
    Skindata::WriteRegulatorKind(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::GaugeKind(const char* Key, TGaugeKind& Value)
{
    Skindata::WriteGaugeKind(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::InActiveEffect(const char* Key, TspInActiveEffect& Value)
{
    Skindata::WriteInActiveEffect(FIni, FSection, Key, Value);
}
void TspSkinFieldWriter::Lines(const char* Key, TStringList& Value) { WriteStrings(FIni, FSection, Key, &Value); }
