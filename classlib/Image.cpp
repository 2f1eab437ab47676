#include "Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture)
{
    FControlStyle |= csReplicatable;
    FPicture->OnChange = [this](TObject* s) { PictureChanged(s); };
    FWidth = 105;
    FHeight = 105;
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TCanvas* TImage::GetCanvas()
{
    TGraphic* g = FPicture->GetGraphic();
    if (!g) {
        TBitmap* b = FPicture->GetBitmap();
        b->SetSize(FWidth, FHeight);
        return b->GetCanvas();
    }
    if (auto* b = dynamic_cast<TBitmap*>(g)) return b->GetCanvas();
    throw EInvalidOperation("Can only modify an image if it contains a bitmap");
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value)
{
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value)
{
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    PictureChanged(this);
}

TRect TImage::DestRect()
{
    int w = FPicture->GetWidth(), h = FPicture->GetHeight();
    int cw = FWidth, ch = FHeight;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            double xy = static_cast<double>(w) / h;
            if (cw / xy <= ch) {
                w = cw;
                h = static_cast<int>(cw / xy);
            } else {
                h = ch;
                w = static_cast<int>(ch * xy);
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter) r.Offset((cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TCanvas* c = TGraphicControl::GetCanvas();
    TGraphic* g = FPicture->GetGraphic();
    if (!g || g->Empty()) return;
    FDrawing = true;
    bool oldTransparent = g->GetTransparent();
    if (FTransparent != oldTransparent) g->SetTransparent(FTransparent);
    // Not a scope guard: putting the setting back raises the graphic's OnChange,
    // which may throw, and a destructor must not.
    try {
        c->StretchDraw(DestRect(), g);
    } catch (...) {
        if (FTransparent != oldTransparent) g->SetTransparent(oldTransparent);
        FDrawing = false;
        throw;
    }
    if (FTransparent != oldTransparent) g->SetTransparent(oldTransparent);
    FDrawing = false;
}

void TImage::PictureChanged(TObject*)
{
    if (FDrawing) return;
    if (FAutoSize && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
        SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
    TGraphic* g = FPicture->GetGraphic();
    bool opaque = g && !g->Empty() && !FTransparent && (FStretch || (g->GetWidth() >= FWidth && g->GetHeight() >= FHeight));
    if (opaque) FControlStyle |= csOpaque;
    else FControlStyle &= ~csOpaque;
    Invalidate();
}
