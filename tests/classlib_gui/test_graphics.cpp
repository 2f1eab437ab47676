#include "test_gtest.h"
#include "gui_test_util.h"
#include "ImgList.h"
#include "Jpeg.h"
#include <cstdlib>
#include <cstring>

namespace {

// A 16 x 8 JPEG made by an outside encoder: left half red, right half blue.
const unsigned char kRedBlueJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02,
    0x01, 0x01, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04,
    0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05, 0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06,
    0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0b, 0x08, 0x09, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x06, 0x08,
    0x0b, 0x0c, 0x0b, 0x0a, 0x0c, 0x09, 0x0a, 0x0a, 0x0a, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x02, 0x02,
    0x02, 0x02, 0x02, 0x02, 0x05, 0x03, 0x03, 0x05, 0x0a, 0x07, 0x06, 0x07, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00,
    0x16, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x0a, 0x08, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03,
    0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x17, 0xa5, 0x36, 0xfe, 0x08, 0x65, 0x50,
    0x35, 0xef, 0xff, 0xd9,
};

std::string TempFile(const std::string& name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return IncludeTrailingPathDelimiter(dir) + name;
}

int Red(COLORREF c) { return GetRValue(c); }
int Green(COLORREF c) { return GetGValue(c); }
int Blue(COLORREF c) { return GetBValue(c); }

bool Near(COLORREF a, COLORREF b, int tol)
{
    return std::abs(Red(a) - Red(b)) <= tol && std::abs(Green(a) - Green(b)) <= tol &&
           std::abs(Blue(a) - Blue(b)) <= tol;
}

// A white 24-bit bitmap to draw on.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h)
{
    std::unique_ptr<TBitmap> b(new TBitmap(w, h, pf24bit));
    b->GetCanvas()->GetBrush()->SetColor(clWhite);
    b->GetCanvas()->FillRect(TRect(0, 0, w, h));
    return b;
}

// The smallest rectangle holding every pixel that is not white.
TRect InkBounds(TBitmap* b)
{
    TRect r(b->GetWidth(), b->GetHeight(), -1, -1);
    for (int y = 0; y < b->GetHeight(); ++y) {
        auto* row = static_cast<BYTE*>(b->ScanLine(y));
        for (int x = 0; x < b->GetWidth(); ++x) {
            if (row[x * 3] == 255 && row[x * 3 + 1] == 255 && row[x * 3 + 2] == 255) continue;
            if (x < r.left) r.left = x;
            if (y < r.top) r.top = y;
            if (x + 1 > r.right) r.right = x + 1;
            if (y + 1 > r.bottom) r.bottom = y + 1;
        }
    }
    return r;
}

TEST(Bitmap, ScanLineRowsAreTopFirstBlueGreenRed)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(5, 3);
    EXPECT_EQ(b.RowStride(), 16);     // 15 bytes padded to 4
    auto* top = static_cast<BYTE*>(b.ScanLine(0));
    auto* bottom = static_cast<BYTE*>(b.ScanLine(2));
    for (int x = 0; x < 5; ++x) {
        top[x * 3] = 255;        // blue
        top[x * 3 + 1] = 0;
        top[x * 3 + 2] = 0;
        bottom[x * 3] = 0;
        bottom[x * 3 + 1] = 0;
        bottom[x * 3 + 2] = 255; // red
    }
    EXPECT_EQ(b.GetCanvas()->GetPixel(0, 0), static_cast<TColor>(RGB(0, 0, 255)));
    EXPECT_EQ(b.GetCanvas()->GetPixel(4, 2), static_cast<TColor>(RGB(255, 0, 0)));
    EXPECT_EQ(b.GetCanvas()->GetPixel(2, 1), static_cast<TColor>(RGB(255, 255, 255)));
    // Drawing on the canvas shows in the scan lines.
    b.GetCanvas()->SetPixel(1, 1, RGBToColor(1, 2, 3));
    auto* mid = static_cast<BYTE*>(b.ScanLine(1));
    EXPECT_EQ(mid[3], 3);
    EXPECT_EQ(mid[4], 2);
    EXPECT_EQ(mid[5], 1);
    EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
}

