# Helpers shared by every folder of the project. The same tree builds as Windows
# PE files with mingw-w64 (cmake/mingw-*.cmake: what users get, and what the
# tests run) or with Wine's winelib (cmake/winelib-toolchain.cmake: only the
# stand-ins that bridge to Linux libraries need it).

# What the build reads from outside the tree, where Debian 12's packages put it;
# another system sets these on the cmake command line (-DGTEST_SRC=...).
set(WINE_INCLUDE_DIR /usr/include/wine/wine/windows CACHE PATH
    "Wine's Win32 headers (libwine-dev), for wrc and widl in the winelib build")
set(WINE_WINDOWS_LIB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
    "Wine's Windows-side libraries (wine64), where widl finds the standard type libraries")
set(GTEST_SRC /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources (googletest)")

# Win32 import libraries, linked by name.
set(WIN32_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid shell32 shlwapi
    ws2_32 winmm msvfw32 strmiids winhttp advapi32 kernel32)

# What wine runs for an executable target: winegcc writes a launcher script
# name.exe beside the program name.exe.so; a PE build writes name.exe itself.
if(WINELIB)
  set(WINE_EXE_SUFFIX ".so")
else()
  set(WINE_EXE_SUFFIX "")
endif()
function(wine_exe_path target outvar)
  set(${outvar} "$<TARGET_FILE:${target}>${WINE_EXE_SUFFIX}" PARENT_SCOPE)
endfunction()

# win32_resource(name file.rc [INCLUDES dir...] [DEPENDS file...])
# Compiles a resource script into a file that links like an object, and a target
# name_res that makes it; ${name}_RES names the file.
function(win32_resource name rc)
  cmake_parse_arguments(R "" "" "INCLUDES;DEPENDS" ${ARGN})
  set(incs)
  foreach(i ${R_INCLUDES})
    list(APPEND incs -I${i})
  endforeach()
  get_filename_component(rc ${rc} ABSOLUTE)
  if(WINELIB)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
    set(cmd wrc -I${WINE_INCLUDE_DIR} ${incs} -o ${out} ${rc})
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}.res.o)
    set(cmd ${CMAKE_RC_COMPILER} ${incs} -O coff -o ${out} ${rc})
  endif()
  add_custom_command(OUTPUT ${out} COMMAND ${cmd} DEPENDS ${rc} ${R_DEPENDS}
                     WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} VERBATIM)
  add_custom_target(${name}_res DEPENDS ${out})
  set(${name}_RES ${out} PARENT_SCOPE)
endfunction()

# win32_dll(target FILE name.ext EXPORTS file.spec [DIR folder])
# Names a shared library as Windows names it and gives it the exports that the
# .spec file lists (winebuild reads the .spec itself; mingw-w64 gets a .def made
# from it, with undecorated names on 32-bit x86 as COM and LoadLibrary expect).
# A winelib DLL is written as name.ext.so and copied to name.ext: Wine 8 loads a
# winelib DLL from a full path when the file there is the library itself.
function(win32_dll target)
  cmake_parse_arguments(D "" "FILE;EXPORTS;DIR" "" ${ARGN})
  get_filename_component(base ${D_FILE} NAME_WE)
  get_filename_component(ext ${D_FILE} EXT)
  if(WINELIB)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME "${D_FILE}" SUFFIX ".so" NO_SONAME ON)
    target_link_options(${target} PRIVATE ${D_EXPORTS})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${D_EXPORTS})
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> $<TARGET_FILE_DIR:${target}>/${D_FILE} VERBATIM)
  else()
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME "${base}" SUFFIX "${ext}")
    file(STRINGS ${D_EXPORTS} lines REGEX "^@")
    set(def "EXPORTS\n")
    foreach(l ${lines})
      string(REGEX REPLACE "^@ +[a-z]+ +(-[a-z]+ +)*([A-Za-z_0-9]+)\\(.*$" "\\2" fn "${l}")
      if(l MATCHES "-private")
        string(APPEND def "  ${fn} PRIVATE\n")
      else()
        string(APPEND def "  ${fn}\n")
      endif()
    endforeach()
    set(deffile ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    file(WRITE ${deffile}.in "${def}")
    configure_file(${deffile}.in ${deffile} COPYONLY)
    target_sources(${target} PRIVATE ${deffile})
    if(ORVANTA_ARCH STREQUAL "i686")
      # The .def names the stdcall entry points undecorated, as COM and
      # LoadLibrary callers expect; the linker binds them to the decorated
      # symbols (--enable-stdcall-fixup asks for that, so it does not warn).
      target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
    endif()
  endif()
  if(D_DIR)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${D_DIR} RUNTIME_OUTPUT_DIRECTORY ${D_DIR})
  endif()
endfunction()

# add_wine_test(name SOURCES ... LIBS ... [LABELS ...] [LOCK name...] [TIMEOUT s])
# Builds a gtest executable and registers it with ctest, run through wine.
function(add_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS;LOCK" ${ARGN})
  # The entry point is an object of its own: winebuild resolves imports in one
  # pass over the archives and would miss what main pulls in from them.
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} project_gtest ${WIN32_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/cmake/run-wine-test.sh $<TARGET_FILE:${name}>${WINE_EXE_SUFFIX}
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  math(EXPR inner "${T_TIMEOUT} - 15")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "WINE_TEST_SECONDS=${inner}")
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
  endif()
endfunction()
