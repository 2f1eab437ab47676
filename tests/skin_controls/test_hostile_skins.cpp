// Small hostile skins made by a generator: many pictures, descriptions of many
// lines or keys, pictures of too many pixels, masks of a one-pixel checkerboard
// far larger than their element, giant font heights, a folder skin naming one
// large file many times. Each is loaded through the real readers; a refused one
// leaves the skin in use, an accepted one is applied to a shown form with a few
// controls, which paints and builds its regions. The process stays under a
// memory bound, and each skin finishes within a bound stated generously: it is
// there to catch a hang (a skin that takes minutes), not to measure speed
// (bench/skin does that).
#include "test_gtest.h"
#include "SkinTestKit.h"
#include "ControlFixture.h"
#include "CustomZlibStream.h"
#include "Form.h"
#include "SkinButton.h"
#include "SkinPageControl.h"
#include "SkinTabSheet.h"
#include "TabFixture.h"
#include <psapi.h>
#include <cstdlib>
#include <cstring>
#include <functional>

using namespace CtlFixture;
using namespace TabFixture;

namespace {

// Whatever a machine under load does, a skin that needs longer than this is hung.
const DWORD kSkinBoundMs = 60000;
const SIZE_T kPeakCommitBound = SIZE_T(1536) << 20;

// The base skin: the tab element and a button, as the fixtures make them.
std::unique_ptr<TspSkinData> BaseSkin()
{
    auto d = NewTabSkin();
    auto button = NewSkin();
    const int at = static_cast<int>(d->ActivePictures.size());
    for (auto& p : button->ActivePictures) d->ActivePictures.push_back(std::move(p));
    AddButton(d.get())->PictureIndex = at;
    d->SkinName = "Base";
    return d;
}

std::vector<char> SknOf(TspSkinData* D)
{
    TspCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(D);
    TMemoryStream m;
    stored.SaveToCompressStream(&m);
    std::vector<char> v(static_cast<size_t>(m.GetSize()));
    std::memcpy(v.data(), m.Memory(), v.size());
    return v;
}

// The same .skn with Extra appended to its description.
std::vector<char> WithText(const std::vector<char>& Skn, const std::string& Extra)
{
    TMemoryStream block, plain;
    block.WriteBuffer(Skn.data() + 8, static_cast<long>(Skn.size() - 8));
    DeCompressStream(&plain, &block);
    plain.Seek(0, soEnd);
    plain.WriteBuffer(Extra.data(), static_cast<long>(Extra.size()));
    TMemoryStream packed;
    {
        TCompressionStream c(TCompressionLevel::clFastest, &packed);
        c.WriteBuffer(plain.Memory(), static_cast<long>(plain.GetSize()));
        c.Finish();
    }
    std::vector<char> v(8);
    int32_t version = 2, n = static_cast<int32_t>(packed.GetSize());
    std::memcpy(v.data(), &version, 4);
    std::memcpy(v.data() + 4, &n, 4);
    const char* p = static_cast<const char*>(packed.Memory());
    v.insert(v.end(), p, p + n);
    return v;
}

std::string Repeat(const std::string& S, size_t N)
{
    std::string r;
    r.reserve(S.size() * N);
    for (size_t i = 0; i < N; ++i) r += S;
    return r;
}

TspDataSkinButtonControl* Button(TspSkinData* D)
{
    return static_cast<TspDataSkinButtonControl*>(D->ControlRecord(D->GetControlIndex("button")));
}

int AddPicture(TspSkinData* D, std::unique_ptr<TBitmap> B)
{
    D->ActivePictures.push_back(std::move(B));
    return static_cast<int>(D->ActivePictures.size()) - 1;
}

enum TRegionCheck { rcNone, rcChecker, rcNoRegion };

struct THostile {
    const char* What;
    std::function<std::vector<char>()> Make;   // the .skn file
    bool Accepted;
    // What the button's window region must be once applied: every other pixel,
    // or none at all for a mask past the bound of a window region.
    TRegionCheck Region = rcNone;
};

std::vector<THostile> Generate()
{
    using namespace Skindata;
    std::vector<THostile> g;
    g.push_back({"pictures over the bound", [] {
                     auto d = BaseSkin();
                     for (int i = 0; i < MaxSkinPictures; ++i) d->ActivePictures.push_back(NewPicture(1, 1, 0));
                     return SknOf(d.get());
                 }, false});
    g.push_back({"many pictures within the bound", [] {
                     auto d = BaseSkin();
                     for (int i = 0; i < 500; ++i) d->ActivePictures.push_back(NewPicture(1, 1, 0));
                     return SknOf(d.get());
                 }, true});
    g.push_back({"pictures of too many pixels together", [] {
                     auto d = BaseSkin();
                     for (int i = 0; i < 4; ++i) AddPicture(d.get(), SkinKit::Checkerboard(4100, 4100));
                     return SknOf(d.get());
                 }, false});
    g.push_back({"description of too many lines", [] {
                     auto d = BaseSkin();
                     return WithText(SknOf(d.get()), Repeat("\r\n", MaxSkinDescriptionLines + 1));
                 }, false});
    g.push_back({"description of too many keys", [] {
                     auto d = BaseSkin();
                     return WithText(SknOf(d.get()), "[FLOOD]\r\n" + Repeat("a=1\r\n", MaxSkinDescriptionKeys + 1));
                 }, false});
    g.push_back({"description of many keys within the bound", [] {
                     auto d = BaseSkin();
                     return WithText(SknOf(d.get()), "[FLOOD]\r\n" + Repeat("a=1\r\n", MaxSkinDescriptionKeys / 2));
                 }, true});
    g.push_back({"checkerboard mask of 640 x 400 on a fixed element", [] {
                     auto d = BaseSkin();
                     auto* r = Button(d.get());
                     r->PictureIndex = r->MaskPictureIndex = AddPicture(d.get(), SkinKit::Checkerboard(640, 400));
                     r->SkinRect = r->ActiveSkinRect = r->DownSkinRect = r->DisabledSkinRect = TRect(0, 0, 640, 400);
                     r->LeftTopPoint = r->RightTopPoint = TPoint();
                     r->ClientRect = TRect(10, 10, 630, 390);
                     return SknOf(d.get());
                 }, true, rcNoRegion});
    g.push_back({"checkerboard mask of 4000 x 3000 on a 60 x 20 element", [] {
                     auto d = BaseSkin();
                     auto* r = Button(d.get());
                     r->MaskPictureIndex = AddPicture(d.get(), SkinKit::Checkerboard(4000, 3000));
                     r->LeftTopPoint = r->RightTopPoint = TPoint();
                     return SknOf(d.get());
                 }, true, rcChecker});
    g.push_back({"checkerboard mask on a resized eight-point element", [] {
                     auto d = BaseSkin();
                     auto* r = Button(d.get());
                     r->PictureIndex = r->MaskPictureIndex = AddPicture(d.get(), SkinKit::Checkerboard(640, 400));
                     r->SkinRect = r->ActiveSkinRect = r->DownSkinRect = r->DisabledSkinRect = TRect(0, 0, 640, 400);
                     // Bands of 5 pixels: the strips stay within the bound of a region.
                     r->LeftTopPoint = TPoint(5, 5);
                     r->RightTopPoint = TPoint(635, 5);
                     r->LeftBottomPoint = TPoint(5, 395);
                     r->RightBottomPoint = TPoint(635, 395);
                     r->ClientRect = TRect(5, 5, 635, 395);
                     return SknOf(d.get());
                 }, true, rcChecker});
    g.push_back({"checkerboard mask on a resized eight-point element, wide bands", [] {
                     auto d = BaseSkin();
                     auto* r = Button(d.get());
                     r->PictureIndex = r->MaskPictureIndex = AddPicture(d.get(), SkinKit::Checkerboard(640, 400));
                     r->SkinRect = r->ActiveSkinRect = r->DownSkinRect = r->DisabledSkinRect = TRect(0, 0, 640, 400);
                     r->LeftTopPoint = TPoint(200, 150);
                     r->RightTopPoint = TPoint(440, 150);
                     r->LeftBottomPoint = TPoint(200, 250);
                     r->RightBottomPoint = TPoint(440, 250);
                     r->ClientRect = TRect(200, 150, 440, 250);
                     return SknOf(d.get());
                 }, true, rcNoRegion});
    g.push_back({"giant font heights", [] {
                     auto d = BaseSkin();
                     Button(d.get())->Font.Height = 40000;
                     TabRecord(d.get())->Font.Height = -40000;
                     return SknOf(d.get());
                 }, true});
    return g;
}

HRGN RegionOfWindow(HWND W)
{
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(W, r) == ERROR) {
        DeleteObject(r);
        return nullptr;
    }
    return r;
}

