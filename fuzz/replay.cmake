# Prepares a harness's seed corpus and replays it with every kept crash input.
# The replay gets a temporary folder of its own, which must be empty again
# when it ends: harnesses leave nothing behind.
string(REPLACE "|" ";" seed_cmd "${SEED}")
file(MAKE_DIRECTORY ${CORPUS})
execute_process(COMMAND ${seed_cmd} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "seed generation failed: ${rc}")
endif()
set(inputs ${CORPUS})
if(EXISTS ${CRASHES})
  list(APPEND inputs ${CRASHES})
endif()
set(temp ${CORPUS}-tmp)
file(REMOVE_RECURSE ${temp})
file(MAKE_DIRECTORY ${temp})
# In sanitizer builds the replay suppresses the third-party leaks the fuzz
# runs suppress.
set(lsan "suppressions=${CMAKE_CURRENT_LIST_DIR}/../tests/support/lsan.supp")
if(DEFINED ENV{LSAN_OPTIONS})
  set(lsan "$ENV{LSAN_OPTIONS}:${lsan}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${temp} LSAN_OPTIONS=${lsan} ${HARNESS} ${inputs}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "replay failed: ${rc}")
endif()
file(GLOB left RELATIVE ${temp} ${temp}/*)
if(left)
  message(FATAL_ERROR "replay left files in its temporary folder ${temp}: ${left}")
endif()
file(REMOVE_RECURSE ${temp})
