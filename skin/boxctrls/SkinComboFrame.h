// What the skinned combo boxes share: a text area beside a drop-down button,
// drawn from the skin element "combobox" or in a plain look, the pointer and keys
// on them, and the drop-down list's common settings. Each combo brings its own
// drop-down list (reached through DropList) and decides what opening, closing and
// moving through the items mean.
#pragma once
#include "ListBox.h"
#include "SkinControl.h"
#include "SkinListBox.h"
#include <string>
#include "SkinDataLink.h"

// The text area of the control and the owner-draw state handed to OnComboBoxDrawItem.
struct TspCBItem {
    TRect R;
    TOwnerDrawState State = 0;
};

// The drop-down button: its rectangle, pointer-inside and down flags.
struct TspCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

class TspSkinComboFrame : public TspSkinCustomControl {
public:
    TspSkinComboFrame(TComponent* AOwner, TControlStyle Style);

    TStrings* GetItems() const { return DropList()->GetItems(); }
    bool GetSorted() const { return DropList()->GetSorted(); }
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void SetListBoxDrawItem(TspDrawSkinItemEvent Value);

    // The drop-down list's own settings, as the list box has them.
    std::string GetListBoxCaption() const { return DropList()->GetCaption(); }
    void SetListBoxCaption(const std::string& Value) { DropList()->SetCaption(Value); }
    bool GetListBoxCaptionMode() const { return DropList()->GetCaptionMode(); }
    TAlignment GetListBoxCaptionAlignment() const { return DropList()->GetAlignment(); }
    void SetListBoxCaptionAlignment(TAlignment Value) { DropList()->SetAlignment(Value); }
    TFont* GetListBoxDefaultFont() const { return DropList()->GetDefaultFont(); }
    void SetListBoxDefaultFont(TFont* Value) { DropList()->SetDefaultFont(Value); }
    TFont* GetListBoxDefaultCaptionFont() const { return DropList()->GetDefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(TFont* Value) { DropList()->SetDefaultCaptionFont(Value); }
    int GetListBoxDefaultItemHeight() const { return DropList()->GetDefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int Value) { DropList()->SetDefaultItemHeight(Value); }
    bool GetListBoxUseSkinItemHeight() const { return DropList()->GetUseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool Value) { DropList()->SetUseSkinItemHeight(Value); }

    virtual void DropDown() {}
    virtual void CloseUp(bool) {}
    bool IsPopupVisible() const { return ListShown(); }
    bool CanCancelDropDown() const { return ListShown() && !FPointerInside; }
    int GetListItemIndex() const { return DropList()->GetItemIndex(); }
    const TspCBItem& GetItemArea() const { return FItem; }
    const TspCBButtonX& GetButton() const { return FButton; }
    // The rectangles of the text area and the button, for the current size and skin.
    virtual void CalcRects();

    void GetSkinData() override;

    TspDrawSkinItemEvent OnListBoxDrawItem;

protected:
    // The drop-down list; null once it is gone.
    virtual TspSkinCustomListBox* DropList() const { return nullptr; }
    // False while something else (an editor) covers the text area and takes the keys.
    virtual bool OwnsItemArea() const { return true; }
    // What the text area shows; the plain form draws the control's text.
    virtual void DrawItemContent(TBitmap* B, TRect TextRect, TOwnerDrawState State);
    // The combo itself, its list, the list's inner list or one of its bars.
    virtual bool IsListPart(const TControl* C) const;
    // Moves to the item the keys chose.
    virtual void KeyStep(int) {}
    // A key that the combos handle each their own way (the arrows, paging, Enter and Escape are handled here).
    virtual void OtherKey(WORD) {}
    virtual void WMMouseWheel(TMessage& Message) { Message.Result = 0; }

    bool ListShown() const;
    // Where a drop-down of height H shows: below the control, above it where the work area ends.
    TPoint DropListPoint(int H);
    // Makes the list's window and brings its selected row into view; the selected row.
    int ReadyDropList(int Count);

    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    TspCBItem FItem;
    TspCBButtonX FButton;
    int FDropDownCount = 8;
    bool FPointerInside = false;
    TspComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = -1;

    // Copies of the skin element.
    TRect FItemRect, FFocusItemRect, FItemTextRect;
    int FItemLeftOffset = 0, FItemRightOffset = 0;
    TspSkinFontFields FSkinFont;
    TColor FFocusFontColor = 0;
    TRect FButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;

private:
    void WMGetDlgCode(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void DrawDefaultButton(TCanvas* C);
    void DrawSkinButton(TCanvas* C);
    void DrawDefaultItem(TCanvas* C);
    void DrawSkinItem(TCanvas* C);
};
