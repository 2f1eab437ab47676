# The skinned combo box with its drop-down list, on the frame that the combos share.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinComboFrame.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinComboBox.cpp)
