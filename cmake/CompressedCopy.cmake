# cmake -DINPUT=<file> -DOUTPUT=<file> [-DFILTER=<program>] -P CompressedCopy.cmake
# Writes OUTPUT (INPUT passed through FILTER, or copied) and OUTPUT.gz beside
# it, compressed as Debian packages want it: best compression, no name or
# time stamp inside, so the bytes depend on the input only.
if(FILTER)
  execute_process(COMMAND ${FILTER} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "${INPUT}: ${FILTER} failed (${status})")
  endif()
else()
  configure_file(${INPUT} ${OUTPUT} COPYONLY)
endif()
execute_process(COMMAND gzip -9 -n -c ${OUTPUT} OUTPUT_FILE ${OUTPUT}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT}.gz)
  message(FATAL_ERROR "${OUTPUT}: gzip failed (${status})")
endif()
