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
  target_compile_options(palvex_build_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# One static library per layer, named palvex_<layer> with the alias
# PalvexChart::<layer>. A layer links only the layers beneath it; the logic
# layers link no Qt, so a Qt header included there fails the build.
function(palvex_add_layer layer)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(palvex_${layer} STATIC ${arg_SOURCES})
  add_library(PalvexChart::${layer} ALIAS palvex_${layer})
  target_include_directories(palvex_${layer} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(palvex_${layer} PUBLIC ${arg_LINKS} PRIVATE palvex_build_options)
endfunction()
