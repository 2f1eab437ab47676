// The skinned list box: TspSkinCustomListBox frames an owner-drawn system list
// (TspListBox) with an optional caption bar (text, glyph and the up, down and
// check buttons) and stands skinned scroll bars, created only while needed, in
// for the list's own. TspListBox keeps the system list for items, selection,
// keys and scrolling but paints every row and its background itself, from the
// frame's "listbox" element or in a plain look.
#pragma once
#include "ImgList.h"
#include "ListBox.h"
#include "SkinBoxControls.h"
#include "SkinControl.h"
#include <functional>
#include <memory>
#include <string>
#include "SkinDataLink.h"

class TspSkinCustomListBox;
class TspSkinScrollBar;

typedef std::function<void(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect,
                           TOwnerDrawState State)>
    TspDrawSkinItemEvent;

class TspListBox : public TListBox {
    friend class TspSkinCustomListBox;

public:
    explicit TspListBox(TComponent* AOwner);

    TspSkinCustomListBox* FOwnerBox = nullptr;
    // Horizontal shift of images and texts in pixels (the frame's extent bar).
    int FHScrollOffset = 0;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TOwnerDrawState GetState(int Index);
    void PaintBG(HDC DC);
    void PaintBGWH(TCanvas* Cnvs, int AW, int AH, int AX, int AY);
    void PaintList(HDC DC);
    void PaintColumnsList(HDC DC);
    // Overridable so that lists with more in a row (check boxes) paint it their own way.
    virtual void DrawDefaultItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void DrawSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void DrawStretchSkinItem(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);

protected:
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CNDrawItem(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Click() override;

    // The plain rows' font on C (the box's, or the list's own without a box) but for its
    // colour, and a solid brush; returns that font.
    TFont* PlainItemCanvas(TCanvas* C);
    // The skinned rows, for lists with more in a row: DrawSkinItem and
    // DrawStretchSkinItem paint the row element and call these for what lies on it.
    // The skinned box an item is drawn from, null when there is nothing to draw;
    // an item element without a usable source draws the plain item instead.
    virtual TspSkinCustomListBox* SkinItemOwner(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);
    // What a row shows besides its image and text, on the row bitmap of W x H.
    virtual void DrawSkinItemExtras(TCanvas*, int, int, int, bool) {}
    // The row's image and text in T, on the row bitmap of W x H with the row's font.
    virtual void DrawSkinItemText(TCanvas* C, int Index, int W, int H, const TRect& T, TOwnerDrawState State,
                                  bool Stretch);

private:
    // How a row in State is drawn from the item element: its source and font colour.
    // A focused row that is not selected keeps the plain source and gets a focus frame
    // instead, in the fixed-height form; stretched, the focus source stands for focus.
    struct TSkinItemLook {
        TRect Source;
        TColor FontColor;
        bool FocusFrame;
    };
    TSkinItemLook SkinItemLook(TOwnerDrawState State, bool Stretch) const;
    // The element's text rectangle for a row of W x H (stretched: its height follows too).
    TRect SkinItemTextRect(int W, int H, bool Stretch) const;
    // Source of the item element fitted to Width in B, at the element's height.
    void SkinItemStrip(TBitmap* B, const TRect& Source, int Width);
    // Rows never have a height below one pixel, whatever a skin says.
    int SafeItemHeight();
    void DrawItemByMode(TCanvas* Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);
    void DrawImageAndText(TCanvas* Cnvs, int Index, int W, int H, const TRect& T, TOwnerDrawState State);
};

class TspSkinCustomListBox : public TspSkinCustomControl {
    friend class TspListBox;

public:
    explicit TspSkinCustomListBox(TComponent* AOwner);
    ~TspSkinCustomListBox() override;

