#include "SkinNotebook.h"
#include "Form.h"
#include "SkinData.h"
#include "Trace.h"
#include <algorithm>

// ---- TspSkinPage ----

TspSkinPage::TspSkinPage(TComponent* AOwner) : TspSkinPanel(AOwner)
{
    FVisible = false;
    FAlign = alClient;
    SetBorderStyle(TspSkinBorderStyle::bvNone);
}

void TspSkinPage::WndProc(TMessage& Message)
{
    // The page's own area lets the mouse through to what lies beneath it.
    if (Message.Msg == WM_NCHITTEST && !IsDesigning()) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TspSkinPanel::WndProc(Message);
}

// ---- TspPageButton ----

TspPageButton::TspPageButton(TComponent* AOwner, TspSkinNotebook* Notebook, int PageIndex)
    : TspSkinSpeedButton(AOwner), FNotebook(Notebook), FPageIndex(PageIndex)
{
    SetNumGlyphs(1);
    SetSpacing(5);
    SetSkinDataName(Notebook->ButtonSkinDataName);
}

void TspPageButton::ButtonClick()
{
    auto alive = FAlive.Watch();
    FNotebook->SetPageIndex(FPageIndex);
    if (*alive) TspSkinSpeedButton::ButtonClick();
}

// ---- TspPageAccess ----

int TspPageAccess::GetCount() const { return FNotebook->PageCount(); }

std::string TspPageAccess::Get(int Index) const
{
    TspSkinPage* p = FNotebook->Page(Index);
    return p ? p->GetText() : std::string();
}

TObject* TspPageAccess::GetObject(int Index) const { return FNotebook->Page(Index); }

void TspPageAccess::PutObject(int Index, TObject* AObject)
{
    auto& list = FNotebook->FPageList;
    auto it = std::find(list.begin(), list.end(), AObject);
    if (it == list.end() || Index < 0 || Index >= GetCount()) return;
    Move(static_cast<int>(it - list.begin()), Index);
}

void TspPageAccess::Changed()
{
    if (FNotebook->FButtonsMode) FNotebook->UpdateButtons();
}

void TspPageAccess::Put(int Index, const std::string& S)
{
    TspSkinPage* p = FNotebook->Page(Index);
    if (!p) return;
    p->SetText(S);
    if (FNotebook->FButtonsMode) FNotebook->UpdateButton(Index, S);
}

int TspPageAccess::Add(const std::string& S)
{
    Insert(GetCount(), S);
    return GetCount() - 1;
}

void TspPageAccess::Insert(int Index, const std::string& S)
{
    auto& list = FNotebook->FPageList;
    Index = std::max(0, std::min(Index, static_cast<int>(list.size())));
    TspSkinPage* p = FNotebook->NewPage(S);
    list.insert(list.begin() + Index, p);
    // The shown page may have moved along: the new page is shown in its place.
    FNotebook->FPageIndex = -1;
    FNotebook->SetPageIndex(Index);
    Changed();
}

void TspPageAccess::Delete(int Index)
{
    auto& list = FNotebook->FPageList;
    if (Index < 0 || Index >= static_cast<int>(list.size())) return;
    TspSkinPage* p = list[Index];
    list.erase(list.begin() + Index);
    delete p;
    // Whatever was shown, page 0 is shown now and no other.
    FNotebook->FPageIndex = -1;
    FNotebook->SetPageIndex(0);
    Changed();
}

void TspPageAccess::Clear()
{
    auto& list = FNotebook->FPageList;
    std::vector<TspSkinPage*> gone;
    gone.swap(list);
    FNotebook->FPageIndex = -1;
    for (TspSkinPage* p : gone) delete p;
    Changed();
    if (FNotebook->FButtonsMode) FNotebook->ClearButtons();
}

void TspPageAccess::Move(int CurIndex, int NewIndex)
{
    auto& list = FNotebook->FPageList;
    const int n = static_cast<int>(list.size());
    if (CurIndex == NewIndex || CurIndex < 0 || NewIndex < 0 || CurIndex >= n || NewIndex >= n) return;
    std::swap(list[CurIndex], list[NewIndex]);
    // The shown page keeps being shown where it went.
    if (FNotebook->FPageIndex == CurIndex)
        FNotebook->FPageIndex = NewIndex;
    else if (FNotebook->FPageIndex == NewIndex)
        FNotebook->FPageIndex = CurIndex;
    Changed();
}

// ---- TspSkinNotebook ----

TspSkinNotebook::TspSkinNotebook(TComponent* AOwner)
    : TspSkinPanel(AOwner), FAccess(std::make_unique<TspPageAccess>(this))
{
    FControlStyle &= ~(csAcceptsControls | csCaptureMouse | csClickEvents);
    SetBorderStyle(TspSkinBorderStyle::bvFrame);
    FWidth = 150;
    FHeight = 150;
    FAccess->Add("Default");
}

TspSkinNotebook::~TspSkinNotebook()
{
    // The pages and headings go with the component's owned list; forget them first.
    FButtons.clear();
    FPageList.clear();
}

void TspSkinNotebook::CreateParams(TCreateParams& Params)
{
    TspSkinPanel::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

TspSkinPage* TspSkinNotebook::Page(int Index) const
{
    return Index >= 0 && Index < PageCount() ? FPageList[Index] : nullptr;
}

TspPageButton* TspSkinNotebook::Heading(int Index) const
{
    return Index >= 0 && Index < ButtonCount() ? FButtons[Index] : nullptr;
}

TspSkinPage* TspSkinNotebook::NewPage(const std::string& Caption)
{
    auto* p = new TspSkinPage(this);
    p->SetText(Caption);
    p->SetParent(this);
    return p;
}

void TspSkinNotebook::SetPages(TStrings* Value)
{
    FAccess->Assign(Value);
    UpdateButtons();
}

void TspSkinNotebook::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    if (TspSkinPage* p = Page(FPageIndex)) p->SetSkinData(Value);
    for (TspPageButton* b : FButtons) b->SetSkinData(Value);
}

