// The skin engine's speed, each figure beside the same work without the
// engine's part, on both shipped skins:
//   (a) loading a .skn against inflating its block with zlib alone;
//   (b) a window region from a mask against scanning the mask's pixels alone;
//   (c) painting a gallery form skinned against the same form unskinned;
//   (d) a skin change on a form of 100 skinned controls, per control;
//   (e) a resize loop of a framed main window: frames per second skinned and unskinned.
// Goals: (a) <= 3x, (b) <= 2x, (c) <= 3x, (e) skinned at least half the unskinned rate.
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinButton.h"
#include "SkinCheckRadioBox.h"
#include "SkinData.h"
#include "SkinLabels.h"
#include "SkinPageControl.h"
#include "SkinPanel.h"
#include "SkinRegion.h"
#include "SkinTabSheet.h"
#include <windows.h>
#include <zlib.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

int gRounds = 20;

void Pump()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

std::vector<unsigned char> FileBytes(const std::string& Path)
{
    TFileStream f(Path, fmOpenRead | fmShareDenyWrite);
    std::vector<unsigned char> v(static_cast<size_t>(f.GetSize()));
    if (!v.empty()) f.ReadBuffer(v.data(), static_cast<long>(v.size()));
    return v;
}

// zlib alone: the block inflated into memory, in pieces as large as the reader's.
size_t InflateAlone(const std::vector<unsigned char>& File)
{
    z_stream z = {};
    inflateInit(&z);
    z.next_in = const_cast<Bytef*>(File.data() + 8);
    z.avail_in = static_cast<uInt>(File.size() - 8);
    std::vector<unsigned char> out;
    unsigned char buf[4096];
    int r = Z_OK;
    while (r == Z_OK) {
        z.next_out = buf;
        z.avail_out = sizeof(buf);
        r = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buf, buf + (sizeof(buf) - z.avail_out));
    }
    inflateEnd(&z);
    return out.size();
}

// (a)
void LoadFigure(const std::string& Path)
{
    const std::vector<unsigned char> file = FileBytes(Path);
    DWORD t0 = GetTickCount();
    for (int i = 0; i < gRounds; ++i) {
        TspSkinData d(nullptr);
        d.LoadFromCompressedFile(Path);
    }
    const DWORD load = GetTickCount() - t0;
    t0 = GetTickCount();
    size_t inflated = 0;
    for (int i = 0; i < gRounds; ++i) inflated = InflateAlone(file);
    const DWORD zlib = GetTickCount() - t0;
    std::printf("  (a) load %.2f ms, zlib alone %.2f ms (%zu bytes inflated): %.1fx (goal <= 3x)\n",
                double(load) / gRounds, double(zlib) / gRounds, inflated, zlib ? double(load) / zlib : 0.0);
}

// The mask a skin gives a window: the main mask, else the largest element mask.
TBitmap* SomeMask(TspSkinData& D)
{
    if (!D.Mask->Empty()) return D.Mask.get();
    TBitmap* best = nullptr;
    for (auto& r : D.CtrlList) {
        const int i = r->MaskPictureIndex;
        if (i < 0 || i >= static_cast<int>(D.ActivePictures.size())) continue;
        TBitmap* b = D.ActivePictures[i].get();
        if (!best || b->GetWidth() * b->GetHeight() > best->GetWidth() * best->GetHeight()) best = b;
    }
    return best;
}

