// THeaderControl on the system header control (SysHeader32): a row of sections
// (columns) that the user clicks, resizes by their dividers and, optionally,
// reorders by dragging.
#pragma once
#include "ControlCanvas.h"
#include "WinControl.h"
#include <memory>
#include <string>
#include <vector>

class THeaderControl;
class TCustomImageList;

enum THeaderSectionStyle { hsText, hsOwnerDraw };
enum THeaderStyle { hsButtons, hsFlat };

class THeaderSection {
public:
    THeaderSection(THeaderControl* Owner, int Index) : FOwner(Owner), FIndex(Index) {}
    int GetIndex() const { return FIndex; }
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    THeaderSectionStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderSectionStyle Value);
    bool AllowClick = true;
    // Left and right edge as laid out (in the shown order).
    int GetLeft() const;
    int GetRight() const { return GetLeft() + FWidth; }

private:
    friend class THeaderSections;
    friend class THeaderControl;
    void Changed();
    THeaderControl* FOwner;
    int FIndex;
    std::string FText;
    int FWidth = 50, FMinWidth = 0, FMaxWidth = 10000;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    THeaderSectionStyle FStyle = hsText;
};

class THeaderSections {
public:
    explicit THeaderSections(THeaderControl* Owner) : FOwner(Owner) {}
    THeaderSection* Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    // Null outside the list.
    THeaderSection* Items(int Index) const;

private:
    THeaderControl* FOwner;
    std::vector<std::unique_ptr<THeaderSection>> FItems;
};

typedef std::function<void(THeaderControl* HeaderControl, THeaderSection* Section)> TSectionNotifyEvent;
typedef std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect, bool Pressed)>
    TDrawSectionEvent;

class THeaderControl : public TWinControl {
public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;

    THeaderSections* GetSections() { return &FSections; }
    THeaderStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderStyle Value);
    bool GetDragReorder() const { return FDragReorder; }
    void SetDragReorder(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    // The shown order: position -> section index (identity without a window).
    std::vector<int> OrderArray();
    // The platform's rectangle of item Index; empty outside the list.
    TRect ItemRect(int Index);

    TSectionNotifyEvent OnSectionClick, OnSectionResize;
    TDrawSectionEvent OnDrawSection;

    void Dispatch(TMessage& Message) override;
    // Pushes a section's fields to the window (sections call it when they change).
    void UpdateSection(int Index);
    void UpdateSections();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed);
    virtual void SectionClick(THeaderSection* Section);
    virtual void SectionResize(THeaderSection* Section);
    virtual void CNNotify(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);

    THeaderSections FSections{this};
    THeaderStyle FStyle = hsButtons;
    bool FDragReorder = false;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
};
