#include "SkinPasswordEdit.h"
#include "ScopeGuard.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include <algorithm>
#include <vector>

namespace {

// Holds the clipboard open for one read.
class TClipboardOpen {
public:
    explicit TClipboardOpen(HWND Owner) : FOpen(OpenClipboard(Owner) != 0) {}
    ~TClipboardOpen()
    {
        if (FOpen) CloseClipboard();
    }
    bool IsOpen() const { return FOpen; }

private:
    bool FOpen;
};

// The clipboard's text in the ANSI code page: its Unicode text when present
// (so characters outside the code page become its best fit), else CF_TEXT.
std::string ClipboardText(HWND Owner)
{
    TClipboardOpen clip(Owner);
    if (!clip.IsOpen()) return std::string();
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        const WCHAR* w = static_cast<const WCHAR*>(GlobalLock(h));
        if (!w) return std::string();
        std::string s;
        int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
        if (n > 1) {
            std::vector<char> buf(n);
            WideCharToMultiByte(CP_ACP, 0, w, -1, buf.data(), n, nullptr, nullptr);
            s.assign(buf.data());
        }
        GlobalUnlock(h);
        return s;
    }
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        const char* a = static_cast<const char*>(GlobalLock(h));
        std::string s = a ? a : "";
        GlobalUnlock(h);
        return s;
    }
    return std::string();
}

// Case conversion in the system's ANSI code page (letters beyond ASCII included).
std::string AnsiCase(const std::string& S, bool Upper)
{
    std::string r = S;
    if (r.empty()) return r;
    if (Upper) CharUpperBuffA(&r[0], static_cast<DWORD>(r.size()));
    else CharLowerBuffA(&r[0], static_cast<DWORD>(r.size()));
    return r;
}

int Clamp(int V, int Lo, int Hi) { return V < Lo ? Lo : (V > Hi ? Hi : V); }

}  // namespace

TspSkinPasswordEdit::TspSkinPasswordEdit(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FControlStyle = (FControlStyle & ~csSetCaption) | csCaptureMouse;
    FSkinDataName = "edit";
    FTabStop = true;
    SetColor(clWindow);
    SetCursor(crDefault);
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetDefaultHeight(21);
}

TspSkinPasswordEdit::~TspSkinPasswordEdit() = default;

// ---- text ----
void TspSkinPasswordEdit::SetText(const std::string& Value)
{
    if (!ValidText(Value)) return;
    const std::string old = FText;
    if (FCharCase == ecUpperCase) FText = AnsiCase(Value, true);
    else if (FCharCase == ecLowerCase) FText = AnsiCase(Value, false);
    else FText = Value;
    // A shorter text must not leave the selection pointing past its end.
    const int len = static_cast<int>(FText.size());
    FCaretPosition = Clamp(FCaretPosition, 0, len);
    FSelStart = Clamp(FSelStart, 0, len);
    FSelLength = Clamp(FSelStart + FSelLength, 0, len) - FSelStart;
    if (FFVChar > len + 1) FFVChar = std::max(1, len);
    Invalidate();
    if (FText != old) Change();
}

void TspSkinPasswordEdit::Change()
{
    if (GetEnabled() && HandleAllocated()) SetCaretPosition(FCaretPosition);
    if (OnChange) OnChange(this);
}

void TspSkinPasswordEdit::SetPasswordKind(TspPasswordKind Value)
{
    if (Value == FPasswordKind) return;
    FPasswordKind = Value;
    Invalidate();
}

void TspSkinPasswordEdit::SetTextAlignment(TAlignment Value)
{
    if (Value == FTextAlignment) return;
    FTextAlignment = Value;
    Invalidate();
}

void TspSkinPasswordEdit::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TspSkinPasswordEdit::SetCharCase(TEditCharCase Value)
{
    if (Value == FCharCase) return;
    FCharCase = Value;
    if (!FText.empty() && Value != ecNormal) SetText(FText);
}

