# The frame's value objects: track bar, switch, gauge, frame gauge and frame regulator.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FrameValueObjects.cpp)