    // Overridable behaviour of the inner list.
    virtual int GetFullItemWidth(int Index, TCanvas* ACanvas);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(char& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    virtual void ListBoxWProc(TMessage& Message, bool& CallDefault);
    virtual void ListBoxCreateWnd() {}

    void GetSkinData() override;
    void ChangeSkinData() override;
    // Unbinding the skin data component brings the plain look back at once.
    void SetSkinData(TspSkinData* Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TspListBox* GetListBox() const { return FInnerListBox; }
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetItemIndex() const;
    // Moves the selection; an index outside the items selects nothing.
    void SetItemIndex(int Value);
    bool GetMultiSelect() const;
    void SetMultiSelect(bool Value);
    bool GetExtandedSelect() const;
    void SetExtandedSelect(bool Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    int GetColumns() const;
    void SetColumns(int Value);
    TFont* GetListBoxFont() const;
    void SetListBoxFont(TFont* Value);
    bool GetUseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool Value);
    bool GetHorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int GetDefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetCaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont* GetDefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
    void SetDefaultCaptionFont(TFont* Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);

    int GetSelCount() const;
    bool GetSelected(int Index) const;
    void SetSelected(int Index, bool Value);
    int GetTopIndex() const;
    void SetTopIndex(int Value);
    TCanvas* GetListCanvas() const;

    void Clear();
    int ItemAtPos(const TPoint& Pos, bool Existing);
    TRect ItemRect(int Index);
    int CalcHeight(int Rows);
    void UpDateScrollBar();
    void ShowScrollBar();
    void HideScrollBar();
    void ShowHScrollBar();
    void HideHScrollBar();
    void CalcRects();

    // The item bar (vertical, or horizontal in column mode) and the extent bar; null while not needed.
    TspSkinScrollBar* GetScrollBar() const { return FScrollBar; }
    TspSkinScrollBar* GetHScrollBar() const { return FHorzBar; }
    TRect GetListRect() const { return FListRect; }
    TRect CaptionButtonRect(int I) const { return (I >= 0 && I < ListBoxButtonCount) ? FCaptionButtons[I].R : TRect(); }
    bool CaptionButtonDown(int I) const { return I >= 0 && I < ListBoxButtonCount && FCaptionButtons[I].Down; }
    int RepeatTarget() const { return FRepeatTarget; }

    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TspDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;

protected:
    struct TCaptionButton {
        TRect R;
        bool MouseIn = false, Down = false;
    };

    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateParams(TCreateParams& Params) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void SBChange(TObject* Sender);
    void HSBChange(TObject* Sender);
    void TestActive(int X, int Y);
    void ButtonDown(int I, int X, int Y);
    virtual void ButtonUp(int I, int X, int Y);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void DrawButton(TCanvas* C, int I);
    void StartTimer();
    void StopTimer();
    void WMTimer(TMessage& Message);
    void OnDefaultCaptionFontChange(TObject* Sender);
    void DrawCaptionText(TCanvas* C, const TRect& T, int TextY, bool Skin);
    // The list rows' height as the element gives it, or 0 when it gives none usable.
    int SkinItemHeight() const;
    bool SkinnedList() const { return Skinned() && FElement.Picture != nullptr; }
    void UpdateBarsNow();
    void PlaceParts();
    // Moves the selection by Delta, never past either end of the items.
    void StepItemIndex(int Delta);
    // Switches the extent bar to its corner form beside the item bar, under Name.
    static void SetCornerForm(TspSkinScrollBar* Bar, const std::string& Name);

    TspListBox* FInnerListBox = nullptr;
    TspSkinScrollBar* FScrollBar = nullptr;
    TspSkinScrollBar* FHorzBar = nullptr;
    TCaptionButton FCaptionButtons[ListBoxButtonCount];
    int FActiveButton = -1, FOldActiveButton = -1, FDownButton = -1;
    int FRepeatTarget = 0;
    bool FWaitMode = false;
    bool FSkinChanging = false;
    bool FUpdatingBars = false;
    // Depth of the bars' change handlers: a bar is never freed inside its own call.
    int FInBarChange = 0;
    bool FUpdatePosted = false;
    TRect FListArea, FListRect, FCaptionRect;

    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    int FRowCount = 0;
    int FDefaultItemHeight = 20;
    TspComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = -1;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    int FDefaultCaptionHeight = 20;
    std::unique_ptr<TFont> FDefaultCaptionFont;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;

    // Copied from the "listbox" element.
    TRect SItemRect, SActiveItemRect, SFocusItemRect, SItemTextRect;
    int SItemLeftOffset = 0, SItemRightOffset = 0;
    TspSkinFontFields SFont;
    TColor SActiveFontColor = 0, SFocusFontColor = 0;
    TRect SCaptionRect;
    TspSkinFontFields SCaptionFont;
    std::array<TspStateLooks, ListBoxButtonCount> SButtonLooks;   // [button][state]
    std::string SVScrollBarName = "vscrollbar", SHScrollBarName = "hscrollbar",
                SBothHScrollBarName = "bothhscrollbar";
};

class TspSkinListBox : public TspSkinCustomListBox {
public:
    explicit TspSkinListBox(TComponent* AOwner) : TspSkinCustomListBox(AOwner) {}
};
