# The frame component: its core, window procedure, geometry, painting and the
# handling of its live objects.
list(APPEND SKIN_FORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FormFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFrameWndProc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFrameGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFramePaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFrameObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFrameByName.cpp)
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FormFrameMenus.cpp)
