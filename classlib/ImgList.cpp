#include "ImgList.h"
#include "Trace.h"
#include "GdiHandles.h"
#include <algorithm>

namespace {
COLORREF ListColor(TColor c)
{
    if (c == clNone) return CLR_NONE;
    if (c == clDefault) return CLR_DEFAULT;
    return ColorToRGB(c);
}
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight, TComponent* AOwner)
    : TComponent(AOwner), FWidth(AWidth), FHeight(AHeight)
{
}

TCustomImageList::~TCustomImageList()
{
    FClients.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle()
{
    if (FHandle) ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

HIMAGELIST TCustomImageList::GetHandle()
{
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | (Masked ? ILC_MASK : 0), 4, 4);
        if (!FHandle) throw EInvalidOperation("Image list could not be created");
    }
    return FHandle;
}

int TCustomImageList::GetCount() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::SetWidth(int Value)
{
    if (Value == FWidth || Value <= 0) return;
    FWidth = Value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value == FHeight || Value <= 0) return;
    FHeight = Value;
    FreeHandle();
    Change();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->Empty()) return -1;
    Image->Dormant();
    if (Mask) Mask->Dormant();
    int r = ImageList_Add(GetHandle(), Image->GetHandle(), Mask ? Mask->GetHandle() : nullptr);
    Change();
    return r;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty()) return -1;
    if (MaskColor == clDefault) MaskColor = Image->GetCanvas()->GetPixel(0, Image->GetHeight() - 1);
    Image->Dormant();
    int r = ImageList_AddMasked(GetHandle(), Image->GetHandle(), ColorToRGB(MaskColor));
    Change();
    return r;
}

int TCustomImageList::AddIcon(HICON Icon)
{
    int r = ImageList_ReplaceIcon(GetHandle(), -1, Icon);
    Change();
    return r;
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    if (!Image) return;
    Image->Dormant();
    if (Mask) Mask->Dormant();
    if (!ImageList_Replace(GetHandle(), Index, Image->GetHandle(), Mask ? Mask->GetHandle() : nullptr))
        throw EInvalidOperation("Failed to replace image");
    Change();
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Image index out of range");
    ImageList_Remove(GetHandle(), Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (FHandle) ImageList_Remove(FHandle, -1);
    Change();
}

bool TCustomImageList::ResourceLoad(HINSTANCE Instance, const std::string& ResName, TColor MaskColor)
{
    TBitmap b;
    try {
        b.LoadFromResourceName(Instance, ResName);
    } catch (const EInvalidGraphic&) {
        Trace::Caught(Trace::ClassLib, "image list resource " + ResName);
        return false;
    }
    return AddMasked(&b, MaskColor) >= 0;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!FHandle || Index < 0 || Index >= GetCount()) return;
    HDC dc = Canvas->GetHandle();
    if (Enabled) {
        UINT style = DrawingStyle == dsFocus ? ILD_FOCUS : DrawingStyle == dsSelected ? ILD_SELECTED
                     : DrawingStyle == dsTransparent ? ILD_TRANSPARENT : ILD_NORMAL;
        if (Masked) style |= ILD_TRANSPARENT;
        ImageList_DrawEx(FHandle, Index, dc, X, Y, 0, 0, ListColor(BkColor), ListColor(BlendColor), style);
        return;
    }
    // The disabled look: the image in black and white, black becoming the
    // highlight colour (offset) and then the shadow colour.
    const DWORD ropDSPDxax = 0x00E20746;
    // A device-dependent monochrome bitmap: its 0 and 1 bits take the
    // destination's text and background colours (a 1-bit DIB would bring its
    // own colour table instead).
    TBitmapHandle mono(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    TMemoryDC monoDC;
    TSelectGuard sel(monoDC.Get(), mono.Get());
    HDC mdc = monoDC.Get();
    PatBlt(mdc, 0, 0, FWidth, FHeight, WHITENESS);
    ImageList_DrawEx(FHandle, Index, mdc, 0, 0, 0, 0, CLR_DEFAULT, 0, ILD_NORMAL);
    TBrush* brush = Canvas->GetBrush();
    TColor oldColor = brush->GetColor();
    TBrushStyle oldStyle = brush->GetStyle();
    brush->SetColor(clBtnHighlight);
    dc = Canvas->GetHandle();
    Canvas->RequiredState(csHandleValid | csBrushValid);
    COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255)), oldBk = SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, X + 1, Y + 1, FWidth, FHeight, mdc, 0, 0, ropDSPDxax);
    brush->SetColor(clBtnShadow);
    Canvas->RequiredState(csHandleValid | csBrushValid);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, X, Y, FWidth, FHeight, mdc, 0, 0, ropDSPDxax);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    brush->SetColor(oldColor);
    brush->SetStyle(oldStyle);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (!Image) return;
    Image->SetPixelFormat(pf24bit);
    Image->SetSize(FWidth, FHeight);
    TCanvas* c = Image->GetCanvas();
    c->GetBrush()->SetColor(BkColor == clNone ? clWhite : BkColor);
    c->FillRect(TRect(0, 0, FWidth, FHeight));
    Draw(c, 0, 0, Index, true);
}

void TCustomImageList::RegisterChanges(void* Client, const TNotifyEvent& Event)
{
    UnRegisterChanges(Client);
    FClients.emplace_back(Client, Event);
}

void TCustomImageList::UnRegisterChanges(void* Client)
{
    FClients.erase(std::remove_if(FClients.begin(), FClients.end(),
                                  [Client](const std::pair<void*, TNotifyEvent>& p) { return p.first == Client; }),
                   FClients.end());
}

void TCustomImageList::Change()
{
    auto clients = FClients;
    for (auto& c : clients)
        if (c.second) c.second(this);
    if (OnChange) OnChange(this);
}
