# The track edit with its drop-down track bar.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinTrackEdit.cpp)
