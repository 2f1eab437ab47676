#include "MaskEdit.h"
#include <algorithm>

// ---- TEditMask ----
TEditMask::TEditMask(const std::string& Mask, char DateSeparator, char TimeSeparator)
{
    // The mask field ends at the first ';' that is not escaped.
    size_t i = 0;
    int caseMode = 0;
    for (; i < Mask.size() && Mask[i] != ';' && Length() < MaxPlaces; ++i) {
        const char c = Mask[i];
        TPlace p;
        p.Case = caseMode;
        switch (c) {
        case '!': FLeadingBlanks = true; continue;
        case '>': caseMode = 1; continue;
        case '<':
            if (i + 1 < Mask.size() && Mask[i + 1] == '>') {
                caseMode = 0;
                ++i;
            } else {
                caseMode = 2;
            }
            continue;
        case '\\':
            if (i + 1 >= Mask.size()) continue;
            p.Literal = Mask[++i];
            break;
        case 'L': p.Kind = mkLetter; p.Required = true; break;
        case 'l': p.Kind = mkLetter; break;
        case 'A': p.Kind = mkAlnum; p.Required = true; break;
        case 'a': p.Kind = mkAlnum; break;
        case 'C': p.Kind = mkAny; p.Required = true; break;
        case 'c': p.Kind = mkAny; break;
        case '0': p.Kind = mkDigit; p.Required = true; break;
        case '9': p.Kind = mkDigit; break;
        case '#': p.Kind = mkDigitSign; break;
        case '_': p.Literal = ' '; break;
        case '/': p.Literal = DateSeparator ? DateSeparator : c; break;
        case ':': p.Literal = TimeSeparator ? TimeSeparator : c; break;
        default: p.Literal = c; break;
        }
        FPlaces.push_back(p);
    }
    while (i < Mask.size() && Mask[i] != ';') ++i;   // the part beyond MaxPlaces
    if (i >= Mask.size()) return;
    const std::string rest = Mask.substr(i + 1);
    const size_t semi = rest.find(';');
    const std::string save = rest.substr(0, semi);
    FSaveLiterals = save.empty() || save[0] != '0';
    if (semi != std::string::npos && semi + 1 < rest.size()) FBlank = rest[semi + 1];
    // A blank that is also typed text would make unfilled places look filled.
    if (FBlank == 0) FBlank = '_';
}

char TEditMask::Accept(int Pos, char Ch) const
{
    if (Pos < 0 || Pos >= Length() || Ch == 0) return 0;
    const TPlace& p = FPlaces[Pos];
    if (p.Kind == mkLiteral) return 0;
    if (Ch == ' ' || Ch == FBlank) return p.Required ? 0 : FBlank;
    const unsigned char u = static_cast<unsigned char>(Ch);
    if (u < 32) return 0;
    bool ok = false;
    switch (p.Kind) {
    case mkLetter: ok = IsCharAlphaA(Ch); break;
    case mkAlnum: ok = IsCharAlphaNumericA(Ch); break;
    case mkAny: ok = true; break;
    case mkDigit: ok = Ch >= '0' && Ch <= '9'; break;
    case mkDigitSign: ok = (Ch >= '0' && Ch <= '9') || Ch == '+' || Ch == '-'; break;
    default: break;
    }
    if (!ok) return 0;
    char buf[2] = {Ch, 0};
    if (p.Case == 1) CharUpperBuffA(buf, 1);
    else if (p.Case == 2) CharLowerBuffA(buf, 1);
    return buf[0];
}

int TEditMask::NextEditable(int Pos) const
{
    for (int i = std::max(0, Pos); i < Length(); ++i)
        if (!IsLiteral(i)) return i;
    return Length();
}

int TEditMask::PrevEditable(int Pos) const
{
    for (int i = std::min(Pos, Length()) - 1; i >= 0; --i)
        if (!IsLiteral(i)) return i;
    return -1;
}

std::string TEditMask::BlankText() const
{
    std::string t(FPlaces.size(), FBlank);
    for (int i = 0; i < Length(); ++i)
        if (IsLiteral(i)) t[i] = FPlaces[i].Literal;
    return t;
}

std::string TEditMask::Format(const std::string& Value) const
{
    std::string t = BlankText();
    const int n = Length();
    bool ownShape = static_cast<int>(Value.size()) == n;
    for (int i = 0; ownShape && i < n; ++i)
        if (IsLiteral(i) && Value[i] != FPlaces[i].Literal) ownShape = false;
    if (ownShape) {
        for (int i = 0; i < n; ++i)
            if (!IsLiteral(i)) {
                const char c = Accept(i, Value[i]);
                if (c) t[i] = c;
            }
        return t;
    }
    // Lay the value in from the start, or from the end under '!'.
    const int step = FLeadingBlanks ? -1 : 1;
    int v = FLeadingBlanks ? static_cast<int>(Value.size()) - 1 : 0;
    const auto valueLeft = [&] { return v >= 0 && v < static_cast<int>(Value.size()); };
    for (int k = 0; k < n; ++k) {
        const int i = FLeadingBlanks ? n - 1 - k : k;
        if (!valueLeft()) break;
        if (IsLiteral(i)) {
            if (FSaveLiterals && Value[v] == FPlaces[i].Literal) v += step;
            continue;
        }
        const char c = Accept(i, Value[v]);
        if (c) t[i] = c;
        v += step;
    }
    return t;
}

