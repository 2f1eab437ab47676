# The frame's value objects: track bar, switch, gauge, frame gauge and frame
# regulator, their events and their setters by name.
list(APPEND SKIN_FORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FrameTrackBarObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameSwitchObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameGaugeObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameStripObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameValueObjects.cpp)
