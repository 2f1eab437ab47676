// Skinned hints: TspSkinHintWindow draws a hint from the skin's [HINTWINDOW]
// look; TspSkinHint, placed on the main form, makes it the application's hint
// window, keeps the hint settings, and shows hints of its own (the frame's
// caption objects) at a point or, after the application's pause, at the mouse.
#pragma once
#include "Bitmap.h"
#include "GdiHandles.h"
#include "HintWindow.h"
#include "SkinData.h"
#include "Timer.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinHint;

class TspSkinHintWindow : public THintWindow {
public:
    explicit TspSkinHintWindow(TComponent* AOwner);
    ~TspSkinHintWindow() override;

    // Only Rect's top-left corner counts: the size comes from the text and the skin.
    void ActivateHint(const TRect& Rect, const std::string& AHint) override;
    // The text's size in the canvas font, and the window's size for it (Width, Height).
    void CalcHintSize(TCanvas* Cnvs, const std::string& S, int& Height, int& Width);
    // The first active TspSkinHint owned by the application's main form, or none.
    static TspSkinHint* FindHintComponent();

    // What the last activation chose (for the frame and for tests).
    TspSkinHint* GetHintComponent() const { return FHintComponent; }
    TspSkinData* GetSkinInUse() const { return FSD; }
    TRect GetNewClRect() const { return FNewClRect; }
    bool GetAlphaApplied() const { return FAlphaApplied; }
    int GetAlphaValue() const { return FAlphaValue; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    virtual void WMNCPaint(TMessage& Message);
    virtual void WMEraseBkGnd(TMessage& Message);
    void SetHintWindowRegion();

private:
    TspDataSkinHintWindow* Record() const { return FSD ? FSD->HintWindow.get() : nullptr; }
    TBitmap* WindowPicture() const;
    void ChooseSkin();
    bool StillServed();
    void ApplyFont(TFont* F) const;
    void ApplyAlpha();
    void DrawText(TCanvas* C);

    TspSkinHint* FHintComponent = nullptr;
    TspSkinData* FSD = nullptr;
    TRect FNewClRect;
    TPoint FNewLTPoint, FNewRTPoint, FNewLBPoint, FNewRBPoint;
    TSize FTextSize;
    TSize FChosenPicture;
    TRect FChosenClient;
    bool FAlphaApplied = false;
    int FAlphaValue = 0;
    std::unique_ptr<TBitmap> FScreenCopy;
};

class TspSkinHint : public TComponent {
public:
    explicit TspSkinHint(TComponent* AOwner);
    ~TspSkinHint() override;

    bool GetActive() const { return FActive; }
    void SetActive(bool Value);
    TspSkinData* GetSkinData() const { return FSD; }
    void SetSkinData(TspSkinData* Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool GetAlphaBlendSupport() const { return FAlphaBlendSupport; }
    // True only where layered windows are used (Sputils::CheckW2KWXP).
    void SetAlphaBlendSupport(bool Value);
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    int AlphaBlendValue = 200;
    TShowHintEvent OnShowHint;

    // Shows the own hint window at a screen point at once.
    void ActivateHint(const TPoint& P, const std::string& AHint);
    // Shows the hint at the mouse after the application's HintPause, and hides
    // it after HintHidePause; a new call replaces a pending one.
    void ActivateHint2(const std::string& AHint);
    void HideHint();
    bool IsVisible() const;
    int GetCursorHeightMargin() const;
    TspSkinHintWindow* GetHintWindow() const { return FHintWindow.get(); }
    bool HintPending() const { return FTimer != nullptr; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SelfOnShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);

private:
    void InstallAsApplicationHandler();
    void DelayTimerTick();
    bool FActive = true;
    TspSkinDataLink FSD{this};
    std::unique_ptr<TFont> FDefaultFont;
    bool FAlphaBlendSupport = true;
    std::unique_ptr<TspSkinHintWindow> FHintWindow;
    std::unique_ptr<TTimer> FTimer, FRetiredTimer;
    bool FTimerHides = false;
    std::string FHintText;
    bool FIsAppHandler = false;
};
