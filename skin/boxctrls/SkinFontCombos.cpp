#include "SkinFontCombos.h"
#include "Canvas.h"
#include "Classes.h"
#include "GdiHandles.h"
#include "ScopeGuard.h"
#include "SkinDrawHelpers.h"
#include "SysUtils.h"
#include "Trace.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

// ------------------------------------------------------------------ rules

namespace SpFontLists {

bool PassesFilter(TspFontListOptions Options, int CharSet, int FontType, int PitchAndFamily)
{
    if ((Options & foAnsiOnly) && CharSet != ANSI_CHARSET) return false;
    if ((Options & foTrueTypeOnly) && !(FontType & TRUETYPE_FONTTYPE)) return false;
    if ((Options & foFixedPitchOnly) && !(PitchAndFamily & FIXED_PITCH)) return false;
    if ((Options & foOEMFontsOnly) && CharSet != OEM_CHARSET) return false;
    if ((Options & foNoOEMFonts) && CharSet == OEM_CHARSET) return false;
    if ((Options & foNoSymbolFonts) && CharSet == SYMBOL_CHARSET) return false;
    if ((Options & foScalableOnly) && (FontType & RASTER_FONTTYPE)) return false;
    return true;
}

int PointSize(int Height, int InternalLeading, int PixelsPerInch)
{
    if (PixelsPerInch <= 0) PixelsPerInch = 96;
    return static_cast<int>(std::nearbyint((Height - InternalLeading) * 72.0 / PixelsPerInch));
}

void InsertSize(std::vector<int>& Sizes, int Size)
{
    for (auto it = Sizes.begin(); it != Sizes.end(); ++it) {
        if (*it == Size) return;
        if (*it > Size) {
            Sizes.insert(it, Size);
            return;
        }
    }
    Sizes.push_back(Size);
}

bool IsSizeText(const std::string& S)
{
    if (S.empty() || S == "-") return false;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '-') {
            if (i != 0) return false;
        } else if (S[i] < '0' || S[i] > '9') {
            return false;
        }
    }
    return true;
}

int SizeValue(const std::string& S)
{
    if (!IsSizeText(S)) return 0;
    // A digit string beyond 32 bits is no size; reading it must not raise.
    long long v = 0;
    const bool negative = S[0] == '-';
    for (size_t i = negative ? 1 : 0; i < S.size(); ++i) {
        v = v * 10 + (S[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return 0;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return 0;
    return static_cast<int>(v);
}

}  // namespace SpFontLists

namespace {

struct FontEnumState {
    TStrings* Items;
    TspFontListOptions Options;
};

int CALLBACK AddFamilyProc(const LOGFONTA* Lf, const TEXTMETRICA*, DWORD FontType, LPARAM Param)
{
    auto* st = reinterpret_cast<FontEnumState*>(Param);
    try {
        const std::string name = Lf->lfFaceName;
        if (name.empty() || st->Items->IndexOf(name) >= 0) return 1;
        if (!SpFontLists::PassesFilter(st->Options, Lf->lfCharSet, static_cast<int>(FontType), Lf->lfPitchAndFamily))
            return 1;
        int object = static_cast<int>(FontType);
        if (Lf->lfCharSet != SYMBOL_CHARSET) object |= 0x100;
        st->Items->AddObject(name, reinterpret_cast<TObject*>(static_cast<intptr_t>(object)));
    } catch (...) {
        Trace::Caught(Trace::Skin, "font name enumeration");
        return 0;
    }
    return 1;
}

struct SizeEnumState {
    std::vector<int>* Sizes;
    int PixelsPerInch;
    bool TrueType = false;
};

int CALLBACK AddSizeProc(const LOGFONTA* Lf, const TEXTMETRICA* Tm, DWORD FontType, LPARAM Param)
{
    auto* st = reinterpret_cast<SizeEnumState*>(Param);
    try {
        if (FontType & TRUETYPE_FONTTYPE) {
            st->TrueType = true;
            return 0;
        }
        SpFontLists::InsertSize(*st->Sizes,
                                SpFontLists::PointSize(Lf->lfHeight, Tm->tmInternalLeading, st->PixelsPerInch));
    } catch (...) {
        Trace::Caught(Trace::Skin, "font size enumeration");
        return 0;
    }
    return 1;
}

// The default printer's device context, or null when there is none.
HDC PrinterDC()
{
    char device[512] = {0};
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    char* comma = std::strchr(device, ',');
    if (comma) *comma = 0;
    if (!device[0]) return nullptr;
    return CreateDCA("WINSPOOL", device, nullptr, nullptr);
}

void EnumFamilies(HDC DC, const std::string& Face, FONTENUMPROCA Proc, LPARAM Param)
{
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, Face.c_str(), LF_FACESIZE);
    EnumFontFamiliesExA(DC, &lf, Proc, Param, 0);
}

void DrawLeftText(TCanvas* C, const std::string& S, const TRect& R) { Sputils::SPDrawText(C, S, R); }

}  // namespace

// ------------------------------------------------------------ font combo

TspSkinFontComboBox::TspSkinFontComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner)
{
    SetSorted(true);
    SetListBoxDrawItem([this](TCanvas* C, int I, int W, int H, TRect T, TOwnerDrawState S) {
        DrawLBFontItem(C, I, W, H, T, S);
    });
    OnComboBoxDrawItem = [this](TCanvas* C, int I, int W, int H, TRect T, TOwnerDrawState S) {
        DrawCBFontItem(C, I, W, H, T, S);
    };
}

