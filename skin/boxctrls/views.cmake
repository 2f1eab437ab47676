# The skinned tree and list views (with the list view's header) and the memo
# with a skinned frame.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinViews.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinFramedMemo.cpp)
