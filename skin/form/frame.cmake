# The frame component: its core, window procedure, geometry and painting.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FormFrame.cpp)
