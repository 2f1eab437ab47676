# The skinned file-system controls: the drive combo box, the directory and file
# list boxes, and the filter combo box that passes the chosen mask to the file list.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinFileListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinDirectoryListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinFilterComboBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinDriveComboBox.cpp)
