// TspSkinTimeEdit: the skinned mask edit for a time of day (hours, minutes,
// seconds, optionally milliseconds) at fixed places of its text. The edit mask
// does the typing; its own key filter, installed as OnKeyPress, drops any digit
// that would make the time invalid before the mask sees it; a handler assigned
// to OnKeyPress later replaces the filter.
#pragma once
#include "SkinEdits.h"
#include <string>

class TspSkinTimeEdit : public TspSkinMaskEdit {
public:
    explicit TspSkinTimeEdit(TComponent* AOwner);

    bool GetShowMilliseconds() const { return FShowMSec; }
    void SetShowMilliseconds(bool Value);

    std::string GetTime() { return GetText(); }
    void SetTime(const std::string& S);
    int GetMilliseconds();
    void SetMilliseconds(int Ms);
    // EConvertError when a part of the text is no number.
    void DecodeTime(WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec);
    void EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec);
    static bool IsValidTime(int Hour, int Min, int Sec, int MSec);
    static bool IsValidChar(char Ch) { return Ch >= '0' && Ch <= '9'; }
    static void CheckSpace(std::string& S);
    void HandleOnKeyPress(TObject* Sender, char& Key);

    // The parts of a time text at their fixed places, blanks read as "0"; false
    // when a part is no number. Without WithMSec the milliseconds are 0.
    static bool ReadParts(const std::string& S, bool WithMSec, int& Hour, int& Min, int& Sec, int& MSec);

protected:
    // A text of the mask's shape set in code stays as it is, so that one that is
    // no time shows so (and DecodeTime reports it); other texts go into the mask.
    std::string LayText(const std::string& Value) override;
    // Pasted characters pass the key filter's rules too.
    bool PasteAccepts(const std::string& EditText, int Caret, char Ch) override;

private:
    void ApplyMask();
    // The filter's rule: false when Key typed at SelStart of T gives no valid time.
    bool KeyKeepsTime(std::string T, int SelStart, char Key) const;
    std::string ZeroText() const { return FShowMSec ? "00:00:00.000" : "00:00:00"; }
    // Text := S when it fits the mask (cut to the mask's length), else the zero text.
    void SetFittedText(const std::string& S);

    bool FShowMSec = false;
};
