// The window-less twins of the skinned-control contract: the same lookup, paint
// pipeline and resizable element as TspSkinControl / TspSkinCustomControl, on a
// graphic control (no window, so no region and no mask; the image behind comes
// from the parent and the earlier window-less siblings only).
#pragma once
#include "AliveToken.h"
#include "GraphicControl.h"
#include "SkinElement.h"
#include "SkinFields.h"
#include <memory>
#include <string>

class TspSkinData;
class TspDataSkinControl;

class TspGraphicSkinControl : public TGraphicControl {
public:
    explicit TspGraphicSkinControl(TComponent* AOwner);
    ~TspGraphicSkinControl() override;

    TspSkinData* GetSkinDataComponent() const { return FSD; }
    virtual void SetSkinData(TspSkinData* Value);
    bool GetAlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    int GetSkinIndex() const { return FIndex; }
    bool Skinned() const { return FIndex != -1; }

    virtual void GetSkinData();
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData();

    // Written directly: the next paint's lookup uses it.
    std::string SkinDataName;
    std::string AreaName;
    bool DrawDefault = true;
    bool UseSkinCursor = false;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void CreateControlDefaultImage(TBitmap* B) {}
    virtual void CreateControlSkinImage(TBitmap* B) {}
    void Paint() override;
    void PresentImage(TBitmap* B);
    void ApplySkinCursor();
    TspDataSkinControl* CurrentRecord() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    TspSkinData* FSD = nullptr;
    int FIndex = -1;
    int FSkinCursorIndex = -1;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    TAliveToken FAlive;
};

class TspGraphicSkinCustomControl : public TspGraphicSkinControl {
public:
    explicit TspGraphicSkinCustomControl(TComponent* AOwner);
    ~TspGraphicSkinCustomControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    int GetResizeMode() const { return FElement.GetResizeMode(); }
    const TspSkinElement& Element() const { return FElement; }
    TRect GetNewRect(const TRect& R) { return FElement.GetNewRect(R, GetWidth(), GetHeight()); }

    bool UseSkinFont = true;
    virtual void CalcSize(int& W, int& H);

protected:
    virtual void DefaultFontChange() {}
    virtual bool AcceptsRecord(const TspDataSkinControl* Rec) const;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateSkinControlImage(TBitmap* B, TBitmap* Picture, const TRect& R);
    void ApplySkinFont(TCanvas* C, const TspSkinFontFields& Font, TColor Color);

    int FDefaultWidth = 0, FDefaultHeight = 0;
    std::unique_ptr<TFont> FDefaultFont;
    TspSkinElement FElement;

private:
    void OnDefaultFontChange(TObject* Sender);
};