void TspSkinPasswordEdit::SetCursor(TCursor Value) { TControl::SetCursor(Value == crDefault ? crIBeam : Value); }

UINT TspSkinPasswordEdit::GetAlignmentFlags() const
{
    return FTextAlignment == taRightJustify ? DT_RIGHT : (FTextAlignment == taCenter ? DT_CENTER : DT_LEFT);
}

// ---- selection ----
int TspSkinPasswordEdit::GetSelStart() const
{
    if (FSelLength > 0) return FSelStart;
    if (FSelLength < 0) return FSelStart + FSelLength;
    return FCaretPosition;
}

void TspSkinPasswordEdit::SetSelStart(int Value)
{
    Value = Clamp(Value, 0, static_cast<int>(FText.size()));
    if (Value == FSelStart) return;
    FSelLength = 0;
    FSelStart = Value;
    SetCaretPosition(Value);
    Invalidate();
}

void TspSkinPasswordEdit::SetSelLength(int Value)
{
    // Kept inside the text whichever way it points.
    Value = Clamp(FSelStart + Value, 0, static_cast<int>(FText.size())) - FSelStart;
    if (Value == FSelLength) return;
    FSelLength = Value;
    Invalidate();
}

std::string TspSkinPasswordEdit::GetSelText() const
{
    const int s = GetSelStart(), n = GetSelLength();
    if (s < 0 || s > static_cast<int>(FText.size())) return std::string();
    return FText.substr(s, n);
}

std::string TspSkinPasswordEdit::GetVisibleSelText() const
{
    const int s = GetSelStart(), e = s + GetSelLength();
    const int from = std::max(s, FFVChar - 1);
    if (from >= e || from > static_cast<int>(FText.size())) return std::string();
    return FText.substr(from, e - from);
}

// The caret at Caret with the selection reaching back to Anchor: the origin is
// the caret and the signed length points to the anchor, as the keys leave it.
static void SelectRange(TspSkinPasswordEdit* E, int Anchor, int Caret, int& SelStart, int& SelLength, int Len)
{
    Anchor = Clamp(Anchor, 0, Len);
    SelLength = 0;
    E->SetCaretPosition(Caret);
    SelStart = E->GetCaretPosition();
    SelLength = Anchor - SelStart;
}

void TspSkinPasswordEdit::SelectAll()
{
    const int len = static_cast<int>(FText.size());
    SelectRange(this, len, 0, FSelStart, FSelLength, len);
    Invalidate();
}

void TspSkinPasswordEdit::SelectWord()
{
    const int len = static_cast<int>(FText.size());
    const int start = GetPrivWordBeging(FCaretPosition);
    const int end = GetNextWordBeging(start);
    SelectRange(this, start, end, FSelStart, FSelLength, len);
    Invalidate();
}

void TspSkinPasswordEdit::ClearSelection()
{
    if (ReadOnly) return;
    const int s = GetSelStart(), n = GetSelLength();
    if (n == 0) return;
    std::string t = FText;
    t.erase(s, n);
    FSelLength = 0;
    FSelStart = s;
    FCaretPosition = s;
    SetText(t);
    SetCaretPosition(s);
}

// ---- editing ----
void TspSkinPasswordEdit::InsertText(const std::string& S)
{
    if (ReadOnly) return;
    const int s = GetSelStart();
    std::string t = FText;
    t.erase(s, GetSelLength());
    t.insert(s, S);
    if (FMaxLength > 0 && static_cast<int>(t.size()) > FMaxLength) {
        // All or nothing: a partial password is worse than none.
        FSelLength = 0;
        FSelStart = FCaretPosition;
        Invalidate();
        return;
    }
    FSelLength = 0;
    FSelStart = s;
    FCaretPosition = s;
    SetText(t);
    SetCaretPosition(s + static_cast<int>(S.size()));
    FSelLength = 0;
    FSelStart = FCaretPosition;
}

