// The masked edit. An edit mask has up to three fields separated by ';':
//   the mask itself, "save literals" ('0' = the text leaves the literals out),
//   and the character shown in unfilled places (default '_'); e.g. "!90:00;1;_".
// Mask characters: L/l letter, A/a letter or digit, C/c any character, 0/9 digit,
// # digit or sign (upper case = required, lower case and 9/# = optional);
// > upper case, < lower case, <> no conversion for what follows; '/' is the date
// separator and ':' the time separator given to the mask; ! optional places
// are left blank at the start rather than at the end when a value is laid in;
// \ takes the next character as a literal; _ is a literal space; anything else
// is a literal kept in place. The edit text always has the mask's length.
#pragma once
#include "Edit.h"
#include <string>
#include <vector>

class TEditMask {
public:
    enum TKind : char { mkLiteral, mkLetter, mkAlnum, mkAny, mkDigit, mkDigitSign };
    struct TPlace {
        TKind Kind = mkLiteral;
        bool Required = false;
        char Literal = 0;
        int Case = 0;   // 0 as typed, 1 upper, 2 lower
    };
    // Masks longer than this are cut: a mask is a short form field.
    static constexpr int MaxPlaces = 255;

    explicit TEditMask(const std::string& Mask = std::string(), char DateSeparator = '/', char TimeSeparator = ':');
    bool Empty() const { return FPlaces.empty(); }
    int Length() const { return static_cast<int>(FPlaces.size()); }
    bool SaveLiterals() const { return FSaveLiterals; }
    char BlankChar() const { return FBlank; }
    bool LeadingBlanks() const { return FLeadingBlanks; }
    const TPlace& Place(int Pos) const { return FPlaces[Pos]; }
    bool IsLiteral(int Pos) const { return FPlaces[Pos].Kind == mkLiteral; }

    // Ch as it is stored at Pos (case converted; a space in an optional place is the
    // blank), or 0 when the place refuses it.
    char Accept(int Pos, char Ch) const;
    // The first fillable place at or after Pos (Length() when none); the last one before Pos (-1 when none).
    int NextEditable(int Pos) const;
    int PrevEditable(int Pos) const;

    // The literals in place and blanks everywhere else.
    std::string BlankText() const;
    // A value laid into the mask. A text of the mask's own shape (its length, its
    // literals in place) is taken as an edit text; otherwise the value holds the
    // literals when SaveLiterals, and fills from the end under '!'. Refused
    // characters leave their place blank.
    std::string Format(const std::string& Value) const;
    // The edit text with unfilled places as spaces, with or without the literals;
    // Text chooses by SaveLiterals.
    std::string TextWithLiterals(const std::string& EditText) const;
    std::string TextWithoutLiterals(const std::string& EditText) const;
    std::string Text(const std::string& EditText) const;
    // Every required place filled.
    bool IsComplete(const std::string& EditText) const;

    // Typing Ch at Caret: a character equal to the literal ahead skips to the place
    // after it; otherwise the next fillable place takes it and the caret moves past
    // it. False (nothing changed) when refused.
    bool Type(std::string& EditText, int& Caret, char Ch) const;
    // Blanks the fillable places in [From, To).
    void Blank(std::string& EditText, int From, int To) const;

private:
    std::vector<TPlace> FPlaces;
    bool FSaveLiterals = true;
    char FBlank = '_';
    bool FLeadingBlanks = false;
};

// The edit with an edit mask: typing, Backspace, Delete, cut, paste, clear and
// undo keep the literals and the places' character classes. Without a mask it
// is the plain edit.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    const std::string& GetEditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value);
    // The characters the mask's '/' and ':' stand for (the locale's, for dates and times).
    void SetMaskSeparators(char DateSeparator, char TimeSeparator);
    bool IsMasked() const { return !FMask.Empty(); }
    const TEditMask& Mask() const { return FMask; }

    // What the window shows: literals and the blank character included.
    std::string GetEditText();
    // The value as the mask saves it (SaveLiterals), and both forms explicitly.
    std::string GetMaskedText();
    std::string GetTextWithLiterals();
    std::string GetTextWithoutLiterals();
    bool IsComplete();

protected:
    void Dispatch(TMessage& Message) override;
    void CreateWnd() override;
    void WMChar(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMSetText(TMessage& Message) override;
    void MaskCommand(TMessage& Message);
    // A text set in code as the window shows it; by default laid into the mask.
    virtual std::string LayText(const std::string& Value) { return FMask.Format(Value); }
    // Whether a pasted character may be typed at Caret of EditText (the text as
    // the paste has built it so far); the mask's own classes are checked after.
    virtual bool PasteAccepts(const std::string&, int, char) { return true; }

private:
    // Puts a whole edit text through the EDIT as one user change (EN_CHANGE, our own undo).
    void PutEditText(const std::string& Text, int Caret);
    void GetSel(int& Start, int& End);
    void TypeChar(char Ch);
    void Backspace();
    void DeleteAtCaret();
    // Pasted text: typed in place character by character, refused ones skipped.
    void PasteText(const std::string& S);

    std::string FEditMask;
    char FDateSeparator = '/';
    char FTimeSeparator = ':';
    TEditMask FMask;
    std::string FUndoText;
    int FUndoCaret = 0;
    bool FCanUndo = false;
};