// A shown form with a button, a page control of two sheets and a panel-less
// plain area, wearing Skin; painted, regions built.
void ApplyAndPaint(TspSkinData* Skin, const char* What, TRegionCheck Region)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 900, 700);
    auto* b = new TspSkinButton(form.get());
    b->SetParent(form.get());
    b->SetCanFocused(false);
    b->SetBounds(10, 10, 700, 450);
    b->SetCaption("Hostile");
    b->SetSkinData(Skin);
    auto* pc = new TspSkinPageControl(form.get());
    pc->SetParent(form.get());
    pc->SetBounds(10, 470, 300, 200);
    for (int i = 0; i < 2; ++i) {
        auto* t = new TspSkinTabSheet(form.get());
        t->SetPageControl(pc);
        t->SetText("Page " + std::to_string(i));
    }
    pc->UseSkinFont = true;
    pc->SetSkinData(Skin);
    form->Show();
    form->Repaint();
    Snapshot(form.get());
    // Resized while shown: the regions are built again.
    b->SetBounds(10, 10, 680, 440);
    form->Repaint();
    EXPECT_TRUE(b->Skinned()) << What;
    EXPECT_TRUE(pc->Skinned()) << What;
    EXPECT_LE(std::abs(pc->GetFont()->GetHeight()), MaxSkinFontHeight) << What;
    // A checkerboard mask cuts the button to every other pixel (the mask's
    // origin is the button's); past the bound there is no region.
    HRGN r = RegionOfWindow(b->GetHandle());
    if (Region == rcChecker) {
        ASSERT_NE(r, nullptr) << What;
        EXPECT_NE(PtInRegion(r, 0, 0) != 0, PtInRegion(r, 1, 0) != 0) << What;
        EXPECT_EQ(PtInRegion(r, 0, 0) != 0, PtInRegion(r, 1, 1) != 0) << What;
    }
    if (Region == rcNoRegion) {
        EXPECT_EQ(r, nullptr) << What;
    }
    if (r) DeleteObject(r);
    form->Hide();
}

