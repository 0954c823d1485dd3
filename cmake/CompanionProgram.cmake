# companion_program(<program> <companion> <prefix> [DESTINATION_VAR <var>])
# <companion> is a program that <program> runs in its place: installed beside
# it on Windows, where a suite's programs lie together, else in
# libexec/<program>. <program> finds it by <prefix>_PROGRAM, its file name,
# looked for beside it first, then by <prefix>_INSTALLED, its installed path
# relative to <program>'s folder; it is built with <program>, so that a
# program run from the build folder finds it there. DESTINATION_VAR receives
# the companion's install folder.
function(companion_program program companion prefix)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "DESTINATION_VAR" "")
  if(WIN32)
    set(destination ${CMAKE_INSTALL_BINDIR})
  else()
    set(destination ${CMAKE_INSTALL_LIBEXECDIR}/${program})
  endif()
  install(TARGETS ${companion} RUNTIME DESTINATION ${destination} COMPONENT logora)
  set(name ${companion}${CMAKE_EXECUTABLE_SUFFIX})
  file(RELATIVE_PATH installed ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${destination}/${name})
  target_compile_definitions(${program} PRIVATE ${prefix}_PROGRAM="${name}" ${prefix}_INSTALLED="${installed}")
  add_dependencies(${program} ${companion})
  if(arg_DESTINATION_VAR)
    set(${arg_DESTINATION_VAR} ${destination} PARENT_SCOPE)
  endif()
endfunction()
