#include "SkinTimeEdit.h"
#include "SysUtils.h"

namespace {

const char* const kMask = "!90:00:00;1; ";
const char* const kMaskMSec = "!90:00:00.000;1; ";

// The number at 0-based Pos of S, Len characters, blanks as "0"; false when
// the place is missing or holds something other than digits.
bool ReadNumber(const std::string& S, size_t Pos, size_t Len, int& V)
{
    if (S.size() < Pos + Len) return false;
    V = 0;
    for (size_t i = Pos; i < Pos + Len; ++i) {
        const char c = S[i] == ' ' ? '0' : S[i];
        if (c < '0' || c > '9') return false;
        V = V * 10 + (c - '0');
    }
    return true;
}

}  // namespace

TspSkinTimeEdit::TspSkinTimeEdit(TComponent* AOwner) : TspSkinMaskEdit(AOwner)
{
    ApplyMask();
    SetText(ZeroText());
    OnKeyPress = [this](TObject* Sender, char& Key) { HandleOnKeyPress(Sender, Key); };
}

void TspSkinTimeEdit::ApplyMask()
{
    SetEditMask(FShowMSec ? kMaskMSec : kMask);
}

void TspSkinTimeEdit::SetShowMilliseconds(bool Value)
{
    if (FShowMSec == Value) return;
    FShowMSec = Value;
    ApplyMask();
    SetText(ZeroText());
}

bool TspSkinTimeEdit::ReadParts(const std::string& S, bool WithMSec, int& Hour, int& Min, int& Sec, int& MSec)
{
    MSec = 0;
    return ReadNumber(S, 0, 2, Hour) && ReadNumber(S, 3, 2, Min) && ReadNumber(S, 6, 2, Sec) &&
           (!WithMSec || ReadNumber(S, 9, 3, MSec));
}

void TspSkinTimeEdit::SetFittedText(const std::string& S)
{
    const std::string t = S.substr(0, static_cast<size_t>(Mask().Length()));
    SetText(Mask().Format(t) == t ? t : ZeroText());
}

void TspSkinTimeEdit::SetTime(const std::string& S)
{
    int h, m, s, ms;
    if (!ReadParts(S, FShowMSec, h, m, s, ms)) {
        SetText(ZeroText());
        return;
    }
    SetFittedText(FShowMSec ? Format("%2.2d:%2.2d:%2.2d.%3.3d", h, m, s, ms) : Format("%2.2d:%2.2d:%2.2d", h, m, s));
}

int TspSkinTimeEdit::GetMilliseconds()
{
    int h, m, s, ms;
    if (!ReadParts(GetText(), FShowMSec, h, m, s, ms)) return 0;
    return h * 3600000 + m * 60000 + s * 1000 + ms;
}

void TspSkinTimeEdit::SetMilliseconds(int Ms)
{
    if (Ms < 0) {
        SetText(ZeroText());
        return;
    }
    const int h = Ms / 3600000, m = (Ms / 1000) / 60 % 60, s = (Ms / 1000) % 60, ms = Ms % 1000;
    SetFittedText(Format("%2.2d:%2.2d:%2.2d.%3.3d", h, m, s, ms));
}

void TspSkinTimeEdit::DecodeTime(WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec)
{
    int h, m, s, ms;
    if (!ReadParts(GetText(), FShowMSec, h, m, s, ms)) throw EConvertError("'" + GetText() + "' is not a valid time");
    Hour = static_cast<WORD>(h);
    Min = static_cast<WORD>(m);
    Sec = static_cast<WORD>(s);
    MSec = static_cast<WORD>(ms);
}

void TspSkinTimeEdit::EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec)
{
    if (!IsValidTime(Hour, Min, Sec, MSec)) return;
    SetFittedText(FShowMSec ? Format("%2.2d:%2.2d:%2.2d.%3.3d", Hour, Min, Sec, MSec)
                            : Format("%2.2d:%2.2d:%2.2d", Hour, Min, Sec));
}

bool TspSkinTimeEdit::IsValidTime(int Hour, int Min, int Sec, int MSec)
{
    if (Hour == 24 && Min == 0 && Sec == 0 && MSec == 0) return true;
    return Hour >= 0 && Hour <= 23 && Min >= 0 && Min <= 59 && Sec >= 0 && Sec <= 59 && MSec >= 0 && MSec <= 999;
}

void TspSkinTimeEdit::CheckSpace(std::string& S)
{
    for (char& c : S)
        if (c == ' ') c = '0';
}

bool TspSkinTimeEdit::KeyKeepsTime(std::string T, int SelStart, char Key) const
{
    if (IsValidChar(Key)) {
        // The digit goes where the mask will put it: the first input place at
        // or after the caret. With none left the mask drops it anyway.
        const int p = Mask().NextEditable(SelStart);
        if (p < 0 || p >= static_cast<int>(T.size())) return false;
        T[static_cast<size_t>(p)] = Key;
    }
    int h, m, s, ms;
    return ReadParts(T, FShowMSec, h, m, s, ms) && IsValidTime(h, m, s, ms);
}

void TspSkinTimeEdit::HandleOnKeyPress(TObject*, char& Key)
{
    if (Key == 13 || Key == 8) return;
    const std::string t = GetText();
    if (GetSelLength() > 1) SetSelLength(1);
    if (!KeyKeepsTime(t, GetSelStart(), Key)) Key = 0;
}

bool TspSkinTimeEdit::PasteAccepts(const std::string& EditText, int Caret, char Ch)
{
    return KeyKeepsTime(EditText, Caret, Ch);
}

std::string TspSkinTimeEdit::LayText(const std::string& Value)
{
    const TEditMask& m = Mask();
    bool shape = static_cast<int>(Value.size()) == m.Length();
    for (int i = 0; shape && i < m.Length(); ++i)
        if (m.IsLiteral(i) && Value[static_cast<size_t>(i)] != m.Place(i).Literal) shape = false;
    return shape ? Value : TspSkinMaskEdit::LayText(Value);
}