void TspSkinPasswordEdit::InsertChar(char Ch)
{
    if (!ReadOnly) InsertText(std::string(1, Ch));
}

void TspSkinPasswordEdit::PasteFromClipboard()
{
    if (ReadOnly) return;
    // Only what could be typed: a password copied with its line break (or a
    // tab) must not be stored with it.
    std::string clip = ClipboardText(HandleAllocated() ? GetHandle() : nullptr);
    clip.erase(std::remove_if(clip.begin(), clip.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }),
               clip.end());
    InsertText(clip);
}

void TspSkinPasswordEdit::InsertAfter(int Position, const std::string& S, bool Selected)
{
    const int len = static_cast<int>(FText.size());
    Position = Clamp(Position, 0, len);
    std::string s = S;
    if (FMaxLength > 0) s = s.substr(0, std::max(0, FMaxLength - len));
    std::string t = FText;
    t.insert(Position, s);
    SetText(t);
    if (Selected) SelectRange(this, Position, Position + static_cast<int>(s.size()), FSelStart, FSelLength,
                              static_cast<int>(FText.size()));
}

void TspSkinPasswordEdit::DeleteFrom(int Start, int Count, bool MoveCaret)
{
    const int len = static_cast<int>(FText.size());
    // Start is 1-based; nothing outside the text is touched.
    if (Start < 1 || Start > len || Count <= 0) return;
    std::string t = FText;
    t.erase(Start - 1, Count);
    SetText(t);
    if (MoveCaret) {
        FSelLength = 0;
        SetSelStart(Start - 1);
    }
}

// ---- geometry ----
TRect TspSkinPasswordEdit::GetEditRect()
{
    if (!Skinned()) return TRect(2, 2, GetWidth() - 2, GetHeight() - 2);
    return GetNewRect(FElement.ClRect);
}

int TspSkinPasswordEdit::GetPasswordCharWidth()
{
    // Never below one pixel: every x mapping divides by it.
    return std::max(1, GetEditRect().Height() / 2 + 3);
}

int TspSkinPasswordEdit::AlignOffset(int RectWidth, int W) const
{
    const int textWidth = static_cast<int>(FText.size()) * W;
    if (textWidth >= RectWidth) return 0;
    if (FTextAlignment == taRightJustify) return RectWidth - textWidth;
    if (FTextAlignment == taCenter) return (RectWidth - textWidth) / 2;
    return 0;
}

int TspSkinPasswordEdit::GetCharX(int Index)
{
    const TRect r = GetEditRect();
    const int w = GetPasswordCharWidth();
    int x = r.left;
    if (Index > 0) {
        Index = std::min(Index, static_cast<int>(FText.size()));
        x += (Index - FFVChar + 1) * w;
    }
    return x + AlignOffset(r.Width(), w);
}

int TspSkinPasswordEdit::GetCoordinatePosition(int X)
{
    if (FText.empty()) return FFVChar - 1;
    const TRect r = GetEditRect();
    const int w = GetPasswordCharWidth();
    const int x = X - AlignOffset(r.Width(), w);
    return Clamp((x - r.left) / w + FFVChar - 1, 0, static_cast<int>(FText.size()));
}

TRect TspSkinPasswordEdit::GetSelRect()
{
    TRect r = GetEditRect();
    TRect s = r;
    s.left = GetCharX(GetSelStart());
    s.right = GetCharX(GetSelStart() + GetSelLength());
    TRect out;
    if (!IntersectRect(&out, &s, &r)) return TRect(0, 0, 0, 0);
    return out;
}

