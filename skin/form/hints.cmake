# Skinned hints and the tray icon.
list(APPEND SKIN_FORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinHint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp)
