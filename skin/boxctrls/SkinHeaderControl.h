// TspSkinHeaderControl: the platform's header control with every section drawn
// from a button element of the skin (normal, hot and pressed looks, the skin's
// font) or in a plain look, and the area right of the last section filled.
#pragma once
#include "HeaderControl.h"
#include "SkinImage.h"
#include "AliveToken.h"
#include "SkinFields.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinData;
class TBitmap;

typedef std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect, bool Active,
                           bool Pressed, TCanvas* Cnvs)>
    TspCustomDrawSkinSectionEvent;

class TspSkinHeaderControl : public THeaderControl {
public:
    explicit TspSkinHeaderControl(TComponent* AOwner);
    ~TspSkinHeaderControl() override;

    TspSkinData* GetSkinDataComponent() const { return FSD; }
    void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool UseSkinFont = true;
    bool Skinned() const { return FIndex != -1; }
    int HotSection() const { return FActiveSection; }
    bool Pressed() const { return FDown; }

    TSectionNotifyEvent OnSkinSectionClick;
    TspCustomDrawSkinSectionEvent OnDrawSkinSection;

    void ChangeSkinData();
    void GetSkinData();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The platform's rectangle of the section shown at position Index.
    TRect GetSkinItemRect(int Index);
    TRect DrawSkinSection(TCanvas* C, int Index, bool Active, bool Pressed);
    void DrawSkinSectionR(TCanvas* C, THeaderSection* Section, bool Active, bool Pressed, const TRect& R);
    void WndProc(TMessage& Message) override;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void TestActive(int X, int Y);
    // Asks the platform whether the point lies on a divider.
    void HitTest(int X, int Y);
    int FixedHeight() const;   // the skin's height for a fixed-height element, else 0
    void FillRest(TCanvas* C);
    // The section element's eight points grown from the skin rectangle to W x H,
    // drawn from Source (a rectangle of the section picture).
    Sputils::TSkinImageArgs ImageArgs(const TRect& Source, int W, int H) const;

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "resizebutton";
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultHeight = 0;
    int FIndex = -1;
    int FActiveSection = -1, FOldActiveSection = -1;
    bool FDown = false, FTracking = false, FOnDivider = false;

    // Skin values.
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FDownSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    TspSkinFontFields FSkinFont;
    TColor FActiveFontColor = 0, FDownFontColor = 0;
    TAliveToken FAlive;
};
