# Sources of this group, relative to this folder.
list(APPEND SKIN_CORE_SOURCES SkinImage.cpp SkinRegion.cpp EffectBmp.cpp SkinDrawHelpers.cpp SkinPlatform.cpp SkinParentImage.cpp)
