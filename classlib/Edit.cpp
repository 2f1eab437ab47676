#include "Edit.h"
#include "ScopeGuard.h"
#include <algorithm>

// ---- TCustomEdit ----
TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
    FWidth = 121;
    FHeight = 21;
    FTabStop = true;
    FParentColor = false;
    FColor = clWindow;
    FBrush->SetColor(FColor);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    static const DWORD caseStyle[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | caseStyle[FCharCase];
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FPasswordChar) Params.Style |= ES_PASSWORD;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WinClassName = "TEdit";
}

void TCustomEdit::CreateWnd()
{
    {
        TRestore<bool> creating(FCreating, true);
        TWinControl::CreateWnd();
    }
    SendMessageA(FHandle, EM_LIMITTEXT, FMaxLength, 0);
    if (FPasswordChar) SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
    SendMessageA(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::DestroyWnd()
{
    FModified = GetModified();
    TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = Value < 0 ? 0 : Value;
    if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetPasswordChar(char Value)
{
    if (Value == FPasswordChar) return;
    FPasswordChar = Value;
    if (FHandle) {
        SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
        Invalidate();
    }
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (Value == FCharCase) return;
    FCharCase = Value;
    RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    RecreateWnd();
}

bool TCustomEdit::GetModified()
{
    return FHandle ? SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    FModified = Value;
    if (FHandle) SendMessageA(FHandle, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::GetSelStart()
{
    DWORD s = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
    return static_cast<int>(s);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageA(GetHandle(), EM_SETSEL, Value, Value); }

int TCustomEdit::GetSelLength()
{
    DWORD s = 0, e = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int>(e - s);
}

void TCustomEdit::SetSelLength(int Value)
{
    DWORD s = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
    SendMessageA(FHandle, EM_SETSEL, s, s + Value);
    SendMessageA(FHandle, EM_SCROLLCARET, 0, 0);
}

std::string TCustomEdit::GetSelText()
{
    int s = GetSelStart(), n = GetSelLength();
    std::string t = GetText();
    if (s < 0 || s > static_cast<int>(t.size())) return std::string();
    return t.substr(s, n);
}

void TCustomEdit::SetSelText(const std::string& Value)
{
    SendMessageA(GetHandle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

bool TCustomEdit::CanUndo() { return FHandle && SendMessageA(FHandle, EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::Clear() { SetText(std::string()); }

void TCustomEdit::ClearSelection() { SendMessageA(GetHandle(), WM_CLEAR, 0, 0); }

void TCustomEdit::CopyToClipboard() { SendMessageA(GetHandle(), WM_COPY, 0, 0); }

void TCustomEdit::CutToClipboard() { SendMessageA(GetHandle(), WM_CUT, 0, 0); }

void TCustomEdit::PasteFromClipboard() { SendMessageA(GetHandle(), WM_PASTE, 0, 0); }

void TCustomEdit::Undo() { SendMessageA(GetHandle(), WM_UNDO, 0, 0); }

void TCustomEdit::SelectAll() { SendMessageA(GetHandle(), EM_SETSEL, 0, -1); }

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    // The window's own text set during creation is not a change.
    if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (AutoSelect && !(FControlState & csLButtonDown) && !(GetWindowLongA(FHandle, GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TWinControl::CMEnter(Message);
}

// ---- TMemoStrings ----
// Lines are separated by CR LF; a text ending in CR LF has no empty last line.
std::vector<std::string> TMemoStrings::Split() const
{
    std::vector<std::string> lines;
    std::string t = FMemo->GetText();
    size_t i = 0;
    while (i < t.size()) {
        size_t j = t.find("\r\n", i);
        if (j == std::string::npos) {
            lines.push_back(t.substr(i));
            break;
        }
        lines.push_back(t.substr(i, j - i));
        i = j + 2;
    }
    return lines;
}

void TMemoStrings::Join(const std::vector<std::string>& Lines)
{
    std::string t;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i) t += "\r\n";
        t += Lines[i];
    }
    FMemo->SetText(t);
}

int TMemoStrings::GetCount() const
{
    if (!FMemo->HandleAllocated()) return static_cast<int>(Split().size());
    HWND h = FMemo->GetWindowHandle();
    int n = static_cast<int>(SendMessageA(h, EM_GETLINECOUNT, 0, 0));
    // The line after a final line break is empty and not counted.
    if (n > 0 && SendMessageA(h, EM_LINELENGTH, SendMessageA(h, EM_LINEINDEX, n - 1, 0), 0) == 0) --n;
    return n;
}

std::string TMemoStrings::Get(int Index) const
{
    if (!FMemo->HandleAllocated()) {
        std::vector<std::string> l = Split();
        if (Index < 0 || Index >= static_cast<int>(l.size())) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
        return l[Index];
    }
    HWND h = FMemo->GetWindowHandle();
    LRESULT start = SendMessageA(h, EM_LINEINDEX, Index, 0);
    if (start < 0 || Index < 0 || Index >= GetCount()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
    int len = static_cast<int>(SendMessageA(h, EM_LINELENGTH, start, 0));
    std::string s(len + 2 > 4 ? len + 2 : 4, '\0');
    *reinterpret_cast<WORD*>(&s[0]) = static_cast<WORD>(s.size());
    int got = static_cast<int>(SendMessageA(h, EM_GETLINE, Index, reinterpret_cast<LPARAM>(&s[0])));
    s.resize(got < 0 ? 0 : std::min<size_t>(got, s.size()));
    // A rich edit hands the line over with its break; the line is without it.
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

void TMemoStrings::Put(int Index, const std::string& S)
{
    if (!FMemo->HandleAllocated()) {
        std::vector<std::string> l = Split();
        if (Index < 0 || Index >= static_cast<int>(l.size())) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
        l[Index] = S;
        Join(l);
        return;
    }
    HWND h = FMemo->GetWindowHandle();
    LRESULT start = SendMessageA(h, EM_LINEINDEX, Index, 0);
    if (start < 0) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
    LRESULT len = SendMessageA(h, EM_LINELENGTH, start, 0);
    SendMessageA(h, EM_SETSEL, start, start + len);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
}

void TMemoStrings::Insert(int Index, const std::string& S)
{
    if (!FMemo->HandleAllocated()) {
        std::vector<std::string> l = Split();
        if (Index < 0 || Index > static_cast<int>(l.size())) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
        l.insert(l.begin() + Index, S);
        Join(l);
        return;
    }
    // In the window: through the selection, which moves the caret (and the view) there.
    HWND h = FMemo->GetWindowHandle();
    if (Index < 0) return;
    LRESULT pos = SendMessageA(h, EM_LINEINDEX, Index, 0);
    std::string line;
    if (pos >= 0) {
        line = S + "\r\n";
    } else {
        pos = SendMessageA(h, EM_LINEINDEX, Index - 1, 0);
        if (pos < 0) return;
        LRESULT len = SendMessageA(h, EM_LINELENGTH, pos, 0);
        if (len == 0) return;
        pos += len;
        line = "\r\n" + S;
    }
    SendMessageA(h, EM_SETSEL, pos, pos);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TMemoStrings::Delete(int Index)
{
    if (!FMemo->HandleAllocated()) {
        std::vector<std::string> l = Split();
        if (Index < 0 || Index >= static_cast<int>(l.size())) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
        l.erase(l.begin() + Index);
        Join(l);
        return;
    }
    HWND h = FMemo->GetWindowHandle();
    LRESULT start = SendMessageA(h, EM_LINEINDEX, Index, 0);
    if (start < 0) return;
    LRESULT end = SendMessageA(h, EM_LINEINDEX, Index + 1, 0);
    if (end < 0) end = start + SendMessageA(h, EM_LINELENGTH, start, 0);
    SendMessageA(h, EM_SETSEL, start, end);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
}

void TMemoStrings::Clear() { FMemo->SetText(std::string()); }

void TMemoStrings::SetText(const std::string& Value)
{
    // One line break form: CR LF.
    std::string t;
    for (size_t i = 0; i < Value.size(); ++i) {
        if (Value[i] == '\r') {
            t += "\r\n";
            if (i + 1 < Value.size() && Value[i + 1] == '\n') ++i;
        } else if (Value[i] == '\n') {
            t += "\r\n";
        } else {
            t += Value[i];
        }
    }
    FMemo->SetText(t);
}

void TMemoStrings::SetUpdateState(bool Updating)
{
    if (!FMemo->HandleAllocated()) return;
    SendMessageA(FMemo->GetWindowHandle(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) FMemo->Refresh();
}

// ---- TCustomMemo ----
TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this))
{
    FWidth = 185;
    FHeight = 89;
    AutoSelect = false;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    static const DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= ES_MULTILINE | bars[FScrollBars] | align[FAlignment];
    if (WantReturns) Params.Style |= ES_WANTRETURN;
    if (FWordWrap && FAlignment == taLeftJustify && FScrollBars != ssHorizontal && FScrollBars != ssBoth)
        Params.Style &= ~ES_AUTOHSCROLL;
    Params.WinClassName = "TMemo";
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

void TCustomMemo::KeyPress(char& Key)
{
    TCustomEdit::KeyPress(Key);
    if ((Key == '\r' && !WantReturns) || (Key == '\t' && !WantTabs)) Key = 0;
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) WMGetDlgCode(Message);
    else TCustomEdit::Dispatch(Message);
}

void TCustomMemo::WMGetDlgCode(TMessage& Message)
{
    DefaultHandler(&Message);
    if (WantTabs) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~DLGC_WANTTAB;
    if (!WantReturns) Message.Result &= ~DLGC_WANTALLKEYS;
}
