#include "SkinButtonsBar.h"
#include "SkinDrawHelpers.h"
#include <algorithm>

// ---- items and sections ----

void TspButtonBarItem::Changed()
{
    if (FSection) FSection->Changed();
}

void TspButtonBarItem::SetText(const std::string& Value)
{
    if (Value == FText) return;
    FText = Value;
    Changed();
}

void TspButtonBarItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed();
}

void TspButtonBarItem::SetLayout(TspButtonLayout Value)
{
    FLayout = Value;
    Changed();
}

void TspButtonBarItem::Assign(const TspButtonBarItem& Source)
{
    FText = Source.FText;
    FImageIndex = Source.FImageIndex;
    OnClick = Source.OnClick;
    Tag = Source.Tag;
    FLayout = Source.FLayout;
    Changed();
}

void TspButtonBarItem::Click()
{
    if (OnClick) OnClick(reinterpret_cast<TObject*>(this));
}

TspButtonBarItem* TspButtonBarItems::Add()
{
    FItems.push_back(std::make_unique<TspButtonBarItem>(FSection));
    FSection->Changed();
    return FItems.back().get();
}

void TspButtonBarItems::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
    FSection->Changed();
}

void TspButtonBarItems::Clear()
{
    FItems.clear();
    FSection->Changed();
}

TspButtonBarItem* TspButtonBarItems::Item(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[Index].get() : nullptr;
}

TspButtonBarSection::TspButtonBarSection(TspButtonBarSections* Collection)
    : FCollection(Collection), FItems(std::make_unique<TspButtonBarItems>(this))
{
}

void TspButtonBarSection::Changed()
{
    if (FCollection) FCollection->Update(this);
}

void TspButtonBarSection::SetText(const std::string& Value)
{
    if (Value == FText) return;
    FText = Value;
    Changed();
}

void TspButtonBarSection::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed();
}

std::string TspButtonBarSection::GetDisplayName() const
{
    return FText.empty() ? std::string("TspButtonBarSection") : FText;
}

void TspButtonBarSection::Assign(const TspButtonBarSection& Source)
{
    FText = Source.FText;
    FImageIndex = Source.FImageIndex;
    Tag = Source.Tag;
    OnClick = Source.OnClick;
    Changed();
}

int TspButtonBarSection::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TspButtonBarSection::Click()
{
    if (OnClick) OnClick(reinterpret_cast<TObject*>(this));
}

TspButtonBarSection* TspButtonBarSections::Add()
{
    FSections.push_back(std::make_unique<TspButtonBarSection>(this));
    Update(nullptr);
    return FSections.back().get();
}

void TspButtonBarSections::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FSections.erase(FSections.begin() + Index);
    Update(nullptr);
}

void TspButtonBarSections::Clear()
{
    FSections.clear();
    Update(nullptr);
}

TspButtonBarSection* TspButtonBarSections::Section(int Index) const
{
    return Index >= 0 && Index < Count() ? FSections[Index].get() : nullptr;
}

int TspButtonBarSections::IndexOf(const TspButtonBarSection* S) const
{
    for (int i = 0; i < Count(); ++i)
        if (FSections[i].get() == S) return i;
    return -1;
}

void TspButtonBarSections::Update(TspButtonBarSection* S)
{
    if (FUpdateCount > 0 || !FBar) return;
    if (S)
        FBar->UpdateSection(IndexOf(S));
    else
        FBar->UpdateSections();
}

void TspButtonBarSections::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Update(nullptr);
}

// ---- the buttons ----

TspSectionButton::TspSectionButton(TspSkinButtonsBar* Bar, int SectionIndex)
    : TspSkinSpeedButton(Bar), FBar(Bar), FSectionIndex(SectionIndex)
{
    SetNumGlyphs(1);
    SetSpacing(5);
    SetSkinDataName(Bar->SectionButtonSkinDataName);
    SetDefaultFont(Bar->GetDefaultSectionFont());
    UseSkinFont = Bar->UseSkinFont;
}

void TspSectionButton::ButtonClick()
{
    // Opening the section runs its OnClick, which may rebuild the headings.
    auto alive = FAlive.Watch();
    FBar->OpenSection(FSectionIndex);
    if (*alive) TspSkinSpeedButton::ButtonClick();
}

TspSectionItem::TspSectionItem(TComponent* AOwner, TspSkinButtonsBar* Bar, int SectionIndex, int ItemIndex)
    : TspSkinSpeedButton(AOwner), FBar(Bar), FSectionIndex(SectionIndex), FItemIndex(ItemIndex)
{
    SetFlat(true);
    SetAlphaBlend(false);
    SetSkinDataName("resizebutton");
    SetNumGlyphs(1);
    SetLayout(blGlyphTop);
    SetSpacing(5);
    SetDefaultFont(Bar->GetDefaultItemFont());
    UseSkinFont = Bar->UseSkinFont;
}