TEST(Bitmap, DeviceBitmapBecomesDIBForScanLine)
{
    TBitmap b;
    b.SetSize(4, 4);
    EXPECT_EQ(b.GetHandleType(), bmDDB);
    b.GetCanvas()->SetPixel(3, 0, clRed);
    auto* row = static_cast<BYTE*>(b.ScanLine(0));
    EXPECT_EQ(b.GetHandleType(), bmDIB);
    EXPECT_EQ(row[3 * 3 + 2], 255);
    EXPECT_EQ(row[3 * 3], 0);
}

TEST(Bitmap, SaveAndLoadKeepPixelsAndFormat)
{
    struct Case { TPixelFormat Format; int Bits; };
    const Case cases[] = {{pf1bit, 1}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bits);
        TBitmap src(7, 5, c.Format);
        TCanvas* cv = src.GetCanvas();
        cv->GetBrush()->SetColor(clWhite);
        cv->FillRect(TRect(0, 0, 7, 5));
        cv->GetBrush()->SetColor(clBlack);
        cv->FillRect(TRect(0, 0, 3, 2));
        TMemoryStream ms;
        src.SaveToStream(&ms);
        auto* bytes = static_cast<const BYTE*>(ms.Memory());
        ASSERT_GT(ms.GetSize(), 54);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(*reinterpret_cast<const WORD*>(bytes + 28), c.Bits);
        ms.SetPosition(0);
        TBitmap dst;
        dst.LoadFromStream(&ms);
        EXPECT_EQ(dst.GetWidth(), 7);
        EXPECT_EQ(dst.GetHeight(), 5);
        EXPECT_EQ(dst.GetPixelFormat(), c.Format);
        EXPECT_EQ(dst.GetCanvas()->GetPixel(1, 1), clBlack);
        EXPECT_EQ(dst.GetCanvas()->GetPixel(5, 3), clWhite);
    }
}

TEST(Bitmap, ReadsTopDownAndCoreHeaderFiles)
{
    // A top-down 2 x 2, 24-bit DIB: the first row in the data is the top.
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 16, 0);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = 2;
    h->biHeight = -2;
    h->biPlanes = 1;
    h->biBitCount = 24;
    BYTE* bits = dib.data() + sizeof(BITMAPINFOHEADER);
    bits[2] = 255;            // top-left red
    bits[8 + 3] = 255;        // bottom-right blue
    TBitmap b;
    b.LoadFromDIB(dib.data(), dib.size());
    EXPECT_EQ(b.GetCanvas()->GetPixel(0, 0), clRed);
    EXPECT_EQ(b.GetCanvas()->GetPixel(1, 1), clBlue);

    // An OS/2 core header, 8 bits with a three-entry (RGBTRIPLE) table, bottom-up.
    std::vector<BYTE> core(sizeof(BITMAPCOREHEADER) + 256 * 3 + 8, 0);
    auto* ch = reinterpret_cast<BITMAPCOREHEADER*>(core.data());
    ch->bcSize = sizeof(BITMAPCOREHEADER);
    ch->bcWidth = 2;
    ch->bcHeight = 2;
    ch->bcPlanes = 1;
    ch->bcBitCount = 8;
    BYTE* pal = core.data() + sizeof(BITMAPCOREHEADER);
    pal[1 * 3 + 1] = 255;     // colour 1: green (blue, green, red order)
    BYTE* px = pal + 256 * 3;
    px[0] = 1;                // bottom-left: colour 1
    TBitmap c;
    c.LoadFromDIB(core.data(), core.size());
    EXPECT_EQ(c.GetPixelFormat(), pf8bit);
    EXPECT_EQ(c.GetCanvas()->GetPixel(0, 1), clLime);
    EXPECT_EQ(c.GetCanvas()->GetPixel(0, 0), clBlack);

    const BYTE junk[] = {'B', 'M', 1, 2, 3};
    TMemoryStream ms;
    ms.WriteBuffer(junk, sizeof(junk));
    ms.SetPosition(0);
    EXPECT_THROW(c.LoadFromStream(&ms), Exception);
}