// (b)
void RegionFigure(TspSkinData& D)
{
    TBitmap* mask = SomeMask(D);
    if (!mask) {
        std::printf("  (b) the skin has no mask\n");
        return;
    }
    const int rounds = gRounds * 5;
    DWORD t0 = GetTickCount();
    size_t runs = 0;
    for (int i = 0; i < rounds; ++i) {
        // The pixels alone: the same copy, the same scan, no region.
        mask->Dormant();
        Sputils::TFBitmap copy(mask->GetHandle());
        runs = 0;
        for (int y = 0; y < copy.Height(); ++y) {
            const BYTE* row = copy.Row(y);
            bool in = false;
            for (int x = 0; x < copy.Width(); ++x) {
                const bool black = (row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) == 0;
                if (black && !in) ++runs;
                in = black;
            }
        }
    }
    const DWORD scan = GetTickCount() - t0;
    t0 = GetTickCount();
    for (int i = 0; i < rounds; ++i) DeleteObject(Sputils::CreateMaskRegion(mask, 0, 0));
    const DWORD region = GetTickCount() - t0;
    std::printf("  (b) region %.3f ms, scan alone %.3f ms (%dx%d mask, %zu runs): %.1fx (goal <= 2x)\n",
                double(region) / rounds, double(scan) / rounds, mask->GetWidth(), mask->GetHeight(), runs,
                scan ? double(region) / scan : 0.0);
}

// A form of the basic skinned controls.
struct Gallery {
    std::unique_ptr<TForm> Form;
    std::vector<TspSkinControl*> Controls;
    TspSkinPageControl* Pages = nullptr;
    TspSkinStdLabel* Label = nullptr;

    explicit Gallery(TspSkinData* Skin)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 420, 320);
        for (int i = 0; i < 4; ++i) Place<TspSkinButton>(10 + i * 100, 10, 90, 25, "Button");
        for (int i = 0; i < 3; ++i) Place<TspSkinCheckRadioBox>(10 + i * 130, 50, 120, 20, "Check");
        Place<TspSkinPanel>(10, 80, 180, 80, "Panel");
        Pages = new TspSkinPageControl(Form.get());
        Pages->SetParent(Form.get());
        Pages->SetBounds(200, 80, 210, 150);
        for (int i = 0; i < 3; ++i) {
            auto* t = new TspSkinTabSheet(Form.get());
            t->SetPageControl(Pages);
            t->SetText("Page " + std::to_string(i));
        }
        Label = new TspSkinStdLabel(Form.get());
        Label->SetParent(Form.get());
        Label->SetBounds(10, 180, 180, 20);
        Label->SetCaption("A label");
        SetSkin(Skin);
        Form->Show();
        Pump();
    }
    template <class C> C* Place(int X, int Y, int W, int H, const char* Caption)
    {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(X, Y, W, H);
        c->SetCaption(Caption);
        Controls.push_back(c);
        return c;
    }
    void SetSkin(TspSkinData* Skin)
    {
        for (auto* c : Controls) c->SetSkinData(Skin);
        Pages->SetSkinData(Skin);
        Label->SetSkinData(Skin);
    }
};

// (c)
void PaintFigure(TspSkinData& D)
{
    auto paint = [](TspSkinData* Skin) {
        Gallery g(Skin);
        TBitmap target(420, 320, pf24bit);
        g.Form->PaintTo(target.GetCanvas()->GetHandle(), 0, 0);   // warm
        const DWORD t0 = GetTickCount();
        for (int i = 0; i < gRounds; ++i) g.Form->PaintTo(target.GetCanvas()->GetHandle(), 0, 0);
        return GetTickCount() - t0;
    };
    const DWORD skinned = paint(&D), plain = paint(nullptr);
    std::printf("  (c) gallery painted skinned %.2f ms, unskinned %.2f ms: %.1fx (goal <= 3x)\n",
                double(skinned) / gRounds, double(plain) / gRounds, plain ? double(skinned) / plain : 0.0);
}

