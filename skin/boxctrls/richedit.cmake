# The skinned rich edit with its external scroll bars.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinRichEdit.cpp)
