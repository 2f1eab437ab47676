# The skinned file-system controls: the directory and file list boxes and the filter combo box
# that passes the chosen mask to it.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinFileListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinDirectoryListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinFilterComboBox.cpp)