void TspSkinFontComboBox::AddFonts(HDC DC)
{
    FontEnumState st{GetItems(), FOptions};
    EnumFamilies(DC, "", AddFamilyProc, reinterpret_cast<LPARAM>(&st));
}

void TspSkinFontComboBox::PopulateList()
{
    if (!HandleAllocated()) return;
    const int old = GetItemIndex();
    TStrings* items = GetItems();
    items->BeginUpdate();
    {
        TScopeExit endUpdate([items] { items->EndUpdate(); });
        items->Clear();
        TWindowDC screen(nullptr);
        if (FDevice == fdScreen || FDevice == fdBoth) AddFonts(screen.Get());
        if (FDevice == fdPrinter || FDevice == fdBoth) {
            // No printer leaves its fonts out.
            if (HDC p = PrinterDC()) {
                AddFonts(p);
                DeleteDC(p);
            }
        }
    }
    SetItemIndex(std::min(old, items->GetCount() - 1));
}

int TspSkinFontComboBox::FontTypeOf(int Index) const
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return 0;
    return static_cast<int>(reinterpret_cast<intptr_t>(GetItems()->GetObject(Index)));
}

void TspSkinFontComboBox::NotifyChange()
{
    if (GetComponentState() & csReading) return;
    if (OnChange) OnChange(this);
}

void TspSkinFontComboBox::Reset()
{
    if (!HandleAllocated()) return;
    const std::string name = GetFontName();
    {
        TRestore<bool> resetting(FResetting, true);
        PopulateList();
        SetFontName(name);
    }
    if (GetFontName() != name) NotifyChange();
}

void TspSkinFontComboBox::CreateWnd()
{
    const std::string name = GetFontName();
    TspSkinCustomComboBox::CreateWnd();
    FResetting = true;
    try {
        PopulateList();
        SetText("");
        SetFontName(name);
    } catch (...) {
        Trace::Caught(Trace::Skin, "font box reset");
    }
    FResetting = false;
}

void TspSkinFontComboBox::SetFontName(const std::string& Name)
{
    if (Name == GetFontName()) return;
    if (IsLoading()) {
        SetText(Name);
        return;
    }
    HandleNeeded();
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
        if (CompareText(items->Get(i), Name) == 0) {
            SetItemIndex(i);
            if (!FResetting) NotifyChange();
            return;
        }
    if (GetStyle() == spcbFixedStyle)
        SetItemIndex(-1);
    else
        SetText(Name);
    if (!FResetting) NotifyChange();
}

void TspSkinFontComboBox::SetDevice(TspFontDevice Value)
{
    if (Value == FDevice) return;
    FDevice = Value;
    Reset();
}

void TspSkinFontComboBox::SetOptions(TspFontListOptions Value)
{
    if (Value == FOptions) return;
    FOptions = Value;
    Reset();
}

