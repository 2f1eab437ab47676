// TspSkinMemo2: a frameless multi-line text whose font and background follow the
// skin's "memo" element and which is scrolled through external skinned scroll
// bars placed beside it. The EDIT's own (never visible) scroll state is copied
// to the bars after every change that can move it.
#pragma once
#include "Edit.h"
#include "SkinChangeWalk.h"
#include "SkinFields.h"
#include "SkinEditMenu.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TspSkinPopupMenu;
class TspSkinScrollBar;

class TspSkinMemo2 : public TMemo, public TspSkinDataClient {
public:
    explicit TspSkinMemo2(TComponent* AOwner);
    ~TspSkinMemo2() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    virtual void GetSkinData();
    void ChangeSkinData() override;
    bool Skinned() const { return FIndex != -1; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont = true;

    TspSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* Value);
    TspSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TspSkinScrollBar* Value);
    void UpDateScrollRange();

    void CreateSysPopupMenu();
    TspSkinPopupMenu* GetSysPopupMenu() const { return FSysMenu.Get(); }

    TNotifyEvent OnMouseEnter, OnMouseLeave;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void SetHotLook(bool Hot);
    // The read-only state the context menu offers its commands by.
    virtual bool ContextMenuReadOnly() const { return GetReadOnly(); }
    // Height of a text line in Font, measured on a screen device context.
    static int LineHeight(TFont* Font);

    void WMNCCalcSize(TMessage& Message);
    void WMTextMoved(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMAfterDispatch(TMessage& Message);
    void WMContextMenu(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "memo";
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TspComponentLink<TspSkinScrollBar> FVScrollBar{this};
    TspComponentLink<TspSkinScrollBar> FHScrollBar{this};
    TspEditSysMenu FSysMenu;
    bool FMouseIn = false, FLButtonDown = false;

    TspSkinFontFields FSkinFont{"Arial", 14, 0, clWindowText};
    TColor FActiveFontColor = clWindowText;
    TColor FBGColor = clWindow, FActiveBGColor = clWindow;

private:
    void OnDefaultFontChange(TObject* Sender);
};
