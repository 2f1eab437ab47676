# Frame-strip controls: the base, switch, animation, frame gauge and frame regulator.
list(APPEND SKIN_CONTROLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinFrameControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinSwitch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinAnimate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinFrameGauge.cpp)
