// Edit-mask input for the skinned edits that carry a mask ("!90:00:00;1; "):
// the layout of the text that the mask fixes, and typing into it in place.
// A typed character lands on the first input place at or after the caret and
// only when it fits that place; nothing is ever written past the text.
#pragma once
#include <string>

class TCustomEdit;

class TspMaskLayout {
public:
    // '/' in the mask is the date separator given, ':' the time separator.
    explicit TspMaskLayout(const std::string& Mask = std::string(), char DateSeparator = '/');
    int Length() const { return static_cast<int>(FKinds.size()); }
    bool Empty() const { return FKinds.empty(); }
    bool Editable(int Pos) const;
    bool Accepts(int Pos, char Ch) const;
    char Blank() const { return FBlank; }
    // The text with every input place blank.
    const std::string& BlankText() const { return FBlankText; }
    int NextEditable(int Pos) const;    // first input place at or after Pos; -1 when none
    int PriorEditable(int Pos) const;   // last input place before Pos; -1 when none
    // S has the mask's length, its literals in place, and every input place
    // holds a blank or a character that fits.
    bool Fits(const std::string& S) const;

private:
    std::string FKinds;   // per place: the mask character, 0 for a literal
    std::string FBlankText;
    char FBlank = '_';
};

// Marks the edit's own writes of its text while they last.
struct TMaskWriting {
    explicit TMaskWriting(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TMaskWriting() { FFlag = false; }
    TMaskWriting(const TMaskWriting&) = delete;
    TMaskWriting& operator=(const TMaskWriting&) = delete;
    bool& FFlag;
};

namespace Spmask {

// Handles a character that reached the mask: Backspace blanks the input place
// before the caret, a printable character is typed in place (or dropped), other
// control characters but Enter, Escape and copy are dropped. Key becomes 0 for
// everything handled here, so the system edit never inserts on its own.
// True when the text was changed. The text is written with WM_SETTEXT, which
// on Wine raises no EN_CHANGE for a one-line EDIT: the caller reports the
// change itself (and ignores one the system might send meanwhile).
bool HandleChar(TCustomEdit* Edit, const TspMaskLayout& L, char& Key);
// Delete: blanks the input places of the selection (or the one at the caret).
bool DeleteSelection(TCustomEdit* Edit, const TspMaskLayout& L);
// The text of the clipboard (CF_TEXT), empty when there is none.
std::string ClipboardText();
// The input place a typed character goes to for a caret at SelStart; -1 when none.
int TypingPlace(const TspMaskLayout& L, int SelStart);

}  // namespace Spmask
