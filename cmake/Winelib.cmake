# Helpers shared by every folder of the project.

# What the build reads from outside the tree, where Debian 12's packages put it;
# another system sets these on the cmake command line (-DGTEST_SRC=...).
set(WINE_INCLUDE_DIR /usr/include/wine/wine/windows CACHE PATH
    "Wine's Win32 headers (libwine-dev), for wrc and widl")
set(WINE_WINDOWS_LIB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
    "Wine's Windows-side libraries (wine64), where widl finds the standard type libraries")
set(GTEST_SRC /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources (googletest)")

# Win32 import libraries, linked by name through winegcc.
set(WIN32_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid shell32 shlwapi
    ws2_32 winmm msvfw32 strmiids winhttp advapi32 kernel32)

# The file that the wine loader runs for an executable target.
function(wine_exe_path target outvar)
  set(${outvar} "$<TARGET_FILE:${target}>.so" PARENT_SCOPE)
endfunction()

# add_wine_test(name SOURCES ... LIBS ... [LABELS ...] [LOCK name] [TIMEOUT s])
# Builds a gtest executable and registers it with ctest, run through wine.
function(add_wine_test name)
  cmake_parse_arguments(T "" "LOCK;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  # The entry point must be an object of its own: winebuild resolves imports in
  # one pass over the archives and would miss what main pulls in from them.
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} project_gtest ${WIN32_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/cmake/run-wine-test.sh $<TARGET_FILE:${name}>.so
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
  endif()
endfunction()
