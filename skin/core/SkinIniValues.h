// The value syntax of skin descriptions: the one place where rectangles, points,
// flags, font styles, alignments, enumerations and string lists of the skin
// records become INI text and back.
#pragma once
#include <cstdint>
#include <string>
#include "Classes.h"
#include "Control.h"
#include "GraphicsObjects.h"
#include "IniFiles.h"
#include "Types.h"

// Enumerations of the element sections; the value of each word is its position.
enum TMorphKind : uint8_t { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TspInActiveEffect : uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum TStdCommand : uint8_t { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };
enum TFramesPlacement : uint8_t { fpHorizontal, fpVertical };
enum TRegulatorKind : uint8_t { rkRound, rkHorizontal, rkVertical };
enum TGaugeKind : uint8_t { gkHorizontal, gkVertical };

namespace Sputils {

// Four comma-separated numbers (left, top, right, bottom). Characters other than
// digits are dropped, except that a minus sign ahead of a field's first digit makes
// the field negative (so negative coordinates written by SetRect read back). An
// empty field, or one past the 32-bit range, raises EConvertError. Fields beyond
// the fourth are ignored.
TRect GetRect(const std::string& Text);
// Two comma-separated numbers (x, y), by the same rules.
TPoint GetPoint(const std::string& Text);
// "l,t,r,b" in decimal, no blanks.
std::string SetRect(const TRect& R);

// Missing keys read as their defaults; a rectangle with a negative width or height
// reads with that extent made 0 (its left and top kept), so no user of a record
// ever meets a negative extent.
TRect ReadRect(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
TPoint ReadPoint(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
bool ReadBoolean(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
TFontStyles ReadFontStyles(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
TAlignment ReadAlignment(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
// Line list: Ident+"linecount" and Ident+"line"+i; appended to Strings. The count is
// bounded by the number of keys the section actually holds.
void ReadStrings(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                 TStrings* Strings);
// Counted list: Ident+"count" and the bare indexes "0", "1", ...; appended, bounded alike.
void ReadStrings1(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                  TStrings* Strings);

void WriteRect(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, const TRect& R);
void WritePoint(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, const TPoint& P);
void WriteBoolean(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, bool Value);
void WriteFontStyles(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                     TFontStyles Styles);
void WriteAlignment(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                    TAlignment Alignment);
void WriteStrings(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                  const TStrings* Strings);
void WriteStrings1(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                   const TStrings* Strings);

// A count read from Section, never negative and never above the number of keys
// the section holds (a skin cannot make a reader loop past what is there).
int ReadBoundedCount(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);

} // namespace Sputils

namespace Skindata {

// Enumeration words, compared exactly (case-sensitive). A missing key reads as
// the first listed default; any other text as the fallback the table gives.
TMorphKind ReadMorphKind(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
void WriteMorphKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, TMorphKind Value);
TspInActiveEffect ReadInActiveEffect(const TCustomIniFile* IniFile, const std::string& Section,
                                     const std::string& Ident);
void WriteInActiveEffect(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                         TspInActiveEffect Value);
TStdCommand ReadStdCommand(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
void WriteStdCommand(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                     TStdCommand Value);
TFramesPlacement ReadFramesPlacement(const TCustomIniFile* IniFile, const std::string& Section,
                                     const std::string& Ident);
void WriteFramesPlacement(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                          TFramesPlacement Value);
TRegulatorKind ReadRegulatorKind(const TCustomIniFile* IniFile, const std::string& Section,
                                 const std::string& Ident);
void WriteRegulatorKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                        TRegulatorKind Value);
TGaugeKind ReadGaugeKind(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident);
void WriteGaugeKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                    TGaugeKind Value);

// The words of each enumeration in value order.
const char* MorphKindWord(TMorphKind Value);
const char* InActiveEffectWord(TspInActiveEffect Value);
const char* StdCommandWord(TStdCommand Value);
const char* FramesPlacementWord(TFramesPlacement Value);
const char* RegulatorKindWord(TRegulatorKind Value);
const char* GaugeKindWord(TGaugeKind Value);

} // namespace Skindata