TEST(Bitmap, TransparentColourIsLeftOut)
{
    TBitmap sprite(10, 10, pf24bit);
    sprite.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    sprite.GetCanvas()->FillRect(TRect(0, 0, 10, 10));
    sprite.GetCanvas()->GetBrush()->SetColor(clGreen);
    sprite.GetCanvas()->FillRect(TRect(3, 3, 7, 7));
    sprite.SetTransparent(true);
    sprite.SetTransparentColor(clFuchsia);
    auto dst = WhiteBitmap(20, 20);
    dst->GetCanvas()->Draw(5, 5, &sprite);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(6, 6), clWhite);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(10, 10), clGreen);
    // Stretched drawing and copying of canvas rectangles.
    TBitmap quad(2, 2, pf24bit);
    quad.GetCanvas()->SetPixel(0, 0, clRed);
    quad.GetCanvas()->SetPixel(1, 0, clBlue);
    quad.GetCanvas()->SetPixel(0, 1, clLime);
    quad.GetCanvas()->SetPixel(1, 1, clBlack);
    auto big = WhiteBitmap(20, 20);
    big->GetCanvas()->StretchDraw(TRect(0, 0, 20, 20), &quad);
    EXPECT_EQ(big->GetCanvas()->GetPixel(4, 4), clRed);
    EXPECT_EQ(big->GetCanvas()->GetPixel(15, 4), clBlue);
    EXPECT_EQ(big->GetCanvas()->GetPixel(4, 15), clLime);
    auto copy = WhiteBitmap(10, 10);
    copy->GetCanvas()->CopyRect(TRect(0, 0, 5, 5), big->GetCanvas(), TRect(10, 0, 20, 10));
    EXPECT_EQ(copy->GetCanvas()->GetPixel(2, 2), clBlue);
    EXPECT_EQ(copy->GetCanvas()->GetPixel(7, 7), clWhite);
}

TEST(Jpeg, DecodesAFileOfAnotherEncoder)
{
    std::string name = TempFile("classlib_fixture.jpg");
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer(kRedBlueJpeg, sizeof(kRedBlueJpeg));
    }
    TPicture pic;
    pic.LoadFromFile(name);
    DeleteFileA(name.c_str());
    auto* jpeg = dynamic_cast<TJPEGImage*>(pic.GetGraphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(pic.GetWidth(), 16);
    EXPECT_EQ(pic.GetHeight(), 8);
    TBitmap* b = jpeg->GetBitmap();
    EXPECT_EQ(b->GetPixelFormat(), pf24bit);
    EXPECT_TRUE(Near(b->GetCanvas()->GetPixel(2, 4), RGB(255, 0, 0), 24));
    EXPECT_TRUE(Near(b->GetCanvas()->GetPixel(13, 4), RGB(0, 0, 255), 24));
    // Drawn through a canvas, as a form draws it.
    auto dst = WhiteBitmap(16, 8);
    dst->GetCanvas()->Draw(0, 0, jpeg);
    EXPECT_TRUE(Near(dst->GetCanvas()->GetPixel(13, 4), RGB(0, 0, 255), 24));

    // Half scale and grey decoding.
    jpeg->SetScale(jsHalf);
    EXPECT_EQ(jpeg->GetBitmap()->GetWidth(), 8);
    EXPECT_EQ(jpeg->GetBitmap()->GetHeight(), 4);
    jpeg->SetScale(jsFullSize);
    jpeg->SetGrayscale(true);
    EXPECT_EQ(jpeg->GetBitmap()->GetPixelFormat(), pf8bit);
}

