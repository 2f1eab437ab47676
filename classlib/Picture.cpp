#include "Picture.h"
#include "Jpeg.h"

TPicture::TPicture() = default;

TPicture::~TPicture()
{
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Take(TGraphic* g)
{
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic.reset(g);
    if (g) g->OnChange = [this](TObject* s) { Changed(s); };
    Changed(this);
}

void TPicture::Changed(TObject*)
{
    if (OnChange) OnChange(this);
}

namespace {
TGraphic* NewOfKind(TGraphic* g)
{
    if (dynamic_cast<TBitmap*>(g)) return new TBitmap;
    if (dynamic_cast<TIcon*>(g)) return new TIcon;
    if (dynamic_cast<TJPEGImage*>(g)) return new TJPEGImage;
    return nullptr;
}

TGraphic* NewForExtension(const std::string& FileName)
{
    std::string ext = LowerCase(ExtractFileExt(FileName));
    if (ext == ".bmp" || ext == ".dib") return new TBitmap;
    if (ext == ".ico") return new TIcon;
    if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif") return new TJPEGImage;
    throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
}
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (!Value) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> g(NewOfKind(Value));
    if (!g) throw EInvalidGraphic("Unsupported picture kind");
    g->Assign(Value);
    Take(g.release());
}

TBitmap* TPicture::GetBitmap()
{
    if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get())) return b;
    Take(new TBitmap);
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::GetIcon()
{
    if (auto* i = dynamic_cast<TIcon*>(FGraphic.get())) return i;
    Take(new TIcon);
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& FileName)
{
    std::unique_ptr<TGraphic> g(NewForExtension(FileName));
    g->LoadFromFile(FileName);
    Take(g.release());
}

void TPicture::SaveToFile(const std::string& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == this) return;
    if (!Source) {
        Take(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(p->FGraphic.get());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}
