#include "FrameLabelObjects.h"
#include "SkinImage.h"
#include <algorithm>
#include <climits>

// ---- TspSkinLabelObject ----

TspSkinLabelObject::TspSkinLabelObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    auto* r = dynamic_cast<TspDataSkinLabel*>(AData);
    if (!r) return;
    textvalue = r->TextValue;
    Font = r->Font;
    activefontcolor = r->ActiveFontColor;
    Alignment = r->Alignment;
}

void TspSkinLabelObject::SetTextValue(const std::string& Value, bool Update)
{
    textvalue = Value;
    if (Update) SkinForm->DrawSkinObject(this);
}

std::unique_ptr<TBitmap> TspSkinLabelObject::TextImage(TBitmap* Source, const TRect& R, TColor Color)
{
    auto b = PieceImage(Source, R);
    if (!b || textvalue.empty()) return b;
    TCanvas* c = b->GetCanvas();
    const int w = b->GetWidth(), h = b->GetHeight();
    TFont* f = c->GetFont();
    ApplySkinFontFields(f, Font);
    f->SetColor(Color);
    const int tw = c->TextWidth(textvalue), th = c->TextHeight(textvalue);
    int x = 0;
    if (Alignment == taRightJustify)
        x = w - tw;
    else if (Alignment == taCenter)
        x = w / 2 - tw / 2;
    c->GetBrush()->SetStyle(bsClear);
    c->TextRect(TRect(0, 0, w, h), x, h / 2 - th / 2, textvalue);
    return b;
}

void TspSkinLabelObject::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    // The label always draws: the frame picture never holds its text. (Under the
    // pointer it draws too, so a text set or a frame painted while the pointer
    // rests on it still shows.)
    if (!Cnvs || ObjectRect.IsEmpty()) return;
    TBitmap* normalPic = FramePicture();
    if (morphing && MorphUnderWay()) {
        auto normal = TextImage(normalPic, skinrect, Font.Color);
        auto act = activeskinrect.IsEmpty() ? TextImage(normalPic, skinrect, activefontcolor)
                                            : TextImage(ActivePictureBitmap, activeskinrect, activefontcolor);
        DrawMorph(Cnvs, normal.get(), act.get());
        return;
    }
    std::unique_ptr<TBitmap> img;
    if (Active && !activeskinrect.IsEmpty())
        img = TextImage(ActivePictureBitmap, activeskinrect, activefontcolor);
    else
        img = TextImage(normalPic, skinrect, Active ? activefontcolor : Font.Color);
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, img.get());
}

void TspSkinLabelObject::MouseEnter()
{
    Hovered = true;
    Active = true;
    if (HasHoverLook()) Redraw();
    SkinForm->MouseEnterEvent(IDName);
}

void TspSkinLabelObject::MouseLeave()
{
    Hovered = false;
    Active = false;
    if (HasHoverLook()) Redraw();
    SkinForm->MouseLeaveEvent(IDName);
}

// ---- TspSkinBitLabelObject ----

TspSkinBitLabelObject::TspSkinBitLabelObject(TspFormFrame* AForm, TspDataSkinObject* AData)
    : TspActiveSkinObject(AForm, AData)
{
    auto* r = dynamic_cast<TspDataSkinBitLabel*>(AData);
    if (!r) return;
    textvalue = r->TextValue;
    SymbolWidth = r->SymbolWidth;
    SymbolHeight = r->SymbolHeight;
    for (int i = 0; i < r->SkinTextSymbols.GetCount(); ++i) Symbols.push_back(r->SkinTextSymbols.Get(i));
}

void TspSkinBitLabelObject::SetTextValue(const std::string& Value, bool Update)
{
    textvalue = Value;
    if (Update) SkinForm->DrawSkinObject(this);
}

bool TspSkinBitLabelObject::FindSymbol(char Ch, int& Row, int& Col) const
{
    for (size_t r = 0; r < Symbols.size(); ++r) {
        const size_t c = Symbols[r].find(Ch);
        if (c != std::string::npos) {
            Row = static_cast<int>(r);
            Col = static_cast<int>(c);
            return true;
        }
    }
    return false;
}

void TspSkinBitLabelObject::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    auto b = Frameobjects::NewImage(skinrect.Width(), skinrect.Height());
    if (!Cnvs || !b) return;
    TCanvas* c = b->GetCanvas();
    const int w = b->GetWidth();
    Sputils::CopyPiece(c, TRect(0, 0, w, b->GetHeight()), Picture, skinrect);
    const long long sw = SymbolWidth, sh = SymbolHeight;
    if (ActivePictureBitmap && sw > 0 && sh > 0) {
        const TRect& strip = activeskinrect;
        // Characters past the right edge are never looked at: the loop is
        // bounded by the object's width, not by the text's length.
        for (long long i = 1; i <= static_cast<long long>(textvalue.size()) && (i - 1) * sw < w; ++i) {
            const long long cut = std::max(0LL, sw * i - w);
            int row = 0, col = 0;
            if (FindSymbol(textvalue[i - 1], row, col)) {
                const long long sx = strip.left + sw * col, sy = strip.top + sh * row;
                if (sx + sw <= INT_MAX && sy + sh <= INT_MAX)
                    Sputils::CopyPiece(c, TRect(int((i - 1) * sw), 0, int(sw * i - cut), int(sh)),
                                       ActivePictureBitmap, TRect(int(sx), int(sy), int(sx + sw - cut), int(sy + sh)));
            }
            if (cut > 0) break;
        }
    }
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, b.get());
}