void TspSectionItem::ButtonClick()
{
    auto alive = FAlive.Watch();
    TspButtonBarSection* s = FBar->GetSections()->Section(FSectionIndex);
    if (TspButtonBarItem* item = s ? s->GetItems()->Item(FItemIndex) : nullptr) item->Click();
    if (*alive) TspSkinSpeedButton::ButtonClick();
}

// ---- the bar ----

TspSkinButtonsBar::TspSkinButtonsBar(TComponent* AOwner)
    : TspSkinPanel(AOwner), FDefaultSectionFont(std::make_unique<TFont>()),
      FDefaultItemFont(std::make_unique<TFont>()), FSections(std::make_unique<TspButtonBarSections>(this))
{
    for (TFont* f : {FDefaultSectionFont.get(), FDefaultItemFont.get()}) {
        f->SetName("Arial");
        f->SetHeight(14);
        f->SetStyle(0);
    }
    FWidth = 150;
    FAlign = alLeft;
    SetBorderStyle(TspSkinBorderStyle::bvFrame);
    FItemPanel = new TspSkinPanel(this);
    FItemPanel->SetBorderStyle(TspSkinBorderStyle::bvNone);
    FItemPanel->SetAlign(alClient);
    FItemPanel->SetParent(this);
    FItemPanel->OnResize = [this](TObject*) { CheckVisibleItems(); };
}

TspSkinButtonsBar::~TspSkinButtonsBar()
{
    // Everything below goes with the component's owned list; nothing may call back.
    if (FItemPanel) FItemPanel->OnResize = nullptr;
    FHeadings.clear();
    FItemButtons.clear();
    FUpButton = FDownButton = nullptr;
    FSections.reset();
}

TspSectionButton* TspSkinButtonsBar::Heading(int I) const
{
    return I >= 0 && I < HeadingCount() ? FHeadings[I] : nullptr;
}

TspSectionItem* TspSkinButtonsBar::ItemButton(int I) const
{
    return I >= 0 && I < ItemButtonCount() ? FItemButtons[I] : nullptr;
}

bool TspSkinButtonsBar::Ready() const { return HandleAllocated() && FSections && FSections->Count() > 0; }

void TspSkinButtonsBar::CreateWnd()
{
    TspSkinPanel::CreateWnd();
    UpdateSections();
    UpdateItems();
}

void TspSkinButtonsBar::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    if (FItemPanel) FItemPanel->SetSkinData(Value);
    // The item buttons and arrows already made wear the new skin too.
    for (auto* b : FItemButtons) b->SetSkinData(Value);
    if (FUpButton) FUpButton->SetSkinData(Value);
    if (FDownButton) FDownButton->SetSkinData(Value);
    UpdateSections();
}

void TspSkinButtonsBar::ChangeSkinData()
{
    TspSkinPanel::ChangeSkinData();
    CheckVisibleItems();
}

void TspSkinButtonsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FItemImages.Removed(AComponent, Operation)) UpdateItems();
    if (FSectionImages.Removed(AComponent, Operation)) UpDateSectionButtons();
    if (AComponent == FItemPanel) FItemPanel = nullptr;
    if (AComponent == FUpButton) FUpButton = nullptr;
    if (AComponent == FDownButton) FDownButton = nullptr;
    FHeadings.erase(std::remove(FHeadings.begin(), FHeadings.end(), AComponent), FHeadings.end());
}

void TspSkinButtonsBar::SetShowButtons(bool Value)
{
    FShowButtons = Value;
    UpdateSections();
}

void TspSkinButtonsBar::SetDefaultButtonHeight(int Value)
{
    FDefaultButtonHeight = std::max(0, std::min(Value, MaxSkinControlSide));
    UpDateSectionButtons();
}

void TspSkinButtonsBar::SetItemHeight(int Value)
{
    // A height of 0 or less would leave the number of items that fit undefined.
    FItemHeight = std::max(1, std::min(Value, MaxSkinControlSide));
    UpdateItems();
}

void TspSkinButtonsBar::SetItemsTransparent(bool Value)
{
    FItemsTransparent = Value;
    UpdateItems();
}

void TspSkinButtonsBar::SetItemImages(TCustomImageList* Value)
{
    FItemImages.Set(Value);
    UpdateItems();
}

void TspSkinButtonsBar::SetSectionImages(TCustomImageList* Value)
{
    FSectionImages.Set(Value);
    UpDateSectionButtons();
}

void TspSkinButtonsBar::SetSectionIndex(int Value)
{
    if (Value < 0 || Value >= FSections->Count() || Value == FSectionIndex) return;
    OpenSection(Value);
}

