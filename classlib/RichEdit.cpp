#include "RichEdit.h"
#include "SysUtils.h"
#include <algorithm>
#include <richedit.h>

namespace {

// The library that registers the rich-text window classes; loaded once and kept
// for the life of the process (windows of its classes may exist until the end).
void LoadRichEditLibrary()
{
    static HMODULE module = nullptr;
    if (!module) module = LoadLibraryA("riched20.dll");
    if (!module) throw EInvalidOperation("The rich edit library riched20.dll cannot be loaded");
}

}  // namespace

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}

void TCustomRichEdit::CreateParams(TCreateParams& Params)
{
    LoadRichEditLibrary();
    TCustomMemo::CreateParams(Params);
    // The memo's window styles stay; only the class underneath changes.
    CreateSubClass(Params, "RichEdit20A");
    Params.WinClassName = "TRichEdit";
}

void TCustomRichEdit::CreateWnd()
{
    // Plain text mode is only taken while the control is empty.
    const std::string text = FText;
    TCustomMemo::CreateWnd();
    if (FPlainText) {
        SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(FHandle, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
        SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(FHandle, EM_SETMODIFY, FALSE, 0);
    }
    // The rich control reports text changes only when asked to.
    SendMessageA(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE);
    ApplyColors();
}

void TCustomRichEdit::SetPlainText(bool Value)
{
    if (Value == FPlainText) return;
    FPlainText = Value;
    RecreateWnd();
}

std::string TCustomRichEdit::GetSelText()
{
    HWND h = GetHandle();
    CHARRANGE r = {0, 0};
    SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    const LONG n = r.cpMax - r.cpMin;
    if (n <= 0) return std::string();
    // Each character may take two bytes in a multi-byte code page.
    std::string s(static_cast<size_t>(n) * 2 + 1, '\0');
    const LRESULT got = SendMessageA(h, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got < 0 ? 0 : std::min<size_t>(static_cast<size_t>(got), s.size()));
    return s;
}

int TCustomRichEdit::LineFromChar(int Pos)
{
    return static_cast<int>(SendMessageA(GetHandle(), EM_EXLINEFROMCHAR, 0, Pos));
}

void TCustomRichEdit::ApplyColors()
{
    if (!FHandle) return;
    // The rich control paints its own background and keeps the text colour in
    // its character format; neither comes from WM_CTLCOLOR.
    SendMessageA(FHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(FColor));
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = ColorToRGB(FFont->GetColor());
    const BOOL modified = SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0;
    SendMessageA(FHandle, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(FHandle, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(FHandle, EM_SETMODIFY, modified, 0);
}

void TCustomRichEdit::CMColorChanged(TMessage& Message)
{
    TCustomMemo::CMColorChanged(Message);
    ApplyColors();
}

void TCustomRichEdit::CMFontChanged(TMessage& Message)
{
    TCustomMemo::CMFontChanged(Message);
    ApplyColors();
}
