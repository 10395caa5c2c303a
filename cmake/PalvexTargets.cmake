include(GNUInstallDirs)
include(GenerateExportHeader)

# The project's own compile options, given to each of its targets rather
# than to everything in the build, so a parent project keeps its own.
add_library(palvex_build_options INTERFACE)
target_compile_options(palvex_build_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow $<$<BOOL:${PALVEX_WERROR}>:-Werror>)
if(PALVEX_SANITIZE)
  set(palvex_sanitizers -fsanitize=address,undefined,float-cast-overflow)
  target_compile_options(palvex_build_options INTERFACE
    ${palvex_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(palvex_build_options INTERFACE ${palvex_sanitizers})
endif()
# Coverage for libFuzzer in every library; only the fuzz programs link its main.
if(PALVEX_FUZZ)
  target_compile_options(palvex_build_options INTERFACE -fsanitize=fuzzer-no-link
    -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage_ignore.txt)
endif()

# One static library per internal layer, named palvex_<layer>. A layer links
# only the layers beneath it; the logic layers link no Qt, so a Qt header
# included there fails the build. Their headers ("control/palvex_chart.h")
# and archives are the project's own and are never installed: a shared
# public library links them in, a static one carries their objects (see
# palvex_carry_layers). They are position independent and hidden, since
# they end up inside the shared libraries (and a plugin module) without
# adding to what those export.
function(palvex_add_layer layer)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(palvex_${layer} STATIC ${arg_SOURCES})
  set_target_properties(palvex_${layer} PROPERTIES EXPORT_NAME internal_${layer}
    POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_compile_features(palvex_${layer} PUBLIC cxx_std_20)
  target_include_directories(palvex_${layer} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>)
  target_link_libraries(palvex_${layer}
    PUBLIC ${arg_LINKS} PRIVATE $<BUILD_INTERFACE:palvex_build_options>)
endfunction()

# A static public library carries the objects of the layers it is built
# on, so that an installed static package is one archive per public
# library rather than one per layer. Link the layers themselves with
# $<BUILD_INTERFACE:...>: inside the build they are there to link, and the
# installed package does not know them.
function(palvex_carry_layers target)
  if(BUILD_SHARED_LIBS)
    return()
  endif()
  foreach(layer ${ARGN})
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:palvex_${layer}>)
  endforeach()
endfunction()

# A public library: PalvexChart::<name>, static or shared as BUILD_SHARED_LIBS
# says, exporting only what PALVEX_<NAME>_EXPORT marks. Consumers include
# <palvex/...> and need C++17 only; the library itself builds as C++20.
function(palvex_add_public_library target name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "SHARED;OWN_EXPORT" "" "SOURCES")
  if(arg_SHARED)
    add_library(${target} SHARED ${arg_SOURCES})
  else()
    add_library(${target} ${arg_SOURCES})
  endif()
  add_library(PalvexChart::${name} ALIAS ${target})
  string(TOUPPER ${name} upper)
  string(TOLOWER ${name} lower)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name}
    CXX_STANDARD 20 CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
    # The widget library finds the core beside it, wherever the package is.
    INSTALL_RPATH "$ORIGIN")
  target_compile_features(${target} INTERFACE cxx_std_17)
  generate_export_header(${target} BASE_NAME palvex${lower}
    EXPORT_MACRO_NAME PALVEX_${upper}_EXPORT
    STATIC_DEFINE PALVEX_${upper}_STATIC
    EXPORT_FILE_NAME ${PROJECT_BINARY_DIR}/include/palvex/palvex${lower}_export.h)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    target_compile_definitions(${target} PUBLIC PALVEX_${upper}_STATIC)
  endif()
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:palvex_build_options>)
  # A static public library may end up inside a shared one (Qt Quick's).
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  if(NOT arg_OWN_EXPORT)
    set_property(GLOBAL APPEND PROPERTY palvex_installed_targets ${target})
  endif()
endfunction()
