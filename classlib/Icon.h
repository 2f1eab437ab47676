// TIcon: an icon read from an .ico file or a resource, drawn with its mask.
#pragma once
#include "Graphic.h"
#include <vector>

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    bool Empty() const override { return !FHandle.Get() && !FShared; }
    int GetWidth() const override { return FWidth; }
    void SetWidth(int Value) override;
    int GetHeight() const override { return FHeight; }
    void SetHeight(int Value) override;

    HICON GetHandle() const { return FShared ? FShared : FHandle.Get(); }
    void SetHandle(HICON Value);          // takes ownership
    HICON ReleaseHandle();
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // The .ico format; the image whose size is nearest the system icon size is used.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;   // the file it was read from
    void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    void Assign(TPersistent* Source) override;

private:
    void TakeSize();
    TIconHandle FHandle;
    HICON FShared = nullptr;         // a shared system icon, not destroyed
    int FWidth = 0;
    int FHeight = 0;
    std::vector<char> FData;         // the .ico file, kept for saving
};
