# Sources of this group, relative to this folder.
list(APPEND SKIN_CORE_SOURCES CustomZlibStream.cpp Spconst.cpp StoredSkinStream.cpp CompressedStoredSkin.cpp
  SkinData.cpp)
# The skin library's string table: a program that links skin_core includes
# Spconst.rc from its own .rc (a .res cannot travel inside a static library).
set(SKIN_CORE_RC_DIR ${CMAKE_CURRENT_SOURCE_DIR} CACHE INTERNAL "folder of the skin library's .rc files")
