// What the skin tests share: pictures painted one flat colour per piece, pixel
// probes, shots of windows and of the screen, pictures kept as artefacts for a
// person to look at, the skins the build generates, and flat copies of them.
#pragma once
#include "test_gtest.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "CompressedStoredSkin.h"
#include "Control.h"
#include "SkinData.h"
#include "WaitUntil.h"
#include "WinControl.h"
#include <windows.h>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace SkinKit {

inline void Paint(TBitmap* B, const TRect& R, TColor C)
{
    B->GetCanvas()->GetBrush()->SetStyle(bsSolid);
    B->GetCanvas()->GetBrush()->SetColor(C);
    B->GetCanvas()->FillRect(R);
}

inline std::unique_ptr<TBitmap> NewPicture(int W, int H, TColor Fill)
{
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    Paint(b.get(), TRect(0, 0, W, H), Fill);
    return b;
}

inline TColor Probe(TBitmap* B, int X, int Y) { return B->GetCanvas()->GetPixel(X, Y) & 0xFFFFFF; }
// A system colour as a probe reads it.
inline TColor SystemColour(TColor C) { return static_cast<TColor>(ColorToRGB(C) & 0xFFFFFF); }

// A picture kept among the test's artefacts, as artefacts/<Name>.bmp.
inline void SaveArtefact(TBitmap* B, const std::string& Name)
{
    CreateDirectoryA("artefacts", nullptr);
    B->SaveToFile("artefacts/" + Name + ".bmp");
}

// Paints a windowed control (and its children) into a bitmap of its size.
inline std::unique_ptr<TBitmap> Snapshot(TWinControl* C)
{
    auto b = NewPicture(C->GetWidth(), C->GetHeight(), 0xFFFFFF);
    C->PaintTo(b->GetCanvas()->GetHandle(), 0, 0);
    return b;
}

// W x H pixels of a DC from (X, Y) on; Fill where the DC has none.
inline std::unique_ptr<TBitmap> CopyOf(HDC Dc, int X, int Y, int W, int H, TColor Fill)
{
    auto b = NewPicture(W, H, Fill);
    BitBlt(b->GetCanvas()->GetHandle(), 0, 0, W, H, Dc, X, Y, SRCCOPY);
    return b;
}

// What a window shows, frame included, read back from its own surface.
inline std::unique_ptr<TBitmap> WindowShot(HWND Wnd)
{
    RECT w;
    GetWindowRect(Wnd, &w);
    HDC dc = GetWindowDC(Wnd);
    auto b = CopyOf(dc, 0, 0, w.right - w.left, w.bottom - w.top, 0xFF00FF);
    ReleaseDC(Wnd, dc);
    return b;
}

// What the screen shows in a rectangle of it.
inline std::unique_ptr<TBitmap> ScreenShot(const TRect& R)
{
    HDC screen = GetDC(nullptr);
    auto b = CopyOf(screen, R.left, R.top, R.Width(), R.Height(), 0);
    ReleaseDC(nullptr, screen);
    return b;
}

// What the screen shows where the control stands (a form: its children and any popup over it).
inline std::unique_ptr<TBitmap> ScreenShot(TControl* Form)
{
    return ScreenShot(TRect(Form->GetLeft(), Form->GetTop(), Form->GetLeft() + Form->GetWidth(),
                            Form->GetTop() + Form->GetHeight()));
}

// What the screen shows where a window stands (a region or a popup over it included).
inline std::unique_ptr<TBitmap> ScreenShot(HWND Wnd)
{
    RECT r;
    GetWindowRect(Wnd, &r);
    return ScreenShot(TRect(r.left, r.top, r.right, r.bottom));
}

// A window and every window in it painted afresh, the queue run until idle.
inline void RepaintAll(HWND Wnd)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    PumpUntilIdle();
}

// A form repainted, then what the screen shows where it stands, kept as the artefact Name.
inline std::unique_ptr<TBitmap> RepaintedShot(TWinControl* Form, const std::string& Name)
{
    RepaintAll(Form->GetHandle());
    auto shot = ScreenShot(Form);
    SaveArtefact(shot.get(), Name);
    return shot;
}

// The colour of picture I in a flat skin: one colour a picture, none black,
// white or grey, nor the magenta that pictures use as their transparent key.
inline TColor FlatColour(int I)
{
    return static_cast<TColor>(RGB(40 + (I * 67) % 170, 60 + (I * 41) % 150, 80 + (I * 23) % 130));
}

