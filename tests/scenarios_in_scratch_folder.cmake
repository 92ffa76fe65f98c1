# Plays scenario files with `r58046 run` from a scratch current folder that holds a canary
# file, and fails when the run failed or when the canary is gone: a deletion that strays
# into the current folder must never reach the source or build tree.
#   cmake -DR58046=<r58046> -DSCRATCH=<folder> -DFILES=<file;file...> -P <this file>
foreach(v R58046 SCRATCH FILES)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "${v} is not given")
  endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
set(canary "${SCRATCH}/canary.txt")
file(WRITE "${canary}" "The current folder of the scenario run; nothing may delete this file.\n")

execute_process(COMMAND "${R58046}" run ${FILES} WORKING_DIRECTORY "${SCRATCH}"
                RESULT_VARIABLE status)

if(NOT EXISTS "${canary}")
  message(FATAL_ERROR "the run deleted the canary file of its current folder (${SCRATCH})")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "r58046 run ended with status ${status}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
