#include "SkinBoxControls.h"

namespace {

// The text keys shared by the views.
void VisitViewFont(TspSkinFieldVisitor& V, TspSkinFontFields& Font, TColor& BGColor)
{
    V.Font("", Font);
    V.Color("bgcolor", BGColor, 0);
}

} // namespace

void TspDataSkinEditControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("activeskinrect", ActiveSkinRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("disabledfontcolor", DisabledFontColor, 0);
    V.Rect("buttonrect", ButtonRect);
    V.Rect("activebuttonrect", ActiveButtonRect);
    V.Rect("downbuttonrect", DownButtonRect);
    V.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TspDataSkinMemoControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinEditControl::VisitFields(V);
    V.Color("bgcolor", BGColor, 0);
    V.Color("activebgcolor", ActiveBGColor, 0);
}

void TspDataSkinSpinEditControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("activeskinrect", ActiveSkinRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("disabledfontcolor", DisabledFontColor, 0);
    VisitUpDownLooks(V, UpButtonLooks, DownButtonLooks);
}

void TspDataSkinListBox::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("itemrect", ItemRect);
    V.Rect("activeitemrect", ActiveItemRect);
    V.Rect("focusitemrect", FocusItemRect);
    V.Int("itemleftoffset", ItemLeftOffset, 0);
    V.Int("itemrightoffset", ItemRightOffset, 0);
    V.Rect("itemtextrect", ItemTextRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("focusfontcolor", FocusFontColor, 0);
    V.Rect("captionrect", CaptionRect);
    V.Font("caption", CaptionFont);
    VisitUpDownLooks(V, ButtonLooks[lbbUp], ButtonLooks[lbbDown]);
    VisitLooks(V, ButtonLooks[lbbCheck], "checkbuttonrect", "activecheckbuttonrect", "downcheckbuttonrect");
    V.Str("vscrollbarname", VScrollBarName, "vscrollbar");
    V.Str("hscrollbarname", HScrollBarName, "hscrollbar");
    V.Str("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
}

void TspDataSkinCheckListBox::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinListBox::VisitFields(V);
    V.Rect("itemcheckrect", ItemCheckRect);
    V.Rect("uncheckimagerect", UnCheckImageRect);
    V.Rect("checkimagerect", CheckImageRect);
}

void TspDataSkinComboBox::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("itemrect", ItemRect);
    V.Rect("focusitemrect", FocusItemRect);
    V.Int("itemleftoffset", ItemLeftOffset, 0);
    V.Int("itemrightoffset", ItemRightOffset, 0);
    V.Rect("itemtextrect", ItemTextRect);
    V.Font("", Font);
    V.Color("focusfontcolor", FocusFontColor, 0);
    V.Rect("buttonrect", ButtonRect);
    V.Rect("activebuttonrect", ActiveButtonRect);
    V.Rect("downbuttonrect", DownButtonRect);
    V.Rect("unenabledbuttonrect", UnEnabledButtonRect);
    V.Str("listboxname", ListBoxName, "");
}

void TspDataSkinGridControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Rect("fixedcellrect", FixedCellRect);
    V.Rect("selectcellrect", SelectCellRect);
    V.Rect("focuscellrect", FocusCellRect);
    V.Int("fixedcellleftoffset", FixedCellLeftOffset, 0);
    V.Int("fixedcellrightoffset", FixedCellRightOffset, 0);
    V.Rect("fixedcelltextrect", FixedCellTextRect);
    V.Int("cellleftoffset", CellLeftOffset, 0);
    V.Int("cellrightoffset", CellRightOffset, 0);
    V.Rect("celltextrect", CellTextRect);
    V.Color("linescolor", LinesColor, 0);
    V.Color("bgcolor", BGColor, 0);
    V.PictureIndex("bgpictureindex", BGPictureIndex);
    V.Font("", Font);
    V.Color("selectfontcolor", SelectFontColor, 0);
    V.Color("focusfontcolor", FocusFontColor, 0);
    V.Font("fixed", FixedFont);
}

void TspDataSkinTreeView::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    VisitViewFont(V, Font, BGColor);
}

void TspDataSkinListView::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    VisitViewFont(V, Font, BGColor);
}

void TspDataSkinRichEdit::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    VisitViewFont(V, Font, BGColor);
}

void TspDataSkinMainMenuBar::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Rect("itemsrect", ItemsRect);
    V.Str("menubaritem", MenuBarItem, "");
    V.Str("closebutton", CloseButton, "");
    V.Str("minbutton", MinButton, "");
    V.Str("maxbutton", MaxButton, "");
    V.Str("sysmenubutton", SysMenuButton, "");
    V.Color("trackmarkcolor", TrackMarkColor, 0);
    V.Color("trackmarkactivecolor", TrackMarkActiveColor, 0);
}