std::string TEditMask::TextWithLiterals(const std::string& EditText) const
{
    std::string t = Format(EditText);
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i) && t[i] == FBlank) t[i] = ' ';
    return t;
}

std::string TEditMask::TextWithoutLiterals(const std::string& EditText) const
{
    const std::string t = TextWithLiterals(EditText);
    std::string r;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i)) r += t[i];
    return r;
}

std::string TEditMask::Text(const std::string& EditText) const
{
    return FSaveLiterals ? TextWithLiterals(EditText) : TextWithoutLiterals(EditText);
}

bool TEditMask::IsComplete(const std::string& EditText) const
{
    const std::string t = Format(EditText);
    for (int i = 0; i < Length(); ++i)
        if (FPlaces[i].Required && t[i] == FBlank) return false;
    return true;
}

bool TEditMask::Type(std::string& EditText, int& Caret, char Ch) const
{
    if (static_cast<int>(EditText.size()) != Length()) EditText = Format(EditText);
    int p = std::max(0, std::min(Caret, Length()));
    // A typed literal moves past the literal ahead (a ':' typed before the minutes).
    for (int i = p; i < Length() && IsLiteral(i); ++i)
        if (FPlaces[i].Literal == Ch) {
            Caret = NextEditable(i + 1);
            return true;
        }
    p = NextEditable(p);
    if (p >= Length()) return false;
    const char c = Accept(p, Ch);
    if (!c) return false;
    EditText[p] = c;
    Caret = NextEditable(p + 1);
    return true;
}

void TEditMask::Blank(std::string& EditText, int From, int To) const
{
    if (static_cast<int>(EditText.size()) != Length()) EditText = Format(EditText);
    for (int i = std::max(0, From); i < std::min(To, Length()); ++i)
        if (!IsLiteral(i)) EditText[i] = FBlank;
}

// ---- TCustomMaskEdit ----
void TCustomMaskEdit::SetEditMask(const std::string& Value)
{
    if (Value == FEditMask) return;
    const std::string old = IsMasked() ? GetMaskedText() : GetText();
    FEditMask = Value;
    FMask = TEditMask(Value, FDateSeparator, FTimeSeparator);
    FCanUndo = false;
    if (IsMasked()) SetText(FMask.Format(old));
}

void TCustomMaskEdit::SetMaskSeparators(char DateSeparator, char TimeSeparator)
{
    if (DateSeparator == FDateSeparator && TimeSeparator == FTimeSeparator) return;
    FDateSeparator = DateSeparator;
    FTimeSeparator = TimeSeparator;
    if (!IsMasked()) return;
    // The same mask with other separators: what was typed moves over place by
    // place (the old separators would not match the new literals).
    const std::string typed = GetTextWithoutLiterals();
    FMask = TEditMask(FEditMask, FDateSeparator, FTimeSeparator);
    FCanUndo = false;
    SetText(FMask.Format(typed));
}

std::string TCustomMaskEdit::GetEditText() { return GetText(); }

std::string TCustomMaskEdit::GetMaskedText()
{
    return IsMasked() ? FMask.Text(GetText()) : GetText();
}

std::string TCustomMaskEdit::GetTextWithLiterals()
{
    return IsMasked() ? FMask.TextWithLiterals(GetText()) : GetText();
}

std::string TCustomMaskEdit::GetTextWithoutLiterals()
{
    return IsMasked() ? FMask.TextWithoutLiterals(GetText()) : GetText();
}

bool TCustomMaskEdit::IsComplete() { return !IsMasked() || FMask.IsComplete(GetText()); }

void TCustomMaskEdit::CreateWnd()
{
    TCustomEdit::CreateWnd();
    // The text given at creation does not pass WM_SETTEXT: lay it into the mask here.
    if (IsMasked()) {
        const std::string t = GetText(), f = LayText(t);
        if (t != f) SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(f.c_str()));
    }
}

void TCustomMaskEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_CANUNDO: MaskCommand(Message); break;
    default: TCustomEdit::Dispatch(Message); break;
    }
}

void TCustomMaskEdit::GetSel(int& Start, int& End)
{
    DWORD s = 0, e = 0;
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    Start = static_cast<int>(s);
    End = static_cast<int>(e);
}

void TCustomMaskEdit::PutEditText(const std::string& Text, int Caret)
{
    const std::string old = GetText();
    if (Text != old) {
        FUndoText = old;
        GetSel(FUndoCaret, FUndoCaret);
        FCanUndo = true;
        // A replaced selection, not WM_SETTEXT: the EDIT reports it as a change
        // (a multi-line EDIT sends no EN_CHANGE for WM_SETTEXT).
        SendMessageA(FHandle, EM_SETSEL, 0, -1);
        SendMessageA(FHandle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text.c_str()));
    }
    SendMessageA(FHandle, EM_SETSEL, Caret, Caret);
}