void TspSkinNotebook::SetPageIndex(int Value)
{
    if (IsLoading()) {
        FPageIndex = Value;
        return;
    }
    if (Value == FPageIndex || Value < 0 || Value >= PageCount()) return;
    TCustomForm* form = GetParentForm(this);
    TWinControl* active = form ? form->GetActiveControl() : nullptr;
    bool refocus = false;
    if (active && active != this && ContainsControl(active)) {
        // The focused control is about to be hidden with its page.
        try {
            form->SetActiveControl(CanFocus() ? this : nullptr);
            refocus = true;
        } catch (const Exception&) {
            Trace::Caught(Trace::Skin, "notebook focus");
            refocus = false;
        }
    }
    TspSkinPage* p = FPageList[Value];
    p->BringToFront();
    p->SetSkinData(FSD);
    p->SetAlign(alClient);
    p->SetVisible(true);
    // Exactly one page is shown: every other one is hidden, whatever index was stored.
    for (TspSkinPage* other : FPageList)
        if (other != p && other->GetVisible()) other->SetVisible(false);
    FPageIndex = Value;
    if (refocus && form && (form->GetActiveControl() == this || !form->GetActiveControl())) {
        try {
            p->SelectFirst();
        } catch (const Exception&) {
            Trace::Caught(Trace::Skin, "notebook page focus");
        }
    }
    if (FButtonsMode) RealignButtons();
    if (OnPageChanged) OnPageChanged(this);
}

void TspSkinNotebook::Loaded()
{
    TspSkinPanel::Loaded();
    const int stored = FPageIndex;
    FPageIndex = -1;
    if (stored >= 0 && stored < PageCount())
        SetPageIndex(stored);
    else
        for (TspSkinPage* p : FPageList) p->SetVisible(false);
    if (FButtonsMode) UpdateButtons();
}

std::string TspSkinNotebook::GetActivePage() const
{
    TspSkinPage* p = Page(FPageIndex);
    return p ? p->GetText() : std::string();
}

void TspSkinNotebook::SetActivePage(const std::string& Value) { SetPageIndex(FAccess->IndexOf(Value)); }

void TspSkinNotebook::SetButtonsMode(bool Value)
{
    FButtonsMode = Value;
    if (Value)
        UpdateButtons();
    else
        ClearButtons();
}

void TspSkinNotebook::SetImages(TCustomImageList* Value)
{
    FImages.Set(Value);
    if (FButtonsMode) UpdateButtons();
}

void TspSkinNotebook::ClearButtons()
{
    std::vector<TspPageButton*> gone;
    gone.swap(FButtons);
    for (TspPageButton* b : gone) delete b;
}

void TspSkinNotebook::LoadHeadingGlyph(TspPageButton* B, int PageIndex)
{
    TBitmap none;
    B->SetGlyph(&none);
    TspSkinPage* p = Page(PageIndex);
    if (!p || !FImages || p->ImageIndex < 0 || p->ImageIndex >= FImages->GetCount()) return;
    TBitmap g;
    FImages->GetBitmap(p->ImageIndex, &g);
    B->SetGlyph(&g);
}

void TspSkinNotebook::UpdateButtons()
{
    if (FPageList.empty()) return;
    ClearButtons();
    DisableAlign();
    for (int i = 0; i < PageCount(); ++i) {
        auto* b = new TspPageButton(this, this, i);
        FButtons.push_back(b);
        b->SetAlign(i > FPageIndex ? alBottom : alTop);
        b->SetParent(this);
        b->SetDefaultHeight(25);
        b->SetHeight(25);
        b->SetSkinData(FSD);
        b->SetText(FPageList[i]->GetText());
        LoadHeadingGlyph(b, i);
    }
    EnableAlign();
    RealignButtons();
}

void TspSkinNotebook::UpdateButton(int Index, const std::string& Text)
{
    TspPageButton* b = Heading(Index);
    if (!b) return;
    b->SetText(Text);
    LoadHeadingGlyph(b, Index);
    b->Repaint();
}

void TspSkinNotebook::RealignButtons()
{
    // Alignment stacks by position (the control being aligned first): with
    // alignment held, every heading is given a place in page order (above the
    // notebook's bottom for the top ones, below it for the bottom ones), then all
    // are aligned at once.
    DisableAlign();
    for (TspPageButton* b : FButtons) {
        const int i = b->PageIndex();
        const bool top = i <= FPageIndex;
        b->SetTop(top ? i * 25 : GetHeight() + i * 25);
        if (b->GetAlign() != (top ? alTop : alBottom)) b->SetAlign(top ? alTop : alBottom);
    }
    EnableAlign();
}

void TspSkinNotebook::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FImages.Removed(AComponent, Operation);
    // A page or heading freed from outside is dropped from the lists.
    auto page = std::find(FPageList.begin(), FPageList.end(), AComponent);
    if (page != FPageList.end()) {
        const int i = static_cast<int>(page - FPageList.begin());
        FPageList.erase(page);
        if (i == FPageIndex) FPageIndex = -1;
        else if (i < FPageIndex) --FPageIndex;
    }
    FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), AComponent), FButtons.end());
}