// A flat copy of a skin: each picture of its list painted FlatColour(its index),
// then the normal look of each control record (its SkinRect) painted a colour of
// its own (FlatColour past the pictures', in record order); the pictures that
// records and the popup and hint windows use as masks keep their shapes. A
// control drawn with it shows, wherever a piece of its element's normal look
// lands, the colour that names that element.
inline void Flatten(TspSkinData* D)
{
    std::set<int> masks;
    for (const auto& r : D->CtrlList)
        if (r && r->MaskPictureIndex >= 0) masks.insert(r->MaskPictureIndex);
    if (D->PopupWindow) masks.insert(D->PopupWindow->MaskPictureIndex);
    if (D->HintWindow) masks.insert(D->HintWindow->MaskPictureIndex);
    const int pictures = static_cast<int>(D->ActivePictures.size());
    auto flat = [&](int I) { return I >= 0 && I < pictures && D->ActivePictures[I] && !masks.count(I); };
    for (int i = 0; i < pictures; ++i) {
        TBitmap* b = D->ActivePictures[i].get();
        if (flat(i)) Paint(b, TRect(0, 0, b->GetWidth(), b->GetHeight()), FlatColour(i));
    }
    for (int k = 0; k < static_cast<int>(D->CtrlList.size()); ++k) {
        const TspDataSkinControl* r = D->CtrlList[k].get();
        if (r && flat(r->PictureIndex) && !r->SkinRect.IsEmpty())
            Paint(D->ActivePictures[r->PictureIndex].get(), r->SkinRect, FlatColour(pictures + k));
    }
}

// The colour a flat skin gives the left edge of the named record's normal look
// (where a later record's look overlaps it, that one's); 0 (black, never a flat
// colour) when the skin has no such record.
inline TColor FlatColourOf(TspSkinData* D, const std::string& Record)
{
    const int i = D->GetControlIndex(Record);
    const TspDataSkinControl* r = i < 0 ? nullptr : D->ControlRecord(i);
    if (!r || r->PictureIndex < 0 || r->PictureIndex >= static_cast<int>(D->ActivePictures.size())) return 0;
    const TRect& sr = r->SkinRect;
    return Probe(D->ActivePictures[r->PictureIndex].get(), sr.left + 1, (sr.top + sr.bottom) / 2);
}

// A point of a control where its element's own look shows, and the record of that element.
struct TPieceProbe {
    const char* What;
    TControl* Control;
    TPoint At;   // in the control's client coordinates
    std::string Record;
};

// The middle of a control's left edge, where a framed element shows its own look.
template <class C> TPieceProbe LeftEdge(C* Control, const char* What)
{
    return {What, Control, TPoint(1, Control->GetHeight() / 2), Control->GetSkinDataName()};
}

// Where a point of Control (client coordinates) lands in a screen shot of Form.
inline TPoint ShotPoint(TControl* Form, TControl* Control, TPoint At)
{
    const TPoint s = Control->ClientToScreen(At);
    return TPoint(s.x - Form->GetLeft(), s.y - Form->GetTop());
}

// Each probe of a screen shot of Form (ScreenShot), drawn with a flat skin, shows
// the flat colour of its record's look.
inline void ExpectElements(TBitmap* Shot, TControl* Form, TspSkinData* Flat, const std::vector<TPieceProbe>& Probes)
{
    for (const TPieceProbe& p : Probes) {
        const TPoint at = ShotPoint(Form, p.Control, p.At);
        const TColor want = FlatColourOf(Flat, p.Record);
        EXPECT_NE(want, 0) << p.What << ": the skin has no record " << p.Record;
        EXPECT_EQ(Probe(Shot, at.x, at.y), want) << p.What << ": not the look of " << p.Record;
    }
}
// A W x H one-pixel checkerboard at 1 bit per pixel, made from its bytes.
inline std::unique_ptr<TBitmap> Checkerboard(int W, int H)
{
    const int stride = ((W + 31) / 32) * 4;
    const DWORD off = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 8;
    std::vector<char> v(off + static_cast<size_t>(stride) * H);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(v.size());
    fh.bfOffBits = off;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = W;
    ih.biHeight = H;
    ih.biPlanes = 1;
    ih.biBitCount = 1;
    ih.biClrUsed = 2;
    std::memcpy(v.data(), &fh, sizeof(fh));
    std::memcpy(v.data() + sizeof(fh), &ih, sizeof(ih));
    std::memset(v.data() + sizeof(fh) + sizeof(ih) + 4, 0xFF, 3);
    for (int y = 0; y < H; ++y) std::memset(v.data() + off + static_cast<size_t>(y) * stride, (y & 1) ? 0x55 : 0xAA, stride);
    TMemoryStream m;
    m.WriteBuffer(v.data(), static_cast<long>(v.size()));
    m.SetPosition(0);
    auto b = std::make_unique<TBitmap>();
    b->LoadFromStream(&m);
    return b;
}

