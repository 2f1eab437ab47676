# The live frame objects: the base object, buttons and caption buttons, the
# caption, labels and bit labels, animations, and the factory the frame uses.
list(APPEND SKIN_FORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ActiveSkinObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameButtonObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameCaptionObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameLabelObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameAnimateObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameObjects.cpp)
