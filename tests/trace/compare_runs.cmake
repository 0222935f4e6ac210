# Runs hiren-trace twice with the same arguments and fails unless both
# runs succeed with the same, non-empty output.
# Usage: cmake -DTRACE=<hiren-trace> "-DARGS=<arg;arg;...>" -P compare_runs.cmake
foreach(run first second)
  execute_process(COMMAND ${TRACE} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE ${run})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "hiren-trace failed (${rc})")
  endif()
endforeach()
if(first STREQUAL "")
  message(FATAL_ERROR "hiren-trace printed nothing")
endif()
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two runs with the same arguments differ")
endif()
