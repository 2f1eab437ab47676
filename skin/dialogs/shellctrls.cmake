# The skinned shell controls: folder tree, file list, path combo and drive combo.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ShellTreeView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellListView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellComboBox.cpp)
list(APPEND SKIN_DIALOGS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShellDriveComboBox.cpp)
