# Multiple-document forms: the frame's MDI part, the MDI tabs bar, and the menu
# bar's buttons of a maximised MDI child.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FormFrameMdi.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinMdiTabsBar.cpp
     ${CMAKE_CURRENT_LIST_DIR}/SkinMenuBarMdi.cpp)