TEST(Jpeg, EncodesABitmapThatDecodesBack)
{
    TBitmap src(32, 16, pf24bit);
    src.GetCanvas()->GetBrush()->SetColor(clYellow);
    src.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    src.GetCanvas()->GetBrush()->SetColor(clNavy);
    src.GetCanvas()->FillRect(TRect(16, 0, 32, 16));
    TJPEGImage out;
    out.Assign(&src);
    out.SetCompressionQuality(90);
    TMemoryStream ms;
    out.SaveToStream(&ms);
    auto* bytes = static_cast<const BYTE*>(ms.Memory());
    ASSERT_GT(ms.GetSize(), 100);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    ms.SetPosition(0);
    TJPEGImage in;
    in.LoadFromStream(&ms);
    EXPECT_EQ(in.GetWidth(), 32);
    EXPECT_EQ(in.GetHeight(), 16);
    EXPECT_TRUE(Near(in.GetBitmap()->GetCanvas()->GetPixel(4, 8), RGB(255, 255, 0), 24));
    EXPECT_TRUE(Near(in.GetBitmap()->GetCanvas()->GetPixel(28, 8), RGB(0, 0, 128), 24));
}

TEST(Jpeg, DamagedDataRaisesInsteadOfEndingTheProgram)
{
    std::vector<unsigned char> bad(kRedBlueJpeg, kRedBlueJpeg + 40);
    TMemoryStream ms;
    ms.WriteBuffer(bad.data(), static_cast<long>(bad.size()));
    ms.SetPosition(0);
    TJPEGImage j;
    EXPECT_THROW({ j.LoadFromStream(&ms); j.GetBitmap(); }, EJPEG);
    const unsigned char notJpeg[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    TMemoryStream ms2;
    ms2.WriteBuffer(notJpeg, sizeof(notJpeg));
    ms2.SetPosition(0);
    EXPECT_THROW(j.LoadFromStream(&ms2), EJPEG);
}

// A 16 x 16, 32-bit .ico file: left half Left, right half Right, the top-right
// quarter transparent through the AND mask.
std::vector<BYTE> MakeIco(COLORREF Left, COLORREF Right)
{
    const int w = 16, h = 16;
    std::vector<BYTE> ico(6 + 16 + sizeof(BITMAPINFOHEADER) + w * h * 4 + 4 * h, 0);
    BYTE* p = ico.data();
    p[2] = 1;                    // type: icon
    p[4] = 1;                    // one image
    BYTE* e = p + 6;
    e[0] = w;
    e[1] = h;
    e[4] = 1;                    // planes
    e[6] = 32;                   // bits
    *reinterpret_cast<DWORD*>(e + 8) = static_cast<DWORD>(ico.size() - 22);
    *reinterpret_cast<DWORD*>(e + 12) = 22;
    auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(p + 22);
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = w;
    bih->biHeight = 2 * h;       // colour and mask
    bih->biPlanes = 1;
    bih->biBitCount = 32;
    BYTE* px = p + 22 + sizeof(BITMAPINFOHEADER);
    BYTE* mask = px + w * h * 4;
    for (int y = 0; y < h; ++y) {            // bottom row first
        for (int x = 0; x < w; ++x) {
            COLORREF c = x < w / 2 ? Left : Right;
            BYTE* q = px + (y * w + x) * 4;
            q[0] = GetBValue(c);
            q[1] = GetGValue(c);
            q[2] = GetRValue(c);
            q[3] = 255;
            bool transparent = x >= w / 2 && y >= h / 2;   // top-right on screen
            if (transparent) {
                q[3] = 0;
                mask[y * 4 + x / 8] |= 0x80 >> (x % 8);
            }
        }
    }
    return ico;
}

TEST(Icon, ReadsDrawsAndSavesAnIcoFile)
{
    std::vector<BYTE> ico = MakeIco(RGB(0, 0, 255), RGB(0, 255, 0));
    TMemoryStream ms;
    ms.WriteBuffer(ico.data(), static_cast<long>(ico.size()));
    ms.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(&ms);
    EXPECT_FALSE(icon.Empty());
    EXPECT_EQ(icon.GetWidth(), 16);
    EXPECT_EQ(icon.GetHeight(), 16);
    auto dst = WhiteBitmap(16, 16);
    dst->GetCanvas()->Draw(0, 0, &icon);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(2, 8), clBlue);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(12, 12), clLime);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(12, 2), clWhite);
    TMemoryStream out;
    icon.SaveToStream(&out);
    EXPECT_EQ(out.GetSize(), static_cast<long long>(ico.size()));
    // Through a picture, by its extension; a bitmap copy of it.
    std::string name = TempFile("classlib_fixture.ico");
    out.SaveToFile(name);
    TPicture pic;
    pic.LoadFromFile(name);
    DeleteFileA(name.c_str());
    ASSERT_NE(dynamic_cast<TIcon*>(pic.GetGraphic()), nullptr);
    TBitmap copy;
    copy.Assign(pic.GetGraphic());
    EXPECT_EQ(copy.GetCanvas()->GetPixel(2, 8), clBlue);
    EXPECT_THROW(pic.LoadFromFile(TempFile("picture.xyz")), EInvalidGraphic);
}

