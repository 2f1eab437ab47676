# Scrolling containers and tabs: the arrow scroller that the tool bar and the
# scroll panel share, the scroll panel and the tab control.
list(APPEND SKIN_CONTROLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinArrowScroller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinScrollPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinTabControl.cpp)
