#include "SkinEditMenu.h"
#include "Form.h"
#include "SkinPopupMenu.h"
#include "Spconst.h"

namespace {

TMenuItem* AddMenuItem(TspSkinPopupMenu* Menu, const std::string& Caption, bool Enabled, TNotifyEvent OnClick)
{
    auto* item = new TMenuItem(Menu);
    item->SetCaption(Caption);
    item->SetEnabled(Enabled);
    item->OnClick = std::move(OnClick);
    Menu->GetItems()->Add(item);
    return item;
}

bool ClipboardHasText()
{
    return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT);
}

}  // namespace

void FillEditContextMenu(TspSkinPopupMenu* Menu, TCustomEdit* Edit, bool HasSel, bool AllSelected, bool ReadOnly)
{
    AddMenuItem(Menu, Spconst::_SP_Edit_Undo(), Edit->CanUndo(), [Edit](TObject*) { Edit->Undo(); });
    AddMenuItem(Menu, "-", true, nullptr);
    AddMenuItem(Menu, Spconst::_SP_Edit_Cut(), HasSel && !ReadOnly, [Edit](TObject*) { Edit->CutToClipboard(); });
    AddMenuItem(Menu, Spconst::_SP_Edit_Copy(), HasSel, [Edit](TObject*) { Edit->CopyToClipboard(); });
    AddMenuItem(Menu, Spconst::_SP_Edit_Paste(), ClipboardHasText() && !ReadOnly,
                [Edit](TObject*) { Edit->PasteFromClipboard(); });
    AddMenuItem(Menu, Spconst::_SP_Edit_Delete(), HasSel && !ReadOnly, [Edit](TObject*) { Edit->ClearSelection(); });
    AddMenuItem(Menu, "-", true, nullptr);
    AddMenuItem(Menu, Spconst::_SP_Edit_SelectAll(), !AllSelected, [Edit](TObject*) { Edit->SelectAll(); });
}

TPoint ScreenCentreOf(TControl* C)
{
    const TPoint o = C->ClientToScreen(TPoint(0, 0));
    return TPoint(o.x + C->GetWidth() / 2, o.y + C->GetHeight() / 2);
}

void TspEditSysMenu::Create(TCustomEdit* Edit, bool HasSelection, bool AllSelected, bool ReadOnly)
{
    Free();
    FMenu = new TspSkinPopupMenu(Edit);
    FMenu->SetLookupForm(GetParentForm(Edit));
    FillEditContextMenu(FMenu, Edit, HasSelection, AllSelected, ReadOnly);
}

void TspEditSysMenu::Popup(TControl* Opener, LPARAM Pos, const TPoint& KeyboardPoint)
{
    int x = static_cast<short>(LOWORD(Pos)), y = static_cast<short>(HIWORD(Pos));
    if (x < 0 || y < 0) {
        x = KeyboardPoint.x;
        y = KeyboardPoint.y;
    }
    FMenu->Popup2(Opener, x, y);
}

void TspEditSysMenu::Free()
{
    // Its removal notice reaches the owner, which forgets it (already done here).
    TspSkinPopupMenu* m = FMenu;
    FMenu = nullptr;
    delete m;
}

void TspEditSysMenu::Removed(TComponent* C)
{
    if (C == FMenu) FMenu = nullptr;
}