void TspSkinFontComboBox::SetTrueTypeOnly(bool Value)
{
    SetOptions(Value ? (FOptions | foTrueTypeOnly) : (FOptions & ~foTrueTypeOnly));
}

void TspSkinFontComboBox::SetUseFonts(bool Value)
{
    if (Value == FUseFonts) return;
    FUseFonts = Value;
    Invalidate();
}

void TspSkinFontComboBox::Dispatch(TMessage& Message)
{
    TspSkinCustomComboBox::Dispatch(Message);
    if (Message.Msg == WM_FONTCHANGE) Reset();
}

void TspSkinFontComboBox::DrawTT(TCanvas* Canvas, int X, int Y, TColor Color)
{
    TPen* pen = Canvas->GetPen();
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(Color);
    // Inclusive bounds: each line runs one pixel past its last point.
    auto line = [Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas->MoveTo(X1, Y1);
        if (X1 == X2)
            Canvas->LineTo(X2, Y2 + 1);
        else
            Canvas->LineTo(X2 + 1, Y2);
    };
    line(X, Y, X + 7, Y);
    line(X, Y, X, Y + 2);
    line(X + 7, Y, X + 7, Y + 2);
    line(X + 3, Y, X + 3, Y + 7);
    line(X + 4, Y, X + 4, Y + 7);
    line(X + 2, Y + 8, X + 5, Y + 8);
}

void TspSkinFontComboBox::DrawLBFontItem(TCanvas* Cnvs, int Index, int, int, TRect TxtRect, TOwnerDrawState)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    if (FontTypeOf(Index) & TRUETYPE_FONTTYPE) {
        const int cy = TxtRect.top + TxtRect.Height() / 2;
        DrawTT(Cnvs, TxtRect.left, cy - 7, clGray);
        DrawTT(Cnvs, TxtRect.left + 4, cy - 3, clBlack);
    }
    TxtRect.left += 15;
    const std::string name = GetItems()->Get(Index);
    Cnvs->GetFont()->SetName(name);
    Cnvs->GetFont()->SetStyle(0);
    Cnvs->GetBrush()->SetStyle(bsClear);
    DrawLeftText(Cnvs, name, TxtRect);
}

void TspSkinFontComboBox::DrawCBFontItem(TCanvas* Cnvs, int Index, int, int, TRect TxtRect, TOwnerDrawState)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    TxtRect.left += 2;
    std::string name = GetItems()->Get(Index);
    if (name.size() > 255) name.resize(255);
    Cnvs->GetBrush()->SetStyle(bsClear);
    DrawLeftText(Cnvs, name, TxtRect);
}

// ------------------------------------------------------- font size combo

TspSkinFontSizeComboBox::TspSkinFontSizeComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner) {}

void TspSkinFontSizeComboBox::SetFontName(const std::string& Name)
{
    FFontName = Name;
    Build();
}

void TspSkinFontSizeComboBox::Build()
{
    TStrings* items = GetItems();
    items->BeginUpdate();
    {
        TWindowDC screen(nullptr);
        HDC dc = screen.Get();
        TScopeExit endUpdate([items] { items->EndUpdate(); });
        items->Clear();
        if (!FFontName.empty()) {
            FPixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
            std::vector<int> sizes;
            SizeEnumState st{&sizes, FPixelsPerInch};
            EnumFamilies(dc, FFontName, AddSizeProc, reinterpret_cast<LPARAM>(&st));
            if (st.TrueType) {
                static const char* const standard[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                                       "20", "22", "24", "26", "28", "36", "48", "72"};
                for (const char* s : standard) items->Add(s);
            } else {
                for (int s : sizes) items->Add(IntToStr(s));
            }
        }
    }
    if (FFontName.empty()) return;
    TNotifyEvent click = OnClick;
    OnClick = nullptr;
    SetItemIndex(items->IndexOf(GetText()));
    OnClick = click;
    if (OnClick) OnClick(this);
}

int TspSkinFontSizeComboBox::GetSizeValue()
{
    if (GetStyle() == spcbFixedStyle) {
        const int i = GetItemIndex();
        if (i < 0 || i >= GetItems()->GetCount()) return 0;
        return SpFontLists::SizeValue(GetItems()->Get(i));
    }
    return SpFontLists::SizeValue(GetText());
}
