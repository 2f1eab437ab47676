// The 16 x 16 tool-bar pictures of the file dialogs, drawn here rather than
// read from files: the back arrow, the up arrow, the new folder, the view-style
// grid and the stretch arrows. The bottom-left pixel holds the colour that the
// buttons leave transparent.
#pragma once
#include "Bitmap.h"
#include <memory>
#include <string>

namespace Spfiledlg {

// The picture of one of "SP_BACK", "SP_UP", "SP_NEWFOLDER", "SP_LVSTYLE" and
// "SP_STRETCH"; an empty 16 x 16 picture for any other name.
std::unique_ptr<TBitmap> ToolGlyph(const std::string& Name);

// The pictures of the file-system controls, transparent in the colour of their
// bottom-left pixel: the drive kinds "SP_FLOPPY", "SP_HARD", "SP_NETWORK",
// "SP_CDROM" (16 x 16) and "SP_RAM" (16 x 11), the folders "SP_OPENFOLDER",
// "SP_CLOSEDFOLDER" and "SP_CURRENTFOLDER" (16 x 15); null for any other name.
std::unique_ptr<TBitmap> FileCtrlGlyph(const std::string& Name);

} // namespace Spfiledlg