TEST(Canvas, DrawTextFlags)
{
    auto b = WhiteBitmap(200, 100);
    TCanvas* c = b->GetCanvas();
    c->GetFont()->SetName("Tahoma");
    c->GetFont()->SetHeight(-12);
    c->GetFont()->SetColor(clBlack);
    const std::string text = "Live broadcast";
    int lineH = c->TextHeight(text);
    int textW = c->TextWidth(text);
    ASSERT_GT(textW, 20);

    TRect r(0, 0, 0, 0);
    int h = c->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), textW);
    EXPECT_EQ(h, lineH);

    TRect wrap(0, 0, textW * 2 / 3, 0);
    c->DrawText(text, wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrap.Height(), 2 * lineH);

    // The accelerator mark takes no room, unless prefixes are off.
    TRect a1(0, 0, 0, 0), a2(0, 0, 0, 0), a3(0, 0, 0, 0);
    c->DrawText("&Send", a1, DT_CALCRECT | DT_SINGLELINE);
    c->DrawText("Send", a2, DT_CALCRECT | DT_SINGLELINE);
    c->DrawText("&Send", a3, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a1.Width(), a2.Width());
    EXPECT_GT(a3.Width(), a2.Width());

    struct Case { UINT Flags; const char* Name; };
    const Case cases[] = {{DT_SINGLELINE | DT_CENTER | DT_VCENTER, "centre"},
                          {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, "right bottom"},
                          {DT_SINGLELINE | DT_END_ELLIPSIS, "ellipsis"}};
    const TRect box(20, 10, 180, 90);
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.Name);
        auto pic = WhiteBitmap(200, 100);
        TCanvas* pc = pic->GetCanvas();
        pc->SetFont(c->GetFont());
        pc->GetBrush()->SetStyle(bsClear);
        TRect r2 = box;
        if (cs.Flags & DT_END_ELLIPSIS) r2.right = r2.left + textW / 2;
        pc->DrawText(text, r2, cs.Flags);
        TRect ink = InkBounds(pic.get());
        ASSERT_FALSE(ink.IsEmpty());
        if (cs.Flags & DT_CENTER) {
            EXPECT_NEAR(ink.left - box.left, box.right - ink.right, 3);
            EXPECT_NEAR(ink.top - box.top, box.bottom - ink.bottom, 6);
        } else if (cs.Flags & DT_RIGHT) {
            EXPECT_LE(box.right - ink.right, 3);
            EXPECT_LE(box.bottom - ink.bottom, 6);
        } else {
            // Cut with "..." inside the narrow rectangle.
            EXPECT_LE(ink.right, r2.right);
            EXPECT_GE(ink.left, box.left);
        }
    }
}

// A canvas on someone else's DC draws on it and, at scope end, gives the DC its
// own brush back; the DC itself stays usable.
TEST(Canvas, BorrowedCanvasPutsTheDCsObjectsBack)
{
    TWindowDC screen(nullptr);
    TMemoryDC mem(screen.Get());
    TBitmapHandle bmp(CreateCompatibleBitmap(screen.Get(), 20, 20));
    TSelectGuard selected(mem.Get(), bmp.Get());
    const HGDIOBJ ownBrush = GetCurrentObject(mem.Get(), OBJ_BRUSH);
    {
        TBorrowedCanvas c(mem.Get());
        c->GetBrush()->SetColor(clRed);
        c->FillRect(TRect(0, 0, 20, 20));
        EXPECT_NE(GetCurrentObject(mem.Get(), OBJ_BRUSH), ownBrush);
    }
    EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BRUSH), ownBrush);
    EXPECT_EQ(GetPixel(mem.Get(), 10, 10), RGB(255, 0, 0));
}

