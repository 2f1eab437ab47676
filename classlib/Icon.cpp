#include "Icon.h"
#include <cstdlib>

namespace {
#pragma pack(push, 1)
struct IconDirEntry {
    BYTE Width, Height, Colors, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes, ImageOffset;
};
#pragma pack(pop)
}

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::SetWidth(int Value)
{
    if (Empty()) FWidth = Value;
}

void TIcon::SetHeight(int Value)
{
    if (Empty()) FHeight = Value;
}

void TIcon::TakeSize()
{
    HICON h = GetHandle();
    ICONINFO ii = {};
    if (h && GetIconInfo(h, &ii)) {
        BITMAP bm = {};
        if (ii.hbmColor) {
            GetObjectA(ii.hbmColor, sizeof(bm), &bm);
            FWidth = bm.bmWidth;
            FHeight = bm.bmHeight;
        } else if (ii.hbmMask) {
            GetObjectA(ii.hbmMask, sizeof(bm), &bm);
            FWidth = bm.bmWidth;
            FHeight = bm.bmHeight / 2;
        }
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
}

void TIcon::SetHandle(HICON Value)
{
    FShared = nullptr;
    FHandle.Reset(Value);
    FData.clear();
    TakeSize();
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    HICON h = FShared ? CopyIcon(FShared) : FHandle.Release();
    FShared = nullptr;
    FData.clear();
    return h;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R)
{
    HICON h = GetHandle();
    if (!h) return;
    DrawIconEx(ACanvas->GetHandle(), R.left, R.top, h, R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream* Stream)
{
    long long len = Stream->GetSize() - Stream->GetPosition();
    if (len < 6 + static_cast<long long>(sizeof(IconDirEntry))) throw EInvalidGraphic("Icon image is not valid");
    std::vector<char> data(static_cast<size_t>(len));
    Stream->ReadBuffer(data.data(), static_cast<long>(len));
    const WORD* hdr = reinterpret_cast<const WORD*>(data.data());
    int count = hdr[2];
    if (hdr[0] != 0 || hdr[1] != 1 || count == 0 || 6 + count * sizeof(IconDirEntry) > data.size())
        throw EInvalidGraphic("Icon image is not valid");
    auto* entries = reinterpret_cast<const IconDirEntry*>(data.data() + 6);
    int want = GetSystemMetrics(SM_CXICON);
    int best = -1, bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const IconDirEntry& e = entries[i];
        if (e.ImageOffset + static_cast<size_t>(e.BytesInRes) > data.size()) continue;
        int w = e.Width ? e.Width : 256;
        int score = std::abs(w - want) * 64 - e.BitCount;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best < 0) throw EInvalidGraphic("Icon image is not valid");
    const IconDirEntry& e = entries[best];
    int w = e.Width ? e.Width : 256, h = e.Height ? e.Height : 256;
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(data.data() + e.ImageOffset), e.BytesInRes, TRUE,
                                          0x00030000, w, h, 0);
    if (!icon) throw EInvalidGraphic("Icon image is not valid");
    FShared = nullptr;
    FHandle.Reset(icon);
    FData.swap(data);
    TakeSize();
    Changed();
}

void TIcon::SaveToStream(TStream* Stream)
{
    if (FData.empty()) throw EInvalidGraphic("Only icons read from a file can be saved");
    Stream->WriteBuffer(FData.data(), static_cast<long>(FData.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName)
{
    HICON h = static_cast<HICON>(LoadImageA(Instance, ResName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!h) throw EInvalidGraphic("Resource " + ResName + " not found");
    SetHandle(h);
}

void TIcon::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    HICON h = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(ResID), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!h) throw EInvalidGraphic("Resource " + IntToStr(ResID) + " not found");
    SetHandle(h);
}

void TIcon::Assign(TPersistent* Source)
{
    if (Source == this) return;
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        FHandle.Reset(i->GetHandle() ? CopyIcon(i->GetHandle()) : nullptr);
        FShared = nullptr;
        FData = i->FData;
        FWidth = i->FWidth;
        FHeight = i->FHeight;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}
