// The skinned-control contract over either kind of control: TspSkinControlOf
// finds its record in the skin data component by name and paints through one
// off-screen picture (blended over what lies behind on request);
// TspSkinCustomControlOf adds the resizable element (size fitting, composition
// by resize mode). The windowed TspSkinControl / TspSkinCustomControl and the
// window-less TspGraphicSkinControl / TspGraphicSkinCustomControl are their kinds.
#pragma once
#include "AliveToken.h"
#include "WinControl.h"
#include "SkinDataLink.h"
#include "SkinElement.h"
#include "SkinFields.h"
#include <memory>
#include <string>
#include <type_traits>

class TBitmap;
class TspDataSkinControl;

template <class TBase>
class TspSkinControlOf : public TBase {
public:
    explicit TspSkinControlOf(TComponent* AOwner) : TBase(AOwner) {}

    TspSkinData* GetSkinDataComponent() const { return FSD; }
    virtual void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    // Position of the control's record in the skin's control list; -1 = unskinned.
    int GetSkinIndex() const { return FIndex; }
    bool Skinned() const { return FIndex != -1; }

    virtual void GetSkinData();
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { FIndex = -1; }

    std::string AreaName;
    bool DrawDefault = true;
    bool UseSkinCursor = false;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void CreateControlDefaultImage(TBitmap* B) {}
    virtual void CreateControlSkinImage(TBitmap* B) {}
    void Paint() override;
    // Draws a finished control image, blended over what lies behind when AlphaBlend is on.
    void PresentImage(TBitmap* B);
    void ApplySkinCursor();
    // The record at the skin index, or null.
    TspDataSkinControl* CurrentRecord() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    TspSkinDataLink FSD{this};
    std::string FSkinDataName;
    int FIndex = -1;
    int FSkinCursorIndex = -1;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    TAliveToken FAlive;

private:
    // What lies behind the control: the parent's image, for a window-less control
    // with the earlier window-less siblings drawn over it.
    void DrawParentImage(TCanvas* Dest);
};

// TSkinBase: TspSkinControl or TspGraphicSkinControl.
template <class TSkinBase>
class TspSkinCustomControlOf : public TSkinBase {
public:
    explicit TspSkinCustomControlOf(TComponent* AOwner);
    ~TspSkinCustomControlOf() override;

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
    TRect GetNewRect(const TRect& R) { return FElement.GetNewRect(R, this->GetWidth(), this->GetHeight()); }

    bool UseSkinFont = true;

    virtual void CalcSize(int& W, int& H);
    // The window region from the element's mask; a window-less control has none.
    virtual void SetControlRegion() {}

protected:
    // Only a window takes the mask's region.
    static constexpr bool HasWindow = std::is_base_of_v<TWinControl, TSkinBase>;

    virtual void DefaultFontChange() {}
    // The record kind this control draws from; a record of another kind leaves
    // the control unskinned (its plain look and size).
    virtual bool AcceptsRecord(const TspDataSkinControl* Rec) const;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R);
    // The canvas font for skinned text by the font rule: the record's font (with
    // DefaultFont's character set) under UseSkinFont, else DefaultFont.
    void ApplySkinFont(TCanvas* C, const TspSkinFontFields& Font, TColor Color);

    int FDefaultWidth = 0, FDefaultHeight = 0;
    std::unique_ptr<TFont> FDefaultFont;
    TspSkinElement FElement;

private:
    void OnDefaultFontChange(TObject* Sender);
};

// Both templates are instantiated in SkinControlBase.cpp, for the two kinds.
