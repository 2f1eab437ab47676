// TCustomImageList / TImageList: equal-sized images on a Win32 image list,
// drawn normally or greyed (the disabled look), with change notification for
// the components that show them.
#pragma once
#include "Bitmap.h"
#include <commctrl.h>
#include <utility>
#include <vector>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    TCustomImageList(int AWidth, int AHeight, TComponent* AOwner = nullptr);
    ~TCustomImageList() override;

    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);          // clears the list
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);         // clears the list
    int GetCount() const;
    HIMAGELIST GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    bool Masked = true;
    TDrawingStyle DrawingStyle = dsNormal;

    // Adds an image (a strip of Width-wide images adds them all); returns the first index.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Pixels of MaskColor become transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(TBitmap* Image, TColor MaskColor);
    int AddIcon(HICON Icon);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void Delete(int Index);
    void Clear();
    // A strip bitmap resource, cut into Width-wide images.
    bool ResourceLoad(HINSTANCE Instance, const std::string& ResName, TColor MaskColor);

    // Greyed (Enabled false): the image's shape in clBtnHighlight, offset by one
    // pixel, under the same shape in clBtnShadow.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void GetBitmap(int Index, TBitmap* Image);

    // Clients hear of every change through the function they register.
    void RegisterChanges(void* Client, const TNotifyEvent& OnChange);
    void UnRegisterChanges(void* Client);
    TNotifyEvent OnChange;

protected:
    virtual void Change();
private:
    void FreeHandle();
    HIMAGELIST FHandle = nullptr;
    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::pair<void*, TNotifyEvent>> FClients;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
    TImageList(int AWidth, int AHeight, TComponent* AOwner = nullptr) : TCustomImageList(AWidth, AHeight, AOwner) {}
};
