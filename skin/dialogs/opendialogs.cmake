# The skinned file dialogs built on the file-system controls.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OpenSkinDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenSkinDlgForm.cpp)
