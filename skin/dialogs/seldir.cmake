# The select-folder dialog and the folder button edit that opens it.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SelDirDlgForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectDirectoryDialog.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinDirectoryEdit.cpp)
