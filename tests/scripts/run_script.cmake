# Runs one script test; see CMakeLists.txt beside this file.
string(REGEX REPLACE "\\.tiko$" "" base ${SCRIPT})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Orvane)
if(EXISTS ${base}.reg)
  file(COPY_FILE ${base}.reg ${WORK}/Orvane/Qorvix50.reg)
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK} ${TIKO_SCRIPT} ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(WRITE ${WORK}/actual.out "${out}")

# The diff from an expected output to this run's, unwrapped on standard output.
function(print_diff expected_file)
  execute_process(COMMAND diff -u --label expected --label actual ${expected_file}
                          ${WORK}/actual.out)
endfunction()

set(expected_status 0)
if(EXISTS ${base}.err)
  set(expected_status 2)
  file(READ ${base}.err expected_err)
  if(NOT err STREQUAL expected_err)
    message(FATAL_ERROR "standard error differs:\n--- expected\n${expected_err}--- actual\n${err}")
  endif()
endif()
if(NOT status EQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${err}")
endif()

# With TIKO_UPDATE_SCRIPTS set in the environment, an output that differs is
# written to NAME.out and the test fails showing the diff it wrote, so that the
# run's summary lists exactly the files rewritten.
if(DEFINED ENV{TIKO_UPDATE_SCRIPTS})
  set(old "")
  set(old_file /dev/null)
  if(EXISTS ${base}.out)
    file(READ ${base}.out old)
    set(old_file ${base}.out)
  endif()
  if(NOT out STREQUAL old)
    print_diff(${old_file})
    file(WRITE ${base}.out "${out}")
    message(FATAL_ERROR "rewrote ${base}.out with the diff above")
  endif()
endif()

file(READ ${base}.out expected)
if(NOT out STREQUAL expected)
  print_diff(${base}.out)
  message(FATAL_ERROR "output differs from ${base}.out as shown above")
endif()

# NAME.store: the settings file the script must leave behind.
if(EXISTS ${base}.store)
  file(READ ${base}.store expected_store)
  file(READ ${WORK}/Orvane/Qorvix50.reg actual_store)
  string(REPLACE "\r\n" "\n" actual_store "${actual_store}")
  if(NOT actual_store STREQUAL expected_store)
    message(FATAL_ERROR "settings file differs from ${base}.store:\n${actual_store}")
  endif()
endif()
