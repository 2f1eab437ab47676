// The skin library's texts: each name is read from the program's string table
// at every use (not cached), so replacing the table re-words every place.
#pragma once
#include "SpconstIds.h"
#include <string>

namespace Spconst {

// The text of one of the skin library's string-table entries (empty when the
// program carries no such entry).
std::string LoadResString(int Id);

inline std::string _SP_FLV_NAME() { return LoadResString(SPCONST_ID_SP_FLV_NAME); }
inline std::string _SP_FLV_SIZE() { return LoadResString(SPCONST_ID_SP_FLV_SIZE); }
inline std::string _SP_FLV_TYPE() { return LoadResString(SPCONST_ID_SP_FLV_TYPE); }
inline std::string _SP_FLV_MODIFIED() { return LoadResString(SPCONST_ID_SP_FLV_MODIFIED); }
inline std::string _SP_FLV_ATTRIBUTES() { return LoadResString(SPCONST_ID_SP_FLV_ATTRIBUTES); }
inline std::string _SP_FLV_DISKSIZE() { return LoadResString(SPCONST_ID_SP_FLV_DISKSIZE); }
inline std::string _SP_FLV_FREESPACE() { return LoadResString(SPCONST_ID_SP_FLV_FREESPACE); }
inline std::string _SP_MSG_CAP_CONFIRM() { return LoadResString(SPCONST_ID_SP_MSG_CAP_CONFIRM); }
inline std::string _SP_CALC_CAP() { return LoadResString(SPCONST_ID_SP_CALC_CAP); }
inline std::string _SP_ERROR() { return LoadResString(SPCONST_ID_SP_ERROR); }
inline std::string _SP_COLORGRID_CAP() { return LoadResString(SPCONST_ID_SP_COLORGRID_CAP); }
inline std::string _SP_CUSTOMCOLORGRID_CAP() { return LoadResString(SPCONST_ID_SP_CUSTOMCOLORGRID_CAP); }
inline std::string _SP_ADDCUSTOMCOLORBUTTON_CAP() { return LoadResString(SPCONST_ID_SP_ADDCUSTOMCOLORBUTTON_CAP); }
inline std::string _SP_FONTDLG_COLOR() { return LoadResString(SPCONST_ID_SP_FONTDLG_COLOR); }
inline std::string _SP_FONTDLG_NAME() { return LoadResString(SPCONST_ID_SP_FONTDLG_NAME); }
inline std::string _SP_FONTDLG_SIZE() { return LoadResString(SPCONST_ID_SP_FONTDLG_SIZE); }
inline std::string _SP_FONTDLG_HEIGHT() { return LoadResString(SPCONST_ID_SP_FONTDLG_HEIGHT); }
inline std::string _SP_FONTDLG_EXAMPLE() { return LoadResString(SPCONST_ID_SP_FONTDLG_EXAMPLE); }
inline std::string _SP_FONTDLG_STYLE() { return LoadResString(SPCONST_ID_SP_FONTDLG_STYLE); }
inline std::string _SP_FONTDLG_SCRIPT() { return LoadResString(SPCONST_ID_SP_FONTDLG_SCRIPT); }
inline std::string _SP_NODISKINDRIVE() { return LoadResString(SPCONST_ID_SP_NODISKINDRIVE); }
inline std::string _SP_NOVALIDDRIVEID() { return LoadResString(SPCONST_ID_SP_NOVALIDDRIVEID); }
inline std::string _SP_FLV_LOOKIN() { return LoadResString(SPCONST_ID_SP_FLV_LOOKIN); }
inline std::string _SP_MSG_BTN_UP_HINT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_UP_HINT); }
inline std::string _SP_MSG_BTN_NEWFOLDER_HINT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_NEWFOLDER_HINT); }
inline std::string _SP_MSG_BTN_VIEWMENU_HINT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_VIEWMENU_HINT); }
inline std::string _SP_MSG_BTN_STRETCH_HINT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_STRETCH_HINT); }
inline std::string _SP_MSG_FILENAME() { return LoadResString(SPCONST_ID_SP_MSG_FILENAME); }
inline std::string _SP_MSG_FILETYPE() { return LoadResString(SPCONST_ID_SP_MSG_FILETYPE); }
inline std::string _SP_MSG_NEWFOLDER() { return LoadResString(SPCONST_ID_SP_MSG_NEWFOLDER); }
inline std::string _SP_MSG_LV_DETAILS() { return LoadResString(SPCONST_ID_SP_MSG_LV_DETAILS); }
inline std::string _SP_MSG_LV_ICON() { return LoadResString(SPCONST_ID_SP_MSG_LV_ICON); }
inline std::string _SP_MSG_LV_SMALLICON() { return LoadResString(SPCONST_ID_SP_MSG_LV_SMALLICON); }
inline std::string _SP_MSG_LV_LIST() { return LoadResString(SPCONST_ID_SP_MSG_LV_LIST); }
inline std::string _SP_MSG_PREVIEWSKIN() { return LoadResString(SPCONST_ID_SP_MSG_PREVIEWSKIN); }
inline std::string _SP_MSG_PREVIEWBUTTON() { return LoadResString(SPCONST_ID_SP_MSG_PREVIEWBUTTON); }
inline std::string _SP_MSG_CAP_WARNING() { return LoadResString(SPCONST_ID_SP_MSG_CAP_WARNING); }
inline std::string _SP_MSG_CAP_ERROR() { return LoadResString(SPCONST_ID_SP_MSG_CAP_ERROR); }
inline std::string _SP_MSG_CAP_INFORMATION() { return LoadResString(SPCONST_ID_SP_MSG_CAP_INFORMATION); }
inline std::string _SP_Edit_Delete() { return LoadResString(SPCONST_ID_SP_Edit_Delete); }
inline std::string _SP_Edit_SelectAll() { return LoadResString(SPCONST_ID_SP_Edit_SelectAll); }
inline std::string _SP_MSG_BTN_YES() { return LoadResString(SPCONST_ID_SP_MSG_BTN_YES); }
inline std::string _SP_MSG_BTN_NO() { return LoadResString(SPCONST_ID_SP_MSG_BTN_NO); }
inline std::string _SP_MSG_BTN_OK() { return LoadResString(SPCONST_ID_SP_MSG_BTN_OK); }
inline std::string _SP_MSG_BTN_CANCEL() { return LoadResString(SPCONST_ID_SP_MSG_BTN_CANCEL); }
inline std::string _SP_MSG_BTN_ABORT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_ABORT); }
inline std::string _SP_MSG_BTN_RETRY() { return LoadResString(SPCONST_ID_SP_MSG_BTN_RETRY); }
inline std::string _SP_MSG_BTN_IGNORE() { return LoadResString(SPCONST_ID_SP_MSG_BTN_IGNORE); }
inline std::string _SP_MSG_BTN_ALL() { return LoadResString(SPCONST_ID_SP_MSG_BTN_ALL); }
inline std::string _SP_MSG_BTN_NOTOALL() { return LoadResString(SPCONST_ID_SP_MSG_BTN_NOTOALL); }
inline std::string _SP_MSG_BTN_YESTOALL() { return LoadResString(SPCONST_ID_SP_MSG_BTN_YESTOALL); }
inline std::string _SP_MSG_BTN_HELP() { return LoadResString(SPCONST_ID_SP_MSG_BTN_HELP); }
inline std::string _SP_MSG_BTN_OPEN() { return LoadResString(SPCONST_ID_SP_MSG_BTN_OPEN); }
inline std::string _SP_MSG_BTN_SAVE() { return LoadResString(SPCONST_ID_SP_MSG_BTN_SAVE); }
inline std::string _SP_MSG_BTN_BACK_HINT() { return LoadResString(SPCONST_ID_SP_MSG_BTN_BACK_HINT); }
inline std::string _SP_MI_MINCAPTION() { return LoadResString(SPCONST_ID_SP_MI_MINCAPTION); }
inline std::string _SP_MI_MAXCAPTION() { return LoadResString(SPCONST_ID_SP_MI_MAXCAPTION); }
inline std::string _SP_MI_CLOSECAPTION() { return LoadResString(SPCONST_ID_SP_MI_CLOSECAPTION); }
inline std::string _SP_MI_RESTORECAPTION() { return LoadResString(SPCONST_ID_SP_MI_RESTORECAPTION); }
inline std::string _SP_MI_MINTOTRAYCAPTION() { return LoadResString(SPCONST_ID_SP_MI_MINTOTRAYCAPTION); }
inline std::string _SP_MI_ROLLUPCAPTION() { return LoadResString(SPCONST_ID_SP_MI_ROLLUPCAPTION); }
inline std::string _SP_Edit_Undo() { return LoadResString(SPCONST_ID_SP_Edit_Undo); }
inline std::string _SP_Edit_Copy() { return LoadResString(SPCONST_ID_SP_Edit_Copy); }
inline std::string _SP_Edit_Cut() { return LoadResString(SPCONST_ID_SP_Edit_Cut); }
inline std::string _SP_Edit_Paste() { return LoadResString(SPCONST_ID_SP_Edit_Paste); }

// Every entry of the table, for checks and tools.
struct TStringEntry {
    const char* Name;
    int Id;
};
extern const TStringEntry StringEntries[];
extern const int StringEntryCount;

} // namespace Spconst
