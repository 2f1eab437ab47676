// The common part of the skinned dialog components: the window title, the skins
// of the window and of its controls (both let go when freed), the controls'
// font, the window's alpha blending and the change handler a confirmed run calls.
#pragma once
#include "Classes.h"
#include "Graphics.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinDialogComponent : public TComponent {
public:
    TspSkinDialogComponent(TComponent* AOwner, const std::string& Title, BYTE AlphaBlendValue);
    ~TspSkinDialogComponent() override;

    std::string GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TspSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    TspSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TspSkinData* Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

    bool AlphaBlend = false, AlphaBlendAnimation = false;
    BYTE AlphaBlendValue;
    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Change();

    // Points Ref at the running window for as long as it lives.
    template <class TWindow> struct TRunning {
        TWindow*& Ref;
        TRunning(TWindow*& R, TWindow* Window) : Ref(R) { Ref = Window; }
        ~TRunning() { Ref = nullptr; }
        TRunning(const TRunning&) = delete;
        TRunning& operator=(const TRunning&) = delete;
    };

    std::string FTitle;
    TspSkinDataLink FSkinData{this};
    TspSkinDataLink FCtrlSkinData{this};
    std::unique_ptr<TFont> FDefaultFont;
};
