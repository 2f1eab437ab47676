# The skinned combo box with its drop-down list.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinComboBox.cpp)
