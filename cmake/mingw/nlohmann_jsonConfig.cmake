# nlohmann-json for the mingw cross build: the host's header-only library, reached through
# the build's folder of header links (CORVALD_CROSS_INCLUDE, set by the toolchain file).
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${CORVALD_CROSS_INCLUDE}")
endif()
set(nlohmann_json_FOUND TRUE)
