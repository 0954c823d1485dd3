# guidara_add_library(<target> <mapping-csv>)
# Builds the help library as a shared library with <mapping-csv> built in.
# Exports exactly the four InvokeHelp functions (guidara.map); everything
# else, the C++ standard library's inline code included, stays hidden.
function(guidara_add_library target csv)
  set(embed_script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFile.cmake)
  set(version_script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../guidara.map)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_MappingTable.cpp)
  add_custom_command(OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${csv} -DOUTPUT=${generated} -P ${embed_script}
    DEPENDS ${csv} ${embed_script}
    COMMENT "Building the help mapping table ${csv} into ${target}"
    VERBATIM)
  add_library(${target} SHARED ${generated})
  target_link_libraries(${target} PRIVATE guidara_core)
  if(WIN32)
    # The table is also the library's resource 101 of type "CSV".
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/MappingTable.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY OBJECT_DEPENDS ${csv})
    include(WindowsDll)
    windows_dll(${target} ${version_script})
  else()
    target_link_options(${target} PRIVATE -Wl,--version-script=${version_script})
  endif()
  # Every symbol must resolve at link time, except in sanitizer builds: clang
  # leaves the sanitizer runtime to the program that loads the library.
  if(NOT SANITIZE AND NOT FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    VERSION 1.0.0
    SOVERSION 1
    LINK_DEPENDS ${version_script})
  project_warnings(${target})
endfunction()