// (d) Loads of the other skin's block in turn: once with 100 controls wearing
// the skin that changes, once with them wearing another one (the same load and
// messages, nobody re-skins).
void ChangeFigure(const std::string& Path, const std::string& OtherPath)
{
    TspCompressedStoredSkin a(nullptr), b(nullptr);
    a.LoadFromCompressFile(Path);
    b.LoadFromCompressFile(OtherPath);
    auto run = [&](bool Wearing) {
        TspSkinData changing(nullptr), other(nullptr);
        changing.LoadCompressedStoredSkin(&a);
        other.LoadCompressedStoredSkin(&a);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBounds(0, 0, 800, 600);
        auto* frame = new TspFormFrame(form.get());
        frame->SetSkinData(Wearing ? &changing : &other);
        for (int i = 0; i < 100; ++i) {
            TspSkinControl* c;
            if (i % 3 == 0) c = new TspSkinButton(form.get());
            else if (i % 3 == 1) c = new TspSkinCheckRadioBox(form.get());
            else c = new TspSkinPanel(form.get());
            c->SetParent(form.get());
            c->SetBounds(5 + (i % 10) * 78, 5 + (i / 10) * 55, 74, 24);
            c->SetCaption("C" + std::to_string(i));
            c->SetSkinData(Wearing ? &changing : &other);
        }
        form->Show();
        Pump();
        const DWORD t0 = GetTickCount();
        for (int i = 0; i < gRounds; ++i) {
            changing.LoadCompressedStoredSkin(i % 2 ? &a : &b);
            form->Update();
            Pump();
        }
        return GetTickCount() - t0;
    };
    const DWORD wearing = run(true), bystanders = run(false);
    const double perControl = (double(wearing) - double(bystanders)) / gRounds / 100.0;
    std::printf("  (d) skin change %.1f ms with 100 controls wearing it, %.1f ms without: %.3f ms per control\n",
                double(wearing) / gRounds, double(bystanders) / gRounds, perControl);
}

// (e)
double ResizeRate(TspSkinData* Skin)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(20, 20, 520, 400);
    form->SetCaption("Orvanta");
    auto* frame = new TspFormFrame(form.get());
    frame->SetSkinData(Skin);
    auto* panel = new TspSkinPanel(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    panel->SetSkinData(Skin);
    for (int i = 0; i < 6; ++i) {
        auto* b = new TspSkinButton(panel);
        b->SetParent(panel);
        b->SetBounds(10 + i * 80, 10, 75, 25);
        b->SetCaption("B" + std::to_string(i));
        b->SetSkinData(Skin);
    }
    form->Show();
    Pump();
    const int frames = gRounds * 5;
    const DWORD t0 = GetTickCount();
    for (int i = 0; i < frames; ++i) {
        form->SetBounds(20, 20, 520 + (i % 40) * 5, 400 + (i % 40) * 3);
        UpdateWindow(form->GetHandle());
        RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    }
    const DWORD ms = GetTickCount() - t0;
    return ms ? frames * 1000.0 / ms : 0.0;
}

void ResizeFigure(TspSkinData& D)
{
    const double skinned = ResizeRate(&D), plain = ResizeRate(nullptr);
    std::printf("  (e) resize loop %.1f frames/s skinned, %.1f unskinned: %.2f of the unskinned rate (goal >= 0.5)\n",
                skinned, plain, plain > 0 ? skinned / plain : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) gRounds = std::max(1, std::atoi(argv[1]));
    Application->Initialize();
    const std::string dir = SKINS_DIR;
    const char* skins[] = {"Korvel2", "Sarnic"};
    for (int k = 0; k < 2; ++k) {
        const std::string path = dir + "\\" + skins[k] + ".skn";
        const std::string other = dir + "\\" + skins[1 - k] + ".skn";
        std::printf("%s (%d rounds)\n", skins[k], gRounds);
        std::fflush(stdout);
        TspSkinData d(nullptr);
        if (!d.LoadFromCompressedFile(path)) {
            std::printf("  cannot load %s\n", path.c_str());
            continue;
        }
        LoadFigure(path);
        RegionFigure(d);
        PaintFigure(d);
        ChangeFigure(path, other);
        ResizeFigure(d);
        std::fflush(stdout);
    }
    return 0;
}
