// The windowed skinned-control contract: TspSkinControl finds its record in the
// skin data component by name and paints through one off-screen picture (blended
// over its parent on request); TspSkinCustomControl adds the resizable element
// (size fitting, composition by resize mode, window region from the mask).
#pragma once
#include "AliveToken.h"
#include "CustomControl.h"
#include "SkinElement.h"
#include "SkinFields.h"
#include <memory>
#include <string>

class TspSkinData;
class TspDataSkinControl;

// Scoped: the class library's panel bevels (TPanelBevel) use the same three names.
enum class TspSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TspSkinControl : public TCustomControl {
public:
    explicit TspSkinControl(TComponent* AOwner);
    ~TspSkinControl() override;

    TspSkinData* GetSkinDataComponent() const { return FSD; }
    virtual void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    virtual void SetSkinDataName(const std::string& Value);
    bool GetAlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    // Position of the control's record in the skin's control list; -1 = unskinned.
    int GetSkinIndex() const { return FIndex; }
    bool Skinned() const { return FIndex != -1; }

    virtual void GetSkinData();
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData();

    std::string AreaName;
    bool DrawDefault = true;
    bool UseSkinCursor = false;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void CreateControlDefaultImage(TBitmap* B) {}
    virtual void CreateControlSkinImage(TBitmap* B) {}
    void Paint() override;
    // Draws a finished control image, blended over the parent when AlphaBlend is on.
    void PresentImage(TBitmap* B);
    void ApplySkinCursor();
    // The record at the skin index, or null.
    TspDataSkinControl* CurrentRecord() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    TspSkinData* FSD = nullptr;
    std::string FSkinDataName;
    int FIndex = -1;
    int FSkinCursorIndex = -1;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    // The region handed to the window: the window owns it, this only says one is set.
    HRGN FRgn = nullptr;
    TAliveToken FAlive;
};

class TspSkinCustomControl : public TspSkinControl {
public:
    explicit TspSkinCustomControl(TComponent* AOwner);
    ~TspSkinCustomControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    int GetResizeMode() const { return FElement.GetResizeMode(); }
    const TspSkinElement& Element() const { return FElement; }
    TRect GetNewRect(const TRect& R) { return FElement.GetNewRect(R, GetWidth(), GetHeight()); }
    bool HasWindowRegion() const { return FRgn != nullptr; }

    bool UseSkinFont = true;

    virtual void CalcSize(int& W, int& H);
    virtual void SetControlRegion();

protected:
    virtual void DefaultFontChange() {}
    // The record kind this control draws from; a record of another kind leaves
    // the control unskinned (its plain look and size).
    virtual bool AcceptsRecord(const TspDataSkinControl* Rec) const;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R);
    void CreateWnd() override;
    void DestroyWnd() override;
    // The canvas font for skinned text by the font rule: the record's font (with
    // DefaultFont's character set) under UseSkinFont, else DefaultFont.
    void ApplySkinFont(TCanvas* C, const TspSkinFontFields& Font, TColor Color);

    int FDefaultWidth = 0, FDefaultHeight = 0;
    std::unique_ptr<TFont> FDefaultFont;
    TspSkinElement FElement;

private:
    void OnDefaultFontChange(TObject* Sender);
};
