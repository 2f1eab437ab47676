# Decorative and container controls: bevel, splitter, extended panel, notebook,
# buttons bar.
list(APPEND SKIN_CONTROLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinBevel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinSplitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinExPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinNotebook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinButtonsBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinControlBar.cpp)
