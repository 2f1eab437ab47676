// Fixture skins for the live frame objects, built in code: a form picture and an
// active picture whose pieces are one flat colour each, and object records that
// point at them, so that a pixel probe of a drawn object tells which look landed.
#pragma once
#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "FormFrame.h"
#include "FrameObjects.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinTestKit.h"
#include <algorithm>
#include <string>
#include <vector>
#include <memory>

namespace ObjFixture {

// Pictures, probes, shots and artefacts (SkinTestKit.h).
using namespace SkinKit;

const TColor cBack = 0xFFFFFF;      // the target canvas before an object draws
const TColor cFrame = 0x404040;     // the form picture around the pieces
const TColor cNormal = 0x0000C0;    // the object's normal image (in the form picture)
const TColor cActive = 0x00C000;
const TColor cDown = 0xC00000;
const TColor cDisabled = 0x808000;
const TColor cInactive = 0x008080;
const TColor cRestore = 0xC000C0;
const TColor cRestoreActive = 0x00C0C0;
const TColor cRestoreDown = 0x600060;
const TColor cInPicture = 0x606000;   // a normal image kept in the active picture
const TColor cInActivePic = 0x202020; // the skin's inactive form picture around the pieces

// The object's place in the form picture.
const TRect ObjRect(10, 10, 30, 30);
// Cell I of the active picture's first row (20 x 20 each).
inline TRect Cell(int I) { return TRect(I * 20, 0, I * 20 + 20, 20); }
enum { kActive, kDown, kDisabled, kInactive, kRestore, kRestoreActive, kRestoreDown, kInPicture };

// Pixels of R that are not Background.
inline int CountOther(TBitmap* B, const TRect& R, TColor Background)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(B, x, y) != Background) ++n;
    return n;
}

// Leftmost and rightmost column of R holding a pixel other than Background; -1 when none.
inline void InkSpan(TBitmap* B, const TRect& R, TColor Background, int& Left, int& Right)
{
    Left = Right = -1;
    for (int x = R.left; x < R.right; ++x)
        for (int y = R.top; y < R.bottom; ++y)
            if (Probe(B, x, y) != Background) {
                if (Left < 0) Left = x;
                Right = x;
                break;
            }
}

inline std::unique_ptr<TspSkinData> NewSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    d->Picture = NewPicture(200, 100, cFrame);
    Paint(d->Picture.get(), ObjRect, cNormal);
    auto act = NewPicture(200, 100, 0x000000);
    const TColor cells[] = {cActive, cDown, cDisabled, cInactive, cRestore, cRestoreActive, cRestoreDown, cInPicture};
    for (int i = 0; i < 8; ++i) Paint(act.get(), Cell(i), cells[i]);
    d->ActivePictures.push_back(std::move(act));
    d->Empty = false;
    return d;
}

// The base keys of a record pointing at the fixture's pieces.
template <class R> std::unique_ptr<R> NewRecord(const std::string& Name)
{
    auto r = std::make_unique<R>(Name);
    r->ActivePictureIndex = 0;
    r->SkinRect = ObjRect;
    r->ActiveSkinRect = Cell(kActive);
    r->InActiveSkinRect = Cell(kInactive);
    return r;
}

inline std::unique_ptr<TspDataSkinButton> NewButtonRecord(const std::string& Name, int Group = -1)
{
    auto r = NewRecord<TspDataSkinButton>(Name);
    r->DownRect = Cell(kDown);
    r->DisableSkinRsect = Cell(kDisabled);
    r->GroupIndex = Group;
    return r;
}

inline std::unique_ptr<TspDataSkinStdButton> NewStdButtonRecord(const std::string& Name, TStdCommand Command)
{
    auto r = NewRecord<TspDataSkinStdButton>(Name);
    r->DownRect = Cell(kDown);
    r->DisableSkinRsect = Cell(kDisabled);
    r->Command = Command;
    r->RestoreRect = Cell(kRestore);
    r->RestoreActiveRect = Cell(kRestoreActive);
    r->RestoreDownRect = Cell(kRestoreDown);
    return r;
}

// A form (never shown) with a frame bound to the fixture skin and what the
// frame's object events reported.
struct Scene {
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    std::unique_ptr<TForm> Form;
    TspFormFrame* Frame = nullptr;
    std::vector<std::string> Events;   // "down:ID", "up:ID", "move:ID", "enter:ID", "leave:ID", "paint:ID"
    TRect PaintedRect;

    explicit Scene(bool FormActive = true)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBounds(0, 0, 300, 200);
        Frame = new TspFormFrame(Form.get());
        Frame->AlwaysActive = FormActive;
        Frame->SetSkinData(Skin.get());
        Frame->OnMouseDownEvent = [this](const std::string& Id, int, int, const TRect&, TMouseButton) {
            Events.push_back("down:" + Id);
        };
        Frame->OnMouseUpEvent = [this](const std::string& Id, int, int, const TRect&, TMouseButton) {
            Events.push_back("up:" + Id);
        };
        Frame->OnMouseMoveEvent = [this](const std::string& Id, int, int, const TRect&) {
            Events.push_back("move:" + Id);
        };
        Frame->OnMouseEnterEvent = [this](const std::string& Id) { Events.push_back("enter:" + Id); };
        Frame->OnMouseLeaveEvent = [this](const std::string& Id) { Events.push_back("leave:" + Id); };
        Frame->OnPaintEvent = [this](const std::string& Id, TCanvas*, const TRect& R) {
            Events.push_back("paint:" + Id);
            PaintedRect = R;
        };
    }
    ~Scene()
    {
        // The frame goes with the form, before the skin it points at.
        Form.reset();
    }
    bool MorphTimerOn() const { return Frame->GetMorphingTimer()->GetEnabled(); }
    void StopMorphTimer() { Frame->GetMorphingTimer()->SetEnabled(false); }
};

// The object drawn on a fresh canvas of the fixture's size.
inline std::unique_ptr<TBitmap> Drawn(TspActiveSkinObject* O, bool Forced = true)
{
    auto b = NewPicture(200, 100, cBack);
    O->Draw(b->GetCanvas(), Forced);
    return b;
}

inline TColor Look(TspActiveSkinObject* O, bool Forced = true)
{
    return Probe(Drawn(O, Forced).get(), O->ObjectRect.left + 5, O->ObjectRect.top + 5);
}

}  // namespace ObjFixture
