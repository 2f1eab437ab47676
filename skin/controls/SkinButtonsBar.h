// TspSkinButtonsBar: a vertical bar of sections, each a heading button with a list
// of large item buttons; the headings up to the open section stand at the top,
// the later ones at the bottom, the open section's items fill the middle, as
// many as fit, and two small repeating arrows scroll the rest.
#pragma once
#include "ImgList.h"
#include "SkinButton.h"
#include "SkinPanel.h"
#include "SkinSpeedButton.h"
#include <memory>
#include <vector>
#include "SkinDataLink.h"

class TspSkinButtonsBar;
class TspButtonBarSection;
class TspButtonBarSections;

class TspButtonBarItem {
public:
    explicit TspButtonBarItem(TspButtonBarSection* Section) : FSection(Section) {}
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TspButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TspButtonLayout Value);
    void Assign(const TspButtonBarItem& Source);
    void Click();

    TNotifyEvent OnClick;
    int Tag = 0;
    std::string Hint;

private:
    void Changed();
    TspButtonBarSection* FSection;
    std::string FText;
    int FImageIndex = 0;
    TspButtonLayout FLayout = blGlyphTop;
};

class TspButtonBarItems {
public:
    explicit TspButtonBarItems(TspButtonBarSection* Section) : FSection(Section) {}
    TspButtonBarItem* Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TspButtonBarItem* Item(int Index) const;

private:
    TspButtonBarSection* FSection;
    std::vector<std::unique_ptr<TspButtonBarItem>> FItems;
};

class TspButtonBarSection {
public:
    explicit TspButtonBarSection(TspButtonBarSections* Collection);
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TspButtonBarItems* GetItems() const { return FItems.get(); }
    // Display name: Text, or the collection's default name when that is empty.
    std::string GetDisplayName() const;
    void Assign(const TspButtonBarSection& Source);
    int Index() const;
    void Click();
    // A change of this section or one of its items.
    void Changed();

    TNotifyEvent OnClick;
    int Tag = 0;
    std::string Hint;

private:
    TspButtonBarSections* FCollection;
    std::unique_ptr<TspButtonBarItems> FItems;
    std::string FText;
    int FImageIndex = 0;
};

class TspButtonBarSections {
public:
    explicit TspButtonBarSections(TspSkinButtonsBar* Bar) : FBar(Bar) {}
    TspButtonBarSection* Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FSections.size()); }
    TspButtonBarSection* Section(int Index) const;
    int IndexOf(const TspButtonBarSection* S) const;
    // Section changed (null: the whole collection).
    void Update(TspButtonBarSection* S);
    // Several changes reported as one whole-collection change when it ends.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

private:
    TspSkinButtonsBar* FBar;
    std::vector<std::unique_ptr<TspButtonBarSection>> FSections;
    int FUpdateCount = 0;
};

class TspSectionButton : public TspSkinSpeedButton {
public:
    TspSectionButton(TspSkinButtonsBar* Bar, int SectionIndex);
    int SectionIndex() const { return FSectionIndex; }
    void ButtonClick() override;

private:
    TspSkinButtonsBar* FBar;
    int FSectionIndex;
};

class TspSectionItem : public TspSkinSpeedButton {
public:
    TspSectionItem(TComponent* AOwner, TspSkinButtonsBar* Bar, int SectionIndex, int ItemIndex);
    int ItemIndex() const { return FItemIndex; }
    void ButtonClick() override;

private:
    TspSkinButtonsBar* FBar;
    int FSectionIndex, FItemIndex;
};

class TspSkinButtonsBar : public TspSkinPanel {
public:
    explicit TspSkinButtonsBar(TComponent* AOwner);
    ~TspSkinButtonsBar() override;

    TspButtonBarSections* GetSections() const { return FSections.get(); }
    int GetSectionIndex() const { return FSectionIndex; }
    void SetSectionIndex(int Value);
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    int GetDefaultButtonHeight() const { return FDefaultButtonHeight; }
    void SetDefaultButtonHeight(int Value);
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    bool GetItemsTransparent() const { return FItemsTransparent; }
    void SetItemsTransparent(bool Value);
    TCustomImageList* GetItemImages() const { return FItemImages; }
    void SetItemImages(TCustomImageList* Value);
    TCustomImageList* GetSectionImages() const { return FSectionImages; }
    void SetSectionImages(TCustomImageList* Value);
    TFont* GetDefaultSectionFont() const { return FDefaultSectionFont.get(); }
    void SetDefaultSectionFont(TFont* Value) { FDefaultSectionFont->Assign(Value); }
    TFont* GetDefaultItemFont() const { return FDefaultItemFont.get(); }
    void SetDefaultItemFont(TFont* Value) { FDefaultItemFont->Assign(Value); }
    void SetSkinData(TspSkinData* Value) override;
    void ChangeSkinData() override;

    void OpenSection(int Index);
    void UpdateSection(int Index);
    void UpdateSections();
    void UpDateSectionButtons();
    void UpdateItems();
    void CheckVisibleItems();
    void ScrollUp();
    void ScrollDown();

    // What is on show, for the owner and for tests.
    TspSkinPanel* ItemPanel() const { return FItemPanel; }
    int HeadingCount() const { return static_cast<int>(FHeadings.size()); }
    TspSectionButton* Heading(int I) const;
    int ItemButtonCount() const { return static_cast<int>(FItemButtons.size()); }
    TspSectionItem* ItemButton(int I) const;
    int FirstShown() const { return FFirst; }
    int ShownCount() const { return FCount; }
    TspSkinButton* UpButton() const { return FUpButton; }
    TspSkinButton* DownButton() const { return FDownButton; }

    bool ShowItemHint = true;
    std::string SectionButtonSkinDataName = "toolbutton";

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ClearSections();
    void ClearItems();
    void ArangeItems();
    void ShowUpButton();
    void ShowDownButton();
    void HideUpButton();
    void HideDownButton();
    TspSkinButton* MakeArrow(bool Up);
    void RealignHeadings();
    bool Ready() const;
    void LoadImage(TspSkinSpeedButton* B, TCustomImageList* List, int Index);

    std::unique_ptr<TFont> FDefaultSectionFont, FDefaultItemFont;
    // The arrows are made once and then only shown and hidden: a click of an
    // arrow that scrolls to the end hides it inside its own click.
    TspSkinButton* FUpButton = nullptr;
    TspSkinButton* FDownButton = nullptr;
    int FFirst = 0, FCount = 0;
    int FItemHeight = 60;
    bool FItemsTransparent = true, FShowButtons = true;
    TspSkinPanel* FItemPanel = nullptr;
    std::unique_ptr<TspButtonBarSections> FSections;
    int FSectionIndex = 0;
    TspComponentLink<TCustomImageList> FItemImages{this};
    TspComponentLink<TCustomImageList> FSectionImages{this};
    std::vector<TspSectionButton*> FHeadings;
    std::vector<TspSectionItem*> FItemButtons;
    int FDefaultButtonHeight = 25;
};
