# windows_resources(<target> <description> [PROGRAM] [UTF8_CODE_PAGE])
# Gives a Windows program or DLL its version resource: file and product
# version (the project's), company, product and <description>, shown by
# Explorer and read by installers. A PROGRAM also gets its manifest: it runs
# as the invoking user (never asking for elevation) and takes paths longer
# than MAX_PATH; with UTF8_CODE_PAGE its active code page is UTF-8, for a
# program whose narrow texts are UTF-8 (not for one whose 8-bit texts follow
# the user's code page).
function(windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(arg "PROGRAM;UTF8_CODE_PAGE" "" "" ${ARGN})
  set(RESOURCE_DESCRIPTION "${description}")
  set(RESOURCE_NAME ${target})
  set(RESOURCE_MANIFEST "")
  if(arg_PROGRAM)
    set(RESOURCE_FILE_NAME ${target}.exe)
    set(RESOURCE_FILE_TYPE VFT_APP)
    set(RESOURCE_CODE_PAGE "")
    if(arg_UTF8_CODE_PAGE)
      set(RESOURCE_CODE_PAGE
        "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>")
    endif()
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/Program.manifest.in ${manifest} @ONLY)
    # 1 is the manifest a process is created with; 24 is RT_MANIFEST.
    set(RESOURCE_MANIFEST "1 24 \"${manifest}\"")
  else()
    set(RESOURCE_FILE_NAME ${target}.dll)
    set(RESOURCE_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(arg_PROGRAM)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${manifest})
  endif()
endfunction()
