# The number fields: the skinned numeric edit and the spin edit with its inner
# editor, on the shared numeric text rules.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinNumericEdits.cpp)