// A compressed skin file's bytes loaded into D; false when the file is refused.
inline bool LoadSkn(TspSkinData& D, const std::vector<char>& Bytes)
{
    TMemoryStream m;
    m.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
    m.SetPosition(0);
    TspCompressedStoredSkin stored(nullptr);
    if (!stored.LoadFromCompressStream(&m)) return false;
    return D.LoadCompressedStoredSkin(&stored);
}


#ifdef SKINS_DIR
// One of the skins the build generates, or none when it does not load.
inline std::unique_ptr<TspSkinData> LoadSkin(const std::string& Name)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    if (!d->LoadFromCompressedFile(std::string(SKINS_DIR) + "/" + Name + ".skn")) return nullptr;
    return d;
}

// A gallery G (its Form, Bind and Shoot) drawn with a flat copy of each of our
// two skins, no control holding the focus; Check looks at the flat skin and the
// shot while the gallery is bound to it.
template <class G>
void ForEachFlatSkin(G& Gallery, const std::function<void(TspSkinData* Flat, TBitmap* Shot)>& Check)
{
    for (const char* name : {"Korvel2", "Sarnic"}) {
        SCOPED_TRACE(name);
        auto flat = LoadSkin(name);
        ASSERT_TRUE(flat);
        Flatten(flat.get());
        Gallery.Bind(flat.get());
        SetFocus(Gallery.Form->GetHandle());
        auto shot = Gallery.Shoot(std::string("flat-") + name);
        Check(flat.get(), shot.get());
        Gallery.Bind(nullptr);
    }
}

// A gallery G drawn with flat copies of our two skins (ForEachFlatSkin): each
// probe shows the look of its own element. Probes are asked for once the flat
// skin is bound.
template <class G>
void ExpectOwnElementsOnFlatSkins(G& Gallery, const std::function<std::vector<TPieceProbe>()>& Probes)
{
    ForEachFlatSkin(Gallery, [&](TspSkinData* Flat, TBitmap* Shot) {
        ExpectElements(Shot, Gallery.Form.get(), Flat, Probes());
    });
}
#endif

// The colour of picture I of a skin at a point of it: on a flat copy, the
// colour that names the piece the point lies in; 0 (black, never a flat colour)
// when the skin has no such picture or point.
inline TColor PictureColourAt(TspSkinData* D, int I, TPoint P)
{
    if (I < 0 || I >= static_cast<int>(D->ActivePictures.size()) || !D->ActivePictures[I]) return 0;
    TBitmap* b = D->ActivePictures[I].get();
    if (P.x < 0 || P.y < 0 || P.x >= b->GetWidth() || P.y >= b->GetHeight()) return 0;
    return Probe(b, P.x, P.y);
}

// A point where a piece of a look shows, and the exact colour it shows there on a
// flat skin. At is in Control's client coordinates; without a control, in the shot's.
struct TColourProbe {
    const char* What;
    TControl* Control;
    TPoint At;
    TColor Want;
};

// Each probe of a screen shot of Form (ScreenShot, or WindowShot of a top-level
// form) shows its colour.
inline void ExpectColours(TBitmap* Shot, TControl* Form, const std::vector<TColourProbe>& Probes)
{
    for (const TColourProbe& p : Probes) {
        const TPoint at = p.Control ? ShotPoint(Form, p.Control, p.At) : p.At;
        EXPECT_NE(p.Want, 0) << p.What << ": the skin names no colour here";
        EXPECT_EQ(Probe(Shot, at.x, at.y), p.Want) << p.What << " at " << at.x << "," << at.y;
    }
}

// The record of kind R named Name in D, or none.
template <class R> R* RecordOf(TspSkinData* D, const std::string& Name)
{
    const int i = D->GetControlIndex(Name);
    return i < 0 ? nullptr : dynamic_cast<R*>(D->ControlRecord(i));
}

// The middle of a windowed control's left edge in its window, where a frame drawn
// outside its client area shows its element's look.
template <class C> TPieceProbe LeftFrameEdge(C* Control, const char* What)
{
    RECT w;
    GetWindowRect(Control->GetHandle(), &w);
    return {What, Control, Control->ScreenToClient(TPoint(w.left + 1, (w.top + w.bottom) / 2)),
            Control->GetSkinDataName()};
}

}  // namespace SkinKit
