#include "SkinBitLabel.h"
#include "SkinData.h"
#include <algorithm>

TspSkinBitLabel::TspSkinBitLabel(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "bitlabel";
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

bool TspSkinBitLabel::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinBitLabelControl*>(Rec) != nullptr;
}

void TspSkinBitLabel::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    FSymbols.clear();
    if (!Skinned()) {
        FSymbolWidth = FSymbolHeight = 0;
        FCharRect = TRect();
        return;
    }
    const auto* r = static_cast<const TspDataSkinBitLabelControl*>(CurrentRecord());
    FCharRect = r->SkinTextRect;
    // Symbol sizes beyond a control's side are no symbols at all.
    FSymbolWidth = r->SymbolWidth > 0 && r->SymbolWidth <= MaxSkinControlSide ? r->SymbolWidth : 0;
    FSymbolHeight = r->SymbolHeight > 0 && r->SymbolHeight <= MaxSkinControlSide ? r->SymbolHeight : 0;
    for (int i = 0; i < r->SkinTextSymbols.GetCount(); ++i) FSymbols.push_back(r->SkinTextSymbols.Get(i));
}

int TspSkinBitLabel::GetFixWidth() const
{
    // Margins of a client rectangle that lies (partly) outside the element count as none.
    const int sw = FElement.SkinRect.Width();
    const int left = std::clamp(static_cast<int>(FElement.ClRect.left), 0, sw),
              right = std::clamp(sw - static_cast<int>(FElement.ClRect.right), 0, sw);
    const long long w = left + static_cast<long long>(FSymbolWidth) * std::max(FFixLength, 0) + right;
    return ClampSide(static_cast<int>(std::min<long long>(w, MaxSkinControlSide)));
}

int TspSkinBitLabel::TextExcess()
{
    if (!Skinned()) return 0;
    const long long need = static_cast<long long>(GetText().size()) * FSymbolWidth;
    // A client rectangle inverted or wider than the element gives no room and asks none.
    const int room = std::clamp(FElement.NewClRect.Width(), 0, MaxSkinControlSide);
    return static_cast<int>(std::min<long long>(need, MaxSkinControlSide)) - room;
}

void TspSkinBitLabel::CalcSize(int& W, int& H)
{
    TspSkinCustomControl::CalcSize(W, H);
    if (!Skinned()) return;
    if (FFixLength > 0) {
        W = GetFixWidth();
        return;
    }
    const int d = TextExcess();   // against the client rectangle just fitted to W
    if (d > 0 || FAutoSize) W = ClampSide(W + d);
}

void TspSkinBitLabel::AdjustBounds()
{
    if (GetAlign() != alNone) return;
    const int d = TextExcess();
    if (d != 0) SetWidth(ClampSide(GetWidth() + d));
}

void TspSkinBitLabel::SetAutoSizeX(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
    Repaint();
}

void TspSkinBitLabel::SetFixLength(int Value)
{
    FFixLength = Value;
    if (Value <= 0) return;
    FAutoSize = false;
    GetSkinData();
    if (Skinned()) SetWidth(GetFixWidth());
}

void TspSkinBitLabel::CMTextChanged(TMessage& Message)
{
    TspSkinCustomControl::CMTextChanged(Message);
    if (FAutoSize) {
        GetSkinData();
        AdjustBounds();
    }
    Repaint();
}

TRect TspSkinBitLabel::SymbolRect(char Ch) const
{
    if (FSymbolWidth <= 0 || FSymbolHeight <= 0) return TRect();
    for (size_t row = 0; row < FSymbols.size(); ++row) {
        const size_t col = FSymbols[row].find(Ch);
        if (col == std::string::npos) continue;
        const long long left = FCharRect.left + static_cast<long long>(col) * FSymbolWidth;
        const long long top = FCharRect.top + static_cast<long long>(row) * FSymbolHeight;
        if (left + FSymbolWidth > MaxSkinControlSide * 4LL || top + FSymbolHeight > MaxSkinControlSide * 4LL)
            return TRect();
        return Bounds(static_cast<int>(left), static_cast<int>(top), FSymbolWidth, FSymbolHeight);
    }
    return TRect();
}

void TspSkinBitLabel::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    if (!FElement.Picture || FSymbolWidth <= 0 || FSymbolHeight <= 0) return;
    const TRect& cl = FElement.NewClRect;
    const int left = FElement.ClRect.left;
    // Characters end at the client rectangle's right edge: the last one that
    // reaches past it is cut there and the rest are not drawn, so no character
    // covers the frame or takes pixels from beside its cell.
    const int limit = cl.right;
    TCanvas* c = B->GetCanvas();
    const std::string text = GetText();
    for (size_t i = 0; i < text.size(); ++i) {
        const long long x = left + static_cast<long long>(i) * FSymbolWidth;
        if (x >= limit) break;
        const int over = static_cast<int>(std::max<long long>(0, x + FSymbolWidth - limit));
        const TRect cell = SymbolRect(text[i]);
        // A character no line holds leaves its place as the element shows it.
        if (!cell.IsEmpty()) {
            TRect src(cell.left, cell.top, cell.right - over, cell.bottom);
            // A cell that does not lie wholly inside the picture is not drawn.
            if (ClipToPicture(src, FElement.Picture) == src)
                c->CopyRect(TRect(static_cast<int>(x), cl.top, static_cast<int>(x) + src.Width(), cl.top + FSymbolHeight),
                            FElement.Picture->GetCanvas(), src);
        }
        if (over > 0) break;
    }
}

void TspSkinBitLabel::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    const std::string text = GetText();
    c->GetBrush()->SetStyle(bsClear);
    const int th = c->TextHeight(text.empty() ? std::string("Wq") : text);
    c->TextRect(TRect(1, 1, GetWidth() - 1, GetHeight() - 1), 2, GetHeight() / 2 - th / 2, text);
}
