// TspSkinControlBar: the bar of movable bands (its child controls), whose background is
// tiled from the skin's "controlbar" element or a background picture, each band
// framed by the element's item image, and, with SkinBevel, its window border drawn
// from the element's frame.
#pragma once
#include "ControlBar.h"
#include "SkinChangeWalk.h"
#include "SkinElement.h"
#include <string>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinControlBar : public TCustomControlBar, public TspSkinDataClient {
public:
    explicit TspSkinControlBar(TComponent* AOwner);

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    void GetSkinData();
    // Called by name by the re-skin walk.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }
    bool Skinned() const { return FIndex != -1 && FPicture; }
    bool GetSkinBevel() const { return FSkinBevel; }
    void SetSkinBevel(bool Value);

    std::string SkinDataName = "controlbar";

    // The tiles of a W x H area with tiles of TW x TH: columns 0 .. W div TW and
    // rows 0 .. H div TH, the last ones cut at the edges (empty ones left out).
    static std::vector<TRect> Tiles(int W, int H, int TW, int TH);
    // A band's frame: the item image's borders around R.
    void PaintControlFrame(TCanvas* C, TControl* Control, const TRect& R) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgndSkin(TMessage& Message);
    void PaintNCSkin();

    TspSkinDataLink FSD{this};
    int FIndex = -1;
    bool FSkinBevel = false;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    TRect FSkinRect, FClRect, FItemRect;
    TBitmap* FPicture = nullptr;
    int FBGPictureIndex = -1;
};