// The whole window's DC covers the frame; no window gives none. A region handed
// to a window is the system's; one the window does not take is deleted.
TEST(GdiHandles, WholeWindowDCAndWindowRegionOwnership)
{
    HWND wnd = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 120, 80, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(wnd, nullptr);
    {
        TWholeWindowDC whole(wnd);
        ASSERT_NE(whole.Get(), nullptr);
        EXPECT_EQ(WindowFromDC(whole.Get()), wnd);
        // Its origin is the window's corner, not the client area's.
        POINT org;
        ASSERT_TRUE(GetDCOrgEx(whole.Get(), &org));
        RECT wr;
        GetWindowRect(wnd, &wr);
        EXPECT_EQ(TPoint(org), TPoint(wr.left, wr.top));
        POINT client = {0, 0};
        ClientToScreen(wnd, &client);
        EXPECT_NE(TPoint(client), TPoint(org));
    }
    EXPECT_EQ(TWholeWindowDC(nullptr).Get(), nullptr);

    HRGN taken = CreateRectRgn(0, 0, 50, 40);
    ASSERT_TRUE(GiveWindowRegion(wnd, taken));
    TRegionHandle copy(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd, copy.Get()), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy.Get(), &box);
    EXPECT_EQ(TRect(box), TRect(0, 0, 50, 40));

    HRGN refused = CreateRectRgn(0, 0, 10, 10);
    EXPECT_FALSE(GiveWindowRegion(nullptr, refused));
    EXPECT_EQ(GetObjectType(refused), 0u);   // deleted

    EXPECT_TRUE(GiveWindowRegion(wnd, nullptr));
    EXPECT_EQ(GetWindowRgn(wnd, copy.Get()), ERROR);   // no region any more
    DestroyWindow(wnd);
}

TEST(ImageList, DrawsNormalAndGreyed)
{
    TImageList images(16, 16);
    TBitmap pic(16, 16, pf24bit);
    pic.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    pic.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    pic.GetCanvas()->GetBrush()->SetColor(clRed);
    pic.GetCanvas()->FillRect(TRect(4, 4, 12, 12));
    EXPECT_EQ(images.AddMasked(&pic, clFuchsia), 0);
    EXPECT_EQ(images.GetCount(), 1);
    auto dst = WhiteBitmap(40, 20);
    images.Draw(dst->GetCanvas(), 0, 0, 0, true);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(8, 8), clRed);
    EXPECT_EQ(dst->GetCanvas()->GetPixel(1, 1), clWhite);
    images.Draw(dst->GetCanvas(), 20, 0, 0, false);
    EXPECT_EQ(static_cast<COLORREF>(dst->GetCanvas()->GetPixel(28, 8)), ColorToRGB(clBtnShadow));
    // The highlight copy lies one pixel right and down, under the shadow one.
    EXPECT_EQ(static_cast<COLORREF>(dst->GetCanvas()->GetPixel(32, 12)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(dst->GetCanvas()->GetPixel(21, 1), clWhite);
    // A strip adds one image per width.
    TBitmap strip(48, 16, pf24bit);
    strip.GetCanvas()->GetBrush()->SetColor(clBlue);
    strip.GetCanvas()->FillRect(TRect(0, 0, 48, 16));
    EXPECT_EQ(images.AddMasked(&strip, clFuchsia), 1);
    EXPECT_EQ(images.GetCount(), 4);
    TBitmap one;
    images.GetBitmap(3, &one);
    EXPECT_EQ(one.GetCanvas()->GetPixel(5, 5), clBlue);
}

} // namespace
