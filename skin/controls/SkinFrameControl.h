// TspFrameSkinControl: a control that shows one frame of a strip of equal
// frames (from a skin "frame" record, or from DefaultImage while unskinned) and
// is always exactly one frame in size.
#pragma once
#include "SkinControl.h"
#include "SkinIniValues.h"
#include <memory>

class TspFrameSkinControl : public TspSkinControl {
public:
    explicit TspFrameSkinControl(TComponent* AOwner);
    ~TspFrameSkinControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    virtual void CalcDefaultFrameSize();

    // The frame shown, from 1; kept inside the strip.
    int GetFrame() const { return FCurrentFrame; }
    void SetFrame(int N);
    int GetFrameCount() const { return FFrameCount; }
    int GetFrameWidth() const { return FFrameWidth; }
    int GetFrameHeight() const { return FFrameHeight; }
    TFramesPlacement GetFramesPlacement() const { return FFramesPlacement; }
    // Skinned, or unskinned with a DefaultImage, and a strip of a drawable size.
    bool HasFrames() const;
    // Frame N (from 1) of a strip of the frame size whose top left is Origin.
    TRect FrameRect(const TPoint& Origin, int N) const;

    TBitmap* GetDefaultImage() const { return FDefaultImage.get(); }
    void SetDefaultImage(TBitmap* Value);
    TBitmap* GetDefaultMask() const { return FDefaultMask.get(); }
    void SetDefaultMask(TBitmap* Value);
    int GetDefaultFramesCount() const { return FDefaultFramesCount; }
    void SetDefaultFramesCount(int Value);
    TFramesPlacement GetDefaultFramesPlacement() const { return FDefaultFramesPlacement; }
    void SetDefaultFramesPlacement(TFramesPlacement Value);
    bool HasWindowRegion() const { return FRgn != nullptr; }

    virtual void SetControlRegion();

protected:
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Frame count, placement and size from a strip of W x H pixels.
    void SetStrip(int W, int H, int Count, TFramesPlacement Placement);
    void ClearStrip();

    int FCurrentFrame = 1;
    int FFrameWidth = 0, FFrameHeight = 0;
    TBitmap* FStripPicture = nullptr;   // not owned: the skin's
    TBitmap* FStripMask = nullptr;
    std::unique_ptr<TBitmap> FDefaultImage, FDefaultMask;
    int FDefaultFramesCount = 1;
    TFramesPlacement FDefaultFramesPlacement = fpHorizontal;
    TRect FStripRect;
    int FFrameCount = 0;
    TFramesPlacement FFramesPlacement = fpHorizontal;
};
