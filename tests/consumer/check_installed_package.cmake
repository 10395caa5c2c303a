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
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${WORK_DIR}/static)
check_consumer(${WORK_DIR}/static ${WORK_DIR}/static-consumer)

run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/shared-build -G Ninja
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DBUILD_SHARED_LIBS=ON -DPALVEX_BUILD_TESTS=OFF
    -DPALVEX_BUILD_BENCH=OFF -DPALVEX_BUILD_APPS=OFF)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/shared-build)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/shared-build --prefix ${WORK_DIR}/shared)
check_consumer(${WORK_DIR}/shared ${WORK_DIR}/shared-consumer)
# The consumer finds the libraries it was built against, not stray ones.
file(GLOB libraries ${WORK_DIR}/shared/lib*/libpalvex_widget.so*)
if(NOT libraries)
  message(FATAL_ERROR "the shared build installed no libpalvex_widget.so")
endif()
