# The skinned popup menu engine, its drawing, a frame's menu mode, and the popup
# menu component.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinMenus.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinPopupWindow.cpp
     ${CMAKE_CURRENT_LIST_DIR}/SkinMenuPaint.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinMenuMode.cpp
     ${CMAKE_CURRENT_LIST_DIR}/SkinPopupMenu.cpp)
# The skinned menu bar control and its item objects.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinMenuBar.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinMenuBarObjects.cpp
     ${CMAKE_CURRENT_LIST_DIR}/FrameMainMenu.cpp ${CMAKE_CURRENT_LIST_DIR}/FrameMainMenuItem.cpp
     ${CMAKE_CURRENT_LIST_DIR}/FormFrameMainMenu.cpp)
# The menu button and menu speed button, which open a skinned popup menu under
# themselves.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinMenuButtons.cpp)