void TspSkinButtonsBar::LoadImage(TspSkinSpeedButton* B, TCustomImageList* List, int Index)
{
    TBitmap none;
    B->SetGlyph(&none);
    if (!List || Index < 0 || Index >= List->GetCount()) return;
    TBitmap g;
    List->GetBitmap(Index, &g);
    B->SetGlyph(&g);
}

void TspSkinButtonsBar::ClearSections()
{
    std::vector<TspSectionButton*> gone;
    gone.swap(FHeadings);
    for (auto* b : gone) delete b;
}

void TspSkinButtonsBar::UpdateSections()
{
    if (!Ready()) return;
    ClearSections();
    if (!FShowButtons) {
        CheckVisibleItems();
        return;
    }
    const int n = FSections->Count();
    DisableAlign();
    auto make = [&](int i, bool top) {
        auto* b = new TspSectionButton(this, i);
        b->SetAlign(top ? alTop : alBottom);
        b->SetParent(this);
        b->SetDefaultHeight(FDefaultButtonHeight);
        b->SetHeight(FDefaultButtonHeight);
        b->SetSkinData(FSD);
        TspButtonBarSection* s = FSections->Section(i);
        b->SetText(s->GetText());
        b->SetHint(s->Hint);
        b->SetShowHint(ShowItemHint);
        LoadImage(b, FSectionImages, FSectionImages ? s->GetImageIndex() : -1);
        FHeadings.push_back(b);
    };
    const int open = std::min(FSectionIndex, n - 1);
    for (int i = open; i >= 0; --i) make(i, true);
    for (int i = n - 1; i > open; --i) make(i, false);
    EnableAlign();
    RealignHeadings();
}

void TspSkinButtonsBar::RealignHeadings()
{
    // Alignment stacks by position (the control being aligned first): with
    // alignment held, every heading is given a place in section order (above the
    // bar's bottom for the top ones, below it for the bottom ones), then all are
    // aligned at once.
    DisableAlign();
    for (auto* b : FHeadings) {
        const int i = b->SectionIndex();
        const bool top = i <= FSectionIndex;
        b->SetTop(top ? i * FDefaultButtonHeight : GetHeight() + i * FDefaultButtonHeight);
        if (b->GetAlign() != (top ? alTop : alBottom)) b->SetAlign(top ? alTop : alBottom);
    }
    EnableAlign();
}

void TspSkinButtonsBar::OpenSection(int Index)
{
    if (Index == FSectionIndex || Index < 0 || Index >= FSections->Count()) return;
    FSectionIndex = Index;
    if (FShowButtons) RealignHeadings();
    UpdateItems();
    if (TspButtonBarSection* s = FSections->Section(Index)) s->Click();
}

void TspSkinButtonsBar::UpdateSection(int Index)
{
    if (!Ready()) return;
    if (!FShowButtons) {
        UpdateItems();
        return;
    }
    TspButtonBarSection* s = FSections->Section(Index);
    if (!s) return;
    for (auto* b : FHeadings) {
        if (b->SectionIndex() != Index) continue;
        b->SetDefaultHeight(FDefaultButtonHeight);
        b->SetHeight(FDefaultButtonHeight);
        b->SetHint(s->Hint);
        b->SetShowHint(ShowItemHint);
        const bool renamed = b->GetText() != s->GetText();
        if (renamed) b->SetText(s->GetText());
        LoadImage(b, FSectionImages, FSectionImages ? s->GetImageIndex() : -1);
        b->Repaint();
        if (Index == FSectionIndex && !renamed) UpdateItems();
        return;
    }
}

void TspSkinButtonsBar::UpDateSectionButtons()
{
    for (int i = 0; i < FSections->Count(); ++i) UpdateSection(i);
}

void TspSkinButtonsBar::ClearItems()
{
    std::vector<TspSectionItem*> gone;
    gone.swap(FItemButtons);
    for (auto* b : gone) delete b;
}

void TspSkinButtonsBar::UpdateItems()
{
    if (!Ready() || !FItemPanel || (FShowButtons && FHeadings.empty())) return;
    ClearItems();
    HideUpButton();
    HideDownButton();
    FCount = 0;
    TspButtonBarSection* s = FSections->Section(FSectionIndex);
    if (!s || s->GetItems()->Count() == 0) return;
    FFirst = 0;
    for (int i = 0; i < s->GetItems()->Count(); ++i) {
        TspButtonBarItem* item = s->GetItems()->Item(i);
        auto* b = new TspSectionItem(FItemPanel, this, FSectionIndex, i);
        b->SetVisible(false);
        b->SetParent(FItemPanel);
        b->SetDefaultHeight(FItemHeight);
        b->SetBounds(0, 0, FItemPanel->GetWidth(), FItemHeight);
        b->SetFlat(FItemsTransparent);
        b->SetSkinData(FSD);
        b->SetText(item->GetText());
        b->SetHint(item->Hint);
        b->SetShowHint(ShowItemHint);
        LoadImage(b, FItemImages, FItemImages ? item->GetImageIndex() : -1);
        b->SetLayout(item->GetLayout());
        FItemButtons.push_back(b);
    }
    CheckVisibleItems();
}

