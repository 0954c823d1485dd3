# Warnings for the project's own targets (not for third-party code).
function(project_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
