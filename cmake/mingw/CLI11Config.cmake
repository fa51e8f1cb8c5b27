# CLI11 for the mingw cross build: the host's header-only library, reached through the
# build's folder of header links (CORVALD_CROSS_INCLUDE, set by the toolchain file) rather
# than through /usr/include.
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${CORVALD_CROSS_INCLUDE}")
endif()
set(CLI11_FOUND TRUE)