void TspSkinButtonsBar::CheckVisibleItems()
{
    if (!FItemPanel) return;
    const int n = ItemButtonCount();
    const int oldCount = FCount;
    FCount = std::min(std::max(FItemPanel->GetHeight(), 0) / std::max(FItemHeight, 1), n);
    if (FCount >= n)
        FFirst = 0;
    else if (FFirst + FCount > n && FFirst > 0)
        FFirst = std::max(0, FFirst + oldCount - FCount);
    // Never a gap below the last item while earlier ones are scrolled away.
    FFirst = std::max(0, std::min(FFirst, n - FCount));
    for (int i = 0; i < n; ++i) FItemButtons[i]->SetVisible(i >= FFirst && i < FFirst + FCount);
    ArangeItems();
}

void TspSkinButtonsBar::ArangeItems()
{
    if (!FItemPanel) return;
    const int n = ItemButtonCount();
    if (FFirst > 0)
        ShowUpButton();
    else
        HideUpButton();
    if (FFirst + FCount < n)
        ShowDownButton();
    else
        HideDownButton();
    const int pw = FItemPanel->GetWidth(), ph = FItemPanel->GetHeight();
    if (FUpButton) FUpButton->SetBounds(pw - FUpButton->GetWidth() - 5, 5, FUpButton->GetWidth(), FUpButton->GetHeight());
    if (FDownButton)
        FDownButton->SetBounds(pw - FDownButton->GetWidth() - 5, ph - FDownButton->GetHeight() - 5,
                               FDownButton->GetWidth(), FDownButton->GetHeight());
    int y = 0;
    for (int i = FFirst; i < FFirst + FCount && i < n; ++i) {
        FItemButtons[i]->SetBounds(0, y, pw, FItemHeight);
        y += FItemHeight;
    }
}

TspSkinButton* TspSkinButtonsBar::MakeArrow(bool Up)
{
    auto* b = new TspSkinButton(this);
    b->SetCanFocused(false);
    b->SetParent(FItemPanel);
    b->SetBounds(0, -20, 18, 18);
    b->SetSpacing(0);
    b->SetSkinDataName("resizebutton");
    b->RepeatMode = true;
    b->RepeatInterval = 150;
    // An 11 x 11 arrow; its bottom-left pixel's colour is the see-through one.
    TBitmap glyph(11, 11, pf24bit);
    glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    glyph.GetCanvas()->FillRect(TRect(0, 0, 11, 11));
    Sputils::DrawArrowImage(glyph.GetCanvas(), TRect(0, 0, 11, 11), clBlack, Up ? adUp : adDown);
    b->SetGlyph(&glyph);
    b->SetNumGlyphs(1);
    b->SetSkinData(FSD);
    b->OnClick = [this, Up](TObject*) {
        if (Up)
            ScrollUp();
        else
            ScrollDown();
    };
    return b;
}

void TspSkinButtonsBar::ShowUpButton()
{
    if (!FUpButton && FItemPanel) FUpButton = MakeArrow(true);
    if (FUpButton) FUpButton->SetVisible(true);
}

void TspSkinButtonsBar::ShowDownButton()
{
    if (!FDownButton && FItemPanel) FDownButton = MakeArrow(false);
    if (FDownButton) FDownButton->SetVisible(true);
}

void TspSkinButtonsBar::HideUpButton()
{
    if (FUpButton) FUpButton->SetVisible(false);
}

void TspSkinButtonsBar::HideDownButton()
{
    if (FDownButton) FDownButton->SetVisible(false);
}

void TspSkinButtonsBar::ScrollUp()
{
    if (FFirst <= 0 || FCount <= 0) return;
    FItemButtons[FFirst + FCount - 1]->SetVisible(false);
    --FFirst;
    FItemButtons[FFirst]->SetVisible(true);
    ArangeItems();
}

void TspSkinButtonsBar::ScrollDown()
{
    if (FCount <= 0 || FFirst + FCount >= ItemButtonCount()) return;
    FItemButtons[FFirst]->SetVisible(false);
    ++FFirst;
    FItemButtons[FFirst + FCount - 1]->SetVisible(true);
    ArangeItems();
}
