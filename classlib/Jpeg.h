// TJPEGImage: a JPEG picture on libjpeg. It keeps the compressed data and
// decodes it into a 24-bit (or 8-bit grey) bitmap when it is drawn or read.
#pragma once
#include "Bitmap.h"

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class EJPEG : public EInvalidGraphic { public: using EInvalidGraphic::EInvalidGraphic; };

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    bool Empty() const override { return FData.empty() && !FBitmap; }
    int GetWidth() const override;
    void SetWidth(int) override {}
    int GetHeight() const override;
    void SetHeight(int) override {}

    bool GetGrayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);
    TJPEGScale GetScale() const { return FScale; }
    void SetScale(TJPEGScale Value);
    TJPEGPixelFormat GetPixelFormat() const { return FGrayscale ? jf8Bit : FPixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat Value);
    int GetCompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int Value);      // 1..100, used when the picture is encoded
    TJPEGPerformance Performance = jpBestQuality;
    bool ProgressiveEncoding = false;
    bool Smoothing = true;

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // Takes a bitmap (compressed when saved) or another JPEG.
    void Assign(TPersistent* Source) override;

    // The decoded picture (owned by the image).
    TBitmap* GetBitmap();
    void DIBNeeded() { GetBitmap(); }
    // Encodes the bitmap that was assigned, now.
    void Compress();
    void JPEGNeeded();
    const std::vector<unsigned char>& Data() const { return FData; }

private:
    void FreeBitmap() { FBitmap.reset(); }
    std::vector<unsigned char> FData;
    std::unique_ptr<TBitmap> FBitmap;
    int FWidth = 0, FHeight = 0;       // of the stream at full size
    bool FGrayscale = false;
    TJPEGScale FScale = jsFullSize;
    TJPEGPixelFormat FPixelFormat = jf24Bit;
    int FQuality = 90;
    bool FNeedCompress = false;
};
