// TspSkinNotebook: a skinned panel holding a stack of pages (TspSkinPage) of
// which exactly one is shown, chosen by index or name; the pages are also offered
// as a string list of their captions. In buttons mode every page has a heading
// button: those up to the shown page stand at the top, the others at the bottom.
#pragma once
#include "ImgList.h"
#include "SkinPanel.h"
#include "SkinSpeedButton.h"
#include <vector>
#include "SkinDataLink.h"

class TspSkinNotebook;

class TspSkinPage : public TspSkinPanel {
public:
    explicit TspSkinPage(TComponent* AOwner);
    int ImageIndex = -1;

protected:
    void WndProc(TMessage& Message) override;
};

class TspPageButton : public TspSkinSpeedButton {
public:
    TspPageButton(TComponent* AOwner, TspSkinNotebook* Notebook, int PageIndex);
    int PageIndex() const { return FPageIndex; }
    void ButtonClick() override;

private:
    TspSkinNotebook* FNotebook;
    int FPageIndex;
};

// The page list seen as strings: each string a page's caption, each object the page.
class TspPageAccess : public TStrings {
public:
    explicit TspPageAccess(TspSkinNotebook* Notebook) : FNotebook(Notebook) {}
    int GetCount() const override;
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    // Puts the page AObject (one of the notebook's) at Index by swapping places:
    // the list's own Exchange then swaps pages, not just their captions.
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // Swaps the two pages (the pages between stay where they are).
    void Move(int CurIndex, int NewIndex);

private:
    void Changed();
    TspSkinNotebook* FNotebook;
};

class TspSkinNotebook : public TspSkinPanel {
public:
    explicit TspSkinNotebook(TComponent* AOwner);
    ~TspSkinNotebook() override;

    TspPageAccess* GetPages() const { return FAccess.get(); }
    void SetPages(TStrings* Value);
    int GetPageIndex() const { return FPageIndex; }
    void SetPageIndex(int Value);
    std::string GetActivePage() const;
    void SetActivePage(const std::string& Value);
    int PageCount() const { return static_cast<int>(FPageList.size()); }
    TspSkinPage* Page(int Index) const;
    bool GetButtonsMode() const { return FButtonsMode; }
    void SetButtonsMode(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    void UpdateButtons();
    void UpdateButton(int Index, const std::string& Text);
    void ClearButtons();
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TspPageButton* Heading(int Index) const;
    void SetSkinData(TspSkinData* Value) override;
    // After loading: the stored PageIndex is shown (alone), or -1 when no page has it.
    void Loaded() override;

    std::string ButtonSkinDataName = "toolbutton";
    TNotifyEvent OnPageChanged;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;

private:
    friend class TspPageAccess;
    TspSkinPage* NewPage(const std::string& Caption);
    void RealignButtons();
    void LoadHeadingGlyph(TspPageButton* B, int PageIndex);

    std::unique_ptr<TspPageAccess> FAccess;
    int FPageIndex = -1;
    bool FButtonsMode = false;
    std::vector<TspPageButton*> FButtons;   // owned by the notebook component
    TspComponentLink<TCustomImageList> FImages{this};
    std::vector<TspSkinPage*> FPageList;    // owned by the notebook component
};