int TspSkinPasswordEdit::GetNextWordBeging(int Pos) const
{
    const int len = static_cast<int>(FText.size());
    int p = Clamp(Pos, 0, len);
    bool blank = false, other = false;
    while (len >= p + 2) {
        const char c = FText[p];
        if (c != ' ' && blank && other) break;
        if (c == ' ') blank = true;
        else {
            other = true;
            blank = false;
        }
        ++p;
    }
    if (!blank) ++p;
    // Never past the end: an empty text has no word to select.
    return std::min(p, len);
}

int TspSkinPasswordEdit::GetPrivWordBeging(int Pos) const
{
    int r = Clamp(Pos, 0, static_cast<int>(FText.size()));
    bool other = false;
    while (r > 0) {
        const char c = FText[r - 1];
        if (c == ' ' && other) break;
        if (c != ' ') other = true;
        --r;
    }
    return r;
}

// ---- caret ----
void TspSkinPasswordEdit::UpdateFirstVisibleChar()
{
    const int len = static_cast<int>(FText.size());
    const int rw = GetEditRect().Width();
    const int w = GetPasswordCharWidth();
    if (FFVChar <= FCaretPosition) {
        while (rw < w * (FCaretPosition - FFVChar + 1) && FFVChar < len) ++FFVChar;
    } else {
        FFVChar = FCaretPosition == 0 ? 1 : FCaretPosition;
    }
    Invalidate();
}

void TspSkinPasswordEdit::SetCaretPosition(int Pos)
{
    FCaretPosition = Clamp(Pos, 0, static_cast<int>(FText.size()));
    UpdateFirstVisibleChar();
    if (FSelLength == 0) FSelStart = FCaretPosition;
    if (FCaretMade && HandleAllocated() && Focused()) SetCaretPos(GetCharX(FCaretPosition), GetEditRect().top);
}

void TspSkinPasswordEdit::UpdateCarete()
{
    GetSkinData();
    const int h = Skinned() ? GetEditRect().Height() : GetHeight() - 4;
    if (FCaretMade) DestroyCaret();
    FCaretMade = CreateCaret(GetHandle(), nullptr, 0, std::max(1, h)) != 0;
    SetCaretPosition(FCaretPosition);
    ShowCaret();
}

void TspSkinPasswordEdit::ShowCaret()
{
    if (FCaretMade) ::ShowCaret(GetHandle());
}

void TspSkinPasswordEdit::HideCaret()
{
    if (FCaretMade) ::HideCaret(GetHandle());
}

void TspSkinPasswordEdit::HasFocus()
{
    UpdateCarete();
    SetCaretPosition(0);
    if (FAutoSelect) SelectAll();
}

void TspSkinPasswordEdit::KillFocus()
{
    if (FCaretMade) DestroyCaret();
    FCaretMade = false;
    Invalidate();
}

// ---- skin ----
bool TspSkinPasswordEdit::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinEditControl*>(Rec) != nullptr;
}

void TspSkinPasswordEdit::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) return;
    const auto* r = static_cast<const TspDataSkinEditControl*>(CurrentRecord());
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FLOffset = std::max(0, static_cast<int>(r->LeftTopPoint.x));
    FROffset = std::max(0, r->SkinRect.Width() - static_cast<int>(r->RightTopPoint.x));
    FFontColor = r->Font.Color;
    FActiveFontColor = r->ActiveFontColor;
    FDisabledFontColor = r->DisabledFontColor;
}

void TspSkinPasswordEdit::CreateControlSkinImage(TBitmap* B)
{
    const bool active = FMouseIn || Focused();
    const TRect src = ClipToPicture(active ? FActiveSkinRect : FElement.SkinRect, FElement.Picture);
    // The three-part image needs a middle of at least one pixel.
    if (!FElement.Picture || src.Width() <= FLOffset + FROffset || src.Height() <= 0) {
        CreateControlDefaultImage(B);
        return;
    }
    Sputils::CreateHSkinImage(FLOffset, FROffset, B, FElement.Picture, src, GetWidth(), GetHeight());
    PaintGlyphs(B->GetCanvas());
}

