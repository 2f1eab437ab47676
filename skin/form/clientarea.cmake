# The frame's client-area mode: the whole window painted from the skin, dragged
# by its surface, controls pinned to the skin's areas.
list(APPEND SKIN_FORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FormFrameClientArea.cpp)
