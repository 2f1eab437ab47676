# Sources of this group, relative to this folder.
list(APPEND SKIN_CORE_SOURCES
  SkinIniValues.cpp SkinFields.cpp SkinObjects.cpp SkinControls.cpp SkinBoxControls.cpp SkinSections.cpp
  SkinRecordFactory.cpp)