void TspSkinPasswordEdit::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    TRect r(0, 0, GetWidth(), GetHeight());
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(r);
    c->GetBrush()->SetColor(clBtnShadow);
    c->FrameRect(r);
    InflateRect(&r, -1, -1);
    c->GetBrush()->SetColor(clBtnFace);
    c->FrameRect(r);
    PaintGlyphs(c);
}

void TspSkinPasswordEdit::PaintGlyphs(TCanvas* C)
{
    const bool showSel = Focused() || !FHideSelection;
    if (showSel && GetSelLength() > 0) {
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(clHighlight);
        C->FillRect(GetSelRect());
    }
    PaintText(C);
    if (showSel) PaintSelectedText(C);
}

void TspSkinPasswordEdit::PaintText(TCanvas* C)
{
    const TRect r = GetEditRect();
    const int w = GetPasswordCharWidth(), x0 = GetCharX(0);
    const int count = static_cast<int>(FText.size()) - (FFVChar - 1);
    // Glyphs wholly past the edit rectangle are not drawn: they would cover the frame.
    for (int i = 0; i < count; ++i) {
        const TRect cell(x0 + i * w, r.top, x0 + (i + 1) * w, r.bottom);
        if (cell.left >= r.right) break;
        DrawPasswordChar(cell, false, C);
    }
}

void TspSkinPasswordEdit::PaintSelectedText(TCanvas* C)
{
    const std::string s = GetVisibleSelText();
    if (s.empty()) return;
    const TRect sel = GetSelRect(), r = GetEditRect();
    const int w = GetPasswordCharWidth();
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        const TRect cell(sel.left + i * w, sel.top, sel.left + (i + 1) * w, sel.bottom);
        if (cell.left >= r.right) break;
        DrawPasswordChar(cell, true, C);
    }
}

void TspSkinPasswordEdit::DrawPasswordChar(const TRect& Rect, bool Selected, TCanvas* C)
{
    TColor color;
    if (!GetEnabled()) color = Skinned() ? FDisabledFontColor : clGrayText;
    else if (Selected) color = clHighlightText;
    else if (!Skinned()) color = clWindowText;
    else color = (FMouseIn || Focused()) ? FActiveFontColor : FFontColor;
    TRect r = Rect;
    InflateRect(&r, -2, -(2 - (Rect.Width() - Rect.Height()) / 2));
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(color);
    C->GetPen()->SetColor(color);
    switch (FPasswordKind) {
    case pkRoundRect: C->RoundRect(r.left, r.top, r.right, r.bottom, r.Width() / 2, r.Height() / 2); break;
    case pkRect: C->FillRect(r); break;
    case pkTriangle: {
        int side = r.Width();
        if (side % 2 == 0) ++side;
        TRect s(0, 0, side, side);
        Sputils::RectToCenter(s, Rect);
        const TPoint pts[3] = {TPoint(s.left + s.Width() / 2 + 1, s.top), TPoint(s.right, s.bottom),
                               TPoint(s.left, s.bottom)};
        C->Polygon(pts, 3);
        break;
    }
    }
}

