# Frame-strip controls: switch, animation, frame gauge and frame regulator.
list(APPEND SKIN_CONTROLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinFrameControls.cpp)
