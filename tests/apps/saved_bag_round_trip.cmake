# Saves the property bag of a chart file with the command line, renders the
# chart's items alone on top of that bag, and checks that the picture is the
# one the whole chart file renders.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(rc)
    message(FATAL_ERROR "${ARGN}\nfailed (${rc}): ${err}")
  endif()
endfunction()

file(MAKE_DIRECTORY ${OUT})
run(${PALVEXCHART} save-bag ${CHART} -o ${OUT}/bag.json)
file(READ ${OUT}/bag.json bag)
# The bag holds the y label under its saved spelling (GET fails otherwise).
string(JSON y_label GET "${bag}" uYAxislabel)

file(READ ${CHART} chart)
string(JSON items_only REMOVE "${chart}" properties)
file(WRITE ${OUT}/items.json "${items_only}")
run(${PALVEXCHART} render ${CHART} -o ${OUT}/direct.png)
run(${PALVEXCHART} render ${OUT}/items.json --bag ${OUT}/bag.json -o ${OUT}/loaded.png)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/direct.png ${OUT}/loaded.png
  RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the chart loaded from its bag renders differently: ${OUT}")
endif()