TEST(HostileSkins, RefusedOrAppliedWithinTheBoundAndNothingLost)
{
    auto base = BaseSkin();
    const std::vector<char> reference = SknOf(base.get());
    for (const THostile& h : Generate()) {
        SCOPED_TRACE(h.What);
        TspSkinData skin(nullptr);
        ASSERT_TRUE(SkinKit::LoadSkn(skin, reference));
        const size_t pictures = skin.ActivePictures.size();
        const DWORD start = GetTickCount();
        const std::vector<char> file = h.Make();
        bool loaded = false;
        try {
            loaded = SkinKit::LoadSkn(skin, file);
        } catch (const Exception&) {
            // Refused as a damaged skin is.
        }
        EXPECT_EQ(loaded, h.Accepted);
        if (loaded) {
            ApplyAndPaint(&skin, h.What, h.Region);
        } else {
            // Nothing lost: the skin in use is whole.
            EXPECT_EQ(skin.ActivePictures.size(), pictures);
            EXPECT_EQ(skin.SkinName, "Base");
            EXPECT_GE(skin.GetControlIndex("button"), 0);
            ApplyAndPaint(&skin, h.What, rcNone);
        }
        EXPECT_LT(GetTickCount() - start, kSkinBoundMs);
    }
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)));
    EXPECT_LT(pmc.PeakPagefileUsage, kPeakCommitBound);
}

}  // namespace
