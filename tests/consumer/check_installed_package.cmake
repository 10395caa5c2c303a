# Installs the build BINARY_DIR into a fresh prefix under WORK_DIR, then
# configures, builds and runs the consumer project and the embedding
# example (from SOURCE_DIR) against it. Then it builds the libraries alone
# as shared libraries from SOURCE_DIR, installs them into a second prefix
# and runs both against those. Run as cmake -P.
file(REMOVE_RECURSE ${WORK_DIR})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed)
  if(failed)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${failed}): ${command}")
  endif()
endfunction()

function(check_consumer prefix build)
  run(${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${build} -G Ninja
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
  run(${CMAKE_COMMAND} --build ${build})
  run(${build}/consumer)
  run(${build}/headless)
  # The embedding example, as its README tells a reader to build it.
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/embed -B ${build}-embed -G Ninja
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
  run(${CMAKE_COMMAND} --build ${build}-embed)
  run(${build}-embed/embed --smoke)
  # The styled year of rain: colours, fonts, unit, palette, growth from the
  # event loop, in a light and a dark application.
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/rainfall -B ${build}-rainfall -G Ninja
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
  run(${CMAKE_COMMAND} --build ${build}-rainfall)
  run(${build}-rainfall/rainfall --smoke)
  run(${build}-rainfall/rainfall --smoke --dark)
  if(WITH_QUICK)
    # Qt Quick: the example application, and the QML tests, both taking
    # the module from the install.
    run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/quick -B ${build}-quick -G Ninja
        -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
    run(${CMAKE_COMMAND} --build ${build}-quick)
    run(${build}-quick/quick --smoke)
    run(${QMLTESTRUNNER} -import ${prefix}/${QML_DIR}
        -input ${SOURCE_DIR}/tests/quick/tst_palvexchart.qml)
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${WORK_DIR}/static)
check_consumer(${WORK_DIR}/static ${WORK_DIR}/static-consumer)

# The libraries-only recipe the README gives, outside the source tree.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} --preset lib -B ${WORK_DIR}/shared-build
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/shared-build)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/shared-build --prefix ${WORK_DIR}/shared)
check_consumer(${WORK_DIR}/shared ${WORK_DIR}/shared-consumer)
# Without CMake: pkg-config gives what a compiler needs to build against the
# shared libraries.
find_program(pkg_config pkg-config REQUIRED)
file(GLOB pc_dir ${WORK_DIR}/shared/lib*/pkgconfig ${WORK_DIR}/shared/lib/*/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND ${pkg_config} --cflags --libs palvexchart-core
  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT flags MATCHES "-lpalvex_core")
  message(FATAL_ERROR "pkg-config finds no palvexchart-core: ${flags}")
endif()
execute_process(COMMAND ${pkg_config} --variable=libdir palvexchart-core
  OUTPUT_VARIABLE libdir OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(c++ -std=c++17 -fPIC ${SOURCE_DIR}/tests/consumer/headless.cpp ${flags} -Wl,-rpath,${libdir}
    -o ${WORK_DIR}/headless-pkg-config)
run(${WORK_DIR}/headless-pkg-config)
# The consumer finds the libraries it was built against, not stray ones.
file(GLOB libraries ${WORK_DIR}/shared/lib*/libpalvex_widget.so*)
if(NOT libraries)
  message(FATAL_ERROR "the shared build installed no libpalvex_widget.so")
endif()
