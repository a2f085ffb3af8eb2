# tiko-script and the settings file: a write that fails is told once on
# standard error while standard output keeps its form; a clean run leaves no
# lock file; a damaged file's kept copy is told once.
function(run_script work script)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${work} ${TIKO_SCRIPT} ${script}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/script.tiko "press game_a\nwait 10\n")

# The settings file is a folder.
file(MAKE_DIRECTORY ${WORK}/folder/Orvane/Qorvix50.reg)
run_script(${WORK}/folder ${WORK}/script.tiko)
set(told "tiko-script: Your settings could not be saved: cannot read ${WORK}/folder/Orvane/Qorvix50.reg: Is a directory\n")
if(NOT err STREQUAL told)
  message(FATAL_ERROR "standard error:\n${err}--- expected\n${told}")
endif()
if(NOT out MATCHES "^@0 store Key1=2\n(@0 store Key[2-8]=[0-9]+\n)+@0 store Key9=42\n$")
  message(FATAL_ERROR "standard output lost its form:\n${out}")
endif()

# A damaged file: its copy is told once; no lock file stays.
file(MAKE_DIRECTORY ${WORK}/damaged/Orvane)
file(WRITE ${WORK}/damaged/Orvane/Qorvix50.reg "\"Key1\"=\"2\"\nnot a value\n")
run_script(${WORK}/damaged ${WORK}/script.tiko)
string(REGEX MATCHALL "kept in [^\n]*Qorvix50.reg.bak\n" copies "${err}")
list(LENGTH copies count)
if(NOT count EQUAL 1 OR NOT EXISTS ${WORK}/damaged/Orvane/Qorvix50.reg.bak)
  message(FATAL_ERROR "the kept copy told ${count} times:\n${err}")
endif()
file(GLOB left ${WORK}/damaged/Orvane/*.lock ${WORK}/damaged/Orvane/*.tmp)
if(left)
  message(FATAL_ERROR "left behind: ${left}")
endif()
