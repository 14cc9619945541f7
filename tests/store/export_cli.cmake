# quimba3d --export-history FILE, run as a user runs it with no display at
# all: three simulated games recorded, then exported.
#   cmake -DSIM=... -DGAME=... -DWORK=... -P export_cli.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK} ${SIM} --record --games 3
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quimba-sim --record failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                        XDG_DATA_HOME=${WORK} ${GAME} --export-history ${WORK}/out.csv
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the export failed (${rc}): ${err}")
endif()
file(STRINGS ${WORK}/out.csv lines)
list(LENGTH lines count)
list(GET lines 0 header)
if(NOT header STREQUAL "game,started,type,seat,name,kind,score,won,state,coached,undos" OR NOT count EQUAL 7)
  message(FATAL_ERROR "unexpected export (${count} lines): ${header}")
endif()
# A folder that cannot be written loses nothing and says why.
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK} ${GAME} --export-history ${WORK}/no/such/out.csv
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "cannot")
  message(FATAL_ERROR "an impossible export passed for a success: ${rc} ${err}")
endif()
file(REMOVE_RECURSE ${WORK})
