# The shell namespace layer: ID lists, shell folder items, the change notifier, file masks.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ShellPidl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellNamespace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellChangeNotifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellContextMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileMask.cpp)
# The path routines and filter texts of the file-system controls.
list(APPEND SKIN_DIALOGS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FilePaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileListing.cpp)
