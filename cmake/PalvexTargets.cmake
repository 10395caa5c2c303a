include(GNUInstallDirs)

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

# One static library per layer, named palvex_<layer> with the alias
# PalvexChart::<layer>. A layer links only the layers beneath it; the logic
# layers link no Qt, so a Qt header included there fails the build.
# Headers are found as "control/palvex_chart.h" inside the project and as
# <palvex/control/palvex_chart.h> by a consumer, in the build tree (through
# the links src/CMakeLists.txt makes) as in an installed package.
function(palvex_add_layer layer)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(palvex_${layer} STATIC ${arg_SOURCES})
  add_library(PalvexChart::${layer} ALIAS palvex_${layer})
  set_target_properties(palvex_${layer} PROPERTIES EXPORT_NAME ${layer})
  target_compile_features(palvex_${layer} PUBLIC cxx_std_20)
  target_include_directories(palvex_${layer} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
    $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/palvex>)
  target_link_libraries(palvex_${layer}
    PUBLIC ${arg_LINKS} PRIVATE $<BUILD_INTERFACE:palvex_build_options>)
  set_property(GLOBAL APPEND PROPERTY palvex_installed_targets palvex_${layer})
endfunction()
