// TspSkinLinkLabel: a hyperlink label, underlined, that changes colour under the
// mouse and opens its URL when clicked; its font comes from the skin's
// "stdlabel" element. TspSkinLinkImage: a picture that opens its URL when clicked.
#pragma once
#include "AliveToken.h"
#include "SkinChangeWalk.h"
#include "Image.h"
#include "Label.h"
#include "SkinStdLabelLook.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinLinkLabel : public TCustomLabel, public TspSkinDataClient {
public:
    explicit TspSkinLinkLabel(TComponent* AOwner);
    ~TspSkinLinkLabel() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    // Called by name by the re-skin walk.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool MouseIn() const { return FMouseIn; }
    void Click() override;

    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    TColor DefaultActiveFontColor = clBlue;
    std::string URL;

protected:
    void DoDrawText(TRect& R, UINT Flags) override;
    void AdjustBounds() override;
    void DrawTextOn(TCanvas* C, TRect& R, UINT Flags);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    // Hands the address to the shell; nothing is reported when it cannot open it.
    virtual void OpenURL(const std::string& Address);

private:
    TspSkinDataLink FSD{this};
    int FIndex = -1;
    TspStdLabelLook FLook;
    std::unique_ptr<TFont> FDefaultFont;
    bool FMouseIn = false;
    TAliveToken FAlive;
};

class TspSkinLinkImage : public TImage {
public:
    explicit TspSkinLinkImage(TComponent* AOwner);
    void Click() override;
    std::string URL;

protected:
    virtual void OpenURL(const std::string& Address);

private:
    TAliveToken FAlive;
};

namespace Skinctrls {
// ShellExecute's "open" of Address, without a window of ours; the result is ignored.
void ShellOpen(const std::string& Address);
}
