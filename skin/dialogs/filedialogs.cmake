# The common window of the skinned file dialogs (also the open-skin window's
# base), its tool-bar pictures, the open and save dialogs, and the file edits.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FileDlgGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDlgForm.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinOpenDialog.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinFileEdits.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinPictureDialog.cpp)
# The common part of the skinned dialog components (file, open-skin and folder).
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinDialogComponent.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinFileDialogComponent.cpp)
