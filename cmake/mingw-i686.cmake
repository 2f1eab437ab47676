# Windows PE, 32-bit x86 (mingw-w64): what browser hosts load, and what runs on every Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(ORVANTA_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