// ---- keys and mouse ----
void TspSkinPasswordEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TspSkinCustomControl::KeyDown(Key, Shift);
    const int old = FCaretPosition, len = static_cast<int>(FText.size());
    const TShiftState keys = Shift & (ssShift | ssCtrl | ssAlt);
    bool moved = false;
    switch (Key) {
    case VK_BACK:
    case VK_DELETE:
        if (ReadOnly) break;
        if (GetSelLength() > 0) {
            ClearSelection();
        } else if (Key == VK_DELETE && FCaretPosition < len) {
            std::string t = FText;
            t.erase(FCaretPosition, 1);
            SetText(t);
        } else if (Key == VK_BACK && FCaretPosition > 0) {
            std::string t = FText;
            t.erase(FCaretPosition - 1, 1);
            FCaretPosition -= 1;
            SetText(t);
        }
        break;
    case VK_END: SetCaretPosition(len); moved = true; break;
    case VK_HOME: SetCaretPosition(0); moved = true; break;
    case VK_LEFT:
        SetCaretPosition((keys & ssCtrl) ? GetPrivWordBeging(FCaretPosition) : FCaretPosition - 1);
        moved = true;
        break;
    case VK_RIGHT:
        SetCaretPosition((keys & ssCtrl) ? GetNextWordBeging(FCaretPosition) : FCaretPosition + 1);
        moved = true;
        break;
    case VK_INSERT:
        if (keys == ssShift) PasteFromClipboard();
        break;
    case 'V':
        if (keys == ssCtrl) PasteFromClipboard();
        break;
    default: break;
    }
    if (moved) {
        if (keys & ssShift) {
            FSelStart = FCaretPosition;
            FSelLength += old - FCaretPosition;
        } else {
            FSelLength = 0;
            FSelStart = FCaretPosition;
        }
        Invalidate();
    }
    UpdateCaretePosition();
}

void TspSkinPasswordEdit::KeyPress(char& Key)
{
    TspSkinCustomControl::KeyPress(Key);
    if (static_cast<unsigned char>(Key) >= 32 && !ReadOnly) InsertChar(Key);
}

void TspSkinPasswordEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) FMouseSelecting = true;
    if (!Focused() && CanFocus()) SetFocus();
    if (Button == mbLeft) {
        FSelLength = 0;
        SetCaretPosition(GetCoordinatePosition(X));
        Invalidate();
    }
}

void TspSkinPasswordEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseMove(Shift, X, Y);
    if (!FMouseSelecting) return;
    int p = GetCoordinatePosition(X);
    if (X > GetEditRect().right) ++p;
    const int old = FCaretPosition;
    SetCaretPosition(p);
    FSelStart = FCaretPosition;
    FSelLength += old - FCaretPosition;
    Invalidate();
}

void TspSkinPasswordEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseSelecting = false;
}

void TspSkinPasswordEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    default: TspSkinCustomControl::Dispatch(Message); break;
    }
}

void TspSkinPasswordEdit::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TspSkinPasswordEdit::WMLButtonDblClk(TMessage& Message)
{
    TspSkinCustomControl::WMLButtonDblClk(Message);
    FMouseSelecting = false;
    SelectWord();
}

void TspSkinPasswordEdit::WMSetFocus(TMessage& Message)
{
    TspSkinCustomControl::WMSetFocus(Message);
    HasFocus();
}

void TspSkinPasswordEdit::WMKillFocus(TMessage& Message)
{
    TspSkinCustomControl::WMKillFocus(Message);
    KillFocus();
}

void TspSkinPasswordEdit::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    static thread_local bool clearing = false;
    if (clearing) return;
    const std::string caption = TControl::GetText();
    FText = caption;
    FSelLength = 0;
    FCaretPosition = std::min(FCaretPosition, static_cast<int>(FText.size()));
    // The password never stays in the window's own text, where any program could read it.
    if (!caption.empty()) {
        TRestore<bool> guard(clearing, true);
        TControl::SetText(std::string());
    }
    Invalidate();
}

void TspSkinPasswordEdit::CMFontChanged(TMessage& Message)
{
    TspSkinCustomControl::CMFontChanged(Message);
    if (HandleAllocated() && Focused()) UpdateCarete();
}

void TspSkinPasswordEdit::CMEnabledChanged(TMessage& Message)
{
    TspSkinCustomControl::CMEnabledChanged(Message);
    if (HandleAllocated()) Invalidate();
}

void TspSkinPasswordEdit::CMMouseEnter(TMessage& Message)
{
    TspSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    if (!Focused()) Invalidate();
}

void TspSkinPasswordEdit::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    FMouseIn = false;
    if (!Focused()) Invalidate();
}
