# The time edit, the month calendar and the date edit with its drop-down
# calendar, on the date rules.
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/DateRules.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinTimeEdit.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinMonthCalendar.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinDateEdit.cpp)
