# Runs hiren-trace twice with the same arguments but the clock starting at
# T0 and at T0B, and fails unless the two traces agree in every field but
# the clock: a run must not depend on where the clock stands, nor on its
# wrap from 2^32 - 1 to 0.
# Usage: cmake -DTRACE=<hiren-trace> -DT0=<ms> -DT0B=<ms> "-DARGS=<arg;...>" -P compare_clocks.cmake
foreach(run first second)
  if(run STREQUAL "first")
    set(t0 ${T0})
  else()
    set(t0 ${T0B})
  endif()
  execute_process(COMMAND ${TRACE} ${ARGS} --t0 ${t0} RESULT_VARIABLE rc OUTPUT_VARIABLE output)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "hiren-trace --t0 ${t0} failed (${rc})")
  endif()
  # Each line: the step, the clock, then the rest; the clock is dropped.
  string(REGEX MATCHALL "[^\n]+" lines "${output}")
  set(${run} "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^([0-9]+) [0-9]+ " "\\1 " line "${line}")
    string(APPEND ${run} "${line}\n")
  endforeach()
endforeach()
if(first STREQUAL "")
  message(FATAL_ERROR "hiren-trace printed nothing")
endif()
if(NOT first STREQUAL second)
  message(FATAL_ERROR "the run at --t0 ${T0B} differs from the run at --t0 ${T0}")
endif()
