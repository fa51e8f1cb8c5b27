# Cross-compiles the program for 64-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The executable is linked statically, so it runs without the compiler's DLLs (under wine
# too).
#
# Boost, CLI11 and nlohmann-json are header-only and come from the host's /usr/include. That folder cannot
# go on the cross compiler's include path (its C library headers would replace mingw's), so
# the build gets a folder of its own that holds nothing but links to their header trees.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(corvald_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${corvald_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${corvald_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${corvald_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${corvald_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The header-only folder, with a link per header tree. Try-compile projects read this file
# as well and get their own folder in their own build tree, which does no harm.
set(corvald_cross_include ${CMAKE_BINARY_DIR}/cross-include)
file(MAKE_DIRECTORY ${corvald_cross_include})
foreach(tree boost CLI nlohmann)
  if(NOT EXISTS ${corvald_cross_include}/${tree})
    file(CREATE_LINK /usr/include/${tree} ${corvald_cross_include}/${tree} SYMBOLIC)
  endif()
endforeach()

# FindBoost takes the include folder as given and reads the version from it; Boost's own
# CMake package describes the host's installation and is left out.
set(Boost_INCLUDE_DIR ${corvald_cross_include} CACHE PATH "Boost headers for the cross build")
set(Boost_NO_BOOST_CMAKE ON CACHE BOOL "")
# CLI11's installed package would put /usr/include on the path; cmake/mingw holds a
# package that describes the same headers through the folder above.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw CACHE PATH "CLI11 package for the cross build")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw CACHE PATH "nlohmann-json package for the cross build")
set(CORVALD_CROSS_INCLUDE ${corvald_cross_include} CACHE PATH "Host header trees for the cross build")
