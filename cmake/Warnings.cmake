# Warnings for the project's own targets (not for third-party code).
function(project_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 reports libstdc++'s own vector insert/copy code as out of bounds when
  # it inlines it at -O3 (GCC bugs 105329, 105651): false positives that
  # would bury real warnings.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-stringop-overflow -Wno-stringop-overread -Wno-array-bounds)
  endif()
endfunction()
