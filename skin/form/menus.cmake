# The skinned popup menu engine, its drawing, and the popup menu component.
set(SKIN_MENUS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinMenus.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinPopupWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinMenuPaint.cpp)
list(APPEND SKIN_FORM_SOURCES ${SKIN_MENUS_SOURCES})
