// The skinned single-line edits. TspCustomEdit is the transparent EDIT with its
// own read-only mode and a built-in skinned context menu; TspSkinCustomEdit
// paints a skin element's frame (and an optional ellipsis button) around it in
// the non-client area; TspSkinEdit and TspSkinMaskEdit are what forms place.
#pragma once
#include "MaskEdit.h"
#include "SkinChangeWalk.h"
#include "SkinFields.h"
#include "SkinEditMenu.h"
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TBitmap;
class TspSkinData;
class TspSkinPopupMenu;

typedef std::function<void(TControl* Sender)> TspOnEditCancelMode;

class TspCustomEdit : public TCustomMaskEdit {
public:
    explicit TspCustomEdit(TComponent* AOwner);
    ~TspCustomEdit() override;

    bool GetEditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool Value);
    void Invalidate() override;
    // Blocks typing, Delete, cut, paste, clear and undo here; the EDIT itself stays writable.
    bool ReadOnly = false;
    TspOnEditCancelMode OnEditCancelMode;

    void CreateSysPopupMenu();
    // The built-in context menu while it exists (between WM_CONTEXTMENU and WM_AFTERDISPATCH).
    TspSkinPopupMenu* GetSysPopupMenu() const { return FSysMenu.Get(); }
    void DoUndo(TObject* Sender);
    void DoCut(TObject* Sender);
    void DoCopy(TObject* Sender);
    void DoPaste(TObject* Sender);
    void DoDelete(TObject* Sender);
    void DoSelectAll(TObject* Sender);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    virtual bool HasSelection();
    virtual bool IsAllSelected();
    // Where the menu asked for from the keyboard opens: the control's centre.
    virtual TPoint KeyboardMenuPoint();

    void WMContextMenu(TMessage& Message) override;
    void WMAfterDispatch(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void WMSetFont(TMessage& Message);
    void WMChar(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void CNCtlColor(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSetText(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void WMEditCommand(TMessage& Message);
    void PasteFirstLine();
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

    bool FEditTransparent = false;
    bool FLButtonDown = false;
    TspEditSysMenu FSysMenu;
};

class TspSkinCustomEdit : public TspCustomEdit, public TspSkinDataClient {
public:
    explicit TspSkinCustomEdit(TComponent* AOwner);
    ~TspSkinCustomEdit() override;

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    const std::string& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    virtual void GetSkinData();
    void ChangeSkinData() override;
    bool Skinned() const { return FIndex != -1; }

    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool UseSkinFont = true;
    bool GetButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TNotifyEvent OnButtonClick, OnMouseEnter, OnMouseLeave;

    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CalcRects();
    TRect GetButtonRect() const { return FButtonRect; }
    TRect GetEditRect() const { return FEditRect; }
    bool ButtonHot() const { return FButtonHot; }
    bool ButtonPressed() const { return FButtonPressed; }
    // The whole window's look (frame, text background, button) at its size.
    void PaintFrame(TBitmap* B);

    // Copies of the element (valid while Skinned()).
    TColor FontColor = clWindowText, ActiveFontColor = clWindowText, DisabledFontColor = clGrayText;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void SetParentImage();
    void ApplyTextColor();
    bool MouseOrFocus();

    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMNCLButtonDown(TMessage& Message);
    void WMNCLButtonUp(TMessage& Message);
    void WMNCMouseMove(TMessage& Message);
    void WMMouseMove(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    TspSkinDataLink FSD{this};
    std::string FSkinDataName = "edit";
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultWidth = 0, FDefaultHeight = 20;
    bool FButtonMode = false;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 0;
    TAlignment FAlignment = taLeftJustify;

    TRect FSkinRect, FActiveSkinRect, FClRect;
    TRect FSkinButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;
    int FLOffset = 0, FROffset = 0;
    TBitmap* FPicture = nullptr;   // not owned: a picture of the skin
    TspSkinFontFields FSkinFont;   // its colour is FontColor's

    bool FMouseIn = false, FButtonHot = false, FButtonPressed = false;
    TRect FButtonRect, FEditRect;
    std::unique_ptr<TBitmap> FParentImage;

private:
    void OnDefaultFontChange(TObject* Sender);
};

class TspSkinEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinEdit(TComponent* AOwner) : TspSkinCustomEdit(AOwner) {}
};

class TspSkinMaskEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinMaskEdit(TComponent* AOwner) : TspSkinCustomEdit(AOwner) {}
};
