# Labels that repeat the skin protocol by hand (text, link, button labels) and the
# status panel.
list(APPEND SKIN_CONTROLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinTextLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinLinkLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinButtonLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinStatusPanel.cpp)
