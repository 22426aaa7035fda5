# Runs one fuzz target for SECONDS on a fresh copy of its seed corpus, so that
# new inputs and crash files land under the build tree, never in the repository.
foreach(var TARGET CORPUS WORK SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_target.cmake needs -D${var}=")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
if(IS_DIRECTORY ${CORPUS})
  file(GLOB seeds ${CORPUS}/*)
  if(seeds)
    file(COPY ${seeds} DESTINATION ${WORK}/corpus)
  endif()
endif()

execute_process(
  COMMAND ${TARGET} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TARGET} failed (${result}); inputs in ${WORK}/artifacts")
endif()
