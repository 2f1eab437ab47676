# Winelib toolchain: winegcc/wineg++ build native ELF objects against Wine's Win32
# headers; executables come out as name.exe (launcher) + name.exe.so (the program).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER winegcc)
set(CMAKE_CXX_COMPILER wineg++)
set(CMAKE_EXECUTABLE_SUFFIX ".exe")
set(WINELIB TRUE)
set(ORVANTA_ARCH x86_64)
