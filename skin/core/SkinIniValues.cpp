#include "SkinIniValues.h"
#include <climits>

namespace Sputils {

namespace {

// Splits Text at "," into Count fields by the digit filter; a field whose first
// digit follows a minus sign is negative.
void ParseNumbers(const std::string& Text, int* Fields, int Count)
{
    std::string acc;
    bool negative = false;
    int field = 0;
    auto store = [&]() {
        if (field < Count) {
            // An empty accumulator converts to the platform's conversion error.
            if (acc.empty()) throw EConvertError("'' is not a valid integer value");
            long long v = 0;
            for (char c : acc) {
                v = v * 10 + (c - '0');
                if (v > static_cast<long long>(INT_MAX) + 1)
                    throw EConvertError("'" + acc + "' is not a valid integer value");
            }
            if (negative) v = -v;
            if (v > INT_MAX || v < INT_MIN) throw EConvertError("'" + acc + "' is not a valid integer value");
            Fields[field] = static_cast<int>(v);
        }
        acc.clear();
        negative = false;
        ++field;
    };
    for (char c : Text) {
        if (c == ',')
            store();
        else if (c >= '0' && c <= '9')
            acc += c;
        else if (c == '-' && acc.empty())
            negative = true;
    }
    store();
    // Fewer fields than asked for: the missing ones are empty.
    if (field < Count) throw EConvertError("'' is not a valid integer value");
}

} // namespace

TRect GetRect(const std::string& Text)
{
    int f[4] = {0, 0, 0, 0};
    ParseNumbers(Text, f, 4);
    return TRect(f[0], f[1], f[2], f[3]);
}

TPoint GetPoint(const std::string& Text)
{
    int f[2] = {0, 0};
    ParseNumbers(Text, f, 2);
    return TPoint(f[0], f[1]);
}

std::string SetRect(const TRect& R)
{
    return IntToStr(R.left) + "," + IntToStr(R.top) + "," + IntToStr(R.right) + "," + IntToStr(R.bottom);
}

TRect ReadRect(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    TRect r = GetRect(IniFile->ReadString(Section, Ident, "0,0,0,0"));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

TPoint ReadPoint(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    return GetPoint(IniFile->ReadString(Section, Ident, "0,0"));
}

bool ReadBoolean(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    return IniFile->ReadInteger(Section, Ident, 0) == 1;
}

TFontStyles ReadFontStyles(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    std::string s = IniFile->ReadString(Section, Ident, "");
    TFontStyles r = 0;
    if (s.find("fsbold") != std::string::npos) r |= fsBold;
    if (s.find("fsitalic") != std::string::npos) r |= fsItalic;
    if (s.find("fsunderline") != std::string::npos) r |= fsUnderline;
    if (s.find("fsstrikeout") != std::string::npos) r |= fsStrikeOut;
    return r;
}

TAlignment ReadAlignment(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    std::string s = IniFile->ReadString(Section, Ident, "tacenter");
    if (s == "tacenter") return taCenter;
    if (s == "taleftjustify") return taLeftJustify;
    return taRightJustify;
}

int ReadBoundedCount(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    int n = IniFile->ReadInteger(Section, Ident, 0);
    if (n <= 0) return 0;
    TStringList keys;
    IniFile->ReadSection(Section, &keys);
    return n < keys.GetCount() ? n : keys.GetCount();
}

void ReadStrings(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                 TStrings* Strings)
{
    int n = ReadBoundedCount(IniFile, Section, Ident + "linecount");
    for (int i = 0; i < n; ++i) Strings->Add(IniFile->ReadString(Section, Ident + "line" + IntToStr(i), ""));
}

void ReadStrings1(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                  TStrings* Strings)
{
    int n = ReadBoundedCount(IniFile, Section, Ident + "count");
    for (int i = 0; i < n; ++i) Strings->Add(IniFile->ReadString(Section, IntToStr(i), ""));
}

void WriteRect(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, const TRect& R)
{
    IniFile->WriteString(Section, Ident, SetRect(R));
}

void WritePoint(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, const TPoint& P)
{
    IniFile->WriteString(Section, Ident, IntToStr(P.x) + "," + IntToStr(P.y));
}

void WriteBoolean(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, bool Value)
{
    IniFile->WriteInteger(Section, Ident, Value ? 1 : 0);
}

void WriteFontStyles(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                     TFontStyles Styles)
{
    std::string s;
    auto add = [&s](const char* w) { s += s.empty() ? w : std::string(",") + w; };
    if (Styles & fsBold) add("fsbold");
    if (Styles & fsItalic) add("fsitalic");
    if (Styles & fsUnderline) add("fsunderline");
    if (Styles & fsStrikeOut) add("fsstrikeout");
    IniFile->WriteString(Section, Ident, s);
}

void WriteAlignment(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                    TAlignment Alignment)
{
    const char* w = Alignment == taCenter ? "tacenter" : Alignment == taRightJustify ? "tarightjustify"
                                                                                      : "taleftjustify";
    IniFile->WriteString(Section, Ident, w);
}

void WriteStrings(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                  const TStrings* Strings)
{
    IniFile->WriteInteger(Section, Ident + "linecount", Strings->GetCount());
    for (int i = 0; i < Strings->GetCount(); ++i)
        IniFile->WriteString(Section, Ident + "line" + IntToStr(i), Strings->Get(i));
}

void WriteStrings1(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                   const TStrings* Strings)
{
    IniFile->WriteInteger(Section, Ident + "count", Strings->GetCount());
    for (int i = 0; i < Strings->GetCount(); ++i) IniFile->WriteString(Section, IntToStr(i), Strings->Get(i));
}

} // namespace Sputils

namespace Skindata {

namespace {

const char* const MorphWords[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                  "mkleftslide", "mkrightslide", "mkpush"};
const char* const EffectWords[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
const char* const CommandWords[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
                                    "cmdefault", "cmrollup", "cmminimizetotray"};
const char* const PlacementWords[] = {"fphorizontal", "fpvertical"};
const char* const RegulatorWords[] = {"rkround", "rkhorizontal", "rkvertical"};
const char* const GaugeWords[] = {"gkhorizontal", "gkvertical"};

// Index of the word the value holds among the first Tested words; Fallback otherwise.
int ReadWord(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
             const char* const* Words, int Tested, int Absent, int Fallback)
{
    std::string s = IniFile->ReadString(Section, Ident, Words[Absent]);
    for (int i = 0; i < Tested; ++i)
        if (s == Words[i]) return i;
    return Fallback;
}

template <size_t N> const char* WordOf(const char* const (&Words)[N], int Value)
{
    return Value >= 0 && static_cast<size_t>(Value) < N ? Words[Value] : Words[0];
}

} // namespace

TMorphKind ReadMorphKind(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    return static_cast<TMorphKind>(ReadWord(IniFile, Section, Ident, MorphWords, 7, mkDefault, mkDefault));
}
void WriteMorphKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident, TMorphKind Value)
{
    IniFile->WriteString(Section, Ident, MorphKindWord(Value));
}

TspInActiveEffect ReadInActiveEffect(const TCustomIniFile* IniFile, const std::string& Section,
                                     const std::string& Ident)
{
    return static_cast<TspInActiveEffect>(
        ReadWord(IniFile, Section, Ident, EffectWords, 6, ieBrightness, ieGrayScale));
}
void WriteInActiveEffect(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                         TspInActiveEffect Value)
{
    IniFile->WriteString(Section, Ident, InActiveEffectWord(Value));
}

TStdCommand ReadStdCommand(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    return static_cast<TStdCommand>(ReadWord(IniFile, Section, Ident, CommandWords, 6, cmDefault, cmMinimizeToTray));
}
void WriteStdCommand(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                     TStdCommand Value)
{
    IniFile->WriteString(Section, Ident, StdCommandWord(Value));
}

TFramesPlacement ReadFramesPlacement(const TCustomIniFile* IniFile, const std::string& Section,
                                     const std::string& Ident)
{
    return static_cast<TFramesPlacement>(
        ReadWord(IniFile, Section, Ident, PlacementWords, 1, fpHorizontal, fpVertical));
}
void WriteFramesPlacement(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                          TFramesPlacement Value)
{
    IniFile->WriteString(Section, Ident, FramesPlacementWord(Value));
}

TRegulatorKind ReadRegulatorKind(const TCustomIniFile* IniFile, const std::string& Section,
                                 const std::string& Ident)
{
    return static_cast<TRegulatorKind>(ReadWord(IniFile, Section, Ident, RegulatorWords, 2, rkRound, rkVertical));
}
void WriteRegulatorKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                        TRegulatorKind Value)
{
    IniFile->WriteString(Section, Ident, RegulatorKindWord(Value));
}

TGaugeKind ReadGaugeKind(const TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident)
{
    return static_cast<TGaugeKind>(ReadWord(IniFile, Section, Ident, GaugeWords, 1, gkHorizontal, gkVertical));
}
void WriteGaugeKind(TCustomIniFile* IniFile, const std::string& Section, const std::string& Ident,
                    TGaugeKind Value)
{
    IniFile->WriteString(Section, Ident, GaugeKindWord(Value));
}

const char* MorphKindWord(TMorphKind Value) { return WordOf(MorphWords, Value); }
const char* InActiveEffectWord(TspInActiveEffect Value) { return WordOf(EffectWords, Value); }
const char* StdCommandWord(TStdCommand Value) { return WordOf(CommandWords, Value); }
const char* FramesPlacementWord(TFramesPlacement Value) { return WordOf(PlacementWords, Value); }
const char* RegulatorKindWord(TRegulatorKind Value) { return WordOf(RegulatorWords, Value); }
const char* GaugeKindWord(TGaugeKind Value) { return WordOf(GaugeWords, Value); }

} // namespace Skindata
