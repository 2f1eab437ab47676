# Sources of this group, relative to this folder.
list(APPEND SKIN_CORE_SOURCES CustomZlibStream.cpp Spconst.cpp StoredSkinStream.cpp CompressedStoredSkin.cpp SkinBudget.cpp
  SkinData.cpp)
# The skin library's string table is Spconst.rc: a program that links skin_core
# includes it from its own .rc, since winegcc takes a .res only as a direct link
# input (inside a static library it is refused: "archive has no index").
