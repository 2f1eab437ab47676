// TListView on the system list view (SysListView32): columns, items with
// sub-items and images, virtual items asked for through OnData (OwnerData),
// owner drawing on the list's Canvas, and selection events.
#pragma once
#include "ControlCanvas.h"
#include "ListBox.h"
#include <commctrl.h>
#include <vector>

class TCustomListView;
class TCustomImageList;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };

class TListColumn : public TPersistent {
public:
    TListColumn(TCustomListView* AOwner) : FOwner(AOwner) {}
    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // The width on screen (an AutoSize column fills what the others leave).
    int GetWidth() const;
    void SetWidth(int Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // The column's picture in the list view's small images (-1: none); a
    // header that draws itself shows it.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    int GetIndex() const;
private:
    friend class TCustomListView;
    friend class TListColumns;
    TCustomListView* FOwner;
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    int FImageIndex = -1;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* AOwner) : FOwner(AOwner) {}
    TListColumn* Add();
    int GetCount() const { return static_cast<int>(FItems.size()); }
    TListColumn* GetItem(int Index) const { return FItems.at(Index).get(); }
    TListColumn* operator[](int Index) const { return GetItem(Index); }
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListColumn* Column) const;
private:
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TCustomListView* AOwner);
    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TStrings* GetSubItems() const { return FSubItems.get(); }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void* Data = nullptr;
    int GetIndex() const;
    bool GetSelected() const;
    void SetSelected(bool Value);
    bool GetFocused() const;
    void SetFocused(bool Value);
    TRect DisplayRect(TDisplayCode Code) const;
    void MakeVisible();
    void Update();
    TCustomListView* GetListView() const { return FOwner; }
private:
    friend class TCustomListView;
    friend class TListItems;
    TCustomListView* FOwner;
    std::string FCaption;
    std::unique_ptr<TStringList> FSubItems;
    int FImageIndex = -1;
    int FIndex = -1;          // the row of a virtual item (the temporary item of OnData)
};

class TListItems {
public:
    explicit TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}
    ~TListItems();
    // Virtual lists: the number of rows, set by the program; otherwise the items held.
    int GetCount() const;
    void SetCount(int Value);
    // A virtual list answers with its temporary item, filled by OnData for that row.
    TListItem* GetItem(int Index);
    TListItem* operator[](int Index) { return GetItem(Index); }
    TListItem* Add();
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListItem* Item) const;
    void BeginUpdate();
    void EndUpdate();
private:
    friend class TCustomListView;
    friend class TListItem;
    TCustomListView* FOwner;
    std::vector<TListItem*> FItems;
    int FCount = 0;
    int FUpdateCount = 0;
};

typedef std::function<void(TObject* Sender, TListItem* Item)> TLVOwnerDataEvent;
typedef std::function<void(TCustomListView* Sender, TListItem* Item, TRect Rect, TOwnerDrawState State)>
    TLVDrawItemEvent;
typedef std::function<void(TObject* Sender, TListItem* Item, bool Selected)> TLVSelectItemEvent;
typedef std::function<void(TObject* Sender, TListItem* Item, int Change)> TLVChangeEvent;

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* GetColumns() const { return FColumns.get(); }
    TListItems* GetItems() const { return FItems.get(); }
    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool GetOwnerData() const { return FOwnerData; }
    void SetOwnerData(bool Value);
    bool GetOwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    bool GetRowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    bool GetGridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    TCustomImageList* GetSmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* GetLargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }

    TListItem* GetSelected();
    void SetSelected(TListItem* Value);
    int GetItemIndex();
    void SetItemIndex(int Value);
    TListItem* GetItemFocused();
    int GetSelCount();
    int GetTopIndex();
    TListItem* GetItemAt(int X, int Y);
    void Clear() { FItems->Clear(); }

    TLVOwnerDataEvent OnData;
    TLVDrawItemEvent OnDrawItem;
    TLVSelectItemEvent OnSelectItem;
    TLVChangeEvent OnChange;
    void Dispatch(TMessage& Message) override;

protected:
    friend class TListItems;
    friend class TListItem;
    friend class TListColumn;
    friend class TListColumns;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    // A virtual row's contents: the temporary item filled by OnData.
    virtual TListItem* VirtualItem(int Index);
    // The parts of the item the control asks for now (LVIF_TEXT, LVIF_IMAGE):
    // an owner-data list may leave the others out. Outside LVN_GETDISPINFO
    // every part is asked for.
    UINT AskedParts() const { return FAskedParts; }
    virtual void DrawItem(TListItem* Item, const TRect& Rect, TOwnerDrawState State);
    virtual void CNNotify(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
    void UpdateColumn(int Index);
    void UpdateColumns();
    void InsertItemInWindow(TListItem* Item, int Index);
    void ApplyExtendedStyle();
    void ApplyImages();
    TListItem* ItemOf(int Index);

private:
    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TListItem> FTempItem;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::string FDispText;
    TViewStyle FViewStyle = vsIcon;
    bool FOwnerData = false;
    bool FOwnerDraw = false;
    bool FRowSelect = false;
    bool FReadOnly = false;
    bool FMultiSelect = false;
    bool FHideSelection = true;
    bool FShowColumnHeaders = true;
    bool FGridLines = false;
    bool FUpdatingColumns = false;
    TCustomImageList* FSmallImages = nullptr;
    UINT FAskedParts = LVIF_TEXT | LVIF_IMAGE;
    TCustomImageList* FLargeImages = nullptr;
    std::vector<int> FSavedSelection;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
