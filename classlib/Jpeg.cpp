#include "Jpeg.h"
#include "JpegCodec.h"
#include <cstring>

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

namespace {
int ScaleDenom(TJPEGScale s) { return 1 << static_cast<int>(s); }
}

int TJPEGImage::GetWidth() const
{
    if (FBitmap && FNeedCompress) return FBitmap->GetWidth();
    int d = ScaleDenom(FScale);
    return (FWidth + d - 1) / d;
}

int TJPEGImage::GetHeight() const
{
    if (FBitmap && FNeedCompress) return FBitmap->GetHeight();
    int d = ScaleDenom(FScale);
    return (FHeight + d - 1) / d;
}

void TJPEGImage::SetGrayscale(bool Value)
{
    if (Value == FGrayscale) return;
    FGrayscale = Value;
    if (!FNeedCompress) FreeBitmap();
    Changed();
}

void TJPEGImage::SetScale(TJPEGScale Value)
{
    if (Value == FScale) return;
    FScale = Value;
    if (!FNeedCompress) FreeBitmap();
    Changed();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value)
{
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    if (!FNeedCompress) FreeBitmap();
    Changed();
}

void TJPEGImage::SetCompressionQuality(int Value)
{
    FQuality = Value < 1 ? 1 : Value > 100 ? 100 : Value;
}

TBitmap* TJPEGImage::GetBitmap()
{
    if (FBitmap) return FBitmap.get();
    FBitmap.reset(new TBitmap);
    if (FData.empty()) return FBitmap.get();
    JpegCodec::TImage img;
    std::string err;
    bool grey = FGrayscale || FPixelFormat == jf8Bit;
    if (!JpegCodec::Decode(FData.data(), FData.size(), ScaleDenom(FScale), grey, img, err)) {
        FBitmap.reset();
        throw EJPEG("JPEG error: " + err);
    }
    FBitmap->SetPixelFormat(img.Components == 1 ? pf8bit : pf24bit);
    FBitmap->SetSize(img.Width, img.Height);
    size_t row = static_cast<size_t>(img.Width) * img.Components;
    for (int y = 0; y < img.Height; ++y)
        std::memcpy(FBitmap->ScanLine(y), &img.Pixels[row * y], row);
    return FBitmap.get();
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R)
{
    TBitmap* b = GetBitmap();
    if (!b->Empty()) b->Draw(ACanvas, R);
}

void TJPEGImage::LoadFromStream(TStream* Stream)
{
    long long len = Stream->GetSize() - Stream->GetPosition();
    if (len <= 0) throw EJPEG("JPEG error: empty stream");
    std::vector<unsigned char> data(static_cast<size_t>(len));
    Stream->ReadBuffer(data.data(), static_cast<long>(len));
    int w = 0, h = 0;
    std::string err;
    if (!JpegCodec::ReadSize(data.data(), data.size(), w, h, err)) throw EJPEG("JPEG error: " + err);
    FData.swap(data);
    FWidth = w;
    FHeight = h;
    FNeedCompress = false;
    FreeBitmap();
    Changed();
}

void TJPEGImage::Compress()
{
    if (!FBitmap || FBitmap->Empty()) return;
    TBitmap* b = FBitmap.get();
    bool grey = FGrayscale || b->GetPixelFormat() == pf8bit;
    // Work on a 24-bit (or 8-bit grey) copy, whatever format the bitmap has.
    TBitmap work;
    work.Assign(b);
    work.SetPixelFormat(grey ? pf8bit : pf24bit);
    JpegCodec::TImage img;
    img.Width = work.GetWidth();
    img.Height = work.GetHeight();
    img.Components = grey ? 1 : 3;
    size_t row = static_cast<size_t>(img.Width) * img.Components;
    img.Pixels.resize(row * img.Height);
    for (int y = 0; y < img.Height; ++y)
        std::memcpy(&img.Pixels[row * y], work.ScanLine(y), row);
    std::vector<unsigned char> out;
    std::string err;
    if (!JpegCodec::Encode(img, FQuality, ProgressiveEncoding, out, err)) throw EJPEG("JPEG error: " + err);
    FData.swap(out);
    FWidth = img.Width;
    FHeight = img.Height;
    FNeedCompress = false;
}

void TJPEGImage::JPEGNeeded()
{
    if (FNeedCompress || (FData.empty() && FBitmap)) Compress();
}

void TJPEGImage::SaveToStream(TStream* Stream)
{
    JPEGNeeded();
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<long>(FData.size()));
}

void TJPEGImage::Assign(TPersistent* Source)
{
    if (Source == this) return;
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        FData = j->FData;
        FWidth = j->FWidth;
        FHeight = j->FHeight;
        FGrayscale = j->FGrayscale;
        FScale = j->FScale;
        FPixelFormat = j->FPixelFormat;
        FQuality = j->FQuality;
        FNeedCompress = j->FNeedCompress;
        FBitmap.reset();
        if (j->FBitmap) {
            FBitmap.reset(new TBitmap);
            FBitmap->Assign(j->FBitmap.get());
        }
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        FData.clear();
        FBitmap.reset(new TBitmap);
        FBitmap->Assign(b);
        FWidth = b->GetWidth();
        FHeight = b->GetHeight();
        FScale = jsFullSize;
        FNeedCompress = true;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}