void TCustomMaskEdit::TypeChar(char Ch)
{
    int s, e;
    GetSel(s, e);
    std::string t = FMask.Format(GetText());
    if (e > s) FMask.Blank(t, s, e);
    int caret = s;
    if (!FMask.Type(t, caret, Ch)) {
        MessageBeep(0);
        return;
    }
    PutEditText(t, caret);
}

void TCustomMaskEdit::Backspace()
{
    int s, e;
    GetSel(s, e);
    std::string t = FMask.Format(GetText());
    if (e > s) {
        FMask.Blank(t, s, e);
        PutEditText(t, s);
        return;
    }
    const int p = FMask.PrevEditable(s);
    if (p < 0) return;
    FMask.Blank(t, p, p + 1);
    PutEditText(t, p);
}

void TCustomMaskEdit::DeleteAtCaret()
{
    int s, e;
    GetSel(s, e);
    std::string t = FMask.Format(GetText());
    if (e > s) FMask.Blank(t, s, e);
    else {
        const int p = FMask.NextEditable(s);
        FMask.Blank(t, p, p + 1);
    }
    PutEditText(t, s);
}

void TCustomMaskEdit::PasteText(const std::string& S)
{
    int s, e;
    GetSel(s, e);
    std::string t = FMask.Format(GetText());
    if (e > s) FMask.Blank(t, s, e);
    int caret = s;
    bool refused = false;
    for (char c : S) {
        if (c == '\r' || c == '\n') break;   // one line only
        // Literals in the pasted text ("12:34") are where the mask has its own.
        if (!PasteAccepts(t, caret, c)) refused = true;
        else if (!FMask.Type(t, caret, c) && FMask.BlankText().find(c) == std::string::npos) refused = true;
    }
    if (refused) MessageBeep(0);
    PutEditText(t, caret);
}

void TCustomMaskEdit::MaskCommand(TMessage& Message)
{
    if (!IsMasked() || !HandleAllocated()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    Message.Result = 0;
    switch (Message.Msg) {
    case WM_CUT: {
        int s, e;
        GetSel(s, e);
        if (e <= s) return;
        SendMessageA(FHandle, WM_COPY, 0, 0);
        std::string t = FMask.Format(GetText());
        FMask.Blank(t, s, e);
        PutEditText(t, s);
        break;
    }
    case WM_CLEAR: {
        int s, e;
        GetSel(s, e);
        if (e <= s) return;
        std::string t = FMask.Format(GetText());
        FMask.Blank(t, s, e);
        PutEditText(t, s);
        break;
    }
    case WM_PASTE: {
        std::string clip;
        if (OpenClipboard(FHandle)) {
            if (HANDLE h = GetClipboardData(CF_TEXT)) {
                if (const char* p = static_cast<const char*>(GlobalLock(h))) clip = p;
                GlobalUnlock(h);
            }
            CloseClipboard();
        }
        if (!clip.empty()) PasteText(clip);
        break;
    }
    case WM_UNDO:
    case EM_UNDO: {
        if (!FCanUndo) return;
        const std::string back = FUndoText;
        const int caret = FUndoCaret;
        PutEditText(back, caret);   // keeps what was there for the next undo
        Message.Result = TRUE;
        break;
    }
    case EM_CANUNDO: Message.Result = FCanUndo; break;
    }
}

void TCustomMaskEdit::WMChar(TMessage& Message)
{
    if (!IsMasked() || !HandleAllocated()) {
        TCustomEdit::WMChar(Message);
        return;
    }
    Message.Result = 0;
    if (DoKeyPress(Message)) return;
    const char ch = static_cast<char>(Message.WParam);
    switch (ch) {
    case 8: Backspace(); break;
    // Select all, copy, paste, cut, undo: the EDIT turns them into the commands above.
    case 1:
    case 3:
    case 22:
    case 24:
    case 26: DefaultHandler(&Message); break;
    default:
        if (static_cast<unsigned char>(ch) >= 32) TypeChar(ch);
        break;
    }
}

void TCustomMaskEdit::WMKeyDown(TMessage& Message)
{
    if (!IsMasked() || !HandleAllocated() || Message.WParam != VK_DELETE) {
        TCustomEdit::WMKeyDown(Message);
        return;
    }
    Message.Result = 0;
    if (DoKeyDown(Message)) return;
    if (GetKeyState(VK_SHIFT) < 0) SendMessageA(FHandle, WM_CUT, 0, 0);
    else DeleteAtCaret();
}

void TCustomMaskEdit::WMSetText(TMessage& Message)
{
    if (!IsMasked() || !Message.LParam) {
        TCustomEdit::WMSetText(Message);
        return;
    }
    // Text set in code is laid into the mask like any value.
    const std::string f = LayText(reinterpret_cast<const char*>(Message.LParam));
    Message.LParam = reinterpret_cast<LPARAM>(f.c_str());
    TCustomEdit::WMSetText(Message);
    FCanUndo = false;
}
