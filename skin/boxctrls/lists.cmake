# The skinned list box with its owner-drawn inner list, and the combo box's
# drop-down list built on it.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinListBox.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinPopupList.cpp)
