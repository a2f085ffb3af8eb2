# Runs TIKO_SCRIPT with ARG and a scratch settings folder; fails unless it ends
# with exit status STATUS and says why on standard error.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/expect_status_cfg
          ${TIKO_SCRIPT} ${ARG}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${out}${err}")
endif()
if(err STREQUAL "")
  message(FATAL_ERROR "nothing on standard error")
endif()
