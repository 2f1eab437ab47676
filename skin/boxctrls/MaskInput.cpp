#include "MaskInput.h"
#include "Edit.h"
#include <windows.h>
#include <cctype>
#include <cstring>

TspMaskLayout::TspMaskLayout(const std::string& Mask, char DateSeparator)
{
    // Fields: mask ; keep-literals ; blank.
    std::string m = Mask;
    const size_t semi = m.find(';');
    if (semi != std::string::npos) {
        const size_t semi2 = m.find(';', semi + 1);
        if (semi2 != std::string::npos && semi2 + 1 < m.size()) FBlank = m[semi2 + 1];
        m.resize(semi);
    }
    for (size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        switch (c) {
        case '!':
        case '<':
        case '>': break;
        case '\\':
            if (i + 1 < m.size()) {
                FKinds += '\0';
                FBlankText += m[++i];
            }
            break;
        case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
            FKinds += c;
            FBlankText += FBlank;
            break;
        default:
            FKinds += '\0';
            FBlankText += c == '/' ? DateSeparator : c;
            break;
        }
    }
}

bool TspMaskLayout::Editable(int Pos) const { return Pos >= 0 && Pos < Length() && FKinds[Pos] != '\0'; }

bool TspMaskLayout::Accepts(int Pos, char Ch) const
{
    if (!Editable(Pos)) return false;
    const unsigned char u = static_cast<unsigned char>(Ch);
    switch (FKinds[Pos]) {
    case '0': case '9': return std::isdigit(u) != 0;
    case '#': return std::isdigit(u) || Ch == '+' || Ch == '-';
    case 'L': case 'l': return std::isalpha(u) || u >= 0x80;
    case 'A': case 'a': return std::isalnum(u) || u >= 0x80;
    default: return u >= 32;
    }
}

int TspMaskLayout::NextEditable(int Pos) const
{
    for (int i = Pos < 0 ? 0 : Pos; i < Length(); ++i)
        if (FKinds[i] != '\0') return i;
    return -1;
}

int TspMaskLayout::PriorEditable(int Pos) const
{
    for (int i = (Pos > Length() ? Length() : Pos) - 1; i >= 0; --i)
        if (FKinds[i] != '\0') return i;
    return -1;
}

bool TspMaskLayout::Fits(const std::string& S) const
{
    if (static_cast<int>(S.size()) != Length()) return false;
    for (int i = 0; i < Length(); ++i) {
        if (FKinds[i] == '\0') {
            if (S[i] != FBlankText[i]) return false;
        } else if (S[i] != FBlank && S[i] != ' ' && !Accepts(i, S[i])) {
            return false;
        }
    }
    return true;
}

namespace Spmask {

std::string ClipboardText()
{
    std::string s;
    if (!OpenClipboard(nullptr)) return s;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            s.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return s;
}

int TypingPlace(const TspMaskLayout& L, int SelStart) { return L.NextEditable(SelStart); }

bool HandleChar(TCustomEdit* Edit, const TspMaskLayout& L, char& Key)
{
    if (L.Empty() || Key == 0 || Key == 13 || Key == 27 || Key == 3) return false;
    bool changed = false;
    std::string t = Edit->GetText();
    if (!L.Fits(t)) t = L.BlankText();
    const int start = Edit->GetSelStart();
    if (Key == 8) {
        const int p = L.PriorEditable(start);
        if (p >= 0) {
            t[p] = L.Blank();
            Edit->SetText(t);
            changed = true;
            Edit->SetSelStart(p);
            Edit->SetSelLength(0);
        }
    } else if (static_cast<unsigned char>(Key) >= 32) {
        const int p = TypingPlace(L, start);
        if (p >= 0 && L.Accepts(p, Key)) {
            t[p] = Key;
            Edit->SetText(t);
            changed = true;
            const int next = L.NextEditable(p + 1);
            Edit->SetSelStart(next >= 0 ? next : L.Length());
            Edit->SetSelLength(0);
        }
    }
    Key = 0;
    return changed;
}

bool DeleteSelection(TCustomEdit* Edit, const TspMaskLayout& L)
{
    if (L.Empty()) return false;
    std::string t = Edit->GetText();
    if (!L.Fits(t)) t = L.BlankText();
    const int start = Edit->GetSelStart();
    const int len = Edit->GetSelLength();
    const int end = len > 0 ? start + len : start + 1;
    for (int i = start; i < end && i < L.Length(); ++i)
        if (L.Editable(i)) t[i] = L.Blank();
    Edit->SetText(t);
    Edit->SetSelStart(start);
    Edit->SetSelLength(0);
    return true;
}

}  // namespace Spmask
