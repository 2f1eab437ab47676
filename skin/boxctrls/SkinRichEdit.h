// TspSkinRichEdit: the rich edit for a skinned form. It has no border, its native
// scroll bars take no room, and two external skinned scroll bars (enabled while
// there is something to scroll) mirror and drive its scrolling. Font and
// background come from a "richedit" element only when SkinSupport is on; the
// skin is applied when SkinData is assigned or the form is loaded.
#pragma once
#include "RichEdit.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinScrollBar;

class TspSkinRichEdit : public TCustomRichEdit {
public:
    explicit TspSkinRichEdit(TComponent* AOwner);
    ~TspSkinRichEdit() override;

    bool SkinSupport = false;
    TspSkinData* GetSkinData() const { return FSD; }
    void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TColor GetDefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TspSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* Value);
    TspSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TspSkinScrollBar* Value);

    void ChangeSkinData();
    void UpDateScrollBars();
    void Loaded() override;
    bool Skinned() const { return FSkinIndex != -1; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Change() override;
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void OnVScrollBarUpButtonClick(TObject* Sender);
    void OnVScrollBarDownButtonClick(TObject* Sender);

private:
    void SyncBar(TspSkinScrollBar* Bar, int Which, int Page);

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "richedit";
    int FSkinIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor = clWindow;
    TspComponentLink<TspSkinScrollBar> FVScrollBar{this};
    TspComponentLink<TspSkinScrollBar> FHScrollBar{this};
};
