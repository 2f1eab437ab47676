// Records of the skin's controls, second family: edits, memos, spin edits, list
// boxes, combo boxes, grids, tree and list views, rich edits and the menu bar.
#pragma once
#include "SkinControls.h"

class TspDataSkinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "edit"; }
    TRect ActiveSkinRect;
    TspSkinFontFields Font;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
public:
    using TspDataSkinEditControl::TspDataSkinEditControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "memo"; }
    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "spinedit"; }
    TRect ActiveSkinRect;
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TspStateLooks UpButtonLooks, DownButtonLooks;
};

// The buttons of a list box's caption.
enum TspListBoxButton { lbbUp, lbbDown, lbbCheck };
constexpr int ListBoxButtonCount = 3;

class TspDataSkinListBox : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "listbox"; }
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    TspSkinFontFields CaptionFont;
    std::array<TspStateLooks, ListBoxButtonCount> ButtonLooks;   // [button][state]
    std::string HScrollBarName = "hscrollbar";
    std::string VScrollBarName = "vscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
public:
    using TspDataSkinListBox::TspDataSkinListBox;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "checklistbox"; }
    TRect UnCheckImageRect, CheckImageRect, ItemCheckRect;
};

class TspDataSkinComboBox : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "combobox"; }
    TRect ItemRect, FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    TspSkinFontFields Font;
    TColor FocusFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    std::string ListBoxName;
};

class TspDataSkinGridControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "grid"; }
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    int BGPictureIndex = -1;
    TspSkinFontFields Font;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    TspSkinFontFields FixedFont;
};

// The three views share the same five keys; each derives from the base directly.
class TspDataSkinTreeView : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "treeview"; }
    TspSkinFontFields Font;
    TColor BGColor = 0;
};

class TspDataSkinListView : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "listview"; }
    TspSkinFontFields Font;
    TColor BGColor = 0;
};

class TspDataSkinRichEdit : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "richedit"; }
    TspSkinFontFields Font;
    TColor BGColor = 0;
};

// Its items and buttons are frame objects of [SKINOBJECTS], named here.
class TspDataSkinMainMenuBar : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void VisitFields(TspSkinFieldVisitor& V) override;
    const char* TypeWord() const override { return "mainmenubar"; }
    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MaxButton;
    std::string MinButton;
    std::string SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;
};
