// TspSkinTextLabel: a window-less multi-line label whose text is a string list,
// with word wrap, alignment, vertical layout and automatic size; its font and
// colour come from the skin's "stdlabel" element.
#pragma once
#include "Classes.h"
#include "SkinChangeWalk.h"
#include "GraphicControl.h"
#include "Label.h"
#include "SkinStdLabelLook.h"
#include <memory>
#include "SkinDataLink.h"

class TspSkinData;

class TspSkinTextLabel : public TGraphicControl, public TspSkinDataClient {
public:
    explicit TspSkinTextLabel(TComponent* AOwner);
    ~TspSkinTextLabel() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    // Called by name by the re-skin walk.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    virtual std::string GetLabelText() const;
    void Loaded() override;

    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the text on C in R.
    void DoDrawText(TCanvas* C, TRect& R, UINT Flags);

private:
    TspSkinDataLink FSD{this};
    int FIndex = -1;
    TspStdLabelLook FLook;
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TStringList> FLines;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
};
