# The API reference of the public headers: the docs target writes
# docs/api/html/index.html in the build tree. Doxygen fails on any warning
# (docs/Doxyfile.in), so with the tests the api_docs test fails on an
# undocumented public member or a broken comment, and CI with it.
find_package(Doxygen)

set(palvex_doxyfile ${PROJECT_BINARY_DIR}/docs/Doxyfile)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${palvex_doxyfile} @ONLY)

if(DOXYGEN_FOUND)
  add_custom_target(docs
    COMMAND Doxygen::doxygen ${palvex_doxyfile}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/docs
    COMMENT "Writing the API reference to ${PROJECT_BINARY_DIR}/docs/api/html/index.html"
    VERBATIM)
else()
  add_custom_target(docs
    COMMAND ${CMAKE_COMMAND} -E echo
            "docs: doxygen was not found; install it (scripts/setup.sh does) and configure again"
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endif()

if(PALVEX_BUILD_TESTS AND NOT PALVEX_FUZZ)
  if(DOXYGEN_FOUND)
    # Doxygen itself rather than the docs target: the test needs no build
    # tool, and so never runs one in a tree another build is using.
    add_test(NAME api_docs COMMAND Doxygen::doxygen ${palvex_doxyfile}
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
    set_tests_properties(api_docs PROPERTIES FAIL_REGULAR_EXPRESSION "warning:;error:")
  else()
    # Fails with the target's message: CI must not pass without the check.
    add_test(NAME api_docs COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target docs)
  endif()
endif()
