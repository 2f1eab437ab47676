# The colour model, grids, palette and dialog, and the font, size and colour combos.
list(APPEND SKIN_BOXCTRLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinColorGrids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinColorPalette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinColorDialog.cpp)
list(APPEND SKIN_BOXCTRLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkinFontCombos.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinColorComboBox.cpp)
