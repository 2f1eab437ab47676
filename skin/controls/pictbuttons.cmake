# Picture buttons: the push button with a picture look of its own when unskinned,
# and the stand-alone region-shaped picture button.
list(APPEND SKIN_CONTROLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinXFormButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EzRgnBtn.cpp)
